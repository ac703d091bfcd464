#pragma once
// Scoring one guess against the secret.
#include <array>

namespace orvela {

// A column array of the game: slots 0 to 10, the game uses 1 to N.
using columns = std::array<double, 11>;

struct hits {
    double exact = 0;
    double elsewhere = 0;
    double misses = 0;
};

// Scores guesswork against secretwork over columns 1 to n. Exact hits are zeroed in
// both working arrays. On a win (every column exact) elsewhere and misses are left
// as they were in `last`; otherwise secretwork is restored from secret, while
// guesswork keeps its zeros. A digit of the guess is not used up by a match, so
// several secret columns may count the same guess digit as elsewhere.
hits evaluate(double n, const columns& secret, columns& secretwork, columns& guesswork, const hits& last);
bool won(double n, const hits& result);

}  // namespace orvela
