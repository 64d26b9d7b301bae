#pragma once
// What the two refining commands share: the output they build from the lines that stay, and the way
// it goes back into the result box they emptied.

#include <cstdint>
#include <string_view>
#include <vector>

#include "text/text.h"

// Each line whose flag is set, followed by CR LF, in the order of the lines.
Text JoinKeptLines(const std::vector<std::string_view>& lines, const std::vector<bool>& kept);

// Puts the output into the emptied result box in one append and answers how many lines the box then
// holds. Every append rewrites the result file, so one append per line would make a long list cost
// time with the square of its length. An empty output appends nothing.
std::int32_t AppendOutputAndCountLines(const Text& output);
