#include "runtime/functions.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <string_view>

#include "app/datafiles.h"
#include "platform/clock.h"
#include "platform/codec.h"
#include "platform/errors.h"
#include "platform/inifile.h"

namespace orvela {

double lastrnd = 0;

namespace {

constexpr int kSignificantDigits = 15;
// Plain notation from 0.0001 up to numbers with 15 integer digits.
constexpr int kLowestPlainExponent = -4;
constexpr int kHighestPlainExponent = kSignificantDigits - 1;
constexpr std::mt19937_64::result_type kStartSeed = 5489u;

std::string decimalseparator() {
    const std::string separator = codec::fromQString(QLocale().decimalPoint());
    // A separator that Windows-1250 cannot hold as one character falls back to the point.
    return separator.size() == 1 && separator != "?" ? separator : ".";
}

std::mt19937_64& generator() {
    static std::mt19937_64 instance(kStartSeed);
    return instance;
}

// 53 random bits scaled into [0, 1); 1 itself can never come out.
double draw() { return static_cast<double>(generator()() >> 11) * 0x1.0p-53; }

bool decimaldigit(char c) { return c >= '0' && c <= '9'; }

std::string_view digitsFrom(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && decimaldigit(text[at])) ++at;
    return text.substr(start, at - start);
}

// Blanks, a sign, digits with an optional "." part, an optional exponent; nothing else.
std::optional<double> decimalnumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ') ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    const std::string_view whole = digitsFrom(text, at);
    std::string_view fraction;
    if (at < text.size() && text[at] == '.') fraction = digitsFrom(text, ++at);
    if (whole.empty() && fraction.empty()) return std::nullopt;

    std::string plain(whole.empty() ? "0" : whole);
    if (!fraction.empty()) plain.append(".").append(fraction);
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        plain += 'e';
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) plain += text[at++];
        const std::string_view exponent = digitsFrom(text, at);
        if (exponent.empty()) return std::nullopt;
        plain.append(exponent);
    }
    if (at != text.size()) return std::nullopt;

    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    // Beyond the range of a double the text is no number the runtime can hold.
    if (error != std::errc{} || end != plain.data() + plain.size()) return std::nullopt;
    return negative ? -value : value;
}

}  // namespace

std::string numbertext(double x) {
    if (std::isnan(x)) return "NAN";
    if (std::isinf(x)) return x > 0 ? "INF" : "-INF";
    if (x == 0) return "0";

    // d.dddddddddddddde±xx: the value already rounded to 15 significant digits.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x), std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = scientific.find('e');
    std::string digits = std::string(1, scientific[0]) + std::string(scientific.substr(2, e - 2));
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    int exponent = 0;
    std::from_chars(scientific.data() + e + 2, scientific.data() + scientific.size(), exponent);
    if (scientific[e + 1] == '-') exponent = -exponent;

    const std::string separator = decimalseparator();
    std::string out = x < 0 ? "-" : "";
    if (exponent >= kLowestPlainExponent && exponent <= kHighestPlainExponent) {
        if (exponent < 0) {
            out += "0" + separator + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        } else {
            const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= wholeDigits) {
                out += digits + std::string(wholeDigits - digits.size(), '0');
            } else {
                out += digits.substr(0, wholeDigits) + separator + digits.substr(wholeDigits);
            }
        }
    } else {
        out += digits.substr(0, 1);
        if (digits.size() > 1) out += separator + digits.substr(1);
        out += "E" + std::string(exponent < 0 ? "-" : "") + std::to_string(std::abs(exponent));
    }
    return out;
}

double rnd(double x) {
    if (x == 0 || std::isnan(x)) return lastrnd;
    if (x < 0) randomize();
    const double r = draw();
    // The extra draw keeps rnd(0) from repeating r.
    lastrnd = draw();
    return r;
}

void randomize() {
    const std::int64_t ms = clock().nowMs();
    const std::tm now = clock().localTime();
    std::seed_seq seed{static_cast<std::uint32_t>(ms), static_cast<std::uint32_t>(ms >> 32),
                       static_cast<std::uint32_t>(now.tm_year), static_cast<std::uint32_t>(now.tm_yday),
                       static_cast<std::uint32_t>(now.tm_hour * 3600 + now.tm_min * 60 + now.tm_sec)};
    generator().seed(seed);
}

void resetrnd() {
    generator().seed(kStartSeed);
    lastrnd = 0;
}

std::uint8_t peek(double address) {
    if (!(address > -1 && address < static_cast<double>(kRamSize))) return 0;
    return ramimage[static_cast<std::size_t>(static_cast<int>(address))];
}

std::string timetext() {
    const std::tm now = clock().localTime();
    char text[40];
    std::snprintf(text, sizeof text, "%02d %02d %02d ", now.tm_hour, now.tm_min, now.tm_sec);
    return text;
}

std::string lefttext(const std::string& text, double n) {
    if (!(n >= 1)) return {};
    if (n >= static_cast<double>(text.size())) return text;
    return text.substr(0, static_cast<std::size_t>(n));
}

double val(const std::string& text) {
    if (text.find('%') != std::string::npos) {
        std::string converted = text;
        std::replace(converted.begin(), converted.end(), '%', '$');
        const auto value = IniFile::parseInteger(converted);
        if (!value) throw ConvertError(converted);
        return *value;
    }
    return decimalnumber(text).value_or(0);
}

std::uint8_t asc(const std::string& text) { return text.empty() ? 0 : static_cast<std::uint8_t>(text[0]); }

}  // namespace orvela
