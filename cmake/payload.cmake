# What goes on installation media besides SETUP.EXE: the companion uninstaller,
# the sample product's files, test libraries, and the sample's media folders.
# Each build tree makes them for its own processor: the installer loads an OCX
# into its own process to register it, so the payload must match SETUP.EXE
# (the i686 tree thus lays out the shipping media, the x86_64 one the media the
# tests run under wine64).

# A payload program or library, small and stripped whatever the build type, written
# as DIR/NAME; a shipping program (cmake/shipping.cmake). KIND is WIN32 (a program) or
# SHARED (a library, made without an import library: nothing links to it). Libraries
# export their functions undecorated (DllRegisterServer, not DllRegisterServer@0).
function(payload_binary target kind dir name)
  if(kind STREQUAL "SHARED")
    add_library(${target} MODULE ${ARGN})
    target_link_options(${target} PRIVATE -Wl,--kill-at)
  else()
    add_executable(${target} WIN32 ${ARGN})
  endif()
  string(REGEX MATCH "\\.[^.]*$" suffix "${name}")
  string(REGEX REPLACE "\\.[^.]*$" "" base "${name}")
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME "${base}" SUFFIX "${suffix}"
                        RUNTIME_OUTPUT_DIRECTORY ${dir} LIBRARY_OUTPUT_DIRECTORY ${dir})
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-Os>)
  if(NOT SHIPPING_32BIT)  # the shipping build strips it after keeping a copy
    target_link_options(${target} PRIVATE -s)
  endif()
  shipping_program(${target})
endfunction()

