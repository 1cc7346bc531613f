# With EnableLogging on, Qendor2.log in the user's temporary folder begins with the start
# line and the system line and ends with "Exit Qendor2"; lines end in CR LF.
source "$(dirname "$0")/lib/common.bash"
reset_settings
wine reg add "$app_key\\BugReport" /v EnableLogging /t REG_DWORD /d 1 /f >/dev/null 2>&1
temp=$(temp_dir_unix)
[ -n "$temp" ] || fail "no temporary folder"
rm -f "$temp/Qendor2.log" "$temp/Qendor2.log.bak"
echo "previous run" >"$temp/Qendor2.log"

start_app
wait_window 20000 visible || fail "no main window"
close_app
wait_exit "$app_pid" 15 || fail "did not end"

log="$temp/Qendor2.log"
[ -f "$log" ] || fail "no log file in $temp"
[ "$(cat "$temp/Qendor2.log.bak")" = "previous run" ] || fail "the previous log was not kept as the backup"
first=$(sed -n 1p "$log")
second=$(sed -n 2p "$log")
last=$(tail -n 1 "$log")
[[ "$first" =~ ^[0-9]{4}-[0-9]+-[0-9]+\ [0-9]+:[0-9]+:[0-9]+:[0-9]+\ [0-9]+:\ Start\ Qendor\ 2\.1\.0\.2\ \(.+\)$'\r'$ ]] ||
  fail "first line: $first"
[[ "$second" =~ :\ Windows\ 10\ or\ greater\ \(x64\)$'\r'$ ]] || fail "second line: $second"
[[ "$last" =~ :\ Exit\ Qendor2$'\r'$ ]] || fail "last line: $last"
pass "log begins with the start and system lines and ends with Exit Qendor2, CR LF"
