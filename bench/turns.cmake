# 100 turns of an all-computer game on the largest sample map with the computer player.
derazodo_bench(turns_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/turns_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp DEPS app ai rules)
target_compile_definitions(turns_bench PRIVATE DERAZODO_PROGRAM_DIR="${DERAZODO_PROGRAM_DIR}")
