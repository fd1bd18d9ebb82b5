#!/usr/bin/env bash
# Makes the .ico files in this folder with other programs (ImageMagick,
# icoutils, Pillow), so that every build, also the one under Wine, reads files
# that Tessaly did not write itself. Beside each image i of NAME.ico it
# stores NAME.i.rgba: the expected pixels, 8-bit red, green, blue, alpha, top
# row first. For ImageMagick's and icotool's files, and Pillow's PNG entries,
# they are ImageMagick's own reading of the icon; for Pillow's bitmap
# entries the picture Pillow was given
# (Pillow's and ImageMagick's readers disagree about the masks Pillow writes).
# Run it from anywhere; it rewrites the files in this folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
im=/usr/bin/convert
cd "$work"

# Source pictures: hard-edged shapes with binary transparency (palette
# icons), a soft one with partial alpha, and opaque ones with many colours.
$im -size 16x16 xc:none +antialias -fill black -draw 'circle 8,8 8,2' mono16.png
$im -size 16x16 xc:none +antialias -fill red -draw 'circle 8,8 8,2' -fill blue -draw 'rectangle 2,2 5,5' few16.png
$im -size 32x32 xc:none +antialias -fill 'rgb(10,200,30)' -draw 'circle 16,16 16,3' -fill navy \
  -draw 'rectangle 3,3 12,12' few32.png
$im -size 32x32 gradient:yellow-purple -colors 100 +dither \( +clone -alpha extract -fill black \
  -draw 'rectangle 0,0 9,9' \) -alpha off -compose copyopacity -composite many32.png
$im -size 16x16 xc:red -fill blue -draw 'rectangle 0,0 7,7' -fill lime -draw 'rectangle 8,8 15,15' \
  -fill yellow -draw 'point 3,12' -fill white -draw 'point 12,3' five16.png
$im -seed 7 -size 32x32 plasma:fractal -depth 8 full32.png
$im -size 64x64 radial-gradient:'rgba(255,128,0,1)'-'rgba(0,0,255,0)' soft64.png
$im -size 256x256 xc:none -fill 'rgba(200,30,90,0.8)' -draw 'roundrectangle 16,16 239,239 40,40' soft256.png

# ImageMagick: 32-bit bitmap entries of 16, 32 and 48 pixels and a PNG entry of 256.
$im soft256.png -define icon:auto-resize=16,32,48,256 imagemagick_32bit.ico
# ImageMagick: palette entries (4-bit and 8-bit with masks).
$im few16.png many32.png -type PaletteAlpha imagemagick_palette.ico
# icotool picks 1, 4, 8, 24 and 32 bits by the colours and transparency it finds.
icotool -c -o icotool_mixed.ico mono16.png few16.png many32.png full32.png soft64.png

/usr/bin/python3 - <<'PY'
from PIL import Image
def rgba(img, name):
    open(name, "wb").write(img.convert("RGBA").tobytes())
# Pillow's default: every entry PNG-compressed.
Image.open("soft64.png").save("pillow_png.ico", sizes=[(16, 16), (32, 32)])
# Pillow's bitmap entries: 32 bits without mask rows, and palette images with
# a short colour table and unpadded mask rows.
soft = Image.open("soft64.png").convert("RGBA").resize((32, 32))
soft.save("pillow_bmp32.ico", sizes=[(32, 32)], bitmap_format="bmp")
rgba(soft, "pillow_bmp32.0.rgba")
pal = Image.open("five16.png").convert("P", palette=Image.Palette.ADAPTIVE, colors=5)
assert len(pal.getpalette()) == 15, "Pillow should keep a short palette"
pal.save("pillow_palette.ico", sizes=[(16, 16)], bitmap_format="bmp")
rgba(pal, "pillow_palette.0.rgba")
PY

# The entries of each file, by index.
entries() {
  /usr/bin/python3 -c '
import struct, sys
d = open(sys.argv[1], "rb").read()
for i in range(struct.unpack("<H", d[4:6])[0]):
    print(i)
' "$1"
}
for name in imagemagick_32bit imagemagick_palette icotool_mixed pillow_png; do
  for i in $(entries "$name.ico"); do
    $im "$name.ico[$i]" -depth 8 "RGBA:$name.$i.rgba"
  done
done

rm -f "$here"/*.ico "$here"/*.rgba
cp ./*.ico ./*.rgba "$here/"
ls -l "$here"
