#include <gtest/gtest.h>

#include <random>

#include "refine/remove_duplicates.h"
#include "tests/refine/random_text.h"
#include "tests/refine/straightforward_refinement.h"
#include "tests/support/gbk.h"

namespace {

struct Case {
  const char* name;
  std::string box;
  std::string expected;
};

TEST(DeduplicatedText, KeepsTheLastOccurrenceAsTheStraightforwardWayDoes) {
  const Case cases[] = {
      {"last occurrence stays", "a\r\nb\r\na\r\nc\r\nb", "a\r\nc\r\nb\r\n"},
      {"case counts", "Apple\r\napple", "Apple\r\napple\r\n"},
      {"a prefix is another line", "ab\r\nabc\r\nab\r\n", "abc\r\nab\r\n"},
      {"trailing blank counts", "a \r\na\r\n", "a \r\na\r\n"},
      {"every empty line stays in its place", "\r\n\r\na\r\n\r\na\r\n", "\r\n\r\n\r\na\r\n"},
      {"only a line break", "\r\n", "\r\n"},
      {"one line gains its line break", "one", "one\r\n"},
      {"no final line break", "a\r\nb", "a\r\nb\r\n"},
      {"empty box", "", ""},
      {"all the same", "x\r\nx\r\nx\r\n", "x\r\n"},
      {"Chinese keywords", Gbk("中文\r\n关键词\r\n中文\r\n关键\r\n"), Gbk("关键词\r\n中文\r\n关键\r\n")},
      {"full and half width differ", Gbk("ａ\r\na\r\nａ"), Gbk("a\r\nａ\r\n")},
      // The lead byte takes the CR with it, so each of these lines holds a CR LF of its own.
      {"lead byte before CR LF", "\xB0\r\nx\r\n\xB0\r\nx", "\xB0\r\nx\r\n"},
      {"lead byte as the last byte", "a\r\n\xB0\r\n\xB0", "a\r\n\xB0\r\n\xB0\r\n"},
      {"equal bytes across a character boundary", Gbk("啊啊\r\n“"), Gbk("啊啊\r\n“\r\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DeduplicatedText(c.box), c.expected);
    EXPECT_EQ(StraightforwardDeduplicatedText(c.box), c.expected);
  }
}

TEST(DeduplicatedText, AgreesWithTheStraightforwardWayOnRandomBoxes) {
  std::mt19937 rng(20240605);
  for (int i = 0; i < 4000; ++i) {
    std::string box = RandomText(rng, i < 3000 ? 24 : 200);
    ASSERT_EQ(DeduplicatedText(box), StraightforwardDeduplicatedText(box))
        << "box: " << testing::PrintToString(box);
  }
}

}  // namespace
