#include "ui/gbk_codec.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/support/gbk.h"

namespace {

std::u16string Bytes(std::initializer_list<int> bytes) {
  std::u16string characters;
  for (int byte : bytes) characters.push_back(static_cast<char16_t>(kByteCharacterBase + byte));
  return characters;
}

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::u16string characters;
};

TEST(GbkCodecTest, DecodesLineBreaksPairsAndBytesThatAreNoCharacters) {
  const DecodeCase cases[] = {
      {"ascii with CR LF", "a\r\nb\r\n", u"a\nb\n"},
      {"Chinese", Gbk("种子关键词"), u"种子关键词"},
      {"euro sign byte", "\x80", u"\u20AC"},
      {"lone CR", "a\rb", u"a" + Bytes({0x0D}) + u"b"},
      {"lone LF", "a\nb", u"a" + Bytes({0x0A}) + u"b"},
      {"CR before CR LF", "\r\r\n", Bytes({0x0D}) + u"\n"},
      {"stray lead byte at the end", Gbk("中") + "\x81", u"中" + Bytes({0x81})},
      {"lead byte before CR LF", "\x81\r\n", Bytes({0x81}) + u"\n"},
      {"lead byte before a blank", "\xB0 ", Bytes({0xB0}) + u" "},
      {"byte FF",
       "\xFF"
       "A",
       Bytes({0xFF}) + u"A"},
      {"tab and control bytes stay", "\t\x01", u"\t\x01"},
  };
  for (const DecodeCase& c : cases) EXPECT_EQ(DecodeGbk(c.bytes), c.characters) << c.name;
}

struct EncodeCase {
  const char* name;
  std::u16string characters;
  std::string bytes;
};

TEST(GbkCodecTest, EncodesLineBreaksByteCharactersAndMarksWhatGbkCannotHold) {
  const EncodeCase cases[] = {
      {"line feed", u"a\nb", "a\r\nb"},
      {"paragraph separator", u"a\u2029b", "a\r\nb"},
      {"line separator", u"a\u2028b", "a\r\nb"},
      {"Chinese", u"括展关键词", Gbk("括展关键词")},
      {"euro sign", u"\u20AC", "\x80"},
      {"byte character", Bytes({0x81, 0x0D}), "\x81\r"},
      {"Thai letter", u"a\u0E01b", "a?b"},
      {"emoji is one character", u"a\U0001F600b", "a?b"},
      {"lone surrogate", std::u16string(1, u'\xD800') + u"b", "?b"},
      {"zero character", std::u16string(1, u'\0'), "?"},
  };
  for (const EncodeCase& c : cases) EXPECT_EQ(EncodeGbk(c.characters), c.bytes) << c.name;
}

// Every text of one or two bytes, and of a lead byte before a line break, comes back unchanged.
TEST(GbkCodecTest, EveryShortTextComesBackByteForByte) {
  for (int first = 1; first < 256; ++first) {
    std::string one(1, static_cast<char>(first));
    ASSERT_EQ(EncodeGbk(DecodeGbk(one)), one) << first;
    for (int second = 1; second < 256; ++second) {
      std::string two = one + static_cast<char>(second);
      ASSERT_EQ(EncodeGbk(DecodeGbk(two)), two) << first << " " << second;
    }
    for (const char* tail : {"\r\n", "\r", "\n", "\n\r"}) {
      std::string text = one + tail;
      ASSERT_EQ(EncodeGbk(DecodeGbk(text)), text) << first << " " << tail;
    }
  }
}

TEST(GbkCodecTest, RandomBytesAndUtf8ComeBackByteForByte) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(1, 255);
  for (int round = 0; round < 3000; ++round) {
    std::string text(static_cast<std::size_t>(round % 97), '\0');
    for (char& c : text) c = static_cast<char>(byte(random));
    ASSERT_EQ(EncodeGbk(DecodeGbk(text)), text) << round;
  }
  std::string utf8 = "UTF-8 文件：种子关键词\r\n第二行\n";
  EXPECT_EQ(EncodeGbk(DecodeGbk(utf8)), utf8);
}

TEST(GbkCodecTest, ValidGbkShowsWithoutByteCharacters) {
  std::u16string characters = DecodeGbk(Gbk("一级结果框 当前状态： 更新并保存了 种子关键词！\r\n"));
  for (char16_t c : characters) EXPECT_FALSE(c >= kByteCharacterBase && c < kByteCharacterBase + 256);
}

}  // namespace
