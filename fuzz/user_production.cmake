# The user production-type file reader under libFuzzer.
derazodo_fuzzer(user_production_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/user_production_fuzz.cpp DEPS state)
