# The ini file reader behind the profile functions.
derazodo_fuzzer(ini_document_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ini_document_fuzz.cpp DEPS platform)
