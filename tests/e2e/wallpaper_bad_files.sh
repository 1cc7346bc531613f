# The real program with a bad file as the monitor's video: a missing file, a zero-byte file,
# a text file named .mp4 and a folder each bring the box "Failed to open file" with the path
# and the system's text, and the program keeps running and ends normally. (The next good file
# playing in the same window is checked in-process; here each case is a fresh start.)
source "$(dirname "$0")/lib/wallpaper.bash"

for name in missing.avi empty.mp4 text.mp4 folder.mp4; do
  path="$fixtures/$name"
  winpath=$(winepath -w "$path" | tr -d '\r')
  prepare_record "$path"
  start_app
  text=$(wine "$driver" message-box "$title" 30000 2>/dev/null | tr -d '\r')
  [ -n "$text" ] || fail "$name: no message box"
  mapfile -t lines <<<"$text"
  [ "${lines[0]}" = "Failed to open file" ] || fail "$name: first line '${lines[0]}'"
  [ "${lines[1]}" = "$winpath" ] || fail "$name: second line '${lines[1]}', not the path $winpath"
  [ -n "${lines[2]:-}" ] || fail "$name: no system text in '$text'"
  wait_window 10000 visible || fail "$name: the main window did not show after the box"
  [ "$(log_count "Media session started")" -eq 0 ] || fail "$name: a session started"
  end_app
  [ "$exit_status" = 0 ] || fail "$name: the program ended with status $exit_status"
  last=$(tail -n 1 "$log_file" | tr -d '\r')
  [ "${last#*: }" = "Exit Qendor2" ] || fail "$name: the log ends with '$last', not the exit line"
  pass "$name: \"${lines[2]}\", the program ran on and ended normally"
done
reset_settings
