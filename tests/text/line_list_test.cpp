#include "text/line_list.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/character_scan.h"
#include "tests/support/gbk.h"

namespace {

// Shows CR and LF in failure messages, so that the entries can be read.
std::string Shown(const std::vector<std::string_view>& entries) {
  std::string shown;
  for (std::string_view entry : entries) {
    shown += '[';
    for (char byte : entry) {
      if (byte == '\r') {
        shown += "\\r";
      } else if (byte == '\n') {
        shown += "\\n";
      } else {
        shown += byte;
      }
    }
    shown += ']';
  }
  return shown;
}

std::vector<std::string_view> AsViews(const LineList& lines) {
  return std::vector<std::string_view>(lines.begin(), lines.end());
}

struct SplitCase {
  std::string text;
  std::string delimiter;
  std::vector<std::string> expected;
};

void ExpectSplit(const SplitCase& c) {
  const std::vector<std::string_view> expected(c.expected.begin(), c.expected.end());
  const LineList lines = SplitText(c.text, c.delimiter);
  EXPECT_EQ(AsViews(lines), expected) << "text " << Shown({c.text}) << " gave " << Shown(AsViews(lines));
  const std::vector<std::string_view> views = SplitTextViews(c.text, c.delimiter);
  EXPECT_EQ(views, expected) << "views of " << Shown({c.text}) << " gave " << Shown(views);
}

std::string Lines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    if (i > 1) text += kLineBreak;
    text += "line " + std::to_string(i);
  }
  return text;
}

}  // namespace

TEST(SplitText, AtCrLf) {
  const SplitCase cases[] = {
      {"", "\r\n", {}},
      {"a", "\r\n", {"a"}},
      {"a\r\n", "\r\n", {"a"}},
      {"a\r\nb", "\r\n", {"a", "b"}},
      {"a\r\n\r\nb", "\r\n", {"a", "", "b"}},
      {"\r\n", "\r\n", {""}},
      {"\r\na", "\r\n", {"", "a"}},
      {"a\r\n\r\n", "\r\n", {"a", ""}},
      {"\r\n\r\n", "\r\n", {"", ""}},
      {"  \r\n", "\r\n", {"  "}},
      {Gbk("中文\r\n关键词\r\n"), "\r\n", {Gbk("中文"), Gbk("关键词")}},
  };
  for (const SplitCase& c : cases) ExpectSplit(c);
}

TEST(SplitText, LoneCrOrLfIsAnOrdinaryByte) {
  const SplitCase cases[] = {
      {"a\nb", "\r\n", {"a\nb"}},         {"a\rb", "\r\n", {"a\rb"}}, {"a\n\rb", "\r\n", {"a\n\rb"}},
      {"a\r\r\nb", "\r\n", {"a\r", "b"}}, {"\n", "\r\n", {"\n"}},     {"a\r", "\r\n", {"a\r"}},
  };
  for (const SplitCase& c : cases) ExpectSplit(c);
}

TEST(SplitText, ALeadByteBeforeCrLfSwallowsTheCr) {
  const SplitCase cases[] = {
      // The line break after the stray lead byte is not recognised: the two lines stay one entry.
      {"a\xB0\r\nb", "\r\n", {"a\xB0\r\nb"}},
      {"\xFF\r\n", "\r\n", {"\xFF\r\n"}},
      {"\xB0\r\n\r\n", "\r\n", {"\xB0\r\n"}},
      // A whole character before the break leaves it alone, also when its second byte is ASCII.
      {Gbk("啊") + "\r\nb", "\r\n", {Gbk("啊"), "b"}},
      {"\xB0"
       "a\r\nb",
       "\r\n",
       {"\xB0"
        "a",
        "b"}},
      // A run of lead-range bytes pairs up from its start: an odd run swallows the CR, an even one not.
      {"\xB0\xA1\xB0\r\nb", "\r\n", {"\xB0\xA1\xB0\r\nb"}},
      {"x\xB0\xA1\xB0\xA1\r\nb", "\r\n", {"x\xB0\xA1\xB0\xA1", "b"}},
      // The LF after a swallowed CR is an ordinary character, and the scan stays in step after it.
      {"\xB0\r\n\xB0\r\nc\r\nd", "\r\n", {"\xB0\r\n\xB0\r\nc", "d"}},
  };
  for (const SplitCase& c : cases) ExpectSplit(c);
}

