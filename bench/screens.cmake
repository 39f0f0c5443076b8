# The screen path of whole-archive work, timed offscreen.
add_executable(screen_bench ${CMAKE_CURRENT_LIST_DIR}/ScreenBench.cpp)
target_link_libraries(screen_bench PRIVATE veltaro_ui)
