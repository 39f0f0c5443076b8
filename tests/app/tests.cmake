veltaro_test(test_routines ${CMAKE_CURRENT_LIST_DIR}/TestRoutines.cpp)
veltaro_test(test_menus ${CMAKE_CURRENT_LIST_DIR}/TestMenus.cpp)
