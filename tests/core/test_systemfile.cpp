#include "systemfiles/systemfile.h"

#include "testutil.h"

#include <gtest/gtest.h>

using namespace sestara;

namespace {

std::vector<std::uint8_t> bytes(std::initializer_list<int> v)
{
    return std::vector<std::uint8_t>(v.begin(), v.end());
}

LoadedSystem load(const std::string& text)
{
    const LoadOutcome out = readSystemFileText(text);
    EXPECT_TRUE(out.ok()) << out.error;
    return out.system;
}

std::string loadError(const std::string& text)
{
    return readSystemFileText(text).error;
}

const std::string kTen = "Lista=1 2 3 4 5 6 7 8 9 10 \r\n";

} // namespace

TEST(SystemFile, TwoLinesWithoutConditions)
{
    SavedSystem s{"10 numeri sistema Integrale", bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), {}};
    EXPECT_EQ(systemFileText(s), "Sistema=10 numeri sistema Integrale\r\nLista=1 2 3 4 5 6 7 8 9 10 \r\n");
    const LoadedSystem l = load(systemFileText(s));
    EXPECT_EQ(l.size, 10);
    EXPECT_EQ(l.selectedIndex, 0);
    EXPECT_EQ(l.entryText, "10 numeri sistema Integrale");
    EXPECT_EQ(l.prediction.text(), "1 2 3 4 5 6 7 8 9 10 ");
    EXPECT_FALSE(l.conditions.anyActive());
}

TEST(SystemFile, EveryConditionWrittenInOrderAndReadBack)
{
    SavedSystem s;
    s.entryText = "12 numeri ridotto n-2";
    s.pronostico = bytes({5, 8, 17, 21, 23, 33, 40, 51, 60, 70, 80, 90});
    s.conditions.salvaPresenze({5, 17, 33}, true);
    s.conditions.salvaPariDispari({3, 2}, true);
    s.conditions.salvaConsecutivi({0, 1}, true);
    s.conditions.salvaSomma(true, 120, 200, 104, 384);
    s.conditions.salvaGruppi({{"-5-17-23", 2, 3}, {"-40-51", 0, 1}}, true);
    const std::string text = systemFileText(s);
    EXPECT_EQ(text, "Sistema=12 numeri ridotto n-2\r\n"
                    "Lista=5 8 17 21 23 33 40 51 60 70 80 90 \r\n"
                    "Presenze=5-17-33-\r\n"
                    "PariDispari=2-3-\r\n"
                    "Consecutivi=0-1-\r\n"
                    "Somma=120 - 200\r\n"
                    "Gruppi\r\n"
                    "-5-17-23Punti2-3\r\n"
                    "-40-51Punti0-1\r\n");
    const LoadedSystem l = load(text);
    EXPECT_EQ(l.size, 12);
    EXPECT_EQ(l.selectedIndex, 4);
    EXPECT_EQ(l.entryText, "12 numeri ridotto n-2");
    EXPECT_EQ(l.prediction.numbers(), s.pronostico);
    EXPECT_EQ(l.conditions, s.conditions) << "round trip exact";
    EXPECT_EQ(systemFileText({l.entryText, l.prediction.numbers(), l.conditions}), text);
}

TEST(SystemFile, InactiveConditionsAreNotWritten)
{
    SavedSystem s{"10 numeri ridotto n-1", bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), {}};
    s.conditions.salvaPresenze({5}, false);
    s.conditions.salvaPariDispari({3}, false);
    s.conditions.salvaGruppi({{"-1-2", 1, 1}}, true);
    s.conditions.gruppiAttivi = false;
    EXPECT_EQ(systemFileText(s), "Sistema=10 numeri ridotto n-1\r\nLista=1 2 3 4 5 6 7 8 9 10 \r\n");
}

