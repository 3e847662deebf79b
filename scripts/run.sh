#!/usr/bin/env bash
# Builds the Windows programs, lays out an installation folder
# (build/install: the programs with the data folder beside them) and starts
# KestrelaneSE.exe under Wine. Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows
rm -rf build/install
cmake --install build/windows --prefix build/install >/dev/null
if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no DISPLAY; start an X server (or run: xvfb-run scripts/run.sh)" >&2
  exit 1
fi
export WINEPREFIX="$PWD/build/run-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
exec wine build/install/KestrelaneSE.exe "$@"
