#pragma once
// Every text the logic game prints and speaks, in Windows-1250. The texts are fixed
// Slovak texts with the game's own spellings; they are not localized.
#include <array>
#include <string>

namespace orvela {

struct gametexts {
    // Opening
    std::string title;
    std::string subtitle;
    std::string codesquestion;
    std::string rulesquestion;
    // The list of codes
    std::string codes;
    std::string codeend;
    std::string codenew;
    std::string codecontinue;
    std::string coderepeat;
    // The rules
    std::string rules1;
    std::string rules2;
    std::string rules3;
    std::string rules4;
    std::string termsintro;
    std::string termexact;
    std::string explainexact;
    std::string termelsewhere;
    std::string explainelsewhere;
    std::string termmisses;
    std::string explainmisses;
    std::string rules5;
    std::string goodluck;
    // A game
    std::string columnsquestion;
    std::string enter;          // followed by the count word, a blank and the noun form
    std::string put;            // followed by the ordinal and digitword
    std::string digitword;
    std::string reportexact;
    std::string reportelsewhere;
    std::string reportmisses;
    std::string badentry;
    std::string youtyped;
    std::string ofwhich;
    std::string win;
    std::string attemptscount;
    std::string newrecord;
    std::string oldrecord;
    std::string equalrecord;
    std::string time;
    std::string silence;        // one pause, nothing spoken
    // Summary
    std::string gamescount;
    std::string overview;
    std::array<std::string, 3> columngames;   // 3, 4 and 5 columns
    std::string notplayed;
    // Words
    std::array<std::string, 11> numberwords;  // 0 to 9 with a trailing comma; slot 10 empty
    std::array<std::string, 5> ordinals;      // first to fourth, then any later column
    std::array<std::string, 3> countwords;    // 3, 4 and 5 columns
    std::string fewnoun;                      // after 3 and 4
    std::string manynoun;                     // after 5
    std::string startnoun;                    // before the first game of a run
};

const gametexts& texts();

}  // namespace orvela
