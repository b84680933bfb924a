#include "tests/gui/guitest.h"

#include "gui/common/icons.h"
#include "gui/conditions/filtroconsecutivi2.h"
#include "gui/conditions/filtrogruppi.h"
#include "gui/conditions/filtroparidispari2.h"
#include "gui/conditions/filtropresenzesuper.h"
#include "gui/conditions/filtrosomma.h"
#include "gui/mainwindow/about.h"
#include "gui/mainwindow/filehandoff.h"
#include "gui/mainwindow/singleinstance.h"
#include "gui/mainwindow/startup.h"

#include <QFile>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolBar>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <memory>

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
    // A menu entry, or a tool button by its key.
    QAction* action(const QString& name) { return find<QAction>(main_, name); }
    QStringList subWindowTitles()
    {
        QStringList titles;
        for (QMdiSubWindow* s : find<QMdiArea>(main_, "MDIArea")->subWindowList())
            titles << s->windowTitle();
        titles.sort();
        return titles;
    }
};

TEST_F(ShellTest, BarraStrumentiTogglesTheToolBarWithItsCheckMark)
{
    auto* bar = find<QToolBar>(main_, "Toolbar1");
    QAction* item = action("mnuStrumenti");
    for (bool shown : {true, false, true}) {
        EXPECT_EQ(bar->isVisible(), shown);
        EXPECT_EQ(item->isChecked(), shown);
        item->trigger();
    }
}

TEST_F(ShellTest, WindowsAreNumberedLowestFreeFirstAndCloseAllEndsTheirRun)
{
    action("new")->trigger();
    action("mnuNew")->trigger();
    action("new")->trigger();
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
    EXPECT_FALSE(main_->finestraLibera(2));
    EXPECT_EQ(dialogsOf(2), dialogs2);
    // A window that comes back under an old index starts afresh.
    EXPECT_EQ(text(again, "Label1"), "");
    EXPECT_EQ(newSystem()->index(), 4);
    EXPECT_EQ(main_->registryUpperBound(), 4);

    // "Chiudi tutte le finestre" during a run ends it and closes every window, freeing every number.
    QPointer<OrtogonaliSuper> running(startLongRun(again));
    ASSERT_NE(loading(), nullptr);
    action("window")->trigger();
    settle();
    EXPECT_TRUE(running.isNull());
    EXPECT_FALSE(main_->runControl()->busy());
    EXPECT_TRUE(waitUntil([&] { return loading() == nullptr; }, 5000));
    EXPECT_TRUE(subWindowTitles().isEmpty());
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(main_->finestraLibera(i)) << i;
    EXPECT_TRUE(messages().shown.empty());
    EXPECT_TRUE(main_->isVisible());
    EXPECT_EQ(newSystem()->index(), 1);
}

TEST_F(ShellTest, AboutBoxDisablesTheMainWindowWhileOpenButNotInterrompi)
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
    {
        const ScopedEnv path("PATH", bin.path());
        press(about, "cmdSysInfo");
        ASSERT_EQ(messages().texts(), QStringList{"System Information Is Unavailable At This Time"});
        const QString tool = bin.filePath(sestara::About::systemInfoTools().first());
        writeFile(tool, QStringLiteral("#!/bin/sh\n: > '%1'\n").arg(marker).toLocal8Bit());
        QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_TRUE(about->startSysInfo());
    }
    EXPECT_EQ(messages().shown.size(), 1u);
    EXPECT_TRUE(waitUntil([&] { return QFile::exists(marker); }, 10000));

    QPointer<sestara::About> guard(about);
    press(about, "Command1");
    settle();
    EXPECT_TRUE(guard.isNull());
    EXPECT_TRUE(main_->isEnabled());

    // Opened during a run, it leaves "Interrompi" within reach, and that enables the main window.
    OrtogonaliSuper* w = startLongRun();
    ASSERT_NE(loading(), nullptr);
    action("mnuInfo")->trigger();
    ASSERT_FALSE(main_->isEnabled());
    press(loading(), "Command27");
    EXPECT_TRUE(main_->isEnabled());
    EXPECT_TRUE(waitUntil([&] { return !w->isRunning(); }, 10000));
    aboutBox()->close();
}

TEST(ToolbarIcons, EveryKeyHasADrawingThatGreysOutWhenDisabledAndNoOtherKeyHasOne)
{
    // The desktop's icon themes are hidden, so the program's own drawings are the ones shown.
    const QStringList savedPaths = QIcon::themeSearchPaths();
    const QString savedTheme = QIcon::themeName();
    QIcon::setThemeSearchPaths({});
    QIcon::setThemeName(QStringLiteral("sestara-none"));
    QImage blank(24, 24, QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    for (const QString key : {"esci", "new", "archivio", "estrazioni", "opzioni", "window"}) {
        SCOPED_TRACE(key.toStdString());
        const QIcon icon = sestara::toolbarIcon(key);
        const QImage normal = icon.pixmap(24, 24, QIcon::Normal).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage disabled =
            icon.pixmap(24, 24, QIcon::Disabled).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(normal.size(), QSize(24, 24));
        EXPECT_NE(normal, blank);
        EXPECT_NE(normal, disabled);
    }
    EXPECT_TRUE(sestara::toolbarIcon(QStringLiteral("stampa")).isNull());
    EXPECT_TRUE(sestara::toolbarIcon(QString()).isNull());
    QIcon::setThemeSearchPaths(savedPaths);
    QIcon::setThemeName(savedTheme);
}

// The guard between two copies is tested with real processes on its own; here, the message the
// second copy shows.
TEST(SecondCopy, IsRefusedWithTheProgramsName)
{
    messages().clear();
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    const ScopedEnv env("XDG_RUNTIME_DIR", runtime.path());
    sestara::SingleInstanceGuard first;
    ASSERT_TRUE(sestara::checkSingleInstance(first, {"sestara"}));
    // A copy started with a file is refused the same way when the running copy takes no files.
    sestara::SingleInstanceGuard second;
    EXPECT_FALSE(sestara::checkSingleInstance(second, {"sestara", "Dieci.sup"}));
    EXPECT_TRUE(first.held());
    ASSERT_EQ(messages().texts(), QStringList{QStringLiteral("Una copia di Sestara è già in funzione")});
}

} // namespace

