#include "tests/gui/guitest.h"

#include "core/systemfiles/systemfile.h"
#include "gui/common/appinfo.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/systemfiles/sistemi.h"
#include "gui/systemwindow/ortogonalisuper.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QListView>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeView>

using namespace guitest;
using sestara::OrtogonaliSuper;
using sestara::Sistemi;

namespace {

// A double click as the user makes it: the first click, then the second one.
void doubleClick(QListWidget* view, QListWidgetItem* item)
{
    const QPoint at = view->visualItemRect(item).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

// The archive window in a folder of its own; the home and the desktop trash are in that folder too,
// so deleting never reaches the real user's trash.
class ArchivioTest : public GuiTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root_.isValid());
        savedHome_ = qgetenv("HOME");
        savedData_ = qgetenv("XDG_DATA_HOME");
        hadData_ = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        qputenv("HOME", QFile::encodeName(root_.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(root_.filePath(QStringLiteral("data"))));
        folder_ = root_.filePath(QStringLiteral("archivio"));
        ASSERT_TRUE(QDir().mkpath(folder_));
        ASSERT_TRUE(QDir().mkpath(root_.filePath(QStringLiteral("data"))));
        GuiTest::SetUp();
    }

    void TearDown() override
    {
        GuiTest::TearDown();
        qputenv("HOME", savedHome_);
        if (hadData_)
            qputenv("XDG_DATA_HOME", savedData_);
        else
            qunsetenv("XDG_DATA_HOME");
    }

    void write(const QString& name, const QByteArray& content = kDieci, const QString& folder = QString())
    {
        writeFile(QDir(folder.isEmpty() ? folder_ : folder).filePath(name), content);
    }

    bool exists(const QString& name) const { return QFileInfo::exists(QDir(folder_).filePath(name)); }

    // The archive from the menu, pointed at the test folder.
    Sistemi* openArchive()
    {
        main_->findChild<QAction*>(QStringLiteral("mnuArchivio"))->trigger();
        settle();
        Sistemi* archive = main_->archivio();
        if (archive)
            archive->setFolder(folder_);
        settle();
        return archive;
    }

    QPushButton* command1(Sistemi* archive, int element)
    {
        return find<QPushButton>(archive, QStringLiteral("Command1_%1").arg(element));
    }

    QListWidget* list(Sistemi* archive) { return find<QListWidget>(archive, QStringLiteral("ListView1")); }

    void select(Sistemi* archive, const QString& name)
    {
        const QList<QListWidgetItem*> found = list(archive)->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        list(archive)->setCurrentItem(found.first());
    }

    // The system window opened last, once its development has ended.
    OrtogonaliSuper* openedWindow(int index)
    {
        OrtogonaliSuper* w = main_->finestraSistema(index);
        if (w)
            waitForRun(w);
        return w;
    }

    QTemporaryDir root_;
    QString folder_;
    QByteArray savedHome_;
    QByteArray savedData_;
    bool hadData_ = false;
};

TEST_F(ArchivioTest, ListsTheSystemFilesSortedAsAPersonReadsThem)
{
    for (const char* name : {"Sistema10.sup", "sistema2.sup", "B.sup", "a.SUP", "note.txt", "sup", "x.sup.bak"})
        write(QString::fromLatin1(name));
    ASSERT_TRUE(QDir(folder_).mkdir(QStringLiteral("cartella.sup")));

    Sistemi* archive = openArchive();
    ASSERT_TRUE(archive);
    EXPECT_EQ(archive->windowTitle(), "Archivio Sistemi Super Enalotto");
    EXPECT_EQ(archive->entries(), QStringList({"a.SUP", "B.sup", "sistema2.sup", "Sistema10.sup"}));
    QListWidget* view = list(archive);
    for (int row = 0; row < view->count(); ++row)
        EXPECT_FALSE(view->item(row)->icon().isNull()) << row;
    EXPECT_EQ(view->currentItem()->text(), "a.SUP");

    // On an empty list the buttons do nothing.
    const QString empty = root_.filePath(QStringLiteral("vuota"));
    ASSERT_TRUE(QDir().mkpath(empty));
    write(QStringLiteral("note.txt"), kDieci, empty);
    archive->setFolder(empty);
    settle();
    EXPECT_TRUE(archive->entries().isEmpty());
    for (int k = 0; k < 3; ++k)
        QTest::mouseClick(command1(archive, k), Qt::LeftButton);
    settle();
    EXPECT_TRUE(messages().shown.empty()) << messages().texts().join('|').toStdString();
    EXPECT_EQ(main_->registryUpperBound(), 0);
    EXPECT_TRUE(QFileInfo::exists(QDir(empty).filePath(QStringLiteral("note.txt"))));
}

