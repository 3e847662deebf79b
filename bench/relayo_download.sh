#!/usr/bin/env bash
# Download benchmark: relayo's download of a 20 MB file from a loopback HTTP
# server under Wine, against curl fetching the same file from the same
# server in the same run (goal: relayo's throughput at least half of curl's).
# Usage: bench/relayo_download.sh [runs]   (default 5; best run of each)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-5}"
scripts/install-deps.sh
command -v curl >/dev/null || { echo "curl is needed" >&2; exit 1; }
cmake --preset windows >/dev/null
cmake --build --preset windows --target ks_bench_relayo_download >/dev/null

work="$PWD/build/bench/relayo_download"
rm -rf "$work"
mkdir -p "$work/site/update" "$work/install"
head -c $((20 * 1024 * 1024)) /dev/urandom >"$work/site/update/big.bin"
port=$((20000 + RANDOM % 20000))
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/site" >/dev/null 2>&1 &
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

best_curl=1e9
for _ in $(seq "$runs"); do
  t=$(curl -s -o "$work/curl.bin" -w '%{time_total}' "$url")
  best_curl=$(python3 -c "print(min($best_curl, $t))")
done
target="Z:$(echo "$work/install/big.bin" | tr / '\\')"
best_relayo=$(wine "$PWD/build/windows/bench/bin/ks_bench_relayo_download.exe" "$url" "$target" "$runs" | tr -d '\r')
cmp -s "$work/site/update/big.bin" "$work/install/big.bin" || { echo "relayo's copy differs" >&2; exit 1; }
python3 - "$best_curl" "$best_relayo" <<'PY'
import sys
curl, relayo = float(sys.argv[1]), float(sys.argv[2])
mb = 20.0
print(f"curl (floor): {curl:.3f} s  {mb / curl:.1f} MB/s")
print(f"relayo:       {relayo:.3f} s  {mb / relayo:.1f} MB/s")
print(f"throughput ratio relayo/curl: {curl / relayo:.2f}  (goal: at least 0.5)")
PY
