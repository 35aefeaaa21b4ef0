# The product: 32-bit Tarnwick.exe. Its tests run under Debian's 32-bit Wine, which
# needs a kernel that runs 32-bit Linux programs.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TARNWICK_TRIPLE i686-w64-mingw32)
set(TARNWICK_WINE_NAMES wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
