# Copies SRC to DST only when DST does not exist yet: the settings file in the app folder is
# the user's data and a rebuild must not overwrite it.
if(NOT EXISTS "${DST}")
  configure_file("${SRC}" "${DST}" COPYONLY)
endif()
