veltaro_test(test_cli ${CMAKE_CURRENT_LIST_DIR}/TestCli.cpp)
target_link_libraries(test_cli PRIVATE veltaro_cli_lib)
# The program itself is run too, to see the bytes it writes.
add_dependencies(test_cli veltaro-cli)
target_compile_definitions(test_cli PRIVATE VELTARO_CLI_PATH="$<TARGET_FILE:veltaro-cli>")
# The program too, for the restore refused while it is open.
add_dependencies(test_cli veltaro)
target_compile_definitions(test_cli PRIVATE VELTARO_PATH="$<TARGET_FILE:veltaro>")

veltaro_test(test_parallel_scan ${CMAKE_CURRENT_LIST_DIR}/TestParallelScan.cpp)
target_link_libraries(test_parallel_scan PRIVATE veltaro_cli_lib)
add_dependencies(test_parallel_scan veltaro-cli)
target_compile_definitions(test_parallel_scan PRIVATE VELTARO_CLI_PATH="$<TARGET_FILE:veltaro-cli>")
