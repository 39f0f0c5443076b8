veltaro_test(test_istruttori ${CMAKE_CURRENT_LIST_DIR}/TestIstruttori.cpp)
