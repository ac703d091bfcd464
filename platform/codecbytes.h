#pragma once
// The codec's conversions between Windows-1250 and UTF-8 bytes, free of Qt so that the
// file parsers and their fuzzers can use them.
#include <string>
#include <string_view>

namespace orvela::codec {

// Characters that Windows-1250 cannot hold become '?'.
std::string utf8ToCp1250(std::string_view utf8);
std::string cp1250ToUtf8(std::string_view cp1250);
// One Windows-1250 byte for a Unicode code point, or 0 when there is none.
unsigned char cp1250FromUnicode(char32_t codepoint);
char32_t unicodeFromCp1250(unsigned char byte);

}  // namespace orvela::codec

// Source files are UTF-8; this turns a literal into the Windows-1250 text the runtime works with.
inline std::string operator""_cp(const char* utf8, std::size_t size) {
    return orvela::codec::utf8ToCp1250(std::string_view(utf8, size));
}
