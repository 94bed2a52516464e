#!/usr/bin/env bash
# Start-up of the reader against a minimal Qt Widgets program, both under the
# same Xvfb: time from process start to first paint, and peak memory (VmHWM)
# at that moment. Median of RUNS starts each.
# usage: bench/startup/startup.sh [DARVO (default build/release/darvo)] [RUNS (default 15)]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
darvo=${1:-$here/../../build/release/darvo}
runs=${2:-15}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

g++ -std=c++20 -O2 -fPIC "$here/minimal.cpp" -o "$work/minimal" $(pkg-config --cflags --libs Qt6Widgets)

export DARVO_REGISTRY=$work/registry.db DARVO_INSTANCE=darvo-bench-$$ XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
exec 4>"$work/display"
Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$work/display")
# A stored font: the measured start is an ordinary one, not the very first.
"$(dirname "$darvo")/tools/darvo-reg/darvo-reg" set 'Software\Orvanta\Darvo' FontName text 'DejaVu Sans' 2>/dev/null || true

# One start: prints "milliseconds peak-kB".
measure() {
  local start line
  start=$(date +%s%N)
  line=$(DARVO_STARTUP_TRACE=exit "$@" 2>&1 >/dev/null | grep '^first-paint-ns' | head -1)
  set -- $line
  echo "$(( ($2 - start) / 1000 )) $4"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

# Alternating starts, so that the machine's load weighs on both alike.
: >"$work/minimal.txt"
: >"$work/darvo.txt"
DARVO_STARTUP_TRACE=exit "$work/minimal" >/dev/null 2>&1 || true  # warm the caches
DARVO_STARTUP_TRACE=exit "$darvo" >/dev/null 2>&1 || true
for _ in $(seq "$runs"); do
  measure "$work/minimal" >>"$work/minimal.txt"
  measure "$darvo" >>"$work/darvo.txt"
done
for program in minimal darvo; do
  us=$(awk '{print $1}' "$work/$program.txt" | median)
  kb=$(awk '{print $2}' "$work/$program.txt" | median)
  printf '%-8s first paint %6.1f ms   peak memory %6.1f MB\n' "$program" "$(echo "$us / 1000" | bc -l)" "$(echo "$kb / 1024" | bc -l)"
done
