#!/usr/bin/env bash
# Makes the PNG files in this folder with other programs (ImageMagick and
# Pillow): every colour type (0, 2, 3, 4, 6), every bit depth (1, 2, 4, 8,
# 16), with and without Adam7 interlacing, with tRNS chunks and with the image
# data split over several IDAT chunks. Beside each NAME.png it stores
# NAME.rgba: ImageMagick's reading of the file, 8-bit red, green, blue, alpha,
# top row first. For the files of 8 bits or less the script checks that
# Pillow reads the same pixels, so both programs stand behind each reference.
# The script checks that each file has the kind its name promises.
# Run it from anywhere; it rewrites the files in this folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
im=/usr/bin/convert
cd "$work"

# Odd sizes, so that rows end in part-filled bytes and every Adam7 pass has
# its own width; a hard-edged shape with binary transparency and a soft one.
$im -seed 5 -size 13x11 plasma:fractal -depth 8 photo.png
$im -size 13x11 xc:none +antialias -fill 'rgb(200,40,90)' -draw 'circle 6,5 6,1' \
  -fill 'rgb(10,60,250)' -draw 'rectangle 0,0 3,3' shape.png
$im -size 29x23 radial-gradient:'rgba(255,128,0,1)'-'rgba(0,0,255,0)' soft.png
$im -size 29x23 gradient:white-black -rotate 90 -resize 29x23\! ramp.png

# name source type depth [extra ImageMagick options]
make() {
  local name=$1 source=$2 type=$3 depth=$4
  shift 4
  if [ "$type" = 3 ]; then
    # ImageMagick's palette writer takes the depth but no colour type.
    $im "$source" "$@" -define png:bit-depth="$depth" "png8:$name.png"
  else
    $im "$source" "$@" -define png:color-type="$type" -define png:bit-depth="$depth" "png:$name.png"
  fi
}
make im_grey1 ramp.png 0 1 -colorspace Gray -threshold 50%
make im_grey2 ramp.png 0 2 -colorspace Gray -depth 2
make im_grey4 ramp.png 0 4 -colorspace Gray -depth 4
make im_grey8 ramp.png 0 8 -colorspace Gray
make im_grey16 ramp.png 0 16 -colorspace Gray -depth 16 -evaluate multiply 0.9
make im_greyalpha8 soft.png 4 8 -colorspace Gray
make im_greyalpha16 soft.png 4 16 -colorspace Gray -depth 16
make im_rgb8 photo.png 2 8
make im_rgb16 photo.png 2 16 -depth 16 -evaluate multiply 0.9
make im_rgba8 soft.png 6 8
make im_rgba16 soft.png 6 16 -depth 16
make im_palette1 shape.png 3 1 -alpha off -colors 2
make im_palette2 shape.png 3 2 -alpha off -colors 3
make im_palette4 photo.png 3 4 -colors 12
make im_palette8 photo.png 3 8 -colors 100
make im_palette8_trns soft.png 3 8 -colors 60
# Adam7 versions of every colour type and of the small depths.
make im_grey1_interlaced ramp.png 0 1 -colorspace Gray -threshold 50% -interlace PNG
make im_grey4_interlaced ramp.png 0 4 -colorspace Gray -depth 4 -interlace PNG
make im_grey16_interlaced ramp.png 0 16 -colorspace Gray -depth 16 -interlace PNG
make im_greyalpha8_interlaced soft.png 4 8 -colorspace Gray -interlace PNG
make im_rgb8_interlaced photo.png 2 8 -interlace PNG
make im_rgba16_interlaced soft.png 6 16 -depth 16 -interlace PNG
make im_palette2_interlaced shape.png 3 2 -alpha off -colors 3 -interlace PNG
make im_palette8_interlaced photo.png 3 8 -colors 100 -interlace PNG
# A 1 x 1 picture and a 3 x 2 one: Adam7 passes without pixels.
$im -size 1x1 xc:'rgba(10,20,30,0.5)' -interlace PNG -define png:color-type=6 png:im_tiny_interlaced.png
$im -size 3x2 xc:orange -interlace PNG -define png:color-type=2 png:im_small_interlaced.png

