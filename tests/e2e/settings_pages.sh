# The settings page in the real program: the remembered tab and its range, the autorun entry
# that follows its switch, the other-audio detector running without our own sound muting
# anything, the quick controls' typed volume, Remove All answered No and Yes, and Factory Reset
# with its message. Screenshots of the tabs go to the shots folder.
source "$(dirname "$0")/lib/wallpaper.bash"
page=142
general=$page.159
quick=$page.160
tabs=$page.1028
shot() { sleep 0.5; import -window root "$shots/settings-$1.png" 2>/dev/null; }
# The Run entry's data exactly as stored ("reg query" output, whose fields are parted by four
# spaces: the data keeps its own two).
run_entry() { wine reg query "$run_key" /v Qendor2 2>/dev/null | tr -d '\r' | sed -n 's/^ *Qendor2    REG_SZ    //p'; }
wait_run_entry() {  # expected seconds
  local i
  for i in $(seq 1 $(($2 * 10))); do [ "$(run_entry)" = "$1" ] && return 0; sleep 0.1; done
  return 1
}
next_tab() { d key "$title" $tabs 39 >/dev/null; sleep 0.3; }

prepare_record "$fixtures/long.avi"
forget_autorun
wine reg add "$app_key" /v TaskIndex /t REG_DWORD /d 4 /f >/dev/null 2>&1
wine reg add "$app_key" /v SettingsIndex /t REG_DWORD /d 7 /f >/dev/null 2>&1
wine reg add "$app_key" /v MuteWhenOtherAudioDetected /t REG_DWORD /d 1 /f >/dev/null 2>&1
start_playing
[ "$(d visible "$title" $general)" = 1 ] || fail "SettingsIndex 7 did not give the first tab"
[ "$(d visible "$title" $quick)" = 0 ] || fail "a second tab is shown"
pass "SettingsIndex 7 shows the first tab"

# First start without AutoRun: the entry is made at once, with the exact text.
wexe=$(winepath -w "$exe" | tr -d '\r')
wait_run_entry "\"$wexe\"  /autostart" 10 || fail "the Run entry reads '$(run_entry)'"
pass "the Run entry is made at start: $(run_entry)"
shot general

d post-click "$title" $general.1030 >/dev/null
wait_log "Setings: Set AutoRun 0" 1 10 || fail "the AutoRun switch logged nothing"
[ -z "$(run_entry)" ] || fail "the Run entry stayed after the switch went off"
[ "$(reg_value "$app_key" AutoRun)" = "0x0" ] || fail "AutoRun is '$(reg_value "$app_key" AutoRun)'"
d post-click "$title" $general.1030 >/dev/null
wait_log "Setings: Set AutoRun 1" 1 10 || fail "the second click logged nothing"
wait_run_entry "\"$wexe\"  /autostart" 10 || fail "the Run entry did not come back"
pass "the Run entry follows the switch"

# The detector runs (Wine has no session list: it reports none) and the wallpaper's own
# sound never mutes it: after two polls the monitor is still unmuted.
wait_log "Other audio detector: no session list (error 0x80004001), reporting none" 1 15 ||
  fail "the detector did not run"
sleep 11
[ "$(log_count "Other audio detector: no session list (error 0x80004001), reporting none")" -eq 1 ] ||
  fail "the detector logged its missing session list more than once"
! grep -aq "SetVolume 0.00" "$log_file" ||
  fail "something was muted while only our own sound played"
pass "the detector runs, logs Wine's missing session list once, and our own sound mutes nothing"

next_tab
[ "$(d visible "$title" $quick)" = 1 ] || fail "the right arrow did not show Quick Controls"
shot quick-controls
d set-text "$title" $quick.1089 007 >/dev/null
wait_log "Quick Controls: Set volume 7" 1 10 || fail "the typed volume was not taken"
[ "$(reg_value "$app_key\\QuickControls" Volume)" = "0x7" ] || fail "Volume is '$(reg_value "$app_key\\QuickControls" Volume)'"
[ "$(reg_value "$app_key\\QuickControls" Mute)" = "0x0" ] || fail "Mute is not stored with the typed volume"
wait_log "SetVolume 0.07" 1 10 || fail "the wallpaper's volume did not follow"
pass "\"007\" stores 7 and reaches the wallpaper"
d set-text "$title" $quick.1089 "" >/dev/null
wait_value "$app_key\\QuickControls" Mute 0x1 10 || fail "an empty volume did not store the mute"
[ "$(d text "$title" $quick.1089)" = 0 ] || fail "an empty box shows '$(d text "$title" $quick.1089)'"
pass "an empty box gives 0, shown as 0, and stores the mute"

for tab in about bug-report uninstall; do next_tab; shot $tab; done
[ "$(d visible "$title" $page.162)" = 1 ] || fail "the last tab is not Uninstall"

# Remove All: No changes nothing, Yes empties the wallpapers.
d post-click "$title" $quick.1043 >/dev/null
question=$(d message-box "$title" 10000 no)
[ -n "$question" ] || fail "Remove All asked nothing"
sleep 1
[ "$(log_count "Quick Controls: Remove All")" -eq 0 ] || fail "Remove All answered No went on"
[ -n "$(reg_value "$monitor_key" Path)" ] || fail "Remove All answered No removed the video"
d post-click "$title" $quick.1043 >/dev/null
d message-box "$title" 10000 yes >/dev/null
wait_log "Quick Controls: Remove All" 1 10 || fail "Remove All answered Yes did nothing"
wait_value "$monitor_key" Path "" 10 || fail "Remove All left the path '$(reg_value "$monitor_key" Path)'"
pass "Remove All asks ($question): No keeps, Yes empties the wallpapers"

d post-click "$title" $quick.1042 >/dev/null
d message-box "$title" 10000 yes >/dev/null
for i in $(seq 1 100); do [ "$(d popup-text "$title" 1076)" = "Factory reset successful!" ] && break; sleep 0.1; done
[ "$(d popup-text "$title" 1076)" = "Factory reset successful!" ] || fail "no message 196 after the reset"
d popup-click "$title" 1 >/dev/null
wait_log "Settings: Reset" 1 10 || fail "the settings tabs were not reset"
[ -z "$(reg_value "$app_key" MuteWhenOtherAudioDetected)" ] || fail "the reset wrote the detection back"
[ -z "$(reg_value "$app_key\\QuickControls" Volume)" ] || fail "the reset left the master volume"
[ "$(d text "$title" $quick.1089)" = 50 ] || fail "the master volume shows '$(d text "$title" $quick.1089)' after the reset"
wait_run_entry "\"$wexe\"  /autostart" 5 || fail "the reset removed the Run entry"
pass "Factory Reset shows its message and leaves the defaults"

end_app
[ "$(reg_value "$app_key" SettingsIndex)" = "0x4" ] || fail "SettingsIndex after exit is '$(reg_value "$app_key" SettingsIndex)'"
pass "the shown tab is stored at exit"
