# The screenshot program of the documentation; scripts/screenshots.sh runs it under Xvfb.
add_executable(shots ${CMAKE_SOURCE_DIR}/tools/shots/shots.cpp $<TARGET_OBJECTS:plimsar_resources>)
target_compile_options(shots PRIVATE ${PLIMSAR_CHARSET_FLAGS} ${PLIMSAR_WARNINGS})
target_link_libraries(shots PRIVATE plimsar_core)
target_link_options(shots PRIVATE -static)
add_dependencies(shots standin)
