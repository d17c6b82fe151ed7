# Every C++ file of the project stands as the project's .clang-format lays it out.
file(GLOB_RECURSE sources CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/model/*.cpp ${PROJECT_SOURCE_DIR}/model/*.h
  ${PROJECT_SOURCE_DIR}/platform/*.cpp ${PROJECT_SOURCE_DIR}/platform/*.h
  ${PROJECT_SOURCE_DIR}/ui/*.cpp ${PROJECT_SOURCE_DIR}/ui/*.h
  ${PROJECT_SOURCE_DIR}/app/*.cpp ${PROJECT_SOURCE_DIR}/app/*.h
  ${PROJECT_SOURCE_DIR}/res/*.cpp ${PROJECT_SOURCE_DIR}/res/*.h
  ${PROJECT_SOURCE_DIR}/bench/*.cpp ${PROJECT_SOURCE_DIR}/bench/*.h
  ${PROJECT_SOURCE_DIR}/tools/*.cpp ${PROJECT_SOURCE_DIR}/tools/*.h
  ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h)
find_program(PELTO5_CLANG_FORMAT NAMES clang-format clang-format-14)
if(PELTO5_CLANG_FORMAT)
  add_test(NAME format_check COMMAND ${PELTO5_CLANG_FORMAT} --dry-run -Werror ${sources})
else()
  message(STATUS "clang-format not found: the format check does not run")
endif()
