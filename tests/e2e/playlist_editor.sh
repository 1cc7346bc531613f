# The playlist's entry editor in the real program: a row's Add opens the editor with the video
# page of the entry; a file picked there plays on the monitor, Apply stores it into the entry
# (not into the monitor's own record) and goes back to the playlist, whose row shows the name;
# Cancel stores nothing. A music row's editor pauses the background music while it is open and
# resumes it after, but music the tray had paused stays paused. The wallpapers and the music
# are sound files (under Wine short video clips stall Wine's video presenter).
source "$(dirname "$0")/lib/wallpaper.bash"
page=141
editor=166
row() { echo "$page.1058.$((2000 + $1)).$((100 + $2))"; }  # entry key, row index
playlist_key="$app_key\\Playlist"
music_key="$app_key\\Music"
wav=$(winepath -w "$fixtures/tone.wav" | tr -d '\r')
mp3=$(winepath -w "$fixtures/tone.mp3" | tr -d '\r')
shown() { d visible "$title" "$1" | grep -qx 1; }
wait_shown() {
  local i
  for i in $(seq 1 50); do shown "$1" && return 0; sleep 0.1; done
  return 1
}

prepare_record "$fixtures/tone.wav"
wine reg delete "$monitor_key" /v Path /f >/dev/null 2>&1  # no wallpaper of the monitor's own
wine reg add "$app_key" /v TaskIndex /t REG_DWORD /d 3 /f >/dev/null 2>&1
wine reg add "$music_key" /v Path /t REG_SZ /d "$mp3" /f >/dev/null 2>&1
start_app
wait_window 20000 visible || fail "the main window did not appear"
shown $page || fail "the playlist page is not shown"
wait_log "Media session started" 1 20 || fail "the background music did not play"

# A video row's Add: the editor with the entry's video page; a picked file plays on the monitor.
d click "$title" "$(row 0 0).1064" >/dev/null
wait_shown $editor || fail "Add Video did not open the entry editor"
shown $page && fail "the playlist page stayed beside the editor"
shown $editor.139 || fail "the editor does not show the video page"
grep -q "Playlist: Add Video" "$log_file" || fail "the row's Add was not logged"
[ "$(d text "$title" $editor.139.1010)" = "Playlist Entry" ] || fail "the page's title reads '$(d text "$title" $editor.139.1010)'"
# (Taken before a wallpaper window exists: under Wine without a window manager a window made
# later is stacked over the others in X whatever Wine's own order says.)
import -window root "$shots/playlist-editor-video.png" 2>/dev/null
opened=$(log_count "Open file: .wav")
d post-click "$title" $editor.139.163.1014 >/dev/null
wine "$driver" answer-file Open "$wav" 15000 >/dev/null 2>&1 || fail "no file dialog"
wait_log "Open file: .wav" $((opened + 1)) 15 || fail "the picked file did not open on the monitor"
[ "$(reg_value "$monitor_key" Path)" = "" ] || fail "the entry's file was stored as the monitor's own"
pass "a video row's Add opens the editor; the picked file plays on the monitor and is not stored as its own"

d click "$title" $editor.1069 >/dev/null
wait_shown $page || fail "Apply did not go back to the playlist"
shown $editor && fail "the editor stayed after Apply"
grep -q "Playlist: Add Item - Apply click" "$log_file" || fail "Apply was not logged"
[ "$(reg_value "$playlist_key\\0\\Video\\Default_Monitor_0000" Path)" = "$wav" ] || fail "Apply did not store the file into the entry"
[ "$(reg_value "$playlist_key\\0\\Video" DisplayOptions)" = "0x0" ] || fail "Apply did not store the display option"
[ "$(d text "$title" "$(row 0 0).1072")" = "tone.wav" ] || fail "the row shows '$(d text "$title" "$(row 0 0).1072")'"
shown "$(row 0 0).1073" || fail "the row's Edit button is not shown"
[ "$(reg_value "$monitor_key" Path)" = "" ] || fail "the monitor's own record changed"
import -window root "$shots/playlist-page-edited.png" 2>/dev/null
pass "Apply stores the entry, goes back to the playlist, and the row shows the file's name with Edit"

