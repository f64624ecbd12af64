# The map view's sheet reader under libFuzzer.
derazodo_fuzzer(map_sheet_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/map_sheet_fuzz.cpp DEPS app)
