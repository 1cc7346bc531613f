# On Windows 7 the program says it needs Windows 8.1, ends, and writes nothing.
source "$(dirname "$0")/lib/common.bash"
overrides='HKCU\Software\Wine\AppDefaults\Qendor2.exe'
reset_settings
wine reg add "$overrides" /v Version /t REG_SZ /d win7 /f >/dev/null 2>&1
trap 'wine reg delete "$overrides" /f >/dev/null 2>&1; forget_autorun' EXIT

start_app
text=$(wine "$driver" message-box "$title" 20000 2>/dev/null | tr -d '\r')
[ "$text" = "You need at least Windows 8.1" ] || fail "message box text: '$text'"
wait_exit "$app_pid" 15 || fail "the program did not end after the message"
reg_key_exists "$app_key" && fail "the settings tree was written"
pass "Windows 7: message shown, nothing written"
