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

. bench/wine_session.sh
wine "$PWD/build/windows/bench/bin/ks_bench_monitor_tick.exe" "$rounds" </dev/null
