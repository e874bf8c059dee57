# write_if_changed(FILE TEXT) for the generator scripts: only a changed text
# touches the file, so an unchanged one rebuilds nothing.
function(write_if_changed file text)
  set(old "")
  if(EXISTS ${file})
    file(READ ${file} old)
  endif()
  if(NOT "${old}" STREQUAL "${text}")
    file(WRITE ${file} "${text}")
  endif()
endfunction()
