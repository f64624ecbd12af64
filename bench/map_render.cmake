# Drawing the map view: a full 1280 x 960 redraw at each zoom and one hex's update, on the largest sample map.
derazodo_bench(map_render_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/map_render.cpp ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp DEPS app rules)
target_compile_definitions(map_render_bench PRIVATE DERAZODO_PROGRAM_DIR="${DERAZODO_PROGRAM_DIR}")
