# Writes a C++ source that registers the given JSON files with the dialog
# kit when the library that holds it is loaded.
# In: OUTPUT, MODULE, ROOT (for relative names), ICONS, TEMPLATES (list).
set(code "// Generated from resources/ by EmbedResources.cmake; do not edit.\n")
string(APPEND code "#include \"platform/ui/Resources.h\"\n\nnamespace {\n")
string(APPEND code "const bool registered = [] {\n")
foreach(file IN LISTS TEMPLATES)
  file(READ ${file} text)
  file(RELATIVE_PATH name ${ROOT} ${file})
  string(APPEND code "  ui::Resources::addTemplate(\"${MODULE}\", \"${name}\", R\"ssres(${text})ssres\");\n")
endforeach()
if(EXISTS ${ICONS})
  file(READ ${ICONS} text)
  file(RELATIVE_PATH name ${ROOT} ${ICONS})
  string(APPEND code "  ui::Resources::addIcons(\"${MODULE}\", \"${name}\", R\"ssres(${text})ssres\");\n")
endif()
string(APPEND code "  return true;\n}();\n}  // namespace\n")
include(${CMAKE_CURRENT_LIST_DIR}/WriteIfChanged.cmake)
write_if_changed(${OUTPUT} "${code}")
