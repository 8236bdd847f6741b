# Copies every file under SRC to the same place under DST, but only where DST has no such file
# yet: the skins in the app folder belong to the user once they are there.
file(GLOB_RECURSE stock RELATIVE "${SRC}" "${SRC}/*")
foreach(relative IN LISTS stock)
  set(target "${DST}/${relative}")
  if(NOT EXISTS "${target}")
    get_filename_component(folder "${target}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(COPY_FILE "${SRC}/${relative}" "${target}")
  endif()
endforeach()
