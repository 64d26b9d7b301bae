# Sourced by the window benchmarks: starts a virtual display of their own for this shell and points
# DISPLAY at it. Needs $work (a scratch directory) and the array pids, whose processes the caller's
# exit trap ends.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
