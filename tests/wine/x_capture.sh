#!/bin/sh
# Captures the X screen, or what a Direct3D child window shows under Wine
# and X. Wine draws such a window into an X window of its own, outside the
# program's top-level window, so a capture of the top-level shows it
# black. This finds that X window in the root's tree (it has no name and
# the child's client size) and captures it alone.
#   x_capture.sh root OUT              (the whole screen, as a user sees it)
#   x_capture.sh WIDTH HEIGHT OUT      (OUT a Unix path; DISPLAY set)
# Writes the picture to OUT as a binary PPM and then "0" to OUT.done; on a
# failure another code goes there and the window tree into OUT.log.
export PATH=/usr/bin:/bin
finish() { echo "$1" >"$out.done.tmp"; mv "$out.done.tmp" "$out.done"; exit 0; }
if [ "$1" = root ]; then
  out=$2
  import -window root -depth 8 "ppm:$out.tmp" >"$out.log" 2>&1 || finish 3
  mv "$out.tmp" "$out"
  rm -f "$out.log"
  finish 0
fi
w=$1
h=$2
out=$3
xwininfo -root -tree >"$out.log" 2>&1 || finish 1
ids=$(grep -E "^ *0x[0-9a-f]+ \(has no name\): \(\) +${w}x${h}\+" "$out.log" | awk '{ print $1 }')
[ "$(echo "$ids" | grep -c .)" -eq 1 ] || finish 2
import -window "$ids" -depth 8 "ppm:$out.tmp" >>"$out.log" 2>&1 || finish 3
mv "$out.tmp" "$out"
rm -f "$out.log"
finish 0
