# The action history block reader and its text lines.
derazodo_fuzzer(action_history_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/action_history_fuzz.cpp DEPS state)
