#include "guitest.h"

#include "development/ortogonalisuper.h"
#include "shell/loading.h"
#include "shell/mdiform1.h"
#include "shell/programsettings.h"
#include "shell/runcontrol.h"

#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace guitest;
using sestara::Loading;
using sestara::OrtogonaliSuper;

namespace {

class ElaboraTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        w = newSystem();
    }
    QTabWidget* tabs() { return find<QTabWidget>(w, "SSTab1"); }
    QListView* testo() { return find<QListView>(w, "Testo"); }
    int lines() { return testo()->model()->rowCount(); }
    QString line(int row) { return testo()->model()->index(row, 0).data().toString(); }
    Loading* loading() { return main_->findChild<Loading*>("Loading"); }
    void pressElabora(OrtogonaliSuper* win)
    {
        QTest::mouseClick(find<QPushButton>(win, "Command4"), Qt::LeftButton);
    }
    // Every label the run fills, so a refusal can be shown to change none of them.
    QStringList runLabels()
    {
        QStringList t;
        for (const char* n : {"Label7", "Label3", "Label13_0", "Label13_1", "Label2", "Label14", "Label10", "Label15",
                              "Label8", "Label17", "Label11"})
            t << text(w, n);
        t << QString::number(tabs()->currentIndex()) << QString::number(lines());
        return t;
    }
    OrtogonaliSuper* w = nullptr;
};

TEST_F(ElaboraTest, NineNumbersAreRefused)
{
    clickNumbers(w, 1, 9);
    const QStringList before = runLabels();
    elaboraAndWait(w);
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(messages().shown[0].text, "Inserire almeno 10 elementi nel pronostico");
    EXPECT_EQ(messages().shown[0].title, "Sestara");
    EXPECT_EQ(messages().shown[0].icon, sestara::MessageIcon::Exclamation);
    EXPECT_EQ(runLabels(), before);
    EXPECT_TRUE(tabs()->isEnabled());
    EXPECT_EQ(loading(), nullptr);
}

TEST_F(ElaboraTest, EmptyPredictionIsRefused)
{
    elaboraAndWait(w);
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(messages().shown[0].text, "Inserire almeno 10 elementi nel pronostico");
}

TEST_F(ElaboraTest, SizeDifferentFromThePredictionIsRefused)
{
    clickNumbers(w, 1, 12);
    auto* combo2 = find<QComboBox>(w, "Combo2");
    combo2->setCurrentIndex(combo2->findText("20"));
    const QStringList before = runLabels();
    elaboraAndWait(w);
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(messages().shown[0].text, QStringLiteral("La quantità d'elementi inseriti non è conforme"));
    EXPECT_EQ(messages().shown[0].icon, sestara::MessageIcon::Exclamation);
    EXPECT_EQ(runLabels(), before);
}

TEST_F(ElaboraTest, TenNumbersFullSystem)
{
    clickNumbers(w, 1, 10);
    elaboraAndWait(w);
    EXPECT_TRUE(messages().shown.empty()) << messages().texts().join("|").toStdString();
    EXPECT_EQ(tabs()->currentIndex(), 1);
    EXPECT_EQ(tabs()->tabText(1), "Sviluppo");
    EXPECT_TRUE(tabs()->isEnabled());
    ASSERT_EQ(lines(), 210);
    EXPECT_EQ(line(0), "1\t>   1-2-3-4-5-6");
    EXPECT_EQ(line(1), "2\t>   1-2-3-4-5-7");
    EXPECT_EQ(line(209), "210\t>   5-6-7-8-9-10");
    EXPECT_EQ(text(w, "Label7"), "10 numeri sistema Integrale");
    EXPECT_EQ(text(w, "Label3"), "1 2 3 4 5 6 7 8 9 10 ");
    EXPECT_EQ(text(w, "Label2"), "210");
    EXPECT_EQ(text(w, "Label13_0"), "210");
    EXPECT_EQ(text(w, "Label13_1"), "210");
    EXPECT_EQ(text(w, "Label17"), "42");
    EXPECT_EQ(text(w, "Label11"), "");
    EXPECT_FALSE(find<QLabel>(w, "Label19")->isVisibleTo(w));
    EXPECT_FALSE(find<QLabel>(w, "Label20")->isVisibleTo(w));
    // No condition was in force.
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(find<QComboBox>(w, QStringLiteral("Combo3_%1").arg(k))->isVisibleTo(w));
    EXPECT_FALSE(find<QListWidget>(w, "List4")->isVisibleTo(w));
    EXPECT_FALSE(main_->runControl()->busy());
    EXPECT_TRUE(waitUntil([&] { return loading() == nullptr; }, 5000));
}

