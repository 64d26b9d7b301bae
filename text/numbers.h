#pragma once
// Reading numbers from Texts and writing them. Nothing here fails: a text without a number reads as 0.

#include <cstdint>
#include <string_view>

#include "text/text.h"

// Folds the full-width forms (A3 A1..A3 FE), the ideographic space, the full-width tilde and the two
// stars to ASCII, skips leading white space, takes an optional sign and the digits that follow.
// Accumulates in 32 bits without an overflow check: digits beyond the range wrap around.
std::int32_t ParseInteger(std::string_view text);

// Folds and skips as ParseInteger, then reads the longest leading decimal number (sign, digits, point,
// fraction, exponent). 0 when none begins there.
double ParseNumber(std::string_view text);

// The width folding on its own, for the two parsers and their tests.
Text FoldWidths(std::string_view text);

// Decimal digits with a leading - for negative values.
Text FormatInteger(std::int32_t value);

// At most 13 significant digits, trailing zeros and point dropped, exponent form only when the decimal
// exponent is below -4 or at least 13.
Text FormatNumber(double value);
