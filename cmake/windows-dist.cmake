# The zip for Windows users: packed and unpacked by a fixture, then started under Wine.
add_test(NAME dist_pack COMMAND bash -c
  "rm -rf dist dist-unpacked && bash '${CMAKE_SOURCE_DIR}/scripts/dist.sh' . dist && unzip -q dist/*.zip -d dist-unpacked"
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(dist_pack PROPERTIES FIXTURES_SETUP dist)
if(TEST win_dist)
  set_tests_properties(win_dist PROPERTIES FIXTURES_REQUIRED dist
    ENVIRONMENT "PLIMSAR_DIST_UNPACKED=${CMAKE_BINARY_DIR}/dist-unpacked")
endif()
