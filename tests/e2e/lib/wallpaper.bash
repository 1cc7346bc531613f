# Shared steps of the wallpaper end-to-end tests: media fixtures, a monitor's record in the
# registry (Wine's one monitor has the key Default_Monitor_0000), the log, screenshots.
source "$(dirname "$0")/lib/common.bash"
fixtures="$build/e2e-wallpaper"
bash "$(dirname "$0")/../../tools/fixtures/make-fixtures.sh" "$fixtures" >/dev/null 2>&1 || fail "fixtures"
monitor_key="$app_key\\Video\\Default_Monitor_0000"
shots="$build/shots"
mkdir -p "$shots"
log_file=""

# Fresh settings with logging on and the given record: path [VideoSize PosX PosY].
prepare_record() {
  reset_settings
  wine reg add "$app_key" /v Ver /t REG_SZ /d Qendor2.1 /f >/dev/null 2>&1
  wine reg add "$app_key\\BugReport" /v EnableLogging /t REG_DWORD /d 1 /f >/dev/null 2>&1
  wine reg add "$monitor_key" /v Path /t REG_SZ /d "$(winepath -w "$1" | tr -d '\r')" /f >/dev/null 2>&1
  local name value i=2
  for name in VideoSize PosX PosY; do
    value="${!i:-}"
    [ -n "$value" ] && wine reg add "$monitor_key" /v $name /t REG_DWORD /d "$value" /f >/dev/null 2>&1
    i=$((i + 1))
  done
  local temp
  temp=$(temp_dir_unix)
  log_file="$temp/Qendor2.log"
  rm -f "$log_file" "$log_file.bak"
}
log_count() {
  local n=0
  [ -f "$log_file" ] && n=$(grep -c -- ": $1"$'\r'"\?$" "$log_file")
  echo "${n:-0}"
}
# Waits until the log holds the line at least n times: line n seconds.
wait_log() {
  local line=$1 count=$2 seconds=$3 i
  for i in $(seq 1 $((seconds * 10))); do
    [ "$(log_count "$line")" -ge "$count" ] && return 0
    sleep 0.1
  done
  return 1
}
# Waits until a registry value reads as expected: key name expected seconds.
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
# r, g, b, k (black) or ? for a pixel of a screenshot.
colour() {
  local rgb r g b
  rgb=$(pixel "$1" "$2" "$3")
  IFS=, read -r r g b <<<"$rgb"
  if [ "$r" -lt 40 ] && [ "$g" -lt 40 ] && [ "$b" -lt 40 ]; then echo k
  elif [ "$r" -gt 150 ] && [ "$g" -lt 80 ] && [ "$b" -lt 80 ]; then echo r
  elif [ "$b" -gt 150 ] && [ "$r" -lt 80 ] && [ "$g" -lt 80 ]; then echo b
  else echo "?"; fi
}
# Starts the program and waits for its window and its wallpaper's first start.
start_playing() {
  start_app
  wait_window 20000 visible || fail "the main window did not appear"
  wait_log "Media session started" 1 40 || fail "the wallpaper did not start"
}
end_app() {
  close_app
  wait_exit "$app_pid" 30 || { kill "$app_pid" 2>/dev/null; fail "the program did not end"; }
}