TEST_F(ArchivioTest, OneWindowFromTheMenuAndTheToolBarStartingOnTheUsersFolder)
{
    auto* toolbar = find<QToolBar>(main_, "Toolbar1");
    QAction* button = main_->findChild<QAction*>(QStringLiteral("archivio"));
    ASSERT_TRUE(button->isEnabled());
    ASSERT_TRUE(main_->findChild<QAction*>(QStringLiteral("mnuArchivio"))->isEnabled());
    emit toolbar->actionTriggered(button);
    settle();
    Sistemi* archive = main_->archivio();
    ASSERT_TRUE(archive);
    EXPECT_EQ(archive->folder(), QDir::cleanPath(QFileInfo(sestara::appinfo::userFolder()).absoluteFilePath()));
    auto* mdi = find<QMdiArea>(main_, "MDIArea");
    EXPECT_EQ(mdi->activeSubWindow()->widget(), archive);

    // Asked for again while open: the same window comes to the front.
    newSystem();
    main_->findChild<QAction*>(QStringLiteral("mnuArchivio"))->trigger();
    settle();
    EXPECT_EQ(main_->archivio(), archive);
    EXPECT_EQ(mdi->activeSubWindow()->widget(), archive);
    EXPECT_EQ(mdi->subWindowList().size(), 2);

    QTest::mouseClick(command1(archive, 3), Qt::LeftButton);
    settle();
    EXPECT_FALSE(main_->archivio());
    EXPECT_EQ(mdi->subWindowList().size(), 1);

    // A new opening starts again on the user's folder; closing all windows closes it too.
    Sistemi* again = openArchive();
    ASSERT_TRUE(again);
    main_->chiudiTutteLeFinestre();
    settle();
    EXPECT_FALSE(main_->archivio());
}

TEST_F(ArchivioTest, FollowsFilesThatAppearOrVanishAndAnotherFolderAtOnce)
{
    write(QStringLiteral("uno.sup"));
    Sistemi* archive = openArchive();
    ASSERT_TRUE(archive);
    EXPECT_EQ(archive->entries(), QStringList({"uno.sup"}));

    write(QStringLiteral("due.sup"));
    EXPECT_TRUE(waitUntil([&] { return archive->entries() == QStringList({"due.sup", "uno.sup"}); }, 5000))
        << archive->entries().join(' ').toStdString();
    ASSERT_TRUE(QFile::remove(QDir(folder_).filePath(QStringLiteral("uno.sup"))));
    EXPECT_TRUE(waitUntil([&] { return archive->entries() == QStringList({"due.sup"}); }, 5000))
        << archive->entries().join(' ').toStdString();

    // Choosing another folder in the chooser shows its systems with no waiting.
    const QString other = root_.filePath(QStringLiteral("altra"));
    ASSERT_TRUE(QDir().mkpath(other));
    write(QStringLiteral("tre.sup"), kDieci, other);
    auto* dir1 = find<QTreeView>(archive, "Dir1");
    auto* model = qobject_cast<QFileSystemModel*>(dir1->model());
    ASSERT_TRUE(model);
    dir1->setCurrentIndex(model->index(other));
    EXPECT_EQ(archive->folder(), other);
    EXPECT_EQ(archive->entries(), QStringList({"tre.sup"}));
    // The folder left behind is no longer followed.
    write(QStringLiteral("quattro.sup"));
    write(QStringLiteral("cinque.sup"), kDieci, other);
    EXPECT_TRUE(waitUntil([&] { return archive->entries() == QStringList({"cinque.sup", "tre.sup"}); }, 5000))
        << archive->entries().join(' ').toStdString();
}

