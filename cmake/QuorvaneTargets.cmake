# Helpers shared by every folder: warning flags, one static library per folder,
# one test executable per test file.

# Compile options for the project's own code. Floating-point contraction is off
# everywhere because colour and gradient arithmetic must be bit-exact.
function(qv_project_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
                                           -Wno-missing-field-initializers)
  target_compile_options(${target} PUBLIC -ffp-contract=off)
endfunction()

# qv_library(NAME [DEPS lib...] [SYSTEM pkg-targets...])
# Builds every .cpp below the current folder into the static library NAME.
function(qv_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    qv_project_options(${name})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# qv_platform_layer(NAME FOLDERS folder... [DEPS lib...])
# One inner layer of the platform: the .cpp files of the named folders of
# platform/ ("." for its top-level files) in the static library NAME. Its
# headers are reachable, as "platform/...", only through an include root of
# links made for it under the build tree, which users get by linking NAME;
# nothing else of the platform is on its include path. So a source that
# includes a header of a layer it does not link (one above it) does not
# compile.
function(qv_platform_layer name)
  cmake_parse_arguments(ARG "" "" "FOLDERS;DEPS" ${ARGN})
  set(platform ${CMAKE_SOURCE_DIR}/platform)
  set(root ${CMAKE_BINARY_DIR}/platform-layers/${name})
  # Made afresh, so a header that moved to another layer leaves no link behind.
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/platform)
  set(sources "")
  foreach(folder ${ARG_FOLDERS})
    if(folder STREQUAL ".")
      file(GLOB headers CONFIGURE_DEPENDS ${platform}/*.h)
      foreach(header ${headers})
        get_filename_component(file_name ${header} NAME)
        file(CREATE_LINK ${header} ${root}/platform/${file_name} SYMBOLIC)
      endforeach()
      file(GLOB folder_sources CONFIGURE_DEPENDS ${platform}/*.cpp)
    else()
      file(CREATE_LINK ${platform}/${folder} ${root}/platform/${folder} SYMBOLIC)
      file(GLOB folder_sources CONFIGURE_DEPENDS ${platform}/${folder}/*.cpp)
    endif()
    list(APPEND sources ${folder_sources})
  endforeach()
  add_library(${name} STATIC ${sources})
  qv_project_options(${name})
  target_include_directories(${name} PUBLIC ${root})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# qv_tests(LABEL [DEPS lib...])
# Every *_test.cpp in the current folder becomes one GoogleTest executable,
# test_LABEL_<file stem>, labelled LABEL (the folder's name; platform_<folder>
# below tests/platform); files named *_display_test.cpp also carry the label "display"
# and take turns on the X server, whose one pointer they all move.
function(qv_tests label)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  foreach(src ${tests})
    get_filename_component(stem ${src} NAME_WE)
    string(REGEX REPLACE "_test$" "" short ${stem})
    set(exe test_${label}_${short})
    add_executable(${exe} ${src})
    qv_project_options(${exe})
    target_link_libraries(${exe} PRIVATE ${ARG_DEPS} qv_testsupport GTest::gtest GTest::gmock
                                         GTest::gtest_main)
    if(stem MATCHES "_display_test$")
      # Run whole, so the properties need no list escaping through discovery.
      add_test(NAME ${exe} COMMAND ${exe} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
      set_tests_properties(${exe} PROPERTIES LABELS "${label};display" RESOURCE_LOCK x_server
                                             SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
    else()
      gtest_discover_tests(${exe} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS ${label}
                           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    endif()
  endforeach()
endfunction()
