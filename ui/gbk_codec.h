#pragma once
// The windows show GBK texts as Unicode and hand back what they show as GBK. Every Text decodes to
// characters that encode back to the same bytes, also where the bytes are not valid GBK (a UTF-8 file, a
// stray lead byte), so a box that is loaded from a file and saved without an edit writes the file
// unchanged.

#include <string>
#include <string_view>

#include "text/text.h"

// A byte that does not decode stands as the private-use character kByteCharacterBase + byte.
inline constexpr char16_t kByteCharacterBase = 0xF700;

// CR LF becomes one '\n'; a valid GBK pair becomes its character, and so does the single byte 0x80
// (U+20AC); any other byte below 0x80 is itself, except a CR or an LF that is not part of a CR LF; every
// byte left over becomes kByteCharacterBase + byte.
std::u16string DecodeGbk(std::string_view bytes);

// '\n', U+2028 and U+2029 become CR LF; kByteCharacterBase + byte becomes that byte; a character that GBK
// cannot hold becomes "?" (a surrogate pair is one character).
Text EncodeGbk(std::u16string_view text);