TEST(SplitText, ALeadByteStandingLastEndsTheScan) {
  const SplitCase cases[] = {
      {"a\r\n\xB0", "\r\n", {"a", "\xB0"}},
      {"\xB0", "\r\n", {"\xB0"}},
      // It still begins a character, so a one-byte delimiter is compared there.
      {"a\xB0", "\xB0", {"a"}},
      {"\xB1\xB0\xB0", "\xB0", {"\xB1\xB0"}},
  };
  for (const SplitCase& c : cases) ExpectSplit(c);
}

TEST(SplitText, OtherDelimiters) {
  const SplitCase cases[] = {
      {"a,b,,c,", ",", {"a", "b", "", "c"}},
      {"abc", "", {"abc"}},
      {"", "", {}},
      {"ab", "abc", {"ab"}},
      {"abc", "abc", {""}},
      {"aXYbXY", "XY", {"a", "b"}},
      // 啊啊 holds the bytes of “ from its second byte on, but no character begins there.
      {Gbk("啊啊"), Gbk("“"), {Gbk("啊啊")}},
      {Gbk("中文中文"), Gbk("文"), {Gbk("中"), Gbk("中")}},
  };
  for (const SplitCase& c : cases) ExpectSplit(c);
}

TEST(SplitText, TwentyThreeLinesWithOrWithoutTheLastBreak) {
  EXPECT_EQ(SplitText(Lines(23), kLineBreak).size(), 23u);
  EXPECT_EQ(SplitText(Lines(23) + "\r\n", kLineBreak).size(), 23u);
  EXPECT_EQ(SplitText(Lines(23) + "\r\n\r\n", kLineBreak).size(), 24u);
  EXPECT_EQ(SplitText(Lines(24), kLineBreak).size(), 24u);
  EXPECT_EQ(SplitText(Lines(22) + "\r\n", kLineBreak).size(), 22u);
}

TEST(SplitTextViews, PointIntoTheText) {
  const std::string text = Gbk("中文\r\n\r\n关键词");
  const std::vector<std::string_view> views = SplitTextViews(text, kLineBreak);
  ASSERT_EQ(views.size(), 3u);
  EXPECT_EQ(views[0].data(), text.data());
  EXPECT_EQ(views[1].data(), text.data() + 6);
  EXPECT_EQ(views[2].data(), text.data() + 8);
  EXPECT_EQ(views[2], Gbk("关键词"));
}

// Every text of up to seven bytes over an alphabet that holds the delimiters, lead-range bytes and
// ordinary bytes: the skipping split agrees with the character-by-character one.
TEST(SplitTextViews, AgreesWithACharacterScanOnEveryShortText) {
  const char alphabet[] = {'a', '\r', '\n', '\xB0', '\xA1'};
  const std::string_view delimiters[] = {"\r\n", "\xB0", "\xA1\xB0", "a\r\n"};
  std::string text;
  for (std::size_t length = 0; length <= 7; ++length) {
    std::size_t combinations = 1;
    for (std::size_t i = 0; i < length; ++i) combinations *= std::size(alphabet);
    for (std::size_t n = 0; n < combinations; ++n) {
      text.clear();
      for (std::size_t i = 0, rest = n; i < length; ++i, rest /= std::size(alphabet)) {
        text += alphabet[rest % std::size(alphabet)];
      }
      for (std::string_view delimiter : delimiters) {
        ASSERT_EQ(SplitTextViews(text, delimiter), SplitByCharacters(text, delimiter))
            << "text " << Shown({text}) << " delimiter " << Shown({delimiter});
      }
    }
  }
}
