// The exact exchange that finishes a search a few sets short: two columns swapped for two others,
// found by exhaustive search, and the design checked by the core's verifier.

#include "anneal.h"
#include "exchange.h"
#include "search.h"

#include "covers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace gen;

Design smallDesign(const Problem& p)
{
    AnnealSettings s;
    s.moves = 40000;
    s.seed = 7;
    return annealDown(greedy(p, 0, 3, nullptr), p, 0, s, nullptr, nullptr);
}

TEST(Exchange, TwoDamagedColumnsAreReplacedAndEverythingIsCovered)
{
    for (const Problem& p : {Problem{14, 4, 3}, Problem{11, 6, 5}, Problem{13, 3, 3}}) {
        SCOPED_TRACE("n=" + std::to_string(p.n) + " s=" + std::to_string(p.s) + " m=" + std::to_string(p.m));
        const Design good = smallDesign(p);
        ASSERT_TRUE(covers(good, p));
        for (const auto& [i, j] : {std::pair<std::size_t, std::size_t>{0, 1}, {2, good.size() - 1}}) {
            Design d = good;
            // Both columns moved onto the points of another one: what they alone covered is lost.
            d[i] = Set{0, 1, 2, 3, 4, 5};
            d[j] = Set{static_cast<std::uint8_t>(p.n - 6), static_cast<std::uint8_t>(p.n - 5),
                       static_cast<std::uint8_t>(p.n - 4), static_cast<std::uint8_t>(p.n - 3),
                       static_cast<std::uint8_t>(p.n - 2), static_cast<std::uint8_t>(p.n - 1)};
            ASSERT_FALSE(covers(d, p));
            const Design before = d;
            std::vector<std::string> lines;
            ASSERT_TRUE(exchangeToCover(d, p, [&](const std::string& l) { lines.push_back(l); }));
            EXPECT_EQ(d.size(), good.size());
            EXPECT_TRUE(covers(d, p));
            // The log names the two columns swapped, and only those changed.
            ASSERT_EQ(lines.size(), 1u);
            std::size_t a = 0, b = 0;
            ASSERT_EQ(std::sscanf(lines[0].c_str(), "  scambio esatto: le colonne %zu e %zu sostituite, tutto coperto",
                                  &a, &b),
                      2)
                << lines[0];
            for (std::size_t k = 0; k < d.size(); ++k) {
                if (k + 1 != a && k + 1 != b) {
                    EXPECT_EQ(d[k], before[k]) << k;
                }
            }
            for (const Set& c : d)
                EXPECT_TRUE(std::is_sorted(c.begin(), c.end()) && std::adjacent_find(c.begin(), c.end()) == c.end() &&
                            c[5] < p.n);
        }
    }
}

TEST(Exchange, WhatTwoColumnsCannotMendIsLeftAlone)
{
    const Problem p{14, 4, 3};
    // Already covering: nothing to do, nothing said.
    Design good = smallDesign(p);
    const Design kept = good;
    int said = 0;
    EXPECT_TRUE(exchangeToCover(good, p, [&](const std::string&) { ++said; }));
    EXPECT_EQ(good, kept);
    EXPECT_EQ(said, 0);

    // Three columns of a design of minimum size: two can never stand in for all the others.
    std::vector<std::string> lines;
    const auto keepLine = [&](const std::string& l) { lines.push_back(l); };
    Design few(kept.begin(), kept.begin() + 3);
    const Design fewBefore = few;
    EXPECT_FALSE(exchangeToCover(few, p, keepLine));
    EXPECT_EQ(few, fewBefore);
    EXPECT_EQ(lines, std::vector<std::string>{"  scambio esatto: nessuna coppia di colonne basta"});

    // One column has no pair to swap.
    lines.clear();
    Design one{{0, 1, 2, 3, 4, 5}};
    EXPECT_FALSE(exchangeToCover(one, p, keepLine));
    EXPECT_EQ(one, (Design{{0, 1, 2, 3, 4, 5}}));
    EXPECT_EQ(lines, std::vector<std::string>{"  scambio esatto: nessuna coppia di colonne basta"});

    // A problem with too many sets to list is refused at once.
    lines.clear();
    const Problem big{50, 6, 3};
    Design two{{0, 1, 2, 3, 4, 5}, {6, 7, 8, 9, 10, 11}};
    EXPECT_FALSE(exchangeToCover(two, big, keepLine));
    EXPECT_EQ(two, (Design{{0, 1, 2, 3, 4, 5}, {6, 7, 8, 9, 10, 11}}));
    EXPECT_EQ(lines, std::vector<std::string>{"  scambio esatto: problema troppo grande"});
}

TEST(Exchange, AnAnnealingJumpThatStopsShortIsFinishedByTheExchange)
{
    const Problem p{14, 4, 3};
    const Design start = greedy(p, 0, 3, nullptr);
    const Design small = smallDesign(p);
    AnnealSettings s;
    s.moves = 2000;
    s.seed = 3;
    s.jump = true;
    std::vector<std::size_t> sizes;
    // Without the exchange the short search fails and the start comes back.
    EXPECT_EQ(annealDown(start, p, small.size(), s, [&](const Design& x) { sizes.push_back(x.size()); }, nullptr),
              start);
    EXPECT_TRUE(sizes.empty());
    s.exchange = true;
    std::vector<std::string> lines;
    const Design d = annealDown(start, p, small.size(), s, [&](const Design& x) { sizes.push_back(x.size()); },
                                [&](const std::string& l) { lines.push_back(l); });
    EXPECT_EQ(sizes, std::vector<std::size_t>{small.size()});
    EXPECT_EQ(d.size(), small.size());
    EXPECT_TRUE(covers(d, p));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].rfind("  scambio esatto: le colonne ", 0), 0u) << lines[0];
}

} // namespace
