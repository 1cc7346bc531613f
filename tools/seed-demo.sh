#!/usr/bin/env bash
# Seeds a demo wallpaper for a run under Wine: generates a looping clip (H.264 mp4 with AAC,
# the form users have) into <win build dir>/demo and, only when the first monitor has no video
# yet (or still has the raw AVI demo of earlier versions), stores it as that monitor's Path in
# the Wine prefix's registry. Needs the Wine environment (tools/wine-env.sh) started.
# Usage: tools/seed-demo.sh <win build dir>
set -u
build="${1:?usage: seed-demo.sh <win build dir>}"
mkdir -p "$build/demo"
clip="$build/demo/demo.mp4"

if [ ! -s "$clip" ]; then
  ffmpeg -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc2=size=640x360:rate=25" -f lavfi -i "sine=frequency=220:sample_rate=44100" \
    -t 4 -ac 2 -c:v libx264 -pix_fmt yuv420p -c:a aac -b:a 96k -movflags +faststart "$clip" ||
    { echo "seed-demo: ffmpeg failed"; exit 1; }
fi

# Wine reports its one monitor as MONITOR\Default_Monitor\{class}\0000, so its record lives
# in Video\Default_Monitor_0000.
key='HKCU\Software\vexmora\Qendor2\Video\Default_Monitor_0000'
current=$(wine reg query "$key" /v Path 2>/dev/null | tr -d '\r' | awk '$1 == "Path" { $1 = ""; $2 = ""; sub(/^ +/, ""); print }')
old_demo=$(winepath -w "$build/demo/demo.avi" 2>/dev/null | tr -d '\r')
if [ -n "$current" ] && [ "$current" != "$old_demo" ]; then
  echo "seed-demo: the first monitor already plays $current"
  exit 0
fi
winclip=$(winepath -w "$clip" 2>/dev/null | tr -d '\r')
wine reg add "$key" /v Path /t REG_SZ /d "$winclip" /f >/dev/null 2>&1 && echo "seed-demo: first monitor plays $winclip"
