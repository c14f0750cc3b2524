#!/bin/bash
# The window program's start-up beside a bare Qt window, measured the same way in one run:
# each is launched with TOLUVEK_STARTUP_REPORT holding the launch time and reports when its
# window's first exposure was handled. Alternating rounds; prints the medians.
#
#   DISPLAY=:57 bench/startup_bench.sh [build] [rounds]
#
# Run it on an X server with a window manager (Xvfb :57 and openbox, say).
set -euo pipefail
build=${1:-build}
rounds=${2:-11}
bare=() after_picture=() from_launch=()
for ((i = 0; i < rounds; ++i)); do
  line=$(TOLUVEK_STARTUP_REPORT=$(date +%s%N) "$build/bench/toluvek_bare_window" 2>&1 |
         grep -o 'shown [0-9.]* ms after launch')
  bare+=("$(awk '{print $2}' <<<"$line")")
  line=$(TOLUVEK_STARTUP_REPORT=$(date +%s%N) "$build/ui/toluvek" 2>&1 |
         grep -o 'shown [0-9.]* ms after the start-up picture went; [0-9.]* ms after process start')
  after_picture+=("$(awk '{print $2}' <<<"$line")")
  from_launch+=("$(awk '{print $9}' <<<"$line")")
done
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
range() { printf '%s\n' "$@" | sort -g | awk 'NR == 1 {low = $1} {high = $1} END {print low "-" high}'; }
b=$(median "${bare[@]}")
a=$(median "${after_picture[@]}")
f=$(median "${from_launch[@]}")
echo "bare Qt window, launch to first exposure:              median $b ms ($(range "${bare[@]}"))"
echo "toluvek, start-up picture's end to first exposure:     median $a ms ($(range "${after_picture[@]}"))"
echo "toluvek, launch to first exposure without the picture: median $f ms ($(range "${from_launch[@]}"))"
awk -v a="$a" -v b="$b" -v f="$f" 'BEGIN {printf "ratios to the bare window: %.2f after the picture, %.2f from launch\n", a / b, f / b}'
