# De-duplication and purification at the sizes of a deep crawl, against awk and grep on the same files.
add_executable(refine_bench ${CMAKE_CURRENT_LIST_DIR}/refine_bench.cpp)
target_link_libraries(refine_bench PRIVATE ornivex_refine ornivex_storage refine_straightforward)