TEST(SystemFile, ReadingRules)
{
    // Values read by their leading digits.
    LoadedSystem l = load("Sistema=12 numeri sistema Integrale\r\n" + kTen + "PariDispari=2-3-\r\nSomma=120 - 200\r\n");
    EXPECT_TRUE(l.conditions.pariDispariAttivo);
    EXPECT_TRUE(l.conditions.pariDispari[2] && l.conditions.pariDispari[3]);
    EXPECT_FALSE(l.conditions.pariDispari[4]);
    EXPECT_TRUE(l.conditions.sommaAttiva);
    EXPECT_EQ(l.conditions.sommaMin, 120);
    EXPECT_EQ(l.conditions.sommaMax, 200);

    // "Lista=" resets the sum range to the new prediction's limits; a later "Somma=" overrides it.
    l = load("Somma=50 - 60\r\n" + kTen);
    EXPECT_TRUE(l.conditions.sommaAttiva);
    EXPECT_EQ(l.conditions.sommaMin, 21);
    EXPECT_EQ(l.conditions.sommaMax, 45);

    // A type not offered for its size leaves the first entry selected.
    l = load("Sistema=12 numeri ridotto n-9\r\n");
    EXPECT_EQ(l.size, 12);
    EXPECT_EQ(l.selectedIndex, 0);
    EXPECT_EQ(l.entryText, "12 numeri sistema Integrale");

    // The stored size and type survive a list of another count; the run refuses the mismatch later.
    l = load("Sistema=12 numeri ridotto n-3\r\n" + kTen);
    EXPECT_EQ(l.size, 12);
    EXPECT_EQ(l.selectedIndex, 5);
    EXPECT_EQ(l.prediction.count(), 10);

    // Lines with no key before "Gruppi" are ignored; after it every line is a group line.
    l = load("Commento\r\nsistema=11\r\n" + kTen + "Gruppi\r\n-5-17-23Punti2-4\r\n");
    EXPECT_EQ(l.size, 10);
    EXPECT_EQ(l.prediction.count(), 10);
    ASSERT_EQ(l.conditions.gruppi.size(), 1u);
    EXPECT_EQ(loadError(kTen + "Gruppi\r\n-5-17-23Punti2-4\r\nSistema=12 numeri sistema Integrale\r\n"),
              "Riga 4: gruppo senza \"Punti\" minimo-massimo")
        << "a key after \"Gruppi\" is a (here damaged) group line";
}

TEST(SystemFile, GroupLines)
{
    LoadedSystem l = load(kTen + "Gruppi\r\n-5-17-23Punti2-4\r\n");
    ASSERT_EQ(l.conditions.gruppi.size(), 1u);
    EXPECT_TRUE(l.conditions.gruppiAttivi);
    EXPECT_EQ(l.conditions.gruppi[0], (Group{"-5-17-23", 2, 4}));
    // "Gruppi" alone: active, no group, nothing shown or saved.
    l = load(kTen + "Gruppi");
    EXPECT_TRUE(l.conditions.gruppiAttivi);
    EXPECT_TRUE(l.conditions.gruppi.empty());
    // LF-only line ends are read too.
    l = load("Sistema=10 numeri ridotto n-2\nLista=1 2 3 4 5 6 7 8 9 10 \nGruppi\n-1-2Punti1-1\n");
    EXPECT_EQ(l.selectedIndex, 4);
    EXPECT_EQ(l.conditions.gruppi.at(0), (Group{"-1-2", 1, 1}));
}

