#include "conditions/conditionset.h"
#include "conditions/filter.h"

#include <gtest/gtest.h>

#include <random>

using namespace sestara;

namespace {

Verdict verdict(const ConditionSet& c, std::array<std::uint8_t, 6> col)
{
    return ConditionFilter(c).filtraCondizioni(col.data());
}

bool accepts(const ConditionSet& c, std::array<std::uint8_t, 6> col)
{
    return verdict(c, col) == Verdict::Accepted;
}

} // namespace

TEST(Conditions, NoConditionKeepsEveryColumn)
{
    ConditionSet c;
    EXPECT_FALSE(ConditionFilter(c).active());
    EXPECT_TRUE(accepts(c, {1, 2, 3, 4, 5, 6}));
    // Data without its flag is ignored.
    c.salvaPresenze({5, 17}, false);
    c.pariDispari[6] = true;
    EXPECT_FALSE(ConditionFilter(c).active());
    EXPECT_TRUE(accepts(c, {1, 2, 3, 4, 6, 7}));
}

TEST(Conditions, FixedNumbers)
{
    ConditionSet c;
    EXPECT_TRUE(c.salvaPresenze({5, 17}, true));
    EXPECT_TRUE(accepts(c, {1, 5, 9, 17, 30, 40}));
    EXPECT_EQ(verdict(c, {1, 5, 9, 18, 30, 40}), Verdict::Presenze);
    EXPECT_EQ(c.fixedNumbers(), (std::vector<int>{5, 17}));

    c.salvaPresenze({1, 2, 3, 4, 5, 6, 7}, true);
    EXPECT_EQ(verdict(c, {1, 2, 3, 4, 5, 6}), Verdict::Presenze) << "seven fixed numbers: nothing passes";

    // "OK" with an empty list switches it off and tells the dialog to uncheck "Attiva".
    EXPECT_FALSE(c.salvaPresenze({}, true));
    EXPECT_FALSE(c.presenzeAttive);
    EXPECT_TRUE(c.fixedNumbers().empty());

    // Numbers kept but "Attiva" unchecked: stored, not in force.
    EXPECT_FALSE(c.salvaPresenze({8}, false));
    EXPECT_EQ(c.fixedNumbers(), std::vector<int>{8});
    EXPECT_TRUE(accepts(c, {1, 2, 3, 4, 5, 6}));

    // A gap among the first n slots is a slot no number matches.
    ConditionSet gap;
    gap.presenzeAttive = true;
    gap.presenze[1] = 5;
    gap.presenze[3] = 17;
    EXPECT_EQ(verdict(gap, {5, 17, 20, 30, 40, 50}), Verdict::Presenze);
}

