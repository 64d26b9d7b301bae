#include "text/line_list.h"

#include "text/find_replace.h"

// Each delimiter is found with FindText on the rest of the text. The rest always begins at a character
// start (the first byte, or the byte after a delimiter), so the character-start rule of the search is
// the rule of the split, including its end at a lead byte that stands last.
std::vector<std::string_view> SplitTextViews(std::string_view text, std::string_view delimiter) {
  std::vector<std::string_view> entries;
  if (text.empty()) return entries;
  if (delimiter.empty()) {
    entries.push_back(text);
    return entries;
  }
  std::string_view rest = text;
  for (;;) {
    const std::int64_t found = FindText(rest, delimiter);
    if (found < 0) break;
    const std::size_t at = static_cast<std::size_t>(found - 1);
    entries.push_back(rest.substr(0, at));
    rest.remove_prefix(at + delimiter.size());
  }
  // A delimiter at the very end leaves nothing behind and so starts no empty last entry.
  if (!rest.empty()) entries.push_back(rest);
  return entries;
}

LineList SplitText(std::string_view text, std::string_view delimiter) {
  const std::vector<std::string_view> views = SplitTextViews(text, delimiter);
  LineList entries;
  entries.reserve(views.size());
  for (std::string_view view : views) entries.emplace_back(view);
  return entries;
}
