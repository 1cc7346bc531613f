# "/AUTOSTART" as the first argument keeps the main window hidden until "Open App";
# the switch as a later argument does not count.
source "$(dirname "$0")/lib/common.bash"
wine reg add "$app_key" /v Ver /t REG_SZ /d Qendor2.1 /f >/dev/null 2>&1

start_app /AUTOSTART
first=$app_pid
wait_window 20000 || fail "no main window"
sleep 2
[ "$(window_state)" = "hidden" ] || fail "started with /AUTOSTART the window is $(window_state)"
pass "/AUTOSTART keeps the window hidden"

wine "$driver" post-command "$title" 32777 >/dev/null 2>&1
wait_window 10000 visible || fail "Open App did not show the window ($(window_state))"
pass "Open App shows it"
close_app
wait_exit "$first" 15 || fail "did not end"

start_app other /autostart
second=$app_pid
wait_window 20000 visible || fail "/autostart as the second argument hid the window ($(window_state))"
pass "/autostart as the second argument does not count"
wine "$driver" post-command "$title" 2 >/dev/null 2>&1  # Escape ends the dialog
wait_exit "$second" 15 || fail "Escape did not end the program"
pass "Escape ends the program"
