veltaro_test(test_orari ${CMAKE_CURRENT_LIST_DIR}/TestOrari.cpp)