# The companion uninstaller beside SETUP.EXE, which undoes an installation from its
# UNINSTAL.INF. Its work is a library of its own on the layers up to system/ (the
# profile layer, the common dialogs, the DDE client), which the Windows tests link too.
set(UNINSTALLER_DIR ${CMAKE_SOURCE_DIR}/companions/uninstaller)
file(GLOB UNINSTALLER_SOURCES CONFIGURE_DEPENDS ${UNINSTALLER_DIR}/*.cpp)
list(FILTER UNINSTALLER_SOURCES EXCLUDE REGEX "/UninstallerMain\\.cpp$")
add_library(uninstaller_lib STATIC ${UNINSTALLER_SOURCES})
target_include_directories(uninstaller_lib PUBLIC ${CMAKE_SOURCE_DIR}/companions ${CMAKE_BINARY_DIR}/layers/system)
target_link_libraries(uninstaller_lib PUBLIC setup_system)
payload_binary(orvun100 WIN32 ${CMAKE_BINARY_DIR} ORVUN100.EXE
               ${UNINSTALLER_DIR}/UninstallerMain.cpp ${UNINSTALLER_DIR}/uninstaller.rc)
target_include_directories(orvun100 PRIVATE ${UNINSTALLER_DIR} ${CMAKE_SOURCE_DIR}/src/resources)
target_link_libraries(orvun100 PRIVATE uninstaller_lib)
set_source_files_properties(${UNINSTALLER_DIR}/uninstaller.rc PROPERTIES
                            OBJECT_DEPENDS "${UNINSTALLER_DIR}/uninstaller_ids.h;${CMAKE_SOURCE_DIR}/src/resources/setup.ico")
if(TARGET win_tests)
  target_link_libraries(win_tests PRIVATE uninstaller_lib)
endif()

# The program-group helper beside SETUP.EXE, which the installer starts on Windows NT
# before 4.0 to make the program group through the program manager.
# It goes on the first disk with the installer, so it does without the C++ library and
# its exceptions, at about a tenth of the size: in the shipping build nothing of the
# library is linked (the core's parts it uses need none; the shipping_sizes test would
# notice). In the tests' unoptimised build the core's parts it uses need the library's
# exception support, which is linked there.
payload_binary(group_helper WIN32 ${CMAKE_BINARY_DIR} __SETUP.EXE
               ${CMAKE_SOURCE_DIR}/companions/group-helper/GroupHelper.cpp)
target_compile_options(group_helper PRIVATE -fno-exceptions -fno-rtti)
target_link_libraries(group_helper PRIVATE setup_core user32)

# The sample product's built files; its plain files are in examples/sample itself.
set(SAMPLE_SRC ${CMAKE_SOURCE_DIR}/examples/sample/src)
set(SAMPLE_PAYLOAD ${CMAKE_BINARY_DIR}/payload/sample)
payload_binary(sample_exe WIN32 ${SAMPLE_PAYLOAD} SAMPLE.EXE ${SAMPLE_SRC}/sample.c ${SAMPLE_SRC}/sample.rc)
payload_binary(sample_core SHARED ${SAMPLE_PAYLOAD} SAMPCORE.DLL ${SAMPLE_SRC}/sampcore.c ${SAMPLE_SRC}/sampcore.rc)
payload_binary(sample_grid SHARED ${SAMPLE_PAYLOAD} SAMPGRID.OCX ${SAMPLE_SRC}/sampgrid.c ${SAMPLE_SRC}/sampgrid.rc)
target_link_libraries(sample_grid PRIVATE advapi32)
foreach(target sample_exe sample_core sample_grid)
  target_include_directories(${target} PRIVATE ${SAMPLE_SRC})
endforeach()
# windres writes no dependency file: rebuild the resources when the shared part changes.
set_source_files_properties(${SAMPLE_SRC}/sample.rc ${SAMPLE_SRC}/sampcore.rc ${SAMPLE_SRC}/sampgrid.rc
                            ${CMAKE_SOURCE_DIR}/tests/payload/vertest/version1.rc
                            ${CMAKE_SOURCE_DIR}/tests/payload/vertest/version2.rc
                            PROPERTIES OBJECT_DEPENDS ${SAMPLE_SRC}/versioninfo.rc)

# One library in two versions (payload/vertest/1 and payload/vertest/2), for
# installing an older file over a newer one.
foreach(major 1 2)
  payload_binary(vertest${major} SHARED ${CMAKE_BINARY_DIR}/payload/vertest/${major} VERTEST.DLL
                 ${CMAKE_SOURCE_DIR}/tests/payload/vertest/vertest.c
                 ${CMAKE_SOURCE_DIR}/tests/payload/vertest/version${major}.rc)
  target_compile_definitions(vertest${major} PRIVATE VERTEST_MAJOR=${major})
  target_include_directories(vertest${major} PRIVATE ${SAMPLE_SRC})
endforeach()

# Components for the system update's tests (payload/updatetest): a library that is no
# OCX, an OCX whose registration fails, an OCX that imports a library beside it (linked
# against that DLL itself: payload libraries have no import library), and a program that
# writes down how it was started.
set(UPDATETEST_SRC ${CMAKE_SOURCE_DIR}/tests/payload/updatetest)
set(UPDATETEST_PAYLOAD ${CMAKE_BINARY_DIR}/payload/updatetest)
payload_binary(updatetest_noreg SHARED ${UPDATETEST_PAYLOAD} NOREG.DLL ${UPDATETEST_SRC}/noreg.c)
payload_binary(updatetest_failreg SHARED ${UPDATETEST_PAYLOAD} FAILREG.OCX ${UPDATETEST_SRC}/failreg.c)
payload_binary(updatetest_deplib SHARED ${UPDATETEST_PAYLOAD} DEPLIB.DLL ${UPDATETEST_SRC}/deplib.c)
payload_binary(updatetest_depocx SHARED ${UPDATETEST_PAYLOAD} DEPOCX.OCX ${UPDATETEST_SRC}/depocx.c)
target_link_libraries(updatetest_depocx PRIVATE $<TARGET_FILE:updatetest_deplib> ole32 uuid)
add_dependencies(updatetest_depocx updatetest_deplib)
payload_binary(updatetest_arglog WIN32 ${UPDATETEST_PAYLOAD} ARGLOG.EXE ${UPDATETEST_SRC}/arglog.c)

# For the uninstaller's tests (payload/uninstalltest): a program that keeps another one
# running while a command runs, so that the other's file is in use.
payload_binary(uninstalltest_runbeside WIN32 ${CMAKE_BINARY_DIR}/payload/uninstalltest RUNBESIDE.EXE
               ${CMAKE_SOURCE_DIR}/tests/payload/uninstalltest/runbeside.c)

# orvmedia for this machine (tools/media), which lays out the media.
include(ExternalProject)
set(ORVMEDIA ${CMAKE_BINARY_DIR}/orvmedia-native/orvmedia)
ExternalProject_Add(orvmedia_native
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools/media
  BINARY_DIR ${CMAKE_BINARY_DIR}/orvmedia-native
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++
             -DORVMEDIA_PROGRAMS=${CMAKE_SOURCE_DIR}/build/win32
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${ORVMEDIA})

# The sample's media, laid out by orvmedia: media/sample (one folder, as on a CD) and
# media/sample-floppy (disk1/, disk2/, ...). This tree's SETUP.EXE is larger than a
# 1.44 MB disk (the shipping build will fit later), so the floppies are made larger.
file(GLOB_RECURSE SAMPLE_PLAIN_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/examples/sample/*)
list(FILTER SAMPLE_PLAIN_FILES EXCLUDE REGEX "/examples/sample/src/")
set(SAMPLE_MEDIA_STAMP ${CMAKE_BINARY_DIR}/media/sample.stamp)
set(build_media ${ORVMEDIA} build ${CMAKE_SOURCE_DIR}/examples/sample/SETUP.INF --programs ${CMAKE_BINARY_DIR}
    --source ${CMAKE_SOURCE_DIR}/examples/sample --source ${SAMPLE_PAYLOAD})
add_custom_command(
  OUTPUT ${SAMPLE_MEDIA_STAMP}
  COMMAND ${build_media} --layout cd --out ${CMAKE_BINARY_DIR}/media/sample
  COMMAND ${build_media} --layout floppy --disk-size 20000000 --out ${CMAKE_BINARY_DIR}/media/sample-floppy
  COMMAND ${CMAKE_COMMAND} -E touch ${SAMPLE_MEDIA_STAMP}
  DEPENDS setup orvun100 group_helper sample_exe sample_core sample_grid ${SAMPLE_PLAIN_FILES} orvmedia_native ${ORVMEDIA}
  COMMENT "Laying out the sample product's media"
  VERBATIM)
add_custom_target(sample_media ALL DEPENDS ${SAMPLE_MEDIA_STAMP})
