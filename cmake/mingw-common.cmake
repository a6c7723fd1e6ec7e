# Shared part of the two toolchain files; JW_TRIPLET names the target.
set(CMAKE_C_COMPILER   ${JW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${JW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${JW_TRIPLET}-windres)
set(JW_WIDL            ${JW_TRIPLET}-widl)
set(CMAKE_FIND_ROOT_PATH /usr/${JW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Tests and tools run under Wine through this wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
