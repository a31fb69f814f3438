# Helpers that keep the per-folder CMakeLists short.
#
# kontavo_library(NAME FOLDER DEPS...): one static library from every source
# file of src/FOLDER (globbed, so adding a file needs no CMake change).
function(kontavo_library name folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  if(NOT sources)
    # A subsystem with no code yet still takes part in the link graph.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
    return()
  endif()
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
  add_library(${name} STATIC ${sources} ${headers})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN} kontavo_sanitize PRIVATE kontavo_warnings)
endfunction()

# kontavo_test(NAME FOLDER DEPS...): one GoogleTest program from every
# *_test.cpp of tests/FOLDER, registered with CTest test by test.
function(kontavo_test name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} kontavo_testsupport
    GTest::gtest GTest::gmock kontavo_warnings kontavo_sanitize)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS ${folder})
endfunction()
