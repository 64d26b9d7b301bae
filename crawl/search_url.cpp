#include "crawl/search_url.h"

#ifndef ORNIVEX_SEARCH_HOST
#error "ORNIVEX_SEARCH_HOST must name the search engine's host"
#endif

Text SearchHost() {
  return ORNIVEX_SEARCH_HOST;
}

// The keyword goes in as its raw GBK bytes: the results page is asked for gb2312 in and out, and the
// engine reads the query that way. Blanks, "&" and "#" are not escaped either; the fetch deals with them.
Text BuildSearchUrl(const Text& keyword) {
  return "http://" + SearchHost() + "/search?ie=gb2312&oe=gb2312&hl=zh-CN&q=" + keyword;
}
