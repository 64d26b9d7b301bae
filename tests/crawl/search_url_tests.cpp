#include "crawl/search_url.h"

#include <gtest/gtest.h>

#include "tests/support/gbk.h"

TEST(SearchUrl, HostIsTheOneTheBuildConfigured) {
  EXPECT_EQ(SearchHost(), ORNIVEX_EXPECTED_SEARCH_HOST);
}

TEST(SearchUrl, KeywordBytesFollowTheFixedQueryUnescaped) {
  const std::string prefix = "http://" + SearchHost() + "/search?ie=gb2312&oe=gb2312&hl=zh-CN&q=";
  for (const std::string& keyword :
       {Gbk("笔记本电脑"), Gbk(" 手机"), std::string("a&b=%41#frag"), Gbk("俓亅")}) {
    SCOPED_TRACE(Utf8(keyword));
    EXPECT_EQ(BuildSearchUrl(keyword), prefix + keyword);
  }
}
