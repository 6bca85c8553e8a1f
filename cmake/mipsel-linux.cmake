# Cross-compiling rally for the handheld: a little-endian MIPS Linux.
#
#   RALLY_CROSS_PREFIX  the compilers' prefix (default: Debian's cross toolchain, mipsel-linux-gnu-;
#                       for the handheld's own SDK, e.g. /opt/mipsel-linux-uclibc/usr/bin/mipsel-linux-)
#   RALLY_SYSROOT       the target's root file system with its libraries and headers (optional)
#   RALLY_PKG_ROOT      where the target's SDL and SDL_mixer are installed, if not in RALLY_SYSROOT
#
# A cross build reads its buttons from the GPIO proc file (RALLY_INPUT defaults to gpio).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR mipsel)

set(RALLY_CROSS_PREFIX "mipsel-linux-gnu-" CACHE STRING "Prefix of the cross compilers")
set(RALLY_SYSROOT "" CACHE PATH "Root file system of the target")
set(RALLY_PKG_ROOT "${RALLY_SYSROOT}" CACHE PATH "Root of the target's SDL installation")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES RALLY_CROSS_PREFIX RALLY_SYSROOT RALLY_PKG_ROOT)

set(CMAKE_C_COMPILER "${RALLY_CROSS_PREFIX}gcc")
set(CMAKE_CXX_COMPILER "${RALLY_CROSS_PREFIX}g++")
if(RALLY_SYSROOT)
  set(CMAKE_SYSROOT "${RALLY_SYSROOT}")
endif()

# pkg-config answers for the target, not for this machine.
if(RALLY_PKG_ROOT)
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "${RALLY_PKG_ROOT}")
  set(ENV{PKG_CONFIG_LIBDIR}
      "${RALLY_PKG_ROOT}/usr/lib/pkgconfig:${RALLY_PKG_ROOT}/usr/lib/mipsel-linux-gnu/pkgconfig:${RALLY_PKG_ROOT}/usr/share/pkgconfig")
endif()

# Without a whole root file system, SDL's own dependencies (ALSA, X11, codecs) are not here to link
# against; the target's loader finds them at run time.
if(NOT RALLY_SYSROOT)
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--allow-shlib-undefined")
endif()

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
