veltaro_test(test_sheet_export ${CMAKE_CURRENT_LIST_DIR}/TestSheetExport.cpp)
target_link_libraries(test_sheet_export PRIVATE veltaro_cli_lib)
veltaro_test(test_esporta ${CMAKE_CURRENT_LIST_DIR}/TestEsporta.cpp)
