#!/usr/bin/env bash
# Configures a CMake preset of this checkout ("host" or "windows"). A build
# tree that was made for another folder (the checkout was copied or moved)
# is configured afresh instead of stopping on CMake's cache check.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="$1"
tree="build/$preset"
cache="$tree/CMakeCache.txt"
if [ -f "$cache" ]; then
  made_for=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$cache")
  if [ "$made_for" != "$PWD" ]; then
    echo "configure: $tree was made for $made_for; configuring it again here" >&2
    rm -rf "$cache" "$tree/CMakeFiles"
  fi
fi
cmake --preset "$preset" >/dev/null
