# Shared steps of the end-to-end tests: the real Qendor2.exe under Wine, driven from outside.
# The Wine environment (prefix, wineserver, display, sound) is started by ./test.
set -u
build=$(cd "$1" && pwd)
exe="$build/Qendor2.exe"
driver="$build/e2e-driver.exe"
title="Qendor V2.1"
app_key='HKCU\Software\vexmora\Qendor2'

fail() {
  echo "FAIL: $*"
  # The program's own account of the failure, when the test keeps its log.
  if [ -n "${log_file:-}" ] && [ -f "$log_file" ]; then
    echo "--- last lines of $log_file"
    tail -n 25 "$log_file" | tr -d '\r'
  fi
  stop_all
  exit 1
}
pass() { echo "PASS: $*"; }

# The value's data as "reg query" prints it, without name and type (empty when missing).
reg_value() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v n="$2" 'tolower($1)==tolower(n) { $1=""; $2=""; sub(/^  */, ""); print }'
}
# Waits up to $4 seconds for the value $2 of key $1 to read $3.
wait_value() {
  local i
  for i in $(seq 1 $(($4 * 10))); do [ "$(reg_value "$1" "$2")" = "$3" ] && return 0; sleep 0.1; done
  return 1
}
reg_key_exists() { wine reg query "$1" >/dev/null 2>&1; }
reset_settings() { wine reg delete "$app_key" /f >/dev/null 2>&1; true; }
# The program keeps an autorun entry in the user's Run key, and Wine starts what that key
# names whenever a session begins: a test leaves none behind, or a hidden copy of the program
# would start with a later test. (A script with its own EXIT trap calls this from it.)
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
forget_autorun() { wine reg delete "$run_key" /va /f >/dev/null 2>&1; true; }
trap forget_autorun EXIT

start_app() {
  wine "$exe" "$@" </dev/null >/dev/null 2>&1 &
  app_pid=$!
}
# Waits for a background process to end; 1 when it is still running after $2 seconds. Its
# exit status is left in exit_status.
exit_status=""
wait_exit() {
  local pid=$1 seconds=$2 i
  exit_status=""
  for i in $(seq 1 $((seconds * 10))); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; exit_status=$?; return 0; }
    sleep 0.1
  done
  return 1
}
# One call of the driver; a program that hangs fails the step instead of the whole test's time.
d() { timeout 60 wine "$driver" "$@" 2>/dev/null | tr -d '\r'; }
window_state() { wine "$driver" window-state "$title" 2>/dev/null | tr -d '\r'; }
wait_window() { wine "$driver" wait-window "$title" "${1:-15000}" ${2:-} >/dev/null 2>&1; }
close_app() { wine "$driver" close "$title" >/dev/null 2>&1; }
stop_all() {
  # Ends every program of this prefix except the server's own helpers.
  [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null
  wine "$driver" close "$title" >/dev/null 2>&1
  true
}
temp_dir_unix() {
  local win
  win=$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')
  winepath -u "$win" 2>/dev/null
}
