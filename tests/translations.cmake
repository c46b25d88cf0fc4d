# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
# lupdate over the code into a copy of each translation, as update_translations runs it: a copy that comes
# out different (a text added, changed or gone) or holds an unfinished message fails.
execute_process(COMMAND ${CMAKE_COMMAND} -DIN_FILE=${PROJECT} -DOUT_FILE=${WORK}.json -P ${GENERATOR})
foreach(ts IN LISTS TS_FILES)
    configure_file(${ts} ${WORK}.ts COPYONLY)
    execute_process(COMMAND ${LUPDATE} -project ${WORK}.json ${OPTIONS} -ts ${WORK}.ts COMMAND_ERROR_IS_FATAL ANY)
    file(READ ${WORK}.ts updated)
    file(READ ${ts} kept)
    if(NOT updated STREQUAL kept OR updated MATCHES "type=\"unfinished\"")
        execute_process(COMMAND diff -u ${ts} ${WORK}.ts)
        message(SEND_ERROR "${ts} is behind the code: build the target update_translations, then translate "
                           "what is unfinished (Qt Linguist).")
    endif()
endforeach()
