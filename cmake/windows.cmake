# Windows build (MinGW-w64): the installer, its tests and tools. The x86_64 build
# runs the tests under Wine; the i686 build is the shipping one and is only built.
add_compile_definitions(WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0400 NOMINMAX STRICT)
add_link_options(-static)

include(cmake/shipping.cmake)

set(SETUP_WIN_LIBS ole32 oleaut32 uuid shell32 comctl32 comdlg32 user32 gdi32 advapi32 version lz32 mpr)

# One static library per folder, linked to the layers below it (see setup_layer_root).
function(setup_layer folder)
  cmake_parse_arguments(LAYER "" "" "SEES;LINKS" ${ARGN})
  setup_sources(sources ${folder})
  setup_layer_root(root ${folder} ${LAYER_SEES} resources)
  if(sources)
    add_library(setup_${folder} STATIC ${sources})
    target_include_directories(setup_${folder} PUBLIC ${root})
    target_link_libraries(setup_${folder} PUBLIC ${LAYER_LINKS})
  else()  # a folder with nothing to compile yet
    add_library(setup_${folder} INTERFACE)
    target_include_directories(setup_${folder} INTERFACE ${root})
    target_link_libraries(setup_${folder} INTERFACE ${LAYER_LINKS})
  endif()
endfunction()

setup_layer(framework SEES core LINKS setup_core ${SETUP_WIN_LIBS})
setup_layer(common SEES core framework LINKS setup_framework)
setup_layer(script SEES core framework common LINKS setup_common)
foreach(phase wizard copy system uninstall)
  setup_layer(${phase} SEES core framework common script LINKS setup_script)
endforeach()
# The application: the only folder that sees every other one. WinMain.cpp is the
# program's own, so tests can link the rest.
setup_layer(app SEES core framework common script wizard copy system uninstall
            LINKS setup_wizard setup_copy setup_system setup_uninstall)
get_target_property(app_sources setup_app SOURCES)
list(FILTER app_sources EXCLUDE REGEX "/app/WinMain\\.cpp$")
set_property(TARGET setup_app PROPERTY SOURCES ${app_sources})
# Everything of the installer but its entry point, for the program and the tests.
add_library(setup_lib INTERFACE)
target_link_libraries(setup_lib INTERFACE setup_app)

set(SETUP_RC ${CMAKE_SOURCE_DIR}/src/resources/setup.rc)
# windres writes no dependency file: rebuild the resources when anything they include changes.
file(GLOB SETUP_RC_PARTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/*.rc
     ${CMAKE_SOURCE_DIR}/src/resources/*.h ${CMAKE_SOURCE_DIR}/src/resources/*.ico)
list(REMOVE_ITEM SETUP_RC_PARTS ${SETUP_RC})
set_source_files_properties(${SETUP_RC} PROPERTIES OBJECT_DEPENDS "${SETUP_RC_PARTS}")
add_executable(setup WIN32 ${CMAKE_SOURCE_DIR}/src/app/WinMain.cpp ${SETUP_RC})
target_include_directories(setup PRIVATE ${CMAKE_BINARY_DIR}/layers/app)
set_target_properties(setup PROPERTIES OUTPUT_NAME SETUP SUFFIX .EXE)
target_link_libraries(setup PRIVATE setup_lib)
shipping_program(setup)

# UI driver for end-to-end tests: a console program that walks a program's
# windows from a step script (tools/uidriver/README.md).
file(GLOB UIDRIVER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/uidriver/*.cpp)
add_executable(uidriver ${UIDRIVER_SOURCES})
# It presses a wizard's buttons by the ids the framework names (framework/WizardButtons.h).
target_include_directories(uidriver PRIVATE ${CMAKE_BINARY_DIR}/layers/framework)
target_link_libraries(uidriver PRIVATE user32 gdi32 kernel32)

# Lists a folder's files and directories with their attributes and sizes, in one run:
# the end-to-end scenarios' snapshots of the prefix (tests/e2e/bin/prefix-snapshot).
add_executable(prefix_snapshot ${CMAKE_SOURCE_DIR}/tests/e2e/snapshot/prefix-snapshot.cpp)
set_target_properties(prefix_snapshot PROPERTIES OUTPUT_NAME prefix-snapshot)

# What the platform's version service answers in the copy engine's cases
# (tools/verprobe/run-probe.sh runs it); built on request only.
add_executable(verprobe EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tools/verprobe/verprobe.cpp)
target_link_libraries(verprobe PRIVATE version lz32)

# orvmedia (tools/media) as a Windows console program.
file(GLOB ORVMEDIA_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/media/*.cpp)
add_executable(orvmedia ${ORVMEDIA_SOURCES})
target_link_libraries(orvmedia PRIVATE setup_core)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  # Tests run under Wine through this wrapper: a private prefix in the build tree.
  set(WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh --prefix ${WINE_PREFIX})
  include(cmake/windows-tests.cmake)
endif()

include(cmake/payload.cmake)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  # The Windows orvmedia finds the sample's CD media clean, warnings included.
  add_test(NAME orvmedia_exe_check
           COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:orvmedia> check --werror
                   media/sample/SETUP.INF --source media/sample
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  set_tests_properties(orvmedia_exe_check PROPERTIES ${WINE_TEST_PROPERTIES})
endif()

if(SHIPPING_32BIT)
  # The shipping build's own tests, once every shipping program is declared.
  include(cmake/shipping-tests.cmake)
endif()
