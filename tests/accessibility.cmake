# Included from tests/CMakeLists.txt.
