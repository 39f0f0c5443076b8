veltaro_test(test_pay_summary ${CMAKE_CURRENT_LIST_DIR}/TestPaySummary.cpp)
veltaro_test(test_monthly_stats ${CMAKE_CURRENT_LIST_DIR}/TestMonthlyStats.cpp)
