#!/usr/bin/env bash
# The run command's install step (scripts/install.sh), run on one
# installation folder from a built Windows tree and then from a next build
# (the same tree with some shipped files changed and one added). The later
# runs refresh the programs and every shipped file still as the previous
# run shipped it, put back what was removed, keep what was made in between
# (a preset, a backup copy with its index, an added cleaner profile,
# reports) and keep, naming them, the shipped files changed since: a profile
# and a list the user edited, a file relayo updated. An installation laid
# out before the step recorded what it shipped keeps what differs.
# Needs no display. Usage: keeps_user_files.sh <built Windows tree>
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
tree="$(cd "$1" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
install="$work/install"
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }
same() { cmp -s "$1" "$2"; }
# kept_names <output>: the files an install run named as kept, one a line.
kept_names() { sed -n 's/^  //p' "$1" | sort; }
expect_kept() {
  local run="$1" output="$2"
  shift 2
  local expected
  expected="$(printf '%s\n' "$@" | sort)"
  [ "$(kept_names "$output")" = "$expected" ] ||
    fail "$run named as kept: [$(kept_names "$output" | paste -sd '|')], expected [$(echo "$expected" | paste -sd '|')]"
}

# install_step <run> <tree> <folder>: one run, its output in <run>.out.
install_step() {
  "$source_dir/scripts/install.sh" "$2" "$3" >"$work/$1.out" 2>&1 || fail "the $1 run ended with $?"
}

profile="data/cleaner/ForceWare for Windows 2000 and XP.pvx"
list="data/cleaner/fw_nt.txt"

# The next build: this tree's installation with en_pv.dat and the profile
# changed and a data file added.
next="$work/next-build"
mkdir -p "$next" "$work/next-data"
{ cat "$source_dir/data/LANGUAGE/en_pv.dat"; printf 'changed by the next build\r\n'; } >"$work/next-data/en_pv.dat"
{ cat "$source_dir/$profile"; printf '"next","Driver","","List","fw_nt.txt","","","next",""\r\n'; } \
  >"$work/next-data/$(basename "$profile")"
printf 'added by the next build\r\n' >"$work/next-data/added.dat"
cat >"$next/cmake_install.cmake" <<EOF
include("$tree/cmake_install.cmake")
file(INSTALL DESTINATION "\${CMAKE_INSTALL_PREFIX}/data/LANGUAGE" TYPE FILE FILES "$work/next-data/en_pv.dat")
file(INSTALL DESTINATION "\${CMAKE_INSTALL_PREFIX}/data/cleaner" TYPE FILE FILES "$work/next-data/$(basename "$profile")")
file(INSTALL DESTINATION "\${CMAKE_INSTALL_PREFIX}/data" TYPE FILE FILES "$work/next-data/added.dat")
EOF

install_step first "$tree" "$install"
for shipped in KestrelaneSE.exe pvx.exe data/LANGUAGE/en_pv.dat "$profile" data/mt.dat; do
  [ -f "$install/$shipped" ] || fail "the first run did not install $shipped"
done
expect_kept "the first run" "$work/first.out"

# What the user and the programs make between two starts.
declare -A planted=(
  [data/Presets/My games.ksp]=$'"KSP","999"\r\n'
  [data/cleaner/backup/Driver/nvcpl.dll]="the only copy of a deleted driver file"
  [data/cleaner/backup/Driver/nvcpl.dll.index]=$'"C:\\WINDOWS\\system32\\nvcpl.dll"\r\n'
  [data/cleaner/My own profile.pvx]=$'"mine","Driver","","List","SYS-mine.txt","","","mine",""\r\n'
  [data/d3d_adapter_info.txt]="adapter report"
  [sm.dat]="monitoring log"
)
# Shipped files changed in the installation: kept by every later run.
declare -A changed=(
  [$profile]=$'"edited","Driver","","List","fw_nt.txt","","","edited",""\r\n'
  [$list]=$'nvcpl.dll\r\nmy own line\r\n'
  [data/mt.dat]=$'relayo\'s update of this file\r\n'
)
for name in "${!planted[@]}" "${!changed[@]}"; do
  mkdir -p "$(dirname "$install/$name")"
  printf '%s' "${planted[$name]:-${changed[$name]:-}}" >"$install/$name"
