# The troop list with eight countries of 1,000 units: each column sorted, the window opened.
derazodo_bench(troop_list_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/troop_list_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp DEPS app)
target_compile_definitions(troop_list_bench PRIVATE DERAZODO_PROGRAM_DIR="${DERAZODO_PROGRAM_DIR}")
