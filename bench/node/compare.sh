#!/usr/bin/env bash
# The toolkit's timings natively and as WebAssembly under node, side by side:
#   bench/node/compare.sh [NATIVE_BUILD [WASM_BUILD]]   (build/default, build/wasm)
set -euo pipefail
native="${1:-build/default}"
wasm="${2:-build/wasm}"
echo "native:"
"$native/bench/node/toolkit_timing"
echo "node:"
node "$wasm/bench/node/toolkit_timing.js"
