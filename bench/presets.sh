#!/bin/sh
# Benchmark: "KestrelaneSE.exe <preset>" from start to exit under Wine,
# against an empty Win32 program started the same way (the floor, measured
# in the same run). Prints both medians and their ratio; the goal is at
# most 1.3. Needs an X display (run it under xvfb-run without one).
set -e
cd "$(dirname "$0")/.."
root=$PWD
cmake --preset windows >/dev/null
cmake --build --preset windows --target KestrelaneSE ks_bench_empty_program -j6 >/dev/null
build=$root/build/windows
work=$build/bench_presets
rm -rf "$work"
mkdir -p "$work/DATA/LANGUAGE" "$work/DATA/Presets"
cp "$build/programs/KestrelaneSE/KestrelaneSE.exe" "$work/"
cp "$build/bench/presets/ks_bench_empty_program.exe" "$work/"
cp "$root/data/LANGUAGE/en.dat" "$work/DATA/LANGUAGE/"
cp -r "$root/data/Database" "$work/DATA/"
printf '"ksp"\r\n"999"\r\n"0"\r\n"0"\r\n"OGL_KsBench"\r\n"1"\r\n' > "$work/DATA/Presets/bench.ksp"
export WINEPREFIX="$build/wineprefix"
# A warm prefix and server, as the tests use.
"$root/cmake/wine-run.sh" "$WINEPREFIX" cmd /c exit >/dev/null 2>&1
python3 - "$work" <<'PY'
import statistics, subprocess, sys, time
work = sys.argv[1]
def windows(path):
    return "Z:" + path.replace("/", "\\")
def run(args, times=7):
    spans = []
    for _ in range(times):
        start = time.perf_counter()
        subprocess.run(["wine"] + args, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=False, timeout=120)
        spans.append(time.perf_counter() - start)
    return statistics.median(spans)
floor = run([windows(work + "/ks_bench_empty_program.exe"), windows(work + "/DATA/Presets/bench.ksp")])
preset = run([windows(work + "/KestrelaneSE.exe"), windows(work + "/DATA/Presets/bench.ksp")])
print(f"empty program: {floor * 1000:.0f} ms  preset command line: {preset * 1000:.0f} ms  "
      f"ratio {preset / floor:.2f} (goal at most 1.30)")
PY
