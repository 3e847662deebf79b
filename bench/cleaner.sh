#!/usr/bin/env bash
# Backing up and deleting 1,000 files under Wine: pvx's deletion with
# backup and index against a plain program that copies and deletes the same
# files with CopyFileA and DeleteFileA, in the same run. Each side runs
# three times, alternating; the best of each counts. Goal: ratio <= 1.5.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows >/dev/null
cmake --build --preset windows --target bench_cleaner_pvx bench_cleaner_plain -j6 >/dev/null
prefix="$PWD/build/windows/wineprefix"
bin="$PWD/build/windows/bench/cleaner"
best() { sort -g | head -1; }
plain=() pvx=()
for round in 1 2 3; do
  plain+=("$(cmake/wine-run.sh "$prefix" "$bin/bench_cleaner_plain.exe" | sed -n 's/^ms=\([0-9.]*\).*/\1/p')")
  pvx+=("$(cmake/wine-run.sh "$prefix" "$bin/bench_cleaner_pvx.exe" | sed -n 's/^ms=\([0-9.]*\).*/\1/p')")
done
floor=$(printf '%s\n' "${plain[@]}" | best)
ours=$(printf '%s\n' "${pvx[@]}" | best)
python3 - "$floor" "$ours" <<'PY'
import sys
floor, ours = float(sys.argv[1]), float(sys.argv[2])
print(f"cleaner: backup and delete of 1000 files under Wine")
print(f"  floor (CopyFileA + DeleteFileA): {floor:.1f} ms")
print(f"  pvx (copy, index, read back, delete): {ours:.1f} ms")
print(f"  ratio {ours / floor:.2f} (goal <= 1.50)")
PY
