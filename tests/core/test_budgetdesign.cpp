#include "core/design/budgetdesign.h"

#include "core/development/storedsystems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace sestara;

namespace {

const std::atomic<bool> kNever{false};

// The draws with k or more points in the best column, counted by the exact analysis.
std::uint64_t exactDraws(int n, int k, const std::vector<Column>& columns)
{
    return analyseGuarantees(positionsUpTo(n), developmentOf(columns), kNever).atLeast[static_cast<std::size_t>(k)];
}

std::vector<Column> reduced(int n, int level)
{
    std::vector<Column> out;
    for (Positions p : loadReducedSystem(SESTARA_PROGRAM_DIR, n, level).columns) {
        std::sort(p.begin(), p.end());
        out.push_back(p);
    }
    return out;
}

} // namespace

// Two columns win in the draws either wins in, less those both do: the overlap the search scores
// must make that exact for every goal and every count of common numbers.
TEST(BudgetDesign, PairOverlapMakesTwoColumnsExact)
{
    const Column first{1, 2, 3, 4, 5, 6};
    const std::vector<Column> second{{7, 8, 9, 10, 11, 12}, {1, 8, 9, 10, 11, 12}, {1, 2, 9, 10, 11, 12},
                                     {1, 2, 3, 10, 11, 12}, {1, 2, 3, 4, 11, 12}, {1, 2, 3, 4, 5, 12}};
    for (int n : {12, 20})
        for (int k = 2; k <= 5; ++k) {
            const std::uint64_t one = exactDraws(n, k, {first});
            EXPECT_EQ(pairOverlap(n, k, 6), one) << n << " " << k;
            for (int t = 0; t < 6; ++t)
                EXPECT_EQ(exactDraws(n, k, {first, second[static_cast<std::size_t>(t)]}),
                          2 * one - pairOverlap(n, k, t))
                    << n << " numbers, " << k << " points, " << t << " in common";
        }
}

TEST(BudgetDesign, ProvenColumnsNeverWorseThanTheSeedAndBetterWithMore)
{
    struct Case {
        int n, k, level;
        std::size_t extra; // columns past the seed
    };
    for (const Case& c : {Case{20, 3, 3, 16}, Case{20, 4, 3, 0}, Case{30, 3, 3, 15}, Case{16, 2, 3, 3}}) {
        BudgetDesignRequest r;
        r.numbers = c.n;
        r.goal = c.k;
        r.seed = reduced(c.n, c.level);
        r.columns = r.seed.size() + c.extra;
        r.moves = 30000;
        const BudgetDesign d = designForBudget(r, kNever);
        ASSERT_TRUE(d.ok()) << d.error;
        ASSERT_EQ(d.columns.size(), r.columns);
        std::set<Column> distinct;
        for (const Column& col : d.columns) {
            EXPECT_TRUE(std::is_sorted(col.begin(), col.end()) && col[0] >= 1 && col[5] <= c.n);
            EXPECT_EQ(std::adjacent_find(col.begin(), col.end()), col.end());
            distinct.insert(col);
        }
        EXPECT_EQ(distinct.size(), r.columns);
        const std::uint64_t proven = exactDraws(c.n, c.k, d.columns);
        EXPECT_EQ(d.analysis.atLeast[static_cast<std::size_t>(c.k)], proven);
        const std::uint64_t seed = exactDraws(c.n, c.k, r.seed);
        if (c.extra > 0)
            EXPECT_GT(proven, seed) << c.n << " " << c.k;
        else
            EXPECT_GE(proven, seed) << c.n << " " << c.k;
        // The same request, the same columns.
        EXPECT_EQ(designForBudget(r, kNever).columns, d.columns);
    }
}

TEST(BudgetDesign, EdgesOfTheRequest)
{
    BudgetDesignRequest r;
    r.numbers = 10;
    r.goal = 5;
    r.columns = 210; // the whole system
    const BudgetDesign all = designForBudget(r, kNever);
    ASSERT_TRUE(all.ok());
    EXPECT_EQ(all.columns, allColumns(10));
    EXPECT_EQ(all.analysis.atLeast[5], exactDraws(10, 5, allColumns(10)));
    for (const auto& bad : {std::make_pair(10, 211), std::make_pair(9, 1), std::make_pair(56, 1),
                            std::make_pair(20, 0)}) {
        r.numbers = bad.first;
        r.columns = static_cast<std::size_t>(bad.second);
        EXPECT_FALSE(designForBudget(r, kNever).error.empty()) << bad.first << " " << bad.second;
    }
    r.numbers = 20;
    r.columns = 12;
    r.goal = 1;
    EXPECT_FALSE(designForBudget(r, kNever).error.empty());
    r.goal = 3;
    const std::atomic<bool> stop{true};
    const BudgetDesign stopped = designForBudget(r, stop);
    EXPECT_TRUE(stopped.interrupted);
    EXPECT_TRUE(stopped.columns.empty());
}

// A seed of columns that all share five numbers is kept whole only while the others are placed;
// moving every column then does far better, and that is what comes out.
TEST(BudgetDesign, TheFreeSearchLeavesABadSeedBehind)
{
    BudgetDesignRequest r;
    r.numbers = 20;
    r.goal = 3;
    r.columns = 15;
    const std::vector<Column> all = allColumns(20);
    r.seed.assign(all.begin(), all.begin() + 14);
    r.moves = 30000;
    const BudgetDesign d = designForBudget(r, kNever);
    ASSERT_TRUE(d.ok());
    EXPECT_FALSE(std::equal(r.seed.begin(), r.seed.end(), d.columns.begin()));
    EXPECT_GT(2 * d.analysis.atLeast[3], 3 * exactDraws(20, 3, r.seed));
}
