# The display changes while the program runs (here: the resolution, in Wine's virtual
# desktop, the one place under Wine where a program may change it): the program enumerates
# the monitors again, keeps the monitor's record, and its wallpaper window follows the new
# rectangle without starting its video again.
source "$(dirname "$0")/lib/wallpaper.bash"
desktop="qendor-display-change,1024x768"
# Programs in the virtual desktop see its windows; the driver runs there too.
vd() { wine explorer "/desktop=$desktop" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

# The changed mode outlives this test in the Wine session (the server keeps it, and even a
# reset returns to the virtual desktop's size, not the X screen's): later tests would see a
# smaller screen. So the session's server is started afresh at the end, as the test command
# starts it.
restart_server() {
  forget_autorun
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
}
trap restart_server EXIT

prepare_record "$fixtures/long.avi"
wine explorer "/desktop=$desktop" "$exe" </dev/null >/dev/null 2>&1 &
app_pid=$!
wait_log "Media session started" 1 40 || fail "the wallpaper did not start"
rect=$(vd "$driver" class-rect QendorVideoWnd)
[ "$rect" = "0 0 1024 768" ] || fail "the wallpaper window stands at '$rect' before the change"
opens=$(log_count "Create media session")

[ "$(vd "$driver" display-mode 800 600)" = 0 ] || fail "the display mode could not be changed"
wait_log "Display change: 1 monitors" 1 10 || fail "the program did not notice the display change"
sleep 1
rect=$(vd "$driver" class-rect QendorVideoWnd)
[ "$rect" = "0 0 800 600" ] || fail "after the change the wallpaper window stands at '$rect'"
[ "$(log_count "Create media session")" -eq "$opens" ] || fail "the video was opened again"
pass "a resolution change moves the wallpaper window to the new rectangle without reopening its video"

vd "$driver" close "$title" >/dev/null
wait_exit "$app_pid" 30 || { kill "$app_pid" 2>/dev/null; fail "the program did not end"; }
[ "$(reg_value "$monitor_key" Path)" = "$(winepath -w "$fixtures/long.avi" | tr -d '\r')" ] || fail "the monitor's record was lost"
pass "the monitor's record is kept"
reset_settings