// Double-clicks on system files while the program runs: each new copy (a real process, started
// with the name's bytes as a file manager passes them) hands its file to this one and ends without
// a word. A file opens whatever its name holds (a newline, a byte that is not UTF-8); bad files
// are reported one message at a time, never as a box inside another box.
TEST_F(ShellTest, FilesGivenToLaterCopiesOpenInTheRunningOne)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const ScopedEnv env("XDG_RUNTIME_DIR", runtime.path());
    sestara::SingleInstanceGuard guard;
    ASSERT_TRUE(guard.acquire() && guard.held());
    ASSERT_TRUE(main_->acceptHandedFiles(sestara::FileHandoff::socketPath(guard.lockPath())));
    const QList<QByteArray> names{"Dieci\n\xe8.sup", "Manca1.sup", "Manca2.sup", "Manca3.sup"};
    const std::string file = QFile::encodeName(runtime.path()).toStdString() + "/" + names[0].toStdString();
    std::ofstream(file) << "Sistema=10 numeri sistema Integrale\r\nLista=5 6 7 8 9 10 11 12 13 14 \r\n";
    // Qt cannot name the file to remove it with its folder.
    const std::shared_ptr<void> removal(nullptr, [&file](void*) { std::remove(file.c_str()); });
    newSystem();
    main_->showMinimized();

    std::array<QProcess, 4> copies;
    const auto allEnded = [&copies] {
        return std::all_of(copies.begin(), copies.end(),
                           [](const QProcess& p) { return p.state() == QProcess::NotRunning; });
    };
    // The user reads the first box until every copy has ended; events go on meanwhile, as under exec().
    int open = 0;
    int deepest = 0;
    const sestara::Messages::Handler recordMessage = sestara::Messages::setHandler({});
    sestara::Messages::setHandler([&](const sestara::MessageRequest& request) {
        deepest = std::max(deepest, ++open);
        waitUntil(allEnded, 20000);
        --open;
        return recordMessage(request);
    });
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    for (int i = 0; i < names.size(); ++i) {
        QByteArray octal;
        for (const char c : names[i])
            octal += "\\0" + QByteArray::number(static_cast<unsigned char>(c), 8);
        copies[i].setProcessEnvironment(environment);
        copies[i].setWorkingDirectory(runtime.path());
        copies[i].start("/bin/sh", {"-c", "exec \"$0\" \"$(printf '%b' \"$1\")\"", SESTARA_PROGRAM_DIR "/sestara",
                                    QString::fromLatin1(octal)});
    }
    const bool done = waitUntil([&] { return allEnded() && messages().shown.size() == 3; }, 30000);
    sestara::Messages::setHandler(recordMessage);
    ASSERT_TRUE(done) << "the copies did not end, or their files were not all opened";
    for (QProcess& copy : copies) {
        EXPECT_EQ(copy.exitCode(), 0);
        EXPECT_EQ(copy.readAllStandardError(), QByteArray());
    }
    settle();
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(subWindowTitles(),
              QStringList({QFile::decodeName(names[0]), "Manca1.sup", "Manca2.sup", "Manca3.sup", "Sistema 1"}));
    const OrtogonaliSuper* opened = nullptr;
    for (QMdiSubWindow* sub : find<QMdiArea>(main_, "MDIArea")->subWindowList())
        if (sub->windowTitle() == QFile::decodeName(names[0]))
            opened = qobject_cast<OrtogonaliSuper*>(sub->widget());
    ASSERT_NE(opened, nullptr);
    ASSERT_TRUE(waitUntil([opened] { return opened->document().developed() != nullptr; }, 20000));
    EXPECT_EQ(opened->document().developed()->development->size(), 210u);
    EXPECT_FALSE(main_->isMinimized());
}

TEST_F(ShellTest, AfterARunTheWindowThatRanItIsInFront)
{
    auto* area = find<QMdiArea>(main_, "MDIArea");
    for (const bool maximised : {false, true}) {
        SCOPED_TRACE(maximised ? "maximised" : "cascaded");
        OrtogonaliSuper* first = newSystem();
        if (maximised)
            first->parentWidget()->showMaximized();
        develop(first, 1, 10);
        OrtogonaliSuper* second = newSystem();
        develop(second, 11, 20);
        settle();
        ASSERT_NE(area->activeSubWindow(), nullptr);
        EXPECT_EQ(area->activeSubWindow()->widget(), second);
        EXPECT_EQ(area->subWindowList(QMdiArea::StackingOrder).last()->widget(), second);
        // And back: a new run in the first window brings it up again.
        develop(first, 21, 30);
        settle();
        EXPECT_EQ(area->subWindowList(QMdiArea::StackingOrder).last()->widget(), first);
        main_->chiudiTutteLeFinestre();
        settle();
    }
}

TEST_F(ShellTest, QtsOwnButtonsSpeakItalian)
{
    ASSERT_TRUE(sestara::loadQtTranslations());
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Save);
    QStringList texts;
    for (const auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel, QMessageBox::Save})
        texts << box.button(b)->text().remove(QLatin1Char('&'));
    EXPECT_EQ(texts, QStringList({QStringLiteral("Sì"), "No", "Annulla", "Salva"}));
}
