# Shared build helpers.

# Every target includes from the project root: #include "core/Nx_String.h".
include_directories(${CMAKE_SOURCE_DIR})

# ss_glob_sources(VAR dir...): the .cpp files directly in each folder.
function(ss_glob_sources var)
  set(all)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND all ${found})
  endforeach()
  set(${var} ${all} PARENT_SCOPE)
endfunction()

# ss_add_test(NAME SOURCES a.cpp b.cpp LIBS x y): one GoogleTest executable,
# its cases registered with CTest one by one.
function(ss_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock Threads::Threads)
  target_compile_definitions(${name} PRIVATE SS_SOURCE_DIR="${CMAKE_SOURCE_DIR}" SS_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "SS_TEST=1" ${T_PROPERTIES})
endfunction()
