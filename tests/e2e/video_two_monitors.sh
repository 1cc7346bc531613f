# The display options on two monitors side by side, in the real program: an X server with two
# outputs (1280x720 at 0,0 and 1024x768 right of it) and a Wine prefix of its own, so the
# shared test server and its one-monitor display stay as they are. Option 0 gives each monitor
# its own wallpaper window, option 1 one window across the whole desktop, option 2 the bound
# monitor's video on both; going back to 0 leaves exactly the two windows again. The choice is
# stored and logged. The wallpapers play sound files: what is tested is which windows stand
# where and what each opens; Wine's video renderer can deadlock when a playing video session is
# closed, which every option change does.
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work="$build/two-monitors"
mkdir -p "$work"
source "$here/../../tools/xdummy/xdummy.sh"
source "$here/../../tools/wine-env.sh"
xdummy_start "$work" || { echo "FAIL: no X server with two monitors"; xdummy_stop; exit 1; }
export QENDOR_KEEP_DISPLAY=1
wine_env_start "$work" >/dev/null 2>&1 </dev/null
finish() {
  forget_autorun
  wine_env_stop >/dev/null 2>&1 </dev/null
  xdummy_stop
}
# The common steps, on this prefix (after them: their EXIT trap is replaced by this one).
source "$here/lib/common.bash" "$build"
trap finish EXIT
fixtures="$build/e2e-wallpaper"
bash "$here/../../tools/fixtures/make-fixtures.sh" "$fixtures" >/dev/null 2>&1 || fail "fixtures"
windows() { d class-rects QendorVideoWnd | tr '\n' ';'; }
wait_windows() {  # expected seconds
  local i
  for i in $(seq 1 $(($2 * 10))); do [ "$(windows)" = "$1" ] && return 0; sleep 0.2; done
  return 1
}
video_key="$app_key\\Video"
fileA=$(winepath -w "$fixtures/tone.wav" | tr -d '\r')
fileB=$(winepath -w "$fixtures/tone.mp3" | tr -d '\r')
temp=$(temp_dir_unix)
log_file="$temp/Qendor2.log"

reset_settings
wine reg add "$app_key" /v Ver /t REG_SZ /d Qendor2.1 /f >/dev/null 2>&1
wine reg add "$app_key" /v TaskIndex /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine reg add "$app_key\\BugReport" /v EnableLogging /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine reg add "$video_key\\Default_Monitor_0000" /v Path /t REG_SZ /d "$fileA" /f >/dev/null 2>&1
wine reg add "$video_key\\Default_Monitor_0001" /v Path /t REG_SZ /d "$fileB" /f >/dev/null 2>&1
# The wallpaper across all monitors has its own record, under the key "0".
wine reg add "$video_key\\0" /v Path /t REG_SZ /d "$fileA" /f >/dev/null 2>&1
rm -f "$log_file" "$log_file.bak"
start_app
wait_window 20000 visible || fail "the main window did not appear"
d visible "$title" 139.1056 | grep -qx 1 || fail "with two monitors the display options must show"
both="0 0 1280 720;1280 0 2304 768;"
wait_windows "$both" 20 || fail "option 0: windows '$(windows)', not one per monitor"
pass "option 0: one wallpaper window on each monitor"

d select "$title" 139.1056 1 >/dev/null
wait_windows "0 0 2304 768;" 20 || fail "option 1: windows '$(windows)', not one across the desktop"
wait_value "$video_key" DisplayOptions 0x1 10 || fail "option 1 was not stored"
grep -q "Add Video: Set Display Options 1" "$log_file" || fail "option 1 was not logged"
pass "option 1: one window across both monitors, stored and logged"

d select "$title" 139.1056 2 >/dev/null
wait_windows "$both" 20 || fail "option 2: windows '$(windows)'"
wait_value "$video_key" DisplayOptions 0x2 10 || fail "option 2 was not stored"
# Both windows open monitor A's file, none monitor B's.
since2() { sed -n '/Set Display Options 2/,$p' "$log_file" | grep -c "Open file: $1"; }
for i in $(seq 1 50); do [ "$(since2 .wav)" -ge 2 ] && break; sleep 0.2; done
[ "$(since2 .wav)" -ge 2 ] || fail "option 2: monitor A's file was not opened on both monitors"
[ "$(since2 .mp3)" -eq 0 ] || fail "option 2: monitor B's own file was opened"
mkdir -p "$build/shots"
import -window root "$build/shots/video-two-monitors.png" 2>/dev/null
pass "option 2: the bound monitor's file on both monitors"

d select "$title" 139.1056 0 >/dev/null
wait_windows "$both" 20 || fail "back to option 0: windows '$(windows)'"
wait_value "$video_key" DisplayOptions 0x0 10 || fail "option 0 was not stored"
[ "$(reg_value "$video_key\\Default_Monitor_0001" Path)" = "$fileB" ] || fail "monitor B lost its own file"
pass "back to option 0: exactly the two windows again, monitor B with its own file"
end_app() {
  close_app
  wait_exit "$app_pid" 30 || { kill "$app_pid" 2>/dev/null; fail "the program did not end"; }
}
end_app
reset_settings
