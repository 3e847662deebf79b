#!/usr/bin/env bash
# Monitoring benchmark under Wine: the processor time of one Timer3 tick in
# the shown main window (sampling, texts, bars, graphs and their repaint)
# against the bare system calls of a tick, and the tick's share of one core
# at the fastest interval, 200 ms (goal: below 0.5 %).
# Usage: bench/monitoring.sh [rounds]   (default 2000)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds="${1:-2000}"
scripts/install-deps.sh
scripts/configure.sh windows
cmake --build --preset windows --target ks_bench_monitoring >/dev/null

export WINEPREFIX="$PWD/build/bench/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$PWD/build/bench"
xvfb_pid=""
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  display=":$((150 + RANDOM % 40))"
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY="$display"
  sleep 1
fi
[ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
wine "$PWD/build/windows/bench/bin/ks_bench_monitor_tick.exe" "$rounds" </dev/null
