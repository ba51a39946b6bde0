# Tests of the shipping (i686) build: its programs' imports, and the end-to-end scenarios
# that matter most, run against the i686 SETUP.EXE under 32-bit Wine in this tree's own
# prefix. Where 32-bit Wine cannot run, the scenarios are skipped, never failed.

# The runtime's failure paths as the installer relies on them (tests/runtime), in a
# program linked as the shipping ones are: with the core, which brings the library's
# throwing helpers of src/runtime.
add_executable(failure_paths ${CMAKE_SOURCE_DIR}/tests/runtime/FailurePaths.cpp)
set_target_properties(failure_paths PROPERTIES OUTPUT_NAME failure-paths)
target_link_libraries(failure_paths PRIVATE setup_core)
shipping_program(failure_paths)

get_property(shipping_programs GLOBAL PROPERTY SHIPPING_PROGRAMS)
set(shipping_files)
foreach(program IN LISTS shipping_programs)
  list(APPEND shipping_files $<TARGET_FILE:${program}>)
endforeach()
add_test(NAME shipping_imports COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-imports.sh ${shipping_files})
# The check itself: it must fail on a missing program and on an import not listed.
add_test(NAME shipping_imports_check
         COMMAND ${CMAKE_SOURCE_DIR}/tests/imports/check-imports-test.sh $<TARGET_FILE:setup>
                 $<TARGET_FILE:updatetest_depocx>)

set(E2E_DIR ${CMAKE_SOURCE_DIR}/tests/e2e)
function(shipping_scenario name scenario)  # [--winver V]
  add_test(NAME e2e32_${name}
           COMMAND ${E2E_DIR}/run-scenario.sh --build ${CMAKE_BINARY_DIR} ${ARGN} ${E2E_DIR}/${scenario}.steps)
  set_tests_properties(e2e32_${name} PROPERTIES RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
endfunction()
shipping_scenario(missing-inf missing-inf)
foreach(winver win95 nt351 nt40)
  shipping_scenario(full-walk-${winver} full-walk --winver ${winver})
endforeach()
shipping_scenario(sample-walk sample-walk)  # the sample product from its CD
shipping_scenario(progman-nt351 progman-nt351)  # with the shipping __SETUP.EXE
# The shipping uninstaller: the sample removed through the list of programs, and a file
# of a running program left for the next start (Windows 95's WININIT.INI).
shipping_scenario(uninstall-sample uninstall-sample)
shipping_scenario(uninstall-in-use uninstall-in-use)

add_test(NAME runtime_failure_paths
         COMMAND ${CMAKE_SOURCE_DIR}/tests/runtime/failure-paths-test.sh $<TARGET_FILE:failure_paths>
                 ${CMAKE_BINARY_DIR}/wineprefix)
set_tests_properties(runtime_failure_paths PROPERTIES RUN_SERIAL TRUE SKIP_RETURN_CODE 77)

# What ships fits its floppy disks (scripts/shipping-sizes.sh; make bench prints it).
add_test(NAME shipping_sizes COMMAND ${CMAKE_SOURCE_DIR}/scripts/shipping-sizes.sh --check ${CMAKE_BINARY_DIR})

# Installed and removed again, the sample leaves the system as it found it.
shipping_scenario(roundtrip-win95 roundtrip --winver win95)
