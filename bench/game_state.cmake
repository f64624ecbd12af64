# The game state's start-up: construction to a ready GameState on the generated data.
derazodo_bench(game_state_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/game_state_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp DEPS app)
target_compile_definitions(game_state_bench PRIVATE DERAZODO_PROGRAM_DIR="${DERAZODO_PROGRAM_DIR}")
