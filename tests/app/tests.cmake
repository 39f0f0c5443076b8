veltaro_test(test_routines ${CMAKE_CURRENT_LIST_DIR}/TestRoutines.cpp)
veltaro_test(test_menus ${CMAKE_CURRENT_LIST_DIR}/TestMenus.cpp)
veltaro_test(test_login ${CMAKE_CURRENT_LIST_DIR}/TestLogin.cpp)
target_compile_definitions(test_login PRIVATE VELTARO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
