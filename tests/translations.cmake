# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
# Runs lupdate over the game's code into copies of the translations, as the
# target update_translations would, and fails where a copy comes out different
# (a text added, changed or gone) or holds an unfinished message.
#   cmake -DPROJECT=<lupdate project .cmake> -DGENERATOR=<GenerateLUpdateProject.cmake>
#         -DLUPDATE=<lupdate> -DOPTIONS=<options> -DWORK=<scratch folder> -P translations.cmake
include(${PROJECT}) # lupdate_project_file, lupdate_sources, lupdate_include_paths, lupdate_translations
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(copies "")
foreach(ts IN LISTS lupdate_translations)
    get_filename_component(name ${ts} NAME)
    file(COPY_FILE ${ts} ${WORK}/${name})
    list(APPEND copies ${WORK}/${name})
endforeach()
file(WRITE ${WORK}/project.cmake "set(lupdate_project_file \"${lupdate_project_file}\")
set(lupdate_include_paths \"${lupdate_include_paths}\")
set(lupdate_sources \"${lupdate_sources}\")
set(lupdate_translations \"${copies}\")
")
execute_process(COMMAND ${CMAKE_COMMAND} -DIN_FILE=${WORK}/project.cmake -DOUT_FILE=${WORK}/project.json
                        -P ${GENERATOR} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${LUPDATE} -project ${WORK}/project.json ${OPTIONS} COMMAND_ERROR_IS_FATAL ANY)

set(stale "")
foreach(ts IN LISTS lupdate_translations)
    get_filename_component(name ${ts} NAME)
    file(READ ${WORK}/${name} updated)
    file(READ ${ts} kept)
    string(REGEX MATCHALL "type=\"unfinished\"" unfinished "${updated}")
    list(LENGTH unfinished count)
    if(NOT updated STREQUAL kept OR count GREATER 0)
        execute_process(COMMAND diff -u ${ts} ${WORK}/${name})
        list(APPEND stale "${name} (${count} unfinished)")
    endif()
endforeach()
if(stale)
    message(FATAL_ERROR "Not up to date with the code: ${stale}. Run `cmake --build <build folder> "
                        "--target update_translations`, then translate what is unfinished (Qt Linguist).")
endif()
