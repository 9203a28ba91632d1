# 32-bit Windows (i686): the build that ships.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QBX_TRIPLE i686-w64-mingw32)
set(QBX_DEFAULT_WINE /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
