# A copy of the program under another name keeps its settings under that name.
source "$(dirname "$0")/lib/common.bash"
reset_settings
wine reg add "$app_key" /v PauseAndMuteAll /t REG_DWORD /d 1 /f >/dev/null 2>&1
copy_dir=$(mktemp -d)
cp "$exe" "$copy_dir/QendorCopy.exe"
copy_key='HKCU\Software\vexmora\QendorCopy'
wine reg delete "$copy_key" /f >/dev/null 2>&1

wine "$copy_dir/QendorCopy.exe" </dev/null >/dev/null 2>&1 &
app_pid=$!
wait_window 20000 visible || fail "the copy's window did not appear"
wine "$driver" post-command "$title" 1 >/dev/null 2>&1  # Enter ends the dialog
wait_exit "$app_pid" 15 || fail "the copy did not end on Enter"
rm -rf "$copy_dir"

[ "$(reg_value "$copy_key" Ver)" = "Qendor2.1" ] || fail "the copy's tree has no Ver"
[ -z "$(reg_value "$copy_key" PauseAndMuteAll)" ] || fail "the copy shares the original's values"
[ -z "$(reg_value "$app_key" Ver)" ] || fail "the copy wrote into the original's tree"
wine reg delete "$copy_key" /f >/dev/null 2>&1
pass "the renamed copy uses its own tree"
