# Messages per second across and within threads.
derazodo_bench(user_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/user_bench.cpp DEPS platform)
