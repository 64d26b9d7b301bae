#pragma once
// The Text value: GBK bytes without a terminating zero, never holding a zero byte. The empty Text and an
// absent text are the same thing. Texts compare byte by byte; line breaks are CR LF.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using Text = std::string;

// Scanning by characters: a byte below 0x80 is a character of one byte; a byte of 0x80 or above begins a
// character of two bytes and takes the next byte with it, whatever that byte is. Only the high bit decides.
inline bool IsLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

// Position of the character start after the one at `pos`. For a lead byte that is the last byte of the
// text this is text.size() + 1: the scan has run past the end and stops there.
inline std::size_t NextCharacter(std::string_view text, std::size_t pos) {
  return pos + (IsLeadByte(text[pos]) ? 2 : 1);
}

std::int64_t ByteLength(std::string_view text);

// The bytes of the Text, without a terminator.
std::string TextToBytes(std::string_view text);

// The bytes up to, not including, the first zero byte.
Text BytesToText(std::string_view bytes);
