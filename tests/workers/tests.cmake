veltaro_test(test_worker_card_screen ${CMAKE_CURRENT_LIST_DIR}/TestWorkerCardScreen.cpp)
veltaro_test(test_worker_find_screen ${CMAKE_CURRENT_LIST_DIR}/TestWorkerFindScreen.cpp)
