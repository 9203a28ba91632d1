# The compile and link options of this build (qbx_options) and, with them,
# the include path of the source root (qbx_build), as interface targets that
# each target links.
add_library(qbx_options INTERFACE)
target_compile_options(qbx_options INTERFACE $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Wno-unused-parameter>)
if(QBX_WINDOWS)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    # SSE2 math: faster than x87 and free of its denormal stalls.
    target_compile_options(qbx_options INTERFACE $<$<COMPILE_LANGUAGE:C,CXX>:-msse2 -mfpmath=sse>)
  endif()
  # MinGW's own printf: exact decimal conversion, the same as the host C library.
  target_compile_definitions(qbx_options INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 __USE_MINGW_ANSI_STDIO=1)
  # No MinGW runtime DLL may be needed beside the binaries.
  target_link_options(qbx_options INTERFACE -static-libgcc -static-libstdc++ -static)
else()
  option(QBX_SANITIZE "Build host code with address and undefined-behaviour sanitizers" ON)
  if(QBX_SANITIZE)
    target_compile_options(qbx_options INTERFACE
      -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(qbx_options INTERFACE -fsanitize=address,undefined)
  endif()
endif()

add_library(qbx_build INTERFACE)
target_include_directories(qbx_build INTERFACE ${CMAKE_SOURCE_DIR})
target_link_libraries(qbx_build INTERFACE qbx_options)
