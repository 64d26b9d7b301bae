add_executable(text_bench ${CMAKE_CURRENT_LIST_DIR}/text_bench.cpp)
target_link_libraries(text_bench PRIVATE ornivex_text benchmark::benchmark)
