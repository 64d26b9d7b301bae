#include "text/find_replace.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/character_scan.h"
#include "tests/support/gbk.h"

TEST(FindText, MatchesOnlyWhereACharacterBegins) {
  struct Case {
    std::string text;
    std::string sought;
    std::int64_t expected;
  };
  const Case cases[] = {
      {"abc", "", 1},
      {"", "", -1},
      {"", "a", -1},
      {"abc", "a", 1},
      {"abc", "c", 3},
      {"abc", "abc", 1},
      {"abc", "abcd", -1},
      {"ABC", "b", -1},
      {"ABC", "B", 2},
      {"abab", "ab", 1},
      {Gbk("中文"), Gbk("文"), 3},
      // 啊啊 is B0 A1 B0 A1 and “ is A1 B0: the bytes occur from byte 2, but no character begins there.
      {Gbk("啊啊"), Gbk("“"), -1},
      {Gbk("啊啊“"), Gbk("“"), 5},
      // A lead byte takes an ASCII second byte with it too.
      {"\xB0"
       "a",
       "a", -1},
      {"\xB0"
       "aa",
       "a", 3},
      {"\xB0\r\n", "\r\n", -1},
      // A lead byte standing last still begins a character, so a one-byte sought text is compared there.
      {"a\xB0", "\xB0", 2},
      {"\xB1\xB0\xB0", "\xB0", 3},
      {"\xB1\xB0", "\xB0", -1},
      {Gbk("结果提纯"), Gbk("提纯"), 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindText(c.text, c.sought), c.expected) << Utf8(c.text) << " / " << Utf8(c.sought);
  }
}

TEST(FindText, EqualLengthsMatchOnlyIdenticalTexts) {
  EXPECT_EQ(FindText(Gbk("中文"), Gbk("中文")), 1);
  EXPECT_EQ(FindText(Gbk("中文"), Gbk("中父")), -1);
  EXPECT_EQ(FindText("", ""), -1);
}

// Every pair of short texts over lead-range and ordinary bytes: the skipping search agrees with a scan
// that steps one character at a time.
TEST(FindText, AgreesWithACharacterScanOnEveryShortText) {
  const char alphabet[] = {'a', '\xB0', '\xA1'};
  auto textNumber = [&](std::size_t length, std::size_t n) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i, n /= std::size(alphabet))
      text += alphabet[n % std::size(alphabet)];
    return text;
  };
  auto combinations = [&](std::size_t length) {
    std::size_t count = 1;
    for (std::size_t i = 0; i < length; ++i) count *= std::size(alphabet);
    return count;
  };
  for (std::size_t length = 0; length <= 8; ++length) {
    for (std::size_t n = 0; n < combinations(length); ++n) {
      const std::string text = textNumber(length, n);
      for (std::size_t soughtLength = 0; soughtLength <= 3; ++soughtLength) {
        for (std::size_t m = 0; m < combinations(soughtLength); ++m) {
          const std::string sought = textNumber(soughtLength, m);
          ASSERT_EQ(FindText(text, sought), FindByCharacters(text, sought)) << length << ":" << n << " " << m;
        }
      }
    }
  }
}

TEST(ReplaceText, StopsAfterTheMostReplacements) {
  const std::string quotes(31, '"');
  EXPECT_EQ(ReplaceText(quotes, "\"", "_", 1, 30, true), std::string(30, '_') + "\"");
  EXPECT_EQ(ReplaceText(quotes, "\"", "_", 1, 31, true), std::string(31, '_'));
  EXPECT_EQ(ReplaceText(quotes, "\"", "_", 1, -1, true), std::string(31, '_'));
  EXPECT_EQ(ReplaceText("a\"b\"c\"d", "\"", "_", 1, 2, true), "a_b_c\"d");
  const std::string block = Gbk("<a href=\"/s?q=中文\">中文</a>");
  EXPECT_EQ(ReplaceText(block, "\"", "_", 1, 30, true), Gbk("<a href=_/s?q=中文_>中文</a>"));
}

