#include "guitest.h"

#include "conditions/filtroconsecutivi2.h"
#include "conditions/filtrogruppi.h"
#include "conditions/filtroparidispari2.h"
#include "conditions/filtropresenzesuper.h"
#include "conditions/filtrosomma.h"
#include "development/ortogonalisuper.h"
#include "shell/about.h"
#include "shell/appinfo.h"
#include "shell/loading.h"
#include "shell/mdiform1.h"
#include "shell/runcontrol.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace guitest;
using sestara::MDIForm1;
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
    QAction* toolButton(const QString& key)
    {
        auto* bar = find<QToolBar>(main_, "Toolbar1");
        for (QAction* a : bar->actions())
            if (a->data().toString() == key)
                return a;
        ADD_FAILURE() << "no tool button " << key.toStdString();
        return nullptr;
    }
    void closeWindow(OrtogonaliSuper* w)
    {
        QTest::mouseClick(find<QPushButton>(w, "Command13_0"), Qt::LeftButton);
        settle();
    }
    QStringList subWindowTitles()
    {
        QStringList t;
        for (QMdiSubWindow* s : find<QMdiArea>(main_, "MDIArea")->subWindowList())
            t << s->windowTitle();
        t.sort();
        return t;
    }
};

TEST_F(ShellTest, MainWindowCaptionMenusAndToolBar)
{
    EXPECT_EQ(main_->windowTitle(), QStringLiteral(" Sestara  Versione 1.0  ") + sestara::appinfo::publisherName());
    QStringList menus;
    for (QAction* a : main_->menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, QStringList({"Esci", "Nuovo Sistema", "Archivio Sistemi", "Opzioni", "About Sestara..."}));
    auto* opzioni = find<QMenu>(main_, "mnuImpostazioni");
    QStringList items;
    for (QAction* a : opzioni->actions())
        items << a->text();
    EXPECT_EQ(items, QStringList({"Imposta Schedina", "Barra Strumenti"}));

    QStringList keys, tips;
    for (QAction* a : find<QToolBar>(main_, "Toolbar1")->actions()) {
        keys << a->data().toString();
        tips << a->toolTip();
    }
    EXPECT_EQ(keys, QStringList({"esci", "new", "archivio", "opzioni", "window"}));
    EXPECT_EQ(tips, QStringList({"Chiudi Sestara", "Nuovo Sistema", "Archivio Sistemi", "Impostazioni Schedina",
                                 "Chiudi tutte le finestre"}));
    EXPECT_NE(main_->findChild<QStatusBar*>("StatusBar1"), nullptr);
    // No system window until the user asks for one.
    EXPECT_TRUE(subWindowTitles().isEmpty());
    EXPECT_EQ(main_->registryUpperBound(), 0);
}

TEST_F(ShellTest, BarraStrumentiTogglesWithItsCheckMark)
{
    auto* bar = find<QToolBar>(main_, "Toolbar1");
    QAction* item = main_->findChild<QAction*>("mnuStrumenti");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(item->isChecked());
    item->trigger();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(item->isChecked());
}

TEST_F(ShellTest, WindowsAreNumberedLowestFreeFirst)
{
    toolButton("new")->trigger();
    main_->findChild<QAction*>("mnuNew")->trigger();
    toolButton("new")->trigger();
    settle();
    EXPECT_EQ(subWindowTitles(), QStringList({"Sistema 1", "Sistema 2", "Sistema 3"}));
    ASSERT_NE(main_->finestraSistema(2), nullptr);
    EXPECT_EQ(main_->finestraSistema(2)->property("tag").toString(), "2");
    EXPECT_EQ(main_->finestraSistema(2)->index(), 2);

    sestara::FiltroSomma* somma2 = main_->finestraSomma(2);
    ASSERT_NE(somma2, nullptr);
    closeWindow(main_->finestraSistema(2));
    EXPECT_EQ(subWindowTitles(), QStringList({"Sistema 1", "Sistema 3"}));
    EXPECT_TRUE(main_->finestraLibera(2));
    EXPECT_EQ(main_->finestraSistema(2), nullptr);

    OrtogonaliSuper* again = newSystem();
    EXPECT_EQ(again->index(), 2);
    EXPECT_EQ(again->windowTitle(), "Sistema 2");
    EXPECT_FALSE(main_->finestraLibera(2));
    // The dialogs of index 2 were kept and are reused.
    EXPECT_EQ(main_->finestraSomma(2), somma2);
    // A window that comes back under an old index starts afresh.
    EXPECT_EQ(text(again, "Label1"), "");

    OrtogonaliSuper* fourth = newSystem();
    EXPECT_EQ(fourth->index(), 4);
    EXPECT_EQ(subWindowTitles(), QStringList({"Sistema 1", "Sistema 2", "Sistema 3", "Sistema 4"}));
    EXPECT_EQ(main_->registryUpperBound(), 4);
}

