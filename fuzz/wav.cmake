# The wave reader under libFuzzer.
derazodo_fuzzer(wav_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/wav_fuzz.cpp DEPS lib_media)
