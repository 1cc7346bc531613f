# Uninstall and the older-version replacement in the real program.
# 1. A folder standing where the batch file goes: message 178, the program keeps running and
#    keeps its settings.
# 2. The program copied into "Grüße 100% & ^ (x)": No changes nothing; Yes empties the settings
#    tree, removes the Run value and closes the program, and within 30 s its file and the
#    batch file are gone.
# 3. A stand-in for the second version holding its mutex, from another folder, with its Run
#    value: No ends the start and leaves it running; Yes ends it and deletes its file and Run
#    value, and the program starts.
# 4. A stand-in for the first version whose file cannot be deleted (another process holds it
#    open without sharing):
#    Yes ends it and deletes its Run value, then message 185 and the start ends.
source "$(dirname "$0")/lib/wallpaper.bash"
button=142.162.1045
work="$build/e2e-uninstall"
temp=$(temp_dir_unix)
batch="$temp/Qendor V2.1_uninstall.bat"
cleanup() {
  [ -n "${standin_pid:-}" ] && kill "$standin_pid" 2>/dev/null
  [ -n "${holder_pid:-}" ] && kill "$holder_pid" 2>/dev/null
  rm -rf "$work" "$batch"
  forget_autorun
}
trap cleanup EXIT
rm -rf "$work" "$batch"
mkdir -p "$work"

# Settings of a user who has the settings page open on its Uninstall tab.
prepare_settings() {
  prepare_record "$fixtures/long.avi"
  wine reg add "$app_key" /v TaskIndex /t REG_DWORD /d 4 /f >/dev/null 2>&1
  wine reg add "$app_key" /v SettingsIndex /t REG_DWORD /d 4 /f >/dev/null 2>&1
}
# Every value and key below the program's key (nothing when it is empty or gone).
settings_tree() { wine reg query "$app_key" /s 2>/dev/null | tr -d '\r' | grep -v "^$" | grep -vix "$app_key"; }
start_copy() {  # program path
  wine "$1" </dev/null >/dev/null 2>&1 &
  app_pid=$!
  wait_window 20000 visible || fail "the main window did not appear"
  [ "$(d visible "$title" 142.162)" = 1 ] || fail "the Uninstall tab is not shown"
}
ask_uninstall() {  # yes|no; prints the question
  d post-click "$title" $button >/dev/null
  d message-box "$title" 15000 "$1"
}
expected_question="Uninstall Qendor V2.1 from this PC?

Every setting is deleted, the program closes, and its file is deleted once it has closed."

# 1. The batch file cannot be made.
prepare_settings
mkdir -p "$batch"
start_copy "$exe"
[ "$(ask_uninstall yes)" = "$expected_question" ] || fail "the question was not asked"
wbatch=$(winepath -w "$batch" | tr -d '\r')
text=$(d message-box "$title" 15000)
[ "$text" = "Failed to create temporary file for application uninstall
$wbatch" ] || fail "the failure showed '$text'"
grep -aqF ": Failed to create tmp file for uninstall. Path: $wbatch" "$log_file" || fail "the failure was not logged"
sleep 1
[ "$(window_state)" = visible ] || fail "the program did not keep running"
[ "$(reg_value "$app_key" SettingsIndex)" = 0x4 ] || fail "the settings changed"
[ -n "$(reg_value "$run_key" Qendor2)" ] || fail "the Run value went"
! grep -aq "Closing the App and uninstall" "$log_file" || fail "the uninstall went on"
pass "a folder where the batch file goes: message 178, nothing changed, the program runs on"
end_app
rmdir "$batch"

# 2. The program uninstalls itself from an awkward folder.
folder="$work/Grüße 100% & ^ (x)"
mkdir -p "$folder"
cp "$exe" "$folder/Qendor2.exe"
prepare_settings
forget_autorun
start_copy "$folder/Qendor2.exe"
for i in $(seq 1 100); do [ -n "$(reg_value "$run_key" Qendor2)" ] && break; sleep 0.1; done
case "$(reg_value "$run_key" Qendor2)" in
  *"100% & ^ (x)\Qendor2.exe\" /autostart") ;;
  *) fail "the copy's Run value reads '$(reg_value "$run_key" Qendor2)'" ;;
esac
d post-click "$title" $button >/dev/null
sleep 1
import -window root "$shots/uninstall-question.png" 2>/dev/null
[ "$(d message-box "$title" 15000 no)" = "$expected_question" ] || fail "the question was not asked"
sleep 2
[ "$(window_state)" = visible ] || fail "No closed the program"
[ -f "$folder/Qendor2.exe" ] && [ ! -e "$batch" ] || fail "No left a batch file or removed the program"
[ "$(reg_value "$app_key" SettingsIndex)" = 0x4 ] || fail "No changed the settings"
pass "No changes nothing"
ask_uninstall yes >/dev/null
started=$(date +%s)
(sleep 1.5; import -window root "$shots/uninstall-closing.png" 2>/dev/null) &
wait_exit "$app_pid" 30 || fail "the program did not close"
wait_log "Closing the App and uninstall" 1 5 || fail "the uninstall was not logged"
tree=$(settings_tree)
[ -z "$tree" ] || fail "the settings tree still holds: $tree"
[ -z "$(reg_value "$run_key" Qendor2)" ] || fail "the Run value stayed"
for i in $(seq 1 300); do
  [ ! -e "$folder/Qendor2.exe" ] && [ ! -e "$batch" ] && break
  sleep 0.1
