#include "guitest.h"

#include "conditions/filter.h"
#include "conditions/filtroconsecutivi2.h"
#include "conditions/filtrogruppi.h"
#include "conditions/filtroparidispari2.h"
#include "conditions/filtropresenzesuper.h"
#include "conditions/filtrosomma.h"
#include "development/ortogonalisuper.h"
#include "shell/mdiform1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

using namespace guitest;
using sestara::MessageIcon;
using sestara::OrtogonaliSuper;

namespace {

const QColor kActive(0, 192, 0);

class ConditionDialogsTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        w = newSystem();
    }

    void press(QWidget* root, const QString& name) { QTest::mouseClick(find<QPushButton>(root, name), Qt::LeftButton); }
    // Clicks the entry of a list as the user would; fails when the list has no such entry.
    void pick(QWidget* root, const QString& listName, const QString& text)
    {
        auto* list = find<QListWidget>(root, listName);
        const auto items = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << "no entry " << text.toStdString() << " in " << listName.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(items[0]).center());
    }
    QStringList entries(QWidget* root, const QString& listName)
    {
        auto* list = find<QListWidget>(root, listName);
        QStringList t;
        for (int i = 0; i < list->count(); ++i)
            t << list->item(i)->text();
        return t;
    }
    QStringList comboEntries(QWidget* root, const QString& name)
    {
        auto* combo = find<QComboBox>(root, name);
        QStringList t;
        for (int i = 0; i < combo->count(); ++i)
            t << combo->itemText(i);
        return t;
    }
    bool checked(QWidget* root) { return find<QCheckBox>(root, "Check1")->isChecked(); }
    void setChecked(QWidget* root, bool on)
    {
        auto* box = find<QCheckBox>(root, "Check1");
        if (box->isChecked() != on)
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
        ASSERT_EQ(box->isChecked(), on);
    }
    // The colour the user sees on a condition button, away from its caption.
    QColor shownColour(const QString& buttonName)
    {
        QPushButton* b = find<QPushButton>(w, buttonName);
        const QImage image = b->grab().toImage();
        return image.pixelColor(image.width() / 12 + 3, image.height() / 2);
    }
    bool isGreen(const QString& buttonName)
    {
        const QColor c = shownColour(buttonName);
        EXPECT_TRUE(c == kActive || c == QApplication::palette().color(QPalette::Button))
            << buttonName.toStdString() << " shows " << c.name().toStdString();
        return c == kActive;
    }

    // Opens a condition dialog with its button; null (with a failure) when it did not show.
    template <typename D>
    D* open(const QString& buttonName)
    {
        press(w, buttonName);
        settle();
        D* d = nullptr;
        for (D* candidate : main_->findChildren<D*>())
            if (candidate->property("tag").toString() == QString::number(w->index()))
                d = candidate;
        if (!d || !d->isVisible()) {
            ADD_FAILURE() << "the dialog of " << buttonName.toStdString() << " did not open";
            return nullptr;
        }
        EXPECT_TRUE(d->isModal());
        EXPECT_EQ(d->property("tag").toString(), QString::number(w->index()));
        return d;
    }
    QListView* testo(OrtogonaliSuper* win) { return find<QListView>(win, "Testo"); }
    QString line(OrtogonaliSuper* win, int row) { return testo(win)->model()->index(row, 0).data().toString(); }
    int lines(OrtogonaliSuper* win) { return testo(win)->model()->rowCount(); }

    OrtogonaliSuper* w = nullptr;
};

