# The playlist's music in the real program: two entries with only music (a 0.6 s and a 1 s
# tone) and the interval "End of Music Track": each track's end applies the other entry, so the
# two alternate and CurrentItem follows. The tray's mute silences the music, also the tracks
# that come after it, without storing a mute anywhere; unmuting brings the volume back.
source "$(dirname "$0")/lib/wallpaper.bash"
playlist_key="$app_key\\Playlist"
wav=$(winepath -w "$fixtures/tone.wav" | tr -d '\r')
mp3=$(winepath -w "$fixtures/tone.mp3" | tr -d '\r')
opens() { grep -a "Open file: \." "$log_file" | sed 's/.*Open file: \.//' | tr -d '\r' | tr '\n' ' '; }

prepare_record "$fixtures/tone.wav"
wine reg delete "$monitor_key" /v Path /f >/dev/null 2>&1  # no wallpaper: only the music plays
wine reg add "$playlist_key" /v Active /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine reg add "$playlist_key" /v ChangeTime /t REG_DWORD /d 5 /f >/dev/null 2>&1  # End of Music Track
wine reg add "$playlist_key\\0\\Music" /v Path /t REG_SZ /d "$wav" /f >/dev/null 2>&1
wine reg add "$playlist_key\\1\\Music" /v Path /t REG_SZ /d "$mp3" /f >/dev/null 2>&1
start_app
wait_window 20000 visible || fail "the main window did not appear"
wait_log "Open file: .mp3" 2 30 || fail "the tracks did not alternate: opened '$(opens)'"
sequence=$(opens)
case "$sequence" in
  "wav mp3 wav mp3"*) ;;
  *) fail "the tracks did not alternate from the first entry on: opened '$sequence'" ;;
esac
current=$(reg_value "$playlist_key" CurrentItem)
[ "$current" = "0x0" ] || [ "$current" = "0x1" ] || fail "CurrentItem reads '$current'"
pass "at the end of each track the other entry's track plays ($sequence...), CurrentItem following"

# The tray's mute: the music goes silent, the next tracks come up silent, nothing is stored.
loud=$(log_count "SetVolume 0.50")
d post-command "$title" 32776 >/dev/null  # the tray's Mute
wait_log "SetVolume 0.00" 1 10 || fail "the tray's mute did not silence the music"
opened=$(grep -ac "Open file: \." "$log_file")
for i in $(seq 1 100); do [ "$(grep -ac "Open file: \." "$log_file")" -ge $((opened + 2)) ] && break; sleep 0.1; done
[ "$(grep -ac "Open file: \." "$log_file")" -ge $((opened + 2)) ] || fail "the rotation stopped under the mute"
sleep 0.5
[ "$(log_count "SetVolume 0.50")" -le $((loud + 1)) ] || fail "a track after the mute was heard at its volume"
for section in "Music" "Playlist\\0\\Music" "Playlist\\1\\Music"; do
  mute=$(reg_value "$app_key\\$section" Mute)
  [ -z "$mute" ] || [ "$mute" = "0x0" ] || fail "the tray's mute was stored in $section ($mute)"
done
pass "the tray's mute silences the music and the tracks after it, and stores no mute"

d post-command "$title" 32776 >/dev/null  # unmute
wait_log "SetVolume 0.50" $((loud + 2)) 10 || fail "unmuting did not bring the volume back"
pass "the tray's unmute brings the music's volume back"
end_app
reset_settings
