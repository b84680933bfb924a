// The searches that build the stored systems: every design they hand out must keep its guarantee,
// checked here by the exhaustive verifier of the core, not by the searches' own counts.

#include "anneal.h"
#include "search.h"

#include "covers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>

namespace {

using namespace gen;

bool wellFormed(const Design& d, int n)
{
    for (const Set& s : d) {
        if (!std::is_sorted(s.begin(), s.end()) || std::adjacent_find(s.begin(), s.end()) != s.end())
            return false;
        if (s[5] >= n)
            return false;
    }
    return true;
}

AnnealSettings settings(std::size_t sample)
{
    AnnealSettings s;
    s.moves = 40000;
    s.seed = 7;
    s.sample = sample;
    return s;
}

TEST(Anneal, EveryDesignHandedOutKeepsItsGuaranteeAndSizesOnlyFall)
{
    const std::vector<Problem> problems = {{12, 6, 5}, {14, 6, 4}, {13, 4, 3}, {14, 3, 3}};
    for (const std::size_t sample : {std::size_t{0}, std::size_t{24}}) {
        for (const Problem& p : problems) {
            SCOPED_TRACE("n=" + std::to_string(p.n) + " s=" + std::to_string(p.s) + " m=" + std::to_string(p.m) +
                         " sample=" + std::to_string(sample));
            const Design start = greedy(p, 0, 3, nullptr);
            ASSERT_TRUE(covers(start, p));
            std::vector<std::size_t> sizes;
            const Design best = annealDown(start, p, 0, settings(sample), [&](const Design& d) {
                EXPECT_TRUE(covers(d, p));
                EXPECT_TRUE(wellFormed(d, p.n));
                sizes.push_back(d.size());
            }, nullptr);
            ASSERT_FALSE(sizes.empty()) << "no column could be dropped from the greedy start";
            for (std::size_t i = 0; i < sizes.size(); ++i)
                EXPECT_EQ(sizes[i], start.size() - 1 - i);
            EXPECT_EQ(best.size(), sizes.back());
            EXPECT_TRUE(covers(best, p));
        }
    }
}

TEST(Anneal, ReachesKnownSmallSizes)
{
    // Four columns give "tre con 4" on 10 numbers ({1..6}, {5..10} and two more): the search must
    // get there from the greedy start.
    const Problem tre4{10, 4, 3};
    const Design d = annealDown(greedy(tre4, 0, 3, nullptr), tre4, 0, settings(0), nullptr, nullptr);
    EXPECT_TRUE(covers(d, tre4));
    EXPECT_LE(d.size(), 4u);
}

TEST(Anneal, StopsAtTheTargetSize)
{
    const Problem p{12, 6, 5};
    const Design start = greedy(p, 0, 3, nullptr);
    const Design d = annealDown(start, p, start.size() - 2, settings(0), nullptr, nullptr);
    EXPECT_EQ(d.size(), start.size() - 2);
    EXPECT_TRUE(covers(d, p));
}

TEST(Anneal, AJumpSearchesOnceAtTheTarget)
{
    const Problem p{12, 6, 5};
    const Design start = greedy(p, 0, 3, nullptr);
    AnnealSettings s = settings(0);
    s.jump = true;
    std::vector<std::size_t> sizes;
    const Design d = annealDown(start, p, start.size() - 2, s, [&](const Design& x) { sizes.push_back(x.size()); },
                                nullptr);
    EXPECT_EQ(sizes, std::vector<std::size_t>{start.size() - 2});
    EXPECT_EQ(d.size(), start.size() - 2);
    EXPECT_TRUE(covers(d, p));

    // Out of reach: the start comes back and nothing is reported.
    sizes.clear();
    s.moves = 10;
    EXPECT_EQ(annealDown(start, p, start.size() / 2, s, [&](const Design& x) { sizes.push_back(x.size()); }, nullptr),
              start);
    EXPECT_TRUE(sizes.empty());
}

TEST(Anneal, AnIncompleteStartIsHandedBackUntouched)
{
    const Problem p{12, 6, 5};
    Design start = greedy(p, 0, 3, nullptr);
    start.pop_back();
    ASSERT_FALSE(covers(start, p));
    int calls = 0;
    const Design d = annealDown(start, p, 0, settings(0), [&](const Design&) { ++calls; }, nullptr);
    EXPECT_EQ(d, start);
    EXPECT_EQ(calls, 0);
}

TEST(Turan, CoversEveryFourNumbersWithThreeInAColumn)
{
    for (int n = 9; n <= 16; ++n) {
        SCOPED_TRACE(n);
        AnnealSettings s = settings(32);
        s.moves = 20000;
        const Design d = turanCover(n, s, nullptr);
        EXPECT_TRUE(covers(d, Problem{n, 4, 3}));
        EXPECT_TRUE(wellFormed(d, n));
        EXPECT_EQ(std::set<Set>(d.begin(), d.end()).size(), d.size());
    }
    // Parts of unequal sizes, the smallest first, in the middle or last.
    for (const auto& sizes : {std::array<int, 2>{7, 5}, std::array<int, 2>{4, 7}, std::array<int, 2>{6, 6}}) {
        SCOPED_TRACE(sizes[0] * 100 + sizes[1]);
        AnnealSettings s = settings(32);
        s.moves = 20000;
        const Design d = turanCover(16, s, nullptr, sizes[0], sizes[1]);
        EXPECT_TRUE(covers(d, Problem{16, 4, 3}));
        EXPECT_TRUE(wellFormed(d, 16));
    }
}

TEST(Groups, CyclesAndTheirElements)
{
    // Two cycles of five on 11 numbers, the last one fixed.
    const Group g = cycleGroup(11, 2, 1);
    ASSERT_EQ(g.size(), 1u);
    EXPECT_EQ(g[0], (Perm{1, 2, 3, 4, 0, 6, 7, 8, 9, 5, 10}));
    const auto elements = groupElements(g, 11);
    ASSERT_EQ(elements.size(), 5u);
    EXPECT_EQ(elements[0], (Perm{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(std::set<Perm>(elements.begin(), elements.end()).size(), 5u);

    // Cycles that do not divide the numbers, or are too short, are refused.
    EXPECT_TRUE(cycleGroup(10, 3, 0).empty());
    EXPECT_TRUE(cycleGroup(10, 5, 1).empty());
    EXPECT_TRUE(cycleGroup(10, 1, 10).empty());

    // With a multiplier: point j of each cycle also goes to 2 j; 2 has order 4 modulo 5.
    const Group m = cycleGroup(11, 2, 1, 2);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0], g[0]);
    EXPECT_EQ(m[1], (Perm{0, 2, 4, 1, 3, 5, 7, 9, 6, 8, 10}));
    EXPECT_EQ(groupElements(m, 11).size(), 20u);
    // A multiplier that is no unit modulo the length is refused.
    EXPECT_TRUE(cycleGroup(11, 2, 1, 5).empty());
    EXPECT_TRUE(cycleGroup(12, 1, 0, 4).empty());
    EXPECT_TRUE(cycleGroup(12, 1, 0, 0).empty());
    EXPECT_EQ(groupElements(cycleGroup(39, 1, 0, 16), 39).size(), 117u);

    // Turning three points at a time: 9 numbers in one cycle fall into three orbits of three, and
    // the group is the subgroup of order 3 of the rotations; the step must be shorter than a cycle.
    const Group step = cycleGroup(10, 1, 1, 1, 3);
    ASSERT_EQ(step.size(), 1u);
    EXPECT_EQ(step[0], (Perm{3, 4, 5, 6, 7, 8, 0, 1, 2, 9}));
    EXPECT_EQ(groupElements(step, 10).size(), 3u);
    EXPECT_EQ(groupElements(cycleGroup(39, 1, 0, 1, 3), 39).size(), 13u);
    EXPECT_EQ(groupElements(cycleGroup(39, 1, 0, 1, 2), 39).size(), 39u);
    EXPECT_TRUE(cycleGroup(10, 1, 1, 1, 9).empty());
    EXPECT_TRUE(cycleGroup(10, 1, 1, 1, 0).empty());

    // x -> a x + b on 7 numbers with a of order 3: 21 maps.
    const auto affine = searchGroups(7);
    const auto sizes = [&] {
        std::vector<std::size_t> out;
        for (const Group& h : affine)
            out.push_back(groupElements(h, 7).size());
        return out;
    }();
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), 21u), sizes.end());
}