TEST_F(ElaboraTest, TwelveNumbersCostsInItalian)
{
    ASSERT_EQ(sestara::programsettings::costoColonnaCents(), 50.0);
    clickNumbers(w, 1, 12);
    elaboraAndWait(w);
    EXPECT_TRUE(messages().shown.empty());
    EXPECT_EQ(lines(), 924);
    EXPECT_EQ(text(w, "Label2"), "924");
    EXPECT_EQ(text(w, "Label13_0"), "924");
    EXPECT_EQ(text(w, "Label14"), QStringLiteral("462,00   €"));
    EXPECT_EQ(text(w, "Label10"), QStringLiteral("462,00   €"));
    EXPECT_EQ(text(w, "Label15"), QStringLiteral("0,00   €"));
    EXPECT_EQ(text(w, "Label8"), QStringLiteral("0,00 %"));
    EXPECT_EQ(text(w, "Label17"), "185");
    EXPECT_EQ(line(923), "924\t>   7-8-9-10-11-12");
}

TEST_F(ElaboraTest, LargeFiguresAreGrouped)
{
    clickNumbers(w, 1, 20);
    elaboraAndWait(w);
    EXPECT_EQ(lines(), 38760);
    EXPECT_EQ(text(w, "Label2"), QStringLiteral("38.760"));
    EXPECT_EQ(text(w, "Label14"), QStringLiteral("19.380,00   €"));
    EXPECT_EQ(text(w, "Label17"), QStringLiteral("7.752"));
    EXPECT_EQ(line(38759), "38760\t>   15-16-17-18-19-20");
}

TEST_F(ElaboraTest, DuringTheRunTheTabsAreDisabledAndProgressShows)
{
    clickNumbers(w, 1, 35);
    pressElabora(w);
    ASSERT_TRUE(w->isRunning());
    EXPECT_FALSE(tabs()->isEnabled());
    EXPECT_EQ(text(w, "Label11"), "Attendere...");
    EXPECT_TRUE(find<QLabel>(w, "Label19")->isVisibleTo(w));
    EXPECT_EQ(text(w, "Label7"), "");
    EXPECT_EQ(lines(), 0);
    Loading* l = loading();
    ASSERT_NE(l, nullptr);
    EXPECT_TRUE(l->isVisible());
    EXPECT_EQ(l->windowTitle(), "Loading....");
    EXPECT_EQ(find<QProgressBar>(l, "ProgressBar1")->maximum(), 1623160);
    auto* interrompi = find<QPushButton>(l, "Command27");
    EXPECT_EQ(interrompi->text(), "Interrompi");
    EXPECT_EQ(interrompi->toolTip(), "Termina Elaborazione");
    EXPECT_TRUE(l->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(l->parentWidget(), main_);
    ASSERT_TRUE(waitUntil([&] { return !w->isRunning(); }));
    EXPECT_EQ(lines(), 1623160);
    EXPECT_EQ(text(w, "Label2"), QStringLiteral("1.623.160"));
    EXPECT_EQ(line(1623159), "1623160\t>   30-31-32-33-34-35");
    EXPECT_EQ(text(w, "Label8"), QStringLiteral("0,00 %"));
}

TEST_F(ElaboraTest, InterrompiEndsTheRunWithAnEmptyListing)
{
    // A completed run first, so the interruption has something to clear.
    clickNumbers(w, 1, 10);
    elaboraAndWait(w);
    ASSERT_EQ(lines(), 210);
    tabs()->setCurrentIndex(0);
    clickNumbers(w, 11, 35);
    pressElabora(w);
    ASSERT_TRUE(w->isRunning());
    Loading* l = loading();
    ASSERT_NE(l, nullptr);
    QTest::mouseClick(find<QPushButton>(l, "Command27"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !w->isRunning(); }));
    settle();
    EXPECT_EQ(text(w, "Label7"), "Elaborazione Interrotta");
    EXPECT_EQ(lines(), 0);
    EXPECT_EQ(w->development(), nullptr);
    EXPECT_EQ(text(w, "Label2"), "0");
    EXPECT_EQ(text(w, "Label10"), "0");
    EXPECT_EQ(text(w, "Label14"), "0");
    EXPECT_EQ(text(w, "Label15"), "0");
    EXPECT_EQ(text(w, "Label8"), "0");
    EXPECT_EQ(text(w, "Label11"), "");
    EXPECT_EQ(tabs()->currentIndex(), 1);
    EXPECT_TRUE(tabs()->isEnabled());
    EXPECT_EQ(loading(), nullptr);
    EXPECT_FALSE(main_->runControl()->busy());
    EXPECT_TRUE(messages().shown.empty());

    // The window develops again afterwards.
    tabs()->setCurrentIndex(0);
    clickNumbers(w, 13, 35);
    elaboraAndWait(w);
    EXPECT_EQ(lines(), 924);
    EXPECT_EQ(text(w, "Label7"), "12 numeri sistema Integrale");
}

