#include "ui/gbk_codec.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

constexpr char16_t kNoCharacter = 0;

struct Tables {
  // Indexed by lead byte * 256 + trail byte; kNoCharacter where the pair is not GBK.
  std::vector<char16_t> pairToCharacter = std::vector<char16_t>(65536, kNoCharacter);
  // A single byte of 0x80 or above that is a character of its own (only 0x80 in glibc's GBK).
  std::array<char16_t, 256> singleToCharacter{};
  // Indexed by character: the GBK code, a pair as lead * 256 + trail or a single byte; 0 when none.
  std::vector<std::uint16_t> characterToCode = std::vector<std::uint16_t>(65536, 0);
};

// One character of `in` converted by `cd`, or kNoCharacter when the conversion does not give exactly
// one UTF-16 unit.
char16_t DecodeOne(iconv_t cd, const char* bytes, std::size_t count) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char out[8];
  char* src = const_cast<char*>(bytes);
  char* dst = out;
  std::size_t srcLeft = count;
  std::size_t dstLeft = sizeof out;
  if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return kNoCharacter;
  if (srcLeft != 0 || sizeof out - dstLeft != 2) return kNoCharacter;
  return static_cast<char16_t>(static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8);
}

std::string EncodeOne(iconv_t cd, char16_t character) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char in[2] = {static_cast<char>(character & 0xFF), static_cast<char>(character >> 8)};
  char out[8];
  char* src = in;
  char* dst = out;
  std::size_t srcLeft = sizeof in;
  std::size_t dstLeft = sizeof out;
  if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return {};
  return std::string(out, sizeof out - dstLeft);
}

// A character may stand for GBK bytes only when it encodes back to exactly those bytes and cannot be
// mistaken for one of the characters that the codec gives a meaning of its own.
bool Usable(char16_t character) {
  if (character < 0x80) return false;
  if (character >= kByteCharacterBase && character < kByteCharacterBase + 256) return false;
  if (character == 0x2028 || character == 0x2029) return false;
  return character < 0xD800 || character > 0xDFFF;
}

Tables BuildTables() {
  Tables tables;
  iconv_t decoder = iconv_open("UTF-16LE", "GBK");
  iconv_t encoder = iconv_open("GBK", "UTF-16LE");
  if (decoder == reinterpret_cast<iconv_t>(-1) || encoder == reinterpret_cast<iconv_t>(-1)) return tables;
  for (int lead = 0x80; lead <= 0xFF; ++lead) {
    char single[1] = {static_cast<char>(lead)};
    char16_t character = DecodeOne(decoder, single, 1);
    if (Usable(character) && EncodeOne(encoder, character) == std::string(single, 1)) {
      tables.singleToCharacter[lead] = character;
      tables.characterToCode[character] = static_cast<std::uint16_t>(lead);
    }
    for (int trail = 0x01; trail <= 0xFF; ++trail) {
      char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      character = DecodeOne(decoder, pair, 2);
      if (!Usable(character) || EncodeOne(encoder, character) != std::string(pair, 2)) continue;
      tables.pairToCharacter[lead << 8 | trail] = character;
      tables.characterToCode[character] = static_cast<std::uint16_t>(lead << 8 | trail);
    }
  }
  iconv_close(decoder);
  iconv_close(encoder);
  return tables;
}

const Tables& GbkTables() {
  static const Tables tables = BuildTables();
  return tables;
}

}  // namespace

std::u16string DecodeGbk(std::string_view bytes) {
  const Tables& tables = GbkTables();
  std::u16string text;
  text.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    unsigned char byte = static_cast<unsigned char>(bytes[i]);
    if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      text.push_back(u'\n');
      i += 2;
      continue;
    }
    if (byte < 0x80 && byte != '\r' && byte != '\n') {
      text.push_back(byte);
      ++i;
      continue;
    }
    if (byte >= 0x80 && i + 1 < bytes.size()) {
      char16_t character = tables.pairToCharacter[byte << 8 | static_cast<unsigned char>(bytes[i + 1])];
      if (character != kNoCharacter) {
        text.push_back(character);
        i += 2;
        continue;
      }
    }
    char16_t single = tables.singleToCharacter[byte];
    text.push_back(single != kNoCharacter ? single : static_cast<char16_t>(kByteCharacterBase + byte));
    ++i;
  }
  return text;
}

Text EncodeGbk(std::u16string_view text) {
  const Tables& tables = GbkTables();
  Text bytes;
  bytes.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t character = text[i];
    if (character == u'\n' || character == 0x2028 || character == 0x2029) {
      bytes += "\r\n";
    } else if (character > 0 && character < 0x80) {
      bytes.push_back(static_cast<char>(character));
    } else if (character > kByteCharacterBase && character < kByteCharacterBase + 256) {
      bytes.push_back(static_cast<char>(character - kByteCharacterBase));
    } else if (character >= 0xD800 && character <= 0xDBFF) {
      // A character beyond the BMP has no GBK form; its two halves are one character.
      if (i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
      bytes.push_back('?');
    } else if (std::uint16_t code = tables.characterToCode[character]; code >= 0x100) {
      bytes.push_back(static_cast<char>(code >> 8));
      bytes.push_back(static_cast<char>(code & 0xFF));
    } else if (code != 0) {
      bytes.push_back(static_cast<char>(code));
    } else {
      bytes.push_back('?');
    }
  }
  return bytes;
}
