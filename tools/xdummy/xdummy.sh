# Two monitors side by side for Wine: an X server with the dummy video driver, whose outputs
# are switched on through RandR (Xvfb's Xinerama puts every screen at 0,0, and its RandR takes
# no extra monitors). Source this file, then:
#   xdummy_start <work dir>   starts the server and exports DISPLAY: output DUMMY0 1280x720 at
#                             0,0 and DUMMY1 1024x768 right of it (a 2304x768 desktop)
#   xdummy_stop               stops it
# Needs xserver-xorg-core, xserver-xorg-video-dummy and x11-xserver-utils.

xdummy_start() {
  local work="$1" n
  mkdir -p "$work"
  for n in $(seq 170 199); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then break; fi
  done
  cat >"$work/xorg.conf" <<'CONF'
Section "ServerFlags"
  Option "DontVTSwitch" "true"
  Option "AutoAddDevices" "false"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 64000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0 - 1000.0
  VertRefresh 5.0 - 200.0
  Modeline "1280x720" 74.25 1280 1390 1430 1650 720 725 730 750
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1280x720"
    Virtual 2304 768
  EndSubSection
EndSection
CONF
  Xorg ":$n" -noreset -nolisten tcp -config "$work/xorg.conf" -logfile "$work/xorg.log" >"$work/xorg.out" 2>&1 &
  XDUMMY_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    xrandr >/dev/null 2>&1 && break
    sleep 0.1
  done
  xrandr --newmode 1024x768s 65.00 1024 1048 1184 1344 768 771 777 806 >/dev/null 2>&1
  xrandr --addmode DUMMY1 1024x768s >/dev/null 2>&1
  xrandr --output DUMMY0 --mode 1280x720 --pos 0x0 --primary --output DUMMY1 --mode 1024x768s --right-of DUMMY0
  [ "$(xrandr --listmonitors | head -1)" = "Monitors: 2" ]
}

xdummy_stop() {
  [ -n "${XDUMMY_PID:-}" ] && kill "$XDUMMY_PID" >/dev/null 2>&1 && wait "$XDUMMY_PID" 2>/dev/null
  XDUMMY_PID=""
}
