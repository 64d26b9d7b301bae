# The window logic that needs no toolkit: the event table, the handlers of the two windows, their control
# tables and the GBK codec that the toolkit layer converts with.
ornivex_logic_library(ornivex_ui
  event_table.cpp main_window_handlers.cpp configuration_window_handlers.cpp window_layout.cpp gbk_codec.cpp)
target_link_libraries(ornivex_ui PUBLIC ornivex_surface ornivex_storage ornivex_crawl ornivex_refine ornivex_text)
