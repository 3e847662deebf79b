#!/usr/bin/env bash
# The viewer under Wine's software rendering: the preview's frame time
# against a bare Clear/Present frame on the same device, and the load of
# the 512x512 DXT1 texture with its mip chain against uploading the same
# levels from memory. Three runs; the best of each counts.
# Goals: frame ratio <= 2.5, load ratio <= 4.0. Needs an X display.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows >/dev/null
cmake --build --preset windows --target bench_viewer -j6 >/dev/null
prefix="$PWD/build/windows/wineprefix"
bin="$PWD/build/windows/bench/viewer"
mkdir -p "$bin/DATA"
cp data/ksln.jpg data/p128.dds data/p128dx1.dds data/p256dx1.dds data/p512dx1.dds "$bin/DATA/"
runs=()
for round in 1 2 3; do
  runs+=("$(cmake/wine-run.sh "$prefix" "$bin/bench_viewer.exe" | grep '^frame_ms=')")
done
python3 - "${runs[@]}" <<'PY'
import sys
rows = [dict(kv.split("=") for kv in line.split()) for line in sys.argv[1:]]
best = {k: min(float(r[k]) for r in rows) for k in rows[0]}
print("viewer under Wine (software rendering)")
print(f"  preview frame: {best['frame_ms']:.2f} ms, bare frame {best['frame_floor_ms']:.2f} ms, "
      f"ratio {best['frame_ms'] / best['frame_floor_ms']:.2f} (goal <= 2.50)")
print(f"  p512dx1.dds load: {best['load_ms']:.2f} ms, upload from memory {best['load_floor_ms']:.2f} ms, "
      f"ratio {best['load_ms'] / best['load_floor_ms']:.2f} (goal <= 4.00)")
PY
