# First start writes the version marker; a second start hands over to the first and ends;
# the hand-over brings a hidden window back; the system Close ends the program.
source "$(dirname "$0")/lib/common.bash"
reset_settings

start_app
first=$app_pid
wait_window 20000 visible || fail "the main window did not appear"
[ "$(reg_value "$app_key" Ver)" = "Qendor2.1" ] || fail "Ver is '$(reg_value "$app_key" Ver)'"
pass "first start shows the window and writes Ver"

wine "$driver" hide "$title" >/dev/null 2>&1
[ "$(window_state)" = "hidden" ] || fail "could not hide the window: $(window_state)"
wine "$exe" </dev/null >/dev/null 2>&1 &
second=$!
wait_exit "$second" 10 || fail "the second start did not end"
kill -0 "$first" 2>/dev/null || fail "the first instance ended"
wait_window 10000 visible || fail "the hand-over did not bring the first window up ($(window_state))"
pass "a second start ends and brings the hidden first window up"

close_app
wait_exit "$first" 15 || fail "the program did not end on Close"
pass "system Close ends the program"
