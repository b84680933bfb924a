// The searches that build the stored systems: every design they hand out must keep its guarantee,
// checked here by the exhaustive verifier of the core, not by the searches' own counts.

#include "core/design/anneal.h"
#include "core/design/exchange.h"
#include "core/design/search.h"

#include "core/development/verifier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>
#include <string>

namespace {

using namespace sestara::design;

bool covers(const Design& d, const Problem& p)
{
    std::vector<sestara::Positions> cols;
    for (const Set& s : d) {
        sestara::Positions q{};
        for (std::size_t i = 0; i < 6; ++i)
            q[i] = static_cast<std::uint8_t>(s[i] + 1);
        cols.push_back(q);
    }
    return !d.empty() && sestara::verifyCoverage(cols, p.n, sestara::Guarantee{p.s, p.m}).ok();
}

// Columns of six distinct points below n in ascending order, no column twice.
bool wellFormed(const Design& d, int n)
{
    for (const Set& s : d)
        if (!std::is_sorted(s.begin(), s.end()) || std::adjacent_find(s.begin(), s.end()) != s.end() || s[5] >= n)
            return false;
    return std::set<Set>(d.begin(), d.end()).size() == d.size();
}

// Keeps every design a search hands out, each checked as it comes.
struct HandedOut {
    Problem p;
    std::vector<Design> designs;
    std::function<void(const Design&)> callback()
    {
        return [this](const Design& d) {
            EXPECT_TRUE(covers(d, p));
            EXPECT_TRUE(wellFormed(d, p.n));
            EXPECT_TRUE(designs.empty() || d.size() < designs.back().size()) << "sizes only fall";
            designs.push_back(d);
        };
    }
};

AnnealSettings settings(std::uint64_t moves, std::size_t sample = 0)
{
    AnnealSettings s;
    s.moves = moves;
    s.seed = 7;
    s.sample = sample;
    return s;
}

// The column's image under x -> times x + by modulo n.
Set image(Set c, int n, int times, int by)
{
    for (auto& v : c)
        v = static_cast<std::uint8_t>((v * times + by) % n);
    std::sort(c.begin(), c.end());
    return c;
}

TEST(Anneal, DropsOneColumnAtATimeDownToTheTarget)
{
    for (const std::size_t sample : {std::size_t{0}, std::size_t{24}})
        for (const Problem& p : {Problem{12, 6, 5}, Problem{14, 6, 4}, Problem{13, 4, 3}, Problem{14, 3, 3}}) {
            SCOPED_TRACE(std::to_string(p.n) + " " + std::to_string(p.s) + " " + std::to_string(p.m) + " " +
                         std::to_string(sample));
            const Design start = greedy(p, 0, 3, nullptr);
            ASSERT_TRUE(covers(start, p));
            HandedOut out{p, {}};
            const Design best = annealDown(start, p, 0, settings(40000, sample), out.callback(), nullptr);
            ASSERT_FALSE(out.designs.empty()) << "no column could be dropped from the greedy start";
            EXPECT_EQ(out.designs.front().size(), start.size() - 1);
            EXPECT_EQ(best, out.designs.back());
        }
    // Four columns give tre con 4 on 10 numbers: the search gets there from the greedy start.
    const Problem tre4{10, 4, 3};
    EXPECT_LE(annealDown(greedy(tre4, 0, 3, nullptr), tre4, 0, settings(40000), nullptr, nullptr).size(), 4u);

    // It stops at the target; a jump searches once, straight at the target; out of reach, or from a
    // start that does not cover, the start comes back and nothing is handed out.
    const Problem p{12, 6, 5};
    const Design start = greedy(p, 0, 3, nullptr);
    EXPECT_EQ(annealDown(start, p, start.size() - 2, settings(40000), nullptr, nullptr).size(), start.size() - 2);
    AnnealSettings jump = settings(40000);
    jump.jump = true;
    HandedOut jumped{p, {}};
    annealDown(start, p, start.size() - 2, jump, jumped.callback(), nullptr);
    ASSERT_EQ(jumped.designs.size(), 1u);
    EXPECT_EQ(jumped.designs[0].size(), start.size() - 2);
    jump.moves = 10;
    Design incomplete = start;
    incomplete.pop_back();
    int calls = 0;
    EXPECT_EQ(annealDown(start, p, start.size() / 2, jump, [&](const Design&) { ++calls; }, nullptr), start);
    EXPECT_EQ(annealDown(incomplete, p, 0, settings(40000), [&](const Design&) { ++calls; }, nullptr), incomplete);
    EXPECT_EQ(calls, 0);
}

TEST(Orbits, DesignsAreWholeOrbitsUnderTheGroup)
{
    const Problem p{13, 6, 4};
    AnnealSettings s = settings(200000);
    s.hot = 0.3;
    for (const int multiplier : {1, 3}) { // 3 has order 3 modulo 13
        HandedOut out{p, {}};
        const Design d = annealOrbits(p, cycleGroup(13, 1, 0, multiplier), multiplier == 1 ? 4 : 2, s, out.callback(),
                                      nullptr);
        ASSERT_GE(out.designs.size(), multiplier == 1 ? 2u : 1u) << "the weakest orbit is dropped";
        EXPECT_EQ(d, out.designs.back());
        for (const Design& x : out.designs) {
            const std::set<Set> all(x.begin(), x.end());
            for (const Set& c : x) {
                EXPECT_EQ(all.count(image(c, 13, 1, 1)), 1u);
                EXPECT_EQ(all.count(image(c, 13, multiplier, 0)), 1u);
            }
        }
    }

    // One orbit cannot give 5 se 6 on 20 numbers: nothing is handed out.
    int calls = 0;
    s.moves = 1000;
    EXPECT_TRUE(annealOrbits(Problem{20, 6, 5}, cycleGroup(20, 1, 0), 1, s, [&](const Design&) { ++calls; }, nullptr)
                    .empty());
    EXPECT_EQ(calls, 0);
}

TEST(Exchange, TwoDamagedColumnsAreReplacedOrLeftAlone)
{
    for (const Problem& p : {Problem{14, 4, 3}, Problem{11, 6, 5}, Problem{13, 3, 3}}) {
        SCOPED_TRACE(std::to_string(p.n) + " " + std::to_string(p.s) + " " + std::to_string(p.m));
        const Design good = annealDown(greedy(p, 0, 3, nullptr), p, 0, settings(40000), nullptr, nullptr);
        for (const auto& [i, j] : {std::pair<std::size_t, std::size_t>{0, 1}, {2, good.size() - 1}}) {
            // Both columns moved onto the points of others: what they alone covered is lost.
            Design d = good;
            d[i] = Set{0, 1, 2, 3, 4, 5};
            d[j] = image(d[i], p.n, 1, p.n - 6);
            ASSERT_FALSE(covers(d, p));
            const Design before = d;
            std::vector<std::string> lines;
            ASSERT_TRUE(exchangeToCover(d, p, [&](const std::string& l) { lines.push_back(l); }));
            EXPECT_TRUE(covers(d, p));
            // The log names the two columns swapped, and only those changed.
            std::size_t a = 0, b = 0;
            ASSERT_EQ(lines.size(), 1u);
            ASSERT_EQ(std::sscanf(lines[0].c_str(), "  scambio esatto: le colonne %zu e %zu sostituite, tutto coperto",
                                  &a, &b), 2) << lines[0];
            for (std::size_t k = 0; k < d.size(); ++k)
                if (k + 1 != a && k + 1 != b) {
                    EXPECT_EQ(d[k], before[k]) << k;
                }
            EXPECT_TRUE(wellFormed(d, p.n));
        }
    }

    // What two columns cannot mend is left alone.
    const Problem p{14, 4, 3};
    const Design good = annealDown(greedy(p, 0, 3, nullptr), p, 0, settings(40000), nullptr, nullptr);
    std::vector<std::string> lines;
    const auto keep = [&](const std::string& l) { lines.push_back(l); };
    Design d = good;
    EXPECT_TRUE(exchangeToCover(d, p, keep)) << "covering already";
    EXPECT_EQ(d, good);
    EXPECT_TRUE(lines.empty());

    const std::string noPair = "  scambio esatto: nessuna coppia di colonne basta";
    const std::pair<Problem, Design> cases[] = {
        {p, Design(good.begin(), good.begin() + 3)}, // two columns cannot stand in for all the others
        {p, Design{{0, 1, 2, 3, 4, 5}}},             // no pair to swap
        {Problem{50, 6, 3}, Design{{0, 1, 2, 3, 4, 5}, {6, 7, 8, 9, 10, 11}}}};
    const std::string said[] = {noPair, noPair, "  scambio esatto: problema troppo grande"};
    for (std::size_t k = 0; k < 3; ++k) {
        lines.clear();
        Design x = cases[k].second;
        EXPECT_FALSE(exchangeToCover(x, cases[k].first, keep));
        EXPECT_EQ(x, cases[k].second);
        EXPECT_EQ(lines, std::vector<std::string>{said[k]});
    }

    // A jump that stops short fails without the exchange and is finished with it.
    AnnealSettings s = settings(2000);
    s.seed = 3;
    s.jump = true;
    const Design start = greedy(p, 0, 3, nullptr);
    EXPECT_EQ(annealDown(start, p, good.size(), s, nullptr, nullptr), start);
    s.exchange = true;
    lines.clear();
    HandedOut out{p, {}};
    EXPECT_EQ(annealDown(start, p, good.size(), s, out.callback(), keep).size(), good.size());
    EXPECT_EQ(out.designs.size(), 1u);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].rfind("  scambio esatto: le colonne ", 0), 0u) << lines[0];
}

} // namespace
