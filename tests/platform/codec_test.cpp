#include "platform/codec.h"

#include <gtest/gtest.h>

using namespace orvela::codec;

TEST(Codec, CzechAndSlovakLettersBecomeWindows1250Bytes) {
    EXPECT_EQ(utf8ToCp1250("Čeština"), "\xC8""e\x9Atina");
    EXPECT_EQ(utf8ToCp1250("ľ ĺ ô ŕ ä"), "\xBE \xE5 \xF4 \xE0 \xE4");
    EXPECT_EQ(cp1250ToUtf8("\x8A\x8E\xA7"), "ŠŽ§");
}

TEST(Codec, EveryByteRoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1250(cp1250ToUtf8(all)), all);
    EXPECT_EQ(fromQString(toQString(all)), all);
}

TEST(Codec, UnmappableAndBrokenInputBecomesQuestionMark) {
    EXPECT_EQ(utf8ToCp1250("日"), "?");
    EXPECT_EQ(utf8ToCp1250("a\xC3"), "a?");
    EXPECT_EQ(utf8ToCp1250("\xFF" "b"), "?b");
    EXPECT_EQ(fromQString(QString::fromUtf8("ø")), "?");
}

TEST(Codec, LiteralSuffixGivesWindows1250) {
    EXPECT_EQ("ďeveť"_cp, "\xEF" "eve\x9D");
}
