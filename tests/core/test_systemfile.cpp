#include "core/systemfiles/systemfile.h"

#include "tests/common/testutil.h"

#include <gtest/gtest.h>

using namespace sestara;

namespace {

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

TEST(SystemFile, WrittenInRecordOrderAndReadBack)
{
    SavedSystem plain{"10 numeri sistema Integrale", testutil::pronostico(1, 10), {}};
    plain.conditions.salvaPresenze({5}, false); // inactive conditions are not written
    plain.conditions.salvaGruppi({{"-1-2", 1, 1}}, false);
    EXPECT_EQ(systemFileText(plain), "Sistema=10 numeri sistema Integrale\r\n" + kTen);

    SavedSystem s{"12 numeri ridotto n-2", {5, 8, 17, 21, 23, 33, 40, 51, 60, 70, 80, 90}, {}};
    s.conditions.salvaPresenze({5, 17, 33}, true);
    s.conditions.salvaPariDispari({3, 2}, true);
    s.conditions.salvaConsecutivi({0, 1}, true);
    s.conditions.salvaSomma(true, 120, 200, 104, 384);
    s.conditions.salvaGruppi({{"-5-17-23", 2, 3}, {"-40-51", 0, 1}}, true);
    const std::string text = "Sistema=12 numeri ridotto n-2\r\nLista=5 8 17 21 23 33 40 51 60 70 80 90 \r\n"
                             "Presenze=5-17-33-\r\nPariDispari=2-3-\r\nConsecutivi=0-1-\r\nSomma=120 - 200\r\n"
                             "Gruppi\r\n-5-17-23Punti2-3\r\n-40-51Punti0-1\r\n";
    testutil::TempDir dir;
    std::string error;
    ASSERT_TRUE(writeSystemFile(dir.file("a.sup"), s, error)) << error;
    EXPECT_EQ(testutil::readFile(dir.file("a.sup")), text);
    const LoadOutcome l = readSystemFile(dir.file("a.sup"));
    EXPECT_EQ(l.system.size, 12);
    EXPECT_EQ(l.system.selectedIndex, 4);
    EXPECT_EQ(l.system.entryText, s.entryText);
    EXPECT_EQ(l.system.prediction.numbers(), s.pronostico);
    EXPECT_EQ(l.system.conditions, s.conditions);
    EXPECT_FALSE(writeSystemFile(dir.file("manca/b.sup"), s, error));
    EXPECT_EQ(error, "impossibile scrivere il file " + dir.file("manca/b.sup") + ": la cartella non esiste");
}

TEST(SystemFile, ReadingRules)
{
    // A type not offered for its size leaves the first entry of the size selected; a list of another
    // count is loaded as it stands (the run refuses it); lines with no key are ignored.
    LoadedSystem l = load("Commento\r\nsistema=11\r\nSistema=12 numeri ridotto n-9\r\n" + kTen);
    EXPECT_EQ(l.size, 12);
    EXPECT_EQ(l.selectedIndex, 0);
    EXPECT_EQ(l.entryText, "12 numeri sistema Integrale");
    EXPECT_EQ(l.prediction.count(), 10);
    EXPECT_FALSE(l.conditions.anyActive());
    EXPECT_EQ(load("Lista=5 5 7 \r\n").prediction.text(), "5 5 7 ") << "repeats are left to the run";

    // "Lista=" resets the sum range to the new prediction's limits; a later "Somma=" overrides it.
    l = load("Somma=50 - 60\r\n" + kTen + "PariDispari=2-3-\r\n");
    EXPECT_TRUE(l.conditions.sommaAttiva);
    EXPECT_EQ(l.conditions.sommaMin, 21);
    EXPECT_EQ(l.conditions.sommaMax, 45);
    EXPECT_TRUE(l.conditions.pariDispariAttivo);
    EXPECT_EQ(l.conditions.pariDispari, (std::array<bool, 7>{false, false, true, true, false, false, false}));

    // LF-only and CR-only line ends are read too, and a UTF-8 byte-order mark is skipped.
    for (const std::string end : {"\n", "\r"}) {
        for (const std::string mark : {"", "\xEF\xBB\xBF"}) {
            SCOPED_TRACE(end == "\n" ? "LF" : "CR");
            l = load(mark + "Sistema=10 numeri ridotto n-2" + end + "Lista=1 2 3 4 5 6 7 8 9 10 " + end + "Gruppi" +
                     end + "-1-2Punti1-1" + end);
            EXPECT_EQ(l.selectedIndex, 4);
            EXPECT_EQ(l.prediction.count(), 10);
            EXPECT_EQ(l.conditions.gruppi, std::vector<Group>{(Group{"-1-2", 1, 1})});
        }
    }
}

TEST(SystemFile, EveryLineAfterGruppiIsAGroupLine)
{
    // The key is found as the start of the line grows, so "Gruppi" with anything after it is the key;
    // after it, lines starting with a key are group lines too, their number text kept as it stands.
    LoadedSystem l = load(kTen + "Gruppi e altro\r\n-5-17-23Punti2-4\r\nSistema=-20-25Punti0-0\r\nLista=-7Punti1-1 \r\n");
    EXPECT_TRUE(l.conditions.gruppiAttivi);
    EXPECT_EQ(l.conditions.gruppi,
              (std::vector<Group>{{"-5-17-23", 2, 4}, {"Sistema=-20-25", 0, 0}, {"Lista=-7", 1, 1}}));
    EXPECT_EQ(l.size, 10) << "no size read from a group line";
    EXPECT_EQ(l.prediction.count(), 10);
    EXPECT_EQ(load(kTen + "Gruppi\r\n-5-5Punti3-2\r\n").conditions.gruppi, std::vector<Group>{(Group{"-5-5", 3, 2})})
        << "numbers and scores are taken as written";

    l = load(kTen + "Gruppi");
    EXPECT_TRUE(l.conditions.gruppiAttivi);
    EXPECT_TRUE(l.conditions.gruppi.empty());
    EXPECT_FALSE(load(kTen + "Grupp\r\n-1Punti0-1").conditions.gruppiAttivi) << "no key: ignored";
}

TEST(SystemFile, ReadingFailures)
{
    // Each text follows a valid "Lista=" line. Counts are refused at the first value past the limit,
    // before anything after it is read.
    std::string many = "Lista=", fixed = "Presenze=", groups = "Gruppi\r\n", wide = "Gruppi\r\n";
    for (int n = 1; n <= 56; ++n)
        many += std::to_string(n) + " ";
    for (int n = 0; n < 91; ++n)
        fixed += "1-";
    for (int g = 0; g < 101; ++g)
        groups += "-1Punti0-1\r\n";
    for (int n = 1; n <= 91; ++n)
        wide += "-" + std::to_string(n);
    const std::pair<std::string, std::string> cases[] = {
        {"Sistema=9 numeri sistema Integrale\r\n", "Riga 2: dimensione del sistema fuori da 10 a 55"},
        {"Sistema=56 numeri ridotto n-3\r\n", "Riga 2: dimensione del sistema fuori da 10 a 55"},
        {"Sistema=10 numeri sistema Integrale\r\nLista=1 2 91 \r\n", "Riga 3: il numero \"91\" della lista non è da 1 a 90"},
        {"Lista=0 \r\n", "Riga 2: il numero \"0\" della lista non è da 1 a 90"},
        {many + "x \r\n", "Riga 2: più di 55 numeri nella lista"},
        {fixed + "+1-\r\n", "Riga 2: più di 90 numeri fissi"},
        {"Presenze=5-95-\r\n", "Riga 2: numero fisso 95 fuori da 1 a 90"},
        {"Presenze=99999999999999999999-\r\n", "Riga 2: numero fisso 99999999999999999999 fuori da 1 a 90"},
        {"PariDispari=2-7-\r\n", "Riga 2: numero di pari 7 fuori da 0 a 6"},
        {"Consecutivi=6-\r\n", "Riga 2: numero di consecutivi 6 fuori da 0 a 5"},
        {"Somma=120\r\n", "Riga 2: somma senza minimo - massimo"},
        {"Gruppi\r\n-5-17\r\n", "Riga 3: gruppo senza \"Punti\" minimo-massimo"},
        {"Gruppi\r\n-5-17Punti2\r\n", "Riga 3: gruppo senza \"Punti\" minimo-massimo"},
        {"Gruppi\r\n-5-2Punti\r\n", "Riga 3: gruppo senza \"Punti\" minimo-massimo"},
        {"Gruppi\r\n-1Punti0-1\r\n\r\n", "Riga 4: gruppo senza \"Punti\" minimo-massimo"},
        {groups, "Riga 103: più di 100 gruppi"},
        {wide + "Punti0-1\r\n", "Riga 3: più di 90 numeri nel gruppo"},
        // Numbers are written as bare digits: a sign is refused wherever digits are due, and the
        // text is repeated as written. Every "-" of a group's number text opens the next number.
        {"Sistema=-12 numeri sistema Integrale\r\n", "Riga 2: segno non ammesso in \"-12\""},
        {"Lista=1 -2 3 \r\n", "Riga 2: segno non ammesso in \"-2\""},
        {"Presenze=-1-\r\n", "Riga 2: segno non ammesso in \"-1\""},
        {"Presenze=5- +17-\r\n", "Riga 2: segno non ammesso in \"+17\""},
        {"PariDispari=2--\r\n", "Riga 2: segno non ammesso in \"-\""},
        {"Somma=-5 - 200\r\n", "Riga 2: segno non ammesso in \"-5\""},
        {"Somma=120 - -200\r\n", "Riga 2: segno non ammesso in \"-200\""},
        {"Gruppi\r\n-5-17Punti-1-2\r\n", "Riga 3: segno non ammesso in \"-1\""},
        {"Gruppi\r\n-5-17Punti1--2\r\n", "Riga 3: segno non ammesso in \"-2\""},
        {"Gruppi\r\n-5--17Punti1-2\r\n", "Riga 3: segno non ammesso in \"-17\""},
        {"Gruppi\r\n-5- +17Punti1-2\r\n", "Riga 3: segno non ammesso in \"+17\""},
        // A bad token is repeated up to 40 characters, control characters and other bytes escaped.
        {"Presenze=+" + std::string(39, 'x') + "-\r\n", "Riga 2: segno non ammesso in \"+" + std::string(39, 'x') + "\""},
        {"Lista=\a\xe8" + std::string(39, 'x') + " \r\n",
         "Riga 2: il numero \"\\x07\\xe8" + std::string(38, 'x') + "...\" della lista non è da 1 a 90"},
    };
    for (const auto& [text, error] : cases)
        EXPECT_EQ(loadError(kTen + text), error) << text;
    EXPECT_EQ(loadError(kTen + groups.substr(0, groups.size() - 12)), "") << "100 groups are allowed";

    // Without a "Sistema=" or "Lista=" record before "Gruppi" the text is no system file at all.
    const std::string lowerCaseKeys = "sistema=10 numeri sistema Integrale\r\nlista=1 2 3 \r\n";
    for (const std::string& text : {std::string(), lowerCaseKeys, "Commento\r\nGruppi\r\n" + kTen})
        EXPECT_EQ(loadError(text), "non è un file di sistema") << text;

    // Only a file of at most 1 MiB is read; the reasons for the others are those of every file read.
    testutil::TempDir dir;
    const std::string padded = kTen + std::string((1 << 20) - kTen.size(), ' ');
    dir.write("pieno.sup", padded);
    dir.write("oltre.sup", padded + " ");
    EXPECT_TRUE(readSystemFile(dir.file("pieno.sup")).ok());
    EXPECT_EQ(readSystemFile(dir.file("oltre.sup")).error,
              "impossibile leggere il file " + dir.file("oltre.sup") +
                  ": il file è troppo grande (1048577 byte, al massimo 1048576)");
}

TEST(SystemFile, SuperStarRecordAfterTheConditionsAndBeforeGruppi)
{
    SavedSystem s{"10 numeri sistema Integrale", testutil::pronostico(1, 10), {}};
    s.superStar = 90;
    s.conditions.salvaSomma(true, 30, 40, 21, 45);
    s.conditions.salvaGruppi({{"-1-2", 1, 2}}, true);
    const std::string text = "Sistema=10 numeri sistema Integrale\r\n" + kTen +
                             "Somma=30 - 40\r\nSuperStar=90\r\nGruppi\r\n-1-2Punti1-2\r\n";
    EXPECT_EQ(systemFileText(s), text);
    EXPECT_EQ(load(text).superStar, 90);
    EXPECT_EQ(load(kTen + "SuperStar=090\r\n").superStar, 90) << "a leading zero is read";
    EXPECT_EQ(load("Sistema=55 numeri ridotto n-3\r\n" + kTen).size, 55);
    // After "Gruppi" it is a group line like any other.
    EXPECT_EQ(loadError(kTen + "Gruppi\r\nSuperStar=5\r\n"), "Riga 3: gruppo senza \"Punti\" minimo-massimo");
    for (const std::string value : {"0", "91", "", "7 8"})
        EXPECT_EQ(loadError(kTen + "SuperStar=" + value + "\r\n"), "Riga 2: SuperStar \"" + value + "\" non è da 1 a 90");
    EXPECT_EQ(loadError(kTen + "SuperStar=-7\r\n"), "Riga 2: segno non ammesso in \"-7\"");
}
