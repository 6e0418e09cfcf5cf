# Builds WebAssembly with Debian's emscripten. The platform file makes node the
# emulator, so suites and the click table run through it.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# -O2 without loop unrolling or vectorisation, and inlining only what is
# smaller than a call costs (threshold 40 in place of 225): the page holds the
# module and must stay under 1 MiB. At plain -O2 the inlined double-double
# arithmetic made the module 2.7 MB and the page 1.22 MB; so it is 1.82 MB
# and 1.00 MB, and faster too (a 10,000-step profile's core 44 ms in place of
# 80, a 500-node canal line's answer 45-52 ms in place of 75-89). -Os makes
# the page 0.86 MB but the core twice as slow (-Oz the same); -O3 links twice
# as slowly for a module no smaller. Forced: a build folder configured before
# would keep its cached flags, and its page would not build.
set(kWasmRelease "-O2 -fno-unroll-loops -fno-vectorize -fno-slp-vectorize -mllvm -inline-threshold=40 -DNDEBUG")
set(CMAKE_C_FLAGS_RELEASE "${kWasmRelease}" CACHE STRING "Flags of a Release build" FORCE)
set(CMAKE_CXX_FLAGS_RELEASE "${kWasmRelease}" CACHE STRING "Flags of a Release build" FORCE)

# C++ exceptions as WebAssembly's own instructions: the code throws and
# catches its errors everywhere, and by default emscripten's code cannot catch
# one. Every node since 17 and every current browser has them.
set(CMAKE_C_FLAGS_INIT "-fwasm-exceptions")
set(CMAKE_CXX_FLAGS_INIT "-fwasm-exceptions")

# Every program is a node program, one file with its module inlined (no node
# then tries to fetch() a file path): it reads and writes the host's files
# and streams as they are (NODERAWFS), its memory grows as a native heap does,
# main's return or exit() becomes node's exit status, and a closed pipe ends
# it by SIGPIPE as it ends a native one. The page module (web/) drops these.
set(CHANNELFLOW_NODE_PROGRAM_FLAGS
    "-sENVIRONMENT=node -sNODERAWFS=1 -sSINGLE_FILE=1 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1 --post-js ${CMAKE_CURRENT_LIST_DIR}/../node-sigpipe.js")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${CHANNELFLOW_NODE_PROGRAM_FLAGS}")

# The linker runs emscripten's JavaScript tools, which import Debian's node
# modules from /usr/share/nodejs; a node not built by Debian does not look there.
set(CMAKE_C_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
