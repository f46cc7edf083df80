# One library target per layer. Each layer publishes an include root that holds links to its
# own folders only, so "graphics/bitmap.h" resolves for graphics and the layers that link it,
# and fails to resolve for the layers below. A HEADER_ONLY layer is an interface library.
function(tembrin_layer target)
  cmake_parse_arguments(ARG "HEADER_ONLY" "" "FOLDERS;DEPS" ${ARGN})
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  set(sources)
  foreach(folder ${ARG_FOLDERS})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/src/${folder}/*.c)
    list(APPEND sources ${found})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  if(ARG_HEADER_ONLY)
    if(sources)
      message(FATAL_ERROR "${target} is header-only but holds ${sources}")
    endif()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${root})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  else()
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${root})
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  endif()
endfunction()

# A GoogleTest executable for the tests under the given folders of tests/. THREADED is a
# GoogleTest filter naming its tests that run threads: they carry the ctest label "threads",
# which the thread sanitizer's run (make tsan) selects.
function(tembrin_tests target)
  cmake_parse_arguments(ARG "" "THREADED" "DIRS;DEPS" ${ARGN})
  set(sources)
  foreach(dir ${ARG_DIRS})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    message(FATAL_ERROR "${target}: no tests in ${ARG_DIRS}")
  endif()
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
  add_executable(${target} ${sources} ${support})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${target} PRIVATE
    TEMBRIN_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    TEMBRIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    TEMBRIN_BINARY_DIR="${CMAKE_BINARY_DIR}")
  if(ARG_THREADED)
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 120 TEST_FILTER "${ARG_THREADED}"
                         PROPERTIES TIMEOUT 300 LABELS threads)
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 120 TEST_FILTER "-${ARG_THREADED}"
                         PROPERTIES TIMEOUT 300)
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 120 PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# Writes what every library and program target of the given source folders links directly,
# one target a line: its name, a tab, and its link libraries separated by spaces. The tests
# check the documented layer table and the layering rules against it.
function(tembrin_write_link_table file)
  set(lines)
  foreach(dir ${ARGN})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
      elseif(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|EXECUTABLE)$")
        get_target_property(links ${target} LINK_LIBRARIES)
      else()
        continue()
      endif()
      if(NOT links)
        set(links)
      endif()
      list(JOIN links " " joined)
      list(APPEND lines "${target}\t${joined}")
    endforeach()
  endforeach()
  list(JOIN lines "\n" text)
  file(WRITE ${file} "${text}\n")
endfunction()
