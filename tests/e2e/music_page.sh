# The music page in the real program: a file picked through the system's dialog is stored at
# once, plays and loops; the mute button, a typed volume and the only-the-music box apply and
# store; a restart plays the stored file again; Remove stops it. With the box on, a wallpaper
# that starts beside the music plays silent.
source "$(dirname "$0")/lib/wallpaper.bash"
page=140
music_key="$app_key\\Music"

prepare_record "$fixtures/missing.avi"
wine reg delete "$app_key\\Video" /f >/dev/null 2>&1
wine reg add "$app_key" /v TaskIndex /t REG_DWORD /d 2 /f >/dev/null 2>&1
start_app
wait_window 20000 visible || fail "the main window did not appear"
d visible "$title" $page | grep -qx 1 || fail "the music page is not shown"
d enabled "$title" $page.1066 | grep -qx 0 || fail "Remove is enabled without a file"
[ "$(d text "$title" $page.1089)" = "50" ] || fail "the volume box reads '$(d text "$title" $page.1089)'"

tone=$(winepath -w "$fixtures/tone.mp3" | tr -d '\r')
d post-click "$title" $page.1014 >/dev/null
wine "$driver" answer-file Open "$tone" 15000 >/dev/null 2>&1 || fail "no file dialog"
wait_value "$music_key" Path "$tone" 10 || fail "the picked file was not stored at once"
wait_log "Open file: .mp3" 1 10 || fail "the music was not opened"
wait_log "Media session ended" 2 30 || fail "the 1 s track did not end twice"
wait_log "Media session started" 3 30 || fail "the track did not start again after its end"
d enabled "$title" $page.1066 | grep -qx 1 || fail "Remove is not enabled with a file"
pass "a file picked through the dialog is stored at once, plays and loops"

d click "$title" $page.1027 >/dev/null
wait_value "$music_key" Mute 0x1 10 || fail "the mute button did not store Mute 1"
[ "$(d text "$title" $page.1089)" = "0" ] || fail "muted, the box reads '$(d text "$title" $page.1089)'"
wait_log "SetVolume 0.00" 1 10 || fail "the mute was not applied to the player"
d click "$title" $page.1027 >/dev/null
wait_value "$music_key" Mute 0x0 10 || fail "the second click did not store Mute 0"
[ "$(d text "$title" $page.1089)" = "50" ] || fail "unmuted, the box reads '$(d text "$title" $page.1089)'"
d set-text "$title" $page.1089 150 >/dev/null
wait_value "$music_key" Volume 0x64 10 || fail "a typed 150 did not store 100"
[ "$(d text "$title" $page.1089)" = "100" ] || fail "the box shows '$(d text "$title" $page.1089)'"
wait_log "SetVolume 1.00" 1 10 || fail "the typed volume was not applied"
d click "$title" $page.1026 >/dev/null
wait_value "$music_key" MuteVideo 0x1 10 || fail "the box did not store MuteVideo 1"
wait_log "Add Music: Set Mute all music/sound 1" 1 10 || fail "the box's change was not logged"
pass "mute, unmute, a typed 150 and the only-the-music box apply and store"
end_app

# A restart plays the stored file again; with a wallpaper and the box on, the wallpaper is silent.
wine reg add "$monitor_key" /v Path /t REG_SZ /d "$(winepath -w "$fixtures/clip.avi" | tr -d '\r')" /f >/dev/null 2>&1
wine reg add "$monitor_key" /v Volume /t REG_DWORD /d 40 /f >/dev/null 2>&1
# (the box muted every wallpaper record when it was switched on; this one is heard again)
wine reg add "$monitor_key" /v Mute /t REG_DWORD /d 0 /f >/dev/null 2>&1
rm -f "$log_file"
start_app
wait_window 20000 visible || fail "the main window did not appear after the restart"
wait_log "Open file: .mp3" 1 15 || fail "the stored music was not opened at start"
wait_log "Open file: .avi" 1 15 || fail "the wallpaper was not opened"
wait_log "SetVolume 0.00" 1 15 || fail "the wallpaper was not silenced beside the music"
[ "$(log_count "SetVolume 0.40")" -eq 0 ] || fail "the wallpaper was heard at its own volume"
pass "a restart plays the stored music, and the wallpaper beside it is silent"

d click "$title" $page.1066 >/dev/null
wait_value "$music_key" Path "" 10 || fail "Remove did not store the empty path"
d enabled "$title" $page.1066 | grep -qx 0 || fail "Remove stays enabled without a file"
wait_log "SetVolume 0.40" 1 15 || fail "the wallpaper was not heard again once the music stopped"
pass "Remove stops the music and the wallpaper is heard again"
end_app
reset_settings
