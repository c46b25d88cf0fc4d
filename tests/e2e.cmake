# The game in a private X server (Xvfb with openbox), driven by real clicks and keys and
# checked on the screen's pixels; each group of flows is one X session. Without the X tools
# the tests report themselves skipped (77); a failure leaves a screenshot in this build folder.
find_program(FARBRIX_E2E_PYTHON NAMES python3)
foreach(group play screen)
    if(FARBRIX_E2E_PYTHON)
        add_test(NAME e2e_${group} COMMAND ${FARBRIX_E2E_PYTHON} -B ${CMAKE_CURRENT_LIST_DIR}/e2e/flows.py ${group})
        set_tests_properties(e2e_${group} PROPERTIES LABELS e2e TIMEOUT 300 SKIP_RETURN_CODE 77
            ENVIRONMENT "FARBRIX_BINARY=$<TARGET_FILE:farbrix>;FARBRIX_ARTWORK_DIR=${FARBRIX_ARTWORK_DIR}")
    endif()
endforeach()
