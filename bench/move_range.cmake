# Movement ranges on maps of 64² to 256², beside a bare bucket-queue Dijkstra over the same costs.
derazodo_bench(move_range_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/move_range_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp DEPS app rules)
target_compile_definitions(move_range_bench PRIVATE DERAZODO_PROGRAM_DIR="${DERAZODO_PROGRAM_DIR}")
