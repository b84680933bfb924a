#include "tests/gui/guitest.h"

#include "core/development/catalogue.h"
#include "core/development/development.h"
#include "core/systemfiles/systemfile.h"
#include "gui/mainwindow/startup.h"

#include <string>

using namespace guitest;
using sestara::ConditionSet;
using sestara::OrtogonaliSuper;

namespace {

class CaricaSistemaTest : public GuiTest {
protected:
    QTemporaryDir dir;
};

TEST_F(CaricaSistemaTest, AFileOnTheCommandLineOpensInItsOwnWindowAndIsDeveloped)
{
    sestara::openSystemFileArgument(*main_, {"sestara"});
    settle();
    EXPECT_EQ(main_->activeSystemWindow(), nullptr);
    const QString path = dir.filePath("Dieci numeri.sup");
    writeFile(path, kDieci + "PariDispari=2-3-\r\n");
    sestara::openSystemFileArgument(*main_, {"sestara", QFile::encodeName(path), "altro.sup"});
    ASSERT_TRUE(waitUntil([this] { return main_->activeSystemWindow() != nullptr; }, 20000));
    OrtogonaliSuper* w = main_->activeSystemWindow();
    waitForRun(w);
    EXPECT_TRUE(messages().shown.empty()) << messages().texts().join('|').toStdString();
    EXPECT_EQ(w->windowTitle(), "Dieci numeri.sup");
    EXPECT_EQ(text(w, "Label1"), "1 2 3 4 5 6 7 8 9 10 ");
    EXPECT_EQ(find<QComboBox>(w, "Combo2")->currentText(), "10");
    EXPECT_EQ(find<QComboBox>(w, "Combo1")->currentText(), "10 numeri sistema Integrale");
    EXPECT_TRUE(isGreen(w, "Command16"));
    for (const char* other : {"Command15", "Command17", "Command23", "Command24"})
        EXPECT_FALSE(isGreen(w, other)) << other;
    // Developed with its condition: 2 or 3 of the five even numbers, 10*5 + 10*10 columns.
    EXPECT_EQ(listed(w), 150);
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
        OrtogonaliSuper* opened = newSystem();
        opened->caricaSistema(path);
        waitForRun(opened);
        EXPECT_TRUE(messages().shown.empty()) << messages().texts().join('|').toStdString();
        const sestara::DevelopedSystem* again = opened->document().developed();
        ASSERT_NE(again, nullptr);
        // Developed again from the file, the system saves to the same file and lists the same.
        EXPECT_EQ(sestara::systemFileText(again->savedSystem()), sestara::systemFileText(developed->savedSystem()));
        EXPECT_EQ(sestara::listingText(*again->development), sestara::listingText(*developed->development));
        made->chiudi();
        opened->chiudi();
        settle();
    }
}

TEST_F(CaricaSistemaTest, AFailedLoadIsReportedAndTheWindowStaysWithItsConditionsOff)
{
    const QString damaged = dir.filePath("rotto.sup");
    writeFile(damaged, kDieci + "PariDispari=2-7-\r\n");
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
        EXPECT_FALSE(w->isRunning());
        // The conditions went off as by "Annulla Condizioni", their choices kept; nothing else changed.
        EXPECT_FALSE(w->document().conditions().consecutiviAttivo);
        EXPECT_TRUE(w->document().conditions().consecutivi[2]);
        EXPECT_FALSE(isGreen(w, "Command17"));
        EXPECT_EQ(text(w, "Label1"), "1 2 3 4 5 6 7 8 9 10 ");
        EXPECT_EQ(w->document().developed(), nullptr);
    }
}

} // namespace
