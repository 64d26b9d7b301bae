#!/usr/bin/env bash
# Start-up of the real program on a virtual display: from the launch to the moment its main window is
# visible, with a result file of LINES lines in category 1 against an empty one, and the program's peak
# memory once it is up.
#
#   bench/window_startup.sh ORNIVEX [LINES]      (default 100000)
set -euo pipefail

ornivex=$(realpath "$1")
lines=${2:-100000}
work=$(mktemp -d /tmp/ornivex-startup-XXXXXX)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

source "$(dirname "$0")/xvfb.sh"

gbk() { iconv -f UTF-8 -t GBK; }

# Starts the program in $1 and prints the milliseconds until its window is visible and its peak memory.
measure() {
  local start=$1 began program ended
  began=$(date +%s%N)
  (cd "$start" && exec "$ornivex") >/dev/null 2>&1 &
  program=$!
  until xdotool search --onlyvisible --pid "$program" --name Ornivex >/dev/null 2>&1; do sleep 0.005; done
  ended=$(date +%s%N)
  sleep 0.5
  echo "$(((ended - began) / 1000000)) ms to a shown window, peak $(grep VmHWM /proc/$program/status | tr -s ' ' | cut -d' ' -f2) kB"
  kill "$program"
  wait "$program" 2>/dev/null || true
}

for size in 0 "$lines"; do
  start="$work/start-$size"
  mkdir -p "$start/data"
  { printf '1\r\n3000\r\nline three\r\n'; for n in $(seq 1 20); do printf '分类%d\r\n' "$n" | gbk; done; } \
    >"$start/data/vantor.txt"
  printf '运动鞋\r\n' | gbk >"$start/data/zz-1.txt"
  seq 1 "$size" | sed 's/.*/运动鞋推荐&价格\r/' | gbk >"$start/data/jg-1.txt"
  measure "$start" >/dev/null  # the first start pays for the font caches
  echo "result box of $size lines: $(measure "$start")"
done
