# The BMP reader of the GDI area (and the class library's use of it) under libFuzzer.
derazodo_fuzzer(bmp_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/bmp_fuzz.cpp DEPS lib_media platform_gdi)
