#include "core/wincheck/drawncombination.h"
#include "core/wincheck/wincheck.h"

#include "core/development/development.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <set>

using namespace sestara;

namespace {
const std::atomic<bool> kNever{false};
}

TEST(DrawnCombination, ClickOrderRemovalSortsTheRestAndTheSeventhIsTheBonus)
{
    DrawnCombination d;
    for (int n : {40, 5, 12, 33, 7, 21})
        EXPECT_EQ(d.click(n), DrawnCombination::Click::Added);
    EXPECT_EQ(d.bonus(), 0);
    d.click(88);
    EXPECT_EQ(d.bonus(), 88);
    EXPECT_EQ(d.click(9), DrawnCombination::Click::Refused);
    EXPECT_EQ(d.listText(), "40 5 12 33 7 21 88 ");
    EXPECT_FALSE(d.isMarked(9));

    EXPECT_EQ(d.click(12), DrawnCombination::Click::Removed);
    EXPECT_EQ(d.listText(), "5 7 21 33 40 88 ");
    EXPECT_EQ(d.bonus(), 0);
    d.click(3);
    EXPECT_EQ(d.listText(), "5 7 21 33 40 88 3 ");
    EXPECT_EQ(d.bonus(), 3);
    d.setNumbers({8, 1});
    EXPECT_EQ(d.listText(), "8 1 ");
    d.clear();
    EXPECT_TRUE(d.empty());
}

TEST(DrawnCombination, RandomColumnsAreSixDistinctNumbersFromOneToNinety)
{
    std::set<int> seen;
    for (int k = 0; k < 5000; ++k) {
        const std::array<int, 6> c = randomColumn();
        const std::set<int> distinct(c.begin(), c.end());
        ASSERT_EQ(distinct.size(), 6u);
        ASSERT_GE(*distinct.begin(), 1);
        ASSERT_LE(*distinct.rbegin(), 90);
        seen.insert(c.begin(), c.end());
    }
    EXPECT_EQ(seen.size(), 90u) << "every number from 1 to 90 comes up";
}

TEST(WinCheck, ClassesByHitsAndBonus)
{
    // The table agrees with counting matches one by one, on random columns and drawn lists; every
    // outcome comes up, from no win to "5 + 1" and "6".
    const int none = WinTable::kNoWin;
    std::mt19937 engine(7);
    std::set<int> seen;
    std::vector<int> numbers(90);
    for (int n = 1; n <= 90; ++n)
        numbers[n - 1] = n;
    for (int trial = 0; trial < 20000; ++trial) {
        // Half the columns taken from a small range so that high classes come up often.
        std::shuffle(numbers.begin(), numbers.begin() + (trial % 2 ? 8 : 90), engine);
        const std::vector<int> drawn(numbers.begin(), numbers.begin() + 1 + trial % 7);
        std::shuffle(numbers.begin(), numbers.begin() + (trial % 2 ? 8 : 90), engine);
        Column column;
        std::copy(numbers.begin(), numbers.begin() + 6, column.begin());
        int hits = 0;
        bool hasBonus = false;
        for (std::uint8_t x : column)
            for (std::size_t d = 0; d < drawn.size(); ++d)
                if (x == drawn[d]) {
                    ++hits;
                    hasBonus = hasBonus || d == 6;
                }
        int expected = none;
        if (!hasBonus && hits >= 2)
            expected = hits == 6 ? int(WinClass::Sei) : hits - 2;
        if (hasBonus && hits >= 3)
            expected = hits == 6 ? int(WinClass::CinquePiuUno) : hits - 3;
        ASSERT_EQ(WinTable(drawn).classify(column.data()), expected) << trial;
        seen.insert(expected);
    }
    EXPECT_EQ(seen.size(), 1u + kWinClasses);
    // A number listed twice counts once, in its first place.
    EXPECT_EQ(WinTable({1, 1, 2, 3}).classify(Column{1, 2, 3, 40, 50, 60}.data()), int(WinClass::Tre));
    EXPECT_EQ(WinTable({1, 2, 3, 4, 5, 6, 1}).classify(Column{1, 2, 3, 4, 5, 6}.data()), int(WinClass::Sei));
}

TEST(WinCheck, CountsEntriesAndSlipNumbers)
{
    // Columns 1 to 5 lie on slip 1, column 6 on slip 2, column 7 on slip 2.
    Development d;
    for (const Column& c : {Column{1, 2, 3, 10, 11, 12}, {1, 2, 10, 11, 12, 13}, {20, 21, 22, 23, 24, 25},
                            {1, 2, 3, 4, 5, 7}, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 8}, {7, 1, 2, 3, 4, 30}})
        d.append(c);
    const std::vector<int> drawn{1, 2, 3, 4, 5, 6, 7};
    const WinCheckResult r = checkWins(d, drawn, true, kNever);
    EXPECT_EQ(r.counts, (std::array<std::uint64_t, kWinClasses>{1, 1, 1, 1, 1, 1}));
    EXPECT_FALSE(r.interrupted);
    EXPECT_EQ(r.examined, 7u);
    std::vector<std::string> texts;
    for (const WinningEntry& e : r.winners)
        texts.push_back(winningEntryText(e));
    EXPECT_EQ(texts, (std::vector<std::string>{"\tPunti 3       Schedina N° 1", "\tPunti 5 + 1       Schedina N° 1",
                                               "\tPunti 6       Schedina N° 1", "\tPunti 5       Schedina N° 2",
                                               "\tPunti 4       Schedina N° 2"}));

    const WinCheckResult again = checkWins(d, drawn, false, kNever);
    EXPECT_EQ(again.counts, r.counts);
    EXPECT_TRUE(again.winners.empty());
    EXPECT_EQ(checkWins(d, {1, 2, 3, 4, 5, 6}, false, kNever).counts,
              (std::array<std::uint64_t, kWinClasses>{1, 1, 1, 2, 0, 1}));
    EXPECT_EQ(checkWins(Development(), drawn, true, kNever).counts, (std::array<std::uint64_t, kWinClasses>{}));

    EXPECT_EQ(WinningEntry(28989674, WinClass::Sei).slip(), 5797935u);
}

