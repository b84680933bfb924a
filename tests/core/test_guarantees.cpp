#include "core/guarantees/guarantees.h"

#include "core/development/catalogue.h"
#include "core/development/development.h"
#include "core/development/run.h"

#include "tests/common/testutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

using namespace sestara;

namespace {

const std::atomic<bool> kNever{false};
const NumberText plain = [](double v, int decimals) {
    char text[40];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return std::string(text);
};

struct Developed {
    std::vector<std::uint8_t> pronostico;
    Development development;
};

// The entry developed from the shipped data files for the numbers first..last.
Developed develop(const std::string& entry, int first, int last, const ConditionSet& conditions = {})
{
    const std::vector<int> numbers = testutil::range(first, last);
    const std::string size = std::to_string(numbers.size());
    const auto entries = catalogueEntriesForSize(static_cast<int>(numbers.size()));
    const int index = static_cast<int>(std::find(entries.begin(), entries.end(), entry) - entries.begin());
    const PlanOutcome planned =
        planDevelopment(testutil::predictionOf(numbers), {size, index, entry}, SESTARA_PROGRAM_DIR);
    EXPECT_TRUE(planned.ok()) << entry << ": " << planned.refusal;
    return {planned.plan.pronostico, execute(planned.plan, conditions, kNever).development};
}

// For every h, the h-subsets of the prediction by the most numbers any one column holds of them,
// every subset against every column.
std::array<std::array<std::uint64_t, 7>, 7> countByHand(const Developed& d)
{
    std::vector<std::bitset<91>> columns;
    for (std::size_t k = 0; k < d.development.size(); ++k) {
        std::bitset<91> c;
        for (std::uint8_t v : d.development.column(k))
            c.set(v);
        columns.push_back(c);
    }
    std::array<std::array<std::uint64_t, 7>, 7> counts{};
    std::bitset<91> subset;
    std::function<void(std::size_t, int)> walk = [&](std::size_t from, int size) {
        int best = 0;
        for (const auto& c : columns)
            best = std::max(best, static_cast<int>((c & subset).count()));
        ++counts[static_cast<std::size_t>(size)][static_cast<std::size_t>(best)];
        if (size == 6)
            return;
        for (std::size_t i = from; i < d.pronostico.size(); ++i) {
            subset.set(d.pronostico[i]);
            walk(i + 1, size + 1);
            subset.reset(d.pronostico[i]);
        }
    };
    walk(0, 0);
    return counts;
}

std::uint64_t choose(int n, int k)
{
    std::uint64_t c = 1;
    for (int i = 0; i < k; ++i)
        c = c * static_cast<std::uint64_t>(n - i) / static_cast<std::uint64_t>(i + 1);
    return k < 0 || k > n ? 0 : c;
}

ConditionSet sumBetween(int low, int high)
{
    ConditionSet c;
    c.salvaSomma(true, low, high, 0, 1000);
    return c;
}

ConditionSet evenCounts(const std::vector<int>& counts)
{
    ConditionSet c;
    c.salvaPariDispari(counts, true);
    return c;
}

} // namespace