TEST_F(ShellTest, EachWindowHasItsFiveTaggedConditionDialogs)
{
    newSystem();
    newSystem();
    for (int i = 1; i <= 2; ++i) {
        const QString tag = QString::number(i);
        ASSERT_NE(main_->finestraSomma(i), nullptr);
        ASSERT_NE(main_->finestraGruppi(i), nullptr);
        ASSERT_NE(main_->finestraConsecutivi(i), nullptr);
        ASSERT_NE(main_->finestraPariDispari(i), nullptr);
        ASSERT_NE(main_->finestraPresenze(i), nullptr);
        EXPECT_EQ(main_->finestraSomma(i)->objectName(), "FiltroSomma");
        EXPECT_EQ(main_->finestraGruppi(i)->objectName(), "FiltroGruppi");
        EXPECT_EQ(main_->finestraConsecutivi(i)->objectName(), "FiltroConsecutivi2");
        EXPECT_EQ(main_->finestraPariDispari(i)->objectName(), "FiltroPariDispari2");
        EXPECT_EQ(main_->finestraPresenze(i)->objectName(), "FiltroPresenzeSuper");
        EXPECT_EQ(main_->finestraSomma(i)->windowIndex(), i);
        EXPECT_EQ(main_->finestraGruppi(i)->property("tag").toString(), tag);
        EXPECT_EQ(main_->finestraConsecutivi(i)->windowIndex(), i);
        EXPECT_EQ(main_->finestraPariDispari(i)->windowIndex(), i);
        EXPECT_EQ(main_->finestraPresenze(i)->windowIndex(), i);
        EXPECT_FALSE(main_->finestraSomma(i)->isVisible());
    }
    EXPECT_NE(main_->finestraSomma(1), main_->finestraSomma(2));
}

TEST_F(ShellTest, CloseAllClosesEveryWindowButTheMainOne)
{
    OrtogonaliSuper* w1 = newSystem();
    newSystem();
    main_->showAbout();
    settle();
    ASSERT_NE(aboutBox(), nullptr);
    // The about box keeps the main window disabled; close-all still reaches it from code.
    main_->setEnabled(true);
    toolButton("window")->trigger();
    settle();
    EXPECT_EQ(main_->finestraSistema(1), nullptr);
    (void)w1;
    EXPECT_TRUE(subWindowTitles().isEmpty());
    EXPECT_TRUE(main_->finestraLibera(1));
    EXPECT_TRUE(main_->finestraLibera(2));
    EXPECT_EQ(aboutBox(), nullptr);
    EXPECT_TRUE(main_->isVisible());
    // Numbering starts again from 1.
    EXPECT_EQ(newSystem()->index(), 1);
}

