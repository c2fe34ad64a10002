# GoogleTest executables under CTest, one process per executable instead of one per case.
#
# Under Wine a test executable's start costs about a second, far more than most cases take. So
# zevrin_gtest_cases(target ...) gives CTest, for each executable:
#   - a test named after the target (a fixture set-up) that runs the executable once for all the
#     cases this CTest run selected (gtest-run.py) and keeps each case's result and output;
#   - one test per case, named Suite.Case as GoogleTest names it, that prints the case's output
#     and passes, fails or is skipped as the case did (gtest-case.sh).
# So CTest still names every case, -R/-E select cases and suites, and a failure shows its case
# and its assertion. The cases are listed when CTest starts, once per build of the executable.
#
#   zevrin_gtest_cases(target
#     [HEADLESS_SUITES regex]   suites that touch neither the screen nor shared registry keys:
#                               they run in a process of their own, beside the others
#     [REALTIME]                the other cases play media in real time and check the clock:
#                               no headless run (they load the CPU) overlaps them
#     [CASE_TIMEOUT seconds]    a case running longer is ended as failed (default 120)
#     [PROPERTIES name value ...])  CTest properties of the executable's runs (ENVIRONMENT,
#                               FIXTURES_REQUIRED, ...)
#
# The other cases of every executable show windows or start the installed program: they hold the
# CTest resource "desktop", so no two such runs overlap (run CTest with -j2 to overlap the rest).
# Headless runs hold "cpu", as do REALTIME runs and anything else that must not share the CPU.
include_guard(GLOBAL)

set(zevrin_gtest_dir ${CMAKE_CURRENT_LIST_DIR})
# The system's own python first: a version manager's shim would stand between CTest and the runner.
find_program(ZEVRIN_TEST_PYTHON NAMES python3 HINTS /usr/bin REQUIRED)

function(zevrin_gtest_cases target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "REALTIME" "HEADLESS_SUITES;CASE_TIMEOUT" "PROPERTIES")
  if(NOT arg_CASE_TIMEOUT)
    set(arg_CASE_TIMEOUT 120)
  endif()

  # The runs' properties, written as quoted arguments of set_tests_properties.
  set(properties "")
  foreach(value IN LISTS arg_PROPERTIES)
    string(REPLACE "\\" "\\\\" value "${value}")
    string(REPLACE "\"" "\\\"" value "${value}")
    string(REPLACE "$" "\\$" value "${value}")
    string(APPEND properties " \"${value}\"")
  endforeach()
  set(set_properties "")
  if(properties)
    set(set_properties "set_tests_properties(\${test} PROPERTIES${properties})")
  endif()

  get_property(emulator TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR)
  if(NOT emulator)
    set(emulator ${CMAKE_CROSSCOMPILING_EMULATOR})
  endif()

  set(work ${CMAKE_CURRENT_BINARY_DIR}/${target}.cases)
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_cases.cmake)
  file(GENERATE OUTPUT ${include_file} CONTENT
"set(_target [==[${target}]==])
set(_exe [==[$<TARGET_FILE:${target}>]==])
set(_emulator [==[${emulator}]==])
set(_work [==[${work}]==])
set(_headless [==[${arg_HEADLESS_SUITES}]==])
set(_realtime [==[${arg_REALTIME}]==])
set(_case_timeout [==[${arg_CASE_TIMEOUT}]==])
set(_python [==[${ZEVRIN_TEST_PYTHON}]==])
set(_runner [==[${zevrin_gtest_dir}/gtest-run.py]==])
set(_reporter [==[${zevrin_gtest_dir}/gtest-case.sh]==])
macro(_zevrin_run_properties test)
  ${set_properties}
endmacro()
include([==[${zevrin_gtest_dir}/GTestCasesAdd.cmake]==])
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()