TEST_F(ConditionDialogsTest, FixedNumbersDialog)
{
    // The prediction is checked before the dialog opens.
    press(w, "Command15");
    EXPECT_EQ(messages().texts(), QStringList{"Inserire Pronostico"});
    EXPECT_EQ(messages().shown.at(0).icon, MessageIcon::Exclamation);
    clickNumbers(w, 1, 9);
    press(w, "Command15");
    EXPECT_EQ(messages().texts().last(), "Inserire almeno 10 elementi nel pronostico");
    EXPECT_FALSE(main_->findChild<sestara::FiltroPresenzeSuper*>()->isVisible());
    messages().clear();

    clickNumber(w, 10);
    auto* d = open<sestara::FiltroPresenzeSuper>("Command15");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), "Presenze");
    EXPECT_EQ(entries(d, "List1"), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_FALSE(checked(d));
    press(d, "Command1_3");
    EXPECT_TRUE(entries(d, "List2").isEmpty()) << "nothing selected, nothing added";
    pick(d, "List1", "5");
    press(d, "Command1_3");
    pick(d, "List1", "2");
    press(d, "Command1_3");
    pick(d, "List1", "5");
    press(d, "Command1_3");
    EXPECT_EQ(messages().texts(), QStringList{"La voce selezionata è gia presente"});
    EXPECT_EQ(messages().shown.at(0).icon, MessageIcon::Exclamation);
    EXPECT_EQ(entries(d, "List2"), (QStringList{"5", "2"}));
    EXPECT_EQ(find<QListWidget>(d, "List2")->currentItem()->text(), "5") << "the duplicate is shown selected";
    pick(d, "List2", "2");
    press(d, "Command1_2");
    EXPECT_EQ(entries(d, "List2"), QStringList{"5"});
    pick(d, "List1", "7");
    press(d, "Command1_3");
    setChecked(d, true);
    press(d, "Command4");
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(w->conditions().presenzeAttive);
    EXPECT_EQ(w->conditions().fixedNumbers(), (std::vector<int>{5, 7}));
    EXPECT_TRUE(isGreen("Command15"));

    // Reopened: the fixed numbers in their order, "Attiva" checked.
    d = open<sestara::FiltroPresenzeSuper>("Command15");
    ASSERT_TRUE(d);
    EXPECT_EQ(entries(d, "List2"), (QStringList{"5", "7"}));
    EXPECT_TRUE(checked(d));
    // "Annulla" changes nothing.
    press(d, "Command1_1");
    EXPECT_TRUE(entries(d, "List2").isEmpty());
    press(d, "Command5");
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(w->conditions().fixedNumbers(), (std::vector<int>{5, 7}));

    // "OK" with numbers but "Attiva" unchecked: stored, off, and dropped on the next opening.
    d = open<sestara::FiltroPresenzeSuper>("Command15");
    setChecked(d, false);
    press(d, "Command4");
    EXPECT_FALSE(w->conditions().presenzeAttive);
    EXPECT_EQ(w->conditions().fixedNumbers(), (std::vector<int>{5, 7}));
    EXPECT_FALSE(isGreen("Command15"));
    d = open<sestara::FiltroPresenzeSuper>("Command15");
    EXPECT_TRUE(entries(d, "List2").isEmpty());
    EXPECT_FALSE(checked(d));
    EXPECT_TRUE(w->conditions().fixedNumbers().empty());

    // "OK" with an empty list and "Attiva" checked: off.
    setChecked(d, true);
    press(d, "Command4");
    EXPECT_FALSE(w->conditions().presenzeAttive);
    EXPECT_FALSE(isGreen("Command15"));
}

