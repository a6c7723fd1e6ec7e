# Static libpng for the target width, from Debian's source package unpacked by
# scripts/setup under build/deps. Exposes the target `png_static`.
file(GLOB JW_LIBPNG_DIR LIST_DIRECTORIES true "${JW_DEPS_DIR}/libpng1.6-*")
if(NOT JW_LIBPNG_DIR OR NOT EXISTS "${JW_LIBPNG_DIR}/png.c")
  message(FATAL_ERROR "libpng sources not found under ${JW_DEPS_DIR}: run scripts/setup")
endif()
set(JW_PNG_GENERATED "${CMAKE_BINARY_DIR}/deps/libpng")
configure_file("${JW_LIBPNG_DIR}/scripts/pnglibconf.h.prebuilt" "${JW_PNG_GENERATED}/pnglibconf.h" COPYONLY)
set(JW_PNG_SOURCES png.c pngerror.c pngget.c pngmem.c pngpread.c pngread.c pngrio.c
    pngrtran.c pngrutil.c pngset.c pngtrans.c pngwio.c pngwrite.c pngwtran.c pngwutil.c)
list(TRANSFORM JW_PNG_SOURCES PREPEND "${JW_LIBPNG_DIR}/")
add_library(png_static STATIC ${JW_PNG_SOURCES})
# libpng's files are written to be compiled one by one.
set_target_properties(png_static PROPERTIES UNITY_BUILD OFF)
target_include_directories(png_static SYSTEM PUBLIC "${JW_LIBPNG_DIR}" "${JW_PNG_GENERATED}")
target_link_libraries(png_static PUBLIC z)
set_target_properties(png_static PROPERTIES C_STANDARD 99)
target_compile_options(png_static PRIVATE -w)
