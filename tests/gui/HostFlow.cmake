# The main job in the host window, on a copy of the sample library: open the
# drawing, "load from standards" on the selected (first) macro, save; the
# saved drawing holds the sheet's results. Run with -DHOST= -DXVFB_RUN=
# -DLIBRARY= -DWORK= -DSHOT=.
file(REMOVE_RECURSE ${WORK})
file(COPY ${LIBRARY}/ DESTINATION ${WORK}/library)
set(ENV{XDG_CONFIG_HOME} ${WORK}/config)
execute_process(
  COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x1024x24" ${HOST} --library ${WORK}/library --gui
          --drawing ${WORK}/library/Macros/Connections.json --command LOADSTANDARDS
          --command SAVE --screenshot ${SHOT}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the host window ended with ${rc}")
endif()
file(READ ${WORK}/library/Macros/Connections.json drawing)
string(JSON macro GET "${drawing}" macros 0 name)
string(JSON module GET "${drawing}" macros 0 modules 0 name)
string(JSON variable GET "${drawing}" macros 0 modules 0 variables 0 name)
string(JSON value GET "${drawing}" macros 0 modules 0 variables 0 value)
# EndPlate gives an IPE300 beam a 15 mm plate (the sample has 12 before the run).
if(NOT macro STREQUAL "EP-101" OR NOT module STREQUAL "EndPlate" OR NOT variable STREQUAL "Thickness"
   OR NOT value EQUAL 15)
  message(FATAL_ERROR "saved ${macro} ${module}.${variable} = ${value}, expected EP-101 EndPlate.Thickness = 15")
endif()
