# Sourced by the benchmarks that run Windows programs, from the checkout's
# top folder: the benchmarks' Wine prefix, an X display (an Xvfb of our own
# when none is set), a warm Wine server, and the end of both when the
# benchmark exits.
export WINEPREFIX="$PWD/build/bench/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$WINEPREFIX")"
bench_xvfb_pid=""
bench_end_session() {
  wineserver -k 2>/dev/null || true
  [ -z "$bench_xvfb_pid" ] || kill "$bench_xvfb_pid" 2>/dev/null || true
}
trap bench_end_session EXIT
if [ -z "${DISPLAY:-}" ]; then
  display=":$((150 + RANDOM % 40))"
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  bench_xvfb_pid=$!
  export DISPLAY="$display"
  sleep 1
fi
[ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
wineserver -p600 </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
