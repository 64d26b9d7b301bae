#!/usr/bin/env bash
# The program end to end, as a user drives it: the real window on a virtual X display, real pointer and
# key events (xdotool), a search engine of the test's own on 127.0.0.1.
#  1. A configuration of depth 2 and delay 0 and two seeds: it presses 开始抓取, waits for the completion
#     message, closes it, compares the result file byte for byte, presses Esc and expects the process
#     to end with code 0.
#  2. Delay 1500: Esc right after the crawl's first append ends the process at once with code 0, and
#     the result file holds whole batches.
#  3. A result file with repeated lines, empty lines and a last line without CR LF: 去除重复 and then
#     结果提纯 each rewrite it to the expected text, byte for byte; Esc leaves it so.
# Each scenario is a list of steps (the functions below), so that more can be added.
#
#   run_e2e.sh ORNIVEX SEARCH_SERVER PORT
set -euo pipefail

ornivex=$(realpath -m "$1")
server=$(realpath -m "$2")
port=$3

fail() {
  echo "e2e: FAILED: $*" >&2
  for log in "${work:-/nonexistent}"/*.log; do
    [ -f "$log" ] && { echo "--- $log" >&2; tail -n 20 "$log" >&2; }
  done
  exit 1
}

[ -x "$ornivex" ] || fail "$ornivex is missing: build it with -DSEARCH_HOST=127.0.0.1:$port (./scripts/test does)"
[ -x "$server" ] || fail "$server is missing"
for tool in Xvfb xdotool iconv cmp; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (./scripts/setup installs it)"
done

work=$(mktemp -d /tmp/ornivex-e2e-XXXXXX)
pids=()
# Waits for each process to end, so that nothing of this run (a display, the port) outlives it.
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

gbk() { printf "$1" | iconv -f UTF-8 -t GBK; }

# --- the display and the search engine --------------------------------------------------------------
# -noreset: by default the server resets whenever its last client leaves, and a client that connects
# meanwhile is turned away; every xdotool call is a client that comes and goes while the program starts.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

"$server" "$port" 200 "$work/requests.log" >"$work/server.out" 2>"$work/server.log" &
pids+=($!)
for _ in $(seq 1 100); do grep -q ready "$work/server.out" 2>/dev/null && break; sleep 0.1; done
grep -q ready "$work/server.out" || fail "the search engine did not start"

# --- steps ------------------------------------------------------------------------------------------
# A start-up directory $1 with a configuration of depth $2 and delay $3, the seeds $4 and, when given,
# the results $5 of category 1 (UTF-8 with CR LF, written in GBK).
prepare() {
  mkdir -p "$1/data"
  {
    printf '%s\r\n%s\r\nline three\r\n' "$2" "$3"
    for n in $(seq 1 20); do gbk "类别$n\r\n"; done
  } >"$1/data/vantor.txt"
  gbk "$4" >"$1/data/zz-1.txt"
  [ $# -lt 5 ] || gbk "$5" >"$1/data/jg-1.txt"
}

# Starts the program in the start-up directory $1; its pid is $program.
start_program() {
  (cd "$1" && exec "$ornivex") >>"$work/ornivex.log" 2>&1 &
  program=$!
  pids+=("$program")
}

# The first visible window of the program whose caption contains $1; waits up to $2 seconds.
wait_for_window() {
  local title=$1 seconds=${2:-30} id
  for _ in $(seq 1 $((seconds * 10))); do
    for id in $(xdotool search --onlyvisible --pid "$program" --name "" 2>/dev/null); do
      if xdotool getwindowname "$id" 2>/dev/null | grep -qF -- "$title"; then
        echo "$id"
        return 0
      fi
    done
    if ! kill -0 "$program" 2>/dev/null; then
      echo "e2e: the program ended while waiting for \"$title\"" >&2
      return 1
    fi
    sleep 0.1
  done
  return 1
}

wait_for_main_window() {
  main_window=$(wait_for_window " Ornivex 工具 -- Talvern V1.3") || fail "the main window did not show"
}

# Clicks at client coordinates of a window, as the pointer would.
click_at() {
  xdotool mousemove --window "$1" "$2" "$3" sleep 0.2 click 1
}

# Gives a window the keyboard and presses a key there.
press_key() {
  xdotool mousemove --window "$1" 5 5 windowfocus --sync "$1" sleep 0.2 key "$2"
}

# Closes the message box whose caption contains $1 with Enter, after it has shown.
close_message() {
  local message
  message=$(wait_for_window "$1" 60) || fail "no message \"$1\""
  press_key "$message" Return
  for _ in $(seq 1 50); do
    xdotool search --onlyvisible --pid "$program" --name "" 2>/dev/null | grep -qx "$message" || return 0
    sleep 0.1
  done
  fail "the message \"$1\" did not close"
}

# Esc in the main window; the program must end within $1 seconds with code 0.
quit_with_escape() {
  local tenths=$((${1:-10} * 10)) code=0
  press_key "$main_window" Escape
  for _ in $(seq 1 "$tenths"); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$program" 2>/dev/null && fail "Esc did not end the program"
  wait "$program" || code=$?
  [ "$code" -eq 0 ] || fail "the program ended with code $code"
}

expect_file() {
  local file=$1 expected=$2
  cmp -s "$file" "$expected" || {
    echo "expected:" >&2; od -c "$expected" | head -20 >&2
    echo "actual:" >&2; od -c "$file" | head -20 >&2
    fail "$file differs"
  }
}

# Waits up to $3 seconds until the file $1 holds exactly the bytes of $2; a refining worker rewrites
# the file more than once (emptied first, then the whole output), so only the final text counts.
wait_for_file() {
  local file=$1 expected=$2 tenths=$((${3:-10} * 10))
  for _ in $(seq 1 "$tenths"); do
    cmp -s "$file" "$expected" && return 0
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
  done
  expect_file "$file" "$expected"
}

# The centres of the command buttons in the main window's client area (their places in the window's
# table: 开始抓取 at 292,326 in the window; 去除重复 at 4,320 and 结果提纯 at 78,289, 68 x 24 each,
# inside 分组框3 at 214,6).
start_crawl=(326 338)
remove_duplicates=(252 338)
purify_results=(326 307)

# --- a crawl of depth 2 to its completion message, then Esc -------------------------------------------
start="$work/crawl"
prepare "$start" 2 0 '苹果\r\n香蕉\r\n'
start_program "$start"
wait_for_main_window
click_at "$main_window" "${start_crawl[@]}"
close_message "当前抓取工作完成"

gbk '苹果价格\r\n苹果图片\r\n香蕉价格\r\n香蕉图片\r\n' >"$work/level1"
gbk '香蕉价格价格\r\n香蕉价格图片\r\n香蕉图片价格\r\n香蕉图片图片\r\n' >"$work/level2a"
gbk '苹果价格价格\r\n苹果价格图片\r\n苹果图片价格\r\n苹果图片图片\r\n' >"$work/level2b"
cat "$work/level1" "$work/level2a" "$work/level2b" >"$work/expected-results"
expect_file "$start/data/jg-1.txt" "$work/expected-results"
[ "$(wc -l <"$work/requests.log")" -eq 6 ] || fail "expected 6 requests, got $(wc -l <"$work/requests.log")"
quit_with_escape
expect_file "$start/data/jg-1.txt" "$work/expected-results"
echo "e2e: crawl to completion passed"

# --- Esc in the middle of a crawl ends the program at once -------------------------------------------
start="$work/interrupted"
prepare "$start" 1 1500 '苹果\r\n香蕉\r\n橙子\r\n西瓜\r\n'
start_program "$start"
wait_for_main_window
click_at "$main_window" "${start_crawl[@]}"
for _ in $(seq 1 100); do [ -s "$start/data/jg-1.txt" ] && break; sleep 0.05; done
[ -s "$start/data/jg-1.txt" ] || fail "the crawl wrote nothing"
quit_with_escape 2
# The file holds the last completed save: whole batches, in order.
gbk '苹果价格\r\n苹果图片\r\n香蕉价格\r\n香蕉图片\r\n橙子价格\r\n橙子图片\r\n西瓜价格\r\n西瓜图片\r\n' >"$work/all"
head -c "$(stat -c %s "$start/data/jg-1.txt")" "$work/all" >"$work/prefix"
expect_file "$start/data/jg-1.txt" "$work/prefix"
lines=$(wc -l <"$start/data/jg-1.txt")
[ $((lines % 2)) -eq 0 ] || fail "a batch was cut"
[ "$lines" -lt 8 ] || fail "the crawl had ended before Esc"
echo "e2e: closing during a crawl passed"

# --- 去除重复 and then 结果提纯 on the result box of category 1 ----------------------------------------
# 啊啊 is B0 A1 B0 A1: the seed “ (A1 B0) lies inside it only across two characters, so it does not match;
# the seed file ends with CR LF, which gives no empty seed that would match every line.
start="$work/refine"
prepare "$start" 1 0 '“\r\n香蕉\r\n苹果\r\n' \
  '苹果价格\r\n香蕉\r\n\r\n苹果价格\r\n啊啊\r\n说“好”\r\n\r\n香蕉\r\n西瓜汁\r\n苹果价格'
start_program "$start"
wait_for_main_window
click_at "$main_window" "${remove_duplicates[@]}"
gbk '\r\n啊啊\r\n说“好”\r\n\r\n香蕉\r\n西瓜汁\r\n苹果价格\r\n' >"$work/deduplicated"
wait_for_file "$start/data/jg-1.txt" "$work/deduplicated"
click_at "$main_window" "${purify_results[@]}"
gbk '说“好”\r\n香蕉\r\n苹果价格\r\n' >"$work/purified"
wait_for_file "$start/data/jg-1.txt" "$work/purified"
quit_with_escape
expect_file "$start/data/jg-1.txt" "$work/purified"
echo "e2e: removing duplicates and purifying passed"

echo "e2e: 3 passed, 0 failed"
