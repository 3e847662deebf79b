#!/usr/bin/env bash
# The run command's install step: lays out the installation folder (the
# programs, with the data and manual folders beside them) from a built
# Windows tree. The programs are always the build's. A shipped data file is
# refreshed only where the installed copy is still the one the previous
# install shipped: a profile or list the user edited and a file relayo
# updated (whose update serial stays recorded, so it would never come back)
# are kept, and named. Every other file of the installation is left as it
# was: the user's presets, pvx's backup copies (the only copies of the files
# it deleted), added cleaner profiles and reports all live there.
# What was shipped is recorded in the installation (shipped.sha256: one
# "sha256  relative path" line per shipped file), replaced whole by a rename
# after the files are in place, so a stopped run leaves the previous record.
# Installs into one folder take turns: a second one started meanwhile waits
# for the first and then finds the folder as that one left it.
# Usage: scripts/install.sh [build tree] [installation folder]
# (default: build/windows and build/install of this checkout).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tree="${1:-$root/build/windows}"
prefix="${2:-$root/build/install}"
record="$prefix/shipped.sha256"

mkdir -p "$prefix"
# The lock is held on the folder itself, so that no file is added to it.
exec 9<"$prefix"
flock 9
# CMake lays the build out as it ships, in a folder beside the installation.
staging="$(mktemp -d "$(dirname "$prefix")/.install-staging.XXXXXX")"
partial=""
trap 'rm -rf "$staging"; [ -z "$partial" ] || rm -f "$partial"' EXIT
cmake --install "$tree" --prefix "$staging" >/dev/null

# hashes <folder> <array name>: reads relative paths (NUL-ended) and fills
# the associative array with path -> sha256 of that file in the folder.
hashes() {
  local -n into="$2"
  local line
  # -z: NUL-ended lines and no escaping of names that hold a backslash.
  while IFS= read -r -d '' line; do
    into["${line:66}"]="${line:0:64}"
  done < <(cd "$1" && xargs -0 -r sha256sum -z --)
}

shipped=()
while IFS= read -r -d '' path; do
  shipped+=("$path")
done < <(cd "$staging" && find . -type f -printf '%P\0' | sort -z)
[ "${#shipped[@]}" -gt 0 ] || { echo "install: $tree installs no files" >&2; exit 1; }
declare -A new=() installed=() previous=()
hashes "$staging" new < <(printf '%s\0' "${shipped[@]}")
hashes "$prefix" installed < <(
  for path in "${shipped[@]}"; do
    if [ -f "$prefix/$path" ] && [ ! -L "$prefix/$path" ]; then printf '%s\0' "$path"; fi
  done)
if [ -f "$record" ]; then
  # A line that is not "hash  path" records nothing: its file is then kept
  # where it differs from this build's copy.
  while IFS= read -r line; do
    [[ "$line" =~ ^[0-9a-f]{64}\ \ (.+)$ ]] && previous["${BASH_REMATCH[1]}"]="${line:0:64}"
  done <"$record"
fi

changed=() unrecorded=() in_the_way=() put=()
for path in "${shipped[@]}"; do
  target="$prefix/$path"
  if [ -L "$target" ] || { [ -e "$target" ] && [ ! -f "$target" ]; }; then
    # A folder or a link the user put where a file ships: not ours to replace.
    in_the_way+=("$path")
  elif [ ! -e "$target" ]; then
    put+=("$path")
  elif [ "${installed[$path]:-}" = "${new[$path]}" ]; then
    :
  elif [[ "${path,,}" == *.exe ]]; then
    put+=("$path")
  elif [ -n "${previous[$path]:-}" ] && [ "${previous[$path]}" = "${installed[$path]:-}" ]; then
    put+=("$path")
  elif [ -n "${previous[$path]:-}" ]; then
    changed+=("$path")
  else
    # No record of what an earlier install shipped here (an installation
    # made before the record existed, or a record without this line): the
    # copy may be the user's or relayo's, and replacing it would lose it.
    unrecorded+=("$path")
  fi
done

# The files go in by renames out of the staging folder, which lies on the
# installation's file system: no file is ever left half-copied. One mv per
# folder, since a process start per file makes a first install slow.
folder_of() { if [[ "$1" == */* ]]; then folder="${1%/*}"; else folder=.; fi; }
declare -A folders=()
for path in "${put[@]}"; do
  folder_of "$path"
  folders["$folder"]=1
done
for each in "${!folders[@]}"; do
  files=()
  for path in "${put[@]}"; do
    folder_of "$path"
    [ "$folder" = "$each" ] && files+=("$staging/$path")
  done
  mkdir -p "$prefix/$each"
  mv -f -t "$prefix/$each" -- "${files[@]}"
done

partial="$record.$$.install-new"
for path in "${shipped[@]}"; do
  printf '%s  %s\n' "${new[$path]}" "$path"
done >"$partial"
sync -- "$partial"
mv -f -- "$partial" "$record"
partial=""

# tell <why> <path>...: names the kept files, one a line.
tell() {
  local why="$1"
  shift
  [ "$#" -gt 0 ] || return 0
  echo "install: kept, $why (remove one to get this build's copy at the next start):" >&2
  printf '  %s\n' "$@" >&2
}
tell "changed since the last install" "${changed[@]}"
tell "not as this build ships them and not recorded as shipped by an earlier install" "${unrecorded[@]}"
tell "a folder or link where this build ships a file" "${in_the_way[@]}"