TEST(Groups, TranslationsOfVectors)
{
    // Vectors of two digits in base 3 on the first 9 of 11 numbers: x = d0 + 3 d1.
    const Group g = translationGroup(11, 3, 2);
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0], (Perm{1, 2, 0, 4, 5, 3, 7, 8, 6, 9, 10}));
    EXPECT_EQ(g[1], (Perm{3, 4, 5, 6, 7, 8, 0, 1, 2, 9, 10}));
    const auto elements = groupElements(g, 11);
    ASSERT_EQ(elements.size(), 9u);
    for (std::size_t k = 1; k < elements.size(); ++k) {
        SCOPED_TRACE(k);
        // Every translation but the identity moves every vector; the last two numbers never move.
        for (int x = 0; x < 9; ++x)
            EXPECT_NE(elements[k][static_cast<std::size_t>(x)], x);
        EXPECT_EQ(elements[k][9], 9);
        EXPECT_EQ(elements[k][10], 10);
    }

    // Too many vectors for the numbers, a base that is not prime, no digits: refused.
    EXPECT_TRUE(translationGroup(8, 3, 2).empty());
    EXPECT_TRUE(translationGroup(28, 4, 2).empty());
    EXPECT_TRUE(translationGroup(28, 1, 3).empty());
    EXPECT_TRUE(translationGroup(28, 3, 0).empty());
    EXPECT_EQ(groupElements(translationGroup(28, 3, 3), 28).size(), 27u);
}

