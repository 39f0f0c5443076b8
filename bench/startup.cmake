add_executable(startup_bare ${CMAKE_CURRENT_LIST_DIR}/StartupBare.cpp)
target_link_libraries(startup_bare PRIVATE Qt6::Widgets)
