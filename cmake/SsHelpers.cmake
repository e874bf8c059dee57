# Shared build helpers.

# The environment of tests that are not GoogleTest programs.
set(SS_TEST_ENV "SS_TEST=1" ${SS_SANITIZER_ENV})

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

# ss_add_test(NAME SOURCES a.cpp b.cpp LIBS x y MODULE ss_f): one GoogleTest
# executable, its cases registered with CTest one by one. MODULE names module
# libraries (cmake/SsModule.cmake) to link whole, as SS links them, for tests
# that need what a folder sets up when the module loads. A test links the
# module either as the host does (SS) or as its libraries, never both: that
# would put two copies of the module's classes into one process.
function(ss_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;MODULE;PROPERTIES" ${ARGN})
  set(module_libs ${T_LIBS})
  list(FILTER module_libs INCLUDE REGEX "^ss_")
  if("SS" IN_LIST T_LIBS AND (T_MODULE OR module_libs))
    message(FATAL_ERROR "${name} links SS and the module's libraries ${T_MODULE} ${module_libs}")
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_MODULE} ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock
                                        Threads::Threads)
  if(T_MODULE)
    list(JOIN T_MODULE "," whole)
    set_target_properties(${name} PROPERTIES LINK_LIBRARY_OVERRIDE "WHOLE_ARCHIVE,${whole}")
  endif()
  target_compile_definitions(${name} PRIVATE SS_SOURCE_DIR="${CMAKE_SOURCE_DIR}" SS_BINARY_DIR="${CMAKE_BINARY_DIR}")
  # The sanitizers' options come as a launcher: the ENVIRONMENT that
  # gtest_discover_tests passes on keeps only one variable.
  if(SS_SANITIZER_ENV)
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${CMAKE_COMMAND};-E;env;${SS_SANITIZER_ENV}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "SS_TEST=1" ${T_PROPERTIES})
endfunction()
