#!/usr/bin/env bash
# Peak memory and wall time of `channelflow-cli batch` for 1 and 10 million rows:
# the batch streams, so the peak must not grow with the input.
#   bench/batch_memory.sh [BUILD_DIR]
set -euo pipefail
cli="${1:-build/default}/tools/channelflow-cli"
for rows in 1000000 10000000; do
  /usr/bin/time -f "$rows rows: %e s, peak RSS %M KB" "$cli" batch < <(
    echo "B,h,m,i,n"
    awk -v n="$rows" 'BEGIN { for (k = 0; k < n; k++) printf "%d,%.1f,1.5,0.0008,0.013\n", 1 + k % 7, 0.1 + (k % 50) / 10 }'
  ) >/dev/null
done
