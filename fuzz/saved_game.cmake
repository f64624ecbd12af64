# The saved-game reader and the file dialogs' preview reader.
derazodo_fuzzer(saved_game_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/saved_game_fuzz.cpp DEPS state)
