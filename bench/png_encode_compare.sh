#!/usr/bin/env bash
# Speed and size of the PNG encoder in one run, on 256 x 256 RGBA icon
# images made by ImageMagick (bench/CMakeLists.txt):
# - time: our encoder at its default level beside libpng at its defaults,
#   from tessaly_bench (CPU time per image; the ratio is ours / libpng);
# - size: the 256-pixel entry of ImageMagick's icon writer beside ours for
#   the same pixels (tessaly-cli convert of ImageMagick's icon with --mode
#   alpha, which keeps the pixels but not the entry's PNG bytes, so that our
#   encoder writes them; it decodes
#   the entry and writes it again), with the PNG colour type each wrote.
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
"$native/bin/tessaly_bench" --benchmark_filter='^png_encode/(tessaly|libpng)/' --benchmark_format=json \
  --benchmark_repetitions=3 --benchmark_report_aggregates_only=true >"$work/bench.json"

for picture in rgba icon photo; do
  png=$native/bench/data/${picture}_256.png
  /usr/bin/convert "$png" -define icon:auto-resize=256 "$work/$picture.imagemagick.ico"
  "$native/bin/tessaly-cli" convert "$work/$picture.imagemagick.ico" "$work/$picture.tessaly.ico" --png all --mode alpha
done

say "results"
/usr/bin/python3 - "$work" <<'PY'
import json, struct, sys
work = sys.argv[1]
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
PY