TEST_F(ConditionDialogsTest, EvenOddDialogAndAnnullaCondizioni)
{
    auto* d = open<sestara::FiltroPariDispari2>("Command16");
    ASSERT_TRUE(d) << "no prediction check for even/odd";
    EXPECT_EQ(d->windowTitle(), "Pari/Dispari");
    EXPECT_EQ(entries(d, "List1"), (QStringList{"0", "1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(find<QListWidget>(d, "List1")->currentRow(), 0);
    pick(d, "List1", "3");
    press(d, "Command1_3");
    pick(d, "List1", "2");
    press(d, "Command1_3");
    pick(d, "List1", "3");
    press(d, "Command1_3");
    EXPECT_EQ(messages().texts(), QStringList{"La voce selezionata è gia presente"});
    setChecked(d, true);
    press(d, "Command4");
    EXPECT_TRUE(w->conditions().pariDispariAttivo);
    EXPECT_TRUE(isGreen("Command16"));

    clickNumbers(w, 1, 10);
    elaboraAndWait(w);
    // 1..10 has five even numbers: 2 even (C(5,2)*C(5,4)=50) plus 3 even (C(5,3)^2=100).
    EXPECT_EQ(lines(w), 150);
    auto* combo3 = find<QComboBox>(w, "Combo3_1");
    EXPECT_TRUE(combo3->isVisible());
    EXPECT_EQ(comboEntries(w, "Combo3_1"), (QStringList{"2 - 4", "3 - 3"}));
    EXPECT_FALSE(find<QComboBox>(w, "Combo3_0")->isVisible());

    // "Annulla Condizioni", then "Elabora": the unconditioned system, nothing shown.
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(0);
    press(w, "Command1");
    EXPECT_FALSE(isGreen("Command16"));
    elaboraAndWait(w);
    EXPECT_EQ(lines(w), 210);
    EXPECT_FALSE(combo3->isVisible());
    // The choices come back, unchecked.
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(0);
    d = open<sestara::FiltroPariDispari2>("Command16");
    EXPECT_EQ(entries(d, "List2"), (QStringList{"2", "3"}));
    EXPECT_FALSE(checked(d));
    setChecked(d, true);
    press(d, "Command4");
    EXPECT_TRUE(isGreen("Command16"));
}

TEST_F(ConditionDialogsTest, ConsecutiveDialogDevelopsAndSurvivesPredictionChanges)
{
    clickNumbers(w, 1, 10);
    auto* d = open<sestara::FiltroConsecutivi2>("Command17");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), "Consecutivi");
    EXPECT_EQ(entries(d, "List1"), (QStringList{"0", "1", "2", "3", "4", "5"}));
    pick(d, "List1", "5");
    press(d, "Command1_3");
    pick(d, "List1", "0");
    press(d, "Command1_3");
    setChecked(d, true);
    press(d, "Command4");
    EXPECT_TRUE(isGreen("Command17"));

    // A prediction change keeps even/odd and consecutive conditions.
    clickNumber(w, 11);
    clickNumber(w, 11);
    EXPECT_TRUE(w->conditions().consecutiviAttivo);
    EXPECT_TRUE(isGreen("Command17"));
    elaboraAndWait(w);
    // Five pairs: only the five runs of six; no pair at all: none among 1..10 (six numbers from
    // ten always hold a pair).
    ASSERT_EQ(lines(w), 5);
    EXPECT_EQ(line(w, 0), "1\t>   1-2-3-4-5-6");
    EXPECT_EQ(line(w, 4), "5\t>   5-6-7-8-9-10");
    EXPECT_EQ(comboEntries(w, "Combo3_3"), (QStringList{"0", "5"}));

    // "OK" with an empty list switches it off.
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(0);
    d = open<sestara::FiltroConsecutivi2>("Command17");
    press(d, "Command1_1");
    press(d, "Command4");
    EXPECT_FALSE(w->conditions().consecutiviAttivo);
    EXPECT_FALSE(isGreen("Command17"));
}

TEST_F(ConditionDialogsTest, SumDialog)
{
    press(w, "Command23");
    EXPECT_EQ(messages().texts(), QStringList{"Inserire Pronostico"});
    messages().clear();
    clickNumbers(w, 1, 10);
    auto* d = open<sestara::FiltroSomma>("Command23");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), "Somma");
    auto* min = find<QScrollBar>(d, "HScroll1");
    auto* max = find<QScrollBar>(d, "HScroll2");
    EXPECT_EQ(min->minimum(), 21);
    EXPECT_EQ(min->maximum(), 45);
    EXPECT_EQ(max->minimum(), 21);
    EXPECT_EQ(max->maximum(), 45);
    EXPECT_EQ(min->value(), 21);
    EXPECT_EQ(max->value(), 45);
    EXPECT_EQ(find<QLabel>(d, "Label1")->text(), "21");
    EXPECT_EQ(find<QLabel>(d, "Label2")->text(), "45");
    EXPECT_FALSE(checked(d));

    // Full range with "Attiva": stays off.
    setChecked(d, true);
    press(d, "Command4");
    EXPECT_FALSE(d->isVisible());
    EXPECT_FALSE(w->conditions().sommaAttiva);
    EXPECT_FALSE(isGreen("Command23"));

    // Minimum above maximum is refused and the dialog stays open.
    d = open<sestara::FiltroSomma>("Command23");
    setChecked(d, true);
    min->setValue(40);
    max->setValue(30);
    EXPECT_EQ(find<QLabel>(d, "Label1")->text(), "40");
    EXPECT_EQ(find<QLabel>(d, "Label2")->text(), "30");
    press(d, "Command4");
    EXPECT_EQ(messages().texts(), QStringList{"Attenzione: il valore minimo supera il valore massimo"});
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(w->conditions().sommaAttiva);
    // Unchecked, the same bounds just switch it off.
    setChecked(d, false);
    press(d, "Command4");
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(messages().shown.size(), 1u);

    d = open<sestara::FiltroSomma>("Command23");
    setChecked(d, true);
    min->setValue(25);
    max->setValue(25);
    press(d, "Command4");
    EXPECT_TRUE(w->conditions().sommaAttiva);
    EXPECT_TRUE(isGreen("Command23"));
    d = open<sestara::FiltroSomma>("Command23");
    EXPECT_EQ(min->value(), 25);
    EXPECT_EQ(max->value(), 25);
    EXPECT_TRUE(checked(d));
    press(d, "Command3");

    elaboraAndWait(w);
    // Sum 25 from 1..10: 1+2+3+4+5+10, 1+2+3+4+6+9, 1+2+3+4+7+8, 1+2+3+5+6+8, 1+2+4+5+6+7.
    ASSERT_EQ(lines(w), 5);
    EXPECT_EQ(line(w, 0), "1\t>   1-2-3-4-5-10");
    EXPECT_EQ(line(w, 4), "5\t>   1-2-4-5-6-7");
    EXPECT_EQ(comboEntries(w, "Combo3_2"), QStringList{"25 - 25"});

    // A prediction change switches the sum off; the dialog reopens on the new full range.
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(0);
    clickNumber(w, 11);
    EXPECT_FALSE(w->conditions().sommaAttiva);
    EXPECT_FALSE(isGreen("Command23"));
    d = open<sestara::FiltroSomma>("Command23");
    EXPECT_EQ(max->maximum(), 51);
    EXPECT_EQ(min->value(), 21);
    EXPECT_EQ(max->value(), 51);
    EXPECT_FALSE(checked(d));
}

