#include "tests/gui/guitest.h"

#include "core/development/customdesign.h"

#include <QGroupBox>

using namespace guitest;

namespace {

// The "Sistemi" tab: the grid, the figures of the prediction, the size and its types.
TEST_F(GuiTest, SistemiPageFollowsTheGridAndTheChosenSize)
{
    sestara::OrtogonaliSuper* w = newSystem();
    auto* grid = find<sestara::PredictionGrid>(w, QStringLiteral("MSFlexGrid1"));
    auto* sizes = find<QComboBox>(w, "Combo2");
    auto* types = find<QComboBox>(w, "Combo1");
    const auto figures = [&] {
        return QStringList{text(w, "Label1"), text(w, "Label4"), text(w, "Label21"), text(w, "Label13_1")};
    };
    const auto frameTitle = [&] { return find<QGroupBox>(w, "Frame2")->title(); };
    EXPECT_EQ(grid->item(9, 10)->text(), "90");
    EXPECT_EQ(grid->item(3, 0)->text(), QStringLiteral("»"));
    EXPECT_EQ(grid->item(0, 5)->text(), "");
    EXPECT_EQ(grid->item(4, 5)->background().color(), QColor(255, 255, 255));
    EXPECT_EQ(grid->item(0, 7)->background().color(), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(grid->selectionMode(), QAbstractItemView::NoSelection);
    EXPECT_EQ(sizes->currentText(), "10");
    EXPECT_EQ(types->currentText(), "10 numeri sistema Integrale");
    EXPECT_EQ(frameTitle(), "Sistemi disponibili con 10 numeri");

    for (int n : {45, 3, 17})
        clickNumber(w, n);
    EXPECT_EQ(figures(), QStringList({"3 17 45 ", "3", "0 - 3", "0"}));
    EXPECT_EQ(grid->item(5, 5)->background().color(), QColor(0, 255, 0));
    clickNumber(w, 17);
    EXPECT_FALSE(grid->isNumberGreen(17));
    clickCell(grid, 0, 10); // the column of 10 .. 90
    EXPECT_EQ(figures(), QStringList({"3 10 20 30 40 45 50 60 70 80 90 ", "11", "9 - 2", "462"}));
    EXPECT_EQ(sizes->currentText(), "11");
    EXPECT_EQ(types->count(), 6); // the catalogue's five and "Su misura…"
    EXPECT_EQ(frameTitle(), "Sistemi disponibili con 11 numeri");

    for (int tens : {50, 60, 70, 80})
        clickNumbers(w, tens + 1, tens + 9);
    clickNumbers(w, 21, 27);
    EXPECT_EQ(text(w, "Label4"), "54");
    EXPECT_TRUE(messages().shown.empty());
    clickCell(grid, 2, 0); // 11 .. 20: 11 is taken, then the limit speaks
    ASSERT_EQ(messages().texts(), QStringList({"Inserire massimo 55 elementi"}));
    EXPECT_EQ(text(w, "Label4"), "55");
    EXPECT_TRUE(grid->isNumberGreen(11));
    EXPECT_FALSE(grid->isNumberGreen(12));
    EXPECT_EQ(text(w, "Label13_1"), QStringLiteral("28.989.675"));
    EXPECT_EQ(sizes->currentText(), "55");
    EXPECT_EQ(items(types), QStringList({"55 numeri ridotto n-3", QString::fromUtf8(sestara::kVoceSuMisura)}));

    // "Deseleziona" empties the prediction; the size stays where it was.
    press(w, "Command2");
    EXPECT_EQ(figures(), QStringList({"", "0", "0 - 0", "0"}));
    for (int n = 1; n <= 90; ++n)
        ASSERT_FALSE(grid->isNumberGreen(n)) << n;
    EXPECT_EQ(sizes->currentText(), "55");

    // Choosing a size, even the one shown, rebuilds its types from the first.
    chooseItem(sizes, "36");
    EXPECT_EQ(items(types), QStringList({"36 numeri ridotto n-1", "36 numeri ridotto n-2", "36 numeri ridotto n-3",
                                         QString::fromUtf8(sestara::kVoceSuMisura)}));
    EXPECT_EQ(frameTitle(), "Sistemi disponibili con 36 numeri");
    types->setCurrentIndex(2);
    EXPECT_EQ(w->document().selection().entryText(), "36 numeri ridotto n-3");
    chooseItem(sizes, "36");
    EXPECT_EQ(types->currentIndex(), 0);
    EXPECT_EQ(w->document().selection().entryText(), "36 numeri ridotto n-1");
}

} // namespace
