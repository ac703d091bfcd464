#include "runtime/print.h"

#include <QLocale>
#include <gtest/gtest.h>

#include "platform/codec.h"
#include "platform/eventpump.h"
#include "platform/testing/virtualtime.h"
#include "runtime/screen.h"
#include "support/speechrecorder.h"

using namespace orvela;
using Strings = std::vector<std::string>;

namespace {

std::string padded(const std::string& text) { return text + std::string(80 - text.size(), ' '); }

class PrintTest : public ::testing::Test {
protected:
    orvela::testing::VirtualTime time;
    orvela::testing::SpeechRecorder recorder;
    void SetUp() override { resetscreen(); }
    void TearDown() override {
        time.onPass = nullptr;
        time.onStall = nullptr;
        resetscreen();
    }
    const std::string& line(int row) { return screen().lines()[static_cast<std::size_t>(row)]; }
};

TEST_F(PrintTest, LeadingPunctuationIsShownAndBecomesPauses) {
    struct Case {
        std::string text;
        int pauseMs;
        Strings spoken;
    } cases[] = {
        {";", 300, {}},
        {";nový rekord!"_cp, 300, {"nový rekord!"_cp}},
        {",e,; ukončeňie hry."_cp, 300, {"e,; ukončeňie hry."_cp}},
        {" ,blank first", 300, {"blank first"}},
        {"...three", 900, {"three"}},
        {"?. ;after a blank", 600, {" ;after a blank"}},
        {"\x01\t;control characters", 300, {"control characters"}},
        {"a.b", 0, {"a.b"}},
        {"  leading blanks", 0, {"  leading blanks"}},
        {"   ", 0, {"   "}},
    };
    for (const auto& c : cases) {
        resetscreen();
        recorder.clear();
        const auto slept = time.slept();
        printandspeak(c.text, 0);
        EXPECT_EQ(time.slept() - slept, c.pauseMs) << c.text;
        EXPECT_EQ(recorder.spoken(), c.spoken) << c.text;
        EXPECT_EQ(line(0), padded(c.text)) << c.text;
        EXPECT_EQ(scrcursor.getrow(), 1);
        EXPECT_EQ(scrcursor.getcol(), 0);
    }
}

// The text is on the screen before anything else happens, and the pauses handle no
// window event: the first pass over events comes with the speech, after both pauses.
TEST_F(PrintTest, ShownThenPausedWithoutEventsThenSpoken) {
    std::int64_t sleptAtFirstPass = -1;
    std::string screenAtFirstPass;
    time.onPass = [&] {
        if (sleptAtFirstPass >= 0) return;
        sleptAtFirstPass = time.slept();
        screenAtFirstPass = line(0);
    };
    printandspeak(";;ďalej"_cp, 1);
    EXPECT_EQ(sleptAtFirstPass, 600);
    EXPECT_EQ(screenAtFirstPass, padded(";;ďalej"_cp));
    EXPECT_EQ(recorder.spoken(), Strings{"ďalej"_cp});
}

TEST_F(PrintTest, EndingPlacesTheCursor) {
    printandspeak("kódy."_cp, 1);
    EXPECT_EQ(scrcursor.getcol(), 5);
    EXPECT_EQ(scrcursor.getrow(), 0);
    printandspeak(";doterajší bol:"_cp, 2);
    EXPECT_EQ(line(0), padded("kódy.;doterajší bol:"_cp));
    EXPECT_EQ(scrcursor.getcol(), 24);
    EXPECT_EQ(printend, 2);
    EXPECT_EQ(recorder.spoken(), (Strings{"kódy."_cp, "doterajší bol:"_cp}));
}

TEST_F(PrintTest, EmptyTextMovesToANewLineSilently) {
    printandspeak("", 0);
    EXPECT_EQ(line(0), padded(""));
    EXPECT_EQ(scrcursor.getrow(), 1);
    EXPECT_EQ(time.slept(), 0);
    EXPECT_TRUE(recorder.spoken().empty());
}

TEST_F(PrintTest, NumberIsShownAndSpokenInItsGeneralForm) {
    printnumber(0, 12);
    EXPECT_EQ(line(0), padded("12"));
    EXPECT_EQ(scrcursor.getrow(), 1);
    EXPECT_EQ(scrcursor.getcol(), 0);

    QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Slovak));
    printnumber(1, -2.5);
    QLocale::setDefault(saved);
    EXPECT_EQ(line(1), padded("-2,5"));
    EXPECT_EQ(scrcursor.getcol(), 4);
    EXPECT_EQ(time.slept(), 0);
    EXPECT_EQ(recorder.spoken(), (Strings{"12", "-2,5"}));
}

// Every text waits for its speech to end, so a program's output is heard in order.
TEST(PrintOrder, EachTextIsSpokenToItsEndBeforeTheNextStarts) {
    orvela::testing::VirtualTime time;
    orvela::testing::SpeechRecorder recorder(orvela::testing::SpeechRecorder::Engine::service);
    recorder.service.setReports(orvela::testing::RecordingSpeechService::Reports::none);
    Strings heard;
    time.onStall = [&] {
        heard.push_back(recorder.spoken().empty() ? std::string() : recorder.spoken().back());
        if (recorder.service.speaking())
            recorder.service.endStream();
        else
            recorder.service.startStream();
    };
    printandspeak(";prvé"_cp, 0);
    printnumber(0, 3);
    time.onStall = nullptr;
    resetscreen();
    EXPECT_EQ(heard, (Strings{"prvé"_cp, "prvé"_cp, "3", "3"}));
}

}  // namespace
