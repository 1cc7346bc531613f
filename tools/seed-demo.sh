#!/usr/bin/env bash
# Seeds a demo wallpaper for a run under Wine: generates a looping clip (raw BGRA video with
# a PCM track, the form Wine's Media Foundation renders and loops) into <win build dir>/demo
# and, only when the first monitor has no video yet, stores it as that monitor's Path in the
# Wine prefix's registry. Needs the Wine environment (tools/wine-env.sh) started.
# Usage: tools/seed-demo.sh <win build dir>
set -u
build="${1:?usage: seed-demo.sh <win build dir>}"
mkdir -p "$build/demo"
clip="$build/demo/demo.avi"

if [ ! -s "$clip" ]; then
  ffmpeg -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc2=size=320x180:rate=15" -f lavfi -i "sine=frequency=220:sample_rate=44100" \
    -t 4 -ac 2 -c:v rawvideo -pix_fmt bgra -c:a pcm_s16le "$clip" || { echo "seed-demo: ffmpeg failed"; exit 1; }
fi

# Wine reports its one monitor as MONITOR\Default_Monitor\{class}\0000, so its record lives
# in Video\Default_Monitor_0000.
key='HKCU\Software\vexmora\Qendor2\Video\Default_Monitor_0000'
current=$(wine reg query "$key" /v Path 2>/dev/null | tr -d '\r' | awk '$1 == "Path" { $1 = ""; $2 = ""; sub(/^ +/, ""); print }')
if [ -n "$current" ]; then
  echo "seed-demo: the first monitor already plays $current"
  exit 0
fi
winclip=$(winepath -w "$clip" 2>/dev/null | tr -d '\r')
wine reg add "$key" /v Path /t REG_SZ /d "$winclip" /f >/dev/null 2>&1 && echo "seed-demo: first monitor plays $winclip"
