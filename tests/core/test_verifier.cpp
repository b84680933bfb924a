#include "development/verifier.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

using namespace sestara;

namespace {

struct Brute {
    std::uint64_t subsets = 0;
    std::uint64_t uncovered = 0;
    std::vector<int> first;
};

// Every drawn set against every column, the slow way.
Brute bruteForce(const std::vector<Positions>& columns, int n, const Guarantee& g)
{
    std::vector<std::uint64_t> masks;
    for (const auto& c : columns) {
        std::uint64_t m = 0;
        for (auto p : c)
            m |= std::uint64_t{1} << p;
        masks.push_back(m);
    }
    Brute b;
    std::vector<int> set;
    std::function<void(int)> walk = [&](int from) {
        if (static_cast<int>(set.size()) == g.drawn) {
            ++b.subsets;
            std::uint64_t m = 0;
            for (int v : set)
                m |= std::uint64_t{1} << v;
            for (auto c : masks)
                if (__builtin_popcountll(c & m) >= g.matched)
                    return;
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

// Deterministic pseudo-random columns.
std::vector<Positions> randomColumns(int n, int count, std::uint64_t seed)
{
    std::vector<Positions> out;
    std::uint64_t s = seed;
    auto next = [&]() {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        return s >> 33;
    };
    while (static_cast<int>(out.size()) < count) {
        Positions p{};
        std::uint64_t used = 0;
        for (std::size_t i = 0; i < 6;) {
            const int v = static_cast<int>(next() % static_cast<std::uint64_t>(n)) + 1;
            if (used >> v & 1u)
                continue;
            used |= std::uint64_t{1} << v;
            p[i++] = static_cast<std::uint8_t>(v);
        }
        out.push_back(p);
    }
    return out;
}

const Guarantee kAll[] = {{6, 5}, {6, 4}, {6, 3}, {3, 3}, {4, 3}, {4, 4}};

} // namespace

TEST(Verifier, GuaranteesOfTheCatalogue)
{
    EXPECT_EQ(guaranteeText(reducedGuarantee(1)), "5 se 6");
    EXPECT_EQ(guaranteeText(reducedGuarantee(2)), "4 se 6");
    EXPECT_EQ(guaranteeText(reducedGuarantee(3)), "3 se 6");
    EXPECT_EQ(guaranteeText(immediateGuarantee(ImmediateGuarantee::TreCon3)), "3 se 3");
    EXPECT_EQ(guaranteeText(immediateGuarantee(ImmediateGuarantee::TreCon4)), "3 se 4");
    EXPECT_EQ(guaranteeText(immediateGuarantee(ImmediateGuarantee::QuattroCon4)), "4 se 4");
}

TEST(Verifier, AgreesWithBruteForceOnRandomDesigns)
{
    int covered = 0, missed = 0;
    for (int n = 7; n <= 12; ++n)
        for (const Guarantee& g : kAll)
            for (int count : {1, 3, 8, 20, 45}) {
                const auto cols = randomColumns(n, count, static_cast<std::uint64_t>(n * 1000 + count * 7 + g.matched));
                const Brute want = bruteForce(cols, n, g);
                const CoverageReport got = verifyCoverage(cols, n, g);
                ASSERT_TRUE(got.error.empty()) << got.error;
                EXPECT_EQ(got.subsets, want.subsets);
                EXPECT_EQ(got.uncovered, want.uncovered) << "n " << n << " " << guaranteeText(g) << " " << count;
                EXPECT_EQ(got.firstUncovered, want.first);
                EXPECT_EQ(got.ok(), want.uncovered == 0);
                (want.uncovered == 0 ? covered : missed)++;
            }
    // Both outcomes must have been exercised for the comparison to mean anything.
    EXPECT_GT(covered, 20);
    EXPECT_GT(missed, 20);
}

TEST(Verifier, SingleColumnForSevenNumbers)
{
    // Any two six-number sets out of seven share five numbers.
    const std::vector<Positions> one = {{1, 2, 3, 4, 5, 6}};
    EXPECT_TRUE(verifyCoverage(one, 7, reducedGuarantee(1)).ok());
    const CoverageReport empty = verifyCoverage({}, 7, reducedGuarantee(1));
    EXPECT_EQ(empty.subsets, 7u);
    EXPECT_EQ(empty.uncovered, 7u);
    EXPECT_EQ(empty.firstUncovered, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    // With eight numbers {1..6} misses every set holding both 7 and 8.
    const CoverageReport eight = verifyCoverage(one, 8, reducedGuarantee(1));
    EXPECT_EQ(eight.subsets, 28u);
    EXPECT_EQ(eight.uncovered, 15u);
    EXPECT_EQ(eight.firstUncovered, (std::vector<int>{1, 2, 3, 4, 7, 8}));
}

TEST(Verifier, FullSystemCoversEverything)
{
    std::vector<Positions> all;
    for (int a = 1; a <= 9; ++a)
        for (int b = a + 1; b <= 9; ++b)
            for (int c = b + 1; c <= 9; ++c)
                for (int d = c + 1; d <= 9; ++d)
                    for (int e = d + 1; e <= 9; ++e)
                        for (int f = e + 1; f <= 9; ++f)
                            all.push_back({static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b),
                                           static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(d),
                                           static_cast<std::uint8_t>(e), static_cast<std::uint8_t>(f)});
    ASSERT_EQ(all.size(), 84u);
    for (const Guarantee& g : kAll)
        EXPECT_TRUE(verifyCoverage(all, 9, g).ok()) << guaranteeText(g);
    // Without the column {1..6} only that drawn set lacks a full match, yet it still meets others in five.
    std::vector<Positions> less(all.begin() + 1, all.end());
    EXPECT_TRUE(verifyCoverage(less, 9, reducedGuarantee(1)).ok());
    EXPECT_EQ(verifyCoverage(less, 9, Guarantee{6, 6}).uncovered, 1u);
    EXPECT_EQ(verifyCoverage(less, 9, Guarantee{6, 6}).firstUncovered, (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(Verifier, OrderOfPositionsInAColumnDoesNotMatter)
{
    const std::vector<Positions> up = {{1, 2, 3, 4, 5, 6}, {5, 6, 7, 8, 9, 10}};
    const std::vector<Positions> down = {{6, 5, 4, 3, 2, 1}, {10, 9, 8, 7, 6, 5}};
    for (const Guarantee& g : kAll) {
        const CoverageReport a = verifyCoverage(up, 10, g), b = verifyCoverage(down, 10, g);
        EXPECT_EQ(a.uncovered, b.uncovered);
        EXPECT_EQ(a.firstUncovered, b.firstUncovered);
    }
}

TEST(Verifier, DamagedColumnsAreRejected)
{
    EXPECT_EQ(verifyCoverage({{1, 2, 3, 4, 5, 11}}, 10, reducedGuarantee(1)).error,
              "La colonna 1 non contiene sei posizioni diverse da 1 a 10.");
    EXPECT_EQ(verifyCoverage({{1, 2, 3, 4, 5, 6}, {0, 2, 3, 4, 5, 6}}, 10, reducedGuarantee(2)).error,
              "La colonna 2 non contiene sei posizioni diverse da 1 a 10.");
    EXPECT_EQ(verifyCoverage({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 6, 6}}, 10, reducedGuarantee(3)).error,
              "La colonna 2 non contiene sei posizioni diverse da 1 a 10.");
    const CoverageReport bad = verifyCoverage({{1, 2, 3, 4, 5, 6}}, 5, reducedGuarantee(1));
    EXPECT_FALSE(bad.ok());
    EXPECT_EQ(bad.error, "Garanzia 5 se 6 non verificabile con 5 numeri.");
}

namespace {

// The 77 blocks of S(3,6,22): weight-8 words of the extended Golay code through its last two
// coordinates, those two removed. Every three of the 22 numbers lie in exactly one block.
std::vector<Positions> steiner22()
{
    const std::uint32_t g = 0xC75; // x^11 + x^10 + x^6 + x^5 + x^4 + x^2 + 1
    std::vector<Positions> blocks;
    for (std::uint32_t m = 0; m < 4096; ++m) {
        std::uint32_t w = 0;
        for (int i = 0; i < 12; ++i)
            if (m >> i & 1u)
                w ^= g << i;
        if (__builtin_popcount(w) & 1)
            w |= 1u << 23;
        if (__builtin_popcount(w) != 8 || !(w >> 22 & 1u) || !(w >> 23 & 1u))
            continue;
        Positions p{};
        std::size_t k = 0;
        for (int i = 0; i < 22; ++i)
            if (w >> i & 1u)
                p[k++] = static_cast<std::uint8_t>(i + 1);
        blocks.push_back(p);
    }
    return blocks;
}

} // namespace

TEST(Verifier, EveryBlockOfASteinerSystemIsNeeded)
{
    const std::vector<Positions> design = steiner22();
    ASSERT_EQ(design.size(), 77u);
    const Guarantee g = immediateGuarantee(ImmediateGuarantee::TreCon3);
    const CoverageReport whole = verifyCoverage(design, 22, g);
    EXPECT_TRUE(whole.ok());
    EXPECT_EQ(whole.subsets, 1540u);
    // Each triple lies in exactly one block: dropping a block leaves exactly its 20 triples, the
    // first being its three smallest numbers.
    for (std::size_t drop = 0; drop < design.size(); ++drop) {
        std::vector<Positions> less = design;
        less.erase(less.begin() + static_cast<long>(drop));
        const CoverageReport r = verifyCoverage(less, 22, g);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.uncovered, 20u) << "block " << drop;
        EXPECT_EQ(r.firstUncovered, (std::vector<int>{design[drop][0], design[drop][1], design[drop][2]}));
    }
    // Four of the 22 numbers meet some block in three; six meet one in three as well.
    EXPECT_TRUE(verifyCoverage(design, 22, immediateGuarantee(ImmediateGuarantee::TreCon4)).ok());
    EXPECT_TRUE(verifyCoverage(design, 22, reducedGuarantee(3)).ok());
    EXPECT_FALSE(verifyCoverage(design, 22, immediateGuarantee(ImmediateGuarantee::QuattroCon4)).ok());
}

TEST(Verifier, DamagedDesignsAgreeWithBruteForce)
{
    // A covering found by brute force growth (each column added covers the first uncovered set),
    // then every column removed in turn.
    for (const Guarantee& g : kAll) {
        const int n = 11;
        std::vector<Positions> design;
        for (;;) {
            const Brute b = bruteForce(design, n, g);
            if (b.uncovered == 0)
                break;
            Positions p{};
            std::size_t k = 0;
            std::uint64_t used = 0;
            for (int v : b.first) {
                p[k++] = static_cast<std::uint8_t>(v);
                used |= std::uint64_t{1} << v;
            }
            for (int v = n; k < 6; --v)
                if (!(used >> v & 1u))
                    p[k++] = static_cast<std::uint8_t>(v);
            design.push_back(p);
        }
        ASSERT_TRUE(verifyCoverage(design, n, g).ok());
        int failing = 0;
        for (std::size_t drop = 0; drop < design.size(); ++drop) {
            std::vector<Positions> less = design;
            less.erase(less.begin() + static_cast<long>(drop));
            const CoverageReport r = verifyCoverage(less, n, g);
            const Brute b = bruteForce(less, n, g);
            EXPECT_EQ(r.uncovered, b.uncovered);
            EXPECT_EQ(r.firstUncovered, b.first);
            failing += r.ok() ? 0 : 1;
        }
        // The last column added was needed for the set that made it.
        EXPECT_GE(failing, 1) << guaranteeText(g);
    }
}
