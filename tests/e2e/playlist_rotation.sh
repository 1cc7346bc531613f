# The playlist rotation in the real program: two stored entries and the 30 s interval; the
# rotation shows the first at once and the second 30 s later, CurrentItem following; a restart
# resumes at the stored entry. On the page, "Add Playlist Entry" adds a third entry (its
# section made) and its Remove deletes it again. The entries' wallpapers are sound files told
# apart by their kind: under Wine a looping 0.6 s clip stalls Wine's video presenter within
# seconds, and a call into it at the end of a loop can block for ever.
source "$(dirname "$0")/lib/wallpaper.bash"
page=141
list="$page.1058"
playlist_key="$app_key\\Playlist"
video_of() { echo "$playlist_key\\$1\\Video\\Default_Monitor_0000"; }

prepare_record "$fixtures/tone.wav"
wine reg delete "$monitor_key" /v Path /f >/dev/null 2>&1  # only the playlist opens files
wine reg add "$app_key" /v TaskIndex /t REG_DWORD /d 3 /f >/dev/null 2>&1
wine reg add "$playlist_key" /v Active /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine reg add "$(video_of 0)" /v Path /t REG_SZ /d "$(winepath -w "$fixtures/tone.wav" | tr -d '\r')" /f >/dev/null 2>&1
wine reg add "$(video_of 1)" /v Path /t REG_SZ /d "$(winepath -w "$fixtures/tone.mp3" | tr -d '\r')" /f >/dev/null 2>&1
start_app
wait_window 20000 visible || fail "the main window did not appear"
d visible "$title" $page | grep -qx 1 || fail "the playlist page is not shown"
wait_value "$playlist_key" CurrentItem 0x0 10 || fail "the first entry was not applied at start"
wait_log "Open file: .wav" 1 20 || fail "the first entry's file was not opened"
start=$(date +%s)
wait_value "$playlist_key" CurrentItem 0x1 40 || fail "the rotation did not move on within 40 s"
took=$(($(date +%s) - start))
[ "$took" -ge 25 ] || fail "the rotation moved on after $took s, before its 30 s"
wait_log "Open file: .mp3" 1 20 || fail "the second entry's file was not opened"
pass "the first entry at once, the second about 30 s later ($took s after the first played); CurrentItem follows"

# The page: both entries have a video, so an entry can be added; its Remove takes it away.
d enabled "$title" $page.1061 | grep -qx 1 || fail "Add Playlist Entry is disabled"
d click "$title" $page.1061 >/dev/null
d visible "$title" $list.2002 | grep -qx 1 || fail "no panel for the new entry (key 2)"
reg_key_exists "$playlist_key\\2" || fail "the new entry's section was not made"
d enabled "$title" $page.1061 | grep -qx 0 || fail "Add stays enabled with an empty entry"
grep -q "Playlist: Add Playlist Entry" "$log_file" || fail "the addition was not logged"
d click "$title" $list.2002.1066 >/dev/null
for i in $(seq 1 50); do reg_key_exists "$playlist_key\\2" || break; sleep 0.1; done
reg_key_exists "$playlist_key\\2" && fail "Remove left the entry's section"
d visible "$title" $list.2002 | grep -qx 1 && fail "the removed entry's panel stayed"
pass "Add Playlist Entry adds entry 3 with its section; its Remove deletes both"
end_app

# A restart resumes at the stored entry: the second entry's file first.
rm -f "$log_file"
start_app
wait_window 20000 visible || fail "the main window did not appear after the restart"
wait_log "Open file: .mp3" 1 20 || fail "the restart did not resume at the stored entry"
[ "$(log_count "Open file: .wav")" -eq 0 ] || fail "the restart showed the first entry"
mkdir -p "$shots"
sleep 1  # the page finishes painting after the first file opens
import -window root "$shots/playlist-page.png" 2>/dev/null
pass "a restart resumes at the stored entry"
end_app
reset_settings
