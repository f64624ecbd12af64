# The briefing's line breaking and sub-page layouts over texts as map files carry them.
derazodo_fuzzer(briefing_text_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/briefing_text_fuzz.cpp DEPS dialogs)
