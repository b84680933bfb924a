#include "guitest.h"

#include "development/ortogonalisuper.h"
#include "development/predictiongrid.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace guitest;
using sestara::OrtogonaliSuper;
using sestara::PredictionGrid;

namespace {

class PredictionGridTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        w = newSystem();
        grid = find<PredictionGrid>(w, QStringLiteral("MSFlexGrid1"));
    }
    QString comboText(const QString& name) { return find<QComboBox>(w, name)->currentText(); }
    QStringList comboItems(const QString& name)
    {
        QStringList items;
        auto* c = find<QComboBox>(w, name);
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
        return items;
    }
    OrtogonaliSuper* w = nullptr;
    PredictionGrid* grid = nullptr;
};

TEST_F(PredictionGridTest, GridShowsNumbersHeadersAndWhiteCells)
{
    ASSERT_EQ(grid->rowCount(), 10);
    ASSERT_EQ(grid->columnCount(), 11);
    EXPECT_EQ(grid->item(1, 1)->text(), "1");
    EXPECT_EQ(grid->item(1, 10)->text(), "10");
    EXPECT_EQ(grid->item(2, 1)->text(), "11");
    EXPECT_EQ(grid->item(9, 10)->text(), "90");
    for (int r = 1; r <= 9; ++r)
        EXPECT_EQ(grid->item(r, 0)->text(), QStringLiteral("»"));
    EXPECT_EQ(grid->item(0, 0)->text(), "");
    EXPECT_EQ(grid->item(0, 5)->text(), "");
    EXPECT_EQ(grid->item(4, 5)->background().color(), QColor(255, 255, 255));
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    EXPECT_EQ(grid->item(0, 0)->background().color(), buttonFace);
    EXPECT_EQ(grid->item(0, 7)->background().color(), buttonFace);
    EXPECT_EQ(grid->item(3, 0)->background().color(), buttonFace);
    EXPECT_EQ(grid->selectionMode(), QAbstractItemView::NoSelection);
    EXPECT_EQ(text(w, "Label1"), "");
    EXPECT_EQ(text(w, "Label4"), "0");
    EXPECT_EQ(text(w, "Label21"), "0 - 0");
    EXPECT_EQ(text(w, "Label13_1"), "0");
    EXPECT_EQ(text(w, "Label8"), "0 %");
}

TEST_F(PredictionGridTest, ClicksKeepThePredictionAscending)
{
    clickNumber(w, 45);
    clickNumber(w, 3);
    clickNumber(w, 17);
    EXPECT_EQ(text(w, "Label1"), "3 17 45 ");
    EXPECT_EQ(text(w, "Label4"), "3");
    EXPECT_EQ(text(w, "Label21"), "0 - 3");
    EXPECT_EQ(grid->item(5, 5)->background().color(), QColor(0, 255, 0));
    EXPECT_EQ(grid->item(1, 3)->background().color(), QColor(0, 255, 0));
    EXPECT_EQ(grid->item(1, 4)->background().color(), QColor(255, 255, 255));

    // A second click frees the number again.
    clickNumber(w, 17);
    EXPECT_EQ(text(w, "Label1"), "3 45 ");
    EXPECT_EQ(text(w, "Label4"), "2");
    EXPECT_EQ(grid->item(2, 7)->background().color(), QColor(255, 255, 255));
    EXPECT_TRUE(messages().shown.empty());
}

TEST_F(PredictionGridTest, ColumnHeaderTogglesTheColumn)
{
    clickCell(grid, 0, 1);
    EXPECT_EQ(text(w, "Label1"), "1 11 21 31 41 51 61 71 81 ");
    EXPECT_EQ(text(w, "Label4"), "9");
    EXPECT_EQ(text(w, "Label21"), "0 - 9");
    EXPECT_EQ(text(w, "Label13_1"), "84");
    for (int r = 1; r <= 9; ++r)
        EXPECT_TRUE(grid->isNumberGreen(10 * (r - 1) + 1));
    clickCell(grid, 0, 1);
    EXPECT_EQ(text(w, "Label1"), "");
    EXPECT_EQ(text(w, "Label4"), "0");
    EXPECT_EQ(text(w, "Label21"), "0 - 0");
    for (int r = 1; r <= 9; ++r)
        EXPECT_FALSE(grid->isNumberGreen(10 * (r - 1) + 1));
}

TEST_F(PredictionGridTest, CornerTogglesTheDiagonal)
{
    clickNumber(w, 12);
    clickCell(grid, 0, 0);
    // 12 was selected, so the diagonal frees it and picks the other eight.
    EXPECT_EQ(text(w, "Label1"), "1 23 34 45 56 67 78 89 ");
    EXPECT_EQ(text(w, "Label4"), "8");
}

