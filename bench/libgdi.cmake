# The library's drawing helpers on a screen-sized bitmap.
derazodo_bench(libgdi_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/libgdi_bench.cpp DEPS lib_media)
