derazodo_bench(gdi_bench SOURCES gdi_bench.cpp DEPS platform)
