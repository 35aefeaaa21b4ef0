# libjpeg-turbo from Debian's source package (scripts/install-deps unpacks it under
# build/), built as a static library with its SIMD code for this build's target, with
# this build's toolchain. Only the library: none of its tools or tests.
include(ExternalProject)

if(NOT EXISTS ${TARNWICK_LIBJPEG_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "libjpeg-turbo's sources are not in ${TARNWICK_LIBJPEG_SOURCE}: "
                      "run scripts/install-deps as root.")
endif()

set(jpeg_build ${CMAKE_BINARY_DIR}/libjpeg-turbo)
set(jpeg_library ${jpeg_build}/${CMAKE_STATIC_LIBRARY_PREFIX}jpeg${CMAKE_STATIC_LIBRARY_SUFFIX})
ExternalProject_Add(libjpeg_turbo_build
  SOURCE_DIR ${TARNWICK_LIBJPEG_SOURCE}
  BINARY_DIR ${jpeg_build}
  CMAKE_ARGS
    -G ${CMAKE_GENERATOR}
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=${jpeg_build}/unused
    -DENABLE_SHARED=OFF
    -DENABLE_STATIC=ON
    -DWITH_TURBOJPEG=OFF
    -DWITH_ARITH_ENC=OFF
    -DREQUIRE_SIMD=ON
    -DCMAKE_ASM_NASM_COMPILER=nasm
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${jpeg_build} --target jpeg-static
  INSTALL_COMMAND ""
  TEST_COMMAND ""
  BUILD_BYPRODUCTS ${jpeg_library}
  LOG_CONFIGURE ON
  LOG_BUILD ON
  LOG_OUTPUT_ON_FAILURE ON)

# jconfig.h is generated in the build folder, the other headers are in the sources.
file(MAKE_DIRECTORY ${jpeg_build})
add_library(libjpeg_turbo STATIC IMPORTED GLOBAL)
set_target_properties(libjpeg_turbo PROPERTIES
  IMPORTED_LOCATION ${jpeg_library}
  INTERFACE_INCLUDE_DIRECTORIES "${TARNWICK_LIBJPEG_SOURCE};${jpeg_build}")
add_dependencies(libjpeg_turbo libjpeg_turbo_build)
