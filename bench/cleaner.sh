#!/usr/bin/env bash
# Backing up and deleting 1,000 files under Wine, in the same run: pvx's
# deletion with backup (copy and index each written under an unfinished
# name, the index read back, both flushed and renamed into place, then the
# delete) against a bare program that makes the same file operations and
# nothing else, and for reference against a plain program that only copies
# and deletes with CopyFileA and DeleteFileA. Each side runs five times,
# in turn; the best of each counts. Goal: pvx / bare <= 1.2.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows >/dev/null
cmake --build --preset windows --target bench_cleaner_pvx bench_cleaner_bare bench_cleaner_plain -j4 >/dev/null
prefix="$PWD/build/windows/wineprefix"
bin="$PWD/build/windows/bench/cleaner"
best() { sort -g | head -1; }
run() { cmake/wine-run.sh "$prefix" "$bin/bench_cleaner_$1.exe" | sed -n 's/^ms=\([0-9.]*\) failed=0\r*$/\1/p'; }
plain=() bare=() pvx=()
for round in 1 2 3 4 5; do
  plain+=("$(run plain)")
  bare+=("$(run bare)")
  pvx+=("$(run pvx)")
done
python3 - "$(printf '%s\n' "${plain[@]}" | best)" "$(printf '%s\n' "${bare[@]}" | best)" \
  "$(printf '%s\n' "${pvx[@]}" | best)" <<'PY'
import sys
if any(not a for a in sys.argv[1:]):
    sys.exit("cleaner: a side failed (a file was not backed up or deleted)")
plain, bare, ours = (float(a) for a in sys.argv[1:])
print("cleaner: backup and delete of 1000 files under Wine")
print(f"  bare (the same file operations): {bare:.1f} ms")
print(f"  pvx (BackupRun):                 {ours:.1f} ms")
print(f"  ratio {ours / bare:.2f} (goal <= 1.20)")
print(f"  for reference, CopyFileA + DeleteFileA alone: {plain:.1f} ms (pvx {ours / plain:.2f} times)")
PY
