# The map and scenario file reader under libFuzzer.
derazodo_fuzzer(map_reader_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/map_reader_fuzz.cpp DEPS state)