TEST(Orbits, ACompletedSearchCoversWhatTheOrbitsLeaveAndOnlyShrinks)
{
    // One orbit of at most 9 columns cannot give 5 se 6 on 10 numbers: the completion must add
    // columns, and every design handed out is checked by the verifier.
    const Problem p{10, 6, 5};
    std::vector<Design> seen;
    std::vector<std::string> lines;
    AnnealSettings s = settings(3);
    s.moves = 20000;
    const Design d = annealOrbitsCompleted(
        p, translationGroup(10, 3, 2), 1, 0, s, [&](const Design& x) { seen.push_back(x); },
        [&](const std::string& line) { lines.push_back(line); });
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(d, seen.back());
    EXPECT_GT(seen.front().size(), 9u);
    for (std::size_t k = 0; k < seen.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(covers(seen[k], p));
        EXPECT_TRUE(wellFormed(seen[k], 10));
        EXPECT_EQ(std::set<Set>(seen[k].begin(), seen[k].end()).size(), seen[k].size());
        if (k > 0) {
            EXPECT_LT(seen[k].size(), seen[k - 1].size());
        }
    }
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("  ricottura: 1 orbite (", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(" orbite scoperte"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1], "  completate: " + std::to_string(seen.front().size()) + " colonne");
}

TEST(Completion, ADesignForOneNumberFewerIsKeptAndCompleted)
{
    // A tre con 4 design on 13 numbers, then the one for 14 grown from it.
    const Problem small{13, 4, 3};
    const Design start = annealOrbits(small, cycleGroup(13, 1, 0), 1, settings(0), nullptr, nullptr);
    ASSERT_TRUE(covers(start, small));
    const Problem p{14, 4, 3};
    EXPECT_FALSE(covers(start, p)); // the sets holding the new number are not all covered yet

    std::vector<Design> seen;
    const Design d = completeAndAnneal(start, p, 0, settings(0), [&](const Design& x) { seen.push_back(x); },
                                       nullptr);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(d, seen.back());
    // The completion only adds columns: every column it started from is still there.
    const Design& completed = seen.front();
    const std::set<Set> all(completed.begin(), completed.end());
    for (Set c : start) {
        std::sort(c.begin(), c.end());
        EXPECT_EQ(all.count(c), 1u);
    }
    // Each added column covers at least the first set still uncovered when it was grown.
    std::size_t uncovered = 0;
    for (int a = 0; a < 14; ++a)
        for (int b = a + 1; b < 14; ++b)
            for (int c = b + 1; c < 14; ++c)
                for (int e = c + 1; e < 14; ++e) {
                    bool hit = false;
                    for (const Set& col : start) {
                        int in = 0;
                        for (int x : {a, b, c, e})
                            in += std::count(col.begin(), col.end(), x) > 0;
                        hit = hit || in >= 3;
                    }
                    uncovered += !hit;
                }
    ASSERT_GT(uncovered, 0u);
    EXPECT_GT(completed.size(), start.size());
    EXPECT_LE(completed.size() - start.size(), uncovered);
    for (std::size_t k = 0; k < seen.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(covers(seen[k], p));
        EXPECT_TRUE(wellFormed(seen[k], 14));
        if (k > 0) {
            EXPECT_LT(seen[k].size(), seen[k - 1].size());
        }
    }
}

