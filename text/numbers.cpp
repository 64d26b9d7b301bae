#include "text/numbers.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

namespace {

// One character of the text after width folding: `byte` is its ASCII form, or 0 when the character is
// not one that the parsers read (any other two-byte character, or a lead byte standing last).
struct FoldedCharacter {
  char byte;
  std::size_t next;
};

char FoldPair(unsigned char lead, unsigned char trail) {
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<char>(trail - 0x80);
  if (lead != 0xA1) return 0;
  if (trail == 0xA1) return ' ';
  if (trail == 0xAB) return '~';
  if (trail == 0xEE || trail == 0xEF) return '*';
  return 0;
}

FoldedCharacter FoldAt(std::string_view text, std::size_t pos) {
  if (!IsLeadByte(text[pos])) return {text[pos], pos + 1};
  if (pos + 1 >= text.size()) return {0, text.size()};
  return {FoldPair(static_cast<unsigned char>(text[pos]), static_cast<unsigned char>(text[pos + 1])),
          pos + 2};
}

bool IsBlank(char byte) {
  return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\v' || byte == '\f' || byte == '\r';
}

bool IsDigit(char byte) {
  return byte >= '0' && byte <= '9';
}

// Reads folded characters one at a time, so that the parsers fold and read in the same pass and stop
// at the first character that ends the number, however long the text is.
class FoldedReader {
 public:
  explicit FoldedReader(std::string_view text) : text_(text) {}

  char Peek() const { return pos_ < text_.size() ? FoldAt(text_, pos_).byte : 0; }
  void Take() { pos_ = FoldAt(text_, pos_).next; }

  void SkipBlanks() {
    while (IsBlank(Peek())) Take();
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// A decimal number delimited by hand, so that from_chars (which neither skips blanks nor takes a +)
// reads only what ParseNumber accepts and the process locale (Qt sets it) has no say in the point.
struct DecimalPrefix {
  std::string chars;        // sign, digits, point and exponent, without a leading +
  long long magnitude = 0;  // roughly where the first significant digit stands, for out-of-range values
  bool negative = false;
};

bool ReadDigits(FoldedReader& reader, std::string& out) {
  bool any = false;
  while (IsDigit(reader.Peek())) {
    out += reader.Peek();
    reader.Take();
    any = true;
  }
  return any;
}

// An exponent counts only with at least one digit: in "2e" or "2e+" the number is 2.
void ReadExponent(FoldedReader& reader, DecimalPrefix& number) {
  if (reader.Peek() != 'e' && reader.Peek() != 'E') return;
  FoldedReader ahead = reader;
  ahead.Take();
  std::string exponent = "e";
  if (ahead.Peek() == '+' || ahead.Peek() == '-') {
    exponent += ahead.Peek();
    ahead.Take();
  }
  const std::size_t digitsFrom = exponent.size();
  if (!ReadDigits(ahead, exponent)) return;
  reader = ahead;
  number.chars += exponent;
  long long value = 0;
  for (std::size_t i = digitsFrom; i < exponent.size() && value < 100000000; ++i) {
    value = value * 10 + (exponent[i] - '0');
  }
  number.magnitude += exponent[1] == '-' ? -value : value;
}

bool ReadDecimalPrefix(FoldedReader& reader, DecimalPrefix& number) {
  if (reader.Peek() == '+' || reader.Peek() == '-') {
    number.negative = reader.Peek() == '-';
    if (number.negative) number.chars += '-';
    reader.Take();
  }
  const std::size_t integerFrom = number.chars.size();
  const bool integerDigits = ReadDigits(reader, number.chars);
  std::size_t significant = integerFrom;
  while (significant < number.chars.size() && number.chars[significant] == '0') ++significant;
  number.magnitude = static_cast<long long>(number.chars.size() - significant);
  bool fractionDigits = false;
  if (reader.Peek() == '.') {
    FoldedReader ahead = reader;
    ahead.Take();
    std::string fraction = ".";
    fractionDigits = ReadDigits(ahead, fraction);
    if (integerDigits || fractionDigits) {
      reader = ahead;
      number.chars += fraction;
    }
    if (number.magnitude == 0) {
      std::size_t zeros = fraction.find_first_not_of('0', 1);
      number.magnitude = -static_cast<long long>(zeros == std::string::npos ? fraction.size() : zeros - 1);
    }
  }
  if (!integerDigits && !fractionDigits) return false;
  ReadExponent(reader, number);
  return true;
}

}  // namespace

Text FoldWidths(std::string_view text) {
  Text folded;
  folded.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const FoldedCharacter c = FoldAt(text, pos);
    if (c.byte != 0 && c.next == pos + 2) {
      folded += c.byte;
    } else {
      folded.append(text.substr(pos, c.next - pos));
    }
    pos = c.next;
  }
  return folded;
}

std::int32_t ParseInteger(std::string_view text) {
  FoldedReader reader(text);
  reader.SkipBlanks();
  bool negative = false;
  if (reader.Peek() == '+' || reader.Peek() == '-') {
    negative = reader.Peek() == '-';
    reader.Take();
  }
  // Unsigned arithmetic wraps by definition, which is the behaviour wanted for digits beyond the range.
  std::uint32_t value = 0;
  while (IsDigit(reader.Peek())) {
    value = value * 10u + static_cast<std::uint32_t>(reader.Peek() - '0');
    reader.Take();
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

double ParseNumber(std::string_view text) {
  FoldedReader reader(text);
  reader.SkipBlanks();
  DecimalPrefix number;
  if (!ReadDecimalPrefix(reader, number)) return 0.0;
  double value = 0.0;
  const char* first = number.chars.data();
  const auto [end, error] = std::from_chars(first, first + number.chars.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    // from_chars leaves the value alone here; answer as strtod would: infinity or zero, with the sign.
    value = number.magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    if (number.negative) value = -value;
  }
  return value;
}

Text FormatInteger(std::int32_t value) {
  char digits[16];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  (void)error;
  return Text(digits, end);
}

// to_chars in the general form with a precision writes what printf's %.13g writes in the C locale,
// whatever locale the process runs in.
Text FormatNumber(double value) {
  char digits[48];
  const auto [end, error] =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 13);
  (void)error;
  return Text(digits, end);
}