done
# Removed and overwritten files: put back.
rm "$install/pvx.exe" "$install/data/aa.dat"
printf 'not the build' >"$install/KestrelaneSE.exe"
# A folder where a file ships is the user's: kept, named, not an error.
rm "$install/data/vs.dat"
mkdir "$install/data/vs.dat"
printf 'mine' >"$install/data/vs.dat/mine.txt"

check_kept() {
  local run="$1" name
  for name in "${!planted[@]}" "${!changed[@]}"; do
    local content="${planted[$name]:-${changed[$name]:-}}"
    if [ ! -f "$install/$name" ]; then
      fail "$run removed $name"
    elif [ "$(cat "$install/$name"; printf x)" != "${content}x" ]; then
      fail "$run changed $name"
    fi
  done
}

install_step second "$next" "$install"
check_kept "the second run"
expect_kept "the second run" "$work/second.out" "$profile" "$list" data/mt.dat data/vs.dat
[ "$(cat "$install/data/vs.dat/mine.txt")" = mine ] || fail "the second run changed data/vs.dat/mine.txt"
# A shipped file the next build changed and nobody touched is refreshed.
same "$work/next-data/en_pv.dat" "$install/data/LANGUAGE/en_pv.dat" ||
  fail "the second run did not refresh en_pv.dat, changed by the next build"
same "$work/next-data/added.dat" "$install/data/added.dat" || fail "the second run did not install added.dat"
same "$source_dir/data/af.dat" "$install/data/af.dat" || fail "the second run changed the untouched af.dat"
same "$source_dir/data/aa.dat" "$install/data/aa.dat" || fail "the second run did not put back aa.dat"
same "$tree/programs/pvx/pvx.exe" "$install/pvx.exe" || fail "pvx.exe was not put back"
same "$tree/programs/KestrelaneSE/KestrelaneSE.exe" "$install/KestrelaneSE.exe" ||
  fail "the overwritten KestrelaneSE.exe was not refreshed"

# The record holds what was shipped, not the kept copies: they stay kept.
# A kept file the user removes comes back as the build ships it.
rm "$install/$list"
unset "changed[$list]"
install_step third "$next" "$install"
check_kept "the third run"
expect_kept "the third run" "$work/third.out" "$profile" data/mt.dat data/vs.dat
same "$source_dir/$list" "$install/$list" || fail "the third run did not put back the removed $list"

leftovers="$(find "$work" -maxdepth 1 -name '.install-staging*'; find "$install" -name '*.install-new')"
[ -z "$leftovers" ] || fail "the runs left behind: $leftovers"

# An installation laid out before the step recorded what it shipped: a
# file that differs from the next build's copy may be the user's or
# relayo's, so it is kept and named; files as the next build ships them are
# not named.
older="$work/older"
cmake --install "$tree" --prefix "$older" >/dev/null
printf '"edited","Driver","","","","","","",""\r\n' >"$older/$profile"
install_step older "$next" "$older"
expect_kept "the run over an older installation" "$work/older.out" "$profile" data/LANGUAGE/en_pv.dat
[ "$(cat "$older/$profile")" = $'"edited","Driver","","","","","","",""\r' ] ||
  fail "the run over an older installation changed the edited profile"
same "$work/next-data/added.dat" "$older/data/added.dat" ||
  fail "the run over an older installation did not install added.dat"

if [ "$failed" = 0 ]; then
  echo "install step: planted and changed files kept and named, shipped files refreshed"
else
  for run in first second third older; do
    echo "--- output of the $run run:" >&2
    cat "$work/$run.out" >&2
  done
fi
exit "$failed"
