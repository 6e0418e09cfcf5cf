#!/usr/bin/env bash
# Throughput and peak memory of `channelflow-cli batch` for 1 and 5 million
# rows read from a file and written to a file: the batch streams, so the peak
# must not grow with the input.
#   bench/batch_memory.sh [BUILD_DIR]
set -euo pipefail
cli="${1:-build/default}/tools/channelflow-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for rows in 1000000 5000000; do
  awk -v n="$rows" 'BEGIN { print "B,h,m,i,n"; for (k = 0; k < n; k++) printf "%d,%.1f,1.5,0.0008,0.013\n", 1 + k % 7, 0.1 + (k % 50) / 10 }' \
    >"$work/rows.csv"
  /usr/bin/time -f "%e %M" -o "$work/time" "$cli" batch <"$work/rows.csv" >"$work/out.csv"
  read -r seconds peak <"$work/time"
  awk -v r="$rows" -v s="$seconds" -v p="$peak" \
    'BEGIN { printf "%d rows: %.2f s, %.2f M rows/s, peak RSS %d KB\n", r, s, r / s / 1e6, p }'
done
