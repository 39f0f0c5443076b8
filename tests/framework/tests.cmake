veltaro_test(test_report ${CMAKE_CURRENT_LIST_DIR}/TestReport.cpp)
veltaro_test(test_dialogs ${CMAKE_CURRENT_LIST_DIR}/TestDialogs.cpp)
veltaro_test(test_keyboard ${CMAKE_CURRENT_LIST_DIR}/TestKeyboard.cpp)
