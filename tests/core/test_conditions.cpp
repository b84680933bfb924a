#include "core/conditions/conditionset.h"
#include "core/conditions/filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>

using namespace sestara;

namespace {

using Col = std::array<std::uint8_t, 6>;

Verdict verdict(const ConditionSet& c, Col col)
{
    return ConditionFilter(c).filtraCondizioni(col.data());
}

// Each column must be accepted, or refused by the condition under test, as marked.
void expectProbes(const ConditionSet& c, Verdict refusal, std::initializer_list<std::pair<Col, bool>> probes)
{
    for (const auto& [col, accepted] : probes)
        EXPECT_EQ(verdict(c, col), accepted ? Verdict::Accepted : refusal) << int(col[0]) << " " << int(col[5]);
}

} // namespace

TEST(Conditions, EachTestOnItsBoundaries)
{
    ConditionSet none;
    none.salvaPresenze({5, 17}, false); // data without its flag is ignored
    none.pariDispari[6] = true;
    EXPECT_FALSE(ConditionFilter(none).active());
    expectProbes(none, Verdict::Accepted, {{{1, 2, 3, 4, 6, 7}, true}});

    ConditionSet c;
    c.salvaPresenze({5, 17, 90}, true);
    expectProbes(c, Verdict::Presenze, {{{1, 5, 9, 17, 64, 90}, true}, {{1, 5, 9, 18, 64, 90}, false}, {{1, 5, 17, 64, 65, 89}, false}});
    c.salvaPresenze(std::vector<int>{1, 2, 3, 4, 5, 6, 7}, true);
    expectProbes(c, Verdict::Presenze, {{{1, 2, 3, 4, 5, 6}, false}}); // seven fixed numbers: nothing passes
    ConditionSet gap; // a gap among the first n slots is a slot no number matches
    gap.presenzeAttive = true;
    gap.presenze[1] = 5;
    gap.presenze[3] = 17;
    expectProbes(gap, Verdict::Presenze, {{{5, 17, 20, 30, 40, 50}, false}});

    c = {};
    c.salvaPariDispari({0, 6}, true);
    expectProbes(c, Verdict::PariDispari,
                 {{{1, 3, 5, 7, 9, 11}, true}, {{2, 4, 6, 8, 10, 90}, true}, {{1, 3, 5, 7, 9, 10}, false}});
    c.salvaPariDispari({3}, true);
    expectProbes(c, Verdict::PariDispari, {{{1, 2, 3, 4, 5, 6}, true}, {{63, 64, 65, 66, 67, 68}, true},
                                           {{2, 4, 6, 8, 10, 11}, false}, {{62, 64, 66, 68, 70, 71}, false}});

    c = {};
    c.salvaConsecutivi({0}, true);
    expectProbes(c, Verdict::Consecutivi, {{{1, 3, 5, 7, 9, 11}, true}, {{1, 2, 10, 20, 30, 40}, false}});
    c.salvaConsecutivi({2}, true); // pairs of neighbours, not runs
    expectProbes(c, Verdict::Consecutivi,
                 {{{4, 5, 6, 20, 30, 40}, true},
                  {{40, 5, 30, 4, 20, 21}, true},
                  {{63, 64, 65, 1, 10, 20}, true}, // across the two halves of the mask
                  {{4, 5, 6, 7, 30, 40}, false}});
    c.salvaConsecutivi({5}, true);
    expectProbes(c, Verdict::Consecutivi, {{{85, 86, 87, 88, 89, 90}, true}, {{1, 2, 3, 4, 5, 7}, false}});

    c = {};
    c.salvaSomma(true, 100, 100, 21, 45); // bounds inclusive
    expectProbes(c, Verdict::Somma,
                 {{{10, 15, 16, 17, 20, 22}, true}, {{10, 15, 16, 17, 20, 23}, false}, {{10, 15, 16, 17, 20, 21}, false}});

    c = {};
    c.salvaGruppi({{"-1-2-3-4", 1, 2}}, true);
    expectProbes(c, Verdict::Gruppi,
                 {{{1, 2, 10, 20, 30, 40}, true}, {{1, 2, 3, 10, 20, 30}, false}, {{10, 20, 30, 40, 50, 60}, false}});
    c.salvaGruppi({{"-90-64-63", 2, 2}}, true);
    expectProbes(c, Verdict::Gruppi, {{{1, 2, 3, 63, 64, 89}, true}, {{1, 2, 3, 63, 64, 90}, false}});
    c.salvaGruppi({{"-1-2-3", 1, 1}, {"-10-20-30", 2, 3}}, true); // every group must hold
    expectProbes(c, Verdict::Gruppi,
                 {{{1, 10, 20, 40, 50, 60}, true}, {{1, 2, 10, 20, 50, 60}, false}, {{1, 10, 40, 50, 60, 70}, false}});
    std::vector<int> big(50);
    std::iota(big.begin(), big.end(), 1);
    c.salvaGruppi({{groupText(big), 6, 6}}, true); // a group larger than any fixed work area is read whole
    expectProbes(c, Verdict::Gruppi, {{{45, 46, 47, 48, 49, 50}, true}, {{45, 46, 47, 48, 49, 51}, false}});
    c.salvaGruppi({{"-5-5-9", 2, 2}}, true); // a repeated number counts each time it is listed
    expectProbes(c, Verdict::Gruppi, {{{5, 20, 30, 40, 50, 60}, true}, {{5, 9, 30, 40, 50, 60}, false}});
    c.salvaGruppi({{"Sistema=-20-25", 0, 0}}, true); // the text before the first "-" is no number
    expectProbes(c, Verdict::Gruppi, {{{1, 2, 3, 4, 5, 6}, true}, {{1, 2, 3, 4, 5, 20}, false}});
}

