#include "tests/gui/guitest.h"

#include "gui/common/appinfo.h"
#include "gui/development/sviluppopage.h"

#include "tests/common/filesizelimit.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace guitest;
using sestara::SviluppoPage;

namespace {

const QByteArray kOld = "Sistema=12 numeri sistema Integrale\r\nLista=1 2 3 4 5 6 7 8 9 10 11 12 \r\n";

// A window with the ten numbers 1..10 developed (the full system of 210 columns), and a save
// dialog that answers with a file of a temporary folder.
class SalvaTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        w = newSystem();
        page = w->findChild<SviluppoPage*>();
        ASSERT_NE(page, nullptr);
        develop(w, 1, 10);
        ASSERT_NE(w->document().developed(), nullptr);
    }
    // "Salva" with the dialog answering `name` in the folder (none: cancelled); the name the page
    // reported saving, or "(none)".
    QString salva(const QString& name)
    {
        fileDialogs().answer = name.isEmpty() ? QString() : dir.filePath(name);
        QSignalSpy spy(page, &SviluppoPage::saved);
        press(w, "Command14");
        return spy.isEmpty() ? "(none)" : spy.first().first().toString();
    }
    QStringList files() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir dir;
    sestara::OrtogonaliSuper* w = nullptr;
    SviluppoPage* page = nullptr;
};

TEST_F(SalvaTest, SavesInTheChosenFileAndAsksBeforeReplacingOne)
{
    EXPECT_EQ(salva("Dieci.sup"), "Dieci");
    EXPECT_EQ(w->windowTitle(), "Dieci");
    EXPECT_EQ(fileDialogs().folders, QStringList({sestara::appinfo::systemsFolder()}));
    // Only the file itself: no temporary file is left beside it.
    EXPECT_EQ(files(), QStringList({"Dieci.sup"}));
    EXPECT_EQ(contents(dir.filePath("Dieci.sup")), kDieci);
    // Saving changes nothing in the window: the same system goes to a second file.
    EXPECT_EQ(salva("Copia.sup"), "Copia");
    EXPECT_EQ(contents(dir.filePath("Copia.sup")), kDieci);
    EXPECT_EQ(w->windowTitle(), "Copia");
    // A cancelled dialog writes nothing.
    EXPECT_EQ(salva(QString()), "(none)");
    EXPECT_EQ(files(), QStringList({"Copia.sup", "Dieci.sup"}));
    EXPECT_TRUE(messages().shown.empty());
    // A name that is only ".sup", or holds a control character, is refused with a message.
    for (const char* bad : {".sup", "a\tb"}) {
        EXPECT_EQ(salva(bad), "(none)");
        EXPECT_EQ(messages().shown.size(), 1u);
        messages().clear();
    }
    EXPECT_EQ(files(), QStringList({"Copia.sup", "Dieci.sup"}));

    struct Case {
        const char* existing;
        const char* typed;
        QMessageBox::StandardButton answer;
        const char* question; // names the file replaced, under its own name
        const char* saved;
    };
    // The name typed is matched to the folder's files whatever their letter case.
    const Case cases[] = {
        {"Sistema.sup", "Sistema", QMessageBox::No, "Attenzione: Vuoi sovrascivere il file Sistema.sup ?", "(none)"},
        {"Città.sup", "CITTÀ.SUP", QMessageBox::Yes, "Attenzione: Vuoi sovrascivere il file Città.sup ?", "Città"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.existing) + " <- " + c.typed);
        for (const QString& f : files())
            QFile::remove(dir.filePath(f));
        writeFile(dir.filePath(c.existing), kOld);
        writeFile(dir.filePath("Altro.sup"), kOld);
        messages().clear();
        messages().answers.push_back(c.answer);
        EXPECT_EQ(salva(c.typed), c.saved);
        EXPECT_EQ(messages().texts(), QStringList({c.question}));
        // One file of that name remains, under the name it had, with the new system after "Yes".
        QStringList expected({"Altro.sup", c.existing});
        expected.sort();
        EXPECT_EQ(files(), expected);
        EXPECT_EQ(contents(dir.filePath(c.existing)), c.answer == QMessageBox::Yes ? kDieci : kOld);
        EXPECT_EQ(contents(dir.filePath("Altro.sup")), kOld);
    }
}

TEST_F(SalvaTest, AFailedSaveKeepsTheOldFileAndSaysWhy)
{
    writeFile(dir.filePath("Vecchio.sup"), kOld);
    writeFile(dir.filePath("Documento"), "testo");
    ASSERT_TRUE(QDir(dir.path()).mkdir("Cartella.sup"));
    writeFile(dir.filePath("Cartella.sup/Dentro.sup"), kOld);
    const QString prefix = "Errore nel salvataggio del sistema\nimpossibile scrivere il file " + dir.path();

    // A folder that is a regular file, and a name that is a folder (no question: it is no file).
    EXPECT_EQ(salva("Documento/Nuovo.sup"), "(none)");
    EXPECT_EQ(salva("Cartella"), "(none)");
    // A file that cannot grow past 16 bytes: the write fails after the old file was accepted for
    // replacing. The limit holds for root too.
    messages().answers.push_back(QMessageBox::Yes);
    {
        const FileSizeLimit limit(16);
        ASSERT_TRUE(limit.set);
        EXPECT_EQ(salva("Vecchio.sup"), "(none)");
    }

    EXPECT_EQ(messages().texts(),
              QStringList({prefix + "/Documento/Nuovo.sup: la cartella non esiste",
                           prefix + "/Cartella.sup: è una cartella, non un file",
                           "Attenzione: Vuoi sovrascivere il file Vecchio.sup ?",
                           prefix + "/Vecchio.sup: errore di scrittura (file troppo grande)"}));
    EXPECT_EQ(w->windowTitle(), "Sistema 1");
    // Everything as it was, and no temporary file left behind.
    EXPECT_EQ(files(), QStringList({"Cartella.sup", "Documento", "Vecchio.sup"}));
    EXPECT_EQ(contents(dir.filePath("Vecchio.sup")), kOld);
    EXPECT_EQ(contents(dir.filePath("Cartella.sup/Dentro.sup")), kOld);
    EXPECT_EQ(QDir(dir.filePath("Cartella.sup")).entryList(QDir::Files), QStringList({"Dentro.sup"}));
}

} // namespace

namespace {

// Saved systems stay beside a program that runs from its own folder with its data; an installed
// copy puts them in a folder of the user's, made when first asked for.
TEST(SystemsFolder, TheProgramFolderOnlyWhenItHoldsTheDataAndCanBeWritten)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath("build/bin") && dir.mkpath("usr/bin"));
    writeFile(dir.filePath("build/bin/Riduttore"), "x");

    const QString documents = dir.filePath("home/Documenti/Sestara");
    EXPECT_EQ(sestara::appinfo::ownFolder(dir.filePath("build/bin"), documents), dir.filePath("build/bin"));
    EXPECT_FALSE(QFileInfo::exists(documents));
    EXPECT_EQ(sestara::appinfo::ownFolder(dir.filePath("usr/bin"), documents), documents);
    EXPECT_TRUE(QFileInfo(documents).isDir());
}

} // namespace
