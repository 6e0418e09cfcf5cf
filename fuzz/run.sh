#!/usr/bin/env bash
# Builds the window block fuzzer in build/fuzz and runs it for a bounded time.
#   fuzz/run.sh [SECONDS]        default 60
# The stored Form1 block is the seed; the corpus grows in build/fuzz/corpus and
# any crashing input lands in build/fuzz/artifacts. Exits nonzero on a finding.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/fuzz"
seconds="${1:-60}"

cmake -S "$root" -B "$build" \
  -DCMAKE_CXX_COMPILER="${FUZZ_CXX:-clang++}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCHANNELFLOW_FUZZ=ON -DCHANNELFLOW_TESTS=OFF -DCHANNELFLOW_GUI=OFF -DCHANNELFLOW_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j2 --target form_block_fuzz channelflow-form

mkdir -p "$build/corpus" "$build/seed" "$build/artifacts"
"$build/tools/channelflow-form" write >"$build/seed/form1.bin"

"$build/fuzz/form_block_fuzz" \
  -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
  -artifact_prefix="$build/artifacts/" \
  "$build/corpus" "$build/seed"
