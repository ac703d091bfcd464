#pragma once
// The parts of a game transcript (see gameplayer.h), built from the game's texts and tunes.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/program/gameplayer.h"

namespace orvela::testing {

using lines = std::vector<std::string>;

inline lines notes(const std::vector<std::pair<int, int>>& pitchAndMs, int octave) {
    lines out;
    for (const auto& [pitch, ms] : pitchAndMs)
        out.push_back("note " + std::to_string(pitch) + " " + std::to_string(ms) + "ms o" + std::to_string(octave));
    return out;
}
inline lines say(const std::string& text) { return {"say " + text}; }
inline lines key(const std::string& text) { return {"click9", "key " + text}; }
inline lines question(const std::string& text) { return {"say " + text, "click19"}; }
inline lines repeat(const lines& part, int times) {
    lines out;
    for (int i = 0; i < times; ++i) out = out + part;
    return out;
}
inline lines digittones(const std::vector<int>& digits, int ms) {
    std::vector<std::pair<int, int>> tones;
    for (int d : digits) tones.push_back({d * 70 + 500, ms});
    return notes(tones, 1);
}

inline const lines kJingle = notes({{400, 100}, {500, 100}, {600, 100}, {700, 100}}, 1);
inline const lines kBeeps = repeat({"beep"}, 10);  // the ";" after them is a pause, not speech
inline const lines kWin =
    notes({{400, 500}, {400, 500}, {500, 500}, {500, 500}, {600, 500}, {600, 500}, {800, 1000}}, 1);
inline const lines kFanfare =
    notes({{200, 380}, {270, 380}, {200, 190}, {335, 190}, {270, 190}, {200, 190}, {270, 380}, {270, 380}, {300, 190},
           {335, 190}, {300, 190}, {255, 190}, {270, 380}, {270, 380}},
          0);
inline lines equalSweeps() {
    std::vector<std::pair<int, int>> sweep;
    for (int pitch = 200; pitch <= 1400; pitch += 100) sweep.push_back({pitch, 15});
    return repeat(notes(sweep, 3), 8);
}
inline lines closingSweep() {
    std::vector<std::pair<int, int>> sweep;
    for (int pitch = 1300; pitch >= 50; pitch -= 50) sweep.push_back({pitch, 60});
    return notes(sweep, 0);
}

inline const std::string kColumns = "napíš s kolkými číslami chceš hrať:";
inline const std::string kCodes = "keď chceš kódy napíš ,a, inak napíš hociktoré iné písmeno.";
inline const std::string kRules = "keď chceš pravidlá napíš ,a,";
// The longer texts of the rules.
inline const std::string kRulesDigits =
    "táto hra precvičí tvoju pameť. buďeš hladať čísla od jedna do ďeveť tak, že ich na vyzvaňie postupňe napíšeš.";
inline const std::string kRulesColumns =
    "hra je skomplikovaná tým, že musíš hladať čísla súčasňe v troch, štyroch alebo piatich samostatných stlpcoch. "
    "ich počet si zvolíš sám na začiatku každej hry.";
inline const std::string kRulesSameDigits = "v hre sa muožu v jednotlivých stlpcoch vyskytnúť aj rovnaké čísla.";
inline const std::string kRulesEnd =
    "po každom pokuse buďe vyhodnoťená úspešnosť tvojho zásahu. hra končí nájďením hladaných čísiel vo zvolenom "
    "počťe stlpcov.";
inline const std::string kRulesHit =
    "za správňe uhádnuté číslo sa považuje číslo, ktorému uhádňeš hodnotu i jeho umiestňeňie v správnom stlpci.";

// The prompt for column `column` (0 first) and the digit typed at it.
inline lines prompt(std::size_t column, const std::string& digit) {
    static const char* ordinals[] = {"prvé", "druhé", "treťie", "štvrté", "piate"};
    return question(std::string("vlož ") + ordinals[column] + " číslo") + key(digit) +
           digittones({std::stoi(digit)}, 100);
}

// The prompts for one combination and the digits typed at them.
inline lines entry(const std::vector<std::string>& digits) {
    lines out;
    for (std::size_t i = 0; i < digits.size(); ++i) out = out + prompt(i, digits[i]);
    return out;
}

inline lines reports(const std::string& exact, const std::string& elsewhere, const std::string& misses) {
    return say("počet presných zásahov ") + say(exact) + say("počet zásahov vedla ") + say(elsewhere) +
           say("počet ňepresných zásahov ") + say(misses) + lines{"click19"};
}

// Answers that skip the codes and the rules.
inline lines skipIntro() { return {"x", "x"}; }

inline std::size_t count(const lines& transcript, const std::string& entry) {
    return static_cast<std::size_t>(std::count(transcript.begin(), transcript.end(), entry));
}

// The run after a win: the secret's words, attempts, the record check, then the time.
inline lines winning(const lines& secretWords, const std::string& attempts) {
    lines out = kWin + say("výborňe! kombinácia je správna. sú to čísla");
    for (const auto& w : secretWords) out = out + say(w);
    return out + kJingle + say("počet pokusov ") + say(attempts);
}
inline const lines kTime = kJingle + say("čas,") + say("14 05") + kJingle + lines{"click9"};

}  // namespace orvela::testing
