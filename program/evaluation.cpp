#include "program/evaluation.h"

#include <cstddef>

namespace orvela {

namespace {

// Columns 1 to n as the game's counted loops run them: the body at least once.
template <typename Body>
void forcolumns(double n, Body body) {
    double i = 1;
    do {
        body(static_cast<std::size_t>(i));
        i += 1;
    } while (i <= n);
}

}  // namespace

hits evaluate(double n, const columns& secret, columns& secretwork, columns& guesswork, const hits& last) {
    hits result = last;
    result.exact = 0;
    forcolumns(n, [&](std::size_t i) {
        if (guesswork[i] == secretwork[i]) {
            secretwork[i] = 0;
            guesswork[i] = 0;
            result.exact += 1;
        }
    });
    if (won(n, result)) return result;

    result.elsewhere = 0;
    forcolumns(n, [&](std::size_t i) {
        if (secretwork[i] == 0) {
            secretwork[i] = secret[i];
            return;
        }
        bool found = false;
        forcolumns(n, [&](std::size_t j) {
            if (!found && guesswork[j] == secretwork[i]) found = true;
        });
        if (found) result.elsewhere += 1;
    });
    result.misses = n - result.exact - result.elsewhere;
    return result;
}

bool won(double n, const hits& result) { return n == result.exact; }

}  // namespace orvela
