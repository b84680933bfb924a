#include "tests/gui/guitest.h"

#include "core/conditions/conditionset.h"
#include "core/development/prediction.h"
#include "gui/conditions/conditionscontroller.h"
#include "gui/conditions/filtroconsecutivi2.h"
#include "gui/conditions/filtrogruppi.h"
#include "gui/conditions/filtroparidispari2.h"
#include "gui/conditions/filtropresenzesuper.h"
#include "gui/conditions/filtrosomma.h"

#include <QCheckBox>
#include <QScrollBar>
#include <QSignalSpy>

#include <memory>
#include <ostream>

// Texts appear as text in failure reports.
static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

using namespace guitest;
using namespace sestara;

namespace {

const QStringList kButtons{"Command15", "Command16", "Command17", "Command23", "Command24"};

// A system window reduced to what the controller sees: number 3, its five condition buttons and
// its five dialogs, with the window's condition set and prediction.
class ConditionsControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        messages().clear();
        window.setProperty("tag", QStringLiteral("3"));
        std::array<QPushButton*, 5> buttons{};
        for (int i = 0; i < 5; ++i) {
            buttons[i] = new QPushButton(QStringLiteral("Condizione"), &window);
            buttons[i]->setObjectName(kButtons[i]);
            buttons[i]->setGeometry(10, 10 + 40 * i, 120, 32);
        }
        dialogs = {new FiltroPresenzeSuper(&window), new FiltroPariDispari2(&window), new FiltroConsecutivi2(&window),
                   new FiltroSomma(&window), new FiltroGruppi(&window)};
        controller = std::make_unique<ConditionsController>(conditions, prediction, &window);
        controller->setButtons(buttons);
        controller->setDialogs(dialogs);
        window.resize(200, 240);
        window.show();
        settle();
    }

    void predict(int from, int to)
    {
        std::vector<int> numbers;
        for (int n = from; n <= to; ++n)
            numbers.push_back(n);
        prediction = *Prediction::fromNumbers(numbers);
    }
    // "Aggiungi" for each text picked in List1.
    void add(QWidget* d, const QStringList& texts)
    {
        for (const QString& t : texts) {
            clickEntry(find<QListWidget>(d, "List1"), t);
            press(d, "Command1_3");
        }
    }
    QStringList entries(QWidget* root, const QString& name)
    {
        auto* list = root->findChild<QListWidget*>(name);
        if (!list)
            return items(find<QComboBox>(root, name));
        QStringList t;
        for (int i = 0; i < list->count(); ++i)
            t << list->item(i)->text();
        return t;
    }
    bool checked(QWidget* d) { return find<QCheckBox>(d, "Check1")->isChecked(); }
    void setChecked(QWidget* d, bool on) { find<QCheckBox>(d, "Check1")->setChecked(on); }
    void setScore(QWidget* d, int min, int max)
    {
        find<QComboBox>(d, "Combo1")->setCurrentIndex(min);
        find<QComboBox>(d, "Combo2")->setCurrentIndex(max);
    }
    bool green(const QString& buttonName) { return isGreen(&window, buttonName); }
    // Presses a condition button; the dialog it opened modally, else null.
    QDialog* open(const QString& buttonName)
    {
        press(&window, buttonName);
        for (QDialog* d : window.findChildren<QDialog*>())
            if (d->isVisible() && d->isModal())
                return d;
        return nullptr;
    }

    QWidget window;
    ConditionSet conditions;
    Prediction prediction;
    ConditionDialogs dialogs;
    std::unique_ptr<ConditionsController> controller;
};

TEST_F(ConditionsControllerTest, PredictionIsCheckedBeforeFixedSumAndGroups)
{
    for (const QString name : {"Command15", "Command23", "Command24"}) {
        SCOPED_TRACE(name.toStdString());
        prediction = {};
        messages().clear();
        EXPECT_FALSE(open(name));
        predict(1, 9);
        EXPECT_FALSE(open(name));
        EXPECT_EQ(messages().texts(),
                  (QStringList{"Inserire Pronostico", "Inserire almeno 10 elementi nel pronostico"}));
    }
    // A repeated number (from a system file) stops the dialogs that list the prediction's numbers.
    prediction = *Prediction::fromNumbers({1, 2, 3, 4, 5, 6, 7, 8, 9, 9});
    messages().clear();
    EXPECT_FALSE(open("Command15"));
    EXPECT_FALSE(open("Command24"));
    EXPECT_EQ(messages().texts(), QStringList(2, "I dati non sono conformi !\nverificare elementi inseriti"));
}

