#!/bin/bash
# The window program's peak memory with the property chart open, beside a bare Qt window, in
# alternating rounds: the peak resident set (VmHWM) of each process, read from /proc once its
# windows stand. Prints the medians and ranges in kB.
#
#   DISPLAY=:57 bench/memory_bench.sh [build] [rounds]
#
# Run it on an X server with a window manager (Xvfb :57 and openbox, say); needs xdotool
# (apt-get install xdotool).
set -euo pipefail
build=${1:-build}
rounds=${2:-5}
# With it set, both programs would end at their first exposure.
unset TOLUVEK_STARTUP_REPORT
pid=
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; true' EXIT

# Waits up to 10 s for a shown window of process $1 whose title is $2; prints its id.
wait_for_window() {
  for ((t = 0; t < 100; ++t)); do
    local id
    id=$(xdotool search --all --pid "$1" --onlyvisible --name "^$2\$" 2>/dev/null | head -1 || true)
    if [[ -n $id ]]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  echo "no window \"$2\" of process $1" >&2
  return 1
}
peak() { awk '/^VmHWM:/ {print $2}' "/proc/$1/status"; }

bare=() chart=()
for ((i = 0; i < rounds; ++i)); do
  "$build/bench/toluvek_bare_window" 2>/dev/null &
  pid=$!
  wait_for_window "$pid" Toluvek >/dev/null
  sleep 1
  bare+=("$(peak "$pid")")
  kill "$pid"; wait "$pid" 2>/dev/null || true; pid=

  "$build/ui/toluvek" 2>/dev/null &
  pid=$!
  # The main window stands once the start-up picture has gone.
  sleep 1.5
  main=$(wait_for_window "$pid" Toluvek)
  xdotool windowactivate --sync "$main" 2>/dev/null
  sleep 0.3  # until the window has given its focus to its first field
  xdotool key ctrl+g
  wait_for_window "$pid" "Property Chart" >/dev/null
  sleep 1
  chart+=("$(peak "$pid")")
  kill "$pid"; wait "$pid" 2>/dev/null || true; pid=
done
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
range() { printf '%s\n' "$@" | sort -g | awk 'NR == 1 {low = $1} {high = $1} END {print low "-" high}'; }
echo "bare Qt window, peak resident:                  median $(median "${bare[@]}") kB ($(range "${bare[@]}"))"
echo "toluvek with the property chart, peak resident: median $(median "${chart[@]}") kB ($(range "${chart[@]}"))"
