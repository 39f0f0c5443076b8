# The floor of whole-archive work: the file read on as many threads as the commands use.
add_executable(read_floor ${CMAKE_CURRENT_LIST_DIR}/ReadFloor.cpp)
target_link_libraries(read_floor PRIVATE Threads::Threads)
# Whole commands timed in turn, round after round (bench/compare.sh).
add_executable(interleaved ${CMAKE_CURRENT_LIST_DIR}/Interleaved.cpp)
