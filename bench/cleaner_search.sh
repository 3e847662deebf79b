#!/usr/bin/env bash
# pvx's search of a Directory rule under Wine over 100, 1,000 and 5,000
# files, and of a List rule of a shipped profile's 42 names, against a bare
# program that finds the same files (for the list, looks up the same names)
# and adds them to a list box, in the same run: pvx's search (both groups, both backup
# folders, the eight lists filled and drawn), the bare program from its
# first FindFirstFileA to its drawn list. pvx's whole click on "Search
# files" is printed for reference: it also shows and closes the search
# notice, which under Wine on Xvfb costs about two seconds whatever the
# number of files.
# Each side runs `rounds` times at each size (default 5), in turns first;
# the best of each counts.
# The folders lie below the system drive's root, outside the Windows folder.
# Goals: pvx / bare <= 1.5 at every size and for the list, and pvx's time
# per file at 5,000 files within 1.5 times its time per file at 100.
# Usage: bench/cleaner_search.sh [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds="${1:-5}"
scripts/configure.sh windows >/dev/null
cmake --build --preset windows --target bench_cleaner_search -j4 >/dev/null
bin="$PWD/build/windows/bench/cleaner_search"

. bench/wine_session.sh
drive="$WINEPREFIX/drive_c"
sizes="100 1000 5000"
remove_folders() {
  for n in $sizes; do rm -rf "$drive/ks_bench_search_$n"; done
  rm -rf "$drive/ks_bench_list"
}
trap 'remove_folders; bench_end_session' EXIT
python3 - "$drive" $sizes <<'PY'
import os, sys
drive = sys.argv[1]
for n in map(int, sys.argv[2:]):
    folder = os.path.join(drive, f"ks_bench_search_{n}")
    os.makedirs(folder, exist_ok=True)
    for i in range(n):
        with open(os.path.join(folder, f"nvfile{i:05d}.dll"), "wb") as f:
            f.write(b"MZ" + bytes(62))
PY

clicks="$PWD/build/bench/cleaner_search_clicks.txt"
: >"$clicks"
run() {  # side size (or "list")
  local out
  if [ "$2" = list ]; then
    out=$(wine "$bin/bench_search_$1.exe" ks_bench_list 42 list </dev/null 2>/dev/null || true)
  else
    out=$(wine "$bin/bench_search_$1.exe" "ks_bench_search_$2" "$2" </dev/null 2>/dev/null || true)
  fi
  [ "$1" = bare ] || printf '%s %s\n' "$2" "$(printf '%s\n' "$out" | sed -n 's/^click_ms=\([0-9.]*\)\r*$/\1/p')" >>"$clicks"
  printf '%s\n' "$out" | sed -n 's/^ms=\([0-9.]*\) listed=\([0-9]*\) expected=\2\r*$/\1/p'
}
results=()
for n in $sizes list; do
  bare=() pvx=()
  for round in $(seq "$rounds"); do
    if [ $((round % 2)) -eq 1 ]; then
      bare+=("$(run bare "$n")")
      pvx+=("$(run pvx "$n")")
    else
      pvx+=("$(run pvx "$n")")
      bare+=("$(run bare "$n")")
    fi
  done
  results+=("$n" "$(printf '%s\n' "${bare[@]}" | sort -g | head -1)" "$(printf '%s\n' "${pvx[@]}" | sort -g | head -1)")
done
python3 - "$clicks" "${results[@]}" <<'PY'
import sys
clicks = {}
for line in open(sys.argv[1]):
    n, _, ms = line.partition(" ")
    if ms.strip():
        clicks[n] = min(clicks.get(n, float("inf")), float(ms))
args = sys.argv[2:]
rows = [(args[i], args[i + 1], args[i + 2]) for i in range(0, len(args), 3)]
if any(not b or not p for _, b, p in rows):
    sys.exit("cleaner search: a side failed (its list did not get every file)")
print("cleaner search: pvx's Directory rule under Wine against FindFirstFileA + LB_ADDSTRING")
per_file = {}
list_row = [r for r in rows if r[0] == "list"]
rows = [(int(n), b, p) for n, b, p in rows if n != "list"]
for n, b, p in rows:
    bare, pvx = float(b), float(p)
    per_file[n] = pvx / n
    print(f"  {n:5d} files: bare {bare:8.1f} ms, pvx {pvx:8.1f} ms, ratio {pvx / bare:.2f} (goal <= 1.50), "
          f"pvx {1000 * pvx / n:.1f} us a file; the whole click {clicks.get(str(n), float('nan')):.1f} ms")
for _, b, p in list_row:
    bare, pvx = float(b), float(p)
    print(f"  List rule of 42 names: bare lookups {bare:8.1f} ms, pvx {pvx:8.1f} ms, ratio {pvx / bare:.2f} "
          f"(goal <= 1.50); the whole click {clicks.get('list', float('nan')):.1f} ms")
first, last = rows[0][0], rows[-1][0]
print(f"  pvx's time per file at {last} against {first}: {per_file[last] / per_file[first]:.2f} (goal <= 1.50)")
PY
