#include "tests/gui/guitest.h"

#include "gui/common/appinfo.h"
#include "gui/systemfiles/sistemi.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolBar>
#include <QTreeView>

using namespace guitest;
using sestara::OrtogonaliSuper;
using sestara::Sistemi;

namespace {

// The archive window in a folder of its own; the home and the desktop trash are in that folder too,
// so deleting never reaches the real user's trash.
class ArchivioTest : public GuiTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root_.isValid());
        ASSERT_TRUE(QDir().mkpath(folder_));
        ASSERT_TRUE(QDir().mkpath(root_.filePath("data")));
        GuiTest::SetUp();
    }
    void write(const QString& name, const QString& folder = QString(), const QByteArray& content = kDieci)
    {
        writeFile(QDir(folder.isEmpty() ? folder_ : folder).filePath(name), content);
    }
    Sistemi* openArchive()
    {
        main_->findChild<QAction*>("mnuArchivio")->trigger();
        settle();
        if (Sistemi* archive = main_->archivio())
            archive->setFolder(folder_);
        settle();
        return main_->archivio();
    }
    static void command1(Sistemi* archive, int element) { press(archive, QStringLiteral("Command1_%1").arg(element)); }
    // Waits for the list to show these entries, as it follows its folder.
    static void expectEntries(Sistemi* archive, const QStringList& entries)
    {
        EXPECT_TRUE(waitUntil([&] { return archive->entries() == entries; }, 5000))
            << archive->entries().join(' ').toStdString();
    }
    static void doubleClick(Sistemi* archive, const QString& name)
    {
        auto* view = find<QListWidget>(archive, "ListView1");
        const QPoint at = view->visualItemRect(view->findItems(name, Qt::MatchExactly).value(0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    QTemporaryDir root_;
    const QString folder_ = root_.filePath("archivio");
    const ScopedEnv home_{"HOME", root_.path()};
    const ScopedEnv data_{"XDG_DATA_HOME", root_.filePath("data")};
};

TEST_F(ArchivioTest, OneWindowListsTheSystemFilesAsAPersonReadsThemAndFollowsItsFolder)
{
    for (const char* name : {"Sistema10.sup", "sistema2.sup", "B.sup", "a.SUP", "note.txt", "x.sup.bak"})
        write(name);
    ASSERT_TRUE(QDir(folder_).mkdir("cartella.sup"));
    emit find<QToolBar>(main_, "Toolbar1")->actionTriggered(main_->findChild<QAction*>("archivio"));
    settle();
    Sistemi* archive = main_->archivio();
    ASSERT_TRUE(archive);
    EXPECT_EQ(archive->folder(), QDir::cleanPath(QFileInfo(sestara::appinfo::systemsFolder()).absoluteFilePath()));
    auto* mdi = find<QMdiArea>(main_, "MDIArea");
    EXPECT_EQ(mdi->activeSubWindow()->widget(), archive);
    // Asked for again while open: the same window comes to the front.
    newSystem();
    EXPECT_EQ(openArchive(), archive);
    EXPECT_EQ(mdi->activeSubWindow()->widget(), archive);
    EXPECT_EQ(mdi->subWindowList().size(), 2);

    EXPECT_EQ(archive->entries(), QStringList({"a.SUP", "B.sup", "sistema2.sup", "Sistema10.sup"}));
    auto* view = find<QListWidget>(archive, "ListView1");
    EXPECT_FALSE(view->item(3)->icon().isNull());
    EXPECT_EQ(view->currentItem()->text(), "a.SUP");
    write("c.sup");
    expectEntries(archive, {"a.SUP", "B.sup", "c.sup", "sistema2.sup", "Sistema10.sup"});
    ASSERT_TRUE(QFile::remove(QDir(folder_).filePath("B.sup")));
    expectEntries(archive, {"a.SUP", "c.sup", "sistema2.sup", "Sistema10.sup"});

    // Another folder chosen in the chooser shows at once; the one left behind is no longer followed.
    const QString other = root_.filePath("altra");
    ASSERT_TRUE(QDir().mkpath(other));
    write("tre.sup", other);
    auto* dir1 = find<QTreeView>(archive, "Dir1");
    auto* model = qobject_cast<QFileSystemModel*>(dir1->model());
    ASSERT_TRUE(model);
    dir1->setCurrentIndex(model->index(other));
    EXPECT_EQ(archive->folder(), other);
    EXPECT_EQ(archive->entries(), QStringList({"tre.sup"}));
    write("quattro.sup");
    write("cinque.sup", other);
    expectEntries(archive, {"cinque.sup", "tre.sup"});

    // On an empty list the buttons do nothing.
    const QString empty = root_.filePath("vuota");
    ASSERT_TRUE(QDir().mkpath(empty));
    write("note.txt", empty);
    archive->setFolder(empty);
    settle();
    EXPECT_TRUE(archive->entries().isEmpty());
    for (int k = 0; k < 3; ++k)
        command1(archive, k);
    settle();
    EXPECT_TRUE(messages().shown.empty()) << messages().texts().join('|').toStdString();
    EXPECT_EQ(main_->registryUpperBound(), 1);
    EXPECT_TRUE(QFileInfo::exists(QDir(empty).filePath("note.txt")));

    command1(archive, 3);
    settle();
    EXPECT_FALSE(main_->archivio());
    EXPECT_EQ(mdi->subWindowList().size(), 1);
    // Closing all windows closes a new one too.
    ASSERT_TRUE(openArchive());
    main_->chiudiTutteLeFinestre();
    settle();
    EXPECT_FALSE(main_->archivio());
}

// Each button asks first, with the name of the file; a double click opens without a question.
TEST_F(ArchivioTest, VisualizzaEliminaAndSvuotaAskADoubleClickDoesNot)
{
    for (const char* name : {"a.sup", "b.sup", "C.SUP", "Dieci 10.sup", "note.txt", "b.sup.txt"})
        write(name);
    write("rotto.sup", QString(), "Sistema=10 numeri sistema Integrale\r\nLista=1 2 3 91 \r\n");
    Sistemi* archive = openArchive();
    ASSERT_TRUE(archive);
    auto* view = find<QListWidget>(archive, "ListView1");
    view->setCurrentRow(3);

    messages().answers = {QMessageBox::No, QMessageBox::Yes};
    command1(archive, 2);
    settle();
    EXPECT_EQ(main_->registryUpperBound(), 0);
    command1(archive, 2);
    OrtogonaliSuper* w = main_->finestraSistema(1);
    ASSERT_TRUE(w);
    waitForRun(w);
    EXPECT_EQ(messages().texts(), QStringList(2, "Visualizzare Sistema Nominato : Dieci 10.sup"));
    EXPECT_EQ(w->windowTitle(), "Dieci 10.sup");
    EXPECT_EQ(listed(w), 210);

    // A double click opens the same file again, in a window of its own; a damaged file still opens one.
    messages().clear();
    doubleClick(archive, "Dieci 10.sup");
    OrtogonaliSuper* second = main_->finestraSistema(2);
    ASSERT_TRUE(second);
    waitForRun(second);
    EXPECT_TRUE(messages().shown.empty()) << messages().texts().join('|').toStdString();
    doubleClick(archive, "rotto.sup");
    OrtogonaliSuper* damaged = main_->finestraSistema(3);
    ASSERT_TRUE(damaged);
    EXPECT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(damaged->windowTitle(), "rotto.sup");

    // Deleted files go to the trash; the files that are no systems stay.
    messages().clear();
    messages().answers = {QMessageBox::No, QMessageBox::Yes, QMessageBox::No, QMessageBox::Yes};
    view->setCurrentRow(1);
    command1(archive, 1);
    EXPECT_TRUE(QFileInfo::exists(QDir(folder_).filePath("b.sup")));
    command1(archive, 1);
    EXPECT_EQ(archive->entries(), QStringList({"a.sup", "C.SUP", "Dieci 10.sup", "rotto.sup"}));
    command1(archive, 0);
    EXPECT_EQ(archive->entries().size(), 4);
    command1(archive, 0);
    const QString one = "Eliminare Sistema Nominato : b.sup";
    const QString all = "Eliminare Tutti i Sistemi Presenti in Archivio ?";
    EXPECT_EQ(messages().texts(), QStringList({one, one, all, all}));
    EXPECT_TRUE(archive->entries().isEmpty());
    EXPECT_EQ(QDir(folder_).entryList(QDir::Files, QDir::Name), QStringList({"b.sup.txt", "note.txt"}));
    EXPECT_EQ(QDir(root_.filePath("data/Trash/files")).entryList(QDir::Files, QDir::Name),
              QStringList({"C.SUP", "Dieci 10.sup", "a.sup", "b.sup", "rotto.sup"}));
}

} // namespace

TEST_F(ArchivioTest, OpensInsideTheWorkAreaNamingItsFolderShownInTheTree)
{
    for (int i = 0; i < 6; ++i)
        newSystem();
    Sistemi* archive = openArchive();
    ASSERT_TRUE(archive);
    EXPECT_TRUE(find<QMdiArea>(main_, "MDIArea")->viewport()->rect().contains(archive->parentWidget()->geometry()));
    EXPECT_EQ(text(archive, "LabelCartella"), QDir::toNativeSeparators(folder_));
    auto* dir1 = find<QTreeView>(archive, "Dir1");
    auto* model = qobject_cast<QFileSystemModel*>(dir1->model());
    ASSERT_TRUE(model);
    EXPECT_TRUE(waitUntil(
        [&] {
            return dir1->currentIndex() == model->index(folder_) &&
                   dir1->viewport()->rect().contains(dir1->visualRect(dir1->currentIndex()));
        },
        5000));
}
