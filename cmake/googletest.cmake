# GoogleTest, cross-compiled from the sources Debian's googletest package installs.
set(JW_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${JW_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/deps/googletest EXCLUDE_FROM_ALL SYSTEM)
