// Whole runs of the logic game with a scripted player: what is said, played and asked.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "program/orvprog.h"
#include "runtime/input.h"
#include "tests/program/gametranscript.h"

namespace orvela::testing {
namespace {

TEST(GameRun, OpeningAsksForTheCodes) {
    GameRun run;
    EXPECT_FALSE(run.play());
    const lines opening = notes({{400, 500}, {500, 500}, {600, 500}, {800, 1000}}, 1) + kJingle + say("hra logik.") +
                          notes({{700, 100}, {600, 100}, {500, 100}, {400, 100}}, 1) +
                          say("hladaňie správnej kombinácie čísiel 1 až ďeveť.") + kJingle + question(kCodes) +
                          lines{"click9"};
    EXPECT_EQ(run.transcript, opening);
}

struct IntroCase {
    const char* codesAnswer;
    const char* rulesAnswer;
    bool codes;
    bool rules;
};

class GameIntro : public ::testing::TestWithParam<IntroCase> {};

TEST_P(GameIntro, CodesAndRulesOnlyOnASmallA) {
    const IntroCase& c = GetParam();
    GameRun run({c.codesAnswer, c.rulesAnswer});
    EXPECT_FALSE(run.play());
    EXPECT_EQ(count(run.transcript, "say kódy."), c.codes ? 1u : 0u);
    EXPECT_EQ(count(run.transcript, "say tak vela šťasťia!"), c.rules ? 1u : 0u);
    // Whatever the answers, the rules question and then the column question follow.
    EXPECT_TRUE(hasRun(run.transcript, kJingle + question(kRules) + key(c.rulesAnswer)));
    const lines tail(run.transcript.end() - 3, run.transcript.end());
    EXPECT_EQ(tail, question(kColumns) + lines{"click9"});
}

INSTANTIATE_TEST_SUITE_P(Answers, GameIntro,
                         ::testing::Values(IntroCase{"a", "a", true, true}, IntroCase{"A", "x", false, false},
                                           IntroCase{"b", "a", false, true}, IntroCase{"a", "A", true, false},
                                           IntroCase{" a", "a ", false, false}));

TEST(GameRun, CodesAndRulesInFull) {
    GameRun run({"a", "a"});
    EXPECT_FALSE(run.play());
    const lines codes = key("a") + kJingle + say("kódy.") + kBeeps + say("e,; ukončeňie hry.") + kBeeps +
                        say("n,; začni novú hru.") + kBeeps + say("p,; pokračuj v hre.") + kBeeps +
                        say("z,; zopakuj vyhodnoťenie.") + kJingle + question(kRules) + key("a");
    EXPECT_TRUE(hasRun(run.transcript, codes));
    const lines rules =
        key("a") + say(kRulesDigits) + say(kRulesColumns) + say(kRulesSameDigits) + say(kRulesEnd) +
        say("pri hodnoťení zásahov sa používajú tri termíny.") + kBeeps + say("počet presných zásahov;") +
        lines{"beep"} + say("oznámeňie o počťe uhádnutých čísiel.") + kBeeps + say("počet zásahov vedla;") +
        lines{"beep"} + say("oznámeňie o počťe uhádnutých čísiel, ale tieto sa vyskytujú v inom stlpcy.") + kBeeps +
        say("počet ňepresných zásahov;") + lines{"beep"} + say("oznámeňie o počťe ňeuhádnutých čísiel.") +
        say(kRulesHit) + say("tak vela šťasťia!") + kJingle + question(kColumns) + lines{"click9"};
    EXPECT_TRUE(hasRun(run.transcript, rules));
}

TEST(GameRun, KeysTypedBeforeAQuestionAreThrownAway) {
    GameRun run({"x"});
    run.onSay = [](const std::string& text) {
        if (text == kCodes) inputline = "a";
    };
    EXPECT_FALSE(run.play());
    EXPECT_EQ(count(run.transcript, "say kódy."), 0u);
    EXPECT_TRUE(hasRun(run.transcript, question(kCodes) + key("x") + kJingle + question(kRules)));
}

TEST(GameRun, ALostGuessSaysItsThreeCounts) {
    GameRun run(skipIntro() + lines{"3", "2", "3", "1", "e"}, {1, 1, 2});
    EXPECT_TRUE(run.play());
    EXPECT_TRUE(hasRun(run.transcript, question(kColumns) + key("3") + say("zadaj  tri  čísla.") + kJingle +
                                           entry({"2", "3", "1"}) + digittones({2, 3, 1}, 200) +
                                           reports("nula,", "tri,", "nula,") + key("e") + kJingle));
}

TEST(GameRun, ZRepeatsTheEvaluationWithoutCountingAnAttempt) {
    GameRun run(skipIntro() + lines{"4", "9", "1", "8", "2", "z", "p", "7", "1", "8", "2", "e"}, {7, 1, 8, 2});
    EXPECT_TRUE(run.play());
    const lines lost = reports("tri,", "nula,", "jedna,");
    EXPECT_TRUE(hasRun(run.transcript, lost + key("z") + say("typuješ čísla") + say("ďeveť,") + say("jedna,") +
                                           say("osem,") + say("dva,") + say("z toho je:") +
                                           digittones({9, 1, 8, 2}, 200) + lost + key("p") +
                                           say("zadaj  štyri  čísla.") + kJingle + entry({"7", "1", "8", "2"}) +
                                           kWin));
    EXPECT_TRUE(hasRun(run.transcript, say("počet pokusov ") + say("2")));
}

struct BadChord {
    const char* text;
    int tone;  // the digit tone of the entered value; 0 where the device refuses its rate
};

// One SOUND note of the digit tone, or any note where the device refuses the rate.
lines chordtone(const BadChord& c, int ms) {
    return c.tone ? notes({{c.tone, ms}}, 1) : lines{"note *"};
}

class GameBadChord : public ::testing::TestWithParam<BadChord> {};

TEST_P(GameBadChord, CountsTheAttemptThenAsksForTheWholeCombinationAgain) {
    const BadChord& c = GetParam();
    GameRun run(skipIntro() + lines{"3", "x", "0", "5%", c.text, "2", "3", "1", "2", "3", "e"}, {1, 2, 3});
    EXPECT_TRUE(run.play());
    // x, 0 and a chord val refuses are ignored without a word; the chord's value sounds,
    // the attempt is evaluated, and its replay stops at the bad column.
    EXPECT_TRUE(hasRun(run.transcript, question("vlož prvé číslo") + key("x") + key("0") + key("5%") + key(c.text) +
                                           chordtone(c, 100) + prompt(1, "2") + prompt(2, "3") +
                                           chordtone(c, 200) + say("chybný zápis! ešťe raz ") +
                                           say("zadaj  tri  čísla.") + kJingle + entry({"1", "2", "3"}) + kWin));
    EXPECT_TRUE(hasRun(run.transcript, say("počet pokusov ") + say("2")));
}

INSTANTIATE_TEST_SUITE_P(Chords, GameBadChord,
                         ::testing::Values(BadChord{"55", 0}, BadChord{"12", 12 * 70 + 500},
                                           BadChord{"5x", 500}));

struct LaterBadChord {
    const char* name;
    lines typed;     // one combination, a chord text in a later column
    lines entered;   // its prompts, keys and entry tones
    lines replayed;  // the replay tones up to the bad column
};

void PrintTo(const LaterBadChord& c, std::ostream* out) { *out << c.name; }

class GameLaterBadChord : public ::testing::TestWithParam<LaterBadChord> {};

TEST_P(GameLaterBadChord, ReplaysTheGoodColumnsBeforeTheComplaint) {
    const LaterBadChord& c = GetParam();
    GameRun run(skipIntro() + lines{"3"} + c.typed + lines{"1", "2", "3", "e"}, {1, 2, 3});
    EXPECT_TRUE(run.play());
    EXPECT_TRUE(hasRun(run.transcript, c.entered + c.replayed + say("chybný zápis! ešťe raz ") +
                                           say("zadaj  tri  čísla.") + kJingle + entry({"1", "2", "3"}) + kWin));
}

INSTANTIATE_TEST_SUITE_P(
    Chords, GameLaterBadChord,
    ::testing::Values(LaterBadChord{"SecondColumn", {"1", "12", "3"},
                                    prompt(0, "1") + question("vlož druhé číslo") + key("12") +
                                        notes({{1340, 100}}, 1) + prompt(2, "3"),
                                    notes({{570, 200}, {1340, 200}}, 1)},
                      LaterBadChord{"ThirdColumn", {"1", "2", "5x"},
                                    entry({"1", "2"}) + question("vlož treťie číslo") + key("5x") +
                                        notes({{500, 100}}, 1),
                                    notes({{570, 200}, {640, 200}, {500, 200}}, 1)}),
    [](const ::testing::TestParamInfo<LaterBadChord>& info) { return std::string(info.param.name); });


TEST(GameRun, AWinPlaysTheWinTuneAndSetsTheFirstRecordSilently) {
    GameRun run(skipIntro() + lines{"3", "4", "5", "6", "e"}, {4, 5, 6});
    EXPECT_TRUE(run.play());
    // After the win the choice waits without a click 19.
    EXPECT_TRUE(hasRun(run.transcript, entry({"4", "5", "6"}) + winning({"štyri,", "peť,", "šesť,"}, "1") + kTime +
                                           lines{"key e"}));
    EXPECT_TRUE(hasRun(run.transcript, say("hra s troma číslami") + say("1") + say("hra so štyrmi číslami") +
                                           say("sa ňehrala.")));
}

TEST(GameRun, RecordsNewEqualAndWorse) {
    GameRun run(skipIntro() + lines{
                                  "3", "1", "1", "1", "p", "2", "2", "2",  // won in 2 attempts: the first record
                                  "p", "3", "3", "3", "3",                 // "p" after a win: a new game, won at once
                                  "n", "3", "4", "4", "4",                 // equal to the record
                                  "n", "3", "1", "1", "1", "p", "1", "1", "1", "p", "5", "5", "5",  // worse
                                  "e"},
                {2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5});
    EXPECT_TRUE(run.play());
    const lines& t = run.transcript;
    // The first win only says its attempts.
    EXPECT_TRUE(hasRun(t, winning({"dva,", "dva,", "dva,"}, "2") + kTime + lines{"key p"} + kJingle +
                              question(kColumns) + key("3")));
    EXPECT_TRUE(hasRun(t, winning({"tri,", "tri,", "tri,"}, "1") + kFanfare + say("nový rekord!") + kJingle +
                              say("doterajší bol:") + say("2") + kTime));
    EXPECT_TRUE(hasRun(t, winning({"štyri,", "štyri,", "štyri,"}, "1") + equalSweeps() +
                              say("vyrovnaňie doterajšieho rekordu!") + kTime));
    EXPECT_TRUE(hasRun(t, winning({"peť,", "peť,", "peť,"}, "3") + kTime));
    EXPECT_EQ(count(t, "say nový rekord!"), 1u);
    EXPECT_EQ(count(t, "say vyrovnaňie doterajšieho rekordu!"), 1u);
    EXPECT_TRUE(hasRun(t, say("počet hier ") + say("4") + kJingle + say("prehlad o použitých pokusoch:") +
                              say("hra s troma číslami") + say("1")));
}

// Records are kept for each column count. The first win with 4 or 5 columns is silent
// even in fewer attempts than the 3-column record; a win in fewer attempts beats it, and
// a win in as many equals it.
class GameRecords : public ::testing::TestWithParam<int> {};

TEST_P(GameRecords, FirstNewAndEqualForEachColumnCount) {
    const int n = GetParam();
    const auto columns = static_cast<std::size_t>(n);
    const auto typed = [&](const char* digit) { return lines(columns, digit); };
    const auto secret = [&](int digit) { return std::vector<int>(columns, digit); };
    std::vector<int> secrets = {1, 1, 1};
    for (int digit : {2, 3, 4}) {
        const auto s = secret(digit);
        secrets.insert(secrets.end(), s.begin(), s.end());
    }
    const lines script = skipIntro() + lines{"3", "9", "9", "9", "p", "9", "9", "9", "p", "1", "1", "1", "p"} +
                         lines{std::to_string(n)} + typed("9") + lines{"p"} + typed("2") + lines{"p"} +
                         lines{std::to_string(n)} + typed("3") + lines{"n"} +  // won at once
                         lines{std::to_string(n)} + typed("4") + lines{"e"};   // and again
    GameRun run(script, secrets);
    EXPECT_TRUE(run.play());
    const lines& t = run.transcript;
    EXPECT_TRUE(hasRun(t, winning(typed("dva,"), "2") + kTime + lines{"key p"}));
    EXPECT_TRUE(hasRun(t, winning(typed("tri,"), "1") + kFanfare + say("nový rekord!") + kJingle +
                              say("doterajší bol:") + say("2") + kTime + lines{"key n"}));
    EXPECT_TRUE(hasRun(t, winning(typed("štyri,"), "1") + equalSweeps() + say("vyrovnaňie doterajšieho rekordu!") +
                              kTime + lines{"key e"}));
    EXPECT_EQ(count(t, "say nový rekord!"), 1u);
    EXPECT_EQ(count(t, "say vyrovnaňie doterajšieho rekordu!"), 1u);
    EXPECT_TRUE(hasRun(t, say("hra s troma číslami") + say("3") + say("hra so štyrmi číslami") +
                              say(n == 4 ? "1" : "sa ňehrala.") + say("hra s piatimi číslami") +
                              say(n == 5 ? "1" : "sa ňehrala.")));
}

INSTANTIATE_TEST_SUITE_P(Columns, GameRecords, ::testing::Values(4, 5));

// After a win N is 0: "z" replays only the first digit and reports the win's exact
// count with the other two counts of the guess before.
TEST(GameRun, ZAfterAWinReplaysTheFirstDigitOnly) {
    GameRun run(skipIntro() + lines{"3", "3", "1", "9", "p", "1", "2", "3", "z", "e"}, {1, 2, 3});
    EXPECT_TRUE(run.play());
    EXPECT_TRUE(hasRun(run.transcript, reports("nula,", "dva,", "jedna,") + key("p")));
    EXPECT_TRUE(hasRun(run.transcript, winning({"jedna,", "dva,", "tri,"}, "2") + kTime + lines{"key z"} +
                                           say("typuješ čísla") + say("jedna,") + say("z toho je:") +
                                           digittones({1}, 200) + reports("tri,", "dva,", "jedna,") + key("e") +
                                           kJingle + say("počet hier ")));
}

// With the device sounds off the same run says and asks the same, silently: the game
// still finds each key without the clicks of its wait.
TEST(GameRun, WithSoundsOffTheSameRunIsSilent) {
    const lines script =
        skipIntro() + lines{"3", "1", "2", "4", "z", "p", "1", "2", "3"} +  // a lost guess, "z", the first record
        lines{"p", "3", "1", "2", "3", "n", "3", "1", "2", "3", "e"};         // a new record, an equal one
    const std::vector<int> secrets = {1, 2, 3, 1, 2, 3, 1, 2, 3};
    lines heard;
    {
        GameRun loud(script, secrets);
        ASSERT_TRUE(loud.play());
        for (const auto& e : loud.transcript)
            if (e.rfind("say ", 0) == 0 || e.rfind("key ", 0) == 0) heard.push_back(e);
    }
    GameRun quiet(script, secrets);
    orvelasounds = false;
    EXPECT_TRUE(quiet.play());
    EXPECT_EQ(quiet.transcript, heard);
    EXPECT_TRUE(quiet.sounds.events.empty());
    EXPECT_TRUE(hasRun(quiet.transcript, say("nový rekord!") + say("doterajší bol:") + say("2")));
    EXPECT_TRUE(hasRun(quiet.transcript, say("počet pokusov ") + say("1") + say("vyrovnaňie doterajšieho rekordu!")));
}

TEST(GameRun, RejectedColumnAnswersAreSilentAndCountAsGames) {
    GameRun run(skipIntro() + lines{"2", "6", "7", "x", "4", "1", "1", "1", "1", "e"}, {2, 2, 2, 2});
    EXPECT_TRUE(run.play());
    EXPECT_TRUE(hasRun(run.transcript, question(kColumns) + key("2") + key("6") + key("7") + key("x") + key("4") +
                                           say("zadaj  štyri  čísla.")));
    EXPECT_TRUE(hasRun(run.transcript, say("počet hier ") + say("5")));
}

// Texts of several characters come only from Braille chords. Those that pass the
// text test without being 3, 4 or 5, and those val refuses, are rejected like "2".
class GameChordColumns : public ::testing::TestWithParam<const char*> {};

TEST_P(GameChordColumns, AreRejectedWithoutAWord) {
    const std::string chord = GetParam();
    GameRun run(skipIntro() + lines{chord, "5", "1", "1", "1", "1", "1", "e"}, {2, 2, 2, 2, 2});
    EXPECT_TRUE(run.play());
    EXPECT_TRUE(hasRun(run.transcript, question(kColumns) + key(chord) + key("5") + say("zadaj  peť  čísiel.")));
    EXPECT_TRUE(hasRun(run.transcript, say("počet hier ") + say("2")));
}

INSTANTIATE_TEST_SUITE_P(Chords, GameChordColumns,
                         ::testing::Values("2.0", "3.5", "25", "3x", "45", "3%", "4%1", "5e9"));

TEST(GameRun, PContinuesTheGameAndNStartsANewOne) {
    GameRun run(skipIntro() + lines{"3", "1", "2", "3", "p", "4", "5", "6", "n", "5", "1", "1", "1", "1", "1", "e"},
                {9, 9, 9, 1, 1, 1, 1, 1});
    EXPECT_TRUE(run.play());
    const lines& t = run.transcript;
    EXPECT_TRUE(hasRun(t, reports("nula,", "nula,", "tri,") + key("p") + say("zadaj  tri  čísla.") + kJingle +
                              entry({"4", "5", "6"}) + digittones({4, 5, 6}, 200) +
                              reports("nula,", "nula,", "tri,") + key("n") + kJingle + question(kColumns)));
    // The new game counts its attempts from 0.
    EXPECT_TRUE(hasRun(t, winning({"jedna,", "jedna,", "jedna,", "jedna,", "jedna,"}, "1")));
    EXPECT_TRUE(hasRun(t, say("hra s troma číslami") + say("sa ňehrala.") + say("hra so štyrmi číslami") +
                              say("sa ňehrala.") + say("hra s piatimi číslami") + say("1")));
}

TEST(GameRun, OtherChoicesAreIgnoredWithoutAWord) {
    GameRun run(skipIntro() + lines{"3", "1", "2", "3", "q", "Z", "E", "P", "e"}, {9, 9, 9});
    EXPECT_TRUE(run.play());
    EXPECT_TRUE(hasRun(run.transcript,
                       reports("nula,", "nula,", "tri,") + key("q") + key("Z") + key("E") + key("P") + key("e")));
}

TEST(GameRun, EBeforeAnyWinSaysNoColumnCountWasPlayed) {
    GameRun run(skipIntro() + lines{"3", "1", "2", "3", "e"}, {9, 9, 9});
    EXPECT_TRUE(run.play());
    const lines summary = key("e") + kJingle + say("počet hier ") + say("1") + kJingle +
                          say("prehlad o použitých pokusoch:") + say("hra s troma číslami") + say("sa ňehrala.") +
                          say("hra so štyrmi číslami") + say("sa ňehrala.") + say("hra s piatimi číslami") +
                          say("sa ňehrala.") + closingSweep();
    const lines tail(run.transcript.end() - static_cast<long>(summary.size()), run.transcript.end());
    EXPECT_EQ(tail, summary);
    EXPECT_EQ(returnstack, nullptr);
}

TEST(GameRun, NothingCarriesOverToTheNextRun) {
    {
        GameRun first(skipIntro() + lines{"3", "1", "2", "3", "e"}, {1, 2, 3});
        EXPECT_TRUE(first.play());
    }
    GameRun second(skipIntro() + lines{"3", "1", "2", "3", "e"}, {9, 9, 9});
    EXPECT_TRUE(second.play());
    EXPECT_TRUE(hasRun(second.transcript, say("počet hier ") + say("1")));
    EXPECT_TRUE(hasRun(second.transcript, say("hra s troma číslami") + say("sa ňehrala.")));
}

}  // namespace
}  // namespace orvela::testing
