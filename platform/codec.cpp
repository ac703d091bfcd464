#include "platform/codec.h"

namespace orvela::codec {

QString toQString(std::string_view cp1250) {
    QString out;
    out.reserve(static_cast<qsizetype>(cp1250.size()));
    for (char c : cp1250) out += QChar(static_cast<char16_t>(unicodeFromCp1250(static_cast<unsigned char>(c))));
    return out;
}

std::string fromQString(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar ch : text) {
        const unsigned char byte = cp1250FromUnicode(ch.unicode());
        out += (byte == 0 && ch.unicode() != 0) ? '?' : static_cast<char>(byte);
    }
    return out;
}

}  // namespace orvela::codec
