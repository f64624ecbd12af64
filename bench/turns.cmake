# 100 turns of a seeded all-computer game on the continent sample, victory off.
derazodo_bench(turns_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/turns_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/computer_games.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp ${CMAKE_SOURCE_DIR}/tests/ai/seeded_worlds.cpp DEPS app ai rules)
target_compile_definitions(turns_bench PRIVATE DERAZODO_PROGRAM_DIR="${DERAZODO_PROGRAM_DIR}")
