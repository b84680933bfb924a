#include "core/development/verifier.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

using namespace sestara;

namespace {

struct Brute {
    std::uint64_t subsets = 0, uncovered = 0;
    std::vector<int> first;
};

// Every drawn set against every column, the slow way.
Brute bruteForce(const std::vector<Positions>& columns, int n, const Guarantee& g)
{
    Brute b;
    std::vector<int> set;
    std::function<void(int)> walk = [&](int from) {
        if (static_cast<int>(set.size()) == g.drawn) {
            ++b.subsets;
            for (const Positions& c : columns) {
                int in = 0;
                for (int v : set)
                    in += static_cast<int>(std::count(c.begin(), c.end(), v));
                if (in >= g.matched)
                    return;
            }
            if (b.uncovered++ == 0)
                b.first = set;
            return;
        }
        for (int v = from; v <= n; ++v) {
            set.push_back(v);
            walk(v + 1);
            set.pop_back();
        }
    };
    walk(1);
    return b;
}

void expectAgrees(const std::vector<Positions>& columns, int n, const Guarantee& g)
{
    const Brute want = bruteForce(columns, n, g);
    const CoverageReport got = verifyCoverage(columns, n, g);
    ASSERT_EQ(got.error, "");
    EXPECT_EQ(got.subsets, want.subsets);
    EXPECT_EQ(got.uncovered, want.uncovered);
    EXPECT_EQ(got.firstUncovered, want.first);
    EXPECT_EQ(got.ok(), want.uncovered == 0);
}

const Guarantee kAll[] = {{6, 5}, {6, 4}, {6, 3}, {3, 3}, {4, 3}, {4, 4}};

} // namespace

TEST(Verifier, BinomialsUpToSixtyFourOverEight)
{
    const std::tuple<int, int, std::uint64_t> values[] = {{0, 0, 1},  {5, 6, 0},          {10, 8, 45},
                                                          {10, 9, 0}, {64, 6, 74974368}, {64, 8, 4426165368},
                                                          {65, 1, 0}, {-1, 0, 0},        {3, -1, 0}};
    for (const auto& [n, k, value] : values)
        EXPECT_EQ(binomial(n, k), value) << n << " " << k;
}

TEST(Verifier, DamagedColumnsAreRejected)
{
    // The first column out of range, repeating or below 1 is named.
    const std::vector<Positions> damaged[] = {{{1, 2, 3, 4, 5, 11}}, {{1, 2, 3, 4, 5, 6}, {0, 2, 3, 4, 5, 6}},
                                              {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 6, 6}}};
    for (const auto& columns : damaged)
        EXPECT_EQ(verifyCoverage(columns, 10, reducedGuarantee(2)).error,
                  "La colonna " + std::to_string(columns.size()) + " non contiene sei posizioni diverse da 1 a 10.");
    const CoverageReport bad = verifyCoverage({{1, 2, 3, 4, 5, 6}}, 5, reducedGuarantee(1));
    EXPECT_FALSE(bad.ok());
    EXPECT_EQ(bad.error, "Garanzia 5 se 6 non verificabile con 5 numeri.");
}

TEST(Verifier, DesignsShortOfOneColumnAgreeWithBruteForce)
{
    // A covering grown by brute force (each column added covers the first uncovered set), then every
    // column removed in turn: the verifier must find exactly the sets each removal uncovers.
    for (const auto& [n, g] : {std::pair{7, kAll[0]}, {7, kAll[3]}, {11, kAll[0]}, {11, kAll[1]}, {11, kAll[2]},
                               {11, kAll[3]}, {11, kAll[4]}, {11, kAll[5]}}) {
        SCOPED_TRACE(std::to_string(n) + " " + guaranteeText(g));
        std::vector<Positions> design;
        expectAgrees(design, n, g);
        for (Brute b = bruteForce(design, n, g); b.uncovered > 0; b = bruteForce(design, n, g)) {
            Positions p{};
            std::size_t k = 0;
            for (int v : b.first)
                p[k++] = static_cast<std::uint8_t>(v);
            for (int v = n; k < 6; --v)
                if (std::find(b.first.begin(), b.first.end(), v) == b.first.end())
                    p[k++] = static_cast<std::uint8_t>(v);
            design.push_back(p);
        }
        ASSERT_TRUE(verifyCoverage(design, n, g).ok());
        for (std::size_t drop = 0; drop < design.size(); ++drop) {
            std::vector<Positions> less = design;
            less.erase(less.begin() + static_cast<long>(drop));
            expectAgrees(less, n, g);
            if (less.empty())
                continue;
            // Neither the order of the columns nor that of their positions matters.
            std::reverse(less.begin(), less.end());
            std::reverse(less.front().begin(), less.front().end());
            expectAgrees(less, n, g);
        }
        design.pop_back(); // the last column was needed for the set that made it
        EXPECT_FALSE(verifyCoverage(design, n, g).ok());
    }
}
