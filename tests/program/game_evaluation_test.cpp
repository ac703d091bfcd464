#include "program/evaluation.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orvela;

namespace {

columns fill(const std::vector<double>& digits) {
    columns c{};
    for (std::size_t i = 0; i < digits.size(); ++i) c[i + 1] = digits[i];
    return c;
}

struct Case {
    std::vector<double> secret;
    std::vector<double> guess;
    double exact, elsewhere, misses;
};

class EvaluationTest : public ::testing::TestWithParam<Case> {};

TEST_P(EvaluationTest, CountsExactElsewhereAndMisses) {
    const Case& c = GetParam();
    const double n = static_cast<double>(c.secret.size());
    const columns secret = fill(c.secret);
    columns secretwork = secret;
    columns guesswork = fill(c.guess);
    const hits result = evaluate(n, secret, secretwork, guesswork, hits{});
    EXPECT_EQ(result.exact, c.exact);
    EXPECT_EQ(result.elsewhere, c.elsewhere);
    EXPECT_EQ(result.misses, c.misses);
    EXPECT_FALSE(won(n, result));
    // The secret's working copy is whole again for the next guess.
    EXPECT_EQ(secretwork, secret);
}

INSTANTIATE_TEST_SUITE_P(
    Guesses, EvaluationTest,
    ::testing::Values(
        // A guess digit is not used up: both 1s of the secret find the one 1 of the guess.
        Case{{1, 1, 2}, {2, 3, 1}, 0, 3, 0},
        Case{{2, 3, 1}, {1, 1, 2}, 0, 2, 1},
        Case{{1, 2, 3}, {1, 1, 1}, 1, 0, 2},
        // A digit hit exactly is no longer there for the other columns.
        Case{{5, 5, 5, 5, 5}, {1, 2, 3, 4, 5}, 1, 0, 4},
        Case{{1, 2, 3, 4}, {2, 2, 2, 2}, 1, 0, 3},
        Case{{1, 2, 3, 4}, {4, 3, 2, 1}, 0, 4, 0},
        Case{{9, 8, 7}, {1, 2, 3}, 0, 0, 3},
        // A digit of a multi-key chord (55, or 0 from 5x) matches nothing.
        Case{{5, 5, 1}, {55, 0, 5}, 0, 2, 1}));

TEST(Evaluation, ExactHitsStayZeroInTheGuessCopy) {
    const columns secret = fill({1, 2, 3});
    columns secretwork = secret;
    columns guesswork = fill({1, 3, 9});
    const hits result = evaluate(3, secret, secretwork, guesswork, hits{});
    EXPECT_EQ(result.exact, 1);
    EXPECT_EQ(result.elsewhere, 1);
    EXPECT_EQ(result.misses, 1);
    EXPECT_EQ(guesswork, fill({0, 3, 9}));
}

TEST(Evaluation, AWinZeroesBothCopiesAndKeepsTheLastOtherCounts) {
    const columns secret = fill({4, 4, 7, 1});
    columns secretwork = secret;
    columns guesswork = secret;
    const hits result = evaluate(4, secret, secretwork, guesswork, hits{9, 2, 1});
    EXPECT_TRUE(won(4, result));
    EXPECT_EQ(result.exact, 4);
    EXPECT_EQ(result.elsewhere, 2);
    EXPECT_EQ(result.misses, 1);
    EXPECT_EQ(secretwork, columns{});
    EXPECT_EQ(guesswork, columns{});
}

}  // namespace
