# The BMP reader under libFuzzer.
derazodo_fuzzer(bmp_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/bmp_fuzz.cpp DEPS lib_media)
