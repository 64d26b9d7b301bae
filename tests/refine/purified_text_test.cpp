#include <gtest/gtest.h>

#include <random>

#include "refine/purify_results.h"
#include "tests/refine/random_text.h"
#include "tests/refine/straightforward_refinement.h"
#include "tests/support/gbk.h"

namespace {

struct Case {
  const char* name;
  std::string seeds;
  std::string results;
  std::string expected;
};

TEST(PurifiedText, KeepsTheLinesThatContainASeedAsTheStraightforwardWayDoes) {
  const Case cases[] = {
      {"shoe and red", "shoe\r\nred", "red shoe\r\nblue hat\r\nshoelace\r\nhat", "red shoe\r\nshoelace\r\n"},
      {"two seeds in one line", "red\r\nshoe", "red shoe\r\n", "red shoe\r\n"},
      {"duplicates stay", "shoe", "shoe\r\nx\r\nshoe\r\nshoe", "shoe\r\nshoe\r\nshoe\r\n"},
      {"case counts", "Shoe", "shoelace", ""},
      {"empty seed box", "", "a\r\nb\r\n", ""},
      {"empty result box", "a", "", ""},
      {"empty line between seeds", "a\r\n\r\nb", "x\r\n\r\ny\r\n", "x\r\ny\r\n"},
      {"a seed box of one empty line", "\r\n", "a\r\n\r\nb", "a\r\nb\r\n"},
      {"empty result lines never stay", "a", "a\r\n\r\na\r\n\r\n", "a\r\na\r\n"},
      {"final line break gives no empty seed", "x\r\n", "a\r\nx", "x\r\n"},
      {"Chinese keywords", Gbk("手机\r\n电脑"), Gbk("苹果手机\r\n手表\r\n机手\r\n电脑包\r\n"),
       Gbk("苹果手机\r\n电脑包\r\n")},
      // 啊 is B0 A1 and “ is A1 B0: 啊啊 holds A1 B0 from its second byte, where no character begins.
      {"no match inside a character", Gbk("“"), Gbk("啊啊"), ""},
      {"match at a later character", Gbk("“"), Gbk("啊“"), Gbk("啊“\r\n")},
      // 啊 then the character B0 63: the seed A1 B0 63 occurs from inside 啊, its suffix B0 63 at a
      // character.
      {"long seed inside a character, its suffix at one", "\xB0\x63\r\n\xA1\xB0\x63", "\xB0\xA1\xB0\x63",
       "\xB0\xA1\xB0\x63\r\n"},
      {"long seed inside a character alone", "\xA1\xB0\x63", "\xB0\xA1\xB0\x63", ""},
      {"short seed inside a character, longer one at one", "\xA1\xB0\r\n\xB0\xA1\xB0", Gbk("啊啊"),
       Gbk("啊啊\r\n")},
      {"seed ending in a lead byte", "a\xB0", Gbk("a啊"), Gbk("a啊\r\n")},
      {"seed of a lone lead byte at the line's end", "\xB0", "x\r\na\xB0", "a\xB0\r\n"},
      // The lead byte takes the CR with it: the seed and the first result line each hold a CR LF.
      {"lead byte before CR LF", "\xB0\r\nb", "\xB0\r\nb\r\nb", "\xB0\r\nb\r\n"},
      {"seed longer than the line", "abc", "ab\r\nabcd", "abcd\r\n"},
      {"seeds sharing prefixes and suffixes", "he\r\nshe\r\nhis\r\nhers", "ushers\r\nhi\r\nhx\r\nahis",
       "ushers\r\nahis\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PurifiedText(c.seeds, c.results), c.expected);
    EXPECT_EQ(StraightforwardPurifiedText(c.seeds, c.results), c.expected);
  }
}

TEST(PurifiedText, AgreesWithTheStraightforwardWayOnRandomBoxes) {
  std::mt19937 rng(20240606);
  for (int i = 0; i < 4000; ++i) {
    // Mostly a few short seeds; the last cases with dozens of seeds that share prefixes and suffixes.
    std::string seeds = RandomText(rng, i < 3000 ? 10 : 200);
    std::string results = RandomText(rng, i < 3000 ? 30 : 300);
    ASSERT_EQ(PurifiedText(seeds, results), StraightforwardPurifiedText(seeds, results))
        << "seeds: " << testing::PrintToString(seeds) << " results: " << testing::PrintToString(results);
  }
}

}  // namespace
