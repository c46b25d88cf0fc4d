# Included from tests/CMakeLists.txt.

farbrix_add_test(highscorefile test_highscorefile.cpp)

# The fuzzer needs clang's libFuzzer, so it is built by its own small project
# at test time, whatever compiler the main build uses.
set(FARBRIX_FUZZ_SECONDS 20 CACHE STRING "How long the highscore fuzz test runs")
find_program(FARBRIX_CLANGXX NAMES clang++ clang++-14)
if(NOT FARBRIX_CLANGXX)
    set(FARBRIX_CLANGXX "")
endif()
add_test(NAME fuzz
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/fuzz/run_fuzz.sh
        ${CMAKE_CURRENT_LIST_DIR}/fuzz
        ${CMAKE_CURRENT_BINARY_DIR}/fuzz_highscore
        ${FARBRIX_FUZZ_SECONDS}
        "${FARBRIX_CLANGXX}"
        "${Qt6_DIR}"
        ${CMAKE_COMMAND})
set_tests_properties(fuzz PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900 LABELS fuzz)
