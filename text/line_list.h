#pragma once
// LineList: the entries that SplitText yields, numbered from 1 by the callers (entry 1 is element 0).

#include <string_view>
#include <vector>

#include "text/text.h"

using LineList = std::vector<Text>;

// Splits at every delimiter that begins at a character start. The empty text gives no entries; a
// delimiter at the very end gives no empty last entry; empty entries elsewhere count. An empty delimiter
// makes the whole text the one entry.
LineList SplitText(std::string_view text, std::string_view delimiter);

// The same entries as views into `text`, for callers that split large texts and keep them alive.
std::vector<std::string_view> SplitTextViews(std::string_view text, std::string_view delimiter);

// The CR LF pair that separates lines everywhere in the system.
inline constexpr std::string_view kLineBreak = "\r\n";
