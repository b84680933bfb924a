#include "core/development/prediction.h"

#include "tests/common/testutil.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace sestara;
using testutil::predictionOf;
using testutil::range;

TEST(Prediction, SelectionBoundsAndSumLimits)
{
    // A number is picked once, only from 1 to 90, and never a fifty-sixth (the clicks on the grid
    // are tested with the window's document).
    Prediction p;
    EXPECT_TRUE(p.select(17));
    EXPECT_FALSE(p.select(17));
    EXPECT_FALSE(p.select(0));
    EXPECT_FALSE(p.select(91));
    EXPECT_TRUE(p.select(90));
    p.deselect(17);
    EXPECT_EQ(p.text(), "90 ");

    // The sum limits are the sums of the six smallest and the six largest numbers (all, if fewer).
    const std::tuple<std::vector<int>, int, int> sums[] = {
        {range(1, 10), 21, 45}, {{4, 9}, 13, 13}, {range(35, 89), 225, 519}};
    for (const auto& [numbers, minimum, maximum] : sums) {
        EXPECT_EQ(predictionOf(numbers).sommaMinima(), minimum);
        EXPECT_EQ(predictionOf(numbers).sommaMassima(), maximum);
    }
}

TEST(Prediction, VerificaElementiRefusesRepeatedNumbers)
{
    const Prediction repeated = predictionOf({12, 5, 40, 5});
    EXPECT_EQ(repeated.text(), "5 5 12 40 ");
    const VerifiedPrediction bad = verificaElementi(repeated);
    EXPECT_TRUE(bad.pronostico.empty());
    const VerifiedPrediction good = verificaElementi(predictionOf({30, 2, 11}));
    EXPECT_EQ(good.error, "");
    EXPECT_EQ(good.pronostico, (std::vector<std::uint8_t>{2, 11, 30}));

    EXPECT_FALSE(Prediction::fromNumbers({1, 91}));
    EXPECT_FALSE(Prediction::fromNumbers({0}));
    EXPECT_FALSE(Prediction::fromNumbers(std::vector<int>(56, 1)));
}

TEST(Prediction, FullCombinations)
{
    for (const auto& [n, c] : {std::pair<int, std::uint64_t>{0, 0}, {5, 0}, {6, 1}, {55, 28989675}})
        EXPECT_EQ(combinazioniIntegrali(n), c) << n;
    // Pascal's rule across the whole range guards the running product against overflow or rounding.
    for (int n = 7; n <= 90; ++n) {
        std::uint64_t c5 = 1;
        for (int i = 1; i <= 5; ++i)
            c5 = c5 * static_cast<std::uint64_t>(n - 6 + i) / static_cast<std::uint64_t>(i);
        EXPECT_EQ(combinazioniIntegrali(n), combinazioniIntegrali(n - 1) + c5) << n;
    }
}
