# What screen readers get, both through the AT-SPI bridge of a private X server and session bus
# that test_atspi.py starts (pyatspi lives with Debian's own /usr/bin/python3): the events the
# game sends, recorded in-process, and a whole game won by ear.
find_program(FARBRIX_ATSPI_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
qt_add_executable(test_accessibility test_accessibility.cpp)
target_link_libraries(test_accessibility PRIVATE farbrix_testsupport)
set(atspi ${FARBRIX_ATSPI_PYTHON} -B ${CMAKE_CURRENT_LIST_DIR}/e2e/test_atspi.py)
add_test(NAME accessibility COMMAND ${atspi} $<TARGET_FILE:test_accessibility>)
add_test(NAME e2e_atspi COMMAND ${atspi})
set_tests_properties(accessibility e2e_atspi PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 240 ENVIRONMENT
    "${FARBRIX_TEST_ENV};FARBRIX_BINARY=$<TARGET_FILE:farbrix>;FARBRIX_ARTWORK_DIR=${FARBRIX_ARTWORK_DIR}")
set_tests_properties(e2e_atspi PROPERTIES LABELS e2e)
