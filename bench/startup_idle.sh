#!/bin/bash
# Start-up time, idle CPU and memory of the program under Wine, next to a bare Win32 window.
#   bench/startup_idle.sh <windows build dir> [runs]
# For each program: the time from starting it to its window being shown (median of the runs),
# the CPU it uses over 10 s of idling once started, and its resident memory then. The program
# starts with empty settings (no wallpaper, no music), as a new user's first start. Prints a
# table; it is a benchmark, not a test.
set -u
build=$(cd "$1" && pwd)
runs=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tools/wine-env.sh"
wine_env_start "$build" >/dev/null 2>&1 </dev/null
trap 'wine_env_stop >/dev/null 2>&1 </dev/null' EXIT
ticks=$(getconf CLK_TCK)

now_ms() { date +%s%3N; }
# The Linux process running a Windows program (the newest one whose command line names it).
unix_pid() { pgrep -n -f "$1" ; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }

measure() {
  local name=$1 exe=$2 title=$3
  local times=() i start pid
  for i in $(seq 1 "$runs"); do
    wine reg delete 'HKCU\Software\vexmora\Qendor2' /f >/dev/null 2>&1
    # The watcher is started first, so that its own start is not counted.
    wine "$build/e2e-driver.exe" wait-window "$title" 60000 visible </dev/null >/dev/null 2>&1 &
    local watcher=$!
    sleep 1.5
    start=$(now_ms)
    wine "$exe" </dev/null >/dev/null 2>&1 &
    wait "$watcher"
    times+=($(( $(now_ms) - start )))
    pid=$(unix_pid "$(basename "$exe")")
    if [ "$i" -eq "$runs" ]; then
      sleep 3
      local before after
      before=$(cpu_ticks "$pid")
      sleep 10
      after=$(cpu_ticks "$pid")
      idle_cpu=$(awk -v t=$((after - before)) -v hz="$ticks" 'BEGIN { printf "%.2f", 100 * t / hz / 10 }')
      rss=$(rss_kb "$pid")
    fi
    wine "$build/e2e-driver.exe" close "$title" >/dev/null 2>&1
    kill "$pid" 2>/dev/null
    sleep 1
  done
  local median
  median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}')
  printf '%-12s start %5d ms (runs: %s)   idle CPU %5s %%   resident %7d KB\n' "$name" "$median" "${times[*]}" \
    "$idle_cpu" "$rss"
  eval "${name}_start=$median ${name}_rss=$rss"
}

measure bare "$build/bench/bare_window_win.exe" "Bare window"
measure program "$build/Qendor2.exe" "Qendor V2.1"
awk -v a="$program_start" -v b="$bare_start" -v ra="$program_rss" -v rb="$bare_rss" \
  'BEGIN { printf "program / bare: start %.2fx, resident +%.1f MB\n", a / b, (ra - rb) / 1024 }'
