#!/usr/bin/env bash
# The viewer under Wine's software rendering: the preview's frame time
# against a bare Clear/Present frame on the same device, and the load of
# the 512x512 DXT1 texture with its mip chain against uploading the same
# levels from memory. Three runs; the best of each counts.
# Goals: frame ratio <= 2.5, load ratio <= 4.0. Starts its own X display
# when none is set.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/configure.sh windows
cmake --build --preset windows --target bench_viewer -j4 >/dev/null
bin="$PWD/build/windows/bench/viewer"
mkdir -p "$bin/DATA"
cp data/ksln.jpg data/p128.dds data/p128dx1.dds data/p256dx1.dds data/p512dx1.dds "$bin/DATA/"

. bench/wine_session.sh
runs=()
for round in 1 2 3; do
  out=$(wine "$bin/bench_viewer.exe" </dev/null 2>&1 || true)
  line=$(printf '%s\n' "$out" | grep '^frame_ms=' || true)
  if [ -z "$line" ]; then
    echo "viewer benchmark: run $round gave no timings:" >&2
    printf '%s\n' "$out" >&2
    exit 1
  fi
  runs+=("$line")
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
