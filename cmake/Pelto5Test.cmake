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
endfunction()
