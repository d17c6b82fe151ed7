# pelto5_add_test(<name> SOURCES <files...> LIBS <targets...> [GUI])
# Adds a GoogleTest executable run by ctest. GUI tests run under Qt's
# offscreen platform so they need no display.
find_package(GTest REQUIRED)

function(pelto5_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE PELTO5_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  if(T_GUI)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
  pelto5_private_home(${name})
endfunction()

# pelto5_private_home(<test>): the test (and every program it starts) gets a
# home and XDG folders of its own in the build tree, so that nothing it does
# reaches the user's real ones.
function(pelto5_private_home name)
  set(home "${CMAKE_CURRENT_BINARY_DIR}/${name}.home")
  file(MAKE_DIRECTORY "${home}")
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
    "HOME=${home}" "XDG_CONFIG_HOME=${home}/.config" "XDG_DATA_HOME=${home}/.local/share"
    "XDG_CACHE_HOME=${home}/.cache" "XDG_STATE_HOME=${home}/.local/state")
endfunction()
