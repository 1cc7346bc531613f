#!/bin/bash
# Archives made by qzip (the program's zip writer on native files) must be accepted by
# independent readers (unzip, 7z, Python's zipfile) and extract to their sources byte for byte.
#   bash zip_qzip.sh <native build dir>
set -u
build=$(cd "$1" && pwd)
qzip="$build/qzip"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for tool in unzip 7z python3; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done
[ -x "$qzip" ] || { echo "FAIL: $qzip not built"; exit 1; }

# Sources: log lines like the program writes, random bytes, an executable, an empty file,
# text that is stored because of its name, and a file of more than one input block of runs.
mkdir src
python3 - <<'PY'
import random
random.seed(5)
texts = ["Playlist: Set Activate %d", "Quick Controls: Set volume %d", "CreateFileW failed. Error 0x%08X",
         "Monitor %d: SetPath C:\\Users\\me\\Videos\\clip.mp4"]
with open("src/Qendor2.log", "w", newline="") as f:
    s = 0
    size = 0
    while size < 3 * 1024 * 1024:
        s += random.randint(0, 2)
        line = "2024-05-01 %02d:%02d:%02d [%5d] INFO  %s\r\n" % (s // 3600 % 24, s // 60 % 60, s % 60,
                random.randint(1000, 9999), random.choice(texts) % random.randint(0, 999))
        f.write(line)
        size += len(line)
with open("src/random.bin", "wb") as f:
    f.write(random.randbytes(700000))
with open("src/runs.bin", "wb") as f:
    f.write(b"\0" * 200000 + b"x" + b"\0" * 70000)
PY
cp "$qzip" src/tool.exe
: > src/empty.txt
printf 'already compressed, they say\n' > src/backup.TGZ
printf 'first line\r\nsecond line\r\n' > src/Description.txt

"$qzip" out.zip Description.txt=src/Description.txt 'logs\Qendor2.log'=src/Qendor2.log \
  random.bin=src/random.bin tool.exe=src/tool.exe empty.txt=src/empty.txt \
  Old.TGZ=src/backup.TGZ runs.bin=src/runs.bin || fail "qzip exit status $?"

unzip -tq out.zip >unzip.log 2>&1 || { fail "unzip -t rejects the archive"; cat unzip.log; }
7z t out.zip >7z.log 2>&1 || { fail "7z t rejects the archive"; cat 7z.log; }
grep -q "Everything is Ok" 7z.log || fail "7z reports problems"