TEST(Orbits, EveryDesignIsMadeOfWholeOrbitsAndKeepsItsGuarantee)
{
    const Problem p{13, 6, 4};
    const Group g = cycleGroup(13, 1, 0);
    std::vector<Design> seen;
    AnnealSettings s = settings(0);
    s.moves = 200000;
    s.hot = 0.3;
    s.cold = 0.04;
    const Design d = annealOrbits(p, g, 4, s, [&](const Design& x) { seen.push_back(x); }, nullptr);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(d, seen.back());
    for (std::size_t k = 0; k < seen.size(); ++k) {
        SCOPED_TRACE(k);
        const Design& x = seen[k];
        EXPECT_TRUE(covers(x, p));
        EXPECT_TRUE(wellFormed(x, 13));
        const std::set<Set> all(x.begin(), x.end());
        EXPECT_EQ(all.size(), x.size());
        // Rotating every column gives a column of the design again.
        for (Set c : x) {
            for (auto& v : c)
                v = static_cast<std::uint8_t>((v + 1) % 13);
            std::sort(c.begin(), c.end());
            EXPECT_EQ(all.count(c), 1u);
        }
        EXPECT_EQ(x.size() % 13, 0u);
        if (k > 0) {
            EXPECT_LT(x.size(), seen[k - 1].size());
        }
    }
    EXPECT_GE(seen.size(), 2u); // the weakest orbit dropped at least once

    // Rotations and multiplication by 3 (of order 3 modulo 13): every column's images by both are
    // columns again, and a column fixed by the multiplication is not written three times.
    std::vector<Design> symmetric;
    const Design e = annealOrbits(p, cycleGroup(13, 1, 0, 3), 2, s, [&](const Design& x) { symmetric.push_back(x); },
                                  nullptr);
    ASSERT_FALSE(symmetric.empty());
    for (const Design& x : symmetric) {
        EXPECT_TRUE(covers(x, p));
        const std::set<Set> all(x.begin(), x.end());
        EXPECT_EQ(all.size(), x.size());
        for (const Set& c : x) {
            Set r = c, t = c;
            for (auto& v : r)
                v = static_cast<std::uint8_t>((v + 1) % 13);
            for (auto& v : t)
                v = static_cast<std::uint8_t>(v * 3 % 13);
            std::sort(r.begin(), r.end());
            std::sort(t.begin(), t.end());
            EXPECT_EQ(all.count(r), 1u);
            EXPECT_EQ(all.count(t), 1u);
        }
    }
    EXPECT_EQ(e, symmetric.back());

    // The rotations alone, from the orbits just found: they cover already, so the search hands them
    // out unchanged first; one orbit more than they make adds one orbit of random columns.
    const Group rotations = cycleGroup(13, 1, 0);
    const std::size_t orbits = e.size() / 13;
    std::size_t left = 99;
    std::vector<std::string> lines;
    const auto log = [&](const std::string& line) { lines.push_back(line); };
    EXPECT_EQ(annealOrbitsOnce(p, rotations, orbits, s, &left, log, e), e);
    EXPECT_EQ(left, 0u);
    const Design more = annealOrbitsOnce(p, rotations, orbits + 1, s, &left, log, e);
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "  ricottura: " + std::to_string(orbits) + " orbite (" + std::to_string(e.size()) +
                             " colonne), tutto coperto",
                         "  ricottura: " + std::to_string(orbits + 1) + " orbite (" + std::to_string(e.size() + 13) +
                             " colonne), tutto coperto"}));
    EXPECT_EQ(more.size(), e.size() + 13);
    EXPECT_TRUE(std::includes(more.begin(), more.end(), e.begin(), e.end()));
    std::vector<Design> relaxed;
    annealOrbits(p, rotations, orbits, s, [&](const Design& x) { relaxed.push_back(x); }, nullptr, e);
    ASSERT_FALSE(relaxed.empty());
    EXPECT_EQ(relaxed.front(), e);
    for (const Design& x : relaxed)
        EXPECT_TRUE(covers(x, p));

    // One orbit cannot give 5 se 6 on 20 numbers: nothing is handed out.
    int calls = 0;
    s.moves = 1000;
    EXPECT_TRUE(annealOrbits(Problem{20, 6, 5}, cycleGroup(20, 1, 0), 1, s, [&](const Design&) { ++calls; }, nullptr)
                    .empty());
    EXPECT_EQ(calls, 0);
}