TEST(Conditions, GroupTextIsReadSlotBySlot)
{
    EXPECT_EQ(groupText({5, 17, 23}), "-5-17-23");
    EXPECT_EQ(groupNumbers("-5-17-23"), (std::vector<int>{5, 17, 23}));
    EXPECT_EQ(groupNumbers("Sistema=-20-25"), (std::vector<int>{20, 25}));
    EXPECT_EQ(groupNumbers("-5x-17"), (std::vector<int>{5, 17}));
    EXPECT_EQ(groupNumbers("--3"), (std::vector<int>{0, 3}));
    EXPECT_EQ(groupNumbers(""), std::vector<int>{});
}

TEST(Conditions, StoringSwitchesTheFlags)
{
    ConditionSet c;
    EXPECT_FALSE(c.salvaPresenze({8}, false)) << "kept, not in force";
    EXPECT_EQ(c.fixedNumbers(), std::vector<int>{8});
    // "OK" with an empty list switches a list condition off and unchecks "Attiva"; past 100 groups
    // the rest are dropped.
    c.presenzeAttive = c.pariDispariAttivo = c.consecutiviAttivo = true;
    EXPECT_TRUE(c.salvaGruppi(std::vector<Group>(101, Group{"-1", 0, 1}), true));
    EXPECT_EQ(c.gruppi.size(), 100u);
    EXPECT_FALSE(c.salvaPresenze({}, true));
    EXPECT_TRUE(c.fixedNumbers().empty());
    EXPECT_FALSE(c.salvaPariDispari({}, true));
    EXPECT_FALSE(c.salvaConsecutivi({}, true));
    EXPECT_FALSE(c.salvaGruppi({}, true));
    EXPECT_FALSE(c.presenzeAttive || c.pariDispariAttivo || c.consecutiviAttivo || c.gruppiAttivi);
    EXPECT_TRUE(c.gruppi.empty());
    EXPECT_TRUE(c.salvaPariDispari({0, 1, 2, 3, 4, 5, 6}, true));
    EXPECT_TRUE(ConditionFilter(c).active()) << "all seven counts still run the test";

    // The sum stays active while the range moves either bound; the full range switches it off.
    const int sums[][6] = {// attiva, min, max: active, stored min, stored max
                           {1, 22, 44, 1, 22, 44}, {0, 30, 40, 0, 21, 45}, {1, 22, 45, 1, 22, 45},
                           {1, 21, 44, 1, 21, 44}, {1, 21, 45, 0, 21, 45}};
    for (const auto& s : sums) {
        c.salvaSomma(s[0], s[1], s[2], 21, 45);
        EXPECT_EQ(c.sommaAttiva, bool(s[3])) << s[1] << " - " << s[2];
        EXPECT_EQ(c.sommaMin, s[4]);
        EXPECT_EQ(c.sommaMax, s[5]);
    }
    EXPECT_EQ(sommaOkError(true, 30, 25), "Attenzione: il valore minimo supera il valore massimo");
    EXPECT_EQ(sommaOkError(false, 30, 25), "");
    EXPECT_EQ(sommaOkError(true, 25, 25), "");
}

