veltaro_test(test_referti ${CMAKE_CURRENT_LIST_DIR}/TestReferti.cpp)
veltaro_test(test_progetti_find ${CMAKE_CURRENT_LIST_DIR}/TestProgettiFind.cpp)
veltaro_test(test_project_report_screen ${CMAKE_CURRENT_LIST_DIR}/TestProjectReportScreen.cpp)
target_link_libraries(test_project_report_screen PRIVATE veltaro_cli_lib)