TEST(Orbits, ASearchResumesFromTheWholeOrbitsOfADesign)
{
    const Problem p{15, 6, 4};
    const Group g = cycleGroup(15, 1, 0);
    const std::vector<Perm> elements = groupElements(g, 15);
    // A column the rotation by 5 fixes has an orbit of 5 columns, an ordinary one of 15.
    EXPECT_EQ(orbitColumns({Set{0, 1, 5, 6, 10, 11}}, elements), (Design{{0, 1, 5, 6, 10, 11},
                                                                           {0, 4, 5, 9, 10, 14},
                                                                           {1, 2, 6, 7, 11, 12},
                                                                           {2, 3, 7, 8, 12, 13},
                                                                           {3, 4, 8, 9, 13, 14}}));
    EXPECT_EQ(orbitColumns({Set{0, 1, 2, 3, 4, 6}, Set{1, 2, 3, 4, 5, 7}}, elements).size(), 15u);

    AnnealSettings s = settings(0);
    s.moves = 200000;
    s.hot = 0.3;
    s.cold = 0.04;
    std::vector<std::string> lines;
    const auto log = [&](const std::string& line) { lines.push_back(line); };
    const Design d = annealOrbits(p, g, 3, s, nullptr, log, {});
    ASSERT_TRUE(covers(d, p));
    const std::size_t orbits = d.size() / 15;

    // The orbits the design holds whole, one column each: all of them, and without the orbit that
    // lost a column.
    const Design whole = wholeOrbits(d, elements);
    EXPECT_EQ(whole.size(), orbits);
    EXPECT_EQ(orbitColumns(whole, elements), d);
    Design damaged = d;
    damaged.erase(damaged.begin() + 3);
    const Design left = wholeOrbits(damaged, elements);
    EXPECT_EQ(left.size(), orbits - 1);
    EXPECT_EQ(orbitColumns(left, elements).size(), d.size() - 15);
    // Under the rotations three points at a time every orbit of 15 falls into three of 5.
    const std::vector<Perm> thirds = groupElements(cycleGroup(15, 1, 0, 1, 3), 15);
    const Design split = wholeOrbits(d, thirds);
    EXPECT_EQ(split.size(), 3 * orbits);
    EXPECT_EQ(orbitColumns(split, thirds), d);

    // Resumed from its own orbits, the search starts covered and hands the design back unchanged,
    // then drops orbits from there as before, down to the size that failed; from the damaged
    // design's orbits, the one missing is searched for afresh.
    std::size_t uncovered = 99;
    EXPECT_EQ(annealOrbitsOnce(p, g, orbits, s, &uncovered, nullptr, whole), d);
    EXPECT_EQ(uncovered, 0u);
    const std::vector<std::string> first = lines;
    lines.clear();
    EXPECT_EQ(annealOrbits(p, g, orbits, s, nullptr, log, whole), d);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "  ricottura: " + std::to_string(d.size()) + " colonne");
    EXPECT_EQ(lines[1].rfind("  ricottura: " + std::to_string(d.size() - 15) + " colonne non bastano (", 0), 0u)
        << lines[1];
    EXPECT_EQ(first.back().rfind("  ricottura: " + std::to_string(d.size() - 15) + " colonne non bastano (", 0), 0u)
        << first.back();
    const Design again = annealOrbitsOnce(p, g, orbits, s, &uncovered, nullptr, left);
    EXPECT_EQ(uncovered, 0u);
    EXPECT_TRUE(covers(again, p));
    EXPECT_EQ(again.size(), d.size());
}

} // namespace
