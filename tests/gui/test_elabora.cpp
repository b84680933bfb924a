#include "tests/gui/guitest.h"

#include "core/development/run.h"
#include "gui/common/developmentrunner.h"
#include "gui/common/loading.h"
#include "gui/common/runcontrol.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/systemwindow/ortogonalisuper.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QThread>

#include <new>

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
    void pressElabora(OrtogonaliSuper* win) { press(win, "Command4"); }
    // Every figure of "Sviluppo" with the tab shown and the listing's length.
    QStringList figures()
    {
        QStringList t;
        for (const char* n : {"Label7", "Label3", "Label13_0", "Label2", "Label14", "Label10", "Label15", "Label8",
                              "Label17", "Label11"})
            t << text(w, n);
        t << QString::number(tabs()->currentIndex()) << QString::number(lines());
        return t;
    }
    OrtogonaliSuper* w = nullptr;
};

TEST_F(ElaboraTest, RefusalsChangeNothing)
{
    const QStringList before = figures();
    elaboraAndWait(w);
    clickNumbers(w, 1, 9);
    elaboraAndWait(w);
    clickNumbers(w, 10, 12);
    chooseItem(find<QComboBox>(w, "Combo2"), "20");
    elaboraAndWait(w);
    EXPECT_EQ(messages().texts(), QStringList({QString::fromUtf8(sestara::kMsgAlmeno10),
                                               QString::fromUtf8(sestara::kMsgAlmeno10),
                                               QString::fromUtf8(sestara::kMsgQuantitaNonConforme)}));
    for (const auto& m : messages().shown) {
        EXPECT_EQ(m.title, "Sestara");
        EXPECT_EQ(m.icon, sestara::MessageIcon::Exclamation);
    }
    EXPECT_EQ(figures(), before);
    EXPECT_TRUE(tabs()->isEnabled());
    EXPECT_EQ(loading(), nullptr);
    EXPECT_FALSE(main_->runControl()->busy());
}

