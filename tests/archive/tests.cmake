add_executable(archive_appender ${CMAKE_CURRENT_LIST_DIR}/Appender.cpp)
target_link_libraries(archive_appender PRIVATE veltaro_core)
set_target_properties(archive_appender PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
veltaro_test(test_archive ${CMAKE_CURRENT_LIST_DIR}/TestArchive.cpp)
add_dependencies(test_archive archive_appender)
veltaro_test(test_find_engine ${CMAKE_CURRENT_LIST_DIR}/TestFindEngine.cpp)

veltaro_test(test_find_screen ${CMAKE_CURRENT_LIST_DIR}/TestFindScreen.cpp)
veltaro_test(test_allega_cartella ${CMAKE_CURRENT_LIST_DIR}/TestAllegaCartella.cpp)
