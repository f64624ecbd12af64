# The battle scene: the heaviest frames of its painters, and the draw thread's share of a core. A
# scene plays in real time, five seconds and more: the suite's short run paints the frames only.
derazodo_bench(battle_scene_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/battle_scene_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp DEPS app
  SHORT --benchmark_filter=-playFiveSecondScene)
target_compile_definitions(battle_scene_bench PRIVATE DERAZODO_PROGRAM_DIR="${DERAZODO_PROGRAM_DIR}")
