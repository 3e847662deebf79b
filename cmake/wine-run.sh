#!/bin/sh
# Runs a Windows program under Wine in the given prefix, making the prefix on
# first use. A persistent wineserver keeps later starts fast.
prefix="$1"
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
) 9>"$prefix.lock"
# Links for the tests of links: Wine reports a Unix symbolic link inside the
# prefix's drive as a reparse point, a junction as Windows has them.
links="$prefix/drive_c/ks_links"
if [ -d "$prefix/drive_c/windows/system32" ] && [ ! -d "$links" ]; then
  made="$links.new.$$"
  mkdir -p "$made" &&
    ln -s ../windows/system32 "$made/syslink" &&
    ln -s ../windows/system32/kernel32.dll "$made/kernel.dll" &&
    mv -T "$made" "$links" 2>/dev/null || rm -rf "$made"
fi
# The server and Wine's own background processes (services, explorer) must
# not inherit our output, or a caller that reads it (CTest) waits for them.
wineserver -p300 </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
exec wine "$@"
