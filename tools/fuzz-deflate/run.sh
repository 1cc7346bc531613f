#!/bin/bash
# Builds the Deflate fuzz target with clang's libFuzzer (address and undefined-behaviour
# sanitizers on) and runs it for the given number of seconds (default 1800) on one core.
#   tools/fuzz-deflate/run.sh [seconds] [work dir]
# Needs clang and libclang-rt-dev (Debian: clang, libclang-rt-14-dev) and zlib1g-dev. The
# corpus is kept in <work dir>/corpus (default build/fuzz-deflate) between runs; a crash is
# written there as crash-*.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-1800}
work=${2:-$top/build/fuzz-deflate}
mkdir -p "$work/corpus"
for p in clang libclang-rt-14-dev zlib1g-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$p" >/dev/null
done
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$top/src" "$top/tools/fuzz-deflate/fuzz_deflate.cpp" "$top/src/diag/Deflate.cpp" \
  "$top/src/diag/DeflateBlock.cpp" "$top/src/diag/DeflateHuffman.cpp" -lz -o "$work/fuzz_deflate"
# A few seeds: log lines, runs, and bytes with a period near the window.
if [ -z "$(ls -A "$work/corpus")" ]; then
  printf '\x00\x00%s' "2026-12-10 10:25:28:386 4012: SetVolume 0.15" >"$work/corpus/log"
  printf '\x81\x10%s' "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab" >"$work/corpus/runs"
  head -c 3000 /dev/urandom | { printf '\xc5\x07'; cat; } >"$work/corpus/random"
fi
cd "$work"
exec ./fuzz_deflate -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=4096 -print_final_stats=1 corpus
