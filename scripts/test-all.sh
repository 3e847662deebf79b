#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds both trees and runs every test:
# the native tests, then the Windows build's tests under Wine (with Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

scripts/configure.sh host
cmake --build --preset host
ctest --preset host

scripts/configure.sh windows
cmake --build --preset windows

xvfb_pid=""
cleanup() {
  WINEPREFIX="$PWD/build/windows/wineprefix" wineserver -k 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  display=":$((90 + RANDOM % 9))"
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY="$display"
  sleep 1
fi
ctest --preset windows
