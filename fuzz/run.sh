#!/usr/bin/env bash
# Builds the fuzzers in build/fuzz and runs each for a bounded time: the
# window block reader, then channelflow-cli's argument parser, CSV reader and
# batch.
#   fuzz/run.sh [SECONDS]        default 60 each
# The stored Form1 block and a few CSV files are the seeds; the corpora grow
# in build/fuzz/corpus*, and any crashing input lands in build/fuzz/artifacts.
# Exits nonzero on a finding.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/fuzz"
seconds="${1:-60}"

cmake -S "$root" -B "$build" \
  -DCMAKE_CXX_COMPILER="${FUZZ_CXX:-clang++}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCHANNELFLOW_FUZZ=ON -DCHANNELFLOW_TESTS=OFF -DCHANNELFLOW_GUI=OFF -DCHANNELFLOW_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j2 --target form_block_fuzz cli_input_fuzz channelflow-form

mkdir -p "$build/corpus" "$build/seed" "$build/artifacts" "$build/corpus-cli" "$build/seed-cli"
"$build/tools/channelflow-form" write >"$build/seed/form1.bin"

"$build/fuzz/form_block_fuzz" \
  -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
  -artifact_prefix="$build/artifacts/" \
  "$build/corpus" "$build/seed"

# Seeds for the CLI layers: the first byte picks options (0), CSV (1) or batch (2).
printf '\000--B\0002\000--h=1\000--format\000json' >"$build/seed-cli/options"
printf '\001a,"b,""c"""\r\n\357\273\277x,\377\r' >"$build/seed-cli/csv"
printf '\002id,B,h,m,i,n\r\n7,2,1,1,0.001,0.025\n"x",1e-320,1,1,0.001,0.025\n2,1,1,0,1,2,3\n' >"$build/seed-cli/batch"
"$build/fuzz/cli_input_fuzz" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$build/artifacts/" \
  "$build/corpus-cli" "$build/seed-cli"
