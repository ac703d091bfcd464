#include "runtime/functions.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <set>

#include "app/datafiles.h"
#include "platform/codec.h"
#include "platform/errors.h"
#include "platform/testing/virtualtime.h"

using namespace orvela;

namespace {

class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(saved_); }

private:
    QLocale saved_;
};

struct NumberCase {
    double value;
    const char* point;  // as shown with a decimal point; a comma locale swaps in ","
};

const NumberCase kNumbers[] = {
    {12, "12"},
    {-0.5, "-0.5"},
    {1.0 / 3, "0.333333333333333"},
    {2.0 / 3, "0.666666666666667"},
    {0.1 + 0.2, "0.3"},
    {0.0001, "0.0001"},
    {0.00012345, "0.00012345"},
    {0.00001, "1E-5"},
    {-1.5e-7, "-1.5E-7"},
    {1e20, "1E20"},
    {1.5e300, "1.5E300"},
    {0, "0"},
    {-0.0, "0"},
    {100, "100"},
    {1234.5, "1234.5"},
    {123456789012345, "123456789012345"},
    {1e15, "1E15"},
    // Rounding to 15 digits carries into a 16th integer digit.
    {999999999999999.5, "1E15"},
    {-2147483648.0, "-2147483648"},
};

std::string withSeparator(std::string text, char separator) {
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

TEST(NumberText, GeneralFormWithThePointOfTheLocale) {
    LocaleGuard english(QLocale(QLocale::English, QLocale::UnitedStates));
    for (const auto& c : kNumbers) EXPECT_EQ(numbertext(c.value), c.point) << c.point;
}

TEST(NumberText, GeneralFormWithTheCommaOfACzechOrSlovakUser) {
    for (const auto language : {QLocale::Czech, QLocale::Slovak}) {
        LocaleGuard user{QLocale(language)};
        for (const auto& c : kNumbers) EXPECT_EQ(numbertext(c.value), withSeparator(c.point, ',')) << c.point;
    }
}

TEST(NumberText, ValuesOutsideTheNumbersHaveAText) {
    EXPECT_EQ(numbertext(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(numbertext(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(numbertext(std::numeric_limits<double>::quiet_NaN()), "NAN");
}

TEST(NumberText, ReadsBackThroughValToFifteenDigits) {
    LocaleGuard english(QLocale(QLocale::English, QLocale::UnitedStates));
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-40, 40);
    for (int i = 0; i < 2000; ++i) {
        const double x = mantissa(random) * std::pow(10.0, exponent(random));
        const std::string text = numbertext(x);
        const double back = val(text);
        EXPECT_LE(std::fabs(back - x), std::fabs(x) * 1e-14) << text;
        EXPECT_EQ(numbertext(back), text);
    }
}

TEST(Val, DecimalTextsAndThePercentHexadecimalForm) {
    LocaleGuard czech{QLocale(QLocale::Czech)};  // the decimal point of val never follows the locale
    struct Case {
        std::string text;
        double expected;
    } cases[] = {
        {"7", 7},         {" 7", 7},        {"7 ", 0},        {"3,5", 0},       {"3.5", 3.5},
        {"%1F", 31},      {"1e3", 1000},    {"", 0},          {"%FF", 255},     {"-%10", -16},
        {"  %ff", 255},   {"+%a", 10},      {"+2.5E-1", 0.25}, {"-.5", -0.5},   {"5.", 5},
        {".", 0},         {"e3", 0},        {"1e", 0},        {"1e+", 0},       {"abc", 0},
        {"--1", 0},       {"\t7", 0},       {"7x", 0},        {"1.2.3", 0},     {"-", 0},
        {"1e400", 0},     {"%FFFFFFFF", -1}, {"-%80000000", -2147483648.0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(val(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Val, PercentTextThatIsNoIntegerRaisesWithTheConvertedText) {
    const std::string cases[] = {"12%", "%", "%%1", "%1G", "%1 ", "% 1", "%100000000", "1%0", "3.5%"};
    for (const auto& text : cases) {
        std::string converted = text;
        std::replace(converted.begin(), converted.end(), '%', '$');
        try {
            val(text);
            ADD_FAILURE() << text << " was accepted";
        } catch (const ConvertError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + converted + "' is not a valid integer value");
        }
    }
}

class Rnd : public ::testing::Test {
protected:
    void SetUp() override { resetrnd(); }
    void TearDown() override { resetrnd(); }
};

TEST_F(Rnd, ZeroBeforeAnyDrawGivesZero) { EXPECT_EQ(rnd(0), 0); }

TEST_F(Rnd, ZeroGivesTheExtraDrawNotTheReturnedOne) {
    const double first = rnd(1);
    const double second = rnd(1);
    for (double r : {first, second}) {
        EXPECT_GE(r, 0);
        EXPECT_LT(r, 1);
    }
    EXPECT_NE(first, second);
    const double last = rnd(0);
    EXPECT_NE(last, first);
    EXPECT_NE(last, second);
    EXPECT_EQ(rnd(0), last);
    EXPECT_EQ(last, lastrnd);
}

TEST_F(Rnd, GameDigitsCoverOneToNineEvenly) {
    int counts[10] = {};
    constexpr int kDraws = 9000;
    for (int i = 0; i < kDraws; ++i) {
        const double r = rnd(0.5);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 1);
        ++counts[static_cast<int>(r * 9 + 1)];
    }
    EXPECT_EQ(counts[0], 0);
    for (int digit = 1; digit <= 9; ++digit) {
        EXPECT_GT(counts[digit], 800) << digit;
        EXPECT_LT(counts[digit], 1200) << digit;
    }
}

std::vector<double> drawsAfterSeedingAt(std::int64_t ms, int second) {
    orvela::testing::VirtualTime time;
    time.advance(ms);
    time.setTimeOfDay(10, 0, second);
    randomize();
    return {rnd(1), rnd(1), rnd(1)};
}

TEST_F(Rnd, SeedComesFromTheClock) {
    EXPECT_EQ(drawsAfterSeedingAt(1000, 5), drawsAfterSeedingAt(1000, 5));
    EXPECT_NE(drawsAfterSeedingAt(1000, 5), drawsAfterSeedingAt(1001, 5));
    EXPECT_NE(drawsAfterSeedingAt(1000, 5), drawsAfterSeedingAt(1000, 6));
}

TEST_F(Rnd, NegativeArgumentReseedsFromTheClock) {
    orvela::testing::VirtualTime time;
    time.setTimeOfDay(8, 30, 0);
    rnd(1);
    randomize();
    const double seeded = rnd(1);
    rnd(1);
    const double again = rnd(-1);
    EXPECT_EQ(again, seeded);
    EXPECT_GE(again, 0);
    EXPECT_LT(again, 1);
}

TEST(Peek, ReadsTheMemoryImageAtTheTruncatedOffset) {
    const auto saved = ramimage;
    ramimage[0] = 11;
    ramimage[50730] = 7;
    ramimage[65535] = 255;
    struct Case {
        double address;
        int expected;
    } cases[] = {{50730, 7}, {50730.9, 7}, {0, 11}, {-0.5, 11}, {65535, 255}, {65535.99, 255},
                 {65536, 0}, {-1, 0},      {1e12, 0}, {-1e12, 0}, {std::nan(""), 0}};
    for (const auto& c : cases) EXPECT_EQ(peek(c.address), c.expected) << c.address;
    ramimage = saved;
}

TEST(TimeText, TwoDigitsAndABlankForHoursMinutesSeconds) {
    orvela::testing::VirtualTime time;
    struct Case {
        int hour, minute, second;
        const char* expected;
    } cases[] = {{7, 4, 9, "07 04 09 "}, {14, 5, 9, "14 05 09 "}, {0, 0, 0, "00 00 00 "}, {23, 59, 59, "23 59 59 "}};
    for (const auto& c : cases) {
        time.setTimeOfDay(c.hour, c.minute, c.second);
        EXPECT_EQ(timetext(), c.expected);
    }
    time.setTimeOfDay(14, 5, 9);
    EXPECT_EQ(lefttext(timetext(), 5), "14 05");
}

TEST(LeftText, TruncatedCountClampedToTheText) {
    struct Case {
        double n;
        const char* expected;
    } cases[] = {{0, ""},        {-3, ""},           {-2.7, ""},     {0.5, ""},    {2.7, "ná"},
                 {5, "nápis"},   {6, "nápis"},       {1e300, "nápis"}, {std::nan(""), ""}};
    for (const auto& c : cases) EXPECT_EQ(lefttext("nápis"_cp, c.n), codec::utf8ToCp1250(c.expected)) << c.n;
    EXPECT_EQ(lefttext("", 3), "");
}

TEST(Asc, CodeOfTheFirstByte) {
    EXPECT_EQ(asc("A"), 65);
    EXPECT_EQ(asc("abc"), 97);
    EXPECT_EQ(asc("č"_cp), 0xE8);
    EXPECT_EQ(asc("\r"), 13);
    EXPECT_EQ(asc(""), 0);
}

}  // namespace