TEST_F(PredictionGridTest, RowHeaderStopsAtFiftyFiveNumbers)
{
    clickNumbers(w, 1, 50);
    EXPECT_EQ(text(w, "Label4"), "50");
    EXPECT_TRUE(messages().shown.empty());
    // Row 6 holds 51..60, all free: five are taken, then the limit speaks.
    clickCell(grid, 6, 0);
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(messages().shown[0].text, "Inserire massimo 55 elementi");
    EXPECT_EQ(messages().shown[0].title, "Sestara");
    EXPECT_EQ(messages().shown[0].icon, sestara::MessageIcon::Exclamation);
    EXPECT_EQ(text(w, "Label4"), "55");
    EXPECT_TRUE(grid->isNumberGreen(55));
    EXPECT_FALSE(grid->isNumberGreen(56));
    EXPECT_TRUE(text(w, "Label1").endsWith("50 51 52 53 54 55 "));
    EXPECT_EQ(text(w, "Label13_1"), QStringLiteral("28.989.675"));
    EXPECT_EQ(comboText("Combo2"), "55");

    // One more single click is refused the same way.
    clickNumber(w, 90);
    ASSERT_EQ(messages().shown.size(), 2u);
    EXPECT_EQ(messages().shown[1].text, "Inserire massimo 55 elementi");
    EXPECT_FALSE(grid->isNumberGreen(90));
    EXPECT_EQ(text(w, "Label4"), "55");
}

TEST_F(PredictionGridTest, FullCombinationsUseTheLocaleGrouping)
{
    clickNumbers(w, 1, 6);
    EXPECT_EQ(text(w, "Label13_1"), "1");
    clickNumber(w, 7);
    EXPECT_EQ(text(w, "Label13_1"), "7");
    clickNumbers(w, 8, 12);
    EXPECT_EQ(text(w, "Label13_1"), "924");
    clickNumbers(w, 13, 35);
    EXPECT_EQ(text(w, "Label13_1"), QStringLiteral("1.623.160"));
}

TEST_F(PredictionGridTest, DeselezionaClearsEverything)
{
    clickNumbers(w, 20, 31);
    QTest::mouseClick(find<QPushButton>(w, "Command2"), Qt::LeftButton);
    EXPECT_EQ(text(w, "Label1"), "");
    EXPECT_EQ(text(w, "Label4"), "0");
    EXPECT_EQ(text(w, "Label21"), "0 - 0");
    EXPECT_EQ(text(w, "Label13_1"), "0");
    for (int n = 1; n <= 90; ++n)
        EXPECT_FALSE(grid->isNumberGreen(n));
    // The size stays where the last count of ten or more put it.
    EXPECT_EQ(comboText("Combo2"), "12");
}

TEST_F(PredictionGridTest, SizeListFollowsTheCount)
{
    EXPECT_EQ(comboItems("Combo2").size(), 46);
    EXPECT_EQ(comboItems("Combo2").first(), "10");
    EXPECT_EQ(comboItems("Combo2").last(), "55");
    EXPECT_EQ(comboText("Combo2"), "10");
    EXPECT_EQ(comboItems("Combo1"),
              QStringList({"10 numeri sistema Integrale", "10 numeri in 20 sestine a garanzia quattro con 4 estratti",
                           "10 numeri in 10 sestine a garanzia tre con 3 estratti", "10 numeri ridotto n-1",
                           "10 numeri ridotto n-2", "10 numeri ridotto n-3"}));
    EXPECT_EQ(find<QGroupBox>(w, "Frame2")->title(), "Sistemi disponibili con 10 numeri");

    // Below ten the size does not move.
    find<QComboBox>(w, "Combo2")->setCurrentIndex(5);
    clickNumbers(w, 1, 9);
    EXPECT_EQ(comboText("Combo2"), "15");

    clickNumbers(w, 10, 12);
    EXPECT_EQ(comboText("Combo2"), "12");
    EXPECT_EQ(comboText("Combo1"), "12 numeri sistema Integrale");
    EXPECT_EQ(comboItems("Combo1").size(), 6);
    EXPECT_EQ(find<QGroupBox>(w, "Frame2")->title(), "Sistemi disponibili con 12 numeri");

    clickNumber(w, 12);
    EXPECT_EQ(comboText("Combo2"), "11");
    EXPECT_EQ(comboItems("Combo1").size(), 5);
}

TEST_F(PredictionGridTest, ChoosingASizeRefillsTheTypes)
{
    auto* combo2 = find<QComboBox>(w, "Combo2");
    combo2->setCurrentIndex(combo2->findText("36"));
    EXPECT_EQ(comboItems("Combo1"),
              QStringList({"36 numeri ridotto n-1", "36 numeri ridotto n-2", "36 numeri ridotto n-3"}));
    EXPECT_EQ(find<QGroupBox>(w, "Frame2")->title(), "Sistemi disponibili con 36 numeri");
    combo2->setCurrentIndex(combo2->findText("22"));
    EXPECT_EQ(comboItems("Combo1"),
              QStringList({"22 numeri sistema Integrale", "22 numeri in 77 sestine a garanzia tre con 3 estratti",
                           "22 numeri ridotto n-1", "22 numeri ridotto n-2", "22 numeri ridotto n-3"}));
    combo2->setCurrentIndex(combo2->findText("55"));
    EXPECT_EQ(comboItems("Combo1"), QStringList({"55 numeri ridotto n-3"}));
    find<QComboBox>(w, "Combo1")->setCurrentIndex(0);
    EXPECT_EQ(find<QGroupBox>(w, "Frame2")->title(), "Sistemi disponibili con 55 numeri");
}

} // namespace
