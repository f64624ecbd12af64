# The campaign file reader: directory, record and embedded maps.
derazodo_fuzzer(campaign_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/campaign_fuzz.cpp DEPS state)
