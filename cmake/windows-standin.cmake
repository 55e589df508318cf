# The stand-in program the tests launch in place of a viewer or the browser,
# built next to the test programs.
add_executable(standin WIN32 ${CMAKE_SOURCE_DIR}/tests/standin/standin.cpp)
target_compile_options(standin PRIVATE ${PLIMSAR_CHARSET_FLAGS} ${PLIMSAR_WARNINGS})
target_link_options(standin PRIVATE -static)
set_target_properties(standin PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
foreach(user win_runner win_app bench_runner bench_peer shots)
  if(TARGET ${user})
    add_dependencies(${user} standin)
  endif()
endforeach()
