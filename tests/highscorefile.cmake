# Included from tests/CMakeLists.txt: the fault tests, again at twice the density (message boxes, @2x
# pictures); a pipe opened by mistake blocks until QtTest's watchdog fails the test.
qt_add_executable(test_faults test_faults.cpp)
target_link_libraries(test_faults PRIVATE farbrix_testsupport)
set(env "QT_QPA_PLATFORM=offscreen;FARBRIX_RING_DIR=${FARBRIX_ARTWORK_DIR};QTEST_FUNCTION_TIMEOUT=120000")
add_test(NAME faults COMMAND test_faults)
add_test(NAME faults_scaled COMMAND test_faults)
set_tests_properties(faults PROPERTIES ENVIRONMENT "${env}")
set_tests_properties(faults_scaled PROPERTIES ENVIRONMENT "${env};QT_SCALE_FACTOR=2")

# The fuzzer of the table reader needs clang's libFuzzer: its own small project, built at test time.
set(FARBRIX_FUZZ_SECONDS 20 CACHE STRING "How long the highscore fuzz test runs")
find_program(FARBRIX_CLANGXX NAMES clang++ clang++-14)
add_test(NAME fuzz COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/fuzz/run_fuzz.sh ${CMAKE_CURRENT_LIST_DIR}/fuzz
         ${CMAKE_CURRENT_BINARY_DIR}/fuzz_highscore ${FARBRIX_FUZZ_SECONDS} "${FARBRIX_CLANGXX}" "${Qt6_DIR}")
set_tests_properties(fuzz PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900 LABELS fuzz)
