#!/usr/bin/env bash
# Builds the Windows programs (not the tests), lays out an installation
# folder (build/install: the programs with the data folder beside them) and
# starts KestrelaneSE.exe under Wine. Arguments are passed to the program.
# The installation keeps what the user made or changed there, and what
# relayo updated, between runs (scripts/install.sh). Two starts at once take
# turns at setting up, building and installing (one build tree, one
# installation, one Wine prefix); the programs then run side by side.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no X display (DISPLAY is empty). Start one, or run: xvfb-run scripts/run.sh" >&2
  exit 1
fi
mkdir -p build
exec 9<build
flock 9
scripts/install-deps.sh run
scripts/configure.sh windows
cmake --build --preset windows --target ks_programs
scripts/install.sh build/windows build/install
export WINEPREFIX="$PWD/build/run-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine's server and services outlive this start: they must not hold the lock.
[ -f "$WINEPREFIX/system.reg" ] || {
  echo "run.sh: making the Wine prefix (once)" >&2
  wineboot -i >/dev/null 2>&1 9<&-
  wineserver -w 9<&-
}
exec 9<&-
exec wine build/install/KestrelaneSE.exe "$@"
