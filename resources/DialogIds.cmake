# Writes the header of named ids of one dialog template: the template id and
# name, and a constant for every item that carries a "name", so that
# controllers and tests never spell an item id as a bare number.
# In: TEMPLATE (the JSON file), OUTPUT (the header), ROOT (for relative names).
#
#   resources/dialogs/DLG_GRID.json -> #include "resources/dialogs/DLG_GRID.h"
#   namespace dlg_grid { kTemplateId, kTemplateName, IDC_FIRST_COUNT, ... }
#
# A name must be IDC_ and capitals, digits or "_", once per template, on an
# item with a whole-number id; anything else stops the build with the file
# and the item, as a misspelt template field stops the dialog kit.
cmake_minimum_required(VERSION 3.25)
file(READ ${TEMPLATE} text)
file(RELATIVE_PATH source ${ROOT} ${TEMPLATE})
get_filename_component(base ${TEMPLATE} NAME_WE)
string(TOLOWER ${base} space)
if(NOT space MATCHES "^[a-z][a-z0-9_]*$")
  message(FATAL_ERROR "${source}: the file name makes no C++ name")
endif()

function(field out object key)
  string(JSON value ERROR_VARIABLE error GET "${object}" ${key})
  if(error)
    set(value "")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

string(JSON kind ERROR_VARIABLE error TYPE "${text}")
if(error OR NOT kind STREQUAL "OBJECT")
  message(FATAL_ERROR "${source}: not a JSON object")
endif()
field(id "${text}" id)
if(NOT id MATCHES "^[0-9]+$")
  message(FATAL_ERROR "${source}: \"id\" must be a whole number")
endif()
field(name "${text}" name)

set(code "// Generated from ${source} by resources/DialogIds.cmake; do not edit.\n")
string(APPEND code "#pragma once\n\n// The named items of dialog template ${id}.\nnamespace ${space} {\n")
string(APPEND code "inline constexpr int kTemplateId = ${id};\n")
if(NOT name STREQUAL "")
  string(APPEND code "inline constexpr const char* kTemplateName = \"${name}\";\n")
endif()

string(JSON count ERROR_VARIABLE error LENGTH "${text}" items)
if(error)
  set(count 0)
endif()
set(seen)
if(count GREATER 0)
  math(EXPR last "${count} - 1")
  foreach(i RANGE ${last})
    string(JSON item GET "${text}" items ${i})
    field(itemName "${item}" name)
    if(itemName STREQUAL "")
      continue()
    endif()
    math(EXPR n "${i} + 1")
    field(itemId "${item}" id)
    if(NOT itemName MATCHES "^IDC_[A-Z0-9_]+$")
      message(FATAL_ERROR "${source}: item ${n}: the name \"${itemName}\" is not IDC_ and capitals")
    endif()
    if(NOT itemId MATCHES "^-?[0-9]+$")
      message(FATAL_ERROR "${source}: item ${n}: ${itemName} names an item without an id")
    endif()
    if(itemName IN_LIST seen)
      message(FATAL_ERROR "${source}: item ${n}: the name ${itemName} is used twice")
    endif()
    list(APPEND seen ${itemName})
    field(type "${item}" type)
    field(label "${item}" text)
    set(about "${type}")
    if(NOT label STREQUAL "")
      string(REPLACE "\\" "\\\\" label "${label}")
      string(APPEND about " \"${label}\"")
    endif()
    string(APPEND code "inline constexpr int ${itemName} = ${itemId};  // ${about}\n")
  endforeach()
endif()
string(APPEND code "}  // namespace ${space}\n")

include(${CMAKE_CURRENT_LIST_DIR}/WriteIfChanged.cmake)
write_if_changed(${OUTPUT} "${code}")
