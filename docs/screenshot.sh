#!/usr/bin/env bash
# Takes docs/screenshot.png: the calculator under Xvfb with a laboratory flume
# typed in and computed (B 0.01, h 0.001, m 0, i 0.00001, n 0.01), whose
# discharge is drawn rounded to fit its label, exponent kept. Needs xvfb, xdotool and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
program="${1:-build/default/app/channelflow}"
display=:97
Xvfb "$display" -screen 0 640x480x24 -nolisten tcp &
xvfb=$!
trap 'kill "$program_pid" "$xvfb" 2>/dev/null || true' EXIT
sleep 1
export DISPLAY="$display" XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
"$program" &
program_pid=$!
window=""
for _ in $(seq 50); do
  window=$(xdotool search --name '^Form1$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
xdotool windowfocus --sync "$window"
sleep 0.3
# Tab order: B, h, i, n, Command1, m.
xdotool type --delay 20 "0.01"; xdotool key Tab
xdotool type --delay 20 "0.001"; xdotool key Tab
xdotool type --delay 20 "0.00001"; xdotool key Tab
xdotool type --delay 20 "0.01"; xdotool key Tab Tab
xdotool type --delay 20 "0"; xdotool key shift+Tab space
sleep 0.5
import -window "$window" docs/screenshot.png
echo "docs/screenshot.png written"
