# The desktop shell restarts while the program runs (explorer crashed, was updated or ended
# by the user): its wallpaper layer goes, and our wallpaper window with it. When the new shell
# announces itself ("TaskbarCreated"), the wallpaper stands in the new layer and plays again.
# (Wine does not draw a child of another process's window: the window tree and the log tell.)
# The stand-in runs the newer layout, whose layer is Progman's own WorkerW: a second classic
# stand-in under Wine puts its split WorkerWs out of order (Wine keeps the hidden icons
# WorkerW out of the bottom of the z-order), so the search behind the icons finds nothing.
source "$(dirname "$0")/lib/wallpaper.bash"
standin="$build/desktop-standin.exe"
[ -f "$standin" ] || fail "no desktop-standin.exe"
report="$build/e2e-wallpaper/layer.txt"
stop_standin() { [ -n "${standin_pid:-}" ] && kill "$standin_pid" 2>/dev/null; wait "$standin_pid" 2>/dev/null; standin_pid=""; }
start_standin() {
  rm -f "$report"
  wine "$standin" /newer /report "$(winepath -w "$report" | tr -d '\r')" "$@" </dev/null >/dev/null 2>&1 &
  standin_pid=$!
  local i
  for i in $(seq 1 100); do [ -f "$report" ] && return 0; sleep 0.1; done
  return 1
}
wait_report_line() {
  local i
  for i in $(seq 1 $(($2 * 10))); do
    grep -q "$1" "$report" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

start_standin || fail "the stand-in did not start"
prepare_record "$fixtures/long.avi"
start_app
wait_log "Media session started" 1 40 || { stop_standin; fail "the clip did not start"; }
wait_report_line "^QendorVideoWnd 0 0 1600 900 1$" 5 || { stop_standin; fail "no wallpaper window in the first layer"; }

# The shell goes, with its layer.
stop_standin
sleep 2
kill -0 "$app_pid" 2>/dev/null || fail "the program ended with the shell"
starts=$(log_count "Media session started")

# A new shell comes and, once it is up, announces itself.
start_standin || fail "the new stand-in did not start"
sleep 1
wine "$driver" broadcast TaskbarCreated >/dev/null 2>&1
wait_log "Shell restarted" 1 10 || { stop_standin; fail "the program did not hear TaskbarCreated"; }
wait_report_line "^QendorVideoWnd 0 0 1600 900 1$" 10 || { cat "$report"; stop_standin; fail "no wallpaper window in the new layer"; }
wait_log "Media session started" $((starts + 1)) 40 || { stop_standin; fail "the wallpaper did not play again"; }
[ "$(log_count "No desktop wallpaper layer: bottom-most window")" -eq 0 ] || { stop_standin; fail "the wallpaper went bottom-most instead of into the layer"; }
pass "after a shell restart the wallpaper stands in the new layer and plays again"
end_app
stop_standin
reset_settings
