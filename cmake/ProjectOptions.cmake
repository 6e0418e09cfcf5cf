# Warning flags and sanitizers shared by every target of the project.
add_library(channelflow_options INTERFACE)
if(MSVC)
  target_compile_options(channelflow_options INTERFACE /W4 /utf-8)
  if(CHANNELFLOW_WERROR)
    target_compile_options(channelflow_options INTERFACE /WX)
  endif()
else()
  target_compile_options(channelflow_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
  # GCC 12 reports std::string copies inlined at -O2 as overlapping memcpy
  # (a known false positive of -Wrestrict); the warning finds nothing real here.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(channelflow_options INTERFACE -Wno-restrict)
  endif()
  if(CHANNELFLOW_WERROR)
    target_compile_options(channelflow_options INTERFACE -Werror)
  endif()
endif()

# One IEEE arithmetic on every build: each double operation is rounded once,
# as written. No a*b+c is fused into one rounding, and the square root may be
# the instruction itself, since no caller reads errno. (32-bit x86 builds add
# -msse2 -mfpmath=sse in their toolchain files, so nothing runs on the x87.)
if(NOT MSVC)
  target_compile_options(channelflow_options INTERFACE -ffp-contract=off -fno-math-errno)
endif()

if(CHANNELFLOW_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(channelflow_options INTERFACE ${_san})
  target_link_options(channelflow_options INTERFACE ${_san})
endif()

# Windows programs are linked statically, so they need no DLL that Windows
# itself lacks (no libstdc++, libgcc or winpthread beside the exe).
if(MINGW)
  target_link_options(channelflow_options INTERFACE -static -static-libgcc -static-libstdc++ -Wl,--gc-sections)
  target_compile_options(channelflow_options INTERFACE -ffunction-sections -fdata-sections)
  target_compile_definitions(channelflow_options INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
endif()

# Adds a GoogleTest executable built with the project's warnings and registers
# its cases with CTest; OWN_MAIN when the suite brings its own main(). A cross-built suite runs whole under the emulator: one
# start of it is far cheaper than one per case.
function(channelflow_add_test name)
  cmake_parse_arguments(ARG "OWN_MAIN" "" "SOURCES;LIBRARIES;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE channelflow_options GTest::gtest ${ARG_LIBRARIES})
  if(NOT ARG_OWN_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    if(ARG_PROPERTIES)
      set_tests_properties(${name} PROPERTIES ${ARG_PROPERTIES})
    endif()
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${ARG_PROPERTIES})
  endif()
endfunction()
