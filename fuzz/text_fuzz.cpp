// libFuzzer target for the text operations and the related-searches extraction. Beyond not crashing,
// each input is checked against invariants and against plain reference scans written here.
//
// Input layout: byte 0 picks the length of the sought text (0 to 7), byte 1 the `most` of ReplaceText
// (as a signed byte), byte 2 its start position, byte 3 the case flag; then the sought text; the rest
// is the text. Shorter inputs serve as the text alone.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/character_scan.h"
#include "text/find_replace.h"
#include "text/line_list.h"
#include "text/numbers.h"
#include "text/text.h"
#ifdef ORNIVEX_FUZZ_EXTRACTION
#include "crawl/related_searches.h"
#endif

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

void Check(bool holds, const char* what) {
  if (!holds) Fail(what);
}

bool IsCharacterStartByScan(std::string_view text, std::size_t pos) {
  std::size_t at = 0;
  while (at < pos) at = NextCharacter(text, at);
  return at == pos;
}

char Lower(char byte) {
  return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + 32) : byte;
}

// The bounded replacement read step by step: compare at each character start where old fits, stop
// after `most` replacements and copy the rest, drop a lead byte standing last when the scan reaches it.
Text ReplaceByCharacters(std::string_view text, std::string_view old, std::string_view replacement, int start,
                         int most, bool caseSensitive) {
  if (start < 1) start = 1;
  if (text.empty() || old.empty() || static_cast<std::size_t>(start - 1) >= text.size() || most == 0) {
    return Text(text);
  }
  Text out(text.substr(0, start - 1));
  std::size_t pos = start - 1;
  int made = 0;
  while (pos < text.size()) {
    bool match = text.size() - pos >= old.size();
    for (std::size_t i = 0; match && i < old.size(); ++i) {
      match = caseSensitive ? text[pos + i] == old[i] : Lower(text[pos + i]) == Lower(old[i]);
    }
    if (match) {
      out += replacement;
      pos += old.size();
      if (++made == most) return out + Text(text.substr(pos));
    } else if (IsLeadByte(text[pos]) && pos + 1 == text.size()) {
      return out;
    } else {
      const std::size_t next = NextCharacter(text, pos);
      out += text.substr(pos, next - pos);
      pos = next;
    }
  }
  return out;
}

void CheckSplit(std::string_view text, std::string_view delimiter) {
  const std::vector<std::string_view> views = SplitTextViews(text, delimiter);
  Check(views == SplitByCharacters(text, delimiter), "SplitTextViews agrees with the character scan");
  const LineList lines = SplitText(text, delimiter);
  Check(views.size() == lines.size(), "SplitText and SplitTextViews give as many entries");
  for (std::size_t i = 0; i < views.size(); ++i) Check(views[i] == lines[i], "SplitText entry equals view");
  if (text.empty()) {
    Check(views.empty(), "the empty text has no entries");
    return;
  }
  Check(!views.empty(), "a non-empty text has an entry");
  // The entries lie in order in the text, separated by exactly one delimiter each.
  Check(views.front().data() == text.data(), "the first entry starts the text");
  for (std::size_t i = 0; i + 1 < views.size(); ++i) {
    const char* gap = views[i].data() + views[i].size();
    Check(std::string_view(gap, delimiter.size()) == delimiter, "a delimiter follows each entry");
    Check(views[i + 1].data() == gap + delimiter.size(), "the next entry starts after the delimiter");
  }
  std::string joined;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) joined += delimiter;
    joined += lines[i];
  }
  Check(joined == text || joined + std::string(delimiter) == text, "joined entries give back the text");
  if (delimiter.empty()) return;
  for (std::string_view entry : views) {
    Check(FindText(entry, delimiter) == -1, "no entry holds the delimiter at a character start");
  }
  // A final CR LF at a character start starts no entry, and only it is left without one. (A delimiter
  // with a lead byte in it moves the character starts after each match, so this holds for CR LF only.)
  if (delimiter != kLineBreak) return;
  const bool endsInLineBreak = text.ends_with(kLineBreak) && IsCharacterStartByScan(text, text.size() - 2);
  Check((joined != text) == endsInLineBreak, "a final CR LF starts no entry");
}

void CheckFind(std::string_view text, std::string_view sought) {
  const std::int64_t found = FindText(text, sought);
  Check(found == FindByCharacters(text, sought), "FindText agrees with the character scan");
  if (found == -1 || sought.empty()) return;
  Check(found >= 1 && static_cast<std::size_t>(found) <= text.size(), "FindText in range");
  Check(text.substr(found - 1, sought.size()) == sought, "FindText bytes match");
  Check(IsCharacterStartByScan(text, found - 1), "FindText result is a character start");
}

void CheckReplace(std::string_view text, std::string_view old, int start, int most, bool caseSensitive) {
  const std::string replacement = "_";
  const Text replaced = ReplaceText(text, old, replacement, start, most, caseSensitive);
  Check(replaced == ReplaceByCharacters(text, old, replacement, start, most, caseSensitive),
        "ReplaceText agrees with the character scan");
  Check(replaced.find('\0') == Text::npos, "ReplaceText inserts no zero byte");
  Check(ReplaceText(text, old, replacement, start, 0, caseSensitive) == text, "most 0 leaves the text");
  Check(ReplaceText(text, "", replacement, start, most, caseSensitive) == text, "empty old leaves the text");
  // Replacing old by itself changes nothing but a dropped lead byte standing last.
  if (caseSensitive && !old.empty()) {
    const Text same = ReplaceText(text, old, old, start, most, true);
    Check(same == text || (same.size() + 1 == text.size() && IsLeadByte(text.back()) &&
                           std::string_view(text).substr(0, same.size()) == same),
          "replacing old by itself keeps the text");
  }
}