TEST(ReplaceText, UnchangedWhenItCannotApply) {
  struct Case {
    std::string text;
    std::string old;
    int start;
    int most;
  };
  const Case cases[] = {
      {"a\"b", "\"", 1, 0},
      {"a\"b", "", 1, -1},
      {"", "\"", 1, -1},
      {"a\"b", "\"", 4, -1},
      {"a\"b", "\"", 100, -1},
      {"abc", "x", 1, -1},
      // Unchanged as it stands: a lead byte standing last is dropped only when the scan reaches it.
      {"a\xB0", "\"", 3, -1},
      {Gbk("啊啊"), Gbk("“"), 1, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplaceText(c.text, c.old, "_", c.start, c.most, true), c.text)
        << Utf8(c.text) << " start " << c.start << " most " << c.most;
  }
}

TEST(ReplaceText, StartPosition) {
  EXPECT_EQ(ReplaceText("\"a\"b\"", "\"", "_", 2, -1, true), "\"a_b_");
  EXPECT_EQ(ReplaceText("\"a\"b\"", "\"", "_", 5, -1, true), "\"a\"b_");
  EXPECT_EQ(ReplaceText("\"a\"", "\"", "_", 0, -1, true), "_a_");
  EXPECT_EQ(ReplaceText("\"a\"", "\"", "_", -5, -1, true), "_a_");
  // The bytes before the start are copied as they are and the scan takes its characters from there,
  // so a start on the second byte of 啊 finds the “ whose bytes begin there; the last A1 then stands
  // alone and is dropped.
  EXPECT_EQ(ReplaceText(Gbk("啊啊"), Gbk("“"), "_", 2, -1, true), "\xB0_");
}

TEST(ReplaceText, MatchesNeverOverlap) {
  EXPECT_EQ(ReplaceText("aaa", "aa", "b", 1, -1, true), "ba");
  EXPECT_EQ(ReplaceText("aaa", "a", "aa", 1, -1, true), "aaaaaa");
  EXPECT_EQ(ReplaceText("abab", "ab", "", 1, -1, true), "");
}

TEST(ReplaceText, CaseFoldsOnlyAsciiLetters) {
  EXPECT_EQ(ReplaceText("aBcAbC", "b", "_", 1, -1, true), "aBcA_C");
  EXPECT_EQ(ReplaceText("aBcAbC", "b", "_", 1, -1, false), "a_cA_C");
  EXPECT_EQ(ReplaceText("ABC", "abc", "x", 1, -1, false), "x");
  EXPECT_EQ(ReplaceText("[@`{", "{", "x", 1, -1, false), "[@`x");
  EXPECT_EQ(ReplaceText("[", "{", "x", 1, -1, false), "[");
  EXPECT_EQ(ReplaceText(Gbk("中a文A"), "a", "_", 1, -1, false), Gbk("中_文_"));
}

TEST(ReplaceText, DropsALeadByteStandingLastWhenTheScanReachesIt) {
  EXPECT_EQ(ReplaceText("ab\xB0", "x", "_", 1, -1, true), "ab");
  EXPECT_EQ(ReplaceText("\"\xB0", "\"", "_", 1, -1, true), "_");
  EXPECT_EQ(ReplaceText("x\xB0", "ab", "_", 1, -1, true), "x");
  EXPECT_EQ(ReplaceText(Gbk("中") + "\xB0", "\"", "_", 1, 30, true), Gbk("中"));
  // A lead byte whose pair is complete stays.
  EXPECT_EQ(ReplaceText(Gbk("中文"), "\"", "_", 1, -1, true), Gbk("中文"));
  // It begins a character, so a one-byte old text is compared there first.
  EXPECT_EQ(ReplaceText("a\xB0", "\xB0", "_", 1, -1, true), "a_");
  // After the last allowed replacement the rest is copied as it stands, that byte included.
  EXPECT_EQ(ReplaceText("\"a\xB0", "\"", "_", 1, 1, true), "_a\xB0");
  EXPECT_EQ(ReplaceText("\"\"a\xB0", "\"", "_", 1, 30, true), "__a");
}
