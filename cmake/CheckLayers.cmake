# The include guard of the module's layer order (cmake/SsModule.cmake).
# In: ROOT (the source folder), RULES (folder=allowed:allowed:... for every
# module folder, bottom first), BASE (folders below the whole module, read
# with their sub-folders), STAMP (written when every include is in order).
#
# A module file may include its own folder and the folders below its layer;
# a file of BASE may include no module folder at all. Includes are read as
# the project writes them, from the root: #include "folder/File.h".
# The folders, and the order for messages: peers joined by ", ".
cmake_policy(VERSION 3.25)

set(folders "")
set(order "")
set(previous "-")
foreach(rule IN LISTS RULES)
  string(REGEX REPLACE "=.*" "" folder "${rule}")
  string(REGEX REPLACE "^[^=]*=" "" below "${rule}")
  list(APPEND folders ${folder})
  if(below STREQUAL previous)
    string(APPEND order ", ${folder}")
  elseif(order)
    string(APPEND order " < ${folder}")
  else()
    set(order "${folder}")
  endif()
  set(previous "${below}")
endforeach()

set(faults "")
function(check_file file allowed)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
  file(RELATIVE_PATH name ${ROOT} ${file})
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*" "\\1" included "${line}")
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" header "${line}")
    if(included IN_LIST folders AND NOT included IN_LIST allowed)
      list(APPEND faults "  ${name} includes ${header}")
    endif()
  endforeach()
  set(faults ${faults} PARENT_SCOPE)
endfunction()

foreach(rule IN LISTS RULES)
  string(REGEX REPLACE "=.*" "" folder "${rule}")
  string(REGEX REPLACE "^[^=]*=" "" allowed "${rule}")
  string(REPLACE ":" ";" allowed "${allowed}")
  list(APPEND allowed ${folder})
  file(GLOB files ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.h)
  foreach(file IN LISTS files)
    check_file(${file} "${allowed}")
  endforeach()
endforeach()

foreach(base IN LISTS BASE)
  file(GLOB_RECURSE files ${ROOT}/${base}/*.cpp ${ROOT}/${base}/*.h)
  foreach(file IN LISTS files)
    check_file(${file} "")
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR
          "The module's layer order is broken: a folder includes only folders below it, "
          "never one of its own layer or above (${order}; see docs/architecture.md).\n${text}\n")
endif()
file(WRITE ${STAMP} "")
