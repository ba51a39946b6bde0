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
  # The optimiser's specialised copies of a function (for constant or unused arguments)
  # are private to an object: the library's inline std::string members would have one
  # in each object that uses them. Without them they are merged into one per program.
  # (A variable, not add_compile_options: the core library is declared before this.)
  string(APPEND CMAKE_CXX_FLAGS " -fno-ipa-sra -fno-ipa-cp-clone")
  # The whole program optimised at once (link-time optimisation): what no caller reaches
  # goes, and small functions are inlined across files; a sixth of each program. In one
  # partition: with several, this compiler (GCC 12) stops with an internal error in
  # binds_to_current_def_p on some of the programs' functions.
  set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
  set_property(TARGET setup_core PROPERTY INTERPROCEDURAL_OPTIMIZATION ON)
  add_link_options(-flto-partition=one)
  # Object files, not archives: the C++ runtime that needs them comes last on the link line.
  add_library(shipping_crtdll_gaps OBJECT ${CMAKE_SOURCE_DIR}/src/runtime/CrtdllGaps.c)
  # The quiet terminate handler, for programs linked as C++ (the runtime's exception
  # code, which names the handler, comes after everything else).
  add_library(shipping_quiet_terminate OBJECT ${CMAKE_SOURCE_DIR}/src/runtime/QuietTerminate.cpp)
  # The library's throwing helpers, for the code that calls them: an archive, so that only
  # a program that calls them links them (and with them the exception runtime). That code
  # is in the layers' libraries, which all link the core: as the core's dependency the
  # archive comes after them on a shipping program's link line (and on no other's).
  add_library(shipping_library_failures STATIC ${CMAKE_SOURCE_DIR}/src/runtime/LibraryFailures.cpp)
  target_link_libraries(setup_core INTERFACE $<$<BOOL:$<TARGET_PROPERTY:SHIPPING_PROGRAM>>:shipping_library_failures>)
endif()

# Makes TARGET a shipping program: linked against crtdll.dll in the i686 build, and its
# imports checked there. Every program or library that ships must be declared with it
# (payload_binary does so).
#
# The i686 build also makes it small, since the media are floppy disks:
# - the runtime's pieces above replace the library's bulky terminate and throw paths;
# - the whole program is optimised at link time (above);
# - --gc-sections drops unused data, such as the 35 KB of interface ids that come with the
#   three the installer uses (code stays: the unwind tables refer to every function);
# - a program gets no base relocations (a program is always loaded at its own base on
#   these systems; a library keeps them), and the identical CIEs of its unwind tables,
#   one per object and per inline function kept, are merged into one
#   (scripts/merge-eh-frame-cies.py: GNU ld does that for ELF files only);
# - what ships is stripped; the unstripped file is kept for a debugger as
#   unstripped/TARGET/NAME.debug (a name no one takes for the program that ships), beside
#   the linker's map NAME.map (where each byte comes from).
function(shipping_program target)
  if(SHIPPING_32BIT)
    target_link_directories(${target} BEFORE PRIVATE ${SHIPPING_CRT_DIR})
    set_property(TARGET ${target} PROPERTY SHIPPING_PROGRAM ON)
    target_link_libraries(${target} PRIVATE shipping_crtdll_gaps
                          $<$<LINK_LANGUAGE:CXX>:$<TARGET_OBJECTS:shipping_quiet_terminate>>)
    add_dependencies(${target} shipping_quiet_terminate)
    target_link_options(${target} PRIVATE -Wl,--gc-sections)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      target_link_options(${target} PRIVATE -Wl,--disable-dynamicbase,--disable-reloc-section)
      add_custom_command(TARGET ${target} POST_BUILD
        COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/merge-eh-frame-cies.py $<TARGET_FILE:${target}>
        VERBATIM)
    endif()
    set(unstripped ${CMAKE_BINARY_DIR}/unstripped/${target})
    file(MAKE_DIRECTORY ${unstripped})
    target_link_options(${target} PRIVATE -Wl,-Map,${unstripped}/$<TARGET_FILE_NAME:${target}>.map)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> ${unstripped}/$<TARGET_FILE_NAME:${target}>.debug
      COMMAND ${CMAKE_STRIP} --strip-all $<TARGET_FILE:${target}>
      VERBATIM)
  endif()
  set_property(GLOBAL APPEND PROPERTY SHIPPING_PROGRAMS ${target})
endfunction()
