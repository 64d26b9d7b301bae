#include "text/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "tests/support/gbk.h"

TEST(FoldWidths, FoldsFullWidthFormsAndStarsToAscii) {
  struct Case {
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {"", ""},
      {"abc 12", "abc 12"},
      {Gbk("１２３"), "123"},
      {Gbk("－５．５"), "-5.5"},
      {Gbk("ＡＢｚ"), "ABz"},
      {"\xA3\xA1\xA3\xFE", "!~"},
      // Just outside the range of full-width forms nothing changes.
      {"\xA3\xA0\xA3\xFF", "\xA3\xA0\xA3\xFF"},
      {Gbk("　"), " "},
      {"\xA1\xAB", "~"},
      {Gbk("☆★"), "**"},
      {Gbk("中文"), Gbk("中文")},
      // Folding steps by characters: A3 B2 here is the second byte of one character and the first of
      // the next, not a full-width 2.
      {"\xB0\xA3\xB2", "\xB0\xA3\xB2"},
      {"a\xA3\xB2", "a2"},
      {"\xA1\xA3\xB2", "\xA1\xA3\xB2"},
      {"1\xA3", "1\xA3"},
  };
  for (const Case& c : cases) EXPECT_EQ(FoldWidths(c.text), c.expected) << Utf8(c.text);
}

TEST(ParseInteger, ReadsTheLeadingDecimalDigits) {
  struct Case {
    std::string text;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"15", 15},
      {" 15", 15},
      {"\t15", 15},
      {" \t\n\v\f\r7", 7},
      {Gbk("２"), 2},
      {Gbk("　１２"), 12},
      {Gbk("１2３"), 123},
      {"3abc", 3},
      {Gbk("3层"), 3},
      {"", 0},
      {"abc", 0},
      {Gbk("中文"), 0},
      {"-12", -12},
      {Gbk("－５"), -5},
      {"+7", 7},
      {"- 5", 0},
      {"+-5", 0},
      {"0.5", 0},
      {"1e3", 1},
      {"007", 7},
      {"1 2", 1},
      // A lead byte takes the digit after it: that is one character and not a digit.
      {"\xB0"
       "5",
       0},
      {"5\xB0", 5},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseInteger(c.text), c.expected) << Utf8(c.text);
}

TEST(ParseInteger, WrapsAroundBeyondThirtyTwoBits) {
  struct Case {
    std::string text;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"2147483647", INT32_MAX},
      {"2147483648", INT32_MIN},
      {"-2147483648", INT32_MIN},
      {"-2147483649", INT32_MAX},
      {"4294967295", -1},
      {"4294967296", 0},
      {"4294967297", 1},
      {"-4294967297", -1},
      {"99999999999999999999", static_cast<std::int32_t>(1661992959u)},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseInteger(c.text), c.expected) << c.text;
}

TEST(ParseNumber, ReadsTheLongestLeadingDecimalNumber) {
  struct Case {
    std::string text;
    double expected;
  };
  const Case cases[] = {
      {"0.5", 0.5},
      {"", 0},
      {"2abc", 2},
      {"15", 15},
      {" -1.5e3", -1500},
      {"+2.5", 2.5},
      {"1E2", 100},
      {"1e-2", 0.01},
      {".5", 0.5},
      {"5.", 5},
      {"+.5e-1", 0.05},
      {"0.0000001", 1e-7},
      // An exponent without digits is not part of the number.
      {"1e", 1},
      {"1e+", 1},
      {"1e-x", 1},
      {"2.5.1", 2.5},
      // The point is always a point, whatever the locale.
      {"1,5", 1},
      {".", 0},
      {"-", 0},
      {"+", 0},
      {"-.", 0},
      {"e5", 0},
      {"abc", 0},
      {"0x10", 0},
      {Gbk("　０．５"), 0.5},
      {Gbk("１ｅ２"), 100},
      {Gbk("5个"), 5},
      {"\xB0"
       "5",
       0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ParseNumber(c.text), c.expected) << Utf8(c.text);
}

TEST(ParseNumber, OutOfRangeValuesReadAsInfinityOrZero) {
  EXPECT_EQ(ParseNumber("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseNumber("-1e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseNumber("1" + std::string(400, '0')), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseNumber("1e-400"), 0.0);
  EXPECT_EQ(ParseNumber("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(ParseNumber("1e99999999999999999999"), std::numeric_limits<double>::infinity());
}

TEST(FormatInteger, PlainDecimalDigits) {
  EXPECT_EQ(FormatInteger(0), "0");
  EXPECT_EQ(FormatInteger(7), "7");
  EXPECT_EQ(FormatInteger(-12), "-12");
  EXPECT_EQ(FormatInteger(1000000), "1000000");
  EXPECT_EQ(FormatInteger(INT32_MAX), "2147483647");
  EXPECT_EQ(FormatInteger(INT32_MIN), "-2147483648");
}

TEST(FormatNumber, ThirteenSignificantDigits) {
  struct Case {
    double value;
    std::string expected;
  };
  const Case cases[] = {
      {0, "0"},
      {2, "2"},
      {16, "16"},
      {-3, "-3"},
      {0.5, "0.5"},
      {-3.25, "-3.25"},
      {100, "100"},
      {1.0 / 3, "0.3333333333333"},
      {2.0 / 3, "0.6666666666667"},
      {1234567890123.4, "1234567890123"},
      {9999999999999, "9999999999999"},
      {1e13, "1e+13"},
      {12345678901234, "1.234567890123e+13"},
      {1e100, "1e+100"},
      {0.0001, "0.0001"},
      {0.00001, "1e-05"},
      {0.000123456, "0.000123456"},
      {1.5e-7, "1.5e-07"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatNumber(c.value), c.expected) << c.expected;
}

TEST(FormatNumber, WholeNumbersReadAsFormatInteger) {
  for (std::int32_t n : {1, 2, 15, 16, 9000, 1000000, -7, 2147483647, INT32_MIN}) {
    EXPECT_EQ(FormatNumber(n), FormatInteger(n)) << n;
  }
}
