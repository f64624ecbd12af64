# The link archive reader.
derazodo_fuzzer(file_link_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/file_link_fuzz.cpp DEPS lib)
