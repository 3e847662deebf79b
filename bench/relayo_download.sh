#!/usr/bin/env bash
# Download benchmark: relayo's download of a 20 MB file from a loopback HTTP
# server under Wine, against a bare program that fetches the same file with
# URLDownloadToFileA alone (no callback, no session, no temporary file) in
# the same run (goal: relayo's throughput at least 0.9 of the bare call's).
# curl fetching the same file is printed for reference: Wine's download
# service is slower than curl whatever relayo does.
# Usage: bench/relayo_download.sh [rounds]   (default 30)
# Each round starts both programs, in turns first, each making 2 counted
# downloads. One download through Wine's service takes anywhere from one to
# five times its fastest time, and a whole process can be slow, for both
# programs alike; the machine's pace also drifts between rounds. So each
# round compares the better download of each program, and the ratio printed
# is the median over the rounds (the medians and the best of all downloads
# are printed beside it).
set -euo pipefail
cd "$(dirname "$0")/.."
rounds="${1:-30}"
runs=2
scripts/install-deps.sh
command -v curl >/dev/null || { echo "curl is needed" >&2; exit 1; }
cmake --preset windows >/dev/null
cmake --build --preset windows --target ks_bench_download >/dev/null

work="$PWD/build/bench/relayo_download"
rm -rf "$work"
mkdir -p "$work/site/update" "$work/install"
head -c $((20 * 1024 * 1024)) /dev/urandom >"$work/site/update/big.bin"
port=$((20000 + RANDOM % 20000))
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/site" >"$work/server.log" 2>&1 &
server=$!
export WINEPREFIX="$PWD/build/bench/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  kill "$server" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
}
trap cleanup EXIT
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
url="http://127.0.0.1:$port/update/big.bin"
for _ in $(seq 50); do curl -s -o /dev/null "$url" && break; sleep 0.1; done
mkdir -p "$(dirname "$WINEPREFIX")"
[ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
wineserver -p600 </dev/null >/dev/null 2>&1

for _ in $(seq $((rounds * runs))); do
  curl -s -o "$work/curl.bin" -w '0 %{time_total}\n' "$url"
done >"$work/curl.times"
bin="$PWD/build/windows/bench/bin"
windows_path() { echo "Z:$1" | tr / '\\'; }
gets() { grep -c '"GET /update/big.bin' "$work/server.log" || true; }
gets_before=$(gets)
: >"$work/bare.times"
: >"$work/relayo.times"
for round in $(seq "$rounds"); do
  order="bare relayo"
  [ $((round % 2)) -eq 0 ] && order="relayo bare"
  for who in $order; do
    if [ "$who" = bare ]; then
      wine "$bin/ks_bench_bare_download.exe" "$url" "$(windows_path "$work/install/bare.bin")" "$runs" |
        sed "s/^/$round /" >>"$work/bare.times"
    else
      wine "$bin/ks_bench_relayo_download.exe" "$url" "$(windows_path "$work/install/big.bin")" "$runs" |
        sed "s/^/$round /" >>"$work/relayo.times"
    fi
  done
done
# Wine's service fetches from the server each time, cache or not: a
# download served from the cache would not be one.
made=$((rounds * 2 * (runs + 1)))
[ $(($(gets) - gets_before)) -eq "$made" ] || { echo "not every download reached the server" >&2; exit 1; }
for copy in big.bin bare.bin; do
  cmp -s "$work/site/update/big.bin" "$work/install/$copy" || { echo "the copy $copy differs" >&2; exit 1; }
done
python3 - "$work/curl.times" "$work/bare.times" "$work/relayo.times" <<'PY'
import statistics
import sys
def read(path):
    rounds = {}
    for line in open(path):
        if line.strip():
            r, t = line.split()
            rounds.setdefault(int(r), []).append(float(t))
    return rounds
curl, bare, relayo = (read(f) for f in sys.argv[1:])
mb = 20.0
def line(name, rounds):
    times = [t for ts in rounds.values() for t in ts]
    m = statistics.median(times)
    print(f"{name} median {m:.3f} s  {mb / m:.1f} MB/s   best {min(times):.3f} s  ({len(times)} downloads)")
    return m
line("URLDownloadToFileA alone (floor):", bare)
relayo_m = line("relayo:                          ", relayo)
curl_m = line("curl (reference):                 ", curl)
ratios = [min(bare[r]) / min(relayo[r]) for r in bare]
print(f"throughput ratio relayo/bare call: {statistics.median(ratios):.2f}  (median over {len(ratios)} rounds; goal: at least 0.9)")
print(f"relayo/curl at the median: {curl_m / relayo_m:.2f}")
PY
