# The battle scene's sprite reader under libFuzzer.
derazodo_fuzzer(sprite_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/sprite_fuzz.cpp DEPS battle)
