veltaro_test(test_pay_summary ${CMAKE_CURRENT_LIST_DIR}/TestPaySummary.cpp)
veltaro_test(test_monthly_stats ${CMAKE_CURRENT_LIST_DIR}/TestMonthlyStats.cpp)
veltaro_test(test_riepilogo_screens ${CMAKE_CURRENT_LIST_DIR}/TestRiepilogoScreens.cpp)
veltaro_test(test_statistiche ${CMAKE_CURRENT_LIST_DIR}/TestStatistiche.cpp)