TEST(Guarantees, CountsAgreeWithCountingByHand)
{
    struct Case {
        const char* entry;
        int first, last;
        ConditionSet conditions;
    };
    const Case cases[] = {
        {"10 numeri sistema Integrale", 1, 10, {}},
        {"12 numeri sistema Integrale", 30, 41, sumBetween(200, 215)},
        {"11 numeri ridotto n-1", 1, 11, {}},
        {"12 numeri ridotto n-1", 1, 12, evenCounts({2, 3, 4})},
        {"13 numeri ridotto n-2", 40, 52, {}},
        {"14 numeri ridotto n-3", 1, 14, sumBetween(30, 50)},
        {"10 numeri in 20 sestine a garanzia quattro con 4 estratti", 5, 14, {}},
        {"11 numeri in 5 sestine a garanzia tre con 4 estratti", 80, 90, {}},
        {"16 numeri in 43 sestine a garanzia tre con 3 estratti", 1, 16, evenCounts({3})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        const Developed d = develop(c.entry, c.first, c.last, c.conditions);
        ASSERT_FALSE(d.development.empty());
        const GuaranteeAnalysis a = analyseGuarantees(d.pronostico, d.development, kNever);
        ASSERT_TRUE(a.ok()) << a.error;
        EXPECT_EQ(a.columns, d.development.size());
        const auto want = countByHand(d);
        for (int h = 0; h <= 6; ++h)
            EXPECT_EQ(a.bySubset[static_cast<std::size_t>(h)], want[static_cast<std::size_t>(h)]) << "h = " << h;
        // Every draw meets the prediction in some set, so the draws of at least 0 points are all.
        EXPECT_EQ(a.atLeast[0], kAllDraws);
    }
}

TEST(Guarantees, DrawsOfAFullSystemFollowTheHypergeometricLaw)
{
    for (const int n : {10, 17, 35}) {
        SCOPED_TRACE(n);
        const Developed d = develop(std::to_string(n) + " numeri sistema Integrale", 91 - n, 90);
        const GuaranteeAnalysis a = analyseGuarantees(d.pronostico, d.development, kNever);
        ASSERT_TRUE(a.ok());
        for (int h = 2; h <= 6; ++h) {
            EXPECT_EQ(a.bySubset[static_cast<std::size_t>(h)][static_cast<std::size_t>(h)], choose(n, h));
            EXPECT_EQ(a.lowestScore(h), h);
        }
        for (int k = 0; k <= 6; ++k) {
            std::uint64_t draws = 0;
            for (int j = k; j <= 6; ++j)
                draws += choose(n, j) * choose(90 - n, 6 - j);
            EXPECT_EQ(a.atLeast[static_cast<std::size_t>(k)], draws) << "k = " << k;
        }
    }
    // Twelve numbers: the six drawn all in the prediction once in 673,825 draws.
    const Developed twelve = develop("12 numeri sistema Integrale", 1, 12);
    const GuaranteeAnalysis a = analyseGuarantees(twelve.pronostico, twelve.development, kNever);
    EXPECT_EQ(atLeastText(2, a.atLeast[2], plain), "Almeno 2 punti: 1 volta su 5.5"); // 112,429,955 draws
}

TEST(Guarantees, OnceInHowManyDrawsNeverReadsAsEveryDrawUnlessItIs)
{
    const std::pair<std::uint64_t, const char*> cases[] = {
        {kAllDraws, "a ogni estrazione"}, {kAllDraws - 1, "1 volta su 1.000000002"}, {600000000, "1 volta su 1.04"},
        {565000000, "1 volta su 1.1"},    {69179403, "1 volta su 9.0"},  {62300000, "1 volta su 10"}, // not "10.0"
        {924, "1 volta su 673825"},       {1, "1 volta su 622614630"},   {0, "mai"}};
    for (const auto& [draws, text] : cases)
        EXPECT_EQ(atLeastText(3, draws, plain), std::string("Almeno 3 punti: ") + text) << draws;
    EXPECT_EQ(atLeastTip(112429955, plain), "In 112429955 delle 622614630 estrazioni possibili (18.1 %)");
    EXPECT_EQ(atLeastTip(1, plain), "In 1 delle 622614630 estrazioni possibili (0.0000002 %)");
}

TEST(Guarantees, AStoredSystemKeepsItsGuaranteeUntilAConditionBreaksIt)
{
    const Guarantee g = *statedGuarantee("12 numeri ridotto n-1");
    const Developed bare = develop("12 numeri ridotto n-1", 1, 12);
    const GuaranteeAnalysis kept = analyseGuarantees(bare.pronostico, bare.development, kNever);
    const GuaranteeShare whole = guaranteeShare(kept, g);
    EXPECT_EQ(whole.reached, 924u);
    EXPECT_EQ(whole.total, 924u);
    EXPECT_TRUE(whole.holds());
    EXPECT_EQ(kept.lowestScore(6), 5);
    EXPECT_EQ(guaranteeLine(g, whole.holds(), ""), "Garanzia del sistema rispettata: 5 se 6");

    // Columns summing over 45 dropped: the six-sets they alone covered with five now miss.
    const Developed narrowed = develop("12 numeri ridotto n-1", 1, 12, sumBetween(21, 45));
    const GuaranteeAnalysis lost = analyseGuarantees(narrowed.pronostico, narrowed.development, kNever);
    const auto byHand = countByHand(narrowed);
    const GuaranteeShare part = guaranteeShare(lost, g);
    EXPECT_EQ(part.total, 924u);
    EXPECT_EQ(part.reached, byHand[6][6] + byHand[6][5]);
    EXPECT_FALSE(part.holds());
    EXPECT_LT(lost.lowestScore(6), 5);
    EXPECT_EQ(guaranteeLine(g, part.holds(), "41,3 %"),
              "Le condizioni hanno ridotto la garanzia: 5 se 6 solo nel 41,3 % dei casi");
}

TEST(Guarantees, TheGuaranteeEachEntryStates)
{
    const std::pair<const char*, const char*> stated[] = {
        {"35 numeri sistema Integrale", "6 se 6"},
        {"10 numeri sistema Integrale", "6 se 6"},
        {"39 numeri ridotto n-1", "5 se 6"},
        {"50 numeri ridotto n-2", "4 se 6"},
        {"55 numeri ridotto n-3", "3 se 6"},
        {"10 numeri in 20 sestine a garanzia quattro con 4 estratti", "4 se 4"},
        {"11 numeri in 5 sestine a garanzia tre con 4 estratti", "3 se 4"},
        {"22 numeri in 77 sestine a garanzia tre con 3 estratti", "3 se 3"},
    };
    for (const auto& [entry, text] : stated) {
        const auto g = statedGuarantee(entry);
        ASSERT_TRUE(g.has_value()) << entry;
        EXPECT_EQ(guaranteeText(*g), text) << entry;
    }
    for (const char* outside : {"", "36 numeri sistema Integrale", "40 numeri ridotto n-1", "55 numeri ridotto n-3 "})
        EXPECT_FALSE(statedGuarantee(outside).has_value()) << outside;
}

TEST(Guarantees, SharesNeverReadAsNothingOrAllUnlessTheyAre)
{
    const std::tuple<std::uint64_t, std::uint64_t, int> cases[] = {
        {0, 924, 0},          {924, 924, 0},       {810, 924, 1}, {462, 924, 1},
        {923, 924, 1},        {999, 1000, 1},      {9999, 10000, 2}, {1, 28989675, 6},
        {28989674, 28989675, 6}, {0, 0, 0},
    };
    for (const auto& [part, whole, decimals] : cases)
        EXPECT_EQ(shareDecimals(part, whole), decimals) << part << "/" << whole;
}

TEST(Guarantees, StopsOnRequestAndRefusesForeignColumns)
{
    const Developed d = develop("20 numeri sistema Integrale", 1, 20);
    const std::atomic<bool> stop{true};
    std::uint64_t reported = 0;
    const GuaranteeAnalysis stopped =
        analyseGuarantees(d.pronostico, d.development, stop, [&](std::uint64_t done) { reported = done; });
    EXPECT_TRUE(stopped.interrupted);
    EXPECT_FALSE(stopped.ok());
    EXPECT_EQ(stopped.bySubset, decltype(stopped.bySubset){});
    EXPECT_EQ(stopped.atLeast, decltype(stopped.atLeast){});
    EXPECT_GT(reported, 0u); // stopped at the first look, one slice of work in
    EXPECT_LT(reported, (1u << 16) + 20);

    // A finished run reports its work as it goes, never beyond the whole.
    std::uint64_t last = 0;
    const GuaranteeAnalysis done =
        analyseGuarantees(d.pronostico, d.development, kNever, [&](std::uint64_t at) { last = at; });
    EXPECT_TRUE(done.ok());
    EXPECT_GT(last, 0u);
    EXPECT_LE(last, guaranteeWork(20, d.development.size()));

    Development foreign;
    foreign.append(Column{1, 2, 3, 4, 5, 77});
    foreign.append(Column{1, 2, 3, 4, 5, 5});
    const std::vector<std::uint8_t> ten = testutil::pronostico(1, 10);
    EXPECT_EQ(analyseGuarantees(ten, foreign, kNever).error,
              "La colonna 1 non è fatta di sei numeri diversi del pronostico.");
    Development repeated;
    repeated.append(Column{1, 2, 3, 4, 5, 5});
    EXPECT_EQ(analyseGuarantees(ten, repeated, kNever).error,
              "La colonna 1 non è fatta di sei numeri diversi del pronostico.");
    EXPECT_EQ(analyseGuarantees(testutil::pronostico(1, 5), Development{}, kNever).error,
              "Le garanzie si calcolano per un pronostico da 6 a 55 numeri.");
    Development one;
    one.append(Column{1, 2, 3, 4, 5, 6});
    EXPECT_TRUE(analyseGuarantees(testutil::pronostico(1, 6), one, kNever).ok());
}
