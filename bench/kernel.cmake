derazodo_bench(kernel_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/kernel_paths.cpp ${CMAKE_CURRENT_SOURCE_DIR}/kernel_sync.cpp DEPS platform)
