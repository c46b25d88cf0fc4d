# End-to-end tests: the real game in a private X server (Xvfb with openbox),
# driven by real clicks and keys through xdotool and checked by screenshots.
# Each test script starts its own X server; each scenario its own game. A
# machine without the X tools reports the tests as skipped (exit code 77).
# Screenshots of failures go to e2e-artifacts in this build folder.

find_program(FARBRIX_E2E_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT FARBRIX_E2E_PYTHON)
    find_program(FARBRIX_E2E_PYTHON NAMES python3)
endif()

if(NOT FARBRIX_E2E_PYTHON)
    message(STATUS "No python3: the end-to-end tests are left out")
    return()
endif()

set(e2e_scripts ${CMAKE_CURRENT_LIST_DIR}/e2e)
set(e2e_artifacts ${CMAKE_CURRENT_BINARY_DIR}/e2e-artifacts)

foreach(group start play highscore scale)
    add_test(NAME e2e_${group}
             COMMAND ${FARBRIX_E2E_PYTHON} -B ${e2e_scripts}/test_${group}.py
             WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(e2e_${group} PROPERTIES
        LABELS e2e
        TIMEOUT 240
        SKIP_RETURN_CODE 77
        ENVIRONMENT "FARBRIX_BINARY=$<TARGET_FILE:farbrix>;FARBRIX_ARTWORK_DIR=${FARBRIX_ARTWORK_DIR};FARBRIX_E2E_ARTIFACTS=${e2e_artifacts};PYTHONDONTWRITEBYTECODE=1")
endforeach()