# Byte-for-byte extraction with unzip and with 7z.
mkdir xu
unzip -q out.zip -d xu || fail "unzip extraction"
7z x -oxz out.zip >/dev/null 2>&1 || fail "7z extraction"
for pair in Description.txt:Description.txt logs/Qendor2.log:Qendor2.log random.bin:random.bin \
            tool.exe:tool.exe empty.txt:empty.txt Old.TGZ:backup.TGZ runs.bin:runs.bin; do
  entry=${pair%%:*}
  source=src/${pair#*:}
  cmp -s "xu/$entry" "$source" || fail "unzip: $entry differs from its source"
  cmp -s "xz/$entry" "$source" || fail "7z: $entry differs from its source"
done

# Python's zipfile: CRCs, names, methods, flags, attributes, and the contents.
python3 - <<'PY' || fail "python zipfile checks"
import zipfile, sys
z = zipfile.ZipFile("out.zip")
bad = z.testzip()
assert bad is None, "bad CRC in " + str(bad)
expect = {"Description.txt": ("src/Description.txt", 8, 2), "logs/Qendor2.log": ("src/Qendor2.log", 8, 2),
          "random.bin": ("src/random.bin", 8, 2), "tool.exe": ("src/tool.exe", 8, 2),
          "empty.txt": ("src/empty.txt", 8, 2), "Old.TGZ": ("src/backup.TGZ", 0, 0), "runs.bin": ("src/runs.bin", 8, 2)}
names = [i.filename for i in z.infolist()]
assert names == list(expect), names
for info in z.infolist():
    path, method, flags = expect[info.filename]
    data = open(path, "rb").read()
    assert z.read(info) == data, info.filename
    assert info.compress_type == method and info.flag_bits == flags, (info.filename, info.compress_type, info.flag_bits)
    assert info.create_version == 23 and info.create_system == 11, info.filename
    assert info.external_attr == 0x81800020, hex(info.external_attr)
    assert info.extra[:5] == b"UT\x05\x00\x07", info.extra
empty = z.getinfo("empty.txt")
assert empty.CRC == 0 and empty.file_size == 0
log = z.getinfo("logs/Qendor2.log")
assert log.compress_size < log.file_size // 4, "log lines compress"
PY

# At the sizes the bug report zips: a 6 MB CRLF log of a dozen kinds of lines (the shape that
# once came out corrupted), an 8 MiB one and 20 MB of mixed content, read back by all three
# readers byte for byte.
python3 - <<'PY'
import random
def log(path, size, seed, eol):
    rnd = random.Random(seed)
    kinds = ["Start Qendor 2.1.0.2 (Dec %d 2026 %02d:%02d:%02d)", "Media session started", "Open file: .avi",
             "Create media session", "Audio channels: %d", "IMFVideoDisplayControl::SetRenderingPrefs %d failed. Error 0x%08X",
             "Window rect: left: %d; top: %d; right: %d; bottom: %d; (%dx%d)", "Native Video Size: %dx%d; Aspect ratio: %dx%d",
             "SetVolume 0.%02d", "Set Stretched %d", "Detected maximized window", "Playlist: Set Activate %d",
             "Quick Controls: Set volume %d"]
    out, n, t = [], 0, 0
    while n < size:
        k = rnd.choice(kinds)
        msg = k % tuple(rnd.randint(0, 3000) for _ in range(k.count("%")))
        t += rnd.randint(0, 900)
        line = "2026-12-10 %02d:%02d:%02d:%03d %d: %s%s" % (t // 3600000 % 24, t // 60000 % 60, t // 1000 % 60,
                                                          t % 1000, rnd.choice([1368, 392, 4012]), msg, eol)
        out.append(line)
        n += len(line)
    open(path, "w", newline="").write("".join(out)[:size])
log("src/big.log", 6000050, 1, "\r\n")
log("src/big8.log", 8 * 1024 * 1024, 2, "\n")
rnd = random.Random(3)
with open("src/mixed.bin", "wb") as f:
    left = 20000000
    while left > 0:
        n = min(left, rnd.randint(1000, 400000))
        kind = rnd.randint(0, 2)
        f.write(rnd.randbytes(n) if kind == 0 else bytes([rnd.randint(0, 3)]) * n if kind == 1 else
                (rnd.randbytes(32769) * (n // 32769 + 1))[:n])
        left -= n
PY
"$qzip" big.zip Qendor2.log=src/big.log Qendor2.log.bak=src/big8.log mixed.bin=src/mixed.bin || fail "large entries: exit status"
unzip -tq big.zip >/dev/null 2>&1 || fail "unzip -t rejects the large entries"
7z t big.zip 2>&1 | grep -q "Everything is Ok" || fail "7z rejects the large entries"
mkdir xb
unzip -q big.zip -d xb && cmp -s xb/Qendor2.log src/big.log && cmp -s xb/Qendor2.log.bak src/big8.log &&
  cmp -s xb/mixed.bin src/mixed.bin || fail "unzip: a large entry differs from its source"
python3 -c "
import zipfile
z = zipfile.ZipFile('big.zip')
assert z.testzip() is None
for entry, path in (('Qendor2.log', 'src/big.log'), ('Qendor2.log.bak', 'src/big8.log'), ('mixed.bin', 'src/mixed.bin')):
    assert z.read(entry) == open(path, 'rb').read(), entry
" || fail "python zipfile: a large entry differs from its source"
rm -rf xb src/big.log src/big8.log src/mixed.bin big.zip

# A missing source: 0x200, the other entries still go in.
out=$("$qzip" partial.zip a.txt=src/Description.txt gone.txt=src/does-not-exist b.txt=src/Description.txt 2>&1)
status=$?
[ $status -ne 0 ] || fail "missing source: exit status 0"
echo "$out" | grep -q "0x200" || fail "missing source: no 0x200 in '$out'"
python3 -c "import zipfile; z=zipfile.ZipFile('partial.zip'); assert z.testzip() is None; assert z.namelist()==['a.txt','b.txt'], z.namelist()" \
  || fail "archive with a missing source"
unzip -tq partial.zip >/dev/null 2>&1 || fail "unzip rejects the archive with a missing source"

# No entries: the 22-byte end record alone.
"$qzip" none.zip || fail "empty archive: exit status"
[ "$(stat -c %s none.zip)" = 22 ] || fail "empty archive is $(stat -c %s none.zip) bytes"
python3 -c "import zipfile; assert zipfile.ZipFile('none.zip').namelist()==[]" || fail "empty archive unreadable"

# A destination folder that does not exist: 0x200 and no archive.
out=$("$qzip" no/such/folder/out.zip a.txt=src/Description.txt 2>&1)
[ $? -ne 0 ] || fail "missing folder: exit status 0"
echo "$out" | grep -q "0x200" || fail "missing folder: no 0x200 in '$out'"
[ ! -e no/such/folder/out.zip ] || fail "missing folder: an archive appeared"

# A source of 4 GiB (sparse): refused before anything is written for it; the archive stays usable.
truncate -s 4G huge.bin
out=$("$qzip" huge.zip a.txt=src/Description.txt huge.log=huge.bin huge.zip=huge.bin b.txt=src/runs.bin 2>&1)
[ $? -ne 0 ] || fail "4 GiB source: exit status 0"
[ "$(echo "$out" | grep -c '0x10000')" = 2 ] || fail "4 GiB source: expected two 0x10000 in '$out'"
python3 -c "import zipfile; z=zipfile.ZipFile('huge.zip'); assert z.testzip() is None; assert z.namelist()==['a.txt','b.txt'], z.namelist()" \
  || fail "archive after the refused 4 GiB source"
[ "$(stat -c %s huge.zip)" -lt 100000 ] || fail "4 GiB source left data in the archive"

# Times: a file from 1965 keeps its time of day on 1 January 1970 in the extended timestamp;
# the DOS fields cannot go below 1980.
touch -d '1965-06-15 12:34:56' old.txt
TZ=UTC0 "$qzip" old.zip old.txt=old.txt || fail "old file: exit status"
python3 - <<'PY' || fail "1965 timestamp"
import zipfile, struct
info = zipfile.ZipFile("old.zip").getinfo("old.txt")
assert info.date_time == (1980, 1, 1, 0, 0, 0), info.date_time
tag, size, flags, mtime = struct.unpack("<HHBI", info.extra[:9])
assert (tag, size, flags) == (0x5455, 5, 7), (tag, size, flags)
assert mtime == 45296, mtime
PY

if [ $failures -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all qzip archive checks passed"
