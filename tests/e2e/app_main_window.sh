# The main window and the tray popup in the real program: the window's controls, the stored
# task, hiding to the tray and coming back (a second start, the tray's "Open App"), the popup
# on a button release over the tray icon (not on a move), its four commands, and a restarted
# shell getting the tray icon back.
source "$(dirname "$0")/lib/wallpaper.bash"
tray_notify() { d post "$title" 1124 128 "$1" >/dev/null; }
popup_shown() { wine "$driver" popup "$title" 1074 >/dev/null 2>&1; }
wait_popup() {
  local i
  for i in $(seq 1 50); do popup_shown && return 0; sleep 0.1; done
  return 1
}
wait_no_popup() {
  local i
  for i in $(seq 1 50); do popup_shown || return 0; sleep 0.1; done
  return 1
}

prepare_record "$fixtures/long.avi"
wine reg add "$app_key" /v TaskIndex /t REG_DWORD /d 7 /f >/dev/null 2>&1
start_app
wait_window 20000 visible || fail "the main window did not appear"
wait_log "Media session started" 1 40 || fail "the stored wallpaper did not start"

# The window's controls by id; the stored task 7 opens Quick Start and is not written back.
for id in 1001 1003 1004 1005 1006 1007; do d visible "$title" $id | grep -qx 1 || fail "control $id is not shown"; done
[ "$(d text "$title" 1006)" = "www.vexmora.example" ] || fail "the link shows '$(d text "$title" 1006)'"
d visible "$title" 229 | grep -qx 1 || fail "task 7 did not open the Quick Start page"
[ "$(reg_value "$app_key" TaskIndex)" = "0x7" ] || fail "TaskIndex was written at start"
d select "$title" 1001 2
d visible "$title" 140 | grep -qx 1 || fail "the music task did not show its page"
d visible "$title" 229 | grep -qx 0 || fail "the Quick Start page stayed"
[ "$(reg_value "$app_key" TaskIndex)" = "0x2" ] || fail "the chosen task was not stored"
pass "controls by id; TaskIndex 7 opens task 0 and is not written; a chosen task is stored at once"

# Hide (the header's button), then a second start brings the window back.
d click "$title" 1004
sleep 0.5
[ "$(window_state)" = "hidden" ] || fail "the hide button left the window $(window_state)"
wine "$exe" </dev/null >/dev/null 2>&1 &
wait_exit $! 15 || fail "the second start did not end"
wait_window 10000 visible || fail "a second start did not bring the window back ($(window_state))"
d click "$title" 1004
sleep 0.5
d post-command "$title" 32777 >/dev/null
wait_window 10000 visible || fail "the tray's Open App did not bring the window back ($(window_state))"
pass "hidden to the tray, back by a second start and by Open App"

# The popup: a move over the icon shows nothing; a left or a right button release shows it.
tray_notify 0x200
sleep 1
popup_shown && fail "a mouse move over the tray icon opened the popup"
for release in 0x202 0x205; do
  tray_notify $release
  wait_popup || fail "button release $release did not open the popup"
  d post "$title" 1144 0 0 >/dev/null  # what the popup sends when it loses activation
  wait_no_popup || fail "the popup did not close"
done
tray_notify 0x202
wait_popup || fail "no popup"
d popup-key "$title" 1076 0x1B >/dev/null  # Escape
wait_no_popup || fail "Escape did not close the popup"
kill -0 "$app_pid" 2>/dev/null || fail "Escape in the popup ended the program"
pass "the popup opens on a left or right button release, not on a move, and closes (also on Escape, which leaves the program running)"

