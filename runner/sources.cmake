list(APPEND PURE_SOURCES
  runner/status_format.cpp)
list(APPEND WIN_SOURCES
  runner/run.cpp
  runner/status_texts.cpp)
