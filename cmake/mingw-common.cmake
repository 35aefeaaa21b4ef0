# Shared part of the mingw-w64 cross toolchains; TARNWICK_TRIPLE names the target.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${TARNWICK_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARNWICK_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TARNWICK_TRIPLE}-windres)

# Reproducible: one commit gives the same exe bytes in any folder (no folder path in what
# is compiled, no time of the build in an object or the exe). Here rather than in the
# project, so the libraries built with this toolchain (libjpeg-turbo) get them too.
foreach(lang C CXX)
  set(CMAKE_${lang}_FLAGS_INIT "-ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=.")
endforeach()
set(CMAKE_EXE_LINKER_FLAGS_INIT -Wl,--no-insert-timestamp)
set(CMAKE_ASM_NASM_FLAGS_INIT --reproducible)  # no assembly time in libjpeg-turbo's SIMD objects

set(CMAKE_FIND_ROOT_PATH /usr/${TARNWICK_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests and benchmarks are Windows programs: CTest runs them through Wine.
find_program(TARNWICK_WINE NAMES ${TARNWICK_WINE_NAMES} PATHS /usr/lib/wine /opt/wine-stable/bin NO_CACHE)
if(NOT TARNWICK_WINE)
  message(FATAL_ERROR "Wine (${TARNWICK_WINE_NAMES}) was not found: the Windows tests run under it. "
                      "Run scripts/install-deps as root, or install Debian's wine, wine32:i386 and wine64.")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${TARNWICK_WINE})
