#include "tests/gui/guitest.h"

#include "gui/common/loading.h"
#include "gui/common/runcontrol.h"
#include "gui/conditions/filtroconsecutivi2.h"
#include "gui/conditions/filtrogruppi.h"
#include "gui/conditions/filtroparidispari2.h"
#include "gui/conditions/filtropresenzesuper.h"
#include "gui/conditions/filtrosomma.h"
#include "gui/mainwindow/about.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/mainwindow/singleinstance.h"
#include "gui/mainwindow/startup.h"
#include "gui/systemwindow/ortogonalisuper.h"

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTemporaryDir>
#include <QToolBar>

#include <vector>

using namespace guitest;
using sestara::OrtogonaliSuper;

namespace {

class ShellTest : public GuiTest {
protected:
    // The about box has no parent: it is found among the top-level windows.
    static sestara::About* aboutBox()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* a = qobject_cast<sestara::About*>(w); a && a->isVisible())
                return a;
        return nullptr;
    }
    QAction* action(const QString& name) { return find<QAction>(main_, name); }
    QAction* toolButton(const QString& key)
    {
        for (QAction* a : find<QToolBar>(main_, "Toolbar1")->actions())
            if (a->data().toString() == key)
                return a;
        ADD_FAILURE() << "no tool button " << key.toStdString();
        return nullptr;
    }
    QStringList subWindowTitles()
    {
        QStringList titles;
        for (QMdiSubWindow* s : find<QMdiArea>(main_, "MDIArea")->subWindowList())
            titles << s->windowTitle();
        titles.sort();
        return titles;
    }
    // The full system of 35 numbers: it runs until the events that report its end are processed.
    OrtogonaliSuper* startLongRun()
    {
        OrtogonaliSuper* w = newSystem();
        clickNumbers(w, 1, 35);
        press(w, "Command4");
        EXPECT_TRUE(w->isRunning());
        return w;
    }
};

TEST_F(ShellTest, BarraStrumentiTogglesTheToolBarWithItsCheckMark)
{
    auto* bar = find<QToolBar>(main_, "Toolbar1");
    QAction* item = action("mnuStrumenti");
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(item->isChecked());
    item->trigger();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(item->isChecked());
}

TEST_F(ShellTest, WindowsAreNumberedLowestFreeFirstAndKeepTheirDialogs)
{
    EXPECT_TRUE(subWindowTitles().isEmpty());
    toolButton("new")->trigger();
    action("mnuNew")->trigger();
    toolButton("new")->trigger();
    settle();
    EXPECT_EQ(subWindowTitles(), QStringList({"Sistema 1", "Sistema 2", "Sistema 3"}));
    const auto dialogsOf = [&](int i) {
        return std::vector<QWidget*>{main_->finestraSomma(i), main_->finestraGruppi(i), main_->finestraConsecutivi(i),
                                     main_->finestraPariDispari(i), main_->finestraPresenze(i)};
    };
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(main_->finestraSistema(i)->property("tag").toString(), QString::number(i));
        for (QWidget* dialog : dialogsOf(i)) {
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->property("tag").toString(), QString::number(i));
            EXPECT_FALSE(dialog->isVisible());
        }
    }
    const std::vector<QWidget*> dialogs2 = dialogsOf(2);
    EXPECT_NE(dialogs2, dialogsOf(1));

    press(main_->finestraSistema(2), "Command13_0");
    settle();
    EXPECT_EQ(subWindowTitles(), QStringList({"Sistema 1", "Sistema 3"}));
    EXPECT_TRUE(main_->finestraLibera(2));

    OrtogonaliSuper* again = newSystem();
    EXPECT_EQ(again->index(), 2);
    EXPECT_EQ(again->windowTitle(), "Sistema 2");
    EXPECT_FALSE(main_->finestraLibera(2));
    EXPECT_EQ(dialogsOf(2), dialogs2);
    // A window that comes back under an old index starts afresh.
    EXPECT_EQ(text(again, "Label1"), "");

    EXPECT_EQ(newSystem()->index(), 4);
    EXPECT_EQ(main_->registryUpperBound(), 4);
}

