# Packaging: the desktop entry and the AppStream data validate; an
# installation into a scratch prefix holds what it should and its launcher
# prepares the play folder; CPack builds a Debian package that holds the same
# (into packages/ in this build folder). Labelled "package". A machine
# without a tool a test needs reports the test as skipped (exit code 77).

set(packaging_tests ${CMAKE_CURRENT_LIST_DIR}/packaging)
set(package_dir ${CMAKE_BINARY_DIR}/packages)

add_test(NAME desktop_entry
         COMMAND sh -c "command -v desktop-file-validate >/dev/null || exit 77; desktop-file-validate \"$1\""
                 sh ${PROJECT_SOURCE_DIR}/packaging/farbrix.desktop)
# It prints nothing for a clean file, and exits 0 after mere warnings.
set_tests_properties(desktop_entry PROPERTIES LABELS package SKIP_RETURN_CODE 77 FAIL_REGULAR_EXPRESSION ".")

add_test(NAME appstream_metainfo
         COMMAND sh -c "command -v appstreamcli >/dev/null || exit 77; appstreamcli validate --no-net --strict --pedantic \"$1\""
                 sh ${CMAKE_BINARY_DIR}/packaging/org.example.kugelwerkstatt.farbrix.metainfo.xml)
set_tests_properties(appstream_metainfo PROPERTIES LABELS package SKIP_RETURN_CODE 77)

if(NOT FARBRIX_E2E_PYTHON)
    return()
endif()

# The build's list of ring pictures, for the tests to know what to expect.
list(TRANSFORM FARBRIX_RING_PICTURES REPLACE "^.*/" "" OUTPUT_VARIABLE ring_picture_names)
string(JOIN "\n" ring_picture_list ${ring_picture_names})
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/ring-pictures.txt "${ring_picture_list}\n")

set(packaging_env
    "FARBRIX_CMAKE=${CMAKE_COMMAND}"
    "FARBRIX_BUILD_DIR=${CMAKE_BINARY_DIR}"
    "FARBRIX_RING_PICTURE_LIST=${CMAKE_CURRENT_BINARY_DIR}/ring-pictures.txt"
    "FARBRIX_PACKAGE_DIR=${package_dir}"
    "FARBRIX_VERSION=${PROJECT_VERSION}"
    "PYTHONDONTWRITEBYTECODE=1"
)

add_test(NAME install_tree COMMAND ${FARBRIX_E2E_PYTHON} -B ${packaging_tests}/test_install.py)
set_tests_properties(install_tree PROPERTIES
    LABELS package TIMEOUT 180 SKIP_RETURN_CODE 77 ENVIRONMENT "${packaging_env}")

# dpkg-shlibdeps (from dpkg-dev) finds the libraries the package depends on.
add_test(NAME deb_build
         COMMAND sh -c "command -v dpkg-shlibdeps >/dev/null || exit 77; rm -rf \"$2\" && exec \"$1\" -G DEB -B \"$2\""
                 sh ${CMAKE_CPACK_COMMAND} ${package_dir}
         WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(deb_build PROPERTIES
    LABELS package TIMEOUT 300 SKIP_RETURN_CODE 77 FIXTURES_SETUP deb)
add_test(NAME deb_package COMMAND ${FARBRIX_E2E_PYTHON} -B ${packaging_tests}/test_deb.py)
set_tests_properties(deb_package PROPERTIES
    LABELS package TIMEOUT 180 SKIP_RETURN_CODE 77 FIXTURES_REQUIRED deb ENVIRONMENT "${packaging_env}")

# The installed game in a private X session, started by the desktop entry's
# command; see tests/e2e.
add_test(NAME e2e_installed
         COMMAND ${FARBRIX_E2E_PYTHON} -B ${CMAKE_CURRENT_LIST_DIR}/e2e/test_installed.py
         WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
set_tests_properties(e2e_installed PROPERTIES
    LABELS "e2e;package" TIMEOUT 240 SKIP_RETURN_CODE 77
    ENVIRONMENT "${packaging_env};FARBRIX_E2E_ARTIFACTS=${CMAKE_CURRENT_BINARY_DIR}/e2e-artifacts")