# Cancel stores nothing.
d click "$title" "$(row 1 0).1064" >/dev/null
wait_shown $editor || fail "the second entry's Add did not open the editor"
d post-click "$title" $editor.139.163.1014 >/dev/null
wine "$driver" answer-file Open "$mp3" 15000 >/dev/null 2>&1 || fail "no file dialog"
wait_log "Open file: .mp3" 2 15 || fail "the picked file did not open on the monitor"
d click "$title" $editor.1070 >/dev/null
wait_shown $page || fail "Cancel did not go back to the playlist"
grep -q "Playlist: Add Item - Cancel click" "$log_file" || fail "Cancel was not logged"
[ "$(reg_value "$playlist_key\\1\\Video\\Default_Monitor_0000" Path)" = "" ] || fail "Cancel stored the file"
shown "$(row 1 0).1064" || fail "the cancelled row no longer offers Add"
pass "Cancel stores nothing and the row still offers Add"

# A music row: the background music stops while its editor is open (paused, or held between
# two loops of the 1 s track) and plays again after: no loop ends while the editor is open,
# loop ends again after it.
loops() { log_count "Media session ended"; }
silent_for() {  # seconds: no loop ends meanwhile
  local before
  before=$(loops)
  sleep "$1"
  [ "$(loops)" -eq "$before" ]
}
wait_loops() {  # count seconds
  local before i
  before=$(loops)
  for i in $(seq 1 $(($2 * 10))); do [ "$(loops)" -ge $((before + $1)) ] && return 0; sleep 0.1; done
  return 1
}
d click "$title" "$(row 0 1).1064" >/dev/null
wait_shown $editor || fail "Add Music did not open the editor"
shown $editor.140 || fail "the editor does not show the music page"
sleep 0.5
silent_for 2.5 || fail "the background music went on playing with the editor open"
d post-click "$title" $editor.140.1014 >/dev/null
wine "$driver" answer-file Open "$wav" 15000 >/dev/null 2>&1 || fail "no file dialog"
d click "$title" $editor.140.1027 >/dev/null  # mute the entry's music
import -window root "$shots/playlist-editor-music.png" 2>/dev/null
d click "$title" $editor.1069 >/dev/null
wait_shown $page || fail "Apply did not go back to the playlist"
wait_loops 2 10 || fail "the background music did not play again after the editor"
music0="$playlist_key\\0\\Music"
[ "$(reg_value "$music0" Path)" = "$wav" ] || fail "the entry's music path was not stored"
[ "$(reg_value "$music0" Mute)" = "0x1" ] || fail "the entry's mute was not stored"
[ "$(reg_value "$music0" Volume)" = "0x32" ] || fail "muted, the remembered volume 50 was not stored"
[ "$(reg_value "$music_key" Path)" = "$mp3" ] || fail "the background music's own path changed"
pass "a music row's editor stops the background music, Apply stores the entry's music and the music plays again"

# Music the tray paused stays paused through the editor.
d post-command "$title" 32775 >/dev/null  # the tray's Pause
sleep 1.5
silent_for 2.5 || fail "the tray did not stop the music"
d click "$title" "$(row 0 1).1073" >/dev/null  # the row now offers Edit
wait_shown $editor || fail "Edit did not open the editor"
grep -q "Playlist: Edit Music" "$log_file" || fail "the row's Edit was not logged"
d click "$title" $editor.1070 >/dev/null
wait_shown $page || fail "Cancel did not go back to the playlist"
silent_for 2.5 || fail "closing the editor played music the tray had paused"
pass "music the tray paused stays paused when the editor closes"
end_app
reset_settings
