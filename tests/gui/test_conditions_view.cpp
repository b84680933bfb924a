#include "guitest.h"

#include "development/ortogonalisuper.h"

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
    QComboBox* combo3(int k) { return find<QComboBox>(w, QStringLiteral("Combo3_%1").arg(k)); }
    QStringList items(QComboBox* c)
    {
        QStringList t;
        for (int i = 0; i < c->count(); ++i)
            t << c->itemText(i);
        return t;
    }
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
    sestara::ConditionSet& c = w->conditions();
    c.sommaAttiva = true;
    c.sommaMin = 25;
    c.sommaMax = 30;
    elaboraAndWait(w);
    const int expected = columnsWithSumBetween(25, 30);
    ASSERT_GT(expected, 0);
    ASSERT_LT(expected, 210);
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
    EXPECT_EQ(text(w, "Label2"), QString::number(expected));
    EXPECT_TRUE(combo3(2)->isVisibleTo(w));
    EXPECT_EQ(items(combo3(2)), QStringList({"25 - 30"}));
    EXPECT_FALSE(combo3(0)->isVisibleTo(w));
    EXPECT_FALSE(combo3(1)->isVisibleTo(w));
    EXPECT_FALSE(combo3(3)->isVisibleTo(w));
    EXPECT_FALSE(find<QListWidget>(w, "List4")->isVisibleTo(w));
    // 210 full columns at 50 cents; the saving is what was left out.
    EXPECT_EQ(text(w, "Label14"), QStringLiteral("105,00   €"));
    EXPECT_EQ(text(w, "Label10"), QLocale().toString(expected * 0.5, 'f', 2) + QStringLiteral("   €"));
    EXPECT_EQ(text(w, "Label15"), QLocale().toString((210 - expected) * 0.5, 'f', 2) + QStringLiteral("   €"));
    EXPECT_EQ(text(w, "Label8"), QLocale().toString(100.0 - expected * 100.0 / 210.0, 'f', 2) + QStringLiteral(" %"));
}

TEST_F(ConditionsViewTest, ConditionsRejectingEveryColumnGiveAnEmptyDevelopment)
{
    sestara::ConditionSet& c = w->conditions();
    c.sommaAttiva = true;
    c.sommaMin = 200;
    c.sommaMax = 300;
    elaboraAndWait(w);
    EXPECT_TRUE(messages().shown.empty());
    EXPECT_EQ(testo()->model()->rowCount(), 0);
    EXPECT_EQ(text(w, "Label7"), "10 numeri sistema Integrale");
    EXPECT_EQ(text(w, "Label2"), "0");
    EXPECT_EQ(text(w, "Label10"), QStringLiteral("0,00   €"));
    EXPECT_EQ(text(w, "Label15"), QStringLiteral("105,00   €"));
    EXPECT_EQ(text(w, "Label8"), QStringLiteral("100,00 %"));
    EXPECT_EQ(text(w, "Label17"), "0");
}

TEST_F(ConditionsViewTest, EveryConditionInForceIsListed)
{
    sestara::ConditionSet& c = w->conditions();
    c.presenzeAttive = true;
    c.presenze[1] = 3;
    c.pariDispariAttivo = true;
    c.pariDispari[2] = true;
    c.pariDispari[3] = true;
    c.consecutiviAttivo = true;
    c.consecutivi[1] = true;
    c.consecutivi[2] = true;
    c.consecutivi[3] = true;
    c.consecutivi[4] = true;
    c.consecutivi[5] = true;
    c.gruppiAttivi = true;
    c.gruppi = {{"-1-2-3", 1, 2}, {"-8-9-10", 0, 3}};
    elaboraAndWait(w);
    EXPECT_TRUE(combo3(0)->isVisibleTo(w));
    EXPECT_EQ(items(combo3(0)), QStringList({"3"}));
    EXPECT_EQ(items(combo3(1)), QStringList({"2 - 4", "3 - 3"}));
    EXPECT_EQ(items(combo3(3)), QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_FALSE(combo3(2)->isVisibleTo(w));
    auto* list4 = find<QListWidget>(w, "List4");
    ASSERT_TRUE(list4->isVisibleTo(w));
    ASSERT_EQ(list4->count(), 2);
    EXPECT_EQ(list4->item(0)->text(), "Gr_1  Punti: 1 - 2");
    EXPECT_EQ(list4->item(1)->text(), "Gr_2  Punti: 0 - 3");

    // Editing the groups afterwards does not change what the development was made with.
    c.gruppi[0].numeri = "-4-5-6";
    const QRect r = list4->visualItemRect(list4->item(0));
    QTest::mouseClick(list4->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(messages().shown[0].text, "Gr_1  Punti: 1 - 2 -----> -1-2-3");
    EXPECT_EQ(messages().shown[0].icon, sestara::MessageIcon::None);

    // Every listed column holds the fixed number 3.
    for (int row = 0; row < testo()->model()->rowCount(); ++row)
        EXPECT_TRUE(testo()->model()->index(row, 0).data().toString().section(">   ", 1).split('-').contains("3"));
}

TEST_F(ConditionsViewTest, AnnullaCondizioniDevelopsTheWholeSystem)
{
    w->conditions().sommaAttiva = true;
    w->conditions().sommaMin = 25;
    w->conditions().sommaMax = 30;
    w->conditions().pariDispariAttivo = true;
    w->conditions().pariDispari[3] = true;
    QTest::mouseClick(find<QPushButton>(w, "Command1"), Qt::LeftButton);
    EXPECT_FALSE(w->conditions().anyActive());
    // The data stay for the dialogs to show again.
    EXPECT_TRUE(w->conditions().pariDispari[3]);
    elaboraAndWait(w);
    EXPECT_EQ(testo()->model()->rowCount(), 210);
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(combo3(k)->isVisibleTo(w));
}

TEST_F(ConditionsViewTest, PredictionChangeDropsFixedSumAndGroupsButKeepsEvenOdd)
{
    sestara::ConditionSet& c = w->conditions();
    c.sommaAttiva = true;
    c.sommaMin = 25;
    c.sommaMax = 30;
    c.pariDispariAttivo = true;
    c.pariDispari[3] = true;
    c.presenzeAttive = true;
    c.presenze[1] = 5;
    clickNumber(w, 11);
    EXPECT_FALSE(c.sommaAttiva);
    EXPECT_FALSE(c.presenzeAttive);
    EXPECT_EQ(c.presenze[1], 0);
    EXPECT_TRUE(c.pariDispariAttivo);
    EXPECT_TRUE(c.pariDispari[3]);
}

} // namespace
