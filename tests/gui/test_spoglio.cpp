#include "tests/gui/guitest.h"

#include "gui/wincheck/schedinev.h"

#include <algorithm>

using namespace guitest;
using sestara::PredictionGrid;
using sestara::SchedineV;

namespace {

class SpoglioTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        w = newSystem();
        tabs = find<QTabWidget>(w, "SSTab1");
        tabs->setCurrentIndex(2);
        grid = find<PredictionGrid>(w, "MSFlexGrid2");
    }
    void clickDrawn(std::initializer_list<int> numbers)
    {
        for (int n : numbers)
            clickCell(grid, PredictionGrid::rowOf(n), PredictionGrid::columnOf(n));
    }
    void check(const char* name)
    {
        press(w, name);
        waitForRun(w);
    }
    QStringList counts()
    {
        QStringList t;
        for (int c = 0; c < 6; ++c)
            t << text(w, QStringLiteral("Label6_%1").arg(c));
        return t << text(w, "Label9") << items(find<QComboBox>(w, "Combo5")).join(' ');
    }
    // The numbers painted red, then those painted cyan, in ascending order.
    QString colours()
    {
        QStringList red, cyan;
        for (int n = 1; n <= 90; ++n) {
            const QColor c = grid->numberColour(n);
            if (c == QColor(255, 0, 0))
                red << QString::number(n);
            else if (c == QColor(0, 255, 255))
                cyan << QString::number(n);
            else
                EXPECT_EQ(c, QColor(255, 255, 255)) << n;
        }
        return red.join(' ') + " | " + cyan.join(' ');
    }
    void develop(int first, int last)
    {
        GuiTest::develop(w, first, last);
        tabs->setCurrentIndex(2);
    }
    sestara::OrtogonaliSuper* w = nullptr;
    QTabWidget* tabs = nullptr;
    PredictionGrid* grid = nullptr;
};

TEST_F(SpoglioTest, TheDrawnNumbersAndTheirCheckByClassAndBySlip)
{
    const QStringList none = {"0", "0", "0", "0", "0", "0", "0", ""};
    check("Command12");
    develop(5, 14);
    check("Command22");
    EXPECT_EQ(messages().texts(), QStringList({"Elaborare Sistema", "Inserire Elementi Sortiti"}));
    EXPECT_EQ(counts(), none);

    // The list keeps the click order; the seventh number is the bonus.
    clickDrawn({40, 5, 12, 33, 7, 21, 88});
    EXPECT_EQ(text(w, "Label5"), "40 5 12 33 7 21 88 ");
    EXPECT_EQ(colours(), "5 7 12 21 33 40 | 88");
    clickDrawn({9});
    EXPECT_EQ(messages().texts().value(2), "Inserire massimo 7 elementi");
    clickDrawn({12, 3});
    EXPECT_EQ(colours(), "5 7 21 33 40 88 | 3");
    // Cells that hold no number change nothing.
    clickCell(grid, 0, 4);
    clickCell(grid, 3, 0);
    EXPECT_EQ(text(w, "Label5"), "5 7 21 33 40 88 3 ");

    press(w, "Command26");
    QStringList drawn = text(w, "Label5").split(' ', Qt::SkipEmptyParts);
    ASSERT_EQ(drawn.size(), 6);
    std::sort(drawn.begin(), drawn.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    EXPECT_EQ(colours(), drawn.join(' ') + " | ") << "six distinct numbers, no bonus";
    press(w, "Command10");
    EXPECT_EQ(text(w, "Label5"), "");

    clickDrawn({14, 5, 6, 7, 8, 9, 10});
    press(w, "Command12");
    EXPECT_FALSE(tabs->isEnabled()) << "the tab control is off while the check runs";
    waitForRun(w);
    EXPECT_TRUE(tabs->isEnabled());
    // Drawn 14 5 6 7 8 9 with the bonus 10, all in the prediction 5..14: the classes of its 210 columns.
    const QStringList expected = {"15", "80", "90", "18", "6", "1", "7", "14 5 6 7 8 9 10"};
    EXPECT_EQ(counts(), expected);
    EXPECT_EQ(find<QComboBox>(w, "Combo5")->currentIndex(), 0);
    EXPECT_EQ(SchedineV::existing(), nullptr);
    check("Command12");
    EXPECT_EQ(counts(), expected) << "twice in a row";

    check("Command22");
    SchedineV* slips = SchedineV::existing();
    ASSERT_NE(slips, nullptr);
    EXPECT_TRUE(slips->isVisible());
    auto* list = find<QListView>(slips, "List1");
    ASSERT_EQ(list->model()->rowCount(), 195);
    EXPECT_TRUE(list->uniformItemSizes());
    // Column 1, 5-6-7-8-9-10: five drawn and the bonus; column 2 adds 11 for 10: five.
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), "\tPunti 5 + 1       Schedina N° 1");
    EXPECT_EQ(list->model()->index(1, 0).data().toString(), "\tPunti 5       Schedina N° 1");

    // A plain check empties the list and leaves the window as it is.
    check("Command12");
    EXPECT_EQ(list->model()->rowCount(), 0);
    check("Command22");
    EXPECT_EQ(SchedineV::existing(), slips) << "one window for the program";
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Escape);
    settle();
    EXPECT_EQ(SchedineV::existing(), nullptr);

    // A new development clears the results and keeps the drawn combination.
    develop(15, 15);
    EXPECT_EQ(counts(), none);
    EXPECT_EQ(text(w, "Label5"), "14 5 6 7 8 9 10 ");
    EXPECT_EQ(messages().shown.size(), 3u);
}

TEST_F(SpoglioTest, AnInterruptedCheckOpensNoSlipWindow)
{
    develop(1, 20);
    clickDrawn({1, 2, 3, 4, 5, 6});
    press(w, "Command22");
    ASSERT_TRUE(w->isRunning());
    ASSERT_NE(loading(), nullptr);
    press(loading(), "Command27");
    waitForRun(w);
    EXPECT_EQ(SchedineV::existing(), nullptr);
    EXPECT_TRUE(tabs->isEnabled());
    EXPECT_FALSE(main_->runControl()->busy());
    EXPECT_EQ(text(w, "Label9"), "6");

    // With the list open, an interrupted check leaves in it the entries of the counts shown.
    check("Command22");
    SchedineV* slips = SchedineV::existing();
    ASSERT_NE(slips, nullptr);
    EXPECT_EQ(slips->entryCount(), 1 + 6 * 14 + 15 * 91 + 20 * 364);
    press(w, "Command22");
    main_->runControl()->interrompi();
    waitForRun(w);
    int winning = 0;
    for (int c = 1; c < 6; ++c)
        winning += text(w, QStringLiteral("Label6_%1").arg(c)).toInt();
    EXPECT_EQ(SchedineV::existing(), slips);
    EXPECT_EQ(slips->entryCount(), winning);
    EXPECT_TRUE(messages().shown.empty());
}

} // namespace
