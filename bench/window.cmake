# The real main window with a large result box: start-up, one crawl append with its save, peak memory.
if(ORNIVEX_GUI)
  add_executable(window_bench ${CMAKE_CURRENT_LIST_DIR}/window_bench.cpp)
  target_link_libraries(window_bench PRIVATE ornivex_qt ornivex_test_support Qt6::Test)
endif()
