# Checked builds. Both options act on every target defined after this file is
# included, so they must be set when the build folder is configured.
#
# NAMENSWERK_SANITIZE=address,undefined: the whole program and its tests with
# the sanitizers named; any report ends the process, so a test that provokes
# one fails instead of printing a warning nobody reads.
#
# NAMENSWERK_FUZZ=ON (clang only): the core libraries built for coverage-guided
# fuzzing with AddressSanitizer and UndefinedBehaviorSanitizer, and one
# libFuzzer program per target in fuzz/. Nothing else is built.

set(NAMENSWERK_SANITIZE "" CACHE STRING "Sanitizers for every target, e.g. address,undefined")
option(NAMENSWERK_FUZZ "Build only the core libraries and the libFuzzer targets (clang)" OFF)

set(namenswerk_checks "${NAMENSWERK_SANITIZE}")
if(NAMENSWERK_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "NAMENSWERK_FUZZ needs clang++ (libFuzzer), not ${CMAKE_CXX_COMPILER_ID}")
  endif()
  if(namenswerk_checks STREQUAL "")
    set(namenswerk_checks "address,undefined")
  endif()
  # Coverage instrumentation for the libraries; only the fuzz programs link
  # libFuzzer's main().
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(NOT namenswerk_checks STREQUAL "")
  add_compile_options(-fsanitize=${namenswerk_checks} -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${namenswerk_checks})
endif()
