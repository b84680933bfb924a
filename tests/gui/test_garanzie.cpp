#include "tests/gui/guitest.h"

#include "core/development/run.h"
#include "core/guarantees/guarantees.h"

#include <QClipboard>
#include <QHeaderView>
#include <QProgressBar>

using namespace guitest;
using sestara::OrtogonaliSuper;

namespace {

class GaranzieTest : public GuiTest {
protected:
    // The numbers 1..12 developed as "12 numeri ridotto n-1", with the sum between 21 and 45 when
    // `narrowed`, which drops columns the system's 5 se 6 needs.
    void developReduced(OrtogonaliSuper* w, bool narrowed)
    {
        find<QTabWidget>(w, "SSTab1")->setCurrentIndex(0);
        if (w->document().prediction().count() == 0)
            clickNumbers(w, 1, 12);
        chooseItem(find<QComboBox>(w, "Combo1"), "12 numeri ridotto n-1");
        w->document().conditions().salvaSomma(narrowed, 21, 45, 21, 69);
        elaboraAndWait(w);
    }
    QWidget* garanzie(OrtogonaliSuper* w) { return w->findChild<QWidget*>("Garanzie"); }
    QStringList row(QTableWidget* table, int r)
    {
        QStringList cells{table->verticalHeaderItem(r)->text()};
        for (int c = 0; c < table->columnCount(); ++c)
            cells << (table->item(r, c) ? table->item(r, c)->text() : QString());
        return cells;
    }
    QStringList almeno(QWidget* window)
    {
        QStringList lines;
        for (int k = 2; k <= 6; ++k)
            lines << text(window, QStringLiteral("Almeno%1").arg(k));
        return lines;
    }
};

TEST_F(GaranzieTest, ShowsWhatTheDevelopmentGuaranteesAndWhatTheConditionsTookAway)
{
    OrtogonaliSuper* w = newSystem();
    auto* button = find<QPushButton>(w, "CommandGaranzie");
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(button->toolTip(), "Elaborare Sistema") << "the tip says why the button is off";

    developReduced(w, true);
    ASSERT_TRUE(button->isEnabled());
    EXPECT_EQ(button->toolTip(), "");
    EXPECT_EQ(find<QTabWidget>(w, "SSTab1")->currentIndex(), 1);
    QTest::mouseClick(button, Qt::LeftButton);
    // The analysis runs through the progress window like a development.
    ASSERT_NE(loading(), nullptr);
    EXPECT_EQ(find<QProgressBar>(loading(), "ProgressBar1")->maximum(), 35 + 2 * (66 + 220 + 495 + 792) + 12 + 924);
    waitForRun(w);
    EXPECT_EQ(loading(), nullptr);
    EXPECT_TRUE(messages().shown.empty()) << messages().texts().join('|').toStdString();

    QWidget* window = garanzie(w);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->windowTitle(), w->windowTitle());
    auto* table = find<QTableWidget>(window, "TabellaGaranzie");
    ASSERT_EQ(table->rowCount(), 5);
    // 35, 821 and 68 of the 924 six-sets; 207, 583 and 2 of the 792 five-sets; ...
    EXPECT_EQ(row(table, 0), QStringList({"Se escono 6 dei tuoi numeri", "3,8 %", "88,9 %", "7,4 %", "", "", "", "",
                                          "4 punti"}));
    EXPECT_EQ(row(table, 1), QStringList({"Se escono 5 dei tuoi numeri", "", "26,1 %", "73,6 %", "0,3 %", "", "", "",
                                          "3 punti"}));
    EXPECT_EQ(row(table, 2), QStringList({"Se escono 4 dei tuoi numeri", "", "", "82,0 %", "18,0 %", "", "", "",
                                          "3 punti"}));
    EXPECT_EQ(row(table, 3), QStringList({"Se escono 3 dei tuoi numeri", "", "", "", "100 %", "", "", "",
                                          "3 punti"}));
    EXPECT_EQ(row(table, 4), QStringList({"Se escono 2 dei tuoi numeri", "", "", "", "", "100 %", "", "",
                                          "2 punti"}));
    EXPECT_EQ(table->item(0, 1)->toolTip(), "821");
    EXPECT_EQ(table->item(3, 4)->toolTip(), "0");
    EXPECT_EQ(almeno(window), QStringList({"Almeno 2 punti: 1 volta su 5,5", "Almeno 3 punti: 1 volta su 34",
                                           "Almeno 4 punti: 1 volta su 486", "Almeno 5 punti: 1 volta su 36.620",
                                           "Almeno 6 punti: 1 volta su 17.788.989"}));
    EXPECT_EQ(find<QLabel>(window, "Almeno2")->toolTip(), "In 112.429.955 delle 622.614.630 estrazioni possibili (18,1 %)");
    auto* line = find<QLabel>(window, "LabelGaranzia");
    EXPECT_EQ(line->text(), "Le condizioni hanno ridotto la garanzia: 5 se 6 solo nel 92,6 % dei casi");
    EXPECT_EQ(line->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(find<QLabel>(window, "LabelJolly")->isVisibleTo(window)); // the note on the jolly

    press(window, "Copia");
    // The copy reads the table's own headers: the first line shows them.
    const QStringList copied = QApplication::clipboard()->text().split('\n');
    ASSERT_EQ(copied.size(), 7);
    EXPECT_EQ(copied[0], "\t6 punti\t5 punti\t4 punti\t3 punti\t2 punti\t1 punto\t0 punti\tGaranzia");
    EXPECT_EQ(copied[1], "Se escono 6 dei tuoi numeri\t3,8 %\t88,9 %\t7,4 %\t\t\t\t\t4 punti");
    EXPECT_EQ(copied[6], "");

    // Without the condition the system keeps its guarantee: the open window analyses it at once.
    developReduced(w, false);
    EXPECT_EQ(garanzie(w), window);
    EXPECT_EQ(row(table, 0).mid(1, 3), QStringList({"4,2 %", "95,8 %", ""}));
    EXPECT_EQ(line->text(), "Garanzia del sistema rispettata: 5 se 6");
    EXPECT_NE(line->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    w->setWindowTitle("Dodici"); // saved
    EXPECT_EQ(window->windowTitle(), "Dodici");
    // A development that did not end: no old figures, but why, and the analysis offered again.
    auto* aggiorna = find<QPushButton>(window, "Aggiorna");
    EXPECT_FALSE(aggiorna->isVisible());
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(0);
    press(w, "Command4");
    press(loading(), "Command27");
    waitForRun(w);
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_EQ(line->text(), QString::fromUtf8(sestara::kMsgSviluppoCambiato));
    EXPECT_TRUE(aggiorna->isVisible());
    developReduced(w, false);

    // "Interrompi" counts even when the analysis is done before its end is handled: nothing shows.
    press(w, "CommandGaranzie");
    ASSERT_NE(loading(), nullptr);
    press(loading(), "Command27");
    waitForRun(w);
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_EQ(almeno(window), QStringList({"", "", "", "", ""}));
    EXPECT_EQ(line->text(), "Elaborazione Interrotta");
    EXPECT_FALSE(main_->runControl()->busy());
    press(window, "Aggiorna");
    waitForRun(w);
    EXPECT_EQ(table->rowCount(), 5);

    // One run at a time in the whole program.
    OrtogonaliSuper* other = startLongRun();
    messages().clear();
    press(w, "CommandGaranzie");
    EXPECT_FALSE(w->isRunning());
    EXPECT_EQ(messages().texts(), QStringList({QString::fromUtf8(sestara::kMsgAltraElaborazione)}));
    press(loading(), "Command27");
    waitForRun(other);

    // Closing the system window closes its guarantees window.
    w->chiudi();
    settle();
    EXPECT_TRUE(main_->findChildren<QWidget*>("Garanzie").isEmpty());
}

} // namespace
