# Shared part of the MinGW-w64 cross toolchains; QBX_TRIPLE names the target.
# The posix thread model gives std::thread and std::mutex; its winpthread is
# linked statically, so the binaries need no MinGW runtime DLL.
set(CMAKE_SYSTEM_NAME Windows)

find_program(CMAKE_C_COMPILER NAMES ${QBX_TRIPLE}-gcc-posix ${QBX_TRIPLE}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${QBX_TRIPLE}-g++-posix ${QBX_TRIPLE}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${QBX_TRIPLE}-windres REQUIRED)
find_program(QBX_OBJDUMP NAMES ${QBX_TRIPLE}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${QBX_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests and tools built for Windows run under Wine; the test bed exports
# QBX_WINE, the loader that matches this target on this machine.
if(DEFINED ENV{QBX_WINE})
  set(CMAKE_CROSSCOMPILING_EMULATOR $ENV{QBX_WINE})
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QBX_DEFAULT_WINE})
endif()
