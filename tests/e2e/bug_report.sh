# The bug report in the real program: logging on and a folder set enable Create Report; the
# report replaces an older one and opens in unzip, 7z and Python's zipfile, with the typed
# description (non-ASCII, CR LF, UTF-8 with a byte order mark) and the logs byte for byte (a
# previous log of 6 MB among them); nothing partial is left beside it. A missing folder gives
# message 200 and the dialog stays; logging switched off disables the button.
source "$(dirname "$0")/lib/wallpaper.bash"
page=142.232
report="$build/e2e-report"
rm -rf "$report"
mkdir -p "$report"
wreport=$(winepath -w "$report" | tr -d '\r')
zip="$report/Qendor-Report.zip"
echo "an older report" >"$zip"

prepare_record "$fixtures/long.avi"
forget_autorun
wine reg add "$app_key" /v TaskIndex /t REG_DWORD /d 4 /f >/dev/null 2>&1
wine reg add "$app_key" /v SettingsIndex /t REG_DWORD /d 3 /f >/dev/null 2>&1
wine reg add "$app_key\\BugReport" /v Path /t REG_SZ /d "$wreport" /f >/dev/null 2>&1
wine reg add "$app_key\\BugReport" /v OpenFolder /t REG_DWORD /d 0 /f >/dev/null 2>&1
# The previous log: 6 MB of log lines (the size where the Deflate writer once failed), put in
# place as the log, which the program's start turns into the previous one.
python3 - "$log_file" <<'PY'
import random, sys
random.seed(7)
words = ["Open file", "Media session started", "SetVolume", "Window rect", "Quick Start", "Detected", "monitor"]
with open(sys.argv[1], "wb") as out:
    n = 0
    while out.tell() < 6 * 1024 * 1024:
        n += 1
        line = "2026-12-11 8:%d:%d:%d %d: %s %d\r\n" % (n % 60, n % 59, n % 1000, 400 + n % 7,
                                                    " ".join(random.choice(words) for _ in range(random.randint(1, 6))), n)
        out.write(line.encode())
PY
cp "$log_file" "$build/e2e-report-previous.log"
start_playing
[ "$(d visible "$title" $page)" = 1 ] || fail "SettingsIndex 3 did not show the bug report tab"
[ "$(d enabled "$title" $page.1083)" = 1 ] || fail "Create Report is disabled with logging on and a folder"
import -window root "$shots/settings-bug-report.png" 2>/dev/null
pass "logging on and a folder enable Create Report"

description=$(printf 'First line with caf\xc3\xa9 and \xe6\x97\xa5\xe6\x9c\xac\r\nsecond line')
d post-click "$title" $page.1083 >/dev/null
wine "$driver" wait-window "Create Report" 10000 visible >/dev/null 2>&1 || fail "the description dialog did not open"
LC_ALL=C.UTF-8 timeout 60 wine "$driver" set-text "Create Report" 1084 "$description" >/dev/null 2>&1
import -window root "$shots/bug-report-describe.png" 2>/dev/null
d post-click "Create Report" 1 >/dev/null
for i in $(seq 1 200); do [ "$(d popup-text "$title" 1)" = "Close" ] && break; sleep 0.1; done
[ "$(d popup-text "$title" 1)" = "Close" ] || fail "no confirmation after Create"
import -window root "$shots/bug-report-created.png" 2>/dev/null
d popup-click "$title" 1 >/dev/null
pass "Create writes the report and confirms it"

[ -z "$(ls "$report" | grep -v '^Qendor-Report.zip$')" ] || fail "left beside the report: $(ls "$report")"
unzip -tq "$zip" >/dev/null || fail "unzip finds the report broken"
7z t "$zip" >/dev/null || fail "7z finds the report broken"
python3 - "$zip" "$log_file" "$build/e2e-report-previous.log" "$description" <<'PY' || fail "the report's entries are not what was written"
import os, sys, zipfile
path, log, previous, typed = sys.argv[1:5]
with zipfile.ZipFile(path) as z:
    assert z.testzip() is None, "a bad entry"
    names = z.namelist()
    assert names == ["Description.txt", "Qendor2.log", "Qendor2.log.bak"], names
    text = z.read("Description.txt")
    want = b"\xef\xbb\xbf" + os.fsencode(typed)
    assert text == want, (text, want)
    assert z.read("Qendor2.log.bak") == open(previous, "rb").read(), "the previous log differs"
    entry = z.read("Qendor2.log")
    now = open(log, "rb").read()
    assert len(entry) > 0 and now.startswith(entry), "the log entry is not the log as it was"
    print("entries:", [(i.filename, i.file_size, i.compress_size) for i in z.infolist()])
PY
pass "the report opens in unzip, 7z and zipfile; description and logs are byte-equal"

# The folder gone (a removed drive, a deleted folder): message 200, the dialog stays open for
# another try, and nothing is written.
rm -rf "$report"
d post-click "$title" $page.1083 >/dev/null
wine "$driver" wait-window "Create Report" 10000 visible >/dev/null 2>&1 || fail "the description dialog did not open again"
d set-text "Create Report" 1084 "again" >/dev/null
d post-click "Create Report" 1 >/dev/null
message=$(d message-box "$title" 10000)
[ "$message" = $'Failed to create zip file\n'"$wreport\\Qendor-Report.zip" ] || fail "the failure said '$message'"
[ ! -e "$report" ] || fail "the failed report wrote into '$report': $(ls -a "$report")"
[ "$(wine "$driver" window-state "Create Report" 2>/dev/null | tr -d '\r')" = visible ] || fail "the dialog closed after the failure"
d post-click "Create Report" 2 >/dev/null
pass "a missing folder gives message 200, the dialog stays, nothing is written"

d post-click "$title" $page.1030 >/dev/null
for i in $(seq 1 50); do [ "$(d enabled "$title" $page.1083)" = 0 ] && break; sleep 0.1; done
[ "$(d enabled "$title" $page.1083)" = 0 ] || fail "logging off left Create Report enabled"
[ "$(reg_value "$app_key\\BugReport" EnableLogging)" = "0x0" ] || fail "EnableLogging is not stored off"
pass "logging off disables Create Report"
end_app
