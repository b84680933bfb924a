#include "core/printing/slipgeometry.h"

#include "core/development/development.h"
#include "core/settings/settings.h"

#include <gtest/gtest.h>

using namespace sestara;

TEST(SlipGeometry, NumbersLieOnTheirBoxes)
{
    const auto six = numberPosition(6, 2);
    ASSERT_TRUE(six);
    EXPECT_DOUBLE_EQ(six->x, 6.925);
    EXPECT_DOUBLE_EQ(six->y, 6.54);

    const auto seven = numberPosition(7, 0);
    const auto twentyOne = numberPosition(21, 0);
    EXPECT_DOUBLE_EQ(seven->x, 0.45);
    EXPECT_DOUBLE_EQ(twentyOne->x, 0.45);
    EXPECT_DOUBLE_EQ(seven->y, 2.597);
    EXPECT_DOUBLE_EQ(twentyOne->y, 2.894);

    const auto twenty = numberPosition(20, 0);
    EXPECT_DOUBLE_EQ(twenty->x, 0.45 + 13 * 0.497);
    EXPECT_DOUBLE_EQ(twenty->y, 2.597);

    const auto ninetyThird = numberPosition(90, 2);
    EXPECT_DOUBLE_EQ(ninetyThird->x, 6.911);
    EXPECT_DOUBLE_EQ(ninetyThird->y, 8.322);
    const auto ninetyFifth = numberPosition(90, 4);
    EXPECT_DOUBLE_EQ(ninetyFifth->x, 6.911);
    EXPECT_DOUBLE_EQ(ninetyFifth->y, 12.562);

    EXPECT_FALSE(numberPosition(0, 0));
    EXPECT_FALSE(numberPosition(91, 0));
}

TEST(SlipGeometry, PrinterPositionAddsTheMarginsInTwips)
{
    Settings settings;
    settings.margine2sin = 35;
    settings.margine2sup = 30;
    const SlipPoint p = printerPosition(*numberPosition(1, 0), settings);
    EXPECT_NEAR(p.x, 2715.93, 1e-9);
    EXPECT_NEAR(p.y, 1474.2, 1e-9);
}

TEST(SlipGeometry, PenWidths)
{
    EXPECT_EQ(screenPenPixels(16), 8);
    EXPECT_EQ(screenPenPixels(13), 6); // 6.5 to even
    EXPECT_EQ(screenPenPixels(11), 6); // 5.5 to even
    EXPECT_EQ(printerPenDots(16), 48);
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
