#!/bin/sh
# Runs the tests that need a web site (the updater's RelayoSite.* and the
# internet contract) against a local site, never the real network: in
# network and mount namespaces of their own, with only the loopback device
# up, the update host mapped to 127.0.0.1 by a hosts file bound over
# /etc/hosts (Wine resolves names through it) and site_server.py on port 80
# serving ROOT/site, with its 404 pages, cut-off transfers and faulty
# framings.
#
# Wine's server makes the programs' sockets, so the tests run under a
# server of their own inside the namespaces: its folder is hidden behind an
# empty one, and the prefix's note of that folder behind a private copy.
#   relayo_site.sh ROOT HOST TESTS_EXE FILTER   (Unix paths; WINEPREFIX and DISPLAY set)
# Writes the tests' output to ROOT/inner.log and their exit code to ROOT/result.
root=$1
host=$2
tests=$3
filter=$4
server_script="$(cd "$(dirname "$0")" && pwd)/site_server.py"
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY no_proxy NO_PROXY
exec unshare --mount --net sh -c '
  root=$1
  finish() { echo "$1" >"$root/result.tmp"; mv "$root/result.tmp" "$root/result"; exit 0; }
  ip link set lo up || finish 90
  printf "127.0.0.1 localhost %s\n" "$2" >"$root/hosts"
  mount --bind "$root/hosts" /etc/hosts || finish 91
  if [ -f "$WINEPREFIX/wineserver" ]; then
    cp "$WINEPREFIX/wineserver" "$root/wineserver"
    mount --bind "$root/wineserver" "$WINEPREFIX/wineserver" || finish 92
    mount -t tmpfs -o mode=0700 tmpfs "/tmp/$(cat "$root/wineserver")" || finish 93
  else
    mount -t tmpfs -o mode=0700 tmpfs "/tmp/.wine-$(id -u)" 2>/dev/null
  fi
  python3 "$5" 80 "$root/site" >"$root/server.log" 2>&1 &
  server=$!
  i=0
  while [ $i -lt 100 ] && ! python3 -c "import socket; socket.create_connection((\"127.0.0.1\", 80), 1)" 2>/dev/null; do
    sleep 0.1
    i=$((i + 1))
  done
  KS_RELAYO_SITE="$root" wine "$3" --gtest_filter="$4" >"$root/inner.log" 2>&1
  code=$?
  wineserver -k
  kill $server
  finish $code
' sh "$root" "$host" "$tests" "$filter" "$server_script"
