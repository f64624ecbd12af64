# Every country's supply lines and the per-turn threat marks over a 256 × 256 road grid.
derazodo_bench(supply_lines_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/supply_lines_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp DEPS app rules)
target_compile_definitions(supply_lines_bench PRIVATE DERAZODO_PROGRAM_DIR="${DERAZODO_PROGRAM_DIR}")
