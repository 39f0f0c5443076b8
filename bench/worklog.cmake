# The archive generator, its command, and the benchmarks of the compensation subsystem.
add_library(veltaro_archive_generator STATIC ${CMAKE_CURRENT_LIST_DIR}/ArchiveGenerator.cpp)
target_include_directories(veltaro_archive_generator PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(veltaro_archive_generator PUBLIC veltaro_core)

add_executable(veltaro-gen ${CMAKE_CURRENT_LIST_DIR}/GenMain.cpp)
target_link_libraries(veltaro-gen PRIVATE veltaro_archive_generator)

add_executable(bench_compensation ${CMAKE_CURRENT_LIST_DIR}/BenchCompensation.cpp)
target_link_libraries(bench_compensation PRIVATE veltaro_archive_generator benchmark::benchmark)