TEST_F(ConditionsControllerTest, ListPickerSelectsWhatItComparesAndStoresFixedNumbers)
{
    predict(1, 10);
    QSignalSpy changed(controller.get(), &ConditionsController::conditionsChanged);
    QDialog* d = open("Command15");
    ASSERT_TRUE(d);
    EXPECT_EQ(entries(d, "List1"), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    press(d, "Command1_3");
    press(d, "Command1_2");
    EXPECT_TRUE(entries(d, "List2").isEmpty()) << "nothing selected, nothing added or removed";

    // Each chosen entry is selected as it is compared: "Elimina" removes the last one compared.
    add(d, {"5", "2", "9"});
    press(d, "Command1_2");
    press(d, "Command1_2");
    EXPECT_EQ(entries(d, "List2"), (QStringList{"5", "9"})) << "the removed entry left no selection";
    add(d, {"9", "5"});
    EXPECT_EQ(messages().texts(), QStringList(2, "La voce selezionata è gia presente"));
    add(d, {"7", "9"});
    press(d, "Command1_2");
    EXPECT_EQ(entries(d, "List2"), (QStringList{"5", "7"})) << "the duplicate stayed selected";
    add(d, {"9"});
    setChecked(d, true);
    press(d, "Command4");
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(conditions.presenzeAttive);
    EXPECT_EQ(conditions.fixedNumbers(), (std::vector<int>{5, 7, 9}));
    EXPECT_TRUE(green("Command15"));
    EXPECT_EQ(changed.count(), 1);

    // Reopened in stored order; "Svuota Lista" then "Annulla" changes nothing.
    d = open("Command15");
    EXPECT_EQ(entries(d, "List2"), (QStringList{"5", "7", "9"}));
    EXPECT_TRUE(checked(d));
    press(d, "Command1_1");
    press(d, "Command5");
    // Stored with "Attiva" unchecked: kept but off, then dropped when the dialog is opened.
    d = open("Command15");
    EXPECT_EQ(entries(d, "List2").size(), 3);
    setChecked(d, false);
    press(d, "Command4");
    EXPECT_FALSE(conditions.presenzeAttive);
    EXPECT_EQ(conditions.fixedNumbers(), (std::vector<int>{5, 7, 9}));
    EXPECT_FALSE(green("Command15"));
    d = open("Command15");
    EXPECT_TRUE(entries(d, "List2").isEmpty());
    EXPECT_FALSE(checked(d));
    EXPECT_TRUE(conditions.fixedNumbers().empty());
    EXPECT_EQ(changed.count(), 3);
}

TEST_F(ConditionsControllerTest, EvenOddAndConsecutiveChoicesSurviveAnnullaCondizioni)
{
    struct Case {
        QString button;
        bool ConditionSet::*flag;
    };
    for (const Case& c : {Case{"Command16", &ConditionSet::pariDispariAttivo},
                          Case{"Command17", &ConditionSet::consecutiviAttivo}}) {
        SCOPED_TRACE(c.button.toStdString());
        QDialog* d = open(c.button);
        ASSERT_TRUE(d) << "it opens without a prediction";
        EXPECT_EQ(find<QListWidget>(d, "List1")->currentRow(), 0);
        add(d, {"3", "0"});
        setChecked(d, true);
        press(d, "Command4");
        EXPECT_TRUE(conditions.*c.flag);
        EXPECT_TRUE(green(c.button));

        controller->annullaCondizioni();
        EXPECT_FALSE(conditions.*c.flag);
        EXPECT_FALSE(green(c.button));
        d = open(c.button);
        EXPECT_EQ(entries(d, "List2"), (QStringList{"0", "3"})) << "in ascending order of the count";
        EXPECT_FALSE(checked(d));
        setChecked(d, true);
        press(d, "Command4");
        EXPECT_TRUE(green(c.button));
    }
}

TEST_F(ConditionsControllerTest, SumDialogRunsBetweenTheLimits)
{
    predict(1, 10);
    QDialog* d = open("Command23");
    ASSERT_TRUE(d);
    auto* min = find<QScrollBar>(d, "HScroll1");
    auto* max = find<QScrollBar>(d, "HScroll2");
    auto shown = [&] { return find<QLabel>(d, "Label1")->text() + " " + find<QLabel>(d, "Label2")->text(); };
    for (QScrollBar* bar : {min, max})
        EXPECT_EQ(std::make_pair(bar->minimum(), bar->maximum()), std::make_pair(21, 45));
    EXPECT_EQ(std::make_pair(min->value(), max->value()), std::make_pair(21, 45));
    EXPECT_EQ(shown(), "21 45");
    EXPECT_FALSE(checked(d));
    setChecked(d, true);
    min->setValue(40);
    max->setValue(30);
    EXPECT_EQ(shown(), "40 30");
    press(d, "Command4");
    EXPECT_EQ(messages().texts(), QStringList{"Attenzione: il valore minimo supera il valore massimo"});
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(conditions.sommaAttiva);
    min->setValue(25);
    max->setValue(30);
    press(d, "Command4");
    EXPECT_TRUE(conditions.sommaAttiva);
    EXPECT_TRUE(green("Command23"));
    d = open("Command23");
    EXPECT_EQ(std::make_pair(min->value(), max->value()), std::make_pair(25, 30));
    EXPECT_TRUE(checked(d));
    press(d, "Command3");

    // Off, it reopens on the full range of the prediction, which alone is read, repeats and all.
    controller->annullaCondizioni();
    prediction = *Prediction::fromNumbers({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 11});
    d = open("Command23");
    ASSERT_TRUE(d);
    EXPECT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(std::make_pair(min->value(), max->value()), std::make_pair(21, 56));
    EXPECT_FALSE(checked(d));
}

TEST_F(ConditionsControllerTest, GroupEditor)
{
    predict(1, 12);
    QDialog* d = open("Command24");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), "Gruppi  3");
    press(d, "Command2");
    EXPECT_EQ(messages().texts(), QStringList{"Inserire un Gruppo"});

    add(d, {"5", "1", "2", "3", "4", "6", "7"});
    setScore(d, 2, 3);
    press(d, "Command1_2");
    EXPECT_EQ(entries(d, "List2"), (QStringList{"5", "1", "2", "3", "4", "7"})) << "the last compared entry went";
    EXPECT_EQ(entries(d, "Combo1"), (QStringList{"0", "1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(find<QComboBox>(d, "Combo1")->currentText() + find<QComboBox>(d, "Combo2")->currentText(), "00")
        << "the score lists are refilled";

    press(d, "Command2");
    EXPECT_EQ(messages().texts().last(), "Selezionare Punteggio: Min e Max");
    setScore(d, 3, 2);
    press(d, "Command2");
    EXPECT_EQ(messages().texts().last(), "Attenzione il Punteggio Min è superiore al Max");
    setScore(d, 1, 2);
    press(d, "Command2");
    EXPECT_EQ(entries(d, "List3"), QStringList{"Gruppo_1"});
    EXPECT_TRUE(entries(d, "List2").isEmpty());
    EXPECT_EQ(entries(d, "Combo1").size(), 7) << "the score lists keep their entries";
    messages().clear();
    clickEntry(find<QListWidget>(d, "List3"), "Gruppo_1");
    EXPECT_EQ(messages().texts(), QStringList{"Gruppo_1----> Punti 1 - 2   -5-1-2-3-4-7"});

    // Delete the first of two groups and insert another: both are named Gruppo_2 until reopened.
    add(d, {"10", "11"});
    setScore(d, 0, 1);
    press(d, "Command2");
    clickEntry(find<QListWidget>(d, "List3"), "Gruppo_1");
    press(d, "Command5");
    press(d, "Command5");
    add(d, {"12"});
    press(d, "Command1_1");
    EXPECT_TRUE(entries(d, "Combo1").isEmpty());
    add(d, {"12"});
    setScore(d, 0, 1);
    press(d, "Command2");
    EXPECT_EQ(entries(d, "List3"), (QStringList{"Gruppo_2", "Gruppo_2"}));
    EXPECT_EQ(entries(d, "Gruppo1_0"), (QStringList{"-10-11", "-12"}));
    EXPECT_EQ(entries(d, "Gruppo1_1") + entries(d, "Gruppo1_2"), (QStringList{"0", "0", "1", "1"}));
    setChecked(d, true);
    press(d, "Command4");
    EXPECT_EQ(conditions.gruppi, (std::vector<Group>{{"-10-11", 0, 1}, {"-12", 0, 1}}));
    EXPECT_TRUE(green("Command24"));

    controller->annullaCondizioni();
    d = open("Command24");
    EXPECT_EQ(entries(d, "List3"), (QStringList{"Gruppo_1", "Gruppo_2"}));
    EXPECT_EQ(d->windowTitle(), "Gruppi  3") << "the number is added once per opening";
    EXPECT_FALSE(checked(d));
    for (const QString name : {"Gruppo_1", "Gruppo_2"}) {
        clickEntry(find<QListWidget>(d, "List3"), name);
        press(d, "Command5");
    }
    // A 101st group would be lost when stored: it is refused where it is made.
    messages().clear();
    for (int g = 0; g <= kMaxGroups; ++g) {
        add(d, {"1"});
        setScore(d, 0, 1);
        press(d, "Command2");
    }
    EXPECT_EQ(entries(d, "List3").size(), kMaxGroups);
    EXPECT_EQ(messages().texts(), QStringList{"Non si possono inserire più di 100 gruppi"});
    press(d, "Command3");
    EXPECT_EQ(conditions.gruppi.size(), 2u);
}

TEST_F(ConditionsControllerTest, LockedWhileDeveloping)
{
    predict(1, 10);
    QDialog* d = open("Command16");
    add(d, {"2"});
    setChecked(d, true);
    controller->setLocked(true);
    press(d, "Command4");
    EXPECT_FALSE(conditions.pariDispariAttivo) << "nothing is stored while locked";
    conditions.sommaAttiva = true;
    controller->annullaCondizioni();
    EXPECT_TRUE(conditions.sommaAttiva);
    for (const QString& name : kButtons)
        EXPECT_FALSE(open(name)) << name.toStdString();
    EXPECT_TRUE(messages().shown.empty());

    controller->setLocked(false);
    controller->refreshButtons();
    EXPECT_TRUE(green("Command23"));
}

} // namespace
