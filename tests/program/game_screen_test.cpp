// One whole run of the logic game: the rows it leaves on the screen, and where its
// blocking pauses fall between what it says.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/codec.h"
#include "tests/program/gametranscript.h"

namespace orvela::testing {
namespace {

// The codes and the rules, a lost guess repeated with "z", a win that sets the first
// record, a win in fewer attempts that beats it, then the summary.
const lines kWholeRun = {"a", "a", "3", "3", "1", "9", "z", "p", "1", "1", "2", "p", "3", "4", "5", "6", "e"};
const std::vector<int> kSecrets = {1, 1, 2, 4, 5, 6};

// Each row without the blanks that pad it to 80 columns.
lines trimmed(const lines& rows) {
    lines out;
    for (const auto& row : rows) {
        EXPECT_EQ(codec::utf8ToCp1250(row).size(), 80u) << row;
        out.push_back(row.substr(0, row.find_last_not_of(' ') + 1));
    }
    return out;
}

TEST(GameScreen, RowsOfAWholeRun) {
    GameRun run(kWholeRun, kSecrets);
    ASSERT_TRUE(run.play());
    const lines expected = {
        "hra logik.",
        "hladaňie správnej kombinácie čísiel 1 až ďeveť.",
        "keď chceš kódy napíš ,a, inak napíš hociktoré iné písmeno.",
        "kódy.",
        ";",  // after each row of beeps
        ",e,; ukončeňie hry.",
        ";",
        ",n,; začni novú hru.",
        ";",
        ",p,; pokračuj v hre.",
        ";",
        ",z,; zopakuj vyhodnoťenie.",
        "keď chceš pravidlá napíš ,a,",
        "táto hra precvičí tvoju pameť. buďeš hladať čísla od jedna do ďeveť tak, že ich",
        "na vyzvaňie postupňe napíšeš.",
        "hra je skomplikovaná tým, že musíš hladať čísla súčasňe v troch, štyroch alebo p",
        "iatich samostatných stlpcoch. ich počet si zvolíš sám na začiatku každej hry.",
        "v hre sa muožu v jednotlivých stlpcoch vyskytnúť aj rovnaké čísla.",
        "po každom pokuse buďe vyhodnoťená úspešnosť tvojho zásahu. hra končí nájďením hl",
        "adaných čísiel vo zvolenom počťe stlpcov.",
        "pri hodnoťení zásahov sa používajú tri termíny.",
        ";",
        "počet presných zásahov;",
        ";oznámeňie o počťe uhádnutých čísiel.",
        ";",
        "počet zásahov vedla;",
        ";oznámeňie o počťe uhádnutých čísiel, ale tieto sa vyskytujú v inom stlpcy.",
        ";",
        "počet ňepresných zásahov;",
        ";oznámeňie o počťe ňeuhádnutých čísiel.",
        "za správňe uhádnuté číslo sa považuje číslo, ktorému uhádňeš hodnotu i jeho umie",
        "stňeňie v správnom stlpci.",
        "tak vela šťasťia!",
        "napíš s kolkými číslami chceš hrať:",
        "zadaj  tri  čísla.",
        "vlož prvé číslo",
        "vlož druhé číslo",
        "vlož treťie číslo",
        "počet presných zásahov jedna,",  // each count on the line of its report
        "počet zásahov vedla nula,",
        "počet ňepresných zásahov dva,",
        "typuješ čísla",
        "tri,",
        "jedna,",
        "ďeveť,",
        "z toho je:",
        "počet presných zásahov jedna,",
        "počet zásahov vedla nula,",
        "počet ňepresných zásahov dva,",
        "zadaj  tri  čísla.",
        "vlož prvé číslo",
        "vlož druhé číslo",
        "vlož treťie číslo",
        "výborňe! kombinácia je správna. sú to čísla",
        "jedna,",
        "jedna,",
        "dva,",
        "počet pokusov 2",
        "čas,14 05",
        "napíš s kolkými číslami chceš hrať:",
        "zadaj  tri  čísla.",
        "vlož prvé číslo",
        "vlož druhé číslo",
        "vlož treťie číslo",
        "výborňe! kombinácia je správna. sú to čísla",
        "štyri,",
        "peť,",
        "šesť,",
        "počet pokusov 1",
        ";nový rekord!",
        ";doterajší bol: 2",  // the old record in the next zone of 8 columns
        "čas,14 05",
        "počet hier 2",
        "prehlad o použitých pokusoch:",
        "hra s troma číslami",
        "1",
        "hra so štyrmi číslami",
        "sa ňehrala.",
        "hra s piatimi číslami",
        "sa ňehrala.",
    };
    EXPECT_EQ(trimmed(run.rows), expected);
}

// What is said and typed, with the pauses between: 500 ms from the game, 300 ms for
// each leading punctuation mark of a printed text.
lines rhythm(const lines& transcript) {
    lines out;
    for (const auto& entry : transcript)
        if (entry.rfind("say ", 0) == 0 || entry.rfind("key ", 0) == 0 || entry.rfind("pause ", 0) == 0)
            out.push_back(entry);
    return out;
}

TEST(GameScreen, PausesOfAWholeRun) {
    GameRun run(kWholeRun, kSecrets);
    run.showPauses = true;
    ASSERT_TRUE(run.play());
    const lines pause = {"pause 500ms"};
    const lines mark = {"pause 300ms"};
    const auto typed = [](const std::string& text) { return lines{"key " + text}; };
    const lines lostReports = pause + say("počet presných zásahov ") + say("jedna,") + pause +
                              say("počet zásahov vedla ") + say("nula,") + pause + say("počet ňepresných zásahov ") +
                              say("dva,");
    const lines entered = say("zadaj  tri  čísla.") + pause + say("vlož prvé číslo");
    const lines expected =
        say("hra logik.") + say("hladaňie správnej kombinácie čísiel 1 až ďeveť.") + say(kCodes) + typed("a") +
        say("kódy.") + mark + mark + say("e,; ukončeňie hry.") + mark + mark + say("n,; začni novú hru.") + mark +
        mark + say("p,; pokračuj v hre.") + mark + mark + say("z,; zopakuj vyhodnoťenie.") + say(kRules) +
        typed("a") + pause + say(kRulesDigits) + pause + say(kRulesColumns) + say(kRulesSameDigits) + pause +
        say(kRulesEnd) + pause + say("pri hodnoťení zásahov sa používajú tri termíny.") + mark +
        say("počet presných zásahov;") + mark + say("oznámeňie o počťe uhádnutých čísiel.") + mark +
        say("počet zásahov vedla;") + mark +
        say("oznámeňie o počťe uhádnutých čísiel, ale tieto sa vyskytujú v inom stlpcy.") + mark +
        say("počet ňepresných zásahov;") + mark + say("oznámeňie o počťe ňeuhádnutých čísiel.") + pause + pause +
        say(kRulesHit) + pause + say("tak vela šťasťia!") +
        // the lost guess, and "z"
        say(kColumns) + typed("3") + entered + typed("3") + say("vlož druhé číslo") + typed("1") +
        say("vlož treťie číslo") + typed("9") + lostReports + typed("z") + say("typuješ čísla") + pause +
        say("tri,") + pause + say("jedna,") + pause + say("ďeveť,") + pause + say("z toho je:") + lostReports +
        // the first win
        typed("p") + entered + typed("1") + say("vlož druhé číslo") + typed("1") + say("vlož treťie číslo") +
        typed("2") + say("výborňe! kombinácia je správna. sú to čísla") + pause + say("jedna,") + pause +
        say("jedna,") + pause + say("dva,") + say("počet pokusov ") + say("2") + say("čas,") + say("14 05") +
        // the new record
        typed("p") + say(kColumns) + typed("3") + entered + typed("4") + say("vlož druhé číslo") + typed("5") +
        say("vlož treťie číslo") + typed("6") + say("výborňe! kombinácia je správna. sú to čísla") + pause +
        say("štyri,") + pause + say("peť,") + pause + say("šesť,") + say("počet pokusov ") + say("1") + mark +
        say("nový rekord!") + mark + say("doterajší bol:") + say("2") + say("čas,") + say("14 05") +
        // the summary
        typed("e") + say("počet hier ") + say("2") + say("prehlad o použitých pokusoch:") + pause +
        say("hra s troma číslami") + say("1") + pause + say("hra so štyrmi číslami") + say("sa ňehrala.") + pause +
        say("hra s piatimi číslami") + say("sa ňehrala.");
    EXPECT_EQ(rhythm(run.transcript), expected);
}

}  // namespace
}  // namespace orvela::testing
