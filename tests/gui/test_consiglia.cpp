#include "tests/gui/guitest.h"

#include "core/advice/advisor.h"
#include "core/guarantees/guarantees.h"

#include <QDoubleSpinBox>
#include <QLocale>

using namespace guitest;
using sestara::OrtogonaliSuper;

namespace {

class ConsigliaTest : public GuiTest {
protected:
    QDialog* dialog(OrtogonaliSuper* w) { return w->findChild<QDialog*>("DialogoConsiglia"); }
    QStringList row(QTableWidget* table, int r)
    {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << table->item(r, c)->text();
        return cells;
    }
};

TEST_F(ConsigliaTest, AdvisesForTheBudgetAndUsaSelectsTheChosenSystem)
{
    OrtogonaliSuper* w = newSystem();
    auto* consiglia = find<QPushButton>(w, "Consiglia");
    EXPECT_FALSE(consiglia->isEnabled());
    clickNumbers(w, 1, 16);
    ASSERT_TRUE(consiglia->isEnabled());
    QTest::mouseClick(consiglia, Qt::LeftButton);
    QDialog* d = dialog(w);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    auto* budget = find<QDoubleSpinBox>(d, "Budget");
    EXPECT_EQ(budget->text(), QLocale().toString(50.0, 'f', 2) + " €");
    EXPECT_EQ(find<QComboBox>(d, "Obiettivo")->currentText(), "Almeno 3 punti");
    EXPECT_FALSE(find<QPushButton>(d, "Usa")->isEnabled());

    budget->setValue(20.0);
    press(d, "Calcola");
    ASSERT_NE(loading(), nullptr) << "the advice runs through the progress window";
    waitForRun(w);
    EXPECT_TRUE(messages().shown.empty()) << messages().texts().join('|').toStdString();

    // What the window shows is the core's advice for 16 numbers, 20 euros at the column's price.
    sestara::AdviceRequest request;
    request.numbers = 16;
    request.budgetCents = 2000;
    request.columnCents = 100;
    request.goal = 3;
    request.dataDir = SESTARA_PROGRAM_DIR;
    const std::atomic<bool> never{false};
    const sestara::Advice advice = sestara::advise(request, never);
    ASSERT_TRUE(advice.ok());
    auto* table = find<QTableWidget>(d, "TabellaConsigli");
    ASSERT_EQ(table->rowCount(), static_cast<int>(advice.candidates.size()));
    const QLocale locale;
    int usable = -1, made = -1;
    for (int r = 0; r < table->rowCount(); ++r) {
        const sestara::AdviceCandidate& c = advice.candidates[static_cast<std::size_t>(r)];
        QStringList expected{QString::fromStdString(c.entryText), QString::number(c.columns),
                             locale.toString(c.costCents / 100.0, 'f', 2) + " €"};
        for (int j = 2; j <= 5; ++j)
            expected << QString::fromStdString(sestara::oneInText(c.draws(j), [&locale](double value, int decimals) {
                return locale.toString(value, 'f', decimals).toStdString();
            }));
        EXPECT_EQ(row(table, r), expected);
        EXPECT_EQ(table->item(r, 0)->font().bold(), r == 0) << "only the best row stands out";
        if (c.entryText == "16 numeri in 16 sestine a garanzia tre con 4 estratti")
            usable = r;
        if (c.kind == sestara::CandidateKind::Budget)
            made = r;
    }
    EXPECT_EQ(find<QLabel>(d, "NotaRendimento")->text(), QString::fromUtf8(sestara::kNotaRendimento));
    ASSERT_GE(usable, 0);
    ASSERT_GE(made, 0);

    table->selectRow(usable);
    press(d, "Usa");
    settle();
    EXPECT_EQ(dialog(w), nullptr) << "Usa closes the dialog";
    EXPECT_EQ(find<QComboBox>(w, "Combo1")->currentText(), "16 numeri in 16 sestine a garanzia tre con 4 estratti");
    elaboraAndWait(w);
    EXPECT_EQ(listed(w), 16);

    // The dialog again from "Sistemi", for the same 20 euros.
    const auto adviseAgain = [&]() -> QTableWidget* {
        find<QTabWidget>(w, "SSTab1")->setCurrentIndex(0);
        QTest::mouseClick(consiglia, Qt::LeftButton);
        d = dialog(w);
        if (!d)
            return nullptr;
        find<QDoubleSpinBox>(d, "Budget")->setValue(20.0);
        press(d, "Calcola");
        waitForRun(w);
        return find<QTableWidget>(d, "TabellaConsigli");
    };

    // The system made to the budget is held by the window as a design and developed from it.
    table = adviseAgain();
    ASSERT_NE(table, nullptr);
    table->selectRow(made);
    press(d, "Usa");
    settle();
    EXPECT_EQ(find<QComboBox>(w, "Combo1")->currentText(), "16 numeri su misura 20 colonne almeno 3 punti");
    elaboraAndWait(w);
    ASSERT_EQ(listed(w), 20);
    const auto& design = advice.candidates[static_cast<std::size_t>(made)].design;
    const sestara::Development& developed = *w->document().developed()->development;
    for (std::size_t i = 0; i < design.size(); ++i) {
        sestara::Column numbers = developed.column(i);
        std::sort(numbers.begin(), numbers.end());
        EXPECT_EQ(numbers, design[i]) << "the prediction 1..16 maps positions onto themselves";
    }

    // With a SuperStar played, a column costs its price and the SuperStar's: fewer fit the budget.
    find<QComboBox>(w, "cboSuperStar")->setCurrentIndex(7);
    table = adviseAgain();
    ASSERT_NE(table, nullptr);
    ASSERT_GT(table->rowCount(), 0);
    for (int r = 0; r < table->rowCount(); ++r)
        EXPECT_EQ(table->item(r, 2)->text(), locale.toString(table->item(r, 1)->text().toInt() * 1.5, 'f', 2) + " €");
    EXPECT_EQ(table->findItems("16 numeri in 16 sestine a garanzia tre con 4 estratti", Qt::MatchExactly).size(), 0);
}

} // namespace
