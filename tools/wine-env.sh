# The Wine test environment: a private prefix set to Windows 10, a persistent wineserver,
# an Xvfb display and a PulseAudio null sink. Source this file, then:
#   wine_env_start <build dir>   starts what is not running and exports the variables
#   wine_env_stop                stops what wine_env_start started
# The prefix lives in <build dir>/wineprefix and is kept between runs.

wine_env_start() {
  local build="$1"
  mkdir -p "$build"
  build=$(cd "$build" && pwd)
  export WINEPREFIX="$build/wineprefix"
  export WINEARCH=win64
  export WINEDEBUG=-all
  # No Mono or Gecko: the machines have no network and the program needs neither.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  WINE_ENV_STARTED=()

  # Display: a private Xvfb, so tests never draw on (or depend on) the user's screen.
  if [ -z "${QENDOR_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
    local n
    for n in $(seq 90 120); do
      if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then break; fi
    done
    Xvfb ":$n" -screen 0 1600x900x24 -nolisten tcp >"$build/xvfb.log" 2>&1 &
    WINE_ENV_XVFB=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    WINE_ENV_STARTED+=(xvfb)
  fi

  # Sound: a PulseAudio daemon with a null sink, private to this run.
  export PULSE_RUNTIME_PATH="$build/pulse"
  export PULSE_SERVER="unix:$PULSE_RUNTIME_PATH/native"
  mkdir -p "$PULSE_RUNTIME_PATH"
  if ! pactl info >/dev/null 2>&1; then
    pulseaudio --daemonize=yes --exit-idle-time=-1 --disallow-exit -n \
      --load="module-native-protocol-unix socket=$PULSE_RUNTIME_PATH/native auth-anonymous=1" \
      --load="module-null-sink sink_name=null" --log-target=file:"$build/pulse.log" \
      >/dev/null 2>&1
    local i
    for i in $(seq 1 50); do
      pactl info >/dev/null 2>&1 && break
      sleep 0.1
    done
    pactl set-default-sink null >/dev/null 2>&1 || true
    WINE_ENV_STARTED+=(pulse)
  fi

  # Prefix: created once, set to Windows 10.
  if [ ! -f "$WINEPREFIX/.qendor-ready" ]; then
    wineboot -i >"$build/wineboot.log" 2>&1
    wineserver -w
    wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d win10 /f >/dev/null 2>&1
    # A crash prints its backtrace and ends the process instead of waiting in a dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.qendor-ready"
  fi

  # A persistent wineserver: each process start then costs well under a second.
  # Its helper processes (services, winedevice, explorer) start with the first Wine program
  # and live as long as the server: start them here, detached from our output, so that no
  # pipe reading a test's output stays open after the test.
  wineserver -p </dev/null >/dev/null 2>&1 || true  # already running: kept
  wine cmd /c exit </dev/null >/dev/null 2>&1
  WINE_ENV_STARTED+=(wineserver)
  export WINE_ENV_BUILD="$build"
}

wine_env_stop() {
  local what
  for what in "${WINE_ENV_STARTED[@]}"; do
    case "$what" in
      wineserver) wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1 ;;
      pulse) pulseaudio --kill >/dev/null 2>&1 ;;
      xvfb) kill "$WINE_ENV_XVFB" >/dev/null 2>&1; wait "$WINE_ENV_XVFB" 2>/dev/null ;;
    esac
  done
  WINE_ENV_STARTED=()
}
