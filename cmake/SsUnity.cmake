# Unity builds (the asan preset) compile each target's sources in batches of
# eight. The files below keep file-local names (function tables, usage texts,
# test helpers) that another file of the same target keeps too, so they are
# compiled on their own. A new clash fails the asan build in CI: add the file
# here (paths from the root).
function(ss_unity_exclude target)
  list(TRANSFORM ARGN PREPEND ${CMAKE_SOURCE_DIR}/)
  set_source_files_properties(${ARGN} TARGET_DIRECTORY ${target} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()

if(NOT CMAKE_UNITY_BUILD)
  return()
endif()

set(grid_functions Date Information Logical Lookup Math Reference Rounding Statistics Text)
list(TRANSFORM grid_functions REPLACE "(.+)" "platform/grid/functions/\\1Functions.cpp")
ss_unity_exclude(ssgrid platform/grid/export/XlsxExport.cpp platform/grid/file/NativeWriter.cpp
                 platform/grid/functions/NumberFormat.cpp
                 ${grid_functions})
ss_unity_exclude(csp core/cuttingstock/Optimizer.cpp)
set(host_commands Calc Csp Eval Info Macro Mapping)
list(TRANSFORM host_commands REPLACE "(.+)" "apps/ss-host/commands/\\1.cpp")
ss_unity_exclude(sshost ${host_commands})
ss_unity_exclude(ss_mapping mapping/KvStandardsMappingPage.cpp)
ss_unity_exclude(ss_sections sections/KvDlgEditLibSimple.cpp)
if(TARGET designer_tests)
  ss_unity_exclude(designer_tests tests/designer/OnScreenTest.cpp)
  ss_unity_exclude(grid_tests tests/grid/StructureTest.cpp)
  ss_unity_exclude(macrodlg_editor_tests tests/macrodlg/ProfAdvTest.cpp)
endif()
