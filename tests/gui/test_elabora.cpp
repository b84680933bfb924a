#include "tests/gui/guitest.h"

#include "core/development/development.h"
#include "core/development/run.h"
#include "core/development/storedsystems.h"
#include "gui/common/developmentrunner.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QScrollBar>
#include <QThread>

#include <new>
#include <optional>

using namespace guitest;
using sestara::OrtogonaliSuper;

namespace {

// Records whether the run had been told to stop when its window got the close request.
struct CloseWitness : QObject {
    sestara::RunControl* control = nullptr;
    std::optional<bool> interruptedFirst;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close && !interruptedFirst)
            interruptedFirst = control->interruptRequested();
        return QObject::eventFilter(watched, event);
    }
};

class ElaboraTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        w = newSystem();
    }
    QTabWidget* tabs() { return find<QTabWidget>(w, "SSTab1"); }
    QListView* testo() { return find<QListView>(w, "Testo"); }
    QString line(int row) { return testo()->model()->index(row, 0).data().toString(); }
    // Every figure of "Sviluppo" with the tab shown and the listing's length.
    QStringList figures()
    {
        QStringList t;
        for (const char* n : {"Label7", "Label3", "Label13_0", "Label2", "Label14", "Label10", "Label15", "Label8",
                              "Label17", "Label11"})
            t << text(w, n);
        t << QString::number(tabs()->currentIndex()) << QString::number(listed(w));
        return t;
    }
    OrtogonaliSuper* w = nullptr;
};

