#!/usr/bin/env bash
# 去除重复 through the real window: the real program on a virtual display, its button pressed with a real
# pointer click (xdotool), a result box of LINES GBK keywords (4 to 12 characters) of which 30% repeat
# another line. Each run starts the program afresh and prints the time from the click to the moment the
# result file holds the final text, the line counts before and after, and the program's peak memory
# (VmHWM) once it was up and once the run was over, and the processor time that the program spent from
# the click until it was idle again (the status line, layout and painting included, at a resolution of
# 10 ms); the last line gives median, minimum and maximum of the times to the final file.
# The clock starts before xdotool is launched to click and stops at the first poll that finds the
# final text, so both ends err on the long side, by a few milliseconds.
#
#   bench/refine_window.sh ORNIVEX [LINES] [RUNS]      (default 100000 and 5)
set -euo pipefail

ornivex=$(realpath "$1")
lines=${2:-100000}
runs=${3:-5}
work=$(mktemp -d /tmp/ornivex-refine-window-XXXXXX)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

source "$(dirname "$0")/xvfb.sh"

# The centre of 去除重复 in the main window's client area: 分组框3 at 214,6, the button at 4,320 in it,
# 68 x 24.
button_x=252
button_y=338

# The keywords: distinct ones made of two-character words of GBK's first level (lead bytes B0 to D6),
# then copies of randomly chosen ones, all shuffled. Fixed seeds, so every run sees the same box.
LC_ALL=C awk -v lines="$lines" 'BEGIN {
  srand(7)
  for (w = 0; w < 3000; ++w)
    word[w] = sprintf("%c%c%c%c", 176 + int(rand() * 39), 161 + int(rand() * 94),
                      176 + int(rand() * 39), 161 + int(rand() * 94))
  distinct = lines - int(lines * 0.3)
  while (n < distinct) {
    k = ""
    for (c = 2 + int(rand() * 5); c > 0; --c) k = k word[int(rand() * 3000)]
    if (k in seen) continue
    seen[k] = 1
    out[n++] = k
  }
  while (n < lines) out[n++] = out[int(rand() * distinct)]
  for (i = lines - 1; i > 0; --i) { j = int(rand() * (i + 1)); t = out[i]; out[i] = out[j]; out[j] = t }
  for (i = 0; i < lines; ++i) printf "%s\r\n", out[i]
}' >"$work/results"
# The last occurrence of each line stays.
LC_ALL=C tac "$work/results" | LC_ALL=C awk '!seen[$0]++' | LC_ALL=C tac >"$work/expected"
expected_size=$(stat -c %s "$work/expected")
echo "result box: $lines lines, $(stat -c %s "$work/results") bytes; after 去除重复 $expected_size bytes"

start="$work/start"
mkdir -p "$start/data"
{ printf '1\r\n3000\r\nline three\r\n'; for n in $(seq 1 20); do printf '分类%d\r\n' "$n" | iconv -f UTF-8 -t GBK; done; } \
  >"$start/data/vantor.txt"
printf '运动鞋\r\n' | iconv -f UTF-8 -t GBK >"$start/data/zz-1.txt"

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
peak_kb() { awk '/^VmHWM/ { print $2 }' "/proc/$1/status"; }

# Returns when the process $1 has used no processor time for 0.3 s (the window is up and painted), or
# after 30 s.
wait_until_idle() {
  local before after
  after=$(cpu_ticks "$1")
  for _ in $(seq 1 100); do
    before=$after
    sleep 0.3
    after=$(cpu_ticks "$1")
    [ "$before" = "$after" ] && return 0
  done
}

# One run: prints "MILLISECONDS LINES_BEFORE LINES_AFTER PEAK_UP_KB PEAK_AFTER_KB CPU_MILLISECONDS".
measure() {
  local program began ended file="$start/data/jg-1.txt"
  cp "$work/results" "$file"
  (cd "$start" && exec "$ornivex") >/dev/null 2>&1 &
  program=$!
  pids+=("$program")
  local window=""
  until window=$(xdotool search --onlyvisible --pid "$program" --name Ornivex 2>/dev/null | head -1) &&
    [ -n "$window" ]; do sleep 0.05; done
  xdotool mousemove --window "$window" "$button_x" "$button_y"
  wait_until_idle "$program"
  local peak_up ticks
  peak_up=$(peak_kb "$program")
  ticks=$(cpu_ticks "$program")
  began=$(date +%s%N)
  xdotool click 1
  until [ "$(stat -c %s "$file")" = "$expected_size" ] && cmp -s "$file" "$work/expected"; do
    [ $(($(date +%s%N) - began)) -lt 60000000000 ] || { echo "refine_window: no final file after 60 s" >&2; exit 1; }
    sleep 0.002
  done
  ended=$(date +%s%N)
  wait_until_idle "$program"
  echo "$(((ended - began) / 1000000)) $(wc -l <"$work/results") $(wc -l <"$file") $peak_up $(peak_kb "$program")" \
    "$((($(cpu_ticks "$program") - ticks) * 1000 / $(getconf CLK_TCK)))"
  kill "$program"
  wait "$program" 2>/dev/null || true
}

times=()
for run in $(seq 1 "$runs"); do
  measure >"$work/run"
  read -r ms before after peak_up peak_after cpu <"$work/run"
  times+=("$ms")
  echo "run $run: $ms ms from the click to the final file, $before lines before, $after after," \
    "peak $peak_up kB once up, $peak_after kB after the run, $cpu ms of processor time"
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "去除重复 of $lines lines through the real window: median ${sorted[$((runs / 2))]} ms," \
  "min ${sorted[0]} ms, max ${sorted[$((runs - 1))]} ms over $runs runs"
