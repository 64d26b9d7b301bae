#include "crawl/related_searches.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/gbk.h"

namespace {

std::vector<Text> GbkList(const std::vector<std::string>& utf8) {
  std::vector<Text> gbk;
  for (const std::string& text : utf8) gbk.push_back(Gbk(text));
  return gbk;
}

std::string Quotes(int count) {
  return std::string(static_cast<std::size_t>(count), '"');
}

struct ExtractionCase {
  const char* name;
  Text page;
  bool found;
  std::vector<std::string> keywords;  // UTF-8
};

TEST(ExtractRelatedSearches, EdgeCases) {
  const std::vector<ExtractionCase> cases = {
      {"empty page", "", false, {}},
      {"no block", Gbk("<div>没有相关内容<a X\">手机</a></div></div>"), false, {}},
      {"block without end", Gbk("相关搜索<a X\">手机</a></div>"), false, {}},
      {"block directly ended", Gbk("相关搜索</div></div>"), true, {}},
      {"links in page order",
       Gbk("相关搜索<a X\">一</a><a X\">二</a><a X\">三</a></div></div>"),
       true,
       {"一", "二", "三"}},
      {"only the first of two blocks",
       Gbk("相关搜索<a X\">一</a></div></div>相关搜索<a X\">二</a></div></div>"),
       true,
       {"一"}},
      {"links after the block's end are not in it",
       Gbk("相关搜索<a X\">一</a></div></div><a X\">二</a>"),
       true,
       {"一"}},
      {"block spans lines", Gbk("相关搜索\r\n<a X\">一</a>\r\n</div>\r\n</div></div>"), true, {"一"}},
      {"30th quote still becomes an underscore",
       Gbk("相关搜索" + Quotes(29) + "<a X\">尾</a></div></div>"),
       true,
       {"尾"}},
      {"31st quote stays, so its link is not found",
       Gbk("相关搜索" + Quotes(30) + "<a X\">尾</a></div></div>"),
       true,
       {}},
      {"quotes inside link texts count too",
       Gbk("相关搜索" + Quotes(27) + "<a X\">\"\"</a><a X\">尾</a></div></div>"),
       true,
       {"__"}},
      {"block without X_>", Gbk("相关搜索<a href=\"/s\">手机</a></div></div>"), true, {}},
      {"empty link text", Gbk("相关搜索<a X\"></a><a X\">二</a></div></div>"), true, {"", "二"}},
      {"link text with CR LF", Gbk("相关搜索<a X\">上\r\n下</a></div></div>"), true, {"上\r\n下"}},
      {"markup and entities stay",
       Gbk("相关搜索<a X\"> <b>手机</b>&amp;</a></div></div>"),
       true,
       {" <b>手机</b>&amp;"}},
      {"a match resumes after the previous one",
       Gbk("相关搜索<a X\">一<a X\">二</a></div></div>"),
       true,
       {"一<a X_>二"}},
      {"link without </a> in the block", Gbk("相关搜索<a X\">一</div></div></a>"), true, {}},
      {"lowercase x_> does not match", Gbk("相关搜索<a x\">一</a><a x_>二</a></div></div>"), true, {}},
      {"zero byte ends the page",
       BytesToText(Gbk("相关搜索<a X\">一</a>") + '\0' + "</div></div>"),
       false,
       {}},
  };
  for (const ExtractionCase& c : cases) {
    SCOPED_TRACE(c.name);
    RelatedSearches related = ExtractRelatedSearches(c.page);
    EXPECT_EQ(related.found, c.found);
    EXPECT_EQ(related.keywords, GbkList(c.keywords));
  }
}

TEST(ExtractRelatedSearches, RealisticResultsPage) {
  std::ifstream in(std::string(ORNIVEX_FIXTURES_DIR) + "/results_page.html", std::ios::binary);
  ASSERT_TRUE(in) << "fixture results_page.html";
  const Text page(std::istreambuf_iterator<char>(in), {});

  RelatedSearches related = ExtractRelatedSearches(page);
  EXPECT_TRUE(related.found);
  // The result link before the block and the footer link after it are not related searches.
  EXPECT_EQ(related.keywords, GbkList({"手机报价", "<b>手机</b>大全", "智能 手机", "三星&amp;诺基亚",
                                       "手机\r\n排行榜", "二手手机"}));
}

// Pages on which the regular-expression engine hits its complexity limit (a marker repeated with no end
// after it, a link opening repeated with no </a>): the search that gives up ends the work, and nothing
// escapes to the caller.
TEST(ExtractRelatedSearches, EngineGivingUpEndsTheSearch) {
  Text markers;
  while (markers.size() < 200000) markers += Gbk("相关搜索");
  EXPECT_FALSE(ExtractRelatedSearches(markers).found);

  Text openLinks = Gbk("相关搜索<a X\">一</a><a X\">二</a>");
  for (int i = 0; i < 300000; ++i) openLinks += "X_>";
  openLinks += "</div></div>";
  RelatedSearches related = ExtractRelatedSearches(openLinks);
  EXPECT_TRUE(related.found);
  EXPECT_EQ(related.keywords, GbkList({"一", "二"}));
}

}  // namespace
