# The real program with the desktop stand-in (another process, both shell layouts): the
# wallpaper window stands inside the wallpaper layer at the monitor's rectangle, the clip
# plays and loops, and with PauseWhenMaximised a maximised window pauses it within 5 s and
# its restore resumes it within 5 s. (Wine does not draw a child of another process's
# window, so this checks the window tree and the log, not the picture.)
source "$(dirname "$0")/lib/wallpaper.bash"
standin="$build/desktop-standin.exe"
[ -f "$standin" ] || fail "no desktop-standin.exe"
report="$build/e2e-wallpaper/layer.txt"

# Waits until FILE holds LINE: line file line seconds.
wait_file_line() {
  local i
  for i in $(seq 1 $(($3 * 10))); do
    grep -qx "$2" "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}
stop_standin() { [ -n "${standin_pid:-}" ] && kill "$standin_pid" 2>/dev/null; wait "$standin_pid" 2>/dev/null; standin_pid=""; }

for layout in classic newer; do
  rm -f "$report"
  args=(/report "$(winepath -w "$report" | tr -d '\r')")
  [ "$layout" = newer ] && args+=(/newer)
  wine "$standin" "${args[@]}" </dev/null >/dev/null 2>&1 &
  standin_pid=$!
  for i in $(seq 1 100); do [ -f "$report" ] && break; sleep 0.1; done
  [ -f "$report" ] || { stop_standin; fail "$layout: the stand-in did not start"; }

  prepare_record "$fixtures/clip.avi"
  start_app
  wait_log "Media session started" 2 40 || { stop_standin; fail "$layout: the clip did not loop"; }
  [ "$(log_count "No desktop wallpaper layer: bottom-most window")" -eq 0 ] || { stop_standin; fail "$layout: no layer found"; }
  sleep 0.5
  grep -q "^QendorVideoWnd 0 0 1600 900 1$" "$report" || { cat "$report"; stop_standin; fail "$layout: no visible wallpaper window at the monitor's rectangle in the layer"; }
  [ "$(log_count "Media session ended")" -ge 1 ] || { stop_standin; fail "$layout: no session end logged"; }
  end_app

  # The pause runs on a clip longer than the check, so that no loop falls inside it: after a
  # few loops Wine 8's video renderer runs out of samples and the session stalls.
  prepare_record "$fixtures/long.avi"
  wine reg add "$app_key" /v PauseWhenMaximised /t REG_DWORD /d 1 /f >/dev/null 2>&1
  start_app
  wait_log "Media session started" 1 40 || { stop_standin; fail "$layout: the long clip did not start"; }

  # A window maximised for 7 s, then restored for 7 s. The wallpaper looks every 5 s, so it
  # must react within 6 s of the moments the covering window reports (its own start under
  # Wine takes a variable second or two, which must not count).
  pauses=$(log_count "Pause")
  resumes=$(log_count "Resume")
  marks="$build/e2e-wallpaper/marks.txt"
  rm -f "$marks"
  wine "$standin" /maximised 7000 7000 /marks "$(winepath -w "$marks" | tr -d '\r')" </dev/null >/dev/null 2>&1 &
  covering_pid=$!
  wait_file_line "$marks" maximised 20 || { stop_standin; fail "$layout: the covering window did not start"; }
  wait_log "Pause" $((pauses + 1)) 6 || { stop_standin; fail "$layout: not paused within 5 s of the maximised window"; }
  [ "$(log_count "Detected maximized window")" -ge 1 ] || { stop_standin; fail "$layout: the maximised window was not logged"; }
  wait_file_line "$marks" restored 10 || { stop_standin; fail "$layout: the covering window was not restored"; }
  wait_log "Resume" $((resumes + 1)) 6 || { stop_standin; fail "$layout: not resumed within 5 s of the restore"; }
  wait "$covering_pid" 2>/dev/null

  end_app
  sleep 0.5
  ! grep -q "^QendorVideoWnd" "$report" || { stop_standin; fail "$layout: the wallpaper window outlived the program"; }
  stop_standin
  pass "$layout layout: window in the layer at 0,0-1600,900, loops, paused by a maximised window and resumed"
done
reset_settings
