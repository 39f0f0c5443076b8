veltaro_test(test_cli ${CMAKE_CURRENT_LIST_DIR}/TestCli.cpp)
target_link_libraries(test_cli PRIVATE veltaro_cli_lib)
