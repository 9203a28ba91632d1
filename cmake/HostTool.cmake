# Build-time generators run on the build machine, also in the cross builds:
# qbx_host_tool(NAME SOURCE...) compiles them with the host C++ compiler and
# sets QBX_HOST_TOOL_<NAME> to the program's path.
find_program(QBX_HOST_CXX NAMES c++ g++ REQUIRED)

function(qbx_host_tool name)
  set(sources ${ARGN})
  set(program ${CMAKE_BINARY_DIR}/host-tools/${name})
  add_custom_command(
    OUTPUT ${program}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host-tools
    COMMAND ${QBX_HOST_CXX} -std=c++17 -O2 -Wall -Wextra -o ${program} ${sources}
    DEPENDS ${sources}
    COMMENT "Building the host tool ${name}"
    VERBATIM)
  set(QBX_HOST_TOOL_${name} ${program} PARENT_SCOPE)
endfunction()
