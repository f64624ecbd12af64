# The computer's side turns on generated worlds of 64² to 256² and on the continent sample. The
# suite's short run plays one of the four large worlds whose turns are alike.
derazodo_bench(computer_turn_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/computer_turn_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/computer_games.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp ${CMAKE_SOURCE_DIR}/tests/ai/seeded_worlds.cpp DEPS app ai rules
  SHORT --benchmark_filter=-generatedWorldTurns/256/300/4/[456]/)
target_compile_definitions(computer_turn_bench PRIVATE DERAZODO_PROGRAM_DIR="${DERAZODO_PROGRAM_DIR}")
