# The battle scene's battle unit data reader under libFuzzer.
derazodo_fuzzer(battle_unit_data_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/battle_unit_data_fuzz.cpp DEPS battle)
