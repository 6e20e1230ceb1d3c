# Target helpers shared by every folder.
#
# A library takes every .cpp of its own folder (not of its subfolders), so a folder is a library and a
# qt/ subfolder is the Qt library on top of it. A large subsystem keeps its files in rooms: subfolders
# named by ROOMS whose files join the folder's library (a room's qt/ joins the Qt library). Sources are
# globbed with CONFIGURE_DEPENDS: adding a file to a folder needs no edit of a shared list.

set(QX_SOURCE_ROOT ${PROJECT_SOURCE_DIR}/src)
set_property(GLOBAL PROPERTY QX_CORE_TEST_TARGETS "")

# qx_room_globs(<var> <patterns> <rooms>) -- the glob patterns of this folder and of its rooms: in a qt/
# folder, each room's qt/ beside it (<subsystem>/<room>/qt/), else each room (<subsystem>/<room>/).
function(qx_room_globs var patterns rooms)
  get_filename_component(here ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(dirs ${CMAKE_CURRENT_SOURCE_DIR})
  foreach(room ${rooms})
    if(here STREQUAL "qt")
      list(APPEND dirs ${CMAKE_CURRENT_SOURCE_DIR}/../${room}/qt)
    else()
      list(APPEND dirs ${CMAKE_CURRENT_SOURCE_DIR}/${room})
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

# qx_core_library(<name> [DEPENDS <libs>...] [ROOMS <subfolders>...]) -- a Qt-free library; links only the
# standard library.
function(qx_core_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;ROOMS" ${ARGN})
  qx_room_globs(globs "*.cpp" "${ARG_ROOMS}")
  file(GLOB sources CONFIGURE_DEPENDS ${globs})
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${QX_SOURCE_ROOT})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
endfunction()

# qx_qt_library(<name> [DEPENDS <libs>...] [ROOMS <subfolders>...]) -- a library of a qt/ folder (and of its
# rooms' qt/ folders).
function(qx_qt_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;ROOMS" ${ARGN})
  qx_room_globs(globs "*.cpp;*.h" "${ARG_ROOMS}")
  file(GLOB sources CONFIGURE_DEPENDS ${globs})
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${QX_SOURCE_ROOT})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} Qt6::Widgets Qt6::Gui Qt6::Core)
endfunction()

# qx_core_test(<name> LIBS <libs>... [ROOMS <subfolders>...]) -- a test program over Qt-free libraries; every
# .cpp of the folder (and of its rooms).
# Its binary is checked to have no Qt among its dynamic dependencies.
function(qx_core_test name)
  cmake_parse_arguments(ARG "" "" "LIBS;SOURCES;ROOMS" ${ARGN})
  qx_room_globs(globs "*.cpp" "${ARG_ROOMS}")
  file(GLOB sources CONFIGURE_DEPENDS ${globs})
  add_executable(${name} ${sources} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} qx_test_core_main GTest::gmock)
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  target_compile_definitions(${name} PRIVATE QX_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  set_property(GLOBAL APPEND PROPERTY QX_CORE_TEST_TARGETS ${name})
endfunction()

# qx_gui_test(<name> LIBS <libs>... [ROOMS <subfolders>...]) -- a test program with a QApplication (offscreen).
function(qx_gui_test name)
  cmake_parse_arguments(ARG "" "" "LIBS;SOURCES;ROOMS" ${ARGN})
  qx_room_globs(globs "*.cpp" "${ARG_ROOMS}")
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