done
[ ! -e "$folder/Qendor2.exe" ] || fail "the program file is still there after 30 s"
[ ! -e "$batch" ] || fail "the batch file is still there after 30 s"
pass "Yes: the settings tree is empty, the Run value gone, the program closed, and after $(($(date +%s) - started)) s its file and the batch file are gone"
[ -z "$(settings_tree)" ] || fail "something was written back after the uninstall: $(settings_tree)"

# 3. An older version is running from another folder.
mkdir -p "$work/old"
cp "$build/older-standin.exe" "$work/old/Qendor2.exe"
wold=$(winepath -w "$work/old/Qendor2.exe" | tr -d '\r')
# Starts a stand-in (EXE MUTEX [HOLD_FILE]) and waits until it holds what it was given; its
# process id is left in started_pid.
start_standin() {
  local ready="$(dirname "$1")/ready"
  rm -f "$ready"
  wine "$1" "$2" "$(winepath -w "$ready" | tr -d '\r')" ${3:+"$3"} </dev/null >/dev/null 2>&1 &
  started_pid=$!
  for i in $(seq 1 100); do [ -f "$ready" ] && break; sleep 0.1; done
  [ -f "$ready" ] || fail "the stand-in $(basename "$1") did not start"
}
older_question="Looks like you have an older version of Qendor installed on your PC.

In order to install Qendor V2.1, we need to uninstall and delete the older version first.

Do you wish to continue?"
start_standin "$work/old/Qendor2.exe" Qendor2
standin_pid=$started_pid
wine reg add "$run_key" /v Qendor2.exe /t REG_SZ /d "\"$wold\"" /f >/dev/null 2>&1
for answer in no yes; do
  reset_settings
  wine reg add "$app_key\\BugReport" /v EnableLogging /t REG_DWORD /d 1 /f >/dev/null 2>&1
  start_app
  [ "$(d message-box "$title" 20000 $answer)" = "$older_question" ] || fail "$answer: the question was not asked"
  if [ $answer = no ]; then
    wait_exit "$app_pid" 15 || fail "No did not end the start"
    kill -0 "$standin_pid" 2>/dev/null || fail "No ended the older version"
    [ -f "$work/old/Qendor2.exe" ] || fail "No deleted the older file"
    [ -n "$(reg_value "$run_key" Qendor2.exe)" ] || fail "No deleted the older Run value"
    [ "$(window_state)" = none ] || fail "No started the program"
    pass "older version, No: nothing started, the older one runs on with its file and Run value"
  else
    wait_exit "$standin_pid" 10 || fail "Yes did not end the older version"
    standin_pid=""
    wait_window 20000 visible || fail "the program did not start after the replacement"
    [ ! -e "$work/old/Qendor2.exe" ] || fail "the older file is still there"
    [ -z "$(reg_value "$run_key" Qendor2.exe)" ] || fail "the older Run value is still there"
    pass "older version, Yes: it was ended, its file and Run value deleted, and the program started"
    end_app
  fi
done

# 4. The first version, its file held open without sharing by another process.
mkdir -p "$work/first"
cp "$build/older-standin.exe" "$work/first/Qendor.exe"
cp "$build/older-standin.exe" "$work/first/holder.exe"
wfirst=$(winepath -w "$work/first/Qendor.exe" | tr -d '\r')
start_standin "$work/first/Qendor.exe" Brisholm
standin_pid=$started_pid
start_standin "$work/first/holder.exe" QendorTestHolder "$wfirst"
holder_pid=$started_pid
wine reg add "$run_key" /v Qendor.exe /t REG_SZ /d "\"$wfirst\"" /f >/dev/null 2>&1
reset_settings
start_app
[ "$(d message-box "$title" 20000 yes)" = "$older_question" ] || fail "first version: the question was not asked"
text=$(d message-box "$title" 20000)
kill "$holder_pid" 2>/dev/null
[ "$text" = "Unable to uninstall older version of Qendor
Please delete Qendor.exe manually and then run Qendor V2.1" ] || fail "the first version's failure showed '$text'"
wait_exit "$app_pid" 15 || fail "the start did not end after message 185"
wait_exit "$standin_pid" 10 || fail "the first version was not ended"
standin_pid=""
[ -f "$work/first/Qendor.exe" ] || fail "the held file went"
[ -z "$(reg_value "$run_key" Qendor.exe)" ] || fail "the first version's Run value is still there"
[ "$(window_state)" = none ] || fail "the program started although the older file stayed"
pass "first version whose file cannot go: ended, Run value deleted, message 185, nothing started"
reset_settings
