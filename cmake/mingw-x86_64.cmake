# The same sources as a 64-bit Windows build, for machines whose kernel can't run
# 32-bit Linux programs (so no 32-bit Wine): it runs and is tested under 64-bit Wine.
# The program reads the registry's 32-bit view explicitly, so both builds see the same entries.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TARNWICK_TRIPLE x86_64-w64-mingw32)
set(TARNWICK_WINE_NAMES wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