# Pause: the wallpaper pauses and the popup offers "Play Wallpapers" next time.
pauses=$(log_count "Pause")
tray_notify 0x202
wait_popup || fail "no popup"
[ "$(d popup-text "$title" 1074)" = "Pause Wallpapers" ] || fail "the pause button says '$(d popup-text "$title" 1074)'"
d popup-click "$title" 1074
wait_no_popup || fail "the popup stayed after a command"
wait_log "Pause" $((pauses + 1)) 10 || fail "the wallpaper did not pause"
tray_notify 0x202
wait_popup || fail "no popup"
[ "$(d popup-text "$title" 1074)" = "Play Wallpapers" ] || fail "after pausing the button says '$(d popup-text "$title" 1074)'"
import -window root "$shots/tray-popup-paused.png" 2>/dev/null
# Mute.
d popup-click "$title" 1075
wait_no_popup || fail "the popup stayed after Mute"
tray_notify 0x202
wait_popup || fail "no popup"
[ "$(d popup-text "$title" 1075)" = "Unmute Wallpapers" ] || fail "after muting the button says '$(d popup-text "$title" 1075)'"
# Open, from a hidden window.
d post "$title" 1144 0 0 >/dev/null
wait_no_popup || fail "the popup did not close"
d click "$title" 1004
sleep 0.5
tray_notify 0x202
wait_popup || fail "no popup while hidden"
d popup-click "$title" 1076
wait_window 10000 visible || fail "the popup's Open App did not show the window ($(window_state))"
pass "Pause shows Play next time and pauses the wallpaper; Mute shows Unmute; Open App shows the window"

# A shell that forgot its icons announces itself: the icon comes back.
[ "$(d tray-icon "$title" 128)" = 1 ] || fail "no tray icon"
d tray-delete "$title" 128 >/dev/null
[ "$(d tray-icon "$title" 128)" = 0 ] || fail "the icon could not be removed for the test"
d broadcast TaskbarCreated >/dev/null
sleep 1
[ "$(d tray-icon "$title" 128)" = 1 ] || fail "TaskbarCreated did not bring the tray icon back"
pass "TaskbarCreated re-adds the tray icon"

# Remove All stores the empty path at once (a crash now would not bring the video back).
d post "$title" 1133 0 0 >/dev/null
# (Under Wine the playing session's close can take a few seconds before the path is written.)
for i in $(seq 1 100); do [ "$(reg_value "$monitor_key" Path)" = "" ] && break; sleep 0.1; done
[ "$(reg_value "$monitor_key" Path)" = "" ] || fail "Remove All left Path '$(reg_value "$monitor_key" Path)' in the store"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended"
pass "Remove All empties the stored path at once"

# Factory Reset empties the settings and says so (message 196); nothing stays paused or muted.
d post "$title" 1134 0 0 >/dev/null
for i in $(seq 1 50); do [ "$(d popup-text "$title" 1076)" = "Factory reset successful!" ] && break; sleep 0.1; done
[ "$(d popup-text "$title" 1076)" = "Factory reset successful!" ] || fail "no message after the factory reset"
d popup-click "$title" 1 >/dev/null
[ "$(reg_value "$app_key" TaskIndex)" = "" ] || fail "the factory reset left TaskIndex"
tray_notify 0x202
wait_popup || fail "no popup after the reset"
[ "$(d popup-text "$title" 1074)" = "Pause Wallpapers" ] || fail "after the reset the popup still says '$(d popup-text "$title" 1074)'"
[ "$(d popup-text "$title" 1075)" = "Mute Wallpapers" ] || fail "after the reset the popup still says '$(d popup-text "$title" 1075)'"
d post "$title" 1144 0 0 >/dev/null
wait_no_popup || fail "the popup did not close"
pass "Factory Reset shows message 196, empties the settings and clears the tray's pause and mute"
# The reset took logging's setting with the others, so logging stopped; the bug report tab's
# switch starts it again.
lines=$(wc -l <"$log_file")
tray_notify 0x202
wait_popup || fail "no popup"
d post "$title" 1144 0 0 >/dev/null
wait_no_popup || fail "the popup did not close"
[ "$(wc -l <"$log_file")" -eq "$lines" ] || fail "the log went on after the factory reset"
d post-click "$title" 142.232.1030 >/dev/null
wait_value "$app_key\\BugReport" EnableLogging 0x1 10 || fail "the bug report switch did not turn logging on"

# The link logs its address.
d click "$title" 1006
wait_log "Open link www.vexmora.example" 1 10 || fail "the link was not logged"
pass "the link logs its address"

# Quit from the popup ends the program, "Exit Qendor2" last in the log.
tray_notify 0x205
wait_popup || fail "no popup"
d popup-click "$title" 1077
wait_exit "$app_pid" 30 || fail "Quit App did not end the program"
last=$(grep -v '^$' "$log_file" | tail -n 1 | tr -d '\r')
[[ "$last" == *": Exit Qendor2" ]] || fail "the last log line is '$last'"
pass "Quit App ends the program with Exit Qendor2 last in the log"
reset_settings