TEST_F(ElaboraTest, ClosingTheProgressWindowInterruptsToo)
{
    clickNumbers(w, 1, 35);
    pressElabora(w);
    ASSERT_NE(loading(), nullptr);
    loading()->close();
    ASSERT_TRUE(waitUntil([&] { return !w->isRunning(); }));
    EXPECT_EQ(text(w, "Label7"), "Elaborazione Interrotta");
    EXPECT_EQ(lines(), 0);
}

TEST_F(ElaboraTest, EscapeInTheProgressWindowInterrupts)
{
    clickNumbers(w, 1, 35);
    pressElabora(w);
    ASSERT_NE(loading(), nullptr);
    QTest::keyClick(loading(), Qt::Key_Escape);
    ASSERT_TRUE(waitUntil([&] { return !w->isRunning(); }));
    EXPECT_EQ(text(w, "Label7"), "Elaborazione Interrotta");
    EXPECT_EQ(lines(), 0);
}

TEST_F(ElaboraTest, OnlyOneRunInTheWholeProgram)
{
    clickNumbers(w, 1, 35);
    OrtogonaliSuper* other = newSystem();
    clickNumbers(other, 1, 10);
    pressElabora(w);
    ASSERT_TRUE(w->isRunning());
    pressElabora(other);
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(messages().shown[0].text, OrtogonaliSuper::altraElaborazioneMessage());
    EXPECT_EQ(messages().shown[0].text,
              QStringLiteral("È già in corso un'elaborazione in un'altra finestra.\n"
                             "Attendere che termini, o interromperla, prima di avviarne una nuova."));
    EXPECT_EQ(messages().shown[0].icon, sestara::MessageIcon::Exclamation);
    EXPECT_FALSE(other->isRunning());
    EXPECT_EQ(text(other, "Label7"), "");
    ASSERT_TRUE(waitUntil([&] { return !w->isRunning(); }));
    // Once the first has ended the second may run.
    elaboraAndWait(other);
    EXPECT_EQ(find<QListView>(other, "Testo")->model()->rowCount(), 210);
}

TEST_F(ElaboraTest, ClosingTheWindowDuringARunEndsItCleanly)
{
    clickNumbers(w, 1, 35);
    pressElabora(w);
    ASSERT_TRUE(w->isRunning());
    QPointer<OrtogonaliSuper> guard(w);
    // The tabs (and their "Chiudi") are disabled: the user closes the window by its frame.
    auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    ASSERT_NE(frame, nullptr);
    frame->close();
    settle();
    EXPECT_TRUE(guard.isNull());
    EXPECT_FALSE(main_->runControl()->busy());
    EXPECT_TRUE(waitUntil([&] { return loading() == nullptr; }, 5000));
    EXPECT_TRUE(main_->finestraLibera(1));
    EXPECT_TRUE(messages().shown.empty());
}

