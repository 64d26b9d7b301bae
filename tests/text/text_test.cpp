#include "text/text.h"

#include <gtest/gtest.h>

#include "tests/support/gbk.h"

using namespace std::string_literals;

TEST(ByteLength, CountsEveryByte) {
  EXPECT_EQ(ByteLength(""), 0);
  EXPECT_EQ(ByteLength("  "), 2);
  EXPECT_EQ(ByteLength("\r\n"), 2);
  EXPECT_EQ(ByteLength(Gbk("中文")), 4);
}

TEST(BytesToText, EndsAtTheFirstZeroByte) {
  struct Case {
    std::string bytes;
    Text expected;
  };
  const Case cases[] = {
      {"", ""},
      {"abc", "abc"},
      {"ab\0cd"s, "ab"},
      {"\0abc"s, ""},
      {"abc\0"s, "abc"},
      {"a\0\0b"s, "a"},
      {Gbk("中文") + "\0"s + Gbk("啊"), Gbk("中文")},
  };
  for (const Case& c : cases) {
    const Text text = BytesToText(c.bytes);
    EXPECT_EQ(text, c.expected) << "bytes of length " << c.bytes.size();
    EXPECT_EQ(text.find('\0'), Text::npos);
  }
}

TEST(TextToBytes, GivesTheBytesWithoutATerminator) {
  EXPECT_EQ(TextToBytes(""), "");
  EXPECT_EQ(TextToBytes(Gbk("中文") + "\r\n"), Gbk("中文") + "\r\n");
  EXPECT_EQ(TextToBytes("ab").size(), 2u);
  EXPECT_EQ(BytesToText(TextToBytes(Gbk("关键词"))), Gbk("关键词"));
}

TEST(NextCharacter, ALeadByteTakesTheNextByteWhateverItIs) {
  const Text text = "a\xB0\r\xFF";
  EXPECT_EQ(NextCharacter(text, 0), 1u);
  EXPECT_EQ(NextCharacter(text, 1), 3u);
  // The lead byte standing last runs past the end: the scan stops there.
  EXPECT_EQ(NextCharacter(text, 3), 5u);
}
