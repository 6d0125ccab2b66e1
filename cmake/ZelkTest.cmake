# zelk_add_test(NAME name SOURCES ... LIBS ...)
#
# Every test runs with a fixed locale and time zone, no display (Qt's
# offscreen platform), no drives mapped beyond the defaults (a test maps its
# own below its temporary folder), and libraries loaded by name from
# build/bin only (ZELK_LIBRARY_PATH), so nothing depends on the machine.
function(zelk_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set(tmp ${CMAKE_BINARY_DIR}/test-tmp/${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;TZ=UTC;ZELK_TEST_TMP=${tmp};ZELK_BIN=${CMAKE_BINARY_DIR}/bin;ZELK_LIBRARY_PATH=${CMAKE_BINARY_DIR}/bin;ZELK_SOURCE=${CMAKE_SOURCE_DIR};ZELK_DRIVE_C=;ZELK_DRIVE_D=;DISPLAY=;WAYLAND_DISPLAY="
    TIMEOUT 300)
endfunction()
