# Readers over files far larger than the program's own: a long history, master files, MIDI, a picture.
derazodo_bench(file_bounds_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/file_bounds_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp DEPS app)
target_compile_definitions(file_bounds_bench PRIVATE DERAZODO_PROGRAM_DIR="${DERAZODO_PROGRAM_DIR}")
