# The information windows' lists: the producible list sorted by each key, a page of troop rows.
derazodo_bench(info_lists_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/info_lists_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp DEPS app)
target_compile_definitions(info_lists_bench PRIVATE DERAZODO_PROGRAM_DIR="${DERAZODO_PROGRAM_DIR}")
