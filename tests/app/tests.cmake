veltaro_test(test_routines ${CMAKE_CURRENT_LIST_DIR}/TestRoutines.cpp)
