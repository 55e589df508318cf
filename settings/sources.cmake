list(APPEND PURE_SOURCES
  settings/lenient_number.cpp
  settings/settings_codec.cpp
  settings/settings_form.cpp
  settings/settings_lock.cpp)
list(APPEND WIN_SOURCES
  settings/settings_dialog.cpp
  settings/settings_file.cpp)
