# The installed program, checked from outside in a scratch prefix and HOME.
add_test(NAME install_tree COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-install.sh ${CMAKE_BINARY_DIR})
set_tests_properties(install_tree PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8" TIMEOUT 300)
