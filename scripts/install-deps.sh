#!/usr/bin/env bash
# Installs the Debian packages that are missing. With "run": only what
# building and running the Windows programs needs; otherwise also the native
# compiler, GoogleTest and Xvfb that the tests need.
set -euo pipefail
packages=(cmake make g++-mingw-w64-x86-64 wine wine64)
[ "${1:-}" = "run" ] || packages+=(g++ googletest libgtest-dev xvfb)
# The updater's Wine test serves its site from a namespace of its own.
[ "${1:-}" = "run" ] || packages+=(iproute2 python3)
# The viewer's Wine test captures the preview's X window: xwininfo finds it,
# ImageMagick's import captures it.
[ "${1:-}" = "run" ] || packages+=(x11-utils imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  echo "Installing: ${missing[*]}" >&2
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
