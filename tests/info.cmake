# Included from tests/CMakeLists.txt.
farbrix_add_test(info test_info.cpp)
target_compile_definitions(test_info PRIVATE FARBRIX_TEST_DATA="${CMAKE_CURRENT_LIST_DIR}/data")