TEST(SystemFile, ReadingFailures)
{
    EXPECT_EQ(loadError("Sistema=9 numeri sistema Integrale\r\n"), "Riga 1: dimensione del sistema fuori da 10 a 55");
    EXPECT_EQ(loadError("Sistema=56 numeri ridotto n-3\r\n"), "Riga 1: dimensione del sistema fuori da 10 a 55");
    EXPECT_EQ(loadError("Sistema=\r\n"), "Riga 1: dimensione del sistema fuori da 10 a 55");
    EXPECT_EQ(loadError("Sistema=10 numeri sistema Integrale\r\nLista=1 2 91 \r\n"),
              "Riga 2: il numero \"91\" della lista non è da 1 a 90");
    EXPECT_EQ(loadError("Lista=0 \r\n"), "Riga 1: il numero \"0\" della lista non è da 1 a 90");
    EXPECT_EQ(loadError("Lista=1 x2 \r\n"), "Riga 1: il numero \"x2\" della lista non è da 1 a 90");
    std::string many = "Lista=";
    for (int n = 1; n <= 56; ++n)
        many += std::to_string(n) + " ";
    EXPECT_EQ(loadError(many), "Riga 1: più di 55 numeri nella lista");
    std::string fixed = "Presenze=";
    for (int n = 0; n < 91; ++n)
        fixed += "1-";
    EXPECT_EQ(loadError(fixed), "Riga 1: più di 90 numeri fissi");
    EXPECT_EQ(loadError("Presenze=5-95-\r\n"), "Riga 1: numero fisso 95 fuori da 1 a 90");
    EXPECT_EQ(loadError("PariDispari=2-7-\r\n"), "Riga 1: numero di pari 7 fuori da 0 a 6");
    EXPECT_EQ(loadError("Consecutivi=6-\r\n"), "Riga 1: numero di consecutivi 6 fuori da 0 a 5");
    EXPECT_EQ(loadError("Somma=120\r\n"), "Riga 1: somma senza minimo - massimo");
    EXPECT_EQ(loadError("Gruppi\r\n-5-17\r\n"), "Riga 2: gruppo senza \"Punti\" minimo-massimo");
    EXPECT_EQ(loadError("Gruppi\r\n-5-17Punti2\r\n"), "Riga 2: gruppo senza \"Punti\" minimo-massimo");
    EXPECT_EQ(loadError("Gruppi\r\n-5-5Punti1-2\r\n"), "Riga 2: i numeri del gruppo non sono validi");
    EXPECT_EQ(loadError("Gruppi\r\n5-17Punti1-2\r\n"), "Riga 2: i numeri del gruppo non sono validi");
    EXPECT_EQ(loadError("Gruppi\r\n-5-91Punti1-2\r\n"), "Riga 2: i numeri del gruppo non sono validi");
    EXPECT_EQ(loadError("Gruppi\r\n-5-17Punti3-2\r\n"), "Riga 2: punteggio del gruppo non valido");
    EXPECT_EQ(loadError("Gruppi\r\n-5-17Punti1-7\r\n"), "Riga 2: punteggio del gruppo non valido");
    std::string groups = "Gruppi\r\n";
    for (int g = 0; g < 101; ++g)
        groups += "-1Punti0-1\r\n";
    EXPECT_EQ(loadError(groups), "Riga 102: più di 100 gruppi");
    EXPECT_EQ(readSystemFile("/nonexistent/sistema.sup").error, "impossibile leggere il file /nonexistent/sistema.sup");
}

TEST(SystemFile, RepeatedListNumbersLoadAndAreLeftToTheRunCheck)
{
    const LoadedSystem l = load("Lista=5 5 7 \r\n");
    EXPECT_EQ(l.prediction.text(), "5 5 7 ");
    EXPECT_EQ(l.prediction.count(), 3);
}

TEST(SystemFile, WriteThenReadFromDisk)
{
    testutil::TempDir dir;
    SavedSystem s{"22 numeri in 77 sestine a garanzia tre con 3 estratti", {}, {}};
    for (int n = 1; n <= 22; ++n)
        s.pronostico.push_back(static_cast<std::uint8_t>(n * 4));
    std::string error;
    ASSERT_TRUE(writeSystemFile(dir.file("a.sup"), s, error)) << error;
    EXPECT_EQ(testutil::readFile(dir.file("a.sup")), systemFileText(s));
    const LoadOutcome l = readSystemFile(dir.file("a.sup"));
    ASSERT_TRUE(l.ok());
    EXPECT_EQ(l.system.selectedIndex, 1);
    EXPECT_FALSE(writeSystemFile(dir.file("missing/b.sup"), s, error));
    EXPECT_EQ(error, "impossibile scrivere il file " + dir.file("missing/b.sup"));
}
