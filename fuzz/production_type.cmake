# The production-type file reader under libFuzzer.
derazodo_fuzzer(production_type_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/production_type_fuzz.cpp DEPS state)
