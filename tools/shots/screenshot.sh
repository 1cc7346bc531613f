#!/bin/bash
# Screenshots of the real program under Wine at 96 and at 144 DPI: the main window on each
# task's page, and the tray popup.
#   tools/shots/screenshot.sh <windows build dir> [output dir]
# Writes main-<dpi>-task<N>.png, video-<dpi>-size<M>.png (the video page with a clip and each
# size mode) and tray-<dpi>.png (default output dir: <build>/shots). Uses a
# private Xvfb large enough for the 144 DPI window and the Wine prefix of the build dir, with
# the program's settings emptied first; the system DPI is set through the prefix's LogPixels
# and put back to 96 afterwards.
set -euo pipefail
build=$(cd "$1" && pwd)
out=${2:-$build/shots}
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
title="Qendor V2.1"
driver="$build/e2e-driver.exe"
cleanup() {
  wine "$driver" close "$title" >/dev/null 2>&1 || true
  sleep 1
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1 || true
  wine_env_stop >/dev/null 2>&1 </dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
bash "$here/../fixtures/make-fixtures.sh" "$build/e2e-wallpaper" >/dev/null 2>&1
clip=$(winepath -w "$build/e2e-wallpaper/long.avi" | tr -d '\r')

for dpi in 96 144; do
  wine reg delete 'HKCU\Software\vexmora\Qendor2' /f >/dev/null 2>&1 || true
  wine reg add 'HKCU\Software\vexmora\Qendor2\Video\Default_Monitor_0000' /v Path /t REG_SZ \
    /d "$clip" /f >/dev/null 2>&1 </dev/null
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
  (exec wine "$build/Qendor2.exe" >/dev/null 2>&1 </dev/null) &
  runner=$!
  wine "$driver" wait-window "$title" 20000 visible >/dev/null 2>&1
  sleep 1
  for task in 0 1 2 3 4; do
    wine "$driver" select "$title" 1001 $task >/dev/null 2>&1
    sleep 0.7
    import -window root "$out/main-$dpi-task$task.png"
    echo "$out/main-$dpi-task$task.png"
  done
  # The video page with the clip, in each size mode.
  wine "$driver" select "$title" 1001 1 >/dev/null 2>&1
  for size in 0 1 2; do
    wine "$driver" select "$title" 139.163.1053 $size >/dev/null 2>&1 || echo "size $size: no size box" >&2
    sleep 1
    import -window root "$out/video-$dpi-size$size.png"
    echo "$out/video-$dpi-size$size.png"
  done
  # The popup, opened as a release over the tray icon opens it, at the lower right.
  xdotool mousemove 1700 1080
  wine "$driver" post "$title" 1124 128 0x202 >/dev/null 2>&1
  sleep 1.5
  import -window root "$out/tray-$dpi.png"
  echo "$out/tray-$dpi.png"
  wine "$driver" close "$title" >/dev/null 2>&1
  wait "$runner" 2>/dev/null || true
done
