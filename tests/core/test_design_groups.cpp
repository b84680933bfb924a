// The permutation groups whose orbits the searches build designs from.

#include "core/design/groups.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace sestara::design;

std::size_t order(const Group& g, int n)
{
    return groupElements(g, n).size();
}

TEST(Groups, CyclesMultipliersSteps)
{
    // Two cycles of five on 11 numbers, the last one fixed; with the multiplier 2 (of order 4 modulo
    // 5) point j of each cycle also goes to 2 j; turning three points at a time, the subgroup of order
    // 3 of the rotations of 9.
    const Perm turn{1, 2, 3, 4, 0, 6, 7, 8, 9, 5, 10};
    EXPECT_EQ(cycleGroup(11, 2, 1), Group{turn});
    EXPECT_EQ(cycleGroup(11, 2, 1, 2), (Group{turn, Perm{0, 2, 4, 1, 3, 5, 7, 9, 6, 8, 10}}));
    EXPECT_EQ(cycleGroup(10, 1, 1, 1, 3), Group{(Perm{3, 4, 5, 6, 7, 8, 0, 1, 2, 9})});
    EXPECT_EQ(groupElements(cycleGroup(11, 2, 1), 11).front(), (Perm{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    const std::pair<Group, std::size_t> orders[] = {
        {cycleGroup(11, 2, 1), 5},         {cycleGroup(11, 2, 1, 2), 20},     {cycleGroup(39, 1, 0, 16), 117},
        {cycleGroup(10, 1, 1, 1, 3), 3},   {cycleGroup(39, 1, 0, 1, 3), 13},  {cycleGroup(39, 1, 0, 1, 2), 39},
        {translationGroup(11, 3, 2), 9},   {translationGroup(28, 3, 3), 27}};
    for (const auto& [g, n] : orders)
        EXPECT_EQ(order(g, static_cast<int>(g.at(0).size())), n);

    // Cycles that do not divide the numbers or are too short, multipliers that are no unit modulo the
    // length, steps as long as a cycle or nil; too many vectors for the numbers, a base that is not
    // prime, no digits: refused.
    for (const Group& r : {cycleGroup(10, 3, 0), cycleGroup(10, 5, 1), cycleGroup(10, 1, 10), cycleGroup(11, 2, 1, 5),
                           cycleGroup(12, 1, 0, 4), cycleGroup(12, 1, 0, 0), cycleGroup(10, 1, 1, 1, 9),
                           cycleGroup(10, 1, 1, 1, 0), translationGroup(8, 3, 2), translationGroup(28, 4, 2),
                           translationGroup(28, 1, 3), translationGroup(28, 3, 0)})
        EXPECT_TRUE(r.empty());

    // x -> a x + b on 7 numbers with a of order 3: 21 maps.
    const auto affine = searchGroups(7);
    EXPECT_TRUE(std::any_of(affine.begin(), affine.end(), [](const Group& h) { return order(h, 7) == 21; }));
}

TEST(Groups, TranslationsOfVectors)
{
    // Vectors of two digits in base 3 on the first 9 of 11 numbers: x = d0 + 3 d1. Every translation
    // but the identity moves every vector; the last two numbers never move.
    EXPECT_EQ(translationGroup(11, 3, 2), (Group{Perm{1, 2, 0, 4, 5, 3, 7, 8, 6, 9, 10},
                                                 Perm{3, 4, 5, 6, 7, 8, 0, 1, 2, 9, 10}}));
    const auto elements = groupElements(translationGroup(11, 3, 2), 11);
    for (std::size_t k = 1; k < elements.size(); ++k)
        for (int x = 0; x < 11; ++x)
            EXPECT_EQ(elements[k][static_cast<std::size_t>(x)] == x, x >= 9) << k << " " << x;
}

} // namespace
