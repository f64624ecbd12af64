# Loading the largest sample map into a started game state.
derazodo_bench(map_load_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/map_load_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp DEPS app)
target_compile_definitions(map_load_bench PRIVATE DERAZODO_PROGRAM_DIR="${DERAZODO_PROGRAM_DIR}")
