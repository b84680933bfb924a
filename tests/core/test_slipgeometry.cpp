#include "core/printing/slipgeometry.h"

#include "core/development/development.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace sestara;

TEST(SlipGeometry, NumbersLieOnTheirBoxes)
{
    // Number, panel, x and y in centimetres: the first six, the ends of the rows of fourteen, panels apart.
    const std::tuple<int, int, double, double> boxes[] = {
        {6, 2, 6.925, 6.54},   {7, 0, 0.45, 2.597},  {20, 0, 0.45 + 13 * 0.497, 2.597}, {21, 0, 0.45, 2.894},
        {90, 2, 6.911, 8.322}, {90, 4, 6.911, 12.562}};
    for (const auto& [number, panel, x, y] : boxes) {
        SCOPED_TRACE(number);
        const auto p = numberPosition(number, panel);
        ASSERT_TRUE(p);
        EXPECT_DOUBLE_EQ(p->x, x);
        EXPECT_DOUBLE_EQ(p->y, y);
    }
    EXPECT_FALSE(numberPosition(0, 0));
    EXPECT_FALSE(numberPosition(91, 0));
}

TEST(SlipGeometry, ScreenPenWidthsRoundHalvesToEven)
{
    EXPECT_EQ(screenPenPixels(16), 8);
    EXPECT_EQ(screenPenPixels(13), 6);
    EXPECT_EQ(screenPenPixels(11), 6);
}

TEST(SlipGeometry, MarkListHoldsAThousandAndKeepsTheKeptOnes)
{
    MarkList marks;
    for (int i = 0; i < MarkList::kCapacity; ++i)
        ASSERT_TRUE(marks.record({1.0 + i, 2.0}));
    EXPECT_FALSE(marks.record({9, 9}));
    EXPECT_EQ(marks.count(), MarkList::kCapacity);
    EXPECT_DOUBLE_EQ(marks.at(MarkList::kCapacity - 1).x, 1000.0);

    marks.clear();
    EXPECT_EQ(marks.count(), 0);
    EXPECT_DOUBLE_EQ(marks.at(0).y, 0.0);

    marks.record({1, 1});
    marks.record({2, 2});
    marks.keepCurrent();
    marks.record({3, 3});
    marks.clearToKept();
    EXPECT_EQ(marks.count(), 2);
    EXPECT_DOUBLE_EQ(marks.at(1).x, 2.0);
    EXPECT_DOUBLE_EQ(marks.at(2).y, 0.0);
    marks.clear();
    EXPECT_EQ(marks.kept(), 0);
}

TEST(SlipGeometry, ASlipPutsItsColumnsInPanelsOneToFive)
{
    Development development;
    for (std::uint8_t k = 0; k < 12; ++k)
        development.append(Column{1, 2, 3, 4, 5, static_cast<std::uint8_t>(7 + k)});
    MarkList marks;
    ASSERT_TRUE(recordSlip(marks, development, 3));
    ASSERT_EQ(marks.count(), 12);
    EXPECT_DOUBLE_EQ(marks.at(5).x, numberPosition(17, 0)->x); // column 11 in the first panel
    EXPECT_DOUBLE_EQ(marks.at(6).y, numberPosition(1, 1)->y);  // column 12 in the second
    EXPECT_DOUBLE_EQ(marks.at(11).y, numberPosition(18, 1)->y);
    marks.clear();
    ASSERT_TRUE(recordSlip(marks, development, 4));
    EXPECT_EQ(marks.count(), 0);
}
