#pragma once
// Texts cross into the widgets as Unicode and come back as GBK (ui/gbk_codec.h).

#include <QString>

#include "text/text.h"

QString ToQString(const Text& text);
Text ToText(const QString& text);
