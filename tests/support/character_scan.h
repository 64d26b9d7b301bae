#pragma once
// The obvious readings of the splitting and searching rules: step one character at a time and compare at
// every character start. The fast operations of text/ are checked against them in the tests, the fuzz
// target and the benchmark's baseline.

#include <cstdint>
#include <string_view>
#include <vector>

#include "text/text.h"

inline std::vector<std::string_view> SplitByCharacters(std::string_view text, std::string_view delimiter) {
  std::vector<std::string_view> entries;
  if (delimiter.empty()) {
    if (!text.empty()) entries.push_back(text);
    return entries;
  }
  std::size_t pieceStart = 0;
  std::size_t pos = 0;
  while (pos < text.size() && text.size() - pos >= delimiter.size()) {
    if (text.substr(pos, delimiter.size()) == delimiter) {
      entries.push_back(text.substr(pieceStart, pos - pieceStart));
      pos += delimiter.size();
      pieceStart = pos;
    } else {
      pos = NextCharacter(text, pos);
    }
  }
  if (pieceStart < text.size()) entries.push_back(text.substr(pieceStart));
  return entries;
}

inline std::int64_t FindByCharacters(std::string_view text, std::string_view sought) {
  if (sought.empty()) return text.empty() ? -1 : 1;
  for (std::size_t pos = 0; pos < text.size() && text.size() - pos >= sought.size();
       pos = NextCharacter(text, pos)) {
    if (text.substr(pos, sought.size()) == sought) return static_cast<std::int64_t>(pos) + 1;
  }
  return -1;
}