TEST(Conditions, FixedOrderAndEarlyStop)
{
    ConditionSet c;
    c.salvaPresenze({5}, true);
    c.salvaPariDispari({6}, true);
    c.salvaConsecutivi({0}, true);
    c.salvaSomma(true, 300, 400, 21, 500);
    c.salvaGruppi({{"-1", 1, 1}}, true);
    EXPECT_EQ(verdict(c, {1, 2, 3, 7, 9, 11}), Verdict::Presenze) << "fails all: the first in order decides";
    EXPECT_EQ(verdict(c, {1, 2, 3, 5, 9, 11}), Verdict::PariDispari);
    c.salvaPariDispari({1, 2, 3, 4, 5, 6}, true);
    EXPECT_EQ(verdict(c, {1, 2, 5, 10, 20, 30}), Verdict::Consecutivi);
    EXPECT_EQ(verdict(c, {1, 3, 5, 10, 20, 30}), Verdict::Somma);
    c.salvaSomma(true, 50, 400, 21, 500);
    EXPECT_EQ(verdict(c, {3, 5, 10, 20, 30, 40}), Verdict::Gruppi);
    EXPECT_EQ(verdict(c, {1, 5, 10, 20, 30, 40}), Verdict::Accepted);
}

TEST(Conditions, DisplayResetsAndEquality)
{
    ConditionSet c;
    c.gruppiAttivi = true;
    const ConditionDisplay empty = conditionDisplay(c);
    EXPECT_FALSE(empty.fisseVisible || empty.pariDispariVisible || empty.consecutiviVisible || empty.sommaVisible ||
                 empty.gruppiVisible)
        << "groups active without a group show nothing";
    c.salvaPresenze({17, 5}, true);
    c.salvaPariDispari({4, 2}, true);
    c.salvaConsecutivi({3, 0}, true);
    c.salvaSomma(true, 120, 300, 21, 519);
    c.salvaGruppi({{"-5-17-23", 2, 3}, {"-1-2", 0, 1}}, true);
    // The texts themselves are those of the printed condition lines.
    EXPECT_EQ(groupDisplayMessage(c, 0), "Gr_1  Punti: 2 - 3 -----> -5-17-23");
    EXPECT_EQ(groupDisplayMessage(c, 2), "");

    ConditionSet annulled = c, fis = c, pari = c;
    annulled.annullaCondizioni(); // every flag off, data kept
    EXPECT_FALSE(annulled.anyActive());
    annulled.presenzeAttive = annulled.pariDispariAttivo = annulled.consecutiviAttivo = annulled.sommaAttiva =
        annulled.gruppiAttivi = true;
    EXPECT_EQ(annulled, c);
    fis.azzeraGrupeFis(); // fixed numbers, sum and groups off and emptied; the sum bounds stay
    EXPECT_FALSE(fis.presenzeAttive || fis.sommaAttiva || fis.gruppiAttivi);
    EXPECT_TRUE(fis.pariDispariAttivo && fis.consecutiviAttivo && fis.pariDispari[2] && fis.sommaMin == 120);
    EXPECT_TRUE(fis.fixedNumbers().empty() && fis.gruppi.empty());
    pari.azzeraConePari(); // choices cleared, flags untouched
    EXPECT_TRUE(pari.pariDispariAttivo && pari.consecutiviAttivo);
    EXPECT_FALSE(pari.pariDispari[2] || pari.consecutivi[0]);

    // Sets are equal only when every part is.
    const std::function<void(ConditionSet&)> oneChange[] = {
        [](ConditionSet& x) { x.presenzeAttive = false; }, [](ConditionSet& x) { x.presenze[3] = 9; },
        [](ConditionSet& x) { x.pariDispariAttivo = false; }, [](ConditionSet& x) { x.pariDispari[5] = true; },
        [](ConditionSet& x) { x.consecutiviAttivo = false; }, [](ConditionSet& x) { x.consecutivi[4] = true; },
        [](ConditionSet& x) { x.sommaAttiva = false; },       [](ConditionSet& x) { ++x.sommaMin; },
        [](ConditionSet& x) { ++x.sommaMax; },                [](ConditionSet& x) { x.gruppiAttivi = false; },
        [](ConditionSet& x) { x.gruppi[1].puntiMax = 3; },
    };
    for (std::size_t k = 0; k < std::size(oneChange); ++k) {
        SCOPED_TRACE(k);
        ConditionSet other = c;
        oneChange[k](other);
        EXPECT_FALSE(c == other);
        EXPECT_FALSE(other == c);
    }
}
