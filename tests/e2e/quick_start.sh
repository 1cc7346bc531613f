# Quick Start in the real program: a folder with two 12 s clips of different proportions (16:9
# and 4:3) at the 30 s interval. At start it counts the two files and applies one; each change
# counts them again, and the clip follows the runtime generator's picks for one monitor (41, 18467
# and 6334, each modulo 2: the second file twice, then the first), so the picture changes only
# at the second change. After exit the monitor has Cover and Quick Start's volume. Without a
# folder the switch shows message 195 and Active stays 0.
source "$(dirname "$0")/lib/wallpaper.bash"
page=229
qs_key="$app_key\\QuickStart"
folder="$build/e2e-quickstart"
rm -rf "$folder"
mkdir -p "$folder/sub.avi"  # a folder named like a video is not one
cp "$fixtures/long.avi" "$fixtures/long43.avi" "$folder/"
wfolder=$(winepath -w "$folder" | tr -d '\r')
sizes() { grep -a "Native Video Size" "$log_file" | sed 's/.*Native Video Size: \([0-9x]*\);.*/\1/' | tr '\n' ' '; }
wait_sizes() {  # count seconds
  local i
  for i in $(seq 1 $(($2 * 10))); do [ "$(grep -ac "Native Video Size" "$log_file")" -ge "$1" ] && return 0; sleep 0.1; done
  return 1
}

prepare_record "$fixtures/missing.avi" 2
wine reg delete "$monitor_key" /v Path /f >/dev/null 2>&1
wine reg add "$monitor_key" /v Volume /t REG_DWORD /d 30 /f >/dev/null 2>&1
wine reg add "$app_key" /v TaskIndex /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add "$qs_key" /v Path /t REG_SZ /d "$wfolder" /f >/dev/null 2>&1
wine reg add "$qs_key" /v Active /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine reg add "$qs_key" /v Volume /t REG_DWORD /d 70 /f >/dev/null 2>&1
start_app
wait_window 20000 visible || fail "the main window did not appear"
d visible "$title" $page | grep -qx 1 || fail "the Quick Start page is not shown"
wait_log "Quick Start: Detected 2 files" 1 20 || fail "the folder's two videos were not counted at start"
wait_sizes 1 30 || fail "the picked clip did not play"
[ "$(d text "$title" $page.1078)" = "2 video files detected in this folder" ] || fail "the count reads '$(d text "$title" $page.1078)'"
first=$(sizes)
import -window root "$shots/quick-start-page.png" 2>/dev/null
pass "at start: 2 files counted, one applied ($first)"

# (At start the folder is counted twice: when its path is put into the field and when the
# switch, already on, starts Quick Start.)
counted=$(log_count "Quick Start: Detected 2 files")
wait_log "Quick Start: Detected 2 files" $((counted + 1)) 45 || fail "no change within 45 s"
sleep 2
[ "$(log_count "Open file: .avi")" -eq 1 ] || fail "the first change reopened the clip although the pick was the same file"
wait_log "Quick Start: Detected 2 files" $((counted + 2)) 45 || fail "no second change"
wait_sizes 2 20 || fail "the second change did not open the other clip"
second=$(sizes)
case "$second" in
  "160x90 160x120 " | "160x120 160x90 ") ;;
  *) fail "the clips shown were '$second', not the two proportions one after the other" ;;
esac
pass "each change counts the files again; the picks keep the clip once, then switch to the other ($second)"
end_app
[ "$(reg_value "$monitor_key" VideoSize)" = "0x0" ] || fail "after exit VideoSize is '$(reg_value "$monitor_key" VideoSize)', not Cover"
[ "$(reg_value "$monitor_key" Volume)" = "0x46" ] || fail "after exit Volume is '$(reg_value "$monitor_key" Volume)', not Quick Start's 70"
pass "after exit the monitor has Cover and Quick Start's volume"

# No folder: the switch says what to do first and stays off.
reset_settings
wine reg add "$app_key" /v Ver /t REG_SZ /d Qendor2.1 /f >/dev/null 2>&1
wine reg add "$app_key" /v TaskIndex /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add "$app_key\\BugReport" /v EnableLogging /t REG_DWORD /d 1 /f >/dev/null 2>&1
start_app
wait_window 20000 visible || fail "the main window did not appear"
d enabled "$title" $page.1066 | grep -qx 0 || fail "Remove is enabled without a folder"
[ "$(d text "$title" $page.1078)" = "" ] || fail "the count line reads '$(d text "$title" $page.1078)' without a folder"
d post-click "$title" $page.1059 >/dev/null
text=$(wine "$driver" message-box "$title" 15000 2>/dev/null | tr -d '\r')
[ "$text" = "Before you can activate Quick Start, you need to select the folder where all your wallpapers are stored first." ] ||
  fail "the switch without a folder showed '$text'"
wait_value "$qs_key" Active 0x0 10 || fail "Active is not 0 after the refused switch"
grep -q "Quick Start: Path is empty. Activate reset to 0" "$log_file" || fail "the refusal was not logged"
pass "without a folder the switch shows message 195 and Active stays 0"
end_app
reset_settings
