# Shipping programs: SETUP.EXE and everything that goes on the media beside it (the
# companions, the sample product's files). They must start on Windows 95 as first sold
# and on Windows NT 3.51, so they import only what both ship: the list in
# scripts/shipping-imports.txt, which scripts/check-imports.sh holds them to (the
# shipping_imports test of the i686 build).
#
# The C runtime: the toolchain links msvcrt.dll, which neither system has. The i686 build
# links crtdll.dll instead, the C runtime that both ship: a folder searched before the
# toolchain's own holds crtdll's import library under msvcrt's name, so the compiler
# driver's -lmsvcrt takes it. MinGW-w64's import library for it also supplies the start-up
# functions crtdll names differently; src/runtime/CrtdllGaps.c covers what the static C++
# runtime needs on top. The x86_64 build (tests only) keeps msvcrt.dll.
set(SHIPPING_32BIT FALSE)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(SHIPPING_32BIT TRUE)
  set(SHIPPING_CRT_DIR ${CMAKE_BINARY_DIR}/crtdll)
  execute_process(COMMAND ${CMAKE_C_COMPILER} -print-file-name=libcrtdll.a
                  OUTPUT_VARIABLE crtdll_library OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${crtdll_library}" OR NOT EXISTS "${crtdll_library}")
    message(FATAL_ERROR "The toolchain has no libcrtdll.a (MinGW-w64's import library for crtdll.dll)")
  endif()
  file(MAKE_DIRECTORY ${SHIPPING_CRT_DIR})
  file(CREATE_LINK ${crtdll_library} ${SHIPPING_CRT_DIR}/libmsvcrt.a COPY_ON_ERROR SYMBOLIC)
  # Object files, not an archive: the C++ runtime that needs them comes last on the link line.
  add_library(shipping_crtdll_gaps OBJECT ${CMAKE_SOURCE_DIR}/src/runtime/CrtdllGaps.c)
endif()

# Makes TARGET a shipping program: linked against crtdll.dll in the i686 build, and its
# imports checked there. Every program or library that ships must be declared with it
# (payload_binary does so).
function(shipping_program target)
  if(SHIPPING_32BIT)
    target_link_directories(${target} BEFORE PRIVATE ${SHIPPING_CRT_DIR})
    target_link_libraries(${target} PRIVATE shipping_crtdll_gaps)
  endif()
  set_property(GLOBAL APPEND PROPERTY SHIPPING_PROGRAMS ${target})
endfunction()