TEST(WinCheck, StellaClassesFollowTheMainClasses)
{
    // The 28 columns of the full system of 1 to 8: the stella classes count the matches among the
    // six drawn numbers, "5+1" with the bonus number. Each main class is the stella class of as many
    // matches, and what wins no main class is "0" or "1 stella".
    Development d;
    for (int x = 1; x <= 8; ++x)
        for (int y = x + 1; y <= 8; ++y) {
            std::vector<std::uint8_t> c;
            for (int n = 1; n <= 8; ++n)
                if (n != x && n != y)
                    c.push_back(static_cast<std::uint8_t>(n));
            d.append(c.data());
        }
    const std::pair<std::vector<int>, StellaCounts> cases[] = {
        {{1, 2, 3, 4, 5, 6, 7}, {0, 0, 0, 0, 15, 6, 6, 1}}, {{1, 2, 3, 4, 5, 6}, {0, 0, 0, 0, 15, 12, 0, 1}},
        {{10, 20, 30, 1, 2, 3}, {0, 3, 15, 10, 0, 0, 0, 0}}, {{10, 20, 30, 40, 50, 1, 2}, {7, 21, 0, 0, 0, 0, 0, 0}},
        {{8}, {7, 21, 0, 0, 0, 0, 0, 0}}};
    for (const auto& [drawn, stella] : cases) {
        const WinCheckResult r = checkWins(d, drawn, false, kNever);
        EXPECT_EQ(r.stella, stella) << drawn.size() << " drawn, the first " << drawn[0];
        EXPECT_TRUE(std::equal(r.counts.begin(), r.counts.end(), r.stella.begin() + 2));
        EXPECT_EQ(r.stella[0] + r.stella[1], 28 - std::accumulate(r.counts.begin(), r.counts.end(), std::uint64_t{0}));
    }
    // Won only when the play has a SuperStar and it was drawn.
    EXPECT_TRUE(superStarMatches(5, 5) && !superStarMatches(0, 0) && !superStarMatches(5, 0) && !superStarMatches(5, 6));
}

TEST(WinCheck, ProgressEveryTwoHundredFiftySixLinesAndInterruption)
{
    Development d;
    // The last chunk is one column short: its line is still reported.
    const std::size_t total = Development::kBlockColumns + 511;
    for (std::size_t k = 0; k < total; ++k)
        d.append(Column{1, 2, 3, static_cast<std::uint8_t>(10 + k % 70), 81, 82});
    std::vector<std::uint64_t> reported;
    const WinCheckResult full =
        checkWins(d, {1, 2, 3}, true, kNever, [&](std::uint64_t line) { reported.push_back(line); });
    ASSERT_EQ(reported.size(), (total + 1) / 256);
    EXPECT_EQ(reported.front(), 255u);
    EXPECT_EQ(reported.back(), total);
    EXPECT_EQ(full.counts[int(WinClass::Tre)], total);
    EXPECT_EQ(full.winners.size(), total);
    EXPECT_EQ(full.winners.back().column(), total - 1);

    // Raised after the second report: the first 512 columns stay counted.
    std::atomic<bool> interrupt{false};
    int calls = 0;
    const WinCheckResult part = checkWins(d, {1, 2, 3}, true, interrupt, [&](std::uint64_t) {
        if (++calls == 3)
            interrupt = true;
    });
    EXPECT_TRUE(part.interrupted);
    EXPECT_EQ(part.examined, 512u);
    EXPECT_EQ(part.counts[int(WinClass::Tre)], 512u);
    EXPECT_EQ(part.winners.size(), 512u);
}

TEST(WinCheck, CaughtNumbersInDrawnOrder)
{
    const std::vector<std::uint8_t> pronostico{1, 10, 15, 20, 30, 40, 50, 60, 70, 80};
    EXPECT_EQ(caughtNumbers({10, 55, 20}, pronostico), (std::vector<int>{10, 20}));
    EXPECT_EQ(caughtNumbers({80, 1, 2, 3, 4, 5, 15}, pronostico), (std::vector<int>{80, 1, 15}));
    EXPECT_TRUE(caughtNumbers({55}, pronostico).empty());
}

TEST(WinCheck, DrawnListsGivenAsText)
{
    EXPECT_EQ(readDrawnList(" 10 55  20 ").numbers, (std::vector<int>{10, 55, 20}));
    EXPECT_EQ(readDrawnList("1 2 3 4 5 6 90").numbers, (std::vector<int>{1, 2, 3, 4, 5, 6, 90}));
    const std::pair<const char*, const char*> refused[] = {
        {"", "Indicare da 1 a 7 numeri estratti, il settimo è il numero jolly"},
        {"1 2 3 4 5 6 7 8", "Indicare da 1 a 7 numeri estratti, il settimo è il numero jolly"},
        {"0", "Numero estratto non valido: \"0\" (da 1 a 90)"},
        {"7 8 7", "Numero estratto ripetuto: 7"},
        {"5 \x1b[2J", "Numero estratto non valido: \"\\x1b[2J\" (da 1 a 90)"}, // echoed readably
    };
    for (const auto& [text, error] : refused) {
        const DrawnListOutcome r = readDrawnList(text);
        EXPECT_EQ(r.error, error) << text;
        EXPECT_TRUE(r.numbers.empty()) << text;
    }
}
