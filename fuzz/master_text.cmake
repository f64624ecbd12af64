# The master text loaders (land, weapons, unit types, rules, anthems) under libFuzzer.
derazodo_fuzzer(master_text_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/master_text_fuzz.cpp DEPS state platform)
