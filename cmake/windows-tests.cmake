set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest's own sources carry characters that code page 932 lacks.
target_compile_options(gtest PRIVATE -fexec-charset=UTF-8)

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

# One run per reported platform; tests named Platform* check the flags against SETUP_WINVER.
add_test(NAME win_tests COMMAND win_tests)
foreach(ver win95 nt351 nt40)
  add_test(NAME win_platform_${ver} COMMAND win_tests --gtest_filter=Platform*)
  set_tests_properties(win_platform_${ver} PROPERTIES ENVIRONMENT SETUP_WINVER=${ver})
endforeach()
