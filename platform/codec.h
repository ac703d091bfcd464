#pragma once
// Every text of the system is held as Windows-1250 bytes; conversions happen only here.
#include <QString>
#include <string>
#include <string_view>

#include "platform/codecbytes.h"

namespace orvela::codec {

QString toQString(std::string_view cp1250);
std::string fromQString(const QString& text);

}  // namespace orvela::codec