TEST_F(ConditionDialogsTest, GroupEditor)
{
    press(w, "Command24");
    EXPECT_EQ(messages().texts(), QStringList{"Inserire Pronostico"});
    messages().clear();
    clickNumbers(w, 1, 12);
    auto* d = open<sestara::FiltroGruppi>("Command24");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), "Gruppi  1");
    EXPECT_EQ(entries(d, "List1").size(), 12);

    press(d, "Command2");
    EXPECT_EQ(messages().texts(), QStringList{"Inserire un Gruppo"});
    EXPECT_EQ(messages().shown.back().icon, MessageIcon::Information);

    pick(d, "List1", "5");
    press(d, "Command1_3");
    EXPECT_EQ(comboEntries(d, "Combo1"), (QStringList{"0", "1"}));
    EXPECT_EQ(comboEntries(d, "Combo2"), (QStringList{"0", "1"}));
    for (const char* n : {"1", "2", "3", "4", "6", "7"}) {
        pick(d, "List1", n);
        press(d, "Command1_3");
    }
    EXPECT_EQ(comboEntries(d, "Combo1"), (QStringList{"0", "1", "2", "3", "4", "5", "6"})) << "never beyond 6";
    pick(d, "List1", "5");
    press(d, "Command1_3");
    EXPECT_EQ(messages().texts().last(), "La voce selezionata è gia presente");
    EXPECT_EQ(messages().shown.back().icon, MessageIcon::Exclamation);
    pick(d, "List2", "7");
    press(d, "Command1_2");
    EXPECT_EQ(comboEntries(d, "Combo1").size(), 7) << "six numbers still offer 0 to 6";

    press(d, "Command2");
    EXPECT_EQ(messages().texts().last(), "Selezionare Punteggio: Min e Max");
    find<QComboBox>(d, "Combo1")->setCurrentIndex(3);
    find<QComboBox>(d, "Combo2")->setCurrentIndex(2);
    press(d, "Command2");
    EXPECT_EQ(messages().texts().last(), "Attenzione il Punteggio Min è superiore al Max");
    EXPECT_EQ(messages().shown.back().icon, MessageIcon::Information);
    find<QComboBox>(d, "Combo1")->setCurrentIndex(1);
    press(d, "Command2");
    EXPECT_EQ(entries(d, "List3"), QStringList{"Gruppo_1"});
    EXPECT_TRUE(entries(d, "List2").isEmpty());
    EXPECT_EQ(comboEntries(d, "Gruppo1_0"), QStringList{"-5-1-2-3-4-6"});
    EXPECT_EQ(comboEntries(d, "Combo1").size(), 7) << "the score lists keep their entries";

    messages().clear();
    pick(d, "List3", "Gruppo_1");
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(messages().texts().at(0), "Gruppo_1----> Punti 1 - 2   -5-1-2-3-4-6");
    EXPECT_EQ(messages().shown.at(0).icon, MessageIcon::None);

    // Delete the first of two groups and insert another: both are named Gruppo_2 until reopened.
    pick(d, "List1", "10");
    press(d, "Command1_3");
    pick(d, "List1", "11");
    press(d, "Command1_3");
    find<QComboBox>(d, "Combo1")->setCurrentIndex(0);
    find<QComboBox>(d, "Combo2")->setCurrentIndex(1);
    press(d, "Command2");
    pick(d, "List3", "Gruppo_1");
    press(d, "Command5");
    pick(d, "List1", "12");
    press(d, "Command1_3");
    find<QComboBox>(d, "Combo2")->setCurrentIndex(1);
    press(d, "Command2");
    EXPECT_EQ(entries(d, "List3"), (QStringList{"Gruppo_2", "Gruppo_2"}));
    setChecked(d, true);
    press(d, "Command4");
    EXPECT_FALSE(d->isVisible());
    ASSERT_EQ(w->conditions().gruppi.size(), 2u);
    EXPECT_EQ(w->conditions().gruppi[0], (sestara::Group{"-10-11", 0, 1}));
    EXPECT_EQ(w->conditions().gruppi[1], (sestara::Group{"-12", 0, 1}));
    EXPECT_TRUE(isGreen("Command24"));

    d = open<sestara::FiltroGruppi>("Command24");
    EXPECT_EQ(entries(d, "List3"), (QStringList{"Gruppo_1", "Gruppo_2"}));
    EXPECT_EQ(d->windowTitle(), "Gruppi  1") << "the number is added once per opening";
    EXPECT_TRUE(checked(d));
    press(d, "Command3");

    elaboraAndWait(w);
    // Columns of 1..12 without both 10 and 11 (12 is at most once in any column).
    EXPECT_EQ(lines(w), 924 - 210);
    EXPECT_EQ(entries(w, "List4"), (QStringList{"Gr_1  Punti: 0 - 1", "Gr_2  Punti: 0 - 1"}));

    // The development keeps describing its groups after they are edited.
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(0);
    d = open<sestara::FiltroGruppi>("Command24");
    pick(d, "List3", "Gruppo_1");
    messages().clear();
    press(d, "Command5");
    press(d, "Command4");
    EXPECT_EQ(w->conditions().gruppi.size(), 1u);
    pick(w, "List4", "Gr_1  Punti: 0 - 1");
    EXPECT_EQ(messages().texts(), QStringList{"Gr_1  Punti: 0 - 1 -----> -10-11"});

    // "OK" without groups switches the condition off.
    d = open<sestara::FiltroGruppi>("Command24");
    pick(d, "List3", "Gruppo_1");
    press(d, "Command5");
    press(d, "Command4");
    EXPECT_FALSE(w->conditions().gruppiAttivi);
    EXPECT_FALSE(isGreen("Command24"));
}

