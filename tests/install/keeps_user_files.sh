#!/usr/bin/env bash
# The run command's install step (scripts/install.sh), run twice on one
# installation folder of a built Windows tree: the second run refreshes the
# programs and the shipped files and keeps what was made in between (a
# preset, a backup copy with its index, an added cleaner profile, reports).
# Needs no display. Usage: keeps_user_files.sh <built Windows tree>
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
tree="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
install="$work/install"
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

"$source_dir/scripts/install.sh" "$tree" "$install"
for shipped in KestrelaneSE.exe pvx.exe data/LANGUAGE/en_pv.dat; do
  [ -f "$install/$shipped" ] || fail "the first run did not install $shipped"
done

# What the user and the programs make between two starts.
declare -A planted=(
  [data/Presets/My games.ksp]=$'"KSP","999"\r\n'
  [data/cleaner/backup/Driver/nvcpl.dll]="the only copy of a deleted driver file"
  [data/cleaner/backup/Driver/nvcpl.dll.index]=$'"C:\\WINDOWS\\system32\\nvcpl.dll"\r\n'
  [data/cleaner/My own profile.pvx]=$'"mine","Driver","","List","SYS-mine.txt","","","mine",""\r\n'
  [data/d3d_adapter_info.txt]="adapter report"
  [sm.dat]="monitoring log"
)
for name in "${!planted[@]}"; do
  mkdir -p "$(dirname "$install/$name")"
  printf '%s' "${planted[$name]}" >"$install/$name"
done
# A shipped file changed and a program removed: the next start puts them back.
printf 'changed' >"$install/data/LANGUAGE/en_pv.dat"
rm "$install/pvx.exe"

"$source_dir/scripts/install.sh" "$tree" "$install"
for name in "${!planted[@]}"; do
  if [ ! -f "$install/$name" ]; then
    fail "the second run removed $name"
  elif [ "$(cat "$install/$name"; printf x)" != "${planted[$name]}x" ]; then
    fail "the second run changed $name"
  fi
done
cmp -s "$source_dir/data/LANGUAGE/en_pv.dat" "$install/data/LANGUAGE/en_pv.dat" ||
  fail "the shipped en_pv.dat was not refreshed"
cmp -s "$tree/programs/pvx/pvx.exe" "$install/pvx.exe" || fail "pvx.exe was not put back"
[ "$failed" = 0 ] && echo "install step: planted files kept, shipped files refreshed"
exit "$failed"
