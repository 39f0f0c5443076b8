veltaro_test(test_worklog
  ${CMAKE_CURRENT_LIST_DIR}/TestWorkRecord.cpp
)
veltaro_test(test_work_computations
  ${CMAKE_CURRENT_LIST_DIR}/TestWorkComputations.cpp
)
veltaro_test(test_work_card_screen ${CMAKE_CURRENT_LIST_DIR}/TestWorkCardScreen.cpp)
veltaro_test(test_work_find_screen ${CMAKE_CURRENT_LIST_DIR}/TestWorkFindScreen.cpp)
