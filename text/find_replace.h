#pragma once
// Substring search and bounded replacement, both trying a match only where a character begins.

#include <cstdint>
#include <string_view>

#include "text/text.h"

// 1-based byte position of the first match of `sought` in `text` that begins at a character start, or -1.
// An empty `sought` gives 1 for a non-empty text and -1 for the empty text. Case is distinguished.
std::int64_t FindText(std::string_view text, std::string_view sought);

// Replaces at most `most` occurrences of `old` (no limit when `most` is below 0), scanning by characters
// from the 1-based position `start` (below 1 counts as 1). A lead byte that is the text's last byte is
// dropped from the result once the scan reaches it. Without `caseSensitive` the ASCII letters match
// their other case.
Text ReplaceText(std::string_view text, std::string_view old, std::string_view replacement, int start,
                 int most, bool caseSensitive);
