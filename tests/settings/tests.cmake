veltaro_test(test_backup ${CMAKE_CURRENT_LIST_DIR}/TestBackup.cpp)