TEST_F(ConditionDialogsTest, GroupsLargerThanThirtyFourNumbersAreReadWhole)
{
    clickNumbers(w, 1, 40);
    auto* size = find<QComboBox>(w, "Combo2");
    EXPECT_EQ(size->currentText(), "40");
    auto* d = open<sestara::FiltroGruppi>("Command24");
    for (int n = 1; n <= 39; ++n) {
        pick(d, "List1", QString::number(n));
        press(d, "Command1_3");
    }
    find<QComboBox>(d, "Combo1")->setCurrentIndex(6);
    find<QComboBox>(d, "Combo2")->setCurrentIndex(6);
    press(d, "Command2");
    setChecked(d, true);
    press(d, "Command4");
    ASSERT_EQ(w->conditions().gruppi.size(), 1u);
    // Any column holding 40 has only five numbers from the group: the rule must reach number 39.
    sestara::ConditionSet c = w->conditions();
    sestara::ConditionFilter filter(c);
    const std::uint8_t inside[6] = {34, 35, 36, 37, 38, 39};
    const std::uint8_t outside[6] = {34, 35, 36, 37, 38, 40};
    EXPECT_TRUE(filter.accepts(inside));
    EXPECT_FALSE(filter.accepts(outside));
}

TEST_F(ConditionDialogsTest, EachWindowKeepsItsOwnConditions)
{
    OrtogonaliSuper* first = w;
    clickNumbers(first, 1, 10);
    auto* d = open<sestara::FiltroPariDispari2>("Command16");
    pick(d, "List1", "6");
    press(d, "Command1_3");
    setChecked(d, true);
    press(d, "Command4");

    w = newSystem();
    OrtogonaliSuper* second = w;
    clickNumbers(second, 1, 10);
    auto* s = open<sestara::FiltroSomma>("Command23");
    ASSERT_NE(static_cast<QWidget*>(s), nullptr);
    EXPECT_EQ(s->property("tag").toString(), "2");
    setChecked(s, true);
    find<QScrollBar>(s, "HScroll2")->setValue(22);
    press(s, "Command4");
    EXPECT_FALSE(second->conditions().pariDispariAttivo);
    EXPECT_TRUE(second->conditions().sommaAttiva);
    EXPECT_FALSE(first->conditions().sommaAttiva);

    elaboraAndWait(first);
    elaboraAndWait(second);
    EXPECT_EQ(lines(first), 0) << "1..10 has only five even numbers";
    EXPECT_EQ(find<QLabel>(first, "Label8")->text(), "100,00 %");
    EXPECT_EQ(lines(second), 2);
    EXPECT_EQ(line(second, 1), "2\t>   1-2-3-4-5-7");
}

