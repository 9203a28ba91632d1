# 64-bit Windows (x86_64): the same sources, built to run the Wine tests on
# machines whose kernel cannot execute 32-bit code (no IA-32 emulation).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QBX_TRIPLE x86_64-w64-mingw32)
set(QBX_DEFAULT_WINE /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
