# The installed program, checked from outside in a scratch prefix and HOME.
add_test(NAME install_tree COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-install.sh ${CMAKE_BINARY_DIR})
set_tests_properties(install_tree PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8" TIMEOUT 300)
# The Debian package, as lintian sees it.
add_test(NAME package_lintian COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-package.sh ${CMAKE_BINARY_DIR})
set_tests_properties(package_lintian PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8" TIMEOUT 600)
# The desktop entry and the software-centre data.
add_test(NAME desktop_metadata COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-desktop.sh ${PROJECT_SOURCE_DIR})
set_tests_properties(desktop_metadata PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8" TIMEOUT 120)
