#!/usr/bin/env bash
# Speed and size of the PNG encoder in one run, on 256 x 256 RGBA icon
# images made by ImageMagick (bench/CMakeLists.txt):
# - time: our encoder at its default level beside libpng at its defaults,
#   from tessaly_bench (CPU time per image; the ratio is ours / libpng);
# - size: the 256-pixel entry of ImageMagick's icon writer beside ours for
#   the same pixels (tessaly-cli convert of ImageMagick's icon with --mode
#   alpha, which keeps the pixels but not the entry's PNG bytes, so that our
#   encoder writes them; it decodes
#   the entry and writes it again), with the PNG colour type each wrote;
# - size on real icons: the same for every distinct 256 x 256 image in the
#   icon resources of Wine's programs and DLLs, summed by the colour types
#   of the source entry and of ImageMagick's.
# Usage: bench/png_encode_compare.sh   (builds build/native first)
set -euo pipefail
. "$(dirname "$0")/../scripts/lib.sh"

ensure_packages "${TESSALY_PACKAGES_BUILD[@]}" "${TESSALY_PACKAGES_RUN[@]}" "${TESSALY_PACKAGES_TEST[@]}"
configure_native >/dev/null
build native tessaly_bench tessaly-cli >/dev/null

native=$TESSALY_BUILD/native
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

say "timing the encoders (tessaly_bench)"
"$native/bin/tessaly_bench" --benchmark_filter='^png_encode/' --benchmark_format=json \
  --benchmark_repetitions=3 --benchmark_report_aggregates_only=true >"$work/bench.json"

for picture in rgba icon photo; do
  png=$native/bench/data/${picture}_256.png
  /usr/bin/convert "$png" -define icon:auto-resize=256 "$work/$picture.imagemagick.ico"
  "$native/bin/tessaly-cli" convert "$work/$picture.imagemagick.ico" "$work/$picture.tessaly.ico" --png all --mode alpha
done

say "taking the 256-pixel icons out of Wine's programs"
wine_dir=$(dirname "$(find /usr/lib -path '*x86_64-windows/shell32.dll' -print -quit)")
mkdir -p "$work/real"
for module in "$wine_dir"/*.dll "$wine_dir"/*.exe; do
  wrestool -x -t 14 "$module" -o "$work/real" 2>/dev/null || true
done
for icon in "$work"/real/*.ico; do
  icotool -x -w 256 -o "$work/real" "$icon" 2>/dev/null || true
done

say "results"
/usr/bin/python3 - "$work" "$native/bin/tessaly-cli" <<'PY'
import glob, hashlib, json, struct, subprocess, sys
from PIL import Image
work, cli = sys.argv[1], sys.argv[2]
runs = {}
for b in json.load(open(f"{work}/bench.json"))["benchmarks"]:
    if b.get("aggregate_name") == "median":
        runs[b["run_name"]] = b

def entry(path):
    """The first image of an icon: its bytes and, for a PNG, its colour type."""
    data = open(path, "rb").read()
    size, offset = struct.unpack("<II", data[14:22])
    block = data[offset:offset + size]
    kind = f"PNG type {block[25]}" if block[:4] == b"\x89PNG" else "bitmap"
    return size, kind, len(data)

print(f"{'picture':<10} {'ours ms':>8} {'libpng ms':>10} {'time ratio':>10}   "
      f"{'ours bytes':>10} {'ImageMagick bytes':>18} {'bytes ratio':>11}")
for picture in ("rgba", "icon", "photo"):
    ours = runs[f"png_encode/tessaly/{picture}_256"]
    peer = runs[f"png_encode/libpng/{picture}_256"]
    mine, mine_kind, _ = entry(f"{work}/{picture}.tessaly.ico")
    theirs, their_kind, _ = entry(f"{work}/{picture}.imagemagick.ico")
    print(f"{picture + '_256':<10} {ours['cpu_time']:>8.2f} {peer['cpu_time']:>10.2f} "
          f"{ours['cpu_time'] / peer['cpu_time']:>10.2f}   {mine:>10} ({mine_kind}) {theirs:>8} ({their_kind}) "
          f"{mine / theirs:>7.3f}")

print("\nat libpng's level (6), to tell the encoder's own cost from the level's:")
for picture in ("rgba", "icon", "photo"):
    ours = runs[f"png_encode/tessaly_level6/{picture}_256"]
    peer = runs[f"png_encode/libpng/{picture}_256"]
    print(f"{picture + '_256':<10} {ours['cpu_time']:>8.2f} {peer['cpu_time']:>10.2f} "
          f"{ours['cpu_time'] / peer['cpu_time']:>10.2f}   bytes {int(ours['bytes'])} beside libpng's {int(peer['bytes'])}")

# Wine's icons: each distinct picture once, through ImageMagick's writer and
# through ours (from ImageMagick's icon, as above).
seen, groups, larger = set(), {}, 0
for png in sorted(glob.glob(f"{work}/real/*.png")):
    picture = Image.open(png)
    pixels = hashlib.sha1(picture.convert("RGBA").tobytes()).digest()
    if picture.size != (256, 256) or pixels in seen:
        continue
    seen.add(pixels)
    source_type = open(png, "rb").read()[25]
    subprocess.run(["/usr/bin/convert", png, "-define", "icon:auto-resize=256", f"{work}/real.im.ico"], check=True)
    subprocess.run([cli, "convert", f"{work}/real.im.ico", f"{work}/real.t.ico", "--png", "all", "--mode", "alpha"],
                   check=True, capture_output=True)
    mine, _, _ = entry(f"{work}/real.t.ico")
    theirs, their_kind, _ = entry(f"{work}/real.im.ico")
    group = groups.setdefault((source_type, their_kind), [0, 0, 0])
    group[0] += 1
    group[1] += mine
    group[2] += theirs
    larger += mine > theirs
print(f"\nWine's 256 x 256 icons ({len(seen)} distinct pictures, {larger} of them larger in ours):")
print(f"{'source type':>11} {'ImageMagick wrote':>18} {'pictures':>9} {'ours bytes':>11} {'theirs':>9} {'ratio':>6}")
totals = [0, 0]
for (source_type, their_kind), (count, mine, theirs) in sorted(groups.items(), key=lambda g: str(g[0])):
    print(f"{source_type:>11} {their_kind:>18} {count:>9} {mine:>11} {theirs:>9} {mine / theirs:>6.3f}")
    totals[0] += mine
    totals[1] += theirs
print(f"{'all':>11} {'':>18} {len(seen):>9} {totals[0]:>11} {totals[1]:>9} {totals[0] / totals[1]:>6.3f}")
PY
