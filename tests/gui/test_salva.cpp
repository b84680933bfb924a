#include "tests/gui/guitest.h"

#include "gui/common/appinfo.h"
#include "gui/common/filedialogs.h"
#include "gui/common/loading.h"
#include "gui/development/sviluppopage.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/systemwindow/ortogonalisuper.h"

#include "tests/common/filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>


#include <deque>
#include <vector>

using namespace guitest;
using sestara::FileDialogRequest;
using sestara::FileDialogs;
using sestara::MessageIcon;
using sestara::OrtogonaliSuper;
using sestara::SviluppoPage;

namespace {

const QByteArray kOld = "Sistema=12 numeri sistema Integrale\r\nLista=1 2 3 4 5 6 7 8 9 10 11 12 \r\n";

class SalvaTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        FileDialogs::setHandler([this](const FileDialogRequest& request) {
            requests.push_back(request);
            if (answers.empty())
                return QString();
            const QString answer = answers.front();
            answers.pop_front();
            return answer;
        });
        w = newSystem();
        page = w->findChild<SviluppoPage*>();
        ASSERT_NE(page, nullptr);
    }
    void TearDown() override
    {
        FileDialogs::setHandler({});
        GuiTest::TearDown();
    }
    // The ten numbers 1..10 developed: the full system of 210 columns.
    void developDieci()
    {
        clickNumbers(w, 1, 10);
        elaboraAndWait(w);
        ASSERT_NE(w->document().developed(), nullptr);
    }
    // "Salva" with the save dialog answering `name` in the temporary folder; the names the page
    // reported saving.
    QStringList salva(const QString& name)
    {
        answers.push_back(name.isEmpty() ? QString() : dir.filePath(name));
        QSignalSpy spy(page, &SviluppoPage::saved);
        QTest::mouseClick(find<QPushButton>(w, "Command14"), Qt::LeftButton);
        QStringList saved;
        for (const QList<QVariant>& args : spy)
            saved << args.at(0).toString();
        return saved;
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }

    QTemporaryDir dir;
    std::deque<QString> answers;
    std::vector<FileDialogRequest> requests;
    OrtogonaliSuper* w = nullptr;
    SviluppoPage* page = nullptr;
};

TEST_F(SalvaTest, SavesTheDevelopedSystemInTheChosenFile)
{
    // Nothing to save without a completed development.
    EXPECT_EQ(salva("Vuoto.sup"), QStringList());
    ASSERT_EQ(messages().texts(), QStringList({"Elaborare Sistema"}));
    EXPECT_EQ(messages().shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(messages().shown[0].buttons, QMessageBox::Ok);
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(files(), QStringList());
    messages().clear();
    answers.clear();

    developDieci();
    EXPECT_EQ(salva("Dieci.sup"), QStringList({"Dieci"}));
    EXPECT_EQ(w->windowTitle(), "Dieci");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].caption, "Salva Sistema su File");
    EXPECT_EQ(requests[0].folder, sestara::appinfo::userFolder());
    EXPECT_EQ(requests[0].filter, "Sistemi Files (*.sup)");
    // Only the file itself: no temporary file is left beside it.
    EXPECT_EQ(files(), QStringList({"Dieci.sup"}));
    EXPECT_EQ(contents(dir.filePath("Dieci.sup")), kDieci);
    EXPECT_TRUE(messages().shown.empty());

    // Saving changes nothing in the window: the same system goes to a second file.
    EXPECT_EQ(salva("Copia.sup"), QStringList({"Copia"}));
    EXPECT_EQ(contents(dir.filePath("Copia.sup")), kDieci);
    EXPECT_EQ(w->windowTitle(), "Copia");

    // A cancelled dialog writes nothing.
    EXPECT_EQ(salva(QString()), QStringList());
    EXPECT_EQ(files(), QStringList({"Copia.sup", "Dieci.sup"}));
    EXPECT_TRUE(messages().shown.empty());
}

TEST_F(SalvaTest, OverwritingAsksFirst)
{
    developDieci();
    struct Case {
        const char* existing;
        const char* typed;
        QMessageBox::StandardButton answer;
        const char* question; // names the file replaced, under its own name
        QStringList saved;
    };
    // The name typed is matched to the folder's files whatever their letter case.
    const Case cases[] = {
        {"Sistema.sup", "Sistema", QMessageBox::No, "Attenzione: Vuoi sovrascivere il file Sistema.sup ?", {}},
        {"Città.sup", "CITTÀ.SUP", QMessageBox::Yes, "Attenzione: Vuoi sovrascivere il file Città.sup ?", {"Città"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.existing) + " <- " + c.typed + (c.answer == QMessageBox::Yes ? " Yes" : " No"));
        for (const QString& f : files())
            QFile::remove(dir.filePath(f));
        writeFile(dir.filePath(c.existing), kOld);
        writeFile(dir.filePath("Altro.sup"), kOld);
        messages().clear();
        messages().answers.push_back(c.answer);

        EXPECT_EQ(salva(c.typed), c.saved);
        ASSERT_EQ(messages().shown.size(), 1u);
        EXPECT_EQ(messages().shown[0].text, c.question);
        EXPECT_EQ(messages().shown[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(messages().shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
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
    developDieci();
    writeFile(dir.filePath("Vecchio.sup"), kOld);
    writeFile(dir.filePath("Documento"), "testo");
    ASSERT_TRUE(QDir(dir.path()).mkdir("Cartella.sup"));
    writeFile(dir.filePath("Cartella.sup/Dentro.sup"), kOld);
    const QString prefix = "Errore nel salvataggio del sistema\nimpossibile scrivere il file " + dir.path();

    // A folder that is a regular file, and a name that is a folder (no question: it is no file).
    EXPECT_EQ(salva("Documento/Nuovo.sup"), QStringList());
    EXPECT_EQ(salva("Cartella"), QStringList());
    // A file that cannot grow past 16 bytes: the write fails after the old file was accepted for
    // replacing. The limit holds for root too.
    messages().answers.push_back(QMessageBox::Yes);
    {
        const FileSizeLimit limit(16);
        ASSERT_TRUE(limit.set);
        EXPECT_EQ(salva("Vecchio.sup"), QStringList());
    }

    EXPECT_EQ(messages().texts(),
              QStringList({prefix + "/Documento/Nuovo.sup: la cartella non esiste",
                           prefix + "/Cartella.sup: è una cartella, non un file",
                           "Attenzione: Vuoi sovrascivere il file Vecchio.sup ?",
                           prefix + "/Vecchio.sup: scrittura incompleta (disco pieno o file troppo grande)"}));
    EXPECT_EQ(messages().shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(messages().shown[1].icon, MessageIcon::Critical);
    EXPECT_EQ(messages().shown[3].icon, MessageIcon::Critical);
    EXPECT_EQ(w->windowTitle(), "Sistema 1");
    // Everything as it was, and no temporary file left behind.
    EXPECT_EQ(files(), QStringList({"Cartella.sup", "Documento", "Vecchio.sup"}));
    EXPECT_EQ(contents(dir.filePath("Vecchio.sup")), kOld);
    EXPECT_EQ(contents(dir.filePath("Cartella.sup/Dentro.sup")), kOld);
    EXPECT_EQ(QDir(dir.filePath("Cartella.sup")).entryList(QDir::Files), QStringList({"Dentro.sup"}));
}

} // namespace
