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

if(CHANNELFLOW_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(channelflow_options INTERFACE ${_san})
  target_link_options(channelflow_options INTERFACE ${_san})
endif()

# Adds a GoogleTest executable built with the project's warnings and registers its cases with CTest.
function(channelflow_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE channelflow_options GTest::gtest GTest::gtest_main ${ARG_LIBRARIES})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${ARG_PROPERTIES})
endfunction()
