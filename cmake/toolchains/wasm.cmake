# Builds WebAssembly with Debian's emscripten. Every program is a node program
# (see ProjectOptions.cmake); the platform file makes node the emulator, so
# suites and the click table run through it.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# C++ exceptions as WebAssembly's own instructions: the code throws and
# catches its errors everywhere, and by default emscripten's code cannot catch
# one. Every node since 17 and every current browser has them.
set(CMAKE_C_FLAGS_INIT "-fwasm-exceptions")
set(CMAKE_CXX_FLAGS_INIT "-fwasm-exceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fwasm-exceptions")

# The linker runs emscripten's JavaScript tools, which import Debian's node
# modules from /usr/share/nodejs; a node not built by Debian does not look there.
set(CMAKE_C_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