/usr/bin/python3 - <<'PY'
from PIL import Image
shape = Image.open("shape.png").convert("RGBA")
photo = Image.open("photo.png").convert("RGB")
# tRNS for every colour type that has one.
photo.convert("L").save("pillow_grey8_trns.png", transparency=photo.convert("L").getpixel((0, 0)))
rgb = shape.convert("RGB")
rgb.save("pillow_rgb8_trns.png", transparency=rgb.getpixel((12, 10)))
pal = shape.convert("P", palette=Image.Palette.ADAPTIVE, colors=3)
pal.save("pillow_palette2_trns.png", transparency=bytes([0, 255, 128]), bits=2)
photo.convert("P", palette=Image.Palette.ADAPTIVE, colors=16).save("pillow_palette4.png", bits=4)
photo.convert("1").save("pillow_grey1.png")
photo.convert("L").save("pillow_grey8.png")
photo.convert("LA").save("pillow_greyalpha8.png")
photo.save("pillow_rgb8.png")
Image.open("soft.png").convert("RGBA").save("pillow_rgba8.png")
# Image data in many small IDAT chunks.
from PIL import PngImagePlugin
Image.open("soft.png").convert("RGBA").save("pillow_rgba8_split.png", compress_level=1)
PY
# Split the last file's image data into IDAT chunks of 64 bytes.
/usr/bin/python3 - <<'PY'
import struct, zlib
data = open("pillow_rgba8_split.png", "rb").read()
pos, chunks = 8, []
while pos < len(data):
    length, kind = struct.unpack(">I4s", data[pos:pos + 8])
    chunks.append((kind, data[pos + 8:pos + 8 + length]))
    pos += 12 + length
idat = b"".join(body for kind, body in chunks if kind == b"IDAT")
out = data[:8]
def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
for kind, body in chunks:
    if kind == b"IDAT":
        if idat:
            out += b"".join(chunk(b"IDAT", idat[i:i + 64]) for i in range(0, len(idat), 64))
            idat = b""
    else:
        out += chunk(kind, body)
open("pillow_rgba8_split.png", "wb").write(out)
PY

# Each file must be the kind its name says (colour type, depth, interlace).
/usr/bin/python3 - <<'PY'
import glob, struct
expect = {"grey": 0, "rgb": 2, "palette": 3, "greyalpha": 4, "rgba": 6}
for name in sorted(glob.glob("*_*.png")):
    d = open(name, "rb").read()
    width, height, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", d[16:29])
    stem = name[:-4].split("_")[1]
    kind = stem.rstrip("0123456789")
    if kind in expect:
        assert ctype == expect[kind], (name, ctype)
        assert str(depth) == stem[len(kind):], (name, depth)
    assert (interlace == 1) == ("interlaced" in name), (name, interlace)
    assert ("trns" not in name) or b"tRNS" in d, name
PY

for f in im_*.png pillow_*.png; do
  $im "$f" -depth 8 "RGBA:${f%.png}.rgba"
done
/usr/bin/python3 - <<'PY'
import glob, struct
from PIL import Image
for name in sorted(glob.glob("*.png")):
    depth = open(name, "rb").read()[24]
    if "_" not in name or depth == 16:
        continue
    ours = open(name[:-4] + ".rgba", "rb").read()
    pillow = Image.open(name).convert("RGBA").tobytes()
    # Colours under full transparency are not compared.
    for i in range(0, len(ours), 4):
        assert ours[i + 3] == pillow[i + 3] and (ours[i + 3] == 0 or ours[i:i + 3] == pillow[i:i + 3]), (name, i // 4)
PY

rm -f "$here"/*.png "$here"/*.rgba
cp im_*.png pillow_*.png ./*.rgba "$here/"
ls -l "$here" | head -5
echo "$(ls "$here"/*.png | wc -l) files"
