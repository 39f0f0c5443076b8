add_executable(find_bench ${CMAKE_CURRENT_LIST_DIR}/FindBench.cpp)
target_link_libraries(find_bench PRIVATE veltaro_core benchmark::benchmark)