TEST(Conditions, EvenOdd)
{
    ConditionSet c;
    c.salvaPariDispari({3}, true);
    EXPECT_TRUE(accepts(c, {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(verdict(c, {2, 4, 6, 8, 10, 11}), Verdict::PariDispari);

    c.salvaPariDispari({0, 6}, true);
    EXPECT_TRUE(accepts(c, {1, 3, 5, 7, 9, 11}));
    EXPECT_TRUE(accepts(c, {2, 4, 6, 8, 10, 90}));
    EXPECT_FALSE(accepts(c, {1, 3, 5, 7, 9, 10}));

    c.salvaPariDispari({0, 1, 2, 3, 4, 5, 6}, true);
    EXPECT_TRUE(ConditionFilter(c).active()) << "all seven counts still run the test";
    EXPECT_TRUE(accepts(c, {1, 2, 3, 4, 5, 7}));

    EXPECT_FALSE(c.salvaPariDispari({}, true));
    EXPECT_FALSE(c.pariDispariAttivo);
}

TEST(Conditions, Consecutive)
{
    ConditionSet c;
    c.salvaConsecutivi({0}, true);
    EXPECT_TRUE(accepts(c, {1, 3, 5, 7, 9, 11}));
    EXPECT_EQ(verdict(c, {1, 2, 10, 20, 30, 40}), Verdict::Consecutivi);

    c.salvaConsecutivi({2}, true);
    EXPECT_TRUE(accepts(c, {4, 5, 6, 20, 30, 40}));
    EXPECT_TRUE(accepts(c, {4, 5, 20, 21, 30, 40}));
    EXPECT_FALSE(accepts(c, {4, 5, 6, 7, 30, 40}));
    EXPECT_TRUE(accepts(c, {40, 5, 30, 4, 20, 21})) << "order does not matter";
    EXPECT_TRUE(accepts(c, {63, 64, 65, 1, 10, 20})) << "pairs across the two halves of the mask";

    c.salvaConsecutivi({5}, true);
    EXPECT_TRUE(accepts(c, {85, 86, 87, 88, 89, 90}));
    EXPECT_FALSE(accepts(c, {1, 2, 3, 4, 5, 7}));
}

TEST(Conditions, Sum)
{
    ConditionSet c;
    c.salvaSomma(true, 100, 100, 21, 45);
    ASSERT_TRUE(c.sommaAttiva);
    EXPECT_TRUE(accepts(c, {10, 15, 16, 17, 20, 22}));
    EXPECT_EQ(verdict(c, {10, 15, 16, 17, 20, 23}), Verdict::Somma);
    EXPECT_EQ(verdict(c, {10, 15, 16, 17, 20, 21}), Verdict::Somma);

    // The full range restricts nothing and switches the condition off.
    c.salvaSomma(true, 21, 45, 21, 45);
    EXPECT_FALSE(c.sommaAttiva);
    EXPECT_EQ(c.sommaMin, 21);
    EXPECT_EQ(c.sommaMax, 45);

    c.salvaSomma(false, 30, 25, 21, 45);
    EXPECT_FALSE(c.sommaAttiva);
    EXPECT_EQ(c.sommaMin, 21);
    EXPECT_EQ(c.sommaMax, 45);

    EXPECT_EQ(sommaOkError(true, 30, 25), "Attenzione: il valore minimo supera il valore massimo");
    EXPECT_EQ(sommaOkError(false, 30, 25), "");
    EXPECT_EQ(sommaOkError(true, 25, 25), "");
}

TEST(Conditions, Groups)
{
    ConditionSet c;
    EXPECT_TRUE(c.salvaGruppi({{groupText({1, 2, 3, 4}), 1, 2}}, true));
    EXPECT_EQ(c.gruppi[0].numeri, "-1-2-3-4");
    EXPECT_TRUE(accepts(c, {1, 2, 10, 20, 30, 40}));
    EXPECT_EQ(verdict(c, {1, 2, 3, 10, 20, 30}), Verdict::Gruppi);
    EXPECT_EQ(verdict(c, {10, 20, 30, 40, 50, 60}), Verdict::Gruppi);

    c.salvaGruppi({{"-1-2-3-4", 0, 1}}, true);
    EXPECT_TRUE(accepts(c, {10, 20, 30, 40, 50, 60}));
    EXPECT_TRUE(accepts(c, {4, 20, 30, 40, 50, 60}));
    EXPECT_FALSE(accepts(c, {3, 4, 30, 40, 50, 60}));

    // Both groups must hold.
    c.salvaGruppi({{"-1-2-3", 1, 1}, {"-10-20-30", 2, 3}}, true);
    EXPECT_TRUE(accepts(c, {1, 10, 20, 40, 50, 60}));
    EXPECT_FALSE(accepts(c, {1, 2, 10, 20, 50, 60}));
    EXPECT_FALSE(accepts(c, {1, 10, 40, 50, 60, 70}));

    // A group larger than any fixed work area is read whole.
    std::vector<int> big;
    for (int n = 1; n <= 50; ++n)
        big.push_back(n);
    c.salvaGruppi({{groupText(big), 6, 6}}, true);
    EXPECT_TRUE(accepts(c, {45, 46, 47, 48, 49, 50}));
    EXPECT_FALSE(accepts(c, {45, 46, 47, 48, 49, 51}));

    // A repeated number counts for every time it is listed, as the group is read slot by slot.
    c.salvaGruppi({{"-5-5-9", 2, 2}}, true);
    EXPECT_TRUE(accepts(c, {5, 20, 30, 40, 50, 60}));
    EXPECT_FALSE(accepts(c, {5, 9, 30, 40, 50, 60}));

    EXPECT_FALSE(c.salvaGruppi({}, true));
    EXPECT_FALSE(c.gruppiAttivi);
    EXPECT_TRUE(c.gruppi.empty());
}

TEST(Conditions, GroupTextIsReadSlotBySlot)
{
    EXPECT_EQ(groupNumbers("-5-17-23"), (std::vector<int>{5, 17, 23}));
    EXPECT_EQ(groupNumbers("7-5"), std::vector<int>{5}) << "text before the first dash fills no slot";
    EXPECT_EQ(groupNumbers("-5x-17"), (std::vector<int>{5, 17}));
    EXPECT_EQ(groupNumbers("--3"), (std::vector<int>{0, 3}));
    EXPECT_EQ(groupNumbers(""), std::vector<int>{});
}

TEST(Conditions, FixedOrderAndEarlyStop)
{
    ConditionSet c;
    c.salvaPresenze({5}, true);
    c.salvaPariDispari({6}, true);
    c.salvaConsecutivi({0}, true);
    c.salvaSomma(true, 300, 400, 21, 500);
    c.salvaGruppi({{"-1", 1, 1}}, true);
    // Fails every condition: the first in order decides.
    EXPECT_EQ(verdict(c, {1, 2, 3, 7, 9, 11}), Verdict::Presenze);
    // Passes fixed numbers, fails the rest.
    EXPECT_EQ(verdict(c, {1, 2, 3, 5, 9, 11}), Verdict::PariDispari);
    EXPECT_EQ(verdict(c, {2, 4, 5, 6, 8, 10}), Verdict::PariDispari);
    c.salvaPariDispari({1, 2, 3, 4, 5, 6}, true);
    EXPECT_EQ(verdict(c, {1, 2, 5, 10, 20, 30}), Verdict::Consecutivi);
    EXPECT_EQ(verdict(c, {1, 3, 5, 10, 20, 30}), Verdict::Somma);
    c.salvaSomma(true, 50, 400, 21, 500);
    EXPECT_EQ(verdict(c, {3, 5, 10, 20, 30, 40}), Verdict::Gruppi);
    EXPECT_EQ(verdict(c, {1, 5, 10, 20, 30, 40}), Verdict::Accepted);
}

TEST(Conditions, MaskFilterAgreesWithPlainCounting)
{
    // Every test recomputed the plain way on random columns and random condition sets.
    std::mt19937 rng(12345);
    for (int round = 0; round < 300; ++round) {
        ConditionSet c;
        std::uniform_int_distribution<int> num(1, 90), coin(0, 1), pts(0, 6);
        if (coin(rng))
            c.salvaPresenze({num(rng)}, true);
        std::vector<int> pd, cs;
        for (int k = 0; k <= 6; ++k)
            if (coin(rng))
                pd.push_back(k);
        for (int k = 0; k <= 5; ++k)
            if (coin(rng))
                cs.push_back(k);
        c.salvaPariDispari(pd, coin(rng));
        c.salvaConsecutivi(cs, coin(rng));
        const int lo = 100 + num(rng), hi = lo + num(rng) * 2;
        c.salvaSomma(coin(rng), lo, hi, 21, 519);
        std::vector<int> g1;
        for (int i = 0; i < 20; ++i)
            g1.push_back(1 + (num(rng) % 45));
        std::sort(g1.begin(), g1.end());
        g1.erase(std::unique(g1.begin(), g1.end()), g1.end());
        int a = pts(rng), b = pts(rng);
        c.salvaGruppi({{groupText(g1), std::min(a, b), std::max(a, b)}}, coin(rng));
        const ConditionFilter f(c);
        for (int k = 0; k < 200; ++k) {
            std::array<std::uint8_t, 6> col{};
            for (int i = 0; i < 6; ++i) {
                int v;
                do
                    v = num(rng);
                while (std::find(col.begin(), col.begin() + i, v) != col.begin() + i);
                col[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v);
            }
            bool ok = true;
            if (ok && c.presenzeAttive)
                ok = std::find(col.begin(), col.end(), c.presenze[1]) != col.end();
            if (ok && c.pariDispariAttivo) {
                int even = 0;
                for (auto v : col)
                    even += v % 2 == 0;
                ok = c.pariDispari[static_cast<std::size_t>(even)];
            }
            if (ok && c.consecutiviAttivo) {
                int p = 0;
                for (auto x : col)
                    for (auto y : col)
                        p += x - 1 == y;
                ok = c.consecutivi[static_cast<std::size_t>(p)];
            }
            if (ok && c.sommaAttiva) {
                int s = 0;
                for (auto v : col)
                    s += v;
                ok = s >= c.sommaMin && s <= c.sommaMax;
            }
            if (ok && c.gruppiAttivi) {
                int hits = 0;
                for (auto v : col)
                    hits += std::count(g1.begin(), g1.end(), v);
                ok = hits >= c.gruppi[0].puntiMin && hits <= c.gruppi[0].puntiMax;
            }
            ASSERT_EQ(f.accepts(col.data()), ok) << "round " << round;
        }
    }
}

TEST(Conditions, ResetsAndAnnulla)
{
    ConditionSet c;
    c.salvaPresenze({5}, true);
    c.salvaPariDispari({2}, true);
    c.salvaConsecutivi({1}, true);
    c.salvaSomma(true, 100, 150, 21, 519);
    c.salvaGruppi({{"-1-2", 1, 2}}, true);

    ConditionSet annulled = c;
    annulled.annullaCondizioni();
    EXPECT_FALSE(annulled.anyActive());
    EXPECT_EQ(annulled.fixedNumbers(), std::vector<int>{5}) << "data kept";
    EXPECT_TRUE(annulled.pariDispari[2]);
    EXPECT_EQ(annulled.gruppi.size(), 1u);

    ConditionSet fis = c;
    fis.azzeraGrupeFis();
    EXPECT_FALSE(fis.presenzeAttive || fis.sommaAttiva || fis.gruppiAttivi);
    EXPECT_TRUE(fis.pariDispariAttivo && fis.consecutiviAttivo) << "a prediction change keeps even/odd and consecutive";
    EXPECT_TRUE(fis.fixedNumbers().empty());
    EXPECT_TRUE(fis.gruppi.empty());
    EXPECT_EQ(fis.sommaMin, 100) << "the bounds stay until the dialog reloads them";

    ConditionSet pari = c;
    pari.azzeraConePari();
    EXPECT_TRUE(pari.pariDispariAttivo) << "flags untouched";
    EXPECT_FALSE(pari.pariDispari[2]);
    EXPECT_FALSE(pari.consecutivi[1]);
}

TEST(Conditions, DisplayTexts)
{
    ConditionSet c;
    EXPECT_FALSE(conditionDisplay(c).fisseVisible);
    c.salvaPresenze({17, 5}, true);
    c.salvaPariDispari({4, 2}, true);
    c.salvaConsecutivi({3, 0}, true);
    c.salvaSomma(true, 120, 300, 21, 519);
    c.salvaGruppi({{"-5-17-23", 2, 3}, {"-1-2", 0, 1}}, true);
    const ConditionDisplay d = conditionDisplay(c);
    EXPECT_TRUE(d.fisseVisible && d.pariDispariVisible && d.consecutiviVisible && d.sommaVisible && d.gruppiVisible);
    EXPECT_EQ(d.fisse, (std::vector<std::string>{"17", "5"}));
    EXPECT_EQ(d.pariDispari, (std::vector<std::string>{"2 - 4", "4 - 2"}));
    EXPECT_EQ(d.consecutivi, (std::vector<std::string>{"0", "3"}));
    EXPECT_EQ(d.somma, std::vector<std::string>{"120 - 300"});
    EXPECT_EQ(d.gruppi, (std::vector<std::string>{"Gr_1  Punti: 2 - 3", "Gr_2  Punti: 0 - 1"}));
    EXPECT_EQ(groupDisplayMessage(c, 0), "Gr_1  Punti: 2 - 3 -----> -5-17-23");
    EXPECT_EQ(groupDisplayMessage(c, 1), "Gr_2  Punti: 0 - 1 -----> -1-2");
    EXPECT_EQ(groupDisplayMessage(c, 2), "");

    ConditionSet noGroups;
    noGroups.gruppiAttivi = true;
    EXPECT_FALSE(conditionDisplay(noGroups).gruppiVisible) << "active without groups shows nothing";
}
