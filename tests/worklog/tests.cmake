veltaro_test(test_worklog
  ${CMAKE_CURRENT_LIST_DIR}/TestWorkRecord.cpp
)
veltaro_test(test_work_computations
  ${CMAKE_CURRENT_LIST_DIR}/TestWorkComputations.cpp
)
veltaro_test(test_lavori ${CMAKE_CURRENT_LIST_DIR}/TestLavori.cpp)
veltaro_test(test_trova_lavori ${CMAKE_CURRENT_LIST_DIR}/TestTrovaLavori.cpp)
