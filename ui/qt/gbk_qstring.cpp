#include "ui/qt/gbk_qstring.h"

#include "ui/gbk_codec.h"

QString ToQString(const Text& text) {
  std::u16string characters = DecodeGbk(text);
  return QString::fromUtf16(characters.data(), static_cast<qsizetype>(characters.size()));
}

Text ToText(const QString& text) {
  return EncodeGbk(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                       static_cast<std::size_t>(text.size())));
}
