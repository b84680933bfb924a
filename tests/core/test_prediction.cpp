#include "development/prediction.h"

#include <gtest/gtest.h>

using namespace sestara;

TEST(Prediction, KeepsAscendingTextCountsAndEvenOdd)
{
    Prediction p;
    EXPECT_EQ(p.text(), "");
    EXPECT_EQ(p.evenOddText(), "0 - 0");
    EXPECT_TRUE(p.select(45));
    EXPECT_TRUE(p.select(3));
    EXPECT_TRUE(p.select(17));
    EXPECT_EQ(p.text(), "3 17 45 ");
    EXPECT_EQ(p.count(), 3);
    EXPECT_EQ(p.evenOddText(), "0 - 3");
    EXPECT_FALSE(p.select(17)) << "a number is picked once";
    EXPECT_TRUE(p.select(90));
    EXPECT_EQ(p.evenOddText(), "1 - 3");
    p.deselect(3);
    EXPECT_EQ(p.text(), "17 45 90 ");
    EXPECT_FALSE(p.select(0));
    EXPECT_FALSE(p.select(91));
    p.clear();
    EXPECT_EQ(p.count(), 0);
}

TEST(Prediction, RefusesTheFiftySixthNumber)
{
    Prediction p;
    for (int n = 1; n <= 55; ++n)
        ASSERT_TRUE(p.select(n));
    EXPECT_FALSE(p.select(56));
    EXPECT_EQ(p.count(), 55);
    EXPECT_FALSE(p.isSelected(56));
}

TEST(Prediction, SumLimits)
{
    Prediction p;
    for (int n = 1; n <= 10; ++n)
        p.select(n);
    EXPECT_EQ(p.sommaMinima(), 21);
    EXPECT_EQ(p.sommaMassima(), 45);
    Prediction small;
    small.select(4);
    small.select(9);
    EXPECT_EQ(small.sommaMinima(), 13);
    EXPECT_EQ(small.sommaMassima(), 13);
    Prediction top;
    for (int n = 35; n <= 90; ++n)
        top.select(n);
    EXPECT_EQ(top.sommaMinima(), 35 + 36 + 37 + 38 + 39 + 40);
    EXPECT_EQ(top.sommaMassima(), 84 + 85 + 86 + 87 + 88 + 89) << "90 was the 56th and was refused";
}

TEST(Prediction, VerificaElementiRefusesRepeatedNumbers)
{
    auto p = Prediction::fromNumbers({12, 5, 40, 5});
    ASSERT_TRUE(p);
    EXPECT_EQ(p->text(), "5 5 12 40 ");
    const VerifiedPrediction v = verificaElementi(*p);
    EXPECT_EQ(v.error, "I dati non sono conformi !\nverificare elementi inseriti");
    EXPECT_TRUE(v.pronostico.empty());

    auto q = Prediction::fromNumbers({30, 2, 11});
    const VerifiedPrediction w = verificaElementi(*q);
    EXPECT_TRUE(w.error.empty());
    EXPECT_EQ(w.pronostico, (std::vector<std::uint8_t>{2, 11, 30}));

    EXPECT_FALSE(Prediction::fromNumbers({1, 91}));
    EXPECT_FALSE(Prediction::fromNumbers({0}));
    std::vector<int> tooMany(56, 1);
    EXPECT_FALSE(Prediction::fromNumbers(tooMany));
}

TEST(Prediction, FullCombinationsExactly)
{
    EXPECT_EQ(combinazioniIntegrali(0), 0u);
    EXPECT_EQ(combinazioniIntegrali(5), 0u);
    EXPECT_EQ(combinazioniIntegrali(6), 1u);
    EXPECT_EQ(combinazioniIntegrali(7), 7u);
    EXPECT_EQ(combinazioniIntegrali(10), 210u);
    EXPECT_EQ(combinazioniIntegrali(12), 924u);
    EXPECT_EQ(combinazioniIntegrali(35), 1623160u);
    EXPECT_EQ(combinazioniIntegrali(55), 28989675u);
    // Pascal's rule across the whole range guards the running product against overflow or rounding.
    for (int n = 7; n <= 90; ++n) {
        std::uint64_t c5 = 1;
        for (int i = 1; i <= 5; ++i)
            c5 = c5 * static_cast<std::uint64_t>(n - 1 - 5 + i) / static_cast<std::uint64_t>(i);
        EXPECT_EQ(combinazioniIntegrali(n), combinazioniIntegrali(n - 1) + c5) << n;
    }
}
