#include "text/find_replace.h"

#include <cstddef>

namespace {

// Whether `pos` begins a character, given that `known` (not after `pos`) does. A byte below 0x80 ends a
// character whichever role it plays, so only the run of lead-range bytes just before `pos` decides: they
// pair up from the character start that begins the run, and `pos` starts a character when they pair up
// evenly. This looks back at most to `known`, so a caller that moves `known` forward past each
// candidate it rejects keeps the whole search a single pass.
bool IsCharacterStart(std::string_view text, std::size_t known, std::size_t pos) {
  std::size_t runStart = pos;
  while (runStart > known && IsLeadByte(text[runStart - 1])) --runStart;
  return (pos - runStart) % 2 == 0;
}

char FoldAsciiCase(char byte) {
  return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

bool MatchesAt(std::string_view text, std::size_t pos, std::string_view old, bool caseSensitive) {
  if (caseSensitive) return text.compare(pos, old.size(), old) == 0;
  for (std::size_t i = 0; i < old.size(); ++i) {
    if (FoldAsciiCase(text[pos + i]) != FoldAsciiCase(old[i])) return false;
  }
  return true;
}

}  // namespace

// A lead byte that is the last byte of the text still begins a character, so a sought text of one byte
// is compared there before the scan ends: FindText("a\xB0", "\xB0") is 2. SplitText, built on this,
// follows the same rule.
std::int64_t FindText(std::string_view text, std::string_view sought) {
  if (sought.empty()) return text.empty() ? -1 : 1;
  std::size_t known = 0;
  std::size_t from = 0;
  for (;;) {
    std::size_t pos = text.find(sought, from);
    if (pos == std::string_view::npos) return -1;
    if (IsCharacterStart(text, known, pos)) return static_cast<std::int64_t>(pos) + 1;
    // The match began on the second byte of a character, so the next character begins right after it.
    known = pos + 1;
    from = pos + 1;
  }
}

// The scan goes to the end of the text unless `most` replacements stop it first; only a scan that
// reaches a lead byte standing last drops it. After the last allowed replacement the rest is copied as
// it is, that byte included.
Text ReplaceText(std::string_view text, std::string_view old, std::string_view replacement, int start,
                 int most, bool caseSensitive) {
  if (start < 1) start = 1;
  const std::size_t begin = static_cast<std::size_t>(start) - 1;
  if (text.empty() || old.empty() || begin >= text.size() || most == 0) return Text(text);

  Text result(text.substr(0, begin));
  result.reserve(text.size());
  long long made = 0;
  std::size_t pos = begin;
  while (pos < text.size()) {
    if (text.size() - pos >= old.size() && MatchesAt(text, pos, old, caseSensitive)) {
      result += replacement;
      pos += old.size();
      if (++made == most) break;
      continue;
    }
    if (!IsLeadByte(text[pos])) {
      result += text[pos++];
      continue;
    }
    if (pos + 1 == text.size()) return result;
    result += text.substr(pos, 2);
    pos += 2;
  }
  result += text.substr(pos);
  return result;
}
