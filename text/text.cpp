#include "text/text.h"

#include <cstring>

std::int64_t ByteLength(std::string_view text) {
  return static_cast<std::int64_t>(text.size());
}

std::string TextToBytes(std::string_view text) {
  return std::string(text);
}

Text BytesToText(std::string_view bytes) {
  // A Text never holds a zero byte, so bytes from outside (files, the wire) end at the first one.
  // memchr may not be given the null pointer of an empty view, even for no bytes.
  if (bytes.empty()) return Text();
  const void* zero = std::memchr(bytes.data(), '\0', bytes.size());
  if (zero == nullptr) return Text(bytes);
  return Text(bytes.substr(0, static_cast<const char*>(zero) - bytes.data()));
}
