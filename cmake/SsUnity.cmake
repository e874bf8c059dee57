# Unity builds (the asan preset) compile each target's sources in batches of
# eight. The files below keep file-local names (function tables, usage texts,
# test helpers) that another file of the same target keeps too, so they are
# compiled on their own. A new clash fails the asan build in CI: add the file
# here (paths from the root).
function(ss_unity_exclude target)
  list(TRANSFORM ARGN PREPEND ${CMAKE_SOURCE_DIR}/)
  set_source_files_properties(${ARGN} TARGET_DIRECTORY ${target} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()

# Files that bring a dialog's named ids into file scope (`using namespace
# dlg_...`) or name their own template id would make kTemplateId ambiguous in
# a batch: they are found in every target and compiled on their own.
function(ss_unity_exclude_dialog_ids dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY" OR type STREQUAL "UTILITY")
      continue()
    endif()
    get_target_property(source_dir ${target} SOURCE_DIR)
    get_target_property(sources ${target} SOURCES)
    foreach(source IN LISTS sources)
      cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir})
      if(source MATCHES "\\.cpp$" AND EXISTS ${source})
        file(STRINGS ${source} hits REGEX "^using namespace dlg_|^constexpr int kTemplateId")
        if(hits)
          set_source_files_properties(${source} TARGET_DIRECTORY ${target} PROPERTIES
                                      SKIP_UNITY_BUILD_INCLUSION ON)
        endif()
      endif()
    endforeach()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    ss_unity_exclude_dialog_ids(${subdir})
  endforeach()
endfunction()

if(NOT CMAKE_UNITY_BUILD)
  return()
endif()

ss_unity_exclude_dialog_ids(${CMAKE_SOURCE_DIR})

set(grid_functions Date Information Logical Lookup Math Reference Rounding Statistics Text)
list(TRANSFORM grid_functions REPLACE "(.+)" "platform/grid/functions/\\1Functions.cpp")
ss_unity_exclude(ssgrid platform/grid/export/XlsxExport.cpp platform/grid/file/NativeWriter.cpp
                 platform/grid/functions/NumberFormat.cpp platform/grid/functions/DateSerial.cpp
                 ${grid_functions})
ss_unity_exclude(csp core/cuttingstock/Optimizer.cpp)
# Xlib's macros (None, Status, Bool) would rewrite the names of any file after it.
ss_unity_exclude(ssui-wx platform/ui/wx/ScreenPixels.cpp)
ss_unity_exclude(dcm core/Nx_String.cpp)
# ss-host takes single members of the module's archives; a batch holding the
# module's timers or bitmaps would give the process a second copy of them.
ss_unity_exclude(ss_common common/ProfilingTimers.cpp common/ModuleBitmaps.cpp)
set(host_commands Calc Csp Eval Info Macro Mapping MappingCheck)
list(TRANSFORM host_commands REPLACE "(.+)" "apps/ss-host/commands/\\1.cpp")
ss_unity_exclude(sshost ${host_commands})
ss_unity_exclude(ss_spreadsheet spreadsheet/Nx_SpreadCellTypes.cpp spreadsheet/KvSSBillOutput.cpp)
ss_unity_exclude(ss_mapping mapping/KvStandardsMappingPage.cpp)
ss_unity_exclude(ss_sections sections/KvDlgEditLibSimple.cpp)
if(TARGET designer_tests)
  ss_unity_exclude(designer_tests tests/designer/OnScreenTest.cpp)
  ss_unity_exclude(grid_tests tests/grid/StructureTest.cpp tests/grid/WorksheetFunctionsTest.cpp)
  ss_unity_exclude(macrodlg_editor_tests tests/macrodlg/ProfAdvTest.cpp)
endif()
