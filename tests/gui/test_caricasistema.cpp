#include "tests/gui/guitest.h"

#include "core/development/catalogue.h"
#include "core/development/development.h"
#include "core/systemfiles/systemfile.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/mainwindow/startup.h"
#include "gui/systemwindow/ortogonalisuper.h"

#include <QComboBox>
#include <QFile>
#include <QListView>
#include <QTabWidget>
#include <QTemporaryDir>

#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace guitest;
using sestara::ConditionSet;
using sestara::OrtogonaliSuper;

namespace {

class CaricaSistemaTest : public GuiTest {
protected:
    QString writeText(const QString& name, const QByteArray& text)
    {
        writeFile(dir.filePath(name), text);
        return dir.filePath(name);
    }
    // A new window with the file loaded into it and its run ended.
    OrtogonaliSuper* load(const QString& path)
    {
        OrtogonaliSuper* w = newSystem();
        w->caricaSistema(path);
        EXPECT_TRUE(waitUntil([&] { return !w->isRunning(); }));
        settle();
        return w;
    }
    static std::string listing(const OrtogonaliSuper* w)
    {
        const sestara::DevelopedSystem* d = w->document().developed();
        return d ? sestara::listingText(*d->development) : std::string("(nothing developed)");
    }
    QTemporaryDir dir;
};

TEST_F(CaricaSistemaTest, AFileIsReadIntoTheWindowAndDeveloped)
{
    const QString path = writeText("dieci.sup", kDieci + "PariDispari=2-3-\r\n");
    OrtogonaliSuper* w = load(path);

    EXPECT_TRUE(messages().shown.empty()) << messages().texts().join('|').toStdString();
    EXPECT_EQ(text(w, "Label1"), "1 2 3 4 5 6 7 8 9 10 ");
    EXPECT_EQ(find<QComboBox>(w, "Combo2")->currentText(), "10");
    EXPECT_EQ(find<QComboBox>(w, "Combo1")->currentText(), "10 numeri sistema Integrale");
    EXPECT_TRUE(isGreen(w, "Command16"));
    for (const char* other : {"Command15", "Command17", "Command23", "Command24"})
        EXPECT_FALSE(isGreen(w, other)) << other;
    // The development shows on "Sviluppo": 2 or 3 of the five even numbers, 10*5 + 10*10 columns.
    EXPECT_EQ(find<QTabWidget>(w, "SSTab1")->currentIndex(), 1);
    EXPECT_EQ(text(w, "Label7"), "10 numeri sistema Integrale");
    EXPECT_EQ(find<QListView>(w, "Testo")->model()->rowCount(), 150);
}

TEST_F(CaricaSistemaTest, AFileOnTheCommandLineOpensInItsOwnWindow)
{
    EXPECT_EQ(sestara::openSystemFileArgument(*main_, {"sestara"}), nullptr);
    EXPECT_EQ(main_->finestraSistema(1), nullptr);

    const QString path = writeText("Dieci numeri.sup", kDieci);
    OrtogonaliSuper* w = sestara::openSystemFileArgument(*main_, {"sestara", path, "altro.sup"});
    ASSERT_NE(w, nullptr);
    waitForRun(w);
    EXPECT_EQ(main_->finestraSistema(1), w);
    EXPECT_EQ(main_->finestraSistema(2), nullptr);
    EXPECT_EQ(w->windowTitle(), "Dieci numeri.sup");
    EXPECT_EQ(find<QListView>(w, "Testo")->model()->rowCount(), 210);
    EXPECT_TRUE(messages().shown.empty()) << messages().texts().join('|').toStdString();
}

TEST_F(CaricaSistemaTest, EveryKindOfSystemAndEveryConditionComeBackIdentical)
{
    using Setter = std::function<void(ConditionSet&)>;
    const std::vector<std::pair<const char*, Setter>> conditions = {
        {"Fisse", [](ConditionSet& c) { c.salvaPresenze({3, 11}, true); }},
        {"Pari/Dispari", [](ConditionSet& c) { c.salvaPariDispari({2, 3, 4}, true); }},
        {"Consecutivi", [](ConditionSet& c) { c.salvaConsecutivi({0, 1, 2}, true); }},
        {"Somma", [](ConditionSet& c) { c.salvaSomma(true, 30, 45, 21, 57); }},
        {"Gruppi", [](ConditionSet& c) { c.salvaGruppi({{"-1-2-3", 1, 2}, {"-10-11-12", 0, 2}}, true); }},
        {"none", [](ConditionSet&) {}},
    };
    // Size 12 offers the full system, two immediate systems and the three reductions: each is made
    // with one of the conditions.
    const std::vector<std::string> entries = sestara::catalogueEntriesForSize(12);
    ASSERT_EQ(entries.size(), conditions.size());
    for (std::size_t k = 0; k < entries.size(); ++k) {
        SCOPED_TRACE(entries[k] + " / " + conditions[k].first);
        OrtogonaliSuper* made = newSystem();
        clickNumbers(made, 1, 12);
        chooseItem(find<QComboBox>(made, "Combo1"), QString::fromStdString(entries[k]));
        conditions[k].second(made->document().conditions());
        elaboraAndWait(made);
        const sestara::DevelopedSystem* developed = made->document().developed();
        ASSERT_NE(developed, nullptr);
        EXPECT_GT(developed->development->size(), 0u);

        const QString path = dir.filePath(QStringLiteral("s%1.sup").arg(k));
        std::string error;
        ASSERT_TRUE(sestara::writeSystemFile(QFile::encodeName(path).toStdString(), developed->savedSystem(), error))
            << error;
        OrtogonaliSuper* opened = load(path);
        EXPECT_TRUE(messages().shown.empty()) << messages().texts().join('|').toStdString();
        EXPECT_EQ(text(opened, "Label7"), QString::fromStdString(entries[k]));
        ASSERT_NE(opened->document().developed(), nullptr);
        // Developed again from the file, the system saves to the same file and lists the same.
        EXPECT_EQ(sestara::systemFileText(opened->document().developed()->savedSystem()),
                  sestara::systemFileText(developed->savedSystem()));
        EXPECT_EQ(listing(opened), listing(made));
        made->chiudi();
        opened->chiudi();
        settle();
    }
}

TEST_F(CaricaSistemaTest, AFailedLoadIsReportedAndTheWindowStaysWithItsConditionsOff)
{
    const QString damaged = writeText("rotto.sup", kDieci + "PariDispari=2-7-\r\n");
    const QString missing = dir.filePath("manca.sup");
    const QString expected[] = {
        "Errore nel caricamento sistema\nRiga 3: numero di pari 7 fuori da 0 a 6",
        "Errore nel caricamento sistema\nimpossibile leggere il file " + missing + ": ",
    };
    int k = 0;
    for (const QString& path : {damaged, missing}) {
        SCOPED_TRACE(path.toStdString());
        OrtogonaliSuper* w = newSystem();
        clickNumbers(w, 1, 10);
        w->document().conditions().salvaConsecutivi({2}, true);
        messages().clear();
        w->caricaSistema(path);
        settle();

        ASSERT_EQ(messages().shown.size(), 1u);
        EXPECT_TRUE(messages().shown[0].text.startsWith(expected[k++])) << messages().shown[0].text.toStdString();
        EXPECT_EQ(messages().shown[0].icon, sestara::MessageIcon::Critical);
        EXPECT_FALSE(w->isRunning());
        EXPECT_TRUE(w->isVisible());
        // The conditions went off as by "Annulla Condizioni", their choices kept; nothing else changed.
        EXPECT_FALSE(w->document().conditions().consecutiviAttivo);
        EXPECT_TRUE(w->document().conditions().consecutivi[2]);
        EXPECT_FALSE(isGreen(w, "Command17"));
        EXPECT_EQ(text(w, "Label1"), "1 2 3 4 5 6 7 8 9 10 ");
        EXPECT_EQ(w->document().developed(), nullptr);
        EXPECT_EQ(find<QTabWidget>(w, "SSTab1")->currentIndex(), 0);
    }
}

} // namespace
