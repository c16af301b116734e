# Shared build rules: one INTERFACE target with the project's warnings and Qt
# defines, and a helper that turns a folder into a library of its own.

add_library(namenswerk_options INTERFACE)
target_compile_options(namenswerk_options INTERFACE
  -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual
  $<$<BOOL:${NAMENSWERK_WERROR}>:-Werror>)
target_compile_definitions(namenswerk_options INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_USE_QSTRINGBUILDER
  QT_NO_KEYWORDS)
target_include_directories(namenswerk_options INTERFACE ${PROJECT_SOURCE_DIR})

# namenswerk_folder_library(<name> LINKS <targets...>)
# Builds every .cpp of the calling folder into the static library <name>.
function(namenswerk_folder_library name)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_library(${name} STATIC ${sources} ${headers})
    target_link_libraries(${name} PUBLIC namenswerk_options ${ARG_LINKS})
    target_compile_options(${name} PRIVATE ${namenswerk_library_checks})
  else()
    # A layer that has no code yet still takes part in the dependency graph.
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE namenswerk_options ${ARG_LINKS})
  endif()
endfunction()

# namenswerk_test_code(<target>)
# Test code is compiled without optimisation whatever the build type: it is
# the larger half of a clean build and takes twice as long at -O2, while the
# code it checks keeps the build type's flags.
function(namenswerk_test_code target)
  target_compile_options(${target} PRIVATE -O0)
endfunction()

# namenswerk_folder_tests(<name> LINKS <targets...>)
# One GoogleTest program per test folder; each test runs as its own CTest case.
function(namenswerk_folder_tests name)
  cmake_parse_arguments(ARG "" "MAIN" "LINKS" ${ARGN})
  if(NOT ARG_MAIN)
    set(ARG_MAIN GTest::gtest_main)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE namenswerk_options namenswerk_testsupport ${ARG_MAIN} ${ARG_LINKS})
  namenswerk_test_code(${name})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
