veltaro_test(test_turni ${CMAKE_CURRENT_LIST_DIR}/TestTurni.cpp)
target_link_libraries(test_turni PRIVATE veltaro_cli_lib)
veltaro_test(test_settimanale ${CMAKE_CURRENT_LIST_DIR}/TestSettimanale.cpp)
veltaro_test(test_shift_table_widths ${CMAKE_CURRENT_LIST_DIR}/TestShiftTableWidths.cpp)
