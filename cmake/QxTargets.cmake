# Target helpers shared by every folder.
#
# A library takes every .cpp of its own folder (not of its subfolders), so a folder is a library and a
# qt/ subfolder is the Qt library on top of it. A large subsystem keeps its files in rooms: subfolders
# without a CMakeLists.txt, whose files join the folder's library (a room's qt/ joins the Qt library).
# Sources are globbed with CONFIGURE_DEPENDS: adding a file to a folder needs no edit of a shared list
# (a new room needs cmake run again).

set(QX_SOURCE_ROOT ${PROJECT_SOURCE_DIR}/src)
set_property(GLOBAL PROPERTY QX_CORE_TEST_TARGETS "")

# qx_room_globs(<var> <patterns>) -- the glob patterns of this folder and of its rooms. The rooms of a
# subsystem are its subfolders without a CMakeLists.txt of their own (qt/ and other libraries have one);
# in a qt/ folder they are the rooms' qt/ folders beside it (<subsystem>/<room>/qt/).
function(qx_room_globs var patterns)
  get_filename_component(here ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(base ${CMAKE_CURRENT_SOURCE_DIR})
  set(suffix "")
  if(here STREQUAL "qt")
    get_filename_component(base ${CMAKE_CURRENT_SOURCE_DIR} DIRECTORY)
    set(suffix /qt)
  endif()
  file(GLOB entries LIST_DIRECTORIES true ${base}/*)
  set(dirs ${CMAKE_CURRENT_SOURCE_DIR})
  foreach(entry ${entries})
    if(IS_DIRECTORY ${entry} AND NOT EXISTS ${entry}/CMakeLists.txt AND IS_DIRECTORY ${entry}${suffix})
      list(APPEND dirs ${entry}${suffix})
    endif()
  endforeach()
  set(globs "")
  foreach(dir ${dirs})
    foreach(pattern ${patterns})
      list(APPEND globs ${dir}/${pattern})
    endforeach()
  endforeach()
  set(${var} ${globs} PARENT_SCOPE)
endfunction()

# qx_core_library(<name> [DEPENDS <libs>...]) -- a Qt-free library; links only the standard library.
function(qx_core_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  qx_room_globs(globs "*.cpp")
  file(GLOB sources CONFIGURE_DEPENDS ${globs})
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${QX_SOURCE_ROOT})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
endfunction()

# qx_qt_library(<name> [DEPENDS <libs>...]) -- a library of a qt/ folder (and of its rooms' qt/ folders).
function(qx_qt_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  qx_room_globs(globs "*.cpp;*.h")
  file(GLOB sources CONFIGURE_DEPENDS ${globs})
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${QX_SOURCE_ROOT})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} Qt6::Widgets Qt6::Gui Qt6::Core)
endfunction()

# qx_core_test(<name> LIBS <libs>...) -- a test program over Qt-free libraries; every .cpp of the folder
# (and of its rooms).
# Its binary is checked to have no Qt among its dynamic dependencies.
function(qx_core_test name)
  cmake_parse_arguments(ARG "" "" "LIBS;SOURCES" ${ARGN})
  qx_room_globs(globs "*.cpp")
  file(GLOB sources CONFIGURE_DEPENDS ${globs})
  add_executable(${name} ${sources} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} qx_test_core_main GTest::gmock)
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  target_compile_definitions(${name} PRIVATE QX_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  set_property(GLOBAL APPEND PROPERTY QX_CORE_TEST_TARGETS ${name})
endfunction()

# qx_gui_test(<name> LIBS <libs>...) -- a test program with a QApplication (offscreen).
function(qx_gui_test name)
  cmake_parse_arguments(ARG "" "" "LIBS;SOURCES" ${ARGN})
  qx_room_globs(globs "*.cpp")
  file(GLOB sources CONFIGURE_DEPENDS ${globs})
  add_executable(${name} ${sources} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} qx_test_gui_main GTest::gmock Qt6::Test)
  target_compile_definitions(${name} PRIVATE QX_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# qx_add_subdirectories(<dirs>...) -- adds the folders that exist.
function(qx_add_subdirectories)
  foreach(dir ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