TEST_F(ElaboraTest, TenNumbersDevelopTheFullSystem)
{
    clickNumbers(w, 1, 10);
    elaboraAndWait(w);
    EXPECT_TRUE(messages().shown.empty()) << messages().texts().join("|").toStdString();
    EXPECT_EQ(figures(), QStringList({"10 numeri sistema Integrale", "1 2 3 4 5 6 7 8 9 10 ", "210", "210",
                                      QStringLiteral("105,00   €"), QStringLiteral("105,00   €"),
                                      QStringLiteral("0,00   €"), QStringLiteral("0,00 %"), "42", "", "1", "210"}));
    EXPECT_EQ(line(0), "1\t>   1-2-3-4-5-6");
    EXPECT_EQ(line(209), "210\t>   5-6-7-8-9-10");
    EXPECT_TRUE(tabs()->isEnabled());
    EXPECT_FALSE(find<QLabel>(w, "Label19")->isVisibleTo(w));
    EXPECT_EQ(testo()->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_TRUE(QFontInfo(testo()->font()).fixedPitch());
    EXPECT_FALSE(main_->runControl()->busy());
    EXPECT_TRUE(waitUntil([&] { return loading() == nullptr; }, 5000));
    const sestara::DevelopedSystem* developed = w->document().developed();
    ASSERT_NE(developed, nullptr);
    EXPECT_EQ(developed->development->size(), 210u);
}

TEST_F(ElaboraTest, ARunShowsItsProgressAndCanBeInterrupted)
{
    clickNumbers(w, 1, 20);
    elaboraAndWait(w);
    ASSERT_EQ(lines(), 38760);
    EXPECT_EQ(text(w, "Label2"), QStringLiteral("38.760"));
    EXPECT_EQ(text(w, "Label14"), QStringLiteral("19.380,00   €"));
    testo()->scrollToBottom();
    tabs()->setCurrentIndex(0);
    clickNumbers(w, 21, 35);
    pressElabora(w);
    ASSERT_TRUE(w->isRunning());
    EXPECT_FALSE(tabs()->isEnabled());
    EXPECT_EQ(text(w, "Label11"), "Attendere...");
    EXPECT_TRUE(find<QLabel>(w, "Label19")->isVisibleTo(w));
    EXPECT_EQ(lines(), 0);
    Loading* l = loading();
    ASSERT_NE(l, nullptr);
    EXPECT_TRUE(l->isVisible());
    EXPECT_EQ(find<QProgressBar>(l, "ProgressBar1")->maximum(), 1623160);
    EXPECT_TRUE(l->windowFlags() & Qt::WindowStaysOnTopHint);
    press(l, "Command27");
    waitForRun(w);
    EXPECT_EQ(figures(), QStringList({"Elaborazione Interrotta", "", "0", "0", "0", "0", "0", "0", "", "", "1", "0"}));
    EXPECT_EQ(w->document().developed(), nullptr);
    EXPECT_TRUE(w->document().interrupted());
    EXPECT_TRUE(tabs()->isEnabled());
    EXPECT_EQ(loading(), nullptr);
    EXPECT_FALSE(main_->runControl()->busy());
    EXPECT_TRUE(messages().shown.empty());

    // Closing the progress window, or Esc in it, interrupts too.
    for (bool escape : {false, true}) {
        tabs()->setCurrentIndex(0);
        pressElabora(w);
        ASSERT_NE(loading(), nullptr);
        if (escape)
            QTest::keyClick(loading(), Qt::Key_Escape);
        else
            loading()->close();
        waitForRun(w);
        EXPECT_EQ(text(w, "Label7"), "Elaborazione Interrotta") << escape;
    }

    // The window develops again, and the new listing opens at its first line.
    tabs()->setCurrentIndex(0);
    clickNumbers(w, 13, 35);
    elaboraAndWait(w);
    EXPECT_EQ(lines(), 924);
    EXPECT_EQ(text(w, "Label7"), "12 numeri sistema Integrale");
    EXPECT_EQ(testo()->verticalScrollBar()->value(), 0);
    EXPECT_EQ(testo()->indexAt(QPoint(2, 2)).row(), 0);
}

TEST_F(ElaboraTest, AnInterruptAfterTheWorkersLastCheckStillCounts)
{
    clickNumbers(w, 1, 10);
    pressElabora(w);
    ASSERT_NE(loading(), nullptr);
    // The 210 columns are done long before this; their end is still waiting in the event queue.
    QThread::msleep(300);
    find<QPushButton>(loading(), "Command27")->click();
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
    ASSERT_EQ(messages().texts(), QStringList({QString::fromUtf8(sestara::kMsgAltraElaborazione)}));
    EXPECT_FALSE(other->isRunning());
    EXPECT_TRUE(find<QTabWidget>(other, "SSTab1")->isEnabled());
    ASSERT_TRUE(waitUntil([&] { return !w->isRunning(); }));
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
    qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
    settle();
    EXPECT_TRUE(guard.isNull());
    EXPECT_FALSE(main_->runControl()->busy());
    EXPECT_TRUE(waitUntil([&] { return loading() == nullptr; }, 5000));
    EXPECT_TRUE(main_->finestraLibera(1));
    EXPECT_TRUE(messages().shown.empty());
}

// Records whether the run had been told to stop when its window got the close request.
class CloseWitness : public QObject {
public:
    CloseWitness(sestara::RunControl* control)
        : control_(control)
    {
    }
    bool interruptedFirst = false;
    bool closed = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close && !closed) {
            closed = true;
            interruptedFirst = control_->interruptRequested();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    sestara::RunControl* control_;
};

TEST_F(ElaboraTest, EsciStopsTheRunBeforeClosingItsWindow)
{
    clickNumbers(w, 1, 35);
    pressElabora(w);
    ASSERT_TRUE(w->isRunning());
    CloseWitness witness(main_->runControl());
    w->parentWidget()->installEventFilter(&witness);
    main_->findChild<QAction*>("mnuFile")->trigger(); // "Esci"
    settle();
    EXPECT_TRUE(witness.closed);
    EXPECT_TRUE(witness.interruptedFirst);
    EXPECT_FALSE(main_->isVisible());
    EXPECT_FALSE(main_->runControl()->busy());
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

TEST_F(ElaboraTest, WindowsFitTheMainWindowAndEachTabsChiudiClosesItsWindow)
{
    QStringList tabTexts;
    for (int i = 0; i < tabs()->count(); ++i)
        tabTexts << tabs()->tabText(i);
    EXPECT_EQ(tabTexts, QStringList({"Sistemi", "Sviluppo", "Spoglio", "Schedina"}));
    EXPECT_EQ(tabs()->currentIndex(), 0);
    main_->resize(1280, 800);
    settle();
    const QList<OrtogonaliSuper*> windows{w, newSystem(), newSystem(), newSystem()};
    auto* area = find<QMdiArea>(main_, "MDIArea");
    const QRect view = area->viewport()->rect();
    // A window follows the size of its frame.
    auto* frame = qobject_cast<QMdiSubWindow*>(windows[3]->parentWidget());
    ASSERT_NE(frame, nullptr);
    const QSize before = frame->size();
    frame->resize(900, 700);
    settle();
    const int wide = find<QWidget>(windows[3], "SSTab1")->width();
    frame->resize(1000, 760);
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
}

// The runner on its own: a failing task and a task that does not stop.
class RunnerTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        host = new QWidget(main_);
    }
    QWidget* host = nullptr;
};

TEST_F(RunnerTest, AFailingTaskEndsInterruptedWithItsReason)
{
    sestara::DevelopmentRunner runner(main_->runControl(), host);
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
    EXPECT_EQ(messages().shown[0].icon, sestara::MessageIcon::Critical);
    EXPECT_FALSE(main_->runControl()->busy());
    EXPECT_TRUE(waitUntil([&] { return loading() == nullptr; }, 5000));
}

TEST_F(RunnerTest, StoppingDoesNotWaitForATaskThatWillNotStop)
{
    auto release = std::make_shared<std::atomic<bool>>(false);
    auto done = std::make_shared<std::atomic<bool>>(false);
    {
        sestara::DevelopmentRunner runner(main_->runControl(), host);
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
