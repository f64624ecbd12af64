# The program's start to its main window and its close, in a process of its own.
derazodo_bench(startup_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp DEPS)
target_compile_definitions(startup_bench PRIVATE DERAZODO_PROGRAM_DIR="${DERAZODO_PROGRAM_DIR}")
add_dependencies(startup_bench derazodo)
