# The video page in the real program: a clip picked through the monitor panel (the system's
# file dialog, answered from outside) is stored at once and plays; its size mode, overlay and
# volume are applied and stored; the volume box saturates; Remove takes the video away. Two
# clips of different proportions log their cover sizes. The first clip is the 12 s one and the
# second is picked after Remove: under Wine a short clip's loops stall the video presenter
# within seconds, and a playing video session replaced by another can hang the program.
source "$(dirname "$0")/lib/wallpaper.bash"
panel="139.163"

prepare_record "$fixtures/clip.avi"
wine reg delete "$monitor_key" /f >/dev/null 2>&1
wine reg add "$app_key" /v TaskIndex /t REG_DWORD /d 1 /f >/dev/null 2>&1
start_app
wait_window 20000 visible || fail "the main window did not appear"
d visible "$title" 139 | grep -qx 1 || fail "the video page is not shown"
[ "$(d text "$title" $panel.1046)" = "1600x900 pixels" ] || fail "the resolution reads '$(d text "$title" $panel.1046)'"
d visible "$title" 139.1056 | grep -qx 0 || fail "with one monitor the display options must be hidden"

# Browse: the system's dialog, answered as a user would.
clip=$(winepath -w "$fixtures/long.avi" | tr -d '\r')
d post-click "$title" $panel.1014 >/dev/null
wine "$driver" answer-file Open "$clip" 15000 >/dev/null 2>&1 || fail "no file dialog"
wait_value "$monitor_key" Path "$clip" 10 || fail "the picked clip was not stored at once"
wait_log "Media session started" 1 30 || fail "the picked clip did not play"
wait_log "Video Size: 1600x900" 1 10 || fail "no cover size logged for the 16:9 clip"
d enabled "$title" $panel.1066 | grep -qx 1 || fail "Remove is not enabled with a path"
pass "a clip picked through the dialog is stored at once, plays and logs its cover size"

# Size mode: Stretch.
d select "$title" $panel.1053 2
wait_value "$monitor_key" VideoSize 0x2 10 || fail "VideoSize was not stored"
wait_log "Set Stretched 1" 1 10 || fail "Stretch was not applied"
d select "$title" $panel.1053 0
wait_value "$monitor_key" VideoSize 0x0 10 || fail "Cover was not stored"
pass "the size box applies and stores the mode"

# Slider ends with the keyboard: overlay to 100, volume to 0 (which mutes).
d key "$title" $panel.1056 0x23 >/dev/null   # End
wait_value "$monitor_key" BlackOverlay 0x64 10 || fail "the overlay's end was not stored"
d key "$title" $panel.1019 0x24 >/dev/null   # Home
wait_value "$monitor_key" Volume 0x0 10 || fail "the volume's end was not stored"
wait_value "$monitor_key" Mute 0x1 10 || fail "volume 0 did not store the mute"
# The volume box: 250 shows 100 and stores it, unmuted.
d set-text "$title" $panel.1089 250 >/dev/null
wait_value "$monitor_key" Volume 0x64 10 || fail "a typed 250 did not store 100"
[ "$(d text "$title" $panel.1089)" = "100" ] || fail "the box shows '$(d text "$title" $panel.1089)'"
[ "$(reg_value "$monitor_key" Mute)" = "0x0" ] || fail "the typed volume did not store the unmute"
pass "slider ends store BlackOverlay 100, Volume 0 with Mute 1; a typed 250 stores 100 and unmutes"

# Remove: the path goes at once, and the wallpaper window with it.
d click "$title" $panel.1066 >/dev/null
wait_value "$monitor_key" Path "" 15 || fail "Remove did not store the empty path"
sleep 1
wine "$driver" class-rect QendorVideoWnd >/dev/null 2>&1 && fail "the wallpaper window stayed after Remove"
d enabled "$title" $panel.1066 | grep -qx 0 || fail "Remove stays enabled without a path"
pass "Remove empties the stored path and the wallpaper window goes"

# A 4:3 clip: its cover size is taller than the monitor.
clip43=$(winepath -w "$fixtures/clip43.avi" | tr -d '\r')
d post-click "$title" $panel.1014 >/dev/null
wine "$driver" answer-file Open "$clip43" 15000 >/dev/null 2>&1 || fail "no file dialog"
wait_value "$monitor_key" Path "$clip43" 15 || fail "the second clip was not stored"
wait_log "Video Size: 1600x1200" 1 30 || fail "no cover size logged for the 4:3 clip"
pass "a 4:3 clip logs its cover size 1600x1200"
end_app
reset_settings