TEST_F(ConditionDialogsTest, InterruptedOrRefusedRunsShowNoConditions)
{
    clickNumbers(w, 1, 9);
    auto* d = open<sestara::FiltroPariDispari2>("Command16");
    pick(d, "List1", "3");
    press(d, "Command1_3");
    setChecked(d, true);
    press(d, "Command4");
    auto* shown = find<QComboBox>(w, "Combo3_1");
    elaboraAndWait(w);
    EXPECT_EQ(messages().texts(), QStringList{"Inserire almeno 10 elementi nel pronostico"});
    EXPECT_FALSE(shown->isVisible());
    EXPECT_EQ(shown->count(), 0);

    clickNumbers(w, 10, 35);
    elaboraAndWait(w);
    EXPECT_TRUE(shown->isVisible());
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(0);
    press(w, "Command4");
    ASSERT_TRUE(w->isRunning());
    QTest::mouseClick(find<QPushButton>(main_->findChild<QWidget*>("Loading"), "Command27"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !w->isRunning(); }));
    EXPECT_EQ(find<QLabel>(w, "Label7")->text(), "Elaborazione Interrotta");
    EXPECT_FALSE(shown->isVisible());
    EXPECT_EQ(shown->count(), 0);
}

TEST_F(ConditionDialogsTest, ConditionsCannotChangeDuringARun)
{
    clickNumbers(w, 1, 35);
    press(w, "Command4");
    // The run's end reaches the window only through its event loop, so it is running here.
    ASSERT_TRUE(w->isRunning());
    auto* tabs = find<QTabWidget>(w, "SSTab1");
    EXPECT_FALSE(tabs->isEnabled());
    QTest::mouseClick(find<QPushButton>(w, "Command16"), Qt::LeftButton);
    QTest::mouseClick(find<QPushButton>(w, "Command1"), Qt::LeftButton);
    EXPECT_FALSE(main_->findChild<sestara::FiltroPariDispari2*>()->isVisible());
    ASSERT_TRUE(waitUntil([&] { return !w->isRunning(); }));
    EXPECT_TRUE(tabs->isEnabled());
    EXPECT_EQ(lines(w), 1623160);
}

} // namespace
