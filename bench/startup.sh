#!/usr/bin/env bash
# Start-up benchmark under Wine, in one run on one warm Wine server:
#   (a) KestrelaneSE until its main window is visible, against a minimal
#       Win32 program that shows one window (goal: ratio at most 1.5), and
#       against the windows KestrelaneSE opens with made bare, with no
#       program work (goal: ratio at most 1.2); the three start in turn in
#       the same runs, so the bare windows against the minimal window
#       program come out too, for reference;
#   (b) KestrelaneSE with a preset of 50 values on its command line, from
#       start to exit, against a minimal program that creates and destroys
#       one hidden window (goal: ratio at most 1.3); the Wine tests' stand-in
#       NVIDIA driver is in the system folder meanwhile, since a preset
#       writes only where a driver is found, and the preset's values are
#       checked afterwards;
# then a trace of one window start: the time at each phase and the duration
# of each start-up step.
# Usage: bench/startup.sh [runs]   (default 15; at least 7)
# Ends with a non-zero status when a start does not get there or the
# preset's values were not written.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-15}"
scripts/install-deps.sh
scripts/configure.sh windows
cmake --build --preset windows --target ks_bench_startup >/dev/null

install="$PWD/build/bench/install"
rm -rf "$install"
cmake --install build/windows --prefix "$install" >/dev/null
bin="$PWD/build/windows/bench/bin"
cp "$bin/ks_bench_se_traced.exe" "$install/"
mkdir -p "$install/data/Presets"
{
  printf '"ksp"\r\n"999"\r\n"0"\r\n"0"\r\n'
  for i in $(seq 1 50); do printf '"KsBenchValue%02d"\r\n"%d"\r\n' "$i" "$i"; done
} >"$install/data/Presets/bench50.ksp"

winpath() { echo "Z:$1" | tr / '\\'; }
fail() {
  echo "startup benchmark: $*" >&2
  exit 1
}
. bench/wine_session.sh

se="\"$(winpath "$install/KestrelaneSE.exe")\""
launcher="$bin/ks_bench_launcher.exe"
echo "(a) main window visible: KestrelaneSE (program) against a minimal window program (floor; goal <= 1.5)"
echo "    and against its windows made bare, with no program work (reference; goal <= 1.2), $runs runs"
wine "$launcher" window "$runs" "$se" "\"$(winpath "$bin/ks_bench_min_window.exe")\"" \
  "\"$(winpath "$bin/ks_bench_bare_windows.exe")\"" || fail "(a) a start did not show its window"
echo "(b) preset command line, 50 values: KestrelaneSE against a minimal hidden-window program ($runs runs; goal <= 1.3)"
# The stand-in driver DLLs (a version resource each) where the program looks
# for the driver's own, for this part alone: the window starts and the other
# benchmarks sharing the prefix see the machine as before.
system32="$WINEPREFIX/drive_c/windows/system32"
standins=()
for dll in nv4_disp.dll nvd3dum.dll; do
  if [ ! -e "$system32/$dll" ]; then
    cp "$PWD/build/windows/standins/$dll" "$system32/$dll"
    standins+=("$system32/$dll")
  fi
done
values="$bin/ks_bench_preset_values.exe"
end_preset() {
  wine "$values" clear 50 </dev/null >/dev/null 2>&1 || true
  [ ${#standins[@]} -eq 0 ] || rm -f "${standins[@]}"
  standins=()
}
trap 'end_preset; bench_end_session' EXIT
wine "$values" clear 50 </dev/null || fail "(b) the preset's values could not be cleared before the runs"
wine "$launcher" exit "$runs" "$se $(winpath "$install/data/Presets/bench50.ksp")" \
  "\"$(winpath "$bin/ks_bench_min_hidden.exe")\"" || fail "(b) a start did not end by itself"
wine "$values" check 50 </dev/null || fail "(b) the preset did not write its values"
echo "  the preset's 50 values are in the driver key"
end_preset
echo "One window start: microseconds since WinMain at each phase (the window counts as visible from \"show window\"), and each load step's duration:"
wine "$launcher" window 1 "\"$(winpath "$install/ks_bench_se_traced.exe")\"" \
  "\"$(winpath "$bin/ks_bench_min_window.exe")\"" >/dev/null
temp=$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')
cat "$(winepath -u "$temp" 2>/dev/null)/ks_startup_trace.txt" | sed 's/^/  /'
