# The computer's turns on the largest sample map: one opening turn, and every turn of a 100-turn game.
derazodo_bench(computer_turn_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/computer_turn_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp DEPS app ai rules)
target_compile_definitions(computer_turn_bench PRIVATE DERAZODO_PROGRAM_DIR="${DERAZODO_PROGRAM_DIR}")
