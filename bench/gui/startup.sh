#!/usr/bin/env bash
# Process start to first paint, and peak memory, of the calculator beside the
# smallest Qt program showing an empty window of the same size.
#   bench/gui/startup.sh [BUILD_DIR] [RUNS]
# Runs on the current display, or on a private Xvfb when there is none.
set -euo pipefail
build="${1:-build/default}"
runs="${2:-30}"
if [ -z "${DISPLAY:-}" ]; then
  Xvfb :98 -screen 0 800x600x24 -nolisten tcp & xvfb=$!
  trap 'kill $xvfb' EXIT
  export DISPLAY=:98
  sleep 1
fi
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"

measure() {
  local program="$1" times=() rss=()
  "$program"  # warm the page cache
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s%N)
    rss+=("$(/usr/bin/time -f %M "$program" 2>&1 >/dev/null | tail -n 1)")
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000 )))
  done
  local median_us median_kb
  median_us=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
  median_kb=$(printf '%s\n' "${rss[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
  awk -v name="$(basename "$program")" -v us="$median_us" -v kb="$median_kb" \
    'BEGIN { printf "%-26s first paint %6.1f ms   peak RSS %6.1f MB\n", name, us / 1000, kb / 1024 }'
}

measure "$build/bench/gui/first_paint_empty"
measure "$build/bench/gui/first_paint_channelflow"
