# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
# Packaging: an installation into a scratch prefix holds what it should, its
# desktop entry and AppStream data validate, and its launcher prepares the
# play folder; CPack builds a Debian package (into packages/ in this build
# folder) that holds the same. A missing tool skips a test (77).
set(package_dir ${CMAKE_BINARY_DIR}/packages)

if(NOT FARBRIX_E2E_PYTHON)
    return()
endif()

set(packaging_env "FARBRIX_CMAKE=${CMAKE_COMMAND}" "FARBRIX_BUILD_DIR=${CMAKE_BINARY_DIR}" "FARBRIX_PACKAGE_DIR=${package_dir}"
    "FARBRIX_ARTWORK_DIR=${FARBRIX_ARTWORK_DIR}")

add_test(NAME install_tree COMMAND ${FARBRIX_E2E_PYTHON} -B ${CMAKE_CURRENT_LIST_DIR}/packaging/test_packaging.py)
set_tests_properties(install_tree PROPERTIES LABELS package TIMEOUT 180 ENVIRONMENT "${packaging_env}")
# dpkg-shlibdeps (from dpkg-dev) finds the libraries the package depends on.
add_test(NAME deb_build COMMAND sh -c "command -v dpkg-shlibdeps >/dev/null || exit 77; rm -rf \"$2\" && exec \"$1\" -G DEB -B \"$2\""
         sh ${CMAKE_CPACK_COMMAND} ${package_dir} WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(deb_build PROPERTIES LABELS package TIMEOUT 300 SKIP_RETURN_CODE 77 FIXTURES_SETUP deb)
add_test(NAME deb_package COMMAND ${FARBRIX_E2E_PYTHON} -B ${CMAKE_CURRENT_LIST_DIR}/packaging/test_packaging.py deb)
set_tests_properties(deb_package PROPERTIES LABELS package TIMEOUT 180 FIXTURES_REQUIRED deb ENVIRONMENT "${packaging_env}")
