#include "program/gamesteps.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>

#include "platform/errors.h"
#include "program/gametexts.h"
#include "program/orvprog.h"
#include "program/tunes.h"
#include "runtime/functions.h"
#include "runtime/print.h"
#include "runtime/soundcommands.h"

namespace orvela {

namespace {

constexpr double kQuestionClick = 19;
constexpr std::uint8_t kStayOnLine = 1;
constexpr std::uint8_t kNextZone = 2;

std::function<double()>& secretdraw() {
    static std::function<double()> draw;
    return draw;
}

// --- continuations -------------------------------------------------------------------

next gosub(subroutine sub, std::int32_t label) { return {next::gosub, sub, label}; }
next jingle(std::int32_t label) { return gosub(subroutine::jingle, label); }
next wait(std::int32_t label) { return gosub(subroutine::wait, label); }
next pause(std::int32_t label) { return gosub(subroutine::pause, label); }
next beeps(std::int32_t label) { return gosub(subroutine::beeps, label); }
next ret() { return {next::ret}; }
next finish() { return {next::end}; }

// --- what the steps say --------------------------------------------------------------

void say(const std::string& text, std::uint8_t ending = 0) { printandspeak(text, ending); }
void saynumber(double x) { printnumber(0, x); }

// The number word of a value used as an index; slot 10 and beyond say nothing.
void sayword(double x) {
    const auto& words = texts().numberwords;
    const double slot = std::trunc(x);
    say(slot >= 0 && slot < static_cast<double>(words.size()) ? words[static_cast<std::size_t>(slot)] : "");
}

std::size_t column(double i) { return static_cast<std::size_t>(std::trunc(i)); }

// Slot of the record and count word for 3, 4 and 5 columns.
std::size_t columnsindex(double n) { return static_cast<std::size_t>(n) - 3; }

// val of an answer, or false where val refuses it with an error.
bool readvalue(const std::string& answer, double& value) {
    try {
        value = val(answer);
        return true;
    } catch (const OrvelaError&) {
        return false;
    }
}

// Counted loop over the columns: the body at least once, then while i <= n.
template <typename Body>
bool eachcolumn(gamestate& g, Body body) {
    g.i = 1;
    do {
        if (!body(column(g.i))) return false;
        g.i += 1;
    } while (g.i <= g.n);
    return true;
}

// --- points inside steps -------------------------------------------------------------

// Point A: the column question begins to wait (again).
next pointA(gamestate& g) {
    g.games += 1;
    g.attempts = 0;
    return wait(100070);
}

// Point Z: the whole combination is asked for.
next pointZ(gamestate& g) {
    say(texts().enter + g.countword + " " + g.nounform);
    return jingle(100100);
}

// Point W: waiting for the digit of column i.
next pointW(gamestate&) { return wait(100130); }

// Point E: the prompt for column i.
next pointE(gamestate& g) {
    const auto& ordinals = texts().ordinals;
    g.ordinal = ordinals[std::min(column(g.i), ordinals.size()) - 1];
    say(texts().put + g.ordinal + texts().digitword);
    click(kQuestionClick);
    return pointW(g);
}

// Point R: the guess replayed; a digit outside 1 to 9 asks for the combination again.
next pointR(gamestate& g) {
    const bool valid = eachcolumn(g, [&](std::size_t i) {
        play({digittone(g.guess[i], kReplayedDigitMs)});
        if (g.guess[i] > 9 || g.guess[i] < 1) {
            say(texts().badentry);
            return false;
        }
        return true;
    });
    return valid ? pause(100330) : pointZ(g);
}

// Point C: waiting for the choice.
next pointC(gamestate&) { return wait(100360); }

// Point V: the combination is found.
next pointV(gamestate& g) {
    play(tunes().win);
    say(texts().win);
    g.i = 1;
    return pause(100390);
}

// --- steps with decisions ------------------------------------------------------------

// The column question: only 3, 4 and 5 start a game. Other texts that pass the text
// test (only Braille chords give them) and texts val refuses are rejected like "2".
next columnquestion(gamestate& g) {
    double n = 0;
    const bool accepted = g.answer > "2" && g.answer < "6" && readvalue(g.answer, n) && (n == 3 || n == 4 || n == 5);
    if (!accepted) return pointA(g);
    g.n = n;
    const gametexts& t = texts();
    g.nounform = n == 5 ? t.manynoun : t.fewnoun;
    g.countword = t.countwords[columnsindex(n)];
    eachcolumn(g, [&](std::size_t i) {
        const double draw = secretdraw() ? secretdraw()() : rnd(1);
        g.secret[i] = std::floor(draw * 9 + 1);
        g.secretwork[i] = g.secret[i];
        return true;
    });
    return pointZ(g);
}

next digitentry(gamestate& g) {
    double value = 0;
    const char first = g.answer.front();
    if (first < '1' || first > '9' || !readvalue(g.answer, value)) return pointW(g);
    const std::size_t i = column(g.i);
    g.guesswork[i] = value;
    g.guess[i] = value;
    play({digittone(value, kEnteredDigitMs)});
    g.i += 1;
    if (g.i <= g.n) return pointE(g);
    g.last = evaluate(g.n, g.secret, g.secretwork, g.guesswork, g.last);
    g.attempts += 1;
    return won(g.n, g.last) ? pointV(g) : pointR(g);
}

next recordcheck(gamestate& g) {
    static constexpr std::array<std::int32_t, 3> kOldRecordLabels = {100550, 100620, 100690};
    const std::size_t k = columnsindex(g.n);
    double& record = g.records[k];
    if (record == 0) {
        record = g.attempts;
    } else if (record > g.attempts) {
        play(tunes().fanfare);
        say(texts().newrecord);
        return jingle(kOldRecordLabels[k]);
    } else if (record == g.attempts) {
        play(tunes().equalrecord);
        say(texts().equalrecord);
    }
    return ret();
}

// The second half of a new record, for 3, 4 and 5 columns.
template <std::size_t Columns>
next oldrecord(gamestate& g) {
    double& record = g.records[Columns - 3];
    say(texts().oldrecord, kNextZone);
    saynumber(record);
    record = g.attempts;
    return ret();
}

next choice(gamestate& g) {
    const std::string& a = g.answer;
    if (a == "z") {
        say(texts().youtyped);
        g.i = 1;
        return pause(100370);
    }
    if (a == "p" && g.n > 0) return pointZ(g);
    if (a == "n" || a == "p") return jingle(100060);
    if (a == "e") return jingle(100410);
    return pointC(g);
}

// One line of the summary: the column count, then its record or "sa ňehrala.".
void summaryline(const gamestate& g, std::size_t k) {
    say(texts().columngames[k]);
    if (g.records[k] == 0)
        say(texts().notplayed);
    else
        saynumber(g.records[k]);
}

// --- the step table ------------------------------------------------------------------

const gametexts& t() { return texts(); }

const std::array kSteps = std::to_array<step>({
    {100030, [](gamestate&) { say(t().title); play(tunes().aftertitle); say(t().subtitle); return jingle(40); }},
    {40, [](gamestate&) { say(t().codesquestion); click(kQuestionClick); return wait(100040); }},
    {100040, [](gamestate& g) {
         if (g.answer != "a") return jingle(100050);
         push(50, returnstack);
         return jingle(100750);
     }},
    {100750, [](gamestate&) { say(t().codes); return beeps(760); }},
    {760, [](gamestate&) { say(t().codeend); return beeps(770); }},
    {770, [](gamestate&) { say(t().codenew); return beeps(780); }},
    {780, [](gamestate&) { say(t().codecontinue); return beeps(790); }},
    {790, [](gamestate&) { say(t().coderepeat); return ret(); }},
    {50, [](gamestate&) { return jingle(100050); }},
    {100050, [](gamestate&) { say(t().rulesquestion); click(kQuestionClick); return wait(200050); }},
    {200050, [](gamestate& g) {
         if (g.answer != "a") return jingle(100060);
         push(60, returnstack);
         return pause(100800);
     }},
    {100800, [](gamestate&) { say(t().rules1); return pause(100810); }},
    {100810, [](gamestate&) { say(t().rules2); say(t().rules3); return pause(100820); }},
    {100820, [](gamestate&) { say(t().rules4); return pause(100830); }},
    {100830, [](gamestate&) { say(t().termsintro); return beeps(840); }},
    {840, [](gamestate&) { say(t().termexact); beep(); say(t().explainexact); return beeps(850); }},
    {850, [](gamestate&) { say(t().termelsewhere); beep(); say(t().explainelsewhere); return beeps(860); }},
    {860, [](gamestate&) { say(t().termmisses); beep(); say(t().explainmisses); return pause(870); }},
    {870, [](gamestate&) { return pause(100870); }},
    {100870, [](gamestate&) { say(t().rules5); return pause(200870); }},
    {200870, [](gamestate&) { say(t().goodluck); return ret(); }},
    {60, [](gamestate&) { return jingle(100060); }},
    {100060, [](gamestate& g) { say(t().columnsquestion); click(kQuestionClick); return pointA(g); }},
    {100070, columnquestion},
    {100100, [](gamestate&) { return pause(200100); }},
    {200100, [](gamestate& g) { g.i = 1; return pointE(g); }},
    {100130, digitentry},
    {100330, [](gamestate& g) { say(t().reportexact, kStayOnLine); sayword(g.last.exact); return pause(100340); }},
    {100340, [](gamestate& g) { say(t().reportelsewhere, kStayOnLine); sayword(g.last.elsewhere); return pause(100350); }},
    {100350, [](gamestate& g) {
         say(t().reportmisses, kStayOnLine);
         sayword(g.last.misses);
         click(kQuestionClick);
         return pointC(g);
     }},
    {100360, choice},
    {100370, [](gamestate& g) {
         sayword(g.guess[column(g.i)]);
         g.i += 1;
         return g.i <= g.n ? pause(100370) : pause(200370);
     }},
    {200370, [](gamestate& g) { say(t().ofwhich); return pointR(g); }},
    {100390, [](gamestate& g) {
         sayword(g.secret[column(g.i)]);
         g.i += 1;
         return g.i <= g.n ? pause(100390) : jingle(200390);
     }},
    {200390, [](gamestate& g) {
         say(t().attemptscount, kStayOnLine);
         saynumber(g.attempts);
         push(400, returnstack);
         return recordcheck(g);
     }},
    {100550, oldrecord<3>},
    {100620, oldrecord<4>},
    {100690, oldrecord<5>},
    {400, [](gamestate&) { return jingle(100400); }},
    {100400, [](gamestate&) { say(t().time, kStayOnLine); say(lefttext(timetext(), 5)); return jingle(200400); }},
    {200400, [](gamestate& g) { g.n = 0; return pointC(g); }},
    {100410, [](gamestate& g) { say(t().gamescount, kStayOnLine); saynumber(g.games); return jingle(200410); }},
    {200410, [](gamestate&) { say(t().overview); return pause(100710); }},
    {100710, [](gamestate& g) { summaryline(g, 0); return pause(100720); }},
    {100720, [](gamestate& g) { summaryline(g, 1); return pause(100730); }},
    {100730, [](gamestate& g) { summaryline(g, 2); play(tunes().closingsweep); return finish(); }},
});

}  // namespace

next startstep(gamestate& g) {
    randomize();
    g = gamestate{};
    play(tunes().opening);
    g.nounform = texts().startnoun;
    return jingle(100030);
}

const step* findstep(std::int32_t label) {
    const auto found = std::find_if(kSteps.begin(), kSteps.end(), [label](const step& s) { return s.label == label; });
    return found == kSteps.end() ? nullptr : &*found;
}

void setsecretdraw(std::function<double()> draw) { secretdraw() = std::move(draw); }

}  // namespace orvela
