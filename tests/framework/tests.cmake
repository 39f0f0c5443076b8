veltaro_test(test_report ${CMAKE_CURRENT_LIST_DIR}/TestReport.cpp)
