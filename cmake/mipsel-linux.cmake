# Cross-compiling rally for a little-endian MIPS Linux with Debian's cross toolchain
# (g++-mipsel-linux-gnu). One of:
#
#   RALLY_STATIC_ROOT  a folder holding musl, SDL and SDL_mixer built static for MIPS32 release 1
#                      (scripts/build-handheld.sh makes it): the game is linked fully static, with
#                      no C++ run-time library beyond libsupc++, for the handheld's own firmware.
#   RALLY_PKG_ROOT     a folder where Debian's mipsel SDL packages are unpacked (scripts/
#                      handheld-checks.sh makes one): the game and the tests link against them and
#                      Debian's mipsel C library, and run under qemu-mipsel (the cross-compiling
#                      emulator), or on a Debian mipsel system.
#   RALLY_SYSROOT      the root file system of another target, with its SDL and SDL_mixer.
#
# RALLY_CROSS_PREFIX is the compilers' prefix (default mipsel-linux-gnu-). A cross build reads its
# buttons from the GPIO proc file (RALLY_INPUT defaults to gpio).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR mipsel)

set(RALLY_CROSS_PREFIX "mipsel-linux-gnu-" CACHE STRING "Prefix of the cross compilers")
set(RALLY_STATIC_ROOT "" CACHE PATH "musl, SDL and SDL_mixer built static for MIPS32")
set(RALLY_SYSROOT "" CACHE PATH "Root file system of the target")
set(RALLY_PKG_ROOT "${RALLY_SYSROOT}" CACHE PATH "Root of the target's SDL installation")
set(RALLY_TARGET_LIBC "/usr/mipsel-linux-gnu" CACHE PATH "The cross toolchain's C library")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES RALLY_CROSS_PREFIX RALLY_STATIC_ROOT RALLY_SYSROOT
     RALLY_PKG_ROOT RALLY_TARGET_LIBC)

set(CMAKE_C_COMPILER "${RALLY_CROSS_PREFIX}gcc")
set(CMAKE_CXX_COMPILER "${RALLY_CROSS_PREFIX}g++")
if(RALLY_SYSROOT)
  set(CMAKE_SYSROOT "${RALLY_SYSROOT}")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(RALLY_STATIC_ROOT)
  # The compiler's own C++ headers over musl's, for release 1. The C++ headers ask glibc's version
  # through __GLIBC_PREREQ, which musl lacks: the forced header answers "older".
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -xc++ -E -v /dev/null
                  OUTPUT_QUIET ERROR_VARIABLE probe)
  string(REGEX MATCHALL "\n [^\n]*/c\\+\\+/[^\n]*" cxx_dirs "${probe}")
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=include
                  OUTPUT_VARIABLE gcc_include OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(flags "-march=mips32 -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections -nostdinc")
  foreach(dir IN LISTS cxx_dirs)
    string(STRIP "${dir}" dir)
    string(APPEND flags " -isystem ${dir}")
  endforeach()
  string(APPEND flags " -isystem ${RALLY_STATIC_ROOT}/include -isystem ${gcc_include}"
         " -include ${CMAKE_CURRENT_LIST_DIR}/musl-glibc-prereq.h")
  set(CMAKE_CXX_FLAGS_INIT "${flags}")

  # Linked by hand: musl's start files and C library, the compiler's own start files, libsupc++
  # and libgcc, nothing else.
  function(rally_gcc_file var name)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(${var} "${path}" PARENT_SCOPE)
  endfunction()
  foreach(name crtbeginT.o crtend.o libsupc++.a libgcc.a libgcc_eh.a)
    rally_gcc_file(path ${name})
    string(REGEX REPLACE "[.+]" "_" var "${name}")
    set(${var} "${path}")
  endforeach()
  set(lib "${RALLY_STATIC_ROOT}/lib")
  set(CMAKE_CXX_LINK_EXECUTABLE
      "<CMAKE_CXX_COMPILER> <FLAGS> <CMAKE_CXX_LINK_FLAGS> <LINK_FLAGS> -static -nostdlib\
 -Wl,--gc-sections ${lib}/crt1.o ${lib}/crti.o ${crtbeginT_o} <OBJECTS> -o <TARGET>\
 <LINK_LIBRARIES> -Wl,--start-group ${libsupc___a} ${lib}/libc.a ${libgcc_a} ${libgcc_eh_a}\
 -Wl,--end-group ${crtend_o} ${lib}/crtn.o")

  set(CMAKE_FIND_ROOT_PATH "${RALLY_STATIC_ROOT}")
  set(ENV{PKG_CONFIG_LIBDIR} "${RALLY_STATIC_ROOT}/lib/pkgconfig")
  unset(ENV{PKG_CONFIG_SYSROOT_DIR})
elseif(RALLY_PKG_ROOT)
  # pkg-config answers for the target, not for this machine.
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "${RALLY_PKG_ROOT}")
  set(ENV{PKG_CONFIG_LIBDIR} "${RALLY_PKG_ROOT}/usr/lib/pkgconfig:${RALLY_PKG_ROOT}/usr/lib/\
mipsel-linux-gnu/pkgconfig:${RALLY_PKG_ROOT}/usr/share/pkgconfig")
  list(APPEND CMAKE_FIND_ROOT_PATH "${RALLY_PKG_ROOT}")
  if(NOT RALLY_SYSROOT)
    # Only SDL's packages are there, beside the toolchain's C library: the linker finds the
    # libraries they need in their folders, and so does the loader under the emulator.
    set(dirs "${RALLY_PKG_ROOT}/lib/mipsel-linux-gnu" "${RALLY_PKG_ROOT}/usr/lib/mipsel-linux-gnu"
             "${RALLY_PKG_ROOT}/usr/lib/mipsel-linux-gnu/pulseaudio")
    list(JOIN dirs ":" path)
    set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,-rpath-link,${path}")
    set(CMAKE_CROSSCOMPILING_EMULATOR qemu-mipsel -L ${RALLY_TARGET_LIBC}
                                      -E LD_LIBRARY_PATH=${path})
  endif()
endif()
