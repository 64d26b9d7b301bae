# The cost of appending one crawl batch to a long result box, with the save that the append runs.
add_executable(append_bench ${CMAKE_CURRENT_LIST_DIR}/append_bench.cpp)
target_link_libraries(append_bench PRIVATE ornivex_storage ornivex_test_support)
