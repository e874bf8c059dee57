# The module SS in layers (the order itself is written in the root
# CMakeLists.txt and explained in docs/architecture.md).
#
# Every module folder is one static library, ss_<folder>: position
# independent, hidden visibility, compiled once. SS, the tests and the
# benchmarks all link these libraries; none compiles a module source again.
# A folder's library links the libraries of the layers below it and nothing
# else, and two guards keep it so:
# - includes: before any module library compiles, cmake/CheckLayers.cmake reads
#   every module file and fails the build on an include of a folder that is not
#   below (a peer of the same layer or a layer above);
# - links: every folder's library is linked once more, whole, as a shared
#   library with --no-undefined against the layers below only, so a call into
#   a higher layer (say, through a declaration of the export header) fails
#   to link.

set(SS_MODULE_FOLDERS "")  # every folder the order names, existing or not
set(SS_MODULE_LIBS "")     # the libraries made so far, bottom first
set(SS_MODULE_RULES "")    # folder=allowed:allowed:... for the include check

# The link guard needs every symbol resolved at link time; the sanitizers'
# runtime is resolved only when a program loads, so sanitizer builds go
# without it (the order is the same in every build).
if(SS_SANITIZE OR SS_FUZZ)
  set(ss_link_guard "")
else()
  set(ss_link_guard -Wl,--no-undefined)
endif()

# ss_module_layer(folder...): the next layer up. Its folders are peers: each
# may include the layers below, never one another. A folder the order names
# before it exists (a subsystem still to come) is skipped, so it joins the
# build in its place the moment it is created.
macro(ss_module_layer)
  set(ss_below_folders ${SS_MODULE_FOLDERS})
  set(ss_below_libs ${SS_MODULE_LIBS})
  foreach(ss_dir IN ITEMS ${ARGN})
    list(APPEND SS_MODULE_FOLDERS ${ss_dir})
    list(JOIN ss_below_folders ":" ss_allowed)
    list(APPEND SS_MODULE_RULES "${ss_dir}=${ss_allowed}")
    if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/${ss_dir})
      ss_module_library(${ss_dir} "${ss_below_libs}")
      list(APPEND SS_MODULE_LIBS ss_${ss_dir})
    endif()
  endforeach()
endmacro()

function(ss_module_library dir below)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT sources)
    # Headers only, so far.
    add_library(ss_${dir} INTERFACE)
    target_link_libraries(ss_${dir} INTERFACE ${below} dcm ssgrid ssui arx ssbase)
    add_dependencies(ss_${dir} ss_layer_check)
    return()
  endif()
  add_library(ss_${dir} STATIC ${sources})
  target_link_libraries(ss_${dir} PUBLIC ${below} dcm ssgrid ssui arx ssbase)
  add_dependencies(ss_${dir} ss_layer_check)
  if(NOT ss_link_guard)
    return()
  endif()
  add_library(ss_layer_link_${dir} SHARED ${CMAKE_SOURCE_DIR}/cmake/LinkUnit.cpp)
  target_link_libraries(ss_layer_link_${dir} PRIVATE ss_${dir})
  set_target_properties(ss_layer_link_${dir} PROPERTIES
    LINK_LIBRARY_OVERRIDE "WHOLE_ARCHIVE,ss_${dir}"
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layer-check)
  target_link_options(ss_layer_link_${dir} PRIVATE ${ss_link_guard})
endfunction()

# The include guard: one rule that every module library waits for. It runs
# again whenever a module source or header changes.
function(ss_module_check_includes)
  set(files)
  foreach(dir IN LISTS SS_MODULE_FOLDERS)
    if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/${dir})
      file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
      list(APPEND files ${found})
    endif()
  endforeach()
  # Below the whole module: the core and the platform include no module folder.
  set(base core platform)
  foreach(dir IN LISTS base)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
    list(APPEND files ${found})
  endforeach()
  set(stamp ${CMAKE_BINARY_DIR}/layer-check/includes.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} "-DRULES=${SS_MODULE_RULES}"
            "-DBASE=${base}" -DSTAMP=${stamp} -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake
    DEPENDS ${files} ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake
    COMMENT "Checking the module's layer order"
    VERBATIM)
  add_custom_target(ss_layer_check DEPENDS ${stamp})
endfunction()

# ss_module_shared(NAME): the module itself, every layer linked whole (the
# libraries are archives; whole, no object is left out for want of a caller,
# and the export macro decides alone what leaves the library).
function(ss_module_shared name)
  list(JOIN SS_MODULE_LIBS "," whole)
  # Top first: each library then comes once, before the layers it needs.
  set(libs ${SS_MODULE_LIBS})
  list(REVERSE libs)
  target_link_libraries(${name} PRIVATE ${libs})
  set_target_properties(${name} PROPERTIES LINK_LIBRARY_OVERRIDE "WHOLE_ARCHIVE,${whole}")
  target_link_options(${name} PRIVATE ${ss_link_guard})
endfunction()