TEST_F(ShellTest, CloseAllDuringARunInterruptsAndCloses)
{
    OrtogonaliSuper* w = newSystem();
    clickNumbers(w, 1, 35);
    QTest::mouseClick(find<QPushButton>(w, "Command4"), Qt::LeftButton);
    ASSERT_TRUE(w->isRunning());
    ASSERT_TRUE(main_->runControl()->busy());
    ASSERT_NE(main_->findChild<sestara::Loading*>("Loading"), nullptr);
    QPointer<OrtogonaliSuper> guard(w);
    toolButton("window")->trigger();
    settle();
    EXPECT_TRUE(guard.isNull());
    EXPECT_FALSE(main_->runControl()->busy());
    EXPECT_TRUE(waitUntil([&] { return main_->findChild<sestara::Loading*>("Loading") == nullptr; }, 5000));
    EXPECT_TRUE(subWindowTitles().isEmpty());
    EXPECT_TRUE(messages().shown.empty());
    // The program goes on: a new window develops normally.
    OrtogonaliSuper* next = newSystem();
    clickNumbers(next, 1, 10);
    elaboraAndWait(next);
    EXPECT_EQ(text(next, "Label2"), "210");
}

TEST_F(ShellTest, EsciClosesTheMainWindowAndAnyRun)
{
    OrtogonaliSuper* w = newSystem();
    clickNumbers(w, 1, 35);
    QTest::mouseClick(find<QPushButton>(w, "Command4"), Qt::LeftButton);
    ASSERT_TRUE(w->isRunning());
    main_->findChild<QAction*>("mnuFile")->trigger();
    settle();
    EXPECT_FALSE(main_->isVisible());
    EXPECT_FALSE(main_->runControl()->busy());
}

TEST_F(ShellTest, AboutBoxDisablesTheMainWindowWhileOpen)
{
    main_->findChild<QAction*>("mnuInfo")->trigger();
    settle();
    sestara::About* about = aboutBox();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About  Sestara  Versione 1.0  ") + sestara::appinfo::publisherName());
    EXPECT_FALSE(main_->isEnabled());
    EXPECT_EQ(sestara::About::titleText(), sestara::appinfo::executableName() + " Ver. 1.0");
    EXPECT_EQ(find<QPushButton>(about, "cmdSysInfo")->text(), "&System Info...");
    EXPECT_FALSE(find<QLabel>(about, "Label4")->text().isEmpty());

    // With no system-information tool on the path the box says so.
    const QByteArray path = qgetenv("PATH");
    QTemporaryDir emptyBin;
    qputenv("PATH", emptyBin.path().toLocal8Bit());
    QTest::mouseClick(find<QPushButton>(about, "cmdSysInfo"), Qt::LeftButton);
    qputenv("PATH", path);
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(messages().shown[0].text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(messages().shown[0].icon, sestara::MessageIcon::None);
    EXPECT_EQ(messages().shown[0].title, "Sestara");

    QPointer<sestara::About> guard(about);
    QTest::mouseClick(find<QPushButton>(about, "Command1"), Qt::LeftButton);
    settle();
    EXPECT_TRUE(guard.isNull());
    EXPECT_TRUE(main_->isEnabled());
}

TEST_F(ShellTest, SystemInfoStartsTheToolWhenInstalled)
{
    QTemporaryDir bin;
    const QString marker = bin.filePath("started");
    QFile tool(bin.filePath(sestara::About::systemInfoTools().first()));
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.write(QStringLiteral("#!/bin/sh\n: > '%1'\n").arg(marker).toLocal8Bit());
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    main_->showAbout();
    sestara::About* about = aboutBox();
    ASSERT_NE(about, nullptr);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());
    EXPECT_TRUE(about->startSysInfo());
    qputenv("PATH", path);
    EXPECT_TRUE(messages().shown.empty());
    EXPECT_TRUE(waitUntil([&] { return QFile::exists(marker); }, 10000));
    about->close();
}

TEST_F(ShellTest, WindowFollowsItsFrameSize)
{
    OrtogonaliSuper* w = newSystem();
    auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    ASSERT_NE(frame, nullptr);
    frame->resize(900, 700);
    settle();
    const int wide = find<QWidget>(w, "SSTab1")->width();
    frame->resize(1000, 760);
    settle();
    EXPECT_EQ(find<QWidget>(w, "SSTab1")->width(), wide + 100);
}

} // namespace