bool OnlyDecimalSyntax(std::string_view text) {
  for (char byte : text) {
    if (!(byte >= '0' && byte <= '9') && byte != '.' && byte != 'e' && byte != 'E' && byte != '+' &&
        byte != '-') {
      return false;
    }
  }
  return true;
}

void CheckNumbers(std::string_view text) {
  const Text folded = FoldWidths(text);
  Check(folded.size() <= text.size(), "folding never lengthens");
  Check(FoldWidths(folded) == folded, "folding twice changes nothing more");
  const std::int32_t integer = ParseInteger(text);
  Check(ParseInteger(folded) == integer, "ParseInteger reads through the folding");
  Check(ParseInteger(FormatInteger(integer)) == integer, "FormatInteger reads back");
  char printed[64];
  std::snprintf(printed, sizeof printed, "%d", integer);
  Check(FormatInteger(integer) == printed, "FormatInteger writes what %d writes");

  const double number = ParseNumber(text);
  Check(!std::isnan(number), "ParseNumber never gives NaN");
  const double refolded = ParseNumber(folded);
  Check(std::memcmp(&refolded, &number, sizeof number) == 0, "ParseNumber reads through the folding");
  std::snprintf(printed, sizeof printed, "%.13g", number);
  Check(FormatNumber(number) == printed, "FormatNumber writes what %.13g writes");

  // Without locale (the fuzzer sets none) strtod is the reference, where it reads only decimal syntax.
  if (folded.find('\0') != Text::npos) return;
  char* end = nullptr;
  const double expected = std::strtod(folded.c_str(), &end);
  std::size_t skipped = 0;
  while (skipped < folded.size() && std::strchr(" \t\n\v\f\r", folded[skipped]) != nullptr) ++skipped;
  const std::string_view read(folded.data() + skipped, end - folded.c_str() > static_cast<long>(skipped)
                                                           ? end - folded.c_str() - skipped
                                                           : 0);
  if (OnlyDecimalSyntax(read)) {
    Check(std::memcmp(&expected, &number, sizeof number) == 0, "ParseNumber agrees with strtod");
  }
}

void CheckFormatNumber(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double)) return;
  double value;
  std::memcpy(&value, data, sizeof value);
  char printed[64];
  std::snprintf(printed, sizeof printed, "%.13g", value);
  Check(FormatNumber(value) == printed, "FormatNumber of any double writes what %.13g writes");
}

#ifdef ORNIVEX_FUZZ_EXTRACTION
void CheckExtraction(const Text& page) {
  const RelatedSearches related = ExtractRelatedSearches(page);
  if (!related.found) Check(related.keywords.empty(), "no keywords without a block");
  // 相关搜索 in GBK, then the end of the block.
  const std::string_view heading = "\xCF\xE0\xB9\xD8\xCB\xD1\xCB\xF7";
  const std::size_t at = page.find(heading);
  const bool block = at != Text::npos && page.find("</div></div>", at + heading.size()) != Text::npos;
  Check(related.found == block, "the block is found exactly when its heading and end occur in order");
  for (const Text& keyword : related.keywords) {
    Check(keyword.find('\0') == Text::npos, "a keyword holds no zero byte");
    Check(keyword.find("</a>") == Text::npos, "a keyword ends at the first </a>");
    Check(keyword.size() < page.size(), "a keyword is shorter than the page");
  }
}
#endif

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Text whole = BytesToText(bytes);
  Check(whole.find('\0') == Text::npos, "BytesToText holds no zero byte");
  Check(bytes.substr(0, whole.size()) == whole, "BytesToText is a prefix of the bytes");
  Check(whole.size() == size || bytes[whole.size()] == '\0', "BytesToText stops only at a zero byte");
  Check(TextToBytes(whole) == whole, "TextToBytes gives the bytes");
  Check(ByteLength(whole) == static_cast<std::int64_t>(whole.size()), "ByteLength counts bytes");

  std::string_view sought;
  std::string_view rest = bytes;
  int most = -1;
  int start = 1;
  bool caseSensitive = true;
  if (size >= 4) {
    const std::size_t soughtLength = std::min<std::size_t>(data[0] % 8, size - 4);
    most = static_cast<std::int8_t>(data[1]);
    start = static_cast<std::int8_t>(data[2]);
    caseSensitive = (data[3] & 1) == 0;
    sought = bytes.substr(4, soughtLength);
    rest = bytes.substr(4 + soughtLength);
  }
  const Text text = BytesToText(rest);
  const Text soughtText = BytesToText(sought);

  CheckSplit(text, kLineBreak);
  CheckSplit(text, soughtText);
  CheckFind(text, soughtText);
  CheckFind(text, kLineBreak);
  CheckReplace(text, soughtText, start, most, caseSensitive);
  CheckReplace(text, "\"", 1, 30, true);
  CheckNumbers(text);
  CheckNumbers(whole);
  CheckFormatNumber(data, size);
#ifdef ORNIVEX_FUZZ_EXTRACTION
  CheckExtraction(whole);
#endif
  return 0;
}
