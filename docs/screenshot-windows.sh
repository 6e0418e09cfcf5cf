#!/usr/bin/env bash
# Takes docs/screenshot-windows.png: the 64-bit channelflow.exe under wine64 in
# Xvfb, with a laboratory flume typed in and computed (B 0.01, h 0.001, m 0,
# i 0.00001, n 0.01): Q is drawn rounded to fit its label, exponent kept. (This machine runs no
# 32-bit code; the 32-bit exe is the same program.)
set -euo pipefail
cd "$(dirname "$0")/.."
exe="${1:-build/windows-x64/app/channelflow.exe}"
display=:94
Xvfb "$display" -screen 0 640x480x24 -nolisten tcp &
xvfb=$!
trap 'kill "$program_pid" "$xvfb" 2>/dev/null || true' EXIT
sleep 1
export DISPLAY="$display"
cmake/wine-run.sh "$exe" &
program_pid=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --name '^Form1$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
sleep 1
xdotool windowfocus --sync "$window" || true
# Tab order: B, h, i, n, Command1, m.
for step in "type 0.01" "key Tab" "type 0.001" "key Tab" "type 0.00001" "key Tab" "type 0.01" "key Tab Tab" \
            "type 0" "key shift+Tab" "key space"; do
  xdotool $step
  sleep 0.1
done
sleep 1
import -window root -crop "$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')+$(xdotool getwindowgeometry "$window" | awk -F'[ ,]+' '/Position/ {print $3"+"$4}')" docs/screenshot-windows.png
echo "docs/screenshot-windows.png written"
