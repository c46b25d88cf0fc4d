# Packaging: the desktop entry and the AppStream data validate; an
# installation into a scratch prefix holds what it should and its launcher
# prepares the play folder; CPack builds a Debian package (into packages/ in
# this build folder) that holds the same. A missing tool skips a test (77).
set(package_dir ${CMAKE_BINARY_DIR}/packages)

add_test(NAME desktop_entry COMMAND sh -c "command -v desktop-file-validate >/dev/null || exit 77; desktop-file-validate \"$1\""
         sh ${PROJECT_SOURCE_DIR}/packaging/farbrix.desktop)
# It prints nothing for a clean file, and exits 0 after mere warnings.
set_tests_properties(desktop_entry PROPERTIES LABELS package SKIP_RETURN_CODE 77 FAIL_REGULAR_EXPRESSION ".")
add_test(NAME appstream_metainfo COMMAND sh -c "command -v appstreamcli >/dev/null || exit 77; appstreamcli validate --no-net --strict --pedantic \"$1\""
         sh ${CMAKE_BINARY_DIR}/packaging/org.example.kugelwerkstatt.farbrix.metainfo.xml)
set_tests_properties(appstream_metainfo PROPERTIES LABELS package SKIP_RETURN_CODE 77)
if(NOT FARBRIX_E2E_PYTHON)
    return()
endif()

list(TRANSFORM FARBRIX_RING_PICTURES REPLACE "^.*/" "" OUTPUT_VARIABLE ring_picture_names)
string(JOIN "\n" ring_picture_list ${ring_picture_names})
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/ring-pictures.txt "${ring_picture_list}\n")
set(packaging_env "FARBRIX_CMAKE=${CMAKE_COMMAND}" "FARBRIX_BUILD_DIR=${CMAKE_BINARY_DIR}" "FARBRIX_PACKAGE_DIR=${package_dir}"
    "FARBRIX_RING_PICTURE_LIST=${CMAKE_CURRENT_BINARY_DIR}/ring-pictures.txt")

add_test(NAME install_tree COMMAND ${FARBRIX_E2E_PYTHON} -B ${CMAKE_CURRENT_LIST_DIR}/packaging/test_packaging.py)
set_tests_properties(install_tree PROPERTIES LABELS package TIMEOUT 180 ENVIRONMENT "${packaging_env}")
# dpkg-shlibdeps (from dpkg-dev) finds the libraries the package depends on.
add_test(NAME deb_build COMMAND sh -c "command -v dpkg-shlibdeps >/dev/null || exit 77; rm -rf \"$2\" && exec \"$1\" -G DEB -B \"$2\""
         sh ${CMAKE_CPACK_COMMAND} ${package_dir} WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(deb_build PROPERTIES LABELS package TIMEOUT 300 SKIP_RETURN_CODE 77 FIXTURES_SETUP deb)
add_test(NAME deb_package COMMAND ${FARBRIX_E2E_PYTHON} -B ${CMAKE_CURRENT_LIST_DIR}/packaging/test_packaging.py deb)
set_tests_properties(deb_package PROPERTIES LABELS package TIMEOUT 180 FIXTURES_REQUIRED deb ENVIRONMENT "${packaging_env}")