TEST_F(ShellTest, CloseAllDuringARunEndsItAndClosesEveryOtherWindow)
{
    newSystem();
    QPointer<OrtogonaliSuper> running(startLongRun());
    ASSERT_NE(loading(), nullptr);
    toolButton("window")->trigger();
    settle();
    EXPECT_TRUE(running.isNull());
    EXPECT_FALSE(main_->runControl()->busy());
    EXPECT_TRUE(waitUntil([&] { return loading() == nullptr; }, 5000));
    EXPECT_TRUE(subWindowTitles().isEmpty());
    EXPECT_TRUE(main_->finestraLibera(1));
    EXPECT_TRUE(main_->finestraLibera(2));
    EXPECT_TRUE(messages().shown.empty());
    EXPECT_TRUE(main_->isVisible());
    // The program goes on: numbering starts again from 1 and the run slot is free.
    OrtogonaliSuper* next = newSystem();
    EXPECT_EQ(next->index(), 1);
    clickNumbers(next, 1, 10);
    elaboraAndWait(next);
    EXPECT_EQ(text(next, "Label2"), "210");
}

TEST_F(ShellTest, AboutBoxDisablesTheMainWindowWhileOpen)
{
    action("mnuInfo")->trigger();
    settle();
    sestara::About* about = aboutBox();
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(main_->isEnabled());
    EXPECT_EQ(sestara::About::titleText(), "Sestara Ver. 1.0");

    // "System Info..." says so when no tool is on the path, and starts the first one found.
    QTemporaryDir bin;
    const QString marker = bin.filePath("started");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());
    press(about, "cmdSysInfo");
    const std::vector<sestara::MessageRequest> withoutTool = messages().shown;
    QFile tool(bin.filePath(sestara::About::systemInfoTools().first()));
    EXPECT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.write(QStringLiteral("#!/bin/sh\n: > '%1'\n").arg(marker).toLocal8Bit());
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const bool started = about->startSysInfo();
    qputenv("PATH", path);
    ASSERT_EQ(withoutTool.size(), 1u);
    EXPECT_EQ(withoutTool[0].text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(withoutTool[0].icon, sestara::MessageIcon::None);
    EXPECT_TRUE(started);
    EXPECT_EQ(messages().shown.size(), 1u);
    EXPECT_TRUE(waitUntil([&] { return QFile::exists(marker); }, 10000));

    QPointer<sestara::About> guard(about);
    press(about, "Command1");
    settle();
    EXPECT_TRUE(guard.isNull());
    EXPECT_TRUE(main_->isEnabled());
}

TEST_F(ShellTest, ClosingTheProgressWindowEnablesTheMainWindow)
{
    OrtogonaliSuper* w = startLongRun();
    ASSERT_NE(loading(), nullptr);
    // The about box, opened during the run, disables the main window but not "Interrompi".
    action("mnuInfo")->trigger();
    ASSERT_FALSE(main_->isEnabled());
    press(loading(), "Command27");
    EXPECT_TRUE(main_->isEnabled());
    EXPECT_TRUE(waitUntil([&] { return !w->isRunning(); }, 10000));
    aboutBox()->close();
}

// The guard of the real program, kept in a private folder for running programs.
// The guard between two copies is tested with real processes on its own; here, the message the
// second copy shows.
TEST(SecondCopy, IsRefusedWithTheProgramsName)
{
    messages().clear();
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    {
        sestara::SingleInstanceGuard first;
        ASSERT_TRUE(sestara::checkSingleInstance(first));
        sestara::SingleInstanceGuard second;
        EXPECT_FALSE(sestara::checkSingleInstance(second));
        EXPECT_TRUE(first.held());
    }
    saved.isNull() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", saved);
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(messages().shown[0].text, QStringLiteral("Una copia di Sestara è già in funzione"));
    EXPECT_EQ(messages().shown[0].title, "Sestara");
    EXPECT_EQ(messages().shown[0].icon, sestara::MessageIcon::None);
    EXPECT_EQ(messages().shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    messages().clear();
}

} // namespace
