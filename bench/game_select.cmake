# Filling a page of the game selection dialog: listing a folder and reading fourteen titles.
derazodo_bench(game_select_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/game_select_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp DEPS app)
target_compile_definitions(game_select_bench PRIVATE DERAZODO_PROGRAM_DIR="${DERAZODO_PROGRAM_DIR}")
