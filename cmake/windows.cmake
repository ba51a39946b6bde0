# Windows build (MinGW-w64): the installer, its tests and tools. The x86_64 build
# runs the tests under Wine; the i686 build is the shipping one and is only built.
add_compile_definitions(WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0400 NOMINMAX STRICT)
add_link_options(-static)

set(SETUP_WIN_LIBS ole32 oleaut32 uuid shell32 comctl32 comdlg32 user32 gdi32 advapi32 version lz32)

setup_sources(FRAMEWORK_SOURCES framework)
add_library(setup_framework STATIC ${FRAMEWORK_SOURCES})
target_include_directories(setup_framework PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(setup_framework PUBLIC setup_core ${SETUP_WIN_LIBS})

# Everything of the installer but its entry point, so tests can link it.
setup_sources(SETUP_SOURCES app script wizard copy system uninstall)
list(FILTER SETUP_SOURCES EXCLUDE REGEX "/app/WinMain\\.cpp$")
add_library(setup_lib STATIC ${SETUP_SOURCES})
target_link_libraries(setup_lib PUBLIC setup_framework)

set(SETUP_RC ${CMAKE_SOURCE_DIR}/src/resources/setup.rc)
# windres writes no dependency file: rebuild the resources when anything they include changes.
file(GLOB SETUP_RC_PARTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/*.rc
     ${CMAKE_SOURCE_DIR}/src/resources/*.h ${CMAKE_SOURCE_DIR}/src/resources/*.ico)
list(REMOVE_ITEM SETUP_RC_PARTS ${SETUP_RC})
set_source_files_properties(${SETUP_RC} PROPERTIES OBJECT_DEPENDS "${SETUP_RC_PARTS}")
add_executable(setup WIN32 ${CMAKE_SOURCE_DIR}/src/app/WinMain.cpp ${SETUP_RC})
set_target_properties(setup PROPERTIES OUTPUT_NAME SETUP SUFFIX .EXE)
target_link_libraries(setup PRIVATE setup_lib)

# UI driver for end-to-end tests: a console program that walks a program's
# windows from a step script (tools/uidriver/README.md).
file(GLOB UIDRIVER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/uidriver/*.cpp)
add_executable(uidriver ${UIDRIVER_SOURCES})
target_link_libraries(uidriver PRIVATE user32 gdi32 kernel32)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  # Tests run under Wine through this wrapper: a private prefix in the build tree.
  set(WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh --prefix ${WINE_PREFIX})
  include(cmake/windows-tests.cmake)
endif()
