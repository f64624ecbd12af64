# The battle scene's scene shape reader under libFuzzer.
derazodo_fuzzer(scene_shape_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/scene_shape_fuzz.cpp DEPS battle)
