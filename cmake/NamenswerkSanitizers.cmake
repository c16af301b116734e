# Checked builds. Both options act on every target defined after this file is
# included, so they must be set when the build folder is configured.
#
# NAMENSWERK_SANITIZE=address,undefined: the whole program and its tests with
# the sanitizers named; any report ends the process, so a test that provokes
# one fails instead of printing a warning nobody reads.
#
# NAMENSWERK_FUZZ=ON (clang only): adds one libFuzzer program per target in
# fuzz/ and builds the folder libraries with coverage instrumentation, so that
# one sanitized build serves both the tests and the fuzzers. Implies the
# sanitizers above when none are named.

set(NAMENSWERK_SANITIZE "" CACHE STRING "Sanitizers for every target, e.g. address,undefined")
option(NAMENSWERK_FUZZ "Also build the libFuzzer targets (clang)" OFF)

set(namenswerk_checks "${NAMENSWERK_SANITIZE}")
# Extra compile options for the folder libraries only (see NamenswerkTargets).
set(namenswerk_library_checks "")
if(NAMENSWERK_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "NAMENSWERK_FUZZ needs clang++ (libFuzzer), not ${CMAKE_CXX_COMPILER_ID}")
  endif()
  if(namenswerk_checks STREQUAL "")
    set(namenswerk_checks "address,undefined")
  endif()
  # Coverage guides the fuzzer through the code it checks; the test programs
  # need none. Only the fuzz programs link libFuzzer's main(); elsewhere the
  # sanitizer runtime supplies empty coverage callbacks.
  set(namenswerk_library_checks -fsanitize=fuzzer-no-link)
endif()

if(NOT namenswerk_checks STREQUAL "")
  add_compile_options(-fsanitize=${namenswerk_checks} -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${namenswerk_checks})
endif()
