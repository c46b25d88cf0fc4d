# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
# Packaging: the Debian package built from a copy of the tree into packages/
# in this build folder and checked by lintian, and the launcher run from an
# installation into a scratch prefix.
set(packaging_test ${FARBRIX_E2E_PYTHON} -B ${CMAKE_CURRENT_LIST_DIR}/packaging/test_packaging.py)
add_test(NAME package COMMAND ${packaging_test} package ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/packages)
add_test(NAME launcher COMMAND ${packaging_test} launcher ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR})
set_tests_properties(package launcher PROPERTIES LABELS package TIMEOUT 1200 SKIP_RETURN_CODE 77)
# The package build keeps both cores busy for minutes, and the e2e tests wait a fixed time for each window:
# never both at once.
set_tests_properties(package e2e_play e2e_screen PROPERTIES RESOURCE_LOCK busy_cores)