TEST_F(ArchivioTest, VisualizzaAsksADoubleClickDoesNotAndADamagedFileIsReported)
{
    write(QStringLiteral("Dieci 10.sup"));
    write(QStringLiteral("rotto.sup"), "Sistema=10 numeri sistema Integrale\r\nLista=1 2 3 91 \r\n");
    const std::string reason =
        sestara::readSystemFile(QFile::encodeName(QDir(folder_).filePath(QStringLiteral("rotto.sup"))).toStdString())
            .error;
    ASSERT_FALSE(reason.empty());
    Sistemi* archive = openArchive();
    ASSERT_TRUE(archive);
    select(archive, QStringLiteral("Dieci 10.sup"));

    messages().answers = {QMessageBox::No};
    QTest::mouseClick(command1(archive, 2), Qt::LeftButton);
    settle();
    ASSERT_EQ(messages().shown.size(), 1u);
    const sestara::MessageRequest& asked = messages().shown[0];
    EXPECT_EQ(asked.text, "Visualizzare Sistema Nominato : Dieci 10.sup");
    EXPECT_EQ(asked.title, "Sestara");
    EXPECT_EQ(asked.icon, sestara::MessageIcon::None);
    EXPECT_EQ(asked.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(main_->registryUpperBound(), 0);

    messages().clear();
    messages().answers = {QMessageBox::Yes};
    QTest::mouseClick(command1(archive, 2), Qt::LeftButton);
    OrtogonaliSuper* w = openedWindow(1);
    ASSERT_TRUE(w);
    EXPECT_EQ(messages().texts(), QStringList({"Visualizzare Sistema Nominato : Dieci 10.sup"}));
    EXPECT_EQ(w->windowTitle(), "Dieci 10.sup");
    EXPECT_EQ(find<QListView>(w, "Testo")->model()->rowCount(), 210);

    // A double click opens the same file again, in a window of its own, without a question.
    messages().clear();
    QListWidget* view = list(archive);
    doubleClick(view, view->findItems(QStringLiteral("Dieci 10.sup"), Qt::MatchExactly).value(0));
    OrtogonaliSuper* second = openedWindow(2);
    ASSERT_TRUE(second);
    EXPECT_NE(second, w);
    EXPECT_TRUE(messages().shown.empty()) << messages().texts().join('|').toStdString();
    EXPECT_EQ(second->windowTitle(), "Dieci 10.sup");
    EXPECT_EQ(find<QListView>(second, "Testo")->model()->rowCount(), 210);

    doubleClick(view, view->findItems(QStringLiteral("rotto.sup"), Qt::MatchExactly).value(0));
    OrtogonaliSuper* damaged = openedWindow(3);
    ASSERT_TRUE(damaged);
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(messages().shown[0].text, "Errore nel caricamento sistema\n" + QString::fromStdString(reason));
    EXPECT_EQ(messages().shown[0].icon, sestara::MessageIcon::Critical);
    EXPECT_TRUE(damaged->isVisible());
    EXPECT_EQ(damaged->windowTitle(), "rotto.sup");
}

TEST_F(ArchivioTest, DeletesOneAndAllIntoTheTrashLeavingOtherFiles)
{
    for (const char* name : {"a.sup", "b.sup", "C.SUP", "note.txt", "b.sup.txt"})
        write(QString::fromLatin1(name));
    Sistemi* archive = openArchive();
    ASSERT_TRUE(archive);
    select(archive, QStringLiteral("b.sup"));

    messages().answers = {QMessageBox::No};
    QTest::mouseClick(command1(archive, 1), Qt::LeftButton);
    EXPECT_EQ(messages().texts(), QStringList({"Eliminare Sistema Nominato : b.sup"}));
    EXPECT_EQ(messages().shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(exists(QStringLiteral("b.sup")));

    messages().clear();
    messages().answers = {QMessageBox::Yes};
    QTest::mouseClick(command1(archive, 1), Qt::LeftButton);
    EXPECT_FALSE(exists(QStringLiteral("b.sup")));
    const QString trash = root_.filePath(QStringLiteral("data/Trash/files"));
    EXPECT_TRUE(QFileInfo::exists(QDir(trash).filePath(QStringLiteral("b.sup"))));
    EXPECT_EQ(archive->entries(), QStringList({"a.sup", "C.SUP"}));

    messages().clear();
    messages().answers = {QMessageBox::No};
    QTest::mouseClick(command1(archive, 0), Qt::LeftButton);
    EXPECT_EQ(messages().texts(), QStringList({"Eliminare Tutti i Sistemi Presenti in Archivio ?"}));
    EXPECT_EQ(messages().shown[0].icon, sestara::MessageIcon::None);
    EXPECT_EQ(archive->entries(), QStringList({"a.sup", "C.SUP"}));

    messages().clear();
    messages().answers = {QMessageBox::Yes};
    QTest::mouseClick(command1(archive, 0), Qt::LeftButton);
    EXPECT_TRUE(archive->entries().isEmpty());
    EXPECT_EQ(QDir(folder_).entryList(QDir::Files, QDir::Name), QStringList({"b.sup.txt", "note.txt"}));
    EXPECT_EQ(QDir(trash).entryList(QDir::Files, QDir::Name), QStringList({"C.SUP", "a.sup", "b.sup"}));
}

} // namespace
