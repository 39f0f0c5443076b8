veltaro_test(test_istruttori ${CMAKE_CURRENT_LIST_DIR}/TestIstruttori.cpp)
veltaro_test(test_trova_istruttori ${CMAKE_CURRENT_LIST_DIR}/TestTrovaIstruttori.cpp)
