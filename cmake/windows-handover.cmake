# The handover tests start the tool itself a second time and run the stand-in.
if(TARGET win_handover)
  add_dependencies(win_handover plimsar standin)
endif()
