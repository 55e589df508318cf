list(APPEND PURE_SOURCES
  common/cp932.cpp
  common/dpi_scale.cpp
  common/help_address.cpp)
list(APPEND WIN_SOURCES
  common/app_state.cpp
  common/code_page.cpp
  common/dpi.cpp
  common/help.cpp
  common/lazy_proc.cpp
  common/modal.cpp)
