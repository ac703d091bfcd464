#include "runtime/print.h"

#include <string_view>

#include "platform/clock.h"
#include "runtime/functions.h"
#include "runtime/screen.h"
#include "speech/speechoutput.h"

namespace orvela {

namespace {

constexpr int kPunctuationPauseMs = 300;
constexpr std::string_view kPausingPunctuation = ".,;?";

bool blankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }
bool pausing(char c) { return kPausingPunctuation.find(c) != std::string_view::npos; }

}  // namespace

void printandspeak(const std::string& text, std::uint8_t ending) {
    printend = ending;
    printtext(text);
    if (text.empty()) return;

    std::size_t start = 0;
    while (start < text.size() && blankOrControl(text[start])) ++start;
    if (start == text.size() || !pausing(text[start])) {
        speech::speakandwait(text);
        return;
    }
    // Punctuation at the start is how programs put silences into their speech.
    while (start < text.size() && pausing(text[start])) {
        clock().sleepMs(kPunctuationPauseMs);
        ++start;
    }
    if (start < text.size()) speech::speakandwait(text.substr(start));
}

void printnumber(std::uint8_t ending, double x) {
    const std::string text = numbertext(x);
    printend = ending;
    printtext(text);
    if (!text.empty()) speech::speakandwait(text);
}

}  // namespace orvela