TEST_F(ElaboraTest, RefusalsChangeNothingARunDevelopsAndAnotherIsInterrupted)
{
    const QStringList before = figures();
    elaboraAndWait(w);
    clickNumbers(w, 1, 9);
    elaboraAndWait(w);
    clickNumbers(w, 10, 12);
    chooseItem(find<QComboBox>(w, "Combo2"), "20");
    elaboraAndWait(w);
    const QString almeno10 = QString::fromUtf8(sestara::kMsgAlmeno10);
    EXPECT_EQ(messages().texts(),
              QStringList({almeno10, almeno10, QString::fromUtf8(sestara::kMsgQuantitaNonConforme)}));
    EXPECT_EQ(figures(), before);

    messages().clear();
    clickNumbers(w, 11, 12);
    elaboraAndWait(w);
    EXPECT_TRUE(messages().shown.empty()) << messages().texts().join("|").toStdString();
    EXPECT_EQ(figures(), QStringList({"10 numeri sistema Integrale", "1 2 3 4 5 6 7 8 9 10 ", "210", "210",
                                      QStringLiteral("210,00   €"), QStringLiteral("210,00   €"),
                                      QStringLiteral("0,00   €"), QStringLiteral("0,00 %"), "42", "", "1", "210"}));
    EXPECT_EQ(line(0), "1\t>   1-2-3-4-5-6");
    EXPECT_EQ(line(209), "210\t>   5-6-7-8-9-10");
    EXPECT_FALSE(find<QLabel>(w, "Label19")->isVisibleTo(w));
    EXPECT_EQ(testo()->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_TRUE(QFontInfo(testo()->font()).fixedPitch());

    develop(w, 11, 20);
    ASSERT_EQ(listed(w), 38760);
    EXPECT_EQ(text(w, "Label2"), QStringLiteral("38.760"));
    EXPECT_EQ(text(w, "Label17"), "7752") << "the slip count is the plain integer";
    testo()->scrollToBottom();
    tabs()->setCurrentIndex(0);
    clickNumbers(w, 21, 35);
    press(w, "Command4");
    ASSERT_TRUE(w->isRunning());
    EXPECT_FALSE(tabs()->isEnabled());
    EXPECT_TRUE(find<QLabel>(w, "Label19")->isVisibleTo(w));
    EXPECT_EQ(listed(w), 0);
    ASSERT_NE(loading(), nullptr);
    EXPECT_TRUE(loading()->isVisible());
    EXPECT_EQ(find<QProgressBar>(loading(), "ProgressBar1")->maximum(), 1623160);
    EXPECT_TRUE(loading()->windowFlags() & Qt::WindowStaysOnTopHint);
    press(loading(), "Command27");
    waitForRun(w);
    EXPECT_EQ(figures(), QStringList({"Elaborazione Interrotta", "", "0", "0", "0", "0", "0", "0", "", "", "1", "0"}));
    EXPECT_EQ(w->document().developed(), nullptr);
    EXPECT_TRUE(w->document().interrupted());
    EXPECT_TRUE(tabs()->isEnabled());
    EXPECT_EQ(loading(), nullptr);
    EXPECT_FALSE(main_->runControl()->busy());
    EXPECT_TRUE(messages().shown.empty());

    // The window develops again, and the new listing opens at its first line.
    develop(w, 13, 35);
    EXPECT_EQ(listed(w), 924);
    EXPECT_EQ(text(w, "Label7"), "12 numeri sistema Integrale");
    EXPECT_EQ(testo()->verticalScrollBar()->value(), 0);
    EXPECT_EQ(testo()->indexAt(QPoint(2, 2)).row(), 0);

    // Closing the progress window, Esc in it and "Interrompi" count even after the worker's last
    // check: the columns are done long before this, and their end is still waiting in the event queue.
    for (int way = 0; way < 3; ++way) {
        tabs()->setCurrentIndex(0);
        press(w, "Command4");
        ASSERT_NE(loading(), nullptr);
        QThread::msleep(300);
        if (way == 0)
            loading()->close();
        else if (way == 1)
            QTest::keyClick(loading(), Qt::Key_Escape);
        else
            press(loading(), "Command27");
        waitForRun(w);
        EXPECT_EQ(text(w, "Label7"), "Elaborazione Interrotta") << way;
        EXPECT_EQ(listed(w), 0) << way;
    }
}

// The conditions are set here as their dialogs store them; the window must develop with them and
// show them on "Sviluppo".
TEST_F(ElaboraTest, ConditionsInForceNarrowTheDevelopmentAndAreListedAsItWasMade)
{
    clickNumbers(w, 1, 10);
    auto* list4 = find<QListWidget>(w, "List4");
    const auto combo3 = [&](int k) { return find<QComboBox>(w, QStringLiteral("Combo3_%1").arg(k)); };
    sestara::ConditionSet& c = w->document().conditions();
    c.salvaSomma(true, 25, 30, 21, 45);
    elaboraAndWait(w);
    EXPECT_EQ(listed(w), 57); // the columns of 1..10 that add up to 25..30
    EXPECT_EQ(items(combo3(2)), QStringList({"25 - 30"}));
    EXPECT_TRUE(combo3(2)->isVisibleTo(w));
    EXPECT_EQ(text(w, "Label10"), QStringLiteral("57,00   €"));
    EXPECT_EQ(text(w, "Label15"), QStringLiteral("153,00   €"));

    // Bounds no column reaches give an empty development, not an error.
    c.salvaSomma(true, 200, 300, 21, 45);
    tabs()->setCurrentIndex(0);
    elaboraAndWait(w);
    EXPECT_TRUE(messages().shown.empty());
    EXPECT_EQ(listed(w), 0);
    EXPECT_EQ(text(w, "Label2"), "0");
    EXPECT_EQ(text(w, "Label15"), QStringLiteral("210,00   €"));
    EXPECT_EQ(text(w, "Label8"), QStringLiteral("100,00 %"));
    // Nor anything to save: "Salva" refuses before asking for a file.
    press(w, "Command14");
    EXPECT_EQ(messages().texts(), QStringList({"Elaborare Sistema"}));
    EXPECT_TRUE(fileDialogs().folders.empty());
    messages().clear();

    tabs()->setCurrentIndex(0);
    press(w, "Command1"); // "Annulla Condizioni"
    c.salvaPresenze({3}, true);
    c.salvaPariDispari({2, 3}, true);
    c.salvaConsecutivi({1, 2, 3, 4, 5}, true);
    c.salvaGruppi({{"-1-2-3", 1, 2}, {"-8-9-10", 0, 3}}, true);
    elaboraAndWait(w);
    EXPECT_EQ(items(combo3(0)), QStringList({"3"}));
    EXPECT_EQ(items(combo3(1)), QStringList({"2 - 4", "3 - 3"}));
    EXPECT_EQ(items(combo3(3)), QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_FALSE(combo3(2)->isVisibleTo(w));
    ASSERT_TRUE(list4->isVisibleTo(w));
    ASSERT_EQ(list4->count(), 2);
    EXPECT_EQ(list4->item(1)->text(), "Gr_2  Punti: 0 - 3");
    for (int row = 0; row < listed(w); ++row)
        EXPECT_TRUE(line(row).section(">   ", 1).split('-').contains("3")) << line(row).toStdString();

    // Editing the groups afterwards does not change what the development was made with.
    c.gruppi[0].numeri = "-4-5-6";
    clickEntry(list4, "Gr_1  Punti: 1 - 2");
    ASSERT_EQ(messages().texts(), QStringList({"Gr_1  Punti: 1 - 2 -----> -1-2-3"}));

    // "Annulla Condizioni" then "Elabora" develops the whole system and lists nothing.
    tabs()->setCurrentIndex(0);
    press(w, "Command1");
    elaboraAndWait(w);
    EXPECT_EQ(listed(w), 210);
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(combo3(k)->isVisibleTo(w)) << k;
    EXPECT_FALSE(list4->isVisibleTo(w));
}

// The first and last listing lines of a stored system are the shipped columns, whose positions
// 1..n stand for the prediction's numbers from its first one.
TEST_F(ElaboraTest, StoredSystemsDevelopAsTheShippedDataHoldsThem)
{
    const std::string immediate = "22 numeri in 77 sestine a garanzia tre con 3 estratti";
    struct Case {
        int first, last;
        std::string entry;
        sestara::StoredSystem stored;
    };
    const Case cases[] = {
        {21, 56, "36 numeri ridotto n-1", sestara::loadReducedSystem(SESTARA_PROGRAM_DIR, 36, 1)},
        {1, 22, immediate, sestara::loadImmediateSystem(SESTARA_PROGRAM_DIR, immediate, 22)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        ASSERT_TRUE(c.stored.ok()) << c.stored.error;
        w = newSystem();
        clickNumbers(w, c.first, c.last);
        chooseItem(find<QComboBox>(w, "Combo1"), QString::fromStdString(c.entry));
        elaboraAndWait(w);
        ASSERT_TRUE(messages().shown.empty()) << messages().texts().join(" | ").toStdString();
        ASSERT_EQ(listed(w), static_cast<int>(c.stored.columns.size()));
        for (std::size_t k : {std::size_t{0}, c.stored.columns.size() - 1}) {
            sestara::Column column;
            for (std::size_t i = 0; i < 6; ++i)
                column[i] = static_cast<std::uint8_t>(c.stored.columns[k][i] + c.first - 1);
            EXPECT_EQ(line(static_cast<int>(k)), QString::fromStdString(sestara::listingLine(k + 1, column)));
        }
    }
}

TEST_F(ElaboraTest, OnlyOneRunInTheWholeProgramAndClosingItsWindowOrEsciEndsIt)
{
    OrtogonaliSuper* other = newSystem();
    clickNumbers(other, 1, 10);
    startLongRun(w);
    press(other, "Command4");
    ASSERT_EQ(messages().texts(), QStringList({QString::fromUtf8(sestara::kMsgAltraElaborazione)}));
    EXPECT_FALSE(other->isRunning());
    EXPECT_TRUE(find<QTabWidget>(other, "SSTab1")->isEnabled());

    // The tabs (and their "Chiudi") are disabled: the user closes the window by its frame.
    QPointer<OrtogonaliSuper> guard(w);
    qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
    settle();
    EXPECT_TRUE(guard.isNull());
    EXPECT_FALSE(main_->runControl()->busy());
    EXPECT_TRUE(waitUntil([&] { return loading() == nullptr; }, 5000));
    EXPECT_TRUE(main_->finestraLibera(1));
    EXPECT_EQ(messages().shown.size(), 1u);
    elaboraAndWait(other);
    EXPECT_EQ(listed(other), 210);

    // "Esci" stops the run before it closes the run's window.
    OrtogonaliSuper* last = startLongRun();
    CloseWitness witness;
    witness.control = main_->runControl();
    last->parentWidget()->installEventFilter(&witness);
    main_->findChild<QAction*>("mnuFile")->trigger(); // "Esci"
    settle();
    ASSERT_TRUE(witness.interruptedFirst.has_value());
    EXPECT_TRUE(*witness.interruptedFirst);
    EXPECT_FALSE(main_->isVisible());
    EXPECT_FALSE(main_->runControl()->busy());
}

TEST_F(ElaboraTest, WindowsFitTheMainWindowAndEachTabsChiudiClosesItsWindow)
{
    main_->resize(1280, 800);
    settle();
    const QList<OrtogonaliSuper*> windows{w, newSystem(), newSystem(), newSystem()};
    auto* area = find<QMdiArea>(main_, "MDIArea");
    const QRect view = area->viewport()->rect();
    // A window follows the size of its frame.
    auto* frame = qobject_cast<QMdiSubWindow*>(windows[3]->parentWidget());
    ASSERT_NE(frame, nullptr);
    const QSize before = frame->size();
    const int wide = find<QWidget>(windows[3], "SSTab1")->width();
    frame->resize(before + QSize(100, 60));
    settle();
    EXPECT_EQ(find<QWidget>(windows[3], "SSTab1")->width(), wide + 100);
    frame->resize(before);
    settle();
    for (int k = 0; k < 4; ++k) {
        OrtogonaliSuper* win = windows[k];
        EXPECT_TRUE(view.contains(win->parentWidget()->geometry())) << k;
        for (int t = 0; t < 2; ++t) {
            find<QTabWidget>(win, "SSTab1")->setCurrentIndex(t);
            auto* chiudi = find<QPushButton>(win, QStringLiteral("Command13_%1").arg(t));
            EXPECT_TRUE(view.contains(QRect(chiudi->mapTo(area->viewport(), QPoint(0, 0)), chiudi->size())))
                << win->windowTitle().toStdString() << " Command13_" << t;
        }
        find<QTabWidget>(win, "SSTab1")->setCurrentIndex(k);
        press(win, QStringLiteral("Command13_%1").arg(k));
        settle();
        EXPECT_TRUE(main_->finestraLibera(k + 1)) << "Command13_" << k;
    }

    // The main window destroyed during a run takes the progress window with it.
    startLongRun();
    delete main_;
    main_ = nullptr;
    settle();
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<sestara::Loading*>(top), nullptr);
}

using RunnerTest = GuiTest;

TEST_F(RunnerTest, AFailingTaskEndsInterruptedWithItsReason)
{
    sestara::DevelopmentRunner runner(main_->runControl(), new QWidget(main_));
    bool completed = true;
    int ends = 0;
    QObject::connect(&runner, &sestara::DevelopmentRunner::finished, [&](bool c) {
        completed = c;
        ++ends;
        // The window shows its state before the message is shown.
        EXPECT_TRUE(messages().shown.empty());
    });
    ASSERT_TRUE(runner.begin());
    runner.start(10, [](const std::atomic<bool>&, sestara::RunCounters&) { throw std::bad_alloc(); });
    ASSERT_TRUE(waitUntil([&] { return ends == 1; }, 10000));
    EXPECT_FALSE(completed);
    ASSERT_EQ(messages().texts(), QStringList({QString::fromUtf8(sestara::kMsgMemoriaInsufficiente)}));
    EXPECT_FALSE(main_->runControl()->busy());
    EXPECT_TRUE(waitUntil([&] { return loading() == nullptr; }, 5000));
}

TEST_F(RunnerTest, StoppingDoesNotWaitForATaskThatWillNotStop)
{
    auto release = std::make_shared<std::atomic<bool>>(false);
    auto done = std::make_shared<std::atomic<bool>>(false);
    {
        sestara::DevelopmentRunner runner(main_->runControl(), new QWidget(main_));
        int ends = 0;
        QObject::connect(&runner, &sestara::DevelopmentRunner::finished, [&](bool) { ++ends; });
        ASSERT_TRUE(runner.begin());
        runner.start(1, [release, done](const std::atomic<bool>&, sestara::RunCounters&) {
            while (!release->load())
                QThread::msleep(5);
            done->store(true);
        });
        runner.stop();
        EXPECT_FALSE(done->load());
        EXPECT_FALSE(runner.isRunning());
        EXPECT_FALSE(main_->runControl()->busy());
        settle();
        EXPECT_EQ(ends, 0);
    }
    release->store(true);
    EXPECT_TRUE(waitUntil([&] { return done->load(); }, 10000));
    settle();
}

} // namespace
