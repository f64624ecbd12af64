# The class library's window lookup and message path.
derazodo_bench(libwin_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/libwin_bench.cpp DEPS lib)
