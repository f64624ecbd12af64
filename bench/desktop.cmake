# Composing the whole desktop screen.
derazodo_bench(desktop_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/desktop_bench.cpp DEPS platform)
