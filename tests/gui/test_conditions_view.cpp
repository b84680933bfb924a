#include "tests/gui/guitest.h"

#include "gui/systemwindow/ortogonalisuper.h"

#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace guitest;
using sestara::OrtogonaliSuper;

namespace {

// The conditions are set here as their dialogs will store them; the window must develop with them
// and show them on "Sviluppo".
class ConditionsViewTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        w = newSystem();
        clickNumbers(w, 1, 10);
    }
    QListView* testo() { return find<QListView>(w, "Testo"); }
    QTabWidget* tabs() { return find<QTabWidget>(w, "SSTab1"); }
    QComboBox* combo3(int k) { return find<QComboBox>(w, QStringLiteral("Combo3_%1").arg(k)); }
    OrtogonaliSuper* w = nullptr;
};

// Columns of 1..10 whose sum is within the bounds, counted the long way.
int columnsWithSumBetween(int lo, int hi)
{
    int count = 0;
    for (int a = 1; a <= 5; ++a)
        for (int b = a + 1; b <= 6; ++b)
            for (int c = b + 1; c <= 7; ++c)
                for (int d = c + 1; d <= 8; ++d)
                    for (int e = d + 1; e <= 9; ++e)
                        for (int f = e + 1; f <= 10; ++f) {
                            const int s = a + b + c + d + e + f;
                            if (s >= lo && s <= hi)
                                ++count;
                        }
    return count;
}

TEST_F(ConditionsViewTest, SumConditionNarrowsAndIsShown)
{
    sestara::ConditionSet& c = w->document().conditions();
    c.salvaSomma(true, 25, 30, 21, 45);
    elaboraAndWait(w);
    const int expected = columnsWithSumBetween(25, 30);
    ASSERT_GT(expected, 0);
    ASSERT_EQ(testo()->model()->rowCount(), expected);
    // Numbered from 1 without gaps, every column within the bounds.
    for (int row = 0; row < expected; ++row) {
        const QString line = testo()->model()->index(row, 0).data().toString();
        ASSERT_TRUE(line.startsWith(QString::number(row + 1) + "\t>   ")) << line.toStdString();
        int sum = 0;
        for (const QString& n : line.section(">   ", 1).split('-'))
            sum += n.toInt();
        EXPECT_GE(sum, 25);
        EXPECT_LE(sum, 30);
    }
    EXPECT_EQ(items(combo3(2)), QStringList({"25 - 30"}));
    EXPECT_TRUE(combo3(2)->isVisibleTo(w));
    for (int k : {0, 1, 3})
        EXPECT_FALSE(combo3(k)->isVisibleTo(w)) << k;
    EXPECT_FALSE(find<QListWidget>(w, "List4")->isVisibleTo(w));
    EXPECT_EQ(text(w, "Label10"), QLocale().toString(expected * 0.5, 'f', 2) + QStringLiteral("   €"));
    EXPECT_EQ(text(w, "Label15"), QLocale().toString((210 - expected) * 0.5, 'f', 2) + QStringLiteral("   €"));

    // Bounds no column reaches give an empty development, not an error.
    c.salvaSomma(true, 200, 300, 21, 45);
    tabs()->setCurrentIndex(0);
    elaboraAndWait(w);
    EXPECT_TRUE(messages().shown.empty());
    EXPECT_EQ(testo()->model()->rowCount(), 0);
    EXPECT_EQ(text(w, "Label2"), "0");
    EXPECT_EQ(text(w, "Label15"), QStringLiteral("105,00   €"));
    EXPECT_EQ(text(w, "Label8"), QStringLiteral("100,00 %"));
}

TEST_F(ConditionsViewTest, EveryConditionInForceIsListedAsItWasDeveloped)
{
    sestara::ConditionSet& c = w->document().conditions();
    c.salvaPresenze({3}, true);
    c.salvaPariDispari({2, 3}, true);
    c.salvaConsecutivi({1, 2, 3, 4, 5}, true);
    c.salvaGruppi({{"-1-2-3", 1, 2}, {"-8-9-10", 0, 3}}, true);
    elaboraAndWait(w);
    EXPECT_EQ(items(combo3(0)), QStringList({"3"}));
    EXPECT_EQ(items(combo3(1)), QStringList({"2 - 4", "3 - 3"}));
    EXPECT_EQ(items(combo3(3)), QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_FALSE(combo3(2)->isVisibleTo(w));
    auto* list4 = find<QListWidget>(w, "List4");
    ASSERT_TRUE(list4->isVisibleTo(w));
    ASSERT_EQ(list4->count(), 2);
    EXPECT_EQ(list4->item(1)->text(), "Gr_2  Punti: 0 - 3");
    for (int row = 0; row < testo()->model()->rowCount(); ++row)
        EXPECT_TRUE(testo()->model()->index(row, 0).data().toString().section(">   ", 1).split('-').contains("3"));

    // Editing the groups afterwards does not change what the development was made with.
    c.gruppi[0].numeri = "-4-5-6";
    const QRect r = list4->visualItemRect(list4->item(0));
    QTest::mouseClick(list4->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    ASSERT_EQ(messages().texts(), QStringList({"Gr_1  Punti: 1 - 2 -----> -1-2-3"}));
    EXPECT_EQ(messages().shown[0].icon, sestara::MessageIcon::None);

    // "Annulla Condizioni" then "Elabora" develops the whole system and lists nothing.
    tabs()->setCurrentIndex(0);
    QTest::mouseClick(find<QPushButton>(w, "Command1"), Qt::LeftButton);
    elaboraAndWait(w);
    EXPECT_EQ(testo()->model()->rowCount(), 210);
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(combo3(k)->isVisibleTo(w)) << k;
    EXPECT_FALSE(list4->isVisibleTo(w));
}

} // namespace
