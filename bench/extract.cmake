# Extraction throughput on a large page, against a plain scan of the same bytes.
add_executable(extract_bench ${CMAKE_CURRENT_LIST_DIR}/extract_bench.cpp)
target_link_libraries(extract_bench PRIVATE ornivex_crawl ornivex_test_support benchmark::benchmark)