TEST_F(ElaboraTest, MissingDataFileRefusesWithoutChangingTheWindow)
{
    delete main_;
    QTemporaryDir empty;
    main_ = new sestara::MDIForm1(empty.path());
    main_->show();
    w = newSystem();
    clickNumbers(w, 1, 12);
    find<QComboBox>(w, "Combo1")->setCurrentIndex(find<QComboBox>(w, "Combo1")->findText("12 numeri ridotto n-2"));
    const QStringList before = runLabels();
    elaboraAndWait(w);
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_TRUE(messages().shown[0].text.startsWith(QStringLiteral("Impossibile leggere il file \"Riduttore\" (")))
        << messages().shown[0].text.toStdString();
    EXPECT_EQ(messages().shown[0].icon, sestara::MessageIcon::Exclamation);
    EXPECT_EQ(runLabels(), before);
    EXPECT_FALSE(main_->runControl()->busy());
    EXPECT_EQ(loading(), nullptr);

    // An immediate system reads the other data file.
    find<QComboBox>(w, "Combo1")->setCurrentIndex(1);
    ASSERT_EQ(find<QComboBox>(w, "Combo1")->currentText(), "12 numeri in 24 sestine a garanzia tre con 3 estratti");
    elaboraAndWait(w);
    ASSERT_EQ(messages().shown.size(), 2u);
    EXPECT_TRUE(messages().shown[1].text.startsWith(QStringLiteral("Impossibile leggere il file \"Immediati\" (")))
        << messages().shown[1].text.toStdString();
    EXPECT_EQ(runLabels(), before);
}

TEST_F(ElaboraTest, ThirtySixNumbersFirstEntryIsAReducedSystem)
{
    delete main_;
    QTemporaryDir empty;
    main_ = new sestara::MDIForm1(empty.path());
    main_->show();
    w = newSystem();
    clickNumbers(w, 1, 36);
    EXPECT_EQ(find<QComboBox>(w, "Combo1")->currentText(), "36 numeri ridotto n-1");
    elaboraAndWait(w);
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_TRUE(messages().shown[0].text.startsWith(QStringLiteral("Impossibile leggere il file \"Riduttore\"")));
}

TEST_F(ElaboraTest, MainWindowDestroyedDuringARun)
{
    clickNumbers(w, 1, 35);
    pressElabora(w);
    ASSERT_TRUE(w->isRunning());
    delete main_;
    main_ = nullptr;
    settle();
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<Loading*>(top), nullptr);
}

TEST_F(ElaboraTest, ButtonsCarryTheirToolTips)
{
    const std::pair<const char*, const char*> tips[] = {
        {"Command4", "Elabora Sistema"},         {"Command1", "Annulla Condizioni Attive"},
        {"Command14", "Salva Sistema su File"},  {"Command6", "Stampa Sviluppo"},
        {"Command5", "Stampa Sviluppo su Schedina"}, {"Command12", "Ricerca Vincite"},
        {"Command22", "Visualizza schedine vincenti"}, {"Command8", "Stampa Schedine"},
        {"Command7", "Pulisci Schedina"},        {"Command13_0", "Chiudi Finestra"},
        {"Command13_1", "Chiudi Finestra"},      {"Command13_2", "Chiudi Finestra"},
        {"Command13_3", "Chiudi Finestra"},
    };
    for (const auto& [name, tip] : tips)
        EXPECT_EQ(find<QPushButton>(w, name)->toolTip(), QString::fromUtf8(tip)) << name;
    EXPECT_EQ(find<QPushButton>(w, "Command4")->text(), "Elabora");
    EXPECT_EQ(find<QPushButton>(w, "Command8")->text(), "Stampa ");
    QStringList tabTexts;
    for (int i = 0; i < tabs()->count(); ++i)
        tabTexts << tabs()->tabText(i);
    EXPECT_EQ(tabTexts, QStringList({"Sistemi", "Sviluppo", "Spoglio", "Schedina"}));
    EXPECT_EQ(tabs()->currentIndex(), 0);
}

TEST_F(ElaboraTest, ListingViewIsReadOnlyAndFixedPitch)
{
    EXPECT_EQ(testo()->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_TRUE(testo()->uniformItemSizes());
    EXPECT_TRUE(QFontInfo(testo()->font()).fixedPitch());
}

} // namespace
