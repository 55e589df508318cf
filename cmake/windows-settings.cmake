# The settings tests apply new options during a run of the runner's stand-in.
if(TARGET win_settings)
  add_dependencies(win_settings standin)
endif()
