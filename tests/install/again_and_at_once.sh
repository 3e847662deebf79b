#!/usr/bin/env bash
# The run command's install step (scripts/install.sh) started again with
# nothing to do, and started twice at once. A run from the same tree
# changes neither the installation nor its record (shipped.sha256), so that
# the next build still refreshes a shipped file nobody touched, without
# naming it. Two runs at once on one folder both succeed and leave the
# record whole, as one run leaves it: they used to share the record's
# unfinished name, and one of them failed ("mv: cannot stat") or moved the
# other's half-written record into place.
# Needs no display. Usage: again_and_at_once.sh <built Windows tree>
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
tree="$(cd "$1" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }
install_step() {
  "$source_dir/scripts/install.sh" "$2" "$3" >"$work/$1.out" 2>&1 || fail "the $1 run ended with $?"
}
# What a folder holds: one "sha256  path" line per file, sorted.
contents() { (cd "$1" && find . -type f -printf '%P\0' | sort -z | xargs -0 -r sha256sum --); }

# The next build: this tree with en_pv.dat changed.
next="$work/next-build"
mkdir -p "$next" "$work/next-data"
{ cat "$source_dir/data/LANGUAGE/en_pv.dat"; printf 'changed by the next build\r\n'; } >"$work/next-data/en_pv.dat"
cat >"$next/cmake_install.cmake" <<EOF
include("$tree/cmake_install.cmake")
file(INSTALL DESTINATION "\${CMAKE_INSTALL_PREFIX}/data/LANGUAGE" TYPE FILE FILES "$work/next-data/en_pv.dat")
EOF

install="$work/install"
install_step first "$tree" "$install"
[ -s "$install/shipped.sha256" ] || fail "the first run left no record"
contents "$install" >"$work/after-first"
install_step again "$tree" "$install"
[ ! -s "$work/again.out" ] || fail "the run with nothing to do said: $(cat "$work/again.out")"
contents "$install" >"$work/after-again"
cmp -s "$work/after-first" "$work/after-again" ||
  fail "the run with nothing to do changed the installation: $(diff "$work/after-first" "$work/after-again" | head -5)"
install_step next "$next" "$install"
cmp -s "$work/next-data/en_pv.dat" "$install/data/LANGUAGE/en_pv.dat" ||
  fail "the next build's en_pv.dat, untouched in the installation, was not refreshed"
! grep -q 'en_pv.dat' "$work/next.out" || fail "the next build's run named en_pv.dat: $(cat "$work/next.out")"
grep -qx "$(sha256sum <"$work/next-data/en_pv.dat" | cut -c1-64)  data/LANGUAGE/en_pv.dat" "$install/shipped.sha256" ||
  fail "the record does not hold the next build's en_pv.dat"

# Two runs at once, into an empty folder and into an installed one, a few
# times each: the fault showed in most tries but not in all.
reference="$work/reference"
install_step reference "$tree" "$reference"
for round in 1 2 3 4 5 6 7 8; do
  folder="$work/at-once"
  [ $((round % 2)) = 0 ] || rm -rf "$folder"
  "$source_dir/scripts/install.sh" "$tree" "$folder" >"$work/one.out" 2>&1 &
  one=$!
  "$source_dir/scripts/install.sh" "$tree" "$folder" >"$work/other.out" 2>&1 &
  other=$!
  wait "$one" || fail "round $round: one of two runs at once ended with $?: $(cat "$work/one.out")"
  wait "$other" || fail "round $round: the other of two runs at once ended with $?: $(cat "$work/other.out")"
  cmp -s "$reference/shipped.sha256" "$folder/shipped.sha256" || fail "round $round: the record is not whole"
  [ ! -s "$work/one.out" ] && [ ! -s "$work/other.out" ] ||
    fail "round $round: the runs named files: $(cat "$work/one.out" "$work/other.out")"
  leftovers="$(find "$work" -maxdepth 1 -name '.install-staging*'; find "$folder" -name '*.install-new')"
  [ -z "$leftovers" ] || fail "round $round: the runs left behind: $leftovers"
done
contents "$reference" >"$work/reference-contents"
contents "$folder" >"$work/at-once-contents"
cmp -s "$work/reference-contents" "$work/at-once-contents" ||
  fail "two runs at once did not lay out what one run does"

if [ "$failed" = 0 ]; then
  echo "install step: a run with nothing to do changes nothing, two runs at once leave one whole record"
fi
exit "$failed"
