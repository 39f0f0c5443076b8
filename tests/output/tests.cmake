veltaro_test(test_sheet_export ${CMAKE_CURRENT_LIST_DIR}/TestSheetExport.cpp)
target_link_libraries(test_sheet_export PRIVATE veltaro_cli_lib)
veltaro_test(test_export_screen ${CMAKE_CURRENT_LIST_DIR}/TestExportScreen.cpp)
veltaro_test(test_card_print ${CMAKE_CURRENT_LIST_DIR}/TestCardPrint.cpp)
# The command line's card print runs the program beside it.
target_compile_definitions(test_card_print PRIVATE VELTARO_CLI_PATH="$<TARGET_FILE:veltaro-cli>")
add_dependencies(test_card_print veltaro veltaro-cli)
