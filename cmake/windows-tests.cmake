setup_googletest()

# Unix paths of build products, for tests that start them under Wine (Z: is /).
set(SETUP_TEST_DEFS
  SETUP_EXE_UNIX_PATH="$<TARGET_FILE:setup>"
  SETUP_SOURCE_UNIX_DIR="${CMAKE_SOURCE_DIR}"
  SETUP_BINARY_UNIX_DIR="${CMAKE_BINARY_DIR}")

file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
add_executable(win_tests ${WIN_TEST_SOURCES} ${SETUP_RC})
target_link_libraries(win_tests PRIVATE setup_lib GTest::gtest)
target_compile_definitions(win_tests PRIVATE ${SETUP_TEST_DEFS})
add_dependencies(win_tests setup)

# Every test under Wine shares one prefix and its desktop: they run one at a time
# (RESOURCE_LOCK), after the prefix exists (the fixture below creates it on a fresh
# machine, which takes longer than any test).
add_test(NAME win_prefix COMMAND win_tests --gtest_filter=Smoke.*)
set_tests_properties(win_prefix PROPERTIES FIXTURES_SETUP wine_prefix RESOURCE_LOCK wine_prefix TIMEOUT 300)
set(WINE_TEST_PROPERTIES FIXTURES_REQUIRED wine_prefix RESOURCE_LOCK wine_prefix)

# One CTest test per GoogleTest suite, found in the sources (no Wine needed at build time):
# each suite runs in one Wine process, since starting one costs more than most tests. A
# test that hangs is still named, by the "[ RUN ]" line its suite printed last. The suites
# listed in WIN_TESTS_ALONE run one process per test: their tests need a process that has
# shown no window before (which window the system brings to the front, for one).
set(WIN_TESTS_ALONE CopyDialogs)
set(WIN_SUITE_TIMEOUT 300)
set(WIN_TEST_TIMEOUT 60)
set(WIN_UNIT_TEST_SOURCES ${WIN_TEST_SOURCES})
list(FILTER WIN_UNIT_TEST_SOURCES EXCLUDE REGEX "/(PlatformTest|SmokeTest)\\.cpp$")
# A test added to a source is found when the build next runs.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${WIN_UNIT_TEST_SOURCES})
set(WIN_UNIT_TESTS)
set(win_suites)
foreach(source IN LISTS WIN_UNIT_TEST_SOURCES)
  file(STRINGS ${source} test_lines REGEX "^TEST(_F)?\\(")
  foreach(line IN LISTS test_lines)
    string(REGEX REPLACE "^TEST(_F)?\\(([A-Za-z0-9_]+), *([A-Za-z0-9_]+)\\).*" "\\2;\\3" parts "${line}")
    list(GET parts 0 suite)
    list(GET parts 1 test)
    if(suite IN_LIST WIN_TESTS_ALONE)
      add_test(NAME win.${suite}.${test} COMMAND win_tests --gtest_filter=${suite}.${test})
      set_tests_properties(win.${suite}.${test} PROPERTIES TIMEOUT ${WIN_TEST_TIMEOUT})
      list(APPEND WIN_UNIT_TESTS win.${suite}.${test})
    elseif(NOT suite IN_LIST win_suites)
      list(APPEND win_suites ${suite})
      add_test(NAME win.${suite} COMMAND win_tests --gtest_filter=${suite}.*)
      set_tests_properties(win.${suite} PROPERTIES TIMEOUT ${WIN_SUITE_TIMEOUT})
      list(APPEND WIN_UNIT_TESTS win.${suite})
    endif()
  endforeach()
endforeach()
# A filter that matches nothing runs nothing and passes: make that a failure.
set_tests_properties(${WIN_UNIT_TESTS} PROPERTIES ${WINE_TEST_PROPERTIES}
                     FAIL_REGULAR_EXPRESSION "\\[==========\\] 0 tests")

# One run per reported platform; tests named Platform* check the flags against SETUP_WINVER.
foreach(ver win95 nt351 nt40 winxp win10)
  add_test(NAME win_platform_${ver} COMMAND win_tests --gtest_filter=Platform.*)
  set_tests_properties(win_platform_${ver} PROPERTIES ENVIRONMENT SETUP_WINVER=${ver} ${WINE_TEST_PROPERTIES}
                       TIMEOUT ${WIN_TEST_TIMEOUT} FAIL_REGULAR_EXPRESSION "\\[==========\\] 0 tests")
endforeach()

# End-to-end tests: every tests/e2e/*.steps scenario is one test, run by the
# UI driver under Wine through tests/e2e/run-scenario.sh. They share the Wine
# prefix and its desktop, so they run one at a time.
add_executable(uidriver_fixture WIN32 ${CMAKE_SOURCE_DIR}/tests/e2e/fixture/fixture.cpp
                                      ${CMAKE_SOURCE_DIR}/tests/e2e/fixture/fixture.rc)
target_include_directories(uidriver_fixture PRIVATE ${CMAKE_SOURCE_DIR}/tests/e2e/fixture)
target_link_libraries(uidriver_fixture PRIVATE comctl32 user32 gdi32)

# A scenario with a "# platforms: win95 nt40 ..." line is one test per platform
# (e2e_<name>-<platform>), read again when the scenario changes.
file(GLOB E2E_SCENARIOS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.steps)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${E2E_SCENARIOS})
function(e2e_test name scenario)  # [--winver V]
  add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/run-scenario.sh --build ${CMAKE_BINARY_DIR} ${ARGN} ${scenario})
  set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE ${WINE_TEST_PROPERTIES} TIMEOUT 300)
endfunction()
foreach(scenario IN LISTS E2E_SCENARIOS)
  get_filename_component(name ${scenario} NAME_WE)
  file(STRINGS ${scenario} platforms REGEX "^#[ \t]*platforms:")
  if(platforms)
    string(REGEX REPLACE "^#[ \t]*platforms:[ \t]*" "" platforms "${platforms}")
    separate_arguments(platforms)
    foreach(winver IN LISTS platforms)
      e2e_test(e2e_${name}-${winver} ${scenario} --winver ${winver})
    endforeach()
  else()
    e2e_test(e2e_${name} ${scenario})
  endif()
endforeach()

# Benchmark of the copy phase (scripts/bench-copy.sh, make bench): built on request only.
add_executable(bench_copy EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tests/bench/win/bench_copy.cpp ${SETUP_RC})
target_link_libraries(bench_copy PRIVATE setup_lib)

# Benchmark of the installer's memory at its success message (scripts/bench-memory.sh,
# make bench): the installer itself with a thread that walks it; built on request only.
add_executable(bench_memory EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tests/bench/win/bench_memory.cpp ${SETUP_RC})
target_link_libraries(bench_memory PRIVATE setup_lib)
target_include_directories(bench_memory PRIVATE ${CMAKE_BINARY_DIR}/layers/app)
