veltaro_test(test_password ${CMAKE_CURRENT_LIST_DIR}/TestPassword.cpp)
# The delivered password file is compared with what the code would write.
target_compile_definitions(test_password PRIVATE VELTARO_RESOURCES="${PROJECT_SOURCE_DIR}/resources")
veltaro_test(test_tax_checks ${CMAKE_CURRENT_LIST_DIR}/TestTaxChecks.cpp)
veltaro_test(test_payment_checks ${CMAKE_CURRENT_LIST_DIR}/TestPaymentChecks.cpp)
veltaro_test(test_check_screens ${CMAKE_CURRENT_LIST_DIR}/TestCheckScreens.cpp)
