# The artwork test reads the pictures the build has just drawn, so it runs
# after the artwork target and is told where that target put them.
add_executable(test_artwork ${CMAKE_CURRENT_LIST_DIR}/test_artwork.cpp
    ${PROJECT_SOURCE_DIR}/src/common/ballmark.cpp ${PROJECT_SOURCE_DIR}/src/common/picture.cpp)
target_include_directories(test_artwork PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(test_artwork PRIVATE Qt6::Gui Qt6::Test)
target_compile_definitions(test_artwork PRIVATE FARBRIX_ARTWORK_DIR_FOR_TESTS="${FARBRIX_ARTWORK_DIR}")
add_dependencies(test_artwork artwork)
add_test(NAME artwork COMMAND test_artwork)
set_tests_properties(artwork PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
