# Native Linux build: the portable core with its unit tests.
if(SETUP_SANITIZE)
  set(san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_compile_options(${san})
  add_link_options(${san})
  # setup_core was created before these options were set; it needs them too.
  target_compile_options(setup_core PRIVATE ${san})
endif()

setup_googletest()

file(GLOB CORE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/core/*.cpp)
add_executable(core_tests ${CORE_TEST_SOURCES})
target_link_libraries(core_tests PRIVATE setup_core GTest::gtest_main)
# The reference test reads docs/setup-inf.md from the source tree.
target_compile_definitions(core_tests PRIVATE SETUP_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
include(GoogleTest)
gtest_discover_tests(core_tests DISCOVERY_TIMEOUT 60)

# Benchmarks print figures; they are built here and run by hand (make bench).
# They measure optimised code without sanitizers, so they get their own copy of the core.
set(bench_options -finput-charset=UTF-8 -fexec-charset=CP932 -O2 -DNDEBUG)
add_library(setup_core_bench STATIC EXCLUDE_FROM_ALL ${CORE_SOURCES})
target_include_directories(setup_core_bench PUBLIC ${CORE_ROOT})
set_property(TARGET setup_core_bench PROPERTY COMPILE_OPTIONS ${bench_options})
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/*.cpp)
foreach(src IN LISTS BENCH_SOURCES)
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  # Timing needs <chrono>, which code page 932 cannot hold; the benchmark prints no Japanese.
  set_property(TARGET ${name} PROPERTY COMPILE_OPTIONS -O2 -DNDEBUG)
  set_property(TARGET ${name} PROPERTY LINK_OPTIONS "")
  target_link_libraries(${name} PRIVATE setup_core_bench)
endforeach()


# The media builder and checker, with the sanitizers, for its tests (tests/media).
file(GLOB ORVMEDIA_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/media/*.cpp)
add_executable(orvmedia ${ORVMEDIA_SOURCES})
target_link_libraries(orvmedia PRIVATE setup_core)
target_compile_definitions(orvmedia PRIVATE ORVMEDIA_DEFAULT_PROGRAMS="${CMAKE_SOURCE_DIR}/build/win32")
add_test(NAME media_check_findings COMMAND ${CMAKE_SOURCE_DIR}/tests/media/check-findings.sh $<TARGET_FILE:orvmedia>)
add_test(NAME media_build COMMAND ${CMAKE_SOURCE_DIR}/tests/media/build-test.sh $<TARGET_FILE:orvmedia>)
# The floppy-room count behind the shipping build's size check.
add_test(NAME floppy_room COMMAND ${CMAKE_SOURCE_DIR}/tests/sizes/floppy-room-test.sh)
