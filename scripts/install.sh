#!/usr/bin/env bash
# The run command's install step: lays out the installation folder (the
# programs, with the data and manual folders beside them) from a built
# Windows tree. A later run refreshes the programs and the shipped files and
# leaves every other file of the installation as it was: the user's presets,
# pvx's backup copies (the only copies of the files it deleted), added
# cleaner profiles and reports all live there.
# Usage: scripts/install.sh [build tree] [installation folder]
# (default: build/windows and build/install of this checkout).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tree="${1:-$root/build/windows}"
prefix="${2:-$root/build/install}"
# CMake copies each shipped file whose time differs from the installed one
# and touches nothing else.
cmake --install "$tree" --prefix "$prefix" >/dev/null
