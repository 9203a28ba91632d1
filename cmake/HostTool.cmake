# Programs of the build machine, also in the cross builds: the build-time
# generators, and the test tools that work the X desktop from outside Wine.
# qbx_host_tool(NAME SOURCE... [LIBS LIB...]) compiles them with the host C++
# compiler, linked with the named libraries (-lLIB), and sets
# QBX_HOST_TOOL_<NAME> to the program's path.
include_guard(GLOBAL)
find_program(QBX_HOST_CXX NAMES c++ g++ REQUIRED)

function(qbx_host_tool name)
  cmake_parse_arguments(PARSE_ARGV 1 tool "" "" "LIBS")
  set(sources ${tool_UNPARSED_ARGUMENTS})
  list(TRANSFORM tool_LIBS PREPEND -l OUTPUT_VARIABLE libs)
  set(program ${CMAKE_BINARY_DIR}/host-tools/${name})
  add_custom_command(
    OUTPUT ${program}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host-tools
    COMMAND ${QBX_HOST_CXX} -std=c++17 -O2 -Wall -Wextra -o ${program} ${sources} ${libs}
    DEPENDS ${sources}
    COMMENT "Building the host tool ${name}"
    VERBATIM)
  set(QBX_HOST_TOOL_${name} ${program} PARENT_SCOPE)
endfunction()
