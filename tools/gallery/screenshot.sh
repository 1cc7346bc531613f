#!/bin/bash
# Screenshots of the control gallery under Wine, at 96 and at 144 DPI.
#   tools/gallery/screenshot.sh <windows build dir> [output dir]
# Needs gallery.exe built in <windows build dir>; writes gallery-96.png and gallery-144.png
# (default output dir: <windows build dir>/gallery). Uses a private Xvfb large enough for the
# 144 DPI window and the Wine prefix of the build dir; the system DPI is set through the
# prefix's LogPixels and put back to 96 afterwards.
set -euo pipefail
build=$(cd "$1" && pwd)
out=${2:-$build/gallery}
mkdir -p "$out"
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../wine-env.sh"

n=150
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 2000x1100x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb=$!
export DISPLAY=":$n" QENDOR_KEEP_DISPLAY=1
for i in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
wine_env_start "$build" >/dev/null 2>&1 </dev/null
cleanup() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1 || true
  wine_env_stop >/dev/null 2>&1 </dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

for dpi in 96 144; do
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
  (cd "$build" && exec wine ./gallery.exe /exit-after 6000 >/dev/null 2>&1 </dev/null) &
  runner=$!
  # Wait for the gallery's window to be mapped, then for its first paint to settle.
  for i in $(seq 1 100); do
    xdotool search --onlyvisible --name 'Qendor control gallery' >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  import -window root "$out/gallery-$dpi.png"
  wait "$runner" 2>/dev/null || true  # the gallery closes itself after six seconds
  echo "$out/gallery-$dpi.png"
done
