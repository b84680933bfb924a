#include "core/draws/draw.h"
#include "core/draws/drawarchive.h"
#include "core/draws/drawstats.h"
#include "core/draws/historycheck.h"

#include "core/development/developers.h"
#include "core/development/development.h"

#include "tests/common/filesizelimit.h"
#include "tests/common/testutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

using namespace sestara;

namespace {

const std::atomic<bool> kNever{false};

Draw draw(int date, std::array<std::uint8_t, 6> numbers, int jolly, int superstar = 0, int concorso = 0)
{
    Draw d;
    d.date = date;
    d.numbers = numbers;
    d.jolly = static_cast<std::uint8_t>(jolly);
    d.superstar = static_cast<std::uint8_t>(superstar);
    d.concorso = concorso;
    return d;
}

// The day the readings below take for today.
constexpr int kToday = 20240301;

// The single draw of a line, written back as an archive line; or the line's refusal reason.
std::string readOne(const std::string& line)
{
    const DrawReading r = readDraws(line, kToday);
    if (r.draws.size() == 1 && r.refused.empty())
        return archiveLine(r.draws[0]);
    if (r.draws.empty() && r.refused.size() == 1)
        return "! " + r.refused[0].reason;
    return "? " + std::to_string(r.draws.size()) + " draws, " + std::to_string(r.refused.size()) + " refused";
}

} // namespace

TEST(DrawImport, SeparatorsAndDateForms)
{
    const std::pair<const char*, const char*> cases[] = {
        {"2024-01-04;5;12;33;40;71;88;9", ";2024-01-04;5;12;33;40;71;88;9;"},
        {"04/01/2024 5 12 33 40 71 88 9 17", ";2024-01-04;5;12;33;40;71;88;9;17"},
        {"4-1-2024\t5\t12\t33\t40\t71\t88\t9", ";2024-01-04;5;12;33;40;71;88;9;"},
        {"  3 , 04/01/2024 ,, 05;;12 ; 33\t\t40,71 88 09 ", "3;2024-01-04;5;12;33;40;71;88;9;"},
        {"123456;29/02/2024;1;2;3;4;5;6;7;7", "123456;2024-02-29;1;2;3;4;5;6;7;7"},
        {"1;2024-01-04;90;2;3;4;5;6;1;90", "1;2024-01-04;90;2;3;4;5;6;1;90"},
        {"2024-02-29;1;2;3;4;5;6;7\r", ";2024-02-29;1;2;3;4;5;6;7;"},
        {"01/03/2024 1 2 3 4 5 6 7", ";2024-03-01;1;2;3;4;5;6;7;"},
        // A no-break space from a web page, in UTF-8 and in Latin-1.
        {"04/01/2024\xC2\xA0" "5\xC2\xA0\xC2\xA0" "12 33 40 71 88 9", ";2024-01-04;5;12;33;40;71;88;9;"},
        {"04/01/2024\xA0" "5\xA0" "12\xA0" "33 40 71 88 9", ";2024-01-04;5;12;33;40;71;88;9;"},
        // All ten fields: the concorso after the date.
        {"2019-01-07;1;19;48;39;31;81;67;52;90", "1;2019-01-07;19;48;39;31;81;67;52;90"},
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(readOne(line), expected) << line;
}

TEST(DrawImport, EachRefusalWithItsReason)
{
    const std::pair<const char*, const char*> cases[] = {
        {"0;2024-01-04;1;2;3;4;5;6;7", "! concorso non valido: \"0\""},
        {"1234567;2024-01-04;1;2;3;4;5;6;7", "! concorso non valido: \"1234567\""},
        {"12", "! data mancante"},
        {"12 1 2 3 4 5 6 7", "! data mancante"},
        {"12;2024-01-04", "! mancano dei numeri: servono sei numeri e il jolly"},
        {"2023-02-29;1;2;3;4;5;6;7", "! data non valida: \"2023-02-29\""},
        {"31/04/2024;1;2;3;4;5;6;7", "! data non valida: \"31/04/2024\""},
        {"1899-12-31;1;2;3;4;5;6;7", "! data non valida: \"1899-12-31\""},
        {"2024/01/04;1;2;3;4;5;6;7", "! data non valida: \"2024/01/04\""},
        {"04/01/24;1;2;3;4;5;6;7", "! data non valida: \"04/01/24\""},
        {"2024-01-04;1;2;3;4;5;6", "! mancano dei numeri: servono sei numeri e il jolly"},
        {"2024-01-04;1;2;3;4;5;6;7;8;9;10", "! troppi campi: dopo il jolly c'è solo il superstar"},
        {"2024-01-04;x;2;3;4;5;6;7;8;9", "! concorso non valido: \"x\""},
        {"-6;2024-01-11;1;2;3;4;5;6;7", "! segno non ammesso: \"-6\""},
        {"+8 2024-01-11 1 2 3 4 5 6 7", "! segno non ammesso: \"+8\""},
        {"02/03/2024 1 2 3 4 5 6 7", "! data futura: \"02/03/2024\" (oggi è il 01/03/2024)"},
        {"2024-01-04;1;2;3;91;5;6;7", "! numero non valido: \"91\" (da 1 a 90)"},
        {"2024-01-04;1;2;3;0;5;6;7", "! numero non valido: \"0\" (da 1 a 90)"},
        {"2024-01-04;1;2;3;x4;5;6;7", "! numero non valido: \"x4\" (da 1 a 90)"},
        {"2024-01-04;1;2;3;004;5;6;7", "! numero non valido: \"004\" (da 1 a 90)"},
        {"2024-01-04;1;2;3;2;5;6;7", "! numero ripetuto: 2"},
        {"2024-01-04;1;2;3;4;5;6;99", "! jolly non valido: \"99\" (da 1 a 90)"},
        {"2024-01-04;1;2;3;4;5;6;6", "! jolly uguale a un numero estratto: 6"},
        {"2024-01-04;1;2;3;4;5;6;7;0", "! superstar non valido: \"0\" (da 1 a 90)"},
        {"2024-01-04;1;2;3;4;5;6;7;\xe8", "! superstar non valido: \"\\xe8\" (da 1 a 90)"},
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(readOne(line), expected) << line;
}

TEST(DrawImport, HeadersBlankLinesLineEndsAndLineNumbers)
{
    // A header in Latin-1 ("Città" with 0xE0), a BOM, blank lines, CR LF, LF and a lone CR.
    const std::string text = "\xEF\xBB\xBF"
                             "Concorso;Data;N1;N2;N3;N4;N5;N6;Jolly;SuperStar\r\n"
                             "Citt\xe0 di estrazione: Roma\r\n"
                             "\r\n"
                             " ;;\n"
                             "1;02/01/2024;1;2;3;4;5;6;7;8\r"
                             "2;04/01/2024;1;2;3;4;5;6;99\n"
                             "Citt\xc3\xa0\n"
                             "3;06/01/2024;10;20;30;40;50;60;70\n"
                             "30-01-2019\t5\t14\t1\t2\t3\t4\t5\r\n";
    const DrawReading r = readDraws(text, kToday);
    ASSERT_EQ(r.draws.size(), 2u);
    EXPECT_EQ(r.lines, (std::vector<std::size_t>{5, 8}));
    EXPECT_EQ(r.draws[1].concorso, 3);
    ASSERT_EQ(r.refused.size(), 2u);
    EXPECT_EQ(r.refused[0].line, 6u);
    EXPECT_EQ(refusedLineText(r.refused[0]),
              "Riga 6: jolly non valido: \"99\" (da 1 a 90) (\"2;04/01/2024;1;2;3;4;5;6;99\")");
    EXPECT_EQ(refusedLineText(r.refused[1]), "Riga 9: jolly uguale a un numero estratto: 5 (\"30-01-2019 5 14 1 2 3 4 5\")");
    EXPECT_TRUE(readDraws("").draws.empty());
    EXPECT_TRUE(readDraws("\n\n").refused.empty());
}

TEST(DrawArchive, NewPresentAndConflictingDrawsAndTheMessage)
{
    DrawArchive archive;
    EXPECT_EQ(archive.add(draw(20240104, {1, 2, 3, 4, 5, 6}, 7)), DrawArchive::AddResult::Added);
    EXPECT_EQ(archive.add(draw(20240102, {8, 9, 10, 11, 12, 13}, 14, 15)), DrawArchive::AddResult::Added);
    // The same numbers in another order, a superstar the archive did not know: already there.
    EXPECT_EQ(archive.add(draw(20240104, {6, 5, 4, 3, 2, 1}, 7, 44, 9)), DrawArchive::AddResult::Present);
    EXPECT_EQ(archive.add(draw(20240104, {1, 2, 3, 4, 5, 6}, 8)), DrawArchive::AddResult::Conflict);
    EXPECT_EQ(archive.add(draw(20240102, {8, 9, 10, 11, 12, 13}, 14, 16)), DrawArchive::AddResult::Conflict);
    EXPECT_EQ(archive.text(), ";2024-01-02;8;9;10;11;12;13;14;15\n;2024-01-04;1;2;3;4;5;6;7;\n");

    const std::string file = "Data N1 N2\n"                     // 1 header
                             "2024-01-04;1;2;3;4;5;6;7\n"       // 2 present
                             "2024-01-04;1;2;3;4;5;6;9\n"       // 3 conflict with the archive
                             "2024-01-09;1;2;3;4;5;6;9\n"       // 4 new
                             "2024-01-09;1;2;3;4;5;6;10\n"      // 5 conflict within the file
                             "2024-01-09;6;5;4;3;2;1;9\n"       // 6 present (the line above it)
                             "2024-01-07;1;2;3;4;5;6\n"         // 7 refused
                             "2024-01-07;1;2;3;4;5;6;6\n"       // 8 refused
                             "x\n2024-01-07;1\n"                // 9 header, 10 refused
                             "2024-01-11;1;2;3;4;5;6;7;91\n"    // 11 refused
                             "2024-01-06;11;12;13;14;15;16;1\n"; // 12 new
    std::vector<std::size_t> each;
    const ImportSummary s = archive.import(readDraws(file, kToday), [&](const RefusedLine& r) { each.push_back(r.line); });
    EXPECT_EQ(s.added, 2u);
    EXPECT_EQ(s.present, 2u);
    EXPECT_EQ(each, (std::vector<std::size_t>{3, 5})) << "the conflicts, as they are found";
    // Six refused, the first five shown.
    EXPECT_EQ(importMessage(s, kMsgNessunaEstrazioneFile),
              "Importate 2 estrazioni, 2 già presenti, 6 righe scartate\n"
              "Riga 3: estrazione del 04/01/2024 già presente con altri numeri (\";2024-01-04;1;2;3;4;5;6;9;\")\n"
              "Riga 5: estrazione del 09/01/2024 già presente con altri numeri (\";2024-01-09;1;2;3;4;5;6;10;\")\n"
              "Riga 7: mancano dei numeri: servono sei numeri e il jolly (\"2024-01-07;1;2;3;4;5;6\")\n"
              "Riga 8: jolly uguale a un numero estratto: 6 (\"2024-01-07;1;2;3;4;5;6;6\")\n"
              "Riga 10: mancano dei numeri: servono sei numeri e il jolly (\"2024-01-07;1\")");
    std::vector<int> dates;
    for (const Draw& d : archive.draws())
        dates.push_back(d.date);
    EXPECT_EQ(dates, (std::vector<int>{20240102, 20240104, 20240106, 20240109}));
    EXPECT_EQ(archive.between(20240104, 20240106).size(), 2u);
    EXPECT_EQ(archive.between(0, 20240103).size(), 1u);
    EXPECT_EQ(archive.between(20240110, 0).size(), 0u);
    archive.remove({20240104, 20240109, 20200101});
    EXPECT_EQ(archive.text(), ";2024-01-02;8;9;10;11;12;13;14;15\n;2024-01-06;11;12;13;14;15;16;1;\n");

    // A text without a single draw says so, and still lists what it refused.
    EXPECT_EQ(importMessage(archive.import(readDraws("1;2;3\n")), kMsgNessunaEstrazioneTesto),
              "Il testo incollato non contiene alcuna estrazione\nRiga 1: data mancante (\"1;2;3\")");
    // One of each: the singular.
    EXPECT_EQ(importMessage(archive.import(readDraws("2024-01-02;8;9;10;11;12;13;14\n2024-01-03;8;9;10;11;12;13;14\nx1\n1\n", kToday)), ""),
              "Importata 1 estrazione, 1 già presente, 1 riga scartata\nRiga 4: data mancante (\"1\")");
}

TEST(DrawArchive, EditsKeepTheLinesNotTakenInTheirPlace)
{
    const testutil::TempDir dir;
    const std::string path = dir.file(kDrawArchiveFileName);
    const std::string kept1 = "# note\r\n";
    const std::string kept2 = "-6;2024-01-11;1;2;3;4;5;6;7\n\n;2024-01-04;5;12;33;40;71;95;7;\n";
    const std::string kept3 = ";2024-01-04;1;2;3;4;5;6;8;\n\xE0 \t\n";
    dir.write(kDrawArchiveFileName, kept1 + ";2024-01-02;1;2;3;4;5;6;7;\n" + kept2 + ";2024-01-04;1;2;3;4;5;6;7;\n" +
                                        ";2024-01-04;6;5;4;3;2;1;7;\n" + kept3 + "5;2024-01-09;1;2;3;4;5;6;7;9\n");
    ArchiveLoad load = loadDrawArchive(path, kToday);
    ASSERT_TRUE(load.ok());
    EXPECT_EQ(load.archive.draws().size(), 3u);
    EXPECT_EQ(keptLinesWarning(load.summary, path),
              "L'archivio delle estrazioni " + path + " contiene 3 righe non valide: restano nel file così come "
              "sono, ma non vengono usate:\n"
              "Riga 3: segno non ammesso: \"-6\" (\"-6;2024-01-11;1;2;3;4;5;6;7\")\n"
              "Riga 5: numero non valido: \"95\" (da 1 a 90) (\";2024-01-04;5;12;33;40;71;95;7;\")\n"
              "Riga 8: estrazione del 04/01/2024 già presente con altri numeri (\";2024-01-04;1;2;3;4;5;6;8;\")");

    // A draw added between two others, the draw before the kept lines removed: they stay in place.
    DrawArchive changed = load.archive;
    Draw d;
    d.date = 20240103;
    d.numbers = {11, 12, 13, 14, 15, 16};
    d.jolly = 17;
    changed.add(d);
    changed.remove({20240102});
    ASSERT_EQ(saveDrawArchive(changed, path), "");
    EXPECT_EQ(testutil::readFile(path), kept1 + kept2 + ";2024-01-03;11;12;13;14;15;16;17;\n" +
                                            ";2024-01-04;1;2;3;4;5;6;7;\n" + kept3 + "5;2024-01-09;1;2;3;4;5;6;7;9\n");
    // A last line without its end gets one when a draw follows it.
    DrawArchive noted;
    noted.keepLines(0, "note");
    noted.add(d);
    EXPECT_EQ(noted.text(), "note\n;2024-01-03;11;12;13;14;15;16;17;\n");
    EXPECT_EQ(keptLinesWarning(loadDrawArchive(path, 20240108).summary, path),
              "L'archivio delle estrazioni " + path + " contiene 4 righe non valide: restano nel file così come "
              "sono, ma non vengono usate:\n"
              "Riga 2: segno non ammesso: \"-6\" (\"-6;2024-01-11;1;2;3;4;5;6;7\")\n"
              "Riga 4: numero non valido: \"95\" (da 1 a 90) (\";2024-01-04;5;12;33;40;71;95;7;\")\n"
              "Riga 7: estrazione del 04/01/2024 già presente con altri numeri (\";2024-01-04;1;2;3;4;5;6;8;\")\n"
              "Riga 9: data futura: \"2024-01-09\" (oggi è il 08/01/2024)"
              " (\"5;2024-01-09;1;2;3;4;5;6;7;9\")");
    dir.write("uno.txt", "x\n1;2\n");
    EXPECT_EQ(keptLinesWarning(loadDrawArchive(dir.file("uno.txt")).summary, "uno.txt"),
              "L'archivio delle estrazioni uno.txt contiene 1 riga non valida: resta nel file così com'è, ma non "
              "viene usata:\nRiga 2: data mancante (\"1;2\")");
}

TEST(DrawArchive, WhatIsExportedImportsBackWhole)
{
    // Concorso and superstar known, either one missing, both missing.
    const std::vector<Draw> draws = {draw(20190107, {19, 48, 39, 31, 81, 67}, 52, 0, 1),
                                     draw(20190108, {1, 2, 3, 4, 5, 6}, 7, 8),
                                     draw(20190110, {1, 2, 3, 4, 5, 6}, 7, 9, 3),
                                     draw(20190112, {10, 20, 30, 40, 50, 60}, 70)};
    std::string expected;
    for (const Draw& d : draws)
        expected += archiveLine(d) + '\n';
    DrawArchive archive;
    EXPECT_EQ(archive.import(readDraws(drawsCsvText(draws))).refusedCount, 0u);
    EXPECT_EQ(archive.text(), expected);

    HistoryResult checked;
    for (const Draw& d : draws)
        checked.rows.push_back({d, {1, 0, 0, 0, 0, 0}});
    DrawArchive fromHistory;
    EXPECT_EQ(fromHistory.import(readDraws(historyCsvText(checked))).refusedCount, 0u);
    EXPECT_EQ(fromHistory.text(), expected);

    // A header lays out only the lines with its columns; a note below it does not undo it.
    const DrawReading r = readDraws("Concorso;Data;N1;N2;N3;N4;N5;N6;Jolly\nx\n;2019-01-07;1;2;3;4;5;6;7\n"
                                    "2019-01-08 1 2 3 4 5 6 7 8\n1;2019-01-09;1;2;3;4;5;6;\n");
    ASSERT_EQ(r.draws.size(), 2u);
    EXPECT_EQ(archiveLine(r.draws[1]), ";2019-01-08;1;2;3;4;5;6;7;8");
    EXPECT_EQ(refusedLineText(r.refused.at(0)), "Riga 5: jolly non valido: \"\" (da 1 a 90) (\"1;2019-01-09;1;2;3;4;5;6;\")");
}

TEST(DrawArchive, FileReadBackSavedAtomicallyAndBounded)
{
    const testutil::TempDir dir;
    const std::string path = dir.file(kDrawArchiveFileName);
    // A missing archive is an empty one.
    ArchiveLoad load = loadDrawArchive(path);
    EXPECT_TRUE(load.ok());
    EXPECT_TRUE(load.archive.empty());

    DrawArchive archive;
    archive.add(draw(20231230, {90, 1, 45, 2, 60, 3}, 4, 5, 154));
    archive.add(draw(20240102, {8, 9, 10, 11, 12, 13}, 14));
    ASSERT_EQ(saveDrawArchive(archive, path), "");
    const std::string saved = "154;2023-12-30;90;1;45;2;60;3;4;5\n;2024-01-02;8;9;10;11;12;13;14;\n";
    EXPECT_EQ(testutil::readFile(path), saved);
    load = loadDrawArchive(path);
    ASSERT_TRUE(load.ok());
    EXPECT_EQ(load.archive.text(), saved);
    EXPECT_TRUE(load.summary.refused.empty());

    // A save that cannot finish keeps the old file and leaves no temporary one behind.
    archive.add(draw(20240104, {18, 19, 20, 21, 22, 23}, 24));
    {
        const FileSizeLimit limit(saved.size() + 2);
        EXPECT_EQ(saveDrawArchive(archive, path), "Impossibile salvare l'archivio delle estrazioni " + path +
                                                      ": errore di scrittura (file troppo grande)");
    }
    EXPECT_EQ(testutil::readFile(path), saved);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    // Only regular files within the limit are read.
    EXPECT_EQ(loadDrawArchive(dir.path()).error,
              "Impossibile leggere l'archivio delle estrazioni " + dir.path() + ": è una cartella, non un file");
    std::filesystem::resize_file(path, kMaxDrawFileBytes + 1);
    EXPECT_EQ(readDrawFile(path).error, "Impossibile leggere il file " + path + ": il file è troppo grande (" +
                                            std::to_string(kMaxDrawFileBytes + 1) + " byte, al massimo " +
                                            std::to_string(kMaxDrawFileBytes) + ")");
}

TEST(DrawStats, FrequenciesJollyAndDelaysOnAHandMadeArchive)
{
    // Number 1: drawn in draws 1, 2 and 5 of 7; number 2 in draw 3 only; 7 never, jolly twice;
    // 8 only in the latest draw.
    const std::vector<Draw> draws = {
        draw(20240101, {1, 10, 11, 12, 13, 14}, 7), draw(20240102, {1, 20, 21, 22, 23, 24}, 30),
        draw(20240103, {2, 30, 31, 32, 33, 34}, 7), draw(20240104, {40, 41, 42, 43, 44, 45}, 1),
        draw(20240105, {1, 50, 51, 52, 53, 54}, 2), draw(20240106, {60, 61, 62, 63, 64, 65}, 3),
        draw(20240107, {8, 70, 71, 72, 73, 74}, 9),
    };
    const std::array<NumberStats, 90> s = numberStats(draws);
    const auto figures = [&](int n) {
        const NumberStats& x = s[static_cast<std::size_t>(n - 1)];
        EXPECT_EQ(x.number, n);
        return std::vector<std::size_t>{x.frequency, x.jolly, x.delay, x.longestDelay};
    };
    EXPECT_EQ(figures(1), (std::vector<std::size_t>{3, 1, 2, 2}));
    EXPECT_EQ(figures(2), (std::vector<std::size_t>{1, 1, 4, 4}));
    EXPECT_EQ(figures(7), (std::vector<std::size_t>{0, 2, 7, 7}));
    EXPECT_EQ(figures(8), (std::vector<std::size_t>{1, 0, 0, 6}));
    EXPECT_EQ(figures(30), (std::vector<std::size_t>{1, 1, 4, 4}));
    EXPECT_EQ(figures(10), (std::vector<std::size_t>{1, 0, 6, 6}));
    EXPECT_EQ(figures(90), (std::vector<std::size_t>{0, 0, 7, 7}));
    EXPECT_EQ(numberStats({})[0].delay, 0u);
}

namespace {

// Every draw's counters from the index agree with checkWins run on that draw alone; with a
// SuperStar, so do the stella classes of the draws whose superstar is the system's.
WinCounts expectSameAsCheckWins(const Development& d, const std::vector<Draw>& draws, const char* what,
                                int superStar = 0)
{
    const HistoryResult h = checkHistory(d, draws, kNever, {}, superStar);
    WinCounts totals{};
    if (h.rows.size() != draws.size()) {
        ADD_FAILURE() << what << ": " << h.rows.size() << " rows";
        return totals;
    }
    StellaCounts stellaTotals{};
    std::size_t winning = 0;
    std::size_t unknown = 0;
    for (std::size_t k = 0; k < draws.size(); ++k) {
        const WinCheckResult w = checkWins(d, draws[k].drawnList(), false, kNever);
        EXPECT_EQ(h.rows[k].counts, w.counts) << what << " draw " << archiveLine(draws[k]);
        EXPECT_EQ(archiveLine(h.rows[k].draw), archiveLine(draws[k]));
        const bool stella = superStar != 0 && draws[k].superstar == superStar;
        EXPECT_EQ(h.rows[k].stella, stella ? w.stella : StellaCounts{}) << what << " draw " << archiveLine(draws[k]);
        for (int c = 0; c < kStellaClasses; ++c) {
            totals[static_cast<std::size_t>(c % kWinClasses)] += c < kWinClasses ? w.counts[static_cast<std::size_t>(c)] : 0;
            stellaTotals[static_cast<std::size_t>(c)] += stella ? w.stella[static_cast<std::size_t>(c)] : 0;
        }
        winning += std::any_of(w.counts.begin(), w.counts.end(), [](std::uint64_t n) { return n > 0; }) || stella;
        unknown += superStar != 0 && draws[k].superstar == 0;
    }
    EXPECT_EQ(h.totals, totals) << what;
    EXPECT_EQ(h.stellaTotals, stellaTotals) << what;
    EXPECT_EQ(std::make_pair(h.winningDraws, h.withoutSuperStar), std::make_pair(winning, unknown)) << what;
    return totals;
}

// Draws that mostly fall on the prediction, so that every class comes up.
std::vector<Draw> drawsNear(const std::vector<std::uint8_t>& p, std::mt19937& rng, int count)
{
    std::vector<Draw> draws;
    for (int k = 0; k < count; ++k) {
        std::vector<int> pool(p.begin(), p.end());
        std::shuffle(pool.begin(), pool.end(), rng);
        const int inside = static_cast<int>(rng() % 8); // 0..7 of the seven from the prediction
        std::vector<int> seven(pool.begin(), pool.begin() + std::min<int>(inside, static_cast<int>(pool.size())));
        while (seven.size() < 7) {
            const int n = static_cast<int>(rng() % 90) + 1;
            if (std::find(seven.begin(), seven.end(), n) == seven.end())
                seven.push_back(n);
        }
        std::shuffle(seven.begin(), seven.end(), rng);
        Draw d;
        d.date = 20000101 + k;
        for (int i = 0; i < 6; ++i)
            d.numbers[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(seven[static_cast<std::size_t>(i)]);
        d.jolly = static_cast<std::uint8_t>(seven[6]);
        // The superstar: mostly 17, else another number or not known.
        const int superstar = static_cast<int>(rng() % 4);
        d.superstar = static_cast<std::uint8_t>(superstar < 2 ? 17 : superstar == 2 ? 5 : 0);
        draws.push_back(d);
    }
    return draws;
}

} // namespace

TEST(HistoryCheck, EveryDrawCountsAsSpoglioDoes)
{
    std::mt19937 rng(28);
    const std::vector<std::uint8_t> p = {3, 8, 11, 20, 27, 34, 45, 52, 66, 90, 17, 71};
    const WinCounts full =
        expectSameAsCheckWins(integrale(p, ConditionSet{}, kNever).development, drawsNear(p, rng, 300), "integrale");
    EXPECT_TRUE(std::all_of(full.begin(), full.end(), [](std::uint64_t n) { return n > 0; })) << "every class came up";

    // Conditions leave an uneven set of columns.
    ConditionSet c;
    c.salvaSomma(true, 150, 260, 0, 999);
    c.salvaPariDispari({2, 3, 4}, true);
    const RunResult conditioned = integrale(p, c, kNever);
    ASSERT_GT(conditioned.development.size(), 0u);
    ASSERT_LT(conditioned.development.size(), 924u);
    expectSameAsCheckWins(conditioned.development, drawsNear(p, rng, 300), "condizioni");

    // Columns in any order of their numbers, some repeated, as a stored system may list them.
    Development mixed;
    for (int k = 0; k < 400; ++k) {
        std::vector<std::uint8_t> q = p;
        std::shuffle(q.begin(), q.end(), rng);
        mixed.append(q.data());
        if (k % 7 == 0)
            mixed.append(q.data());
    }
    expectSameAsCheckWins(mixed, drawsNear(p, rng, 400), "colonne sparse");
    expectSameAsCheckWins(mixed, drawsNear(p, rng, 400), "colonne sparse, SuperStar", 17);
    expectSameAsCheckWins(conditioned.development, drawsNear(p, rng, 300), "condizioni, SuperStar", 17);
    expectSameAsCheckWins(Development{}, drawsNear(p, rng, 3), "vuoto");

    // The draw that is one of the columns, and the one that is five of them with the jolly.
    Development one;
    one.append(Column{1, 2, 3, 4, 5, 6});
    expectSameAsCheckWins(one, {draw(20240101, {6, 5, 4, 3, 2, 1}, 7), draw(20240102, {1, 2, 3, 4, 5, 9}, 6)}, "una");
}

TEST(HistoryCheck, InterruptedBeforeOrDuringTheDraws)
{
    const std::vector<std::uint8_t> p = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const Development d = integrale(p, ConditionSet{}, kNever).development;
    const std::vector<Draw> draws = {draw(20240101, {1, 2, 3, 4, 5, 6}, 7), draw(20240102, {1, 2, 3, 40, 50, 60}, 7)};
    const std::atomic<bool> stop{true};
    EXPECT_TRUE(checkHistory(d, draws, stop).interrupted);
    EXPECT_TRUE(checkHistory(d, draws, stop).rows.empty());

    std::atomic<bool> later{false};
    std::vector<std::uint64_t> steps;
    const HistoryResult r = checkHistory(d, draws, later, [&](std::uint64_t done) {
        steps.push_back(done);
        if (done == d.size() + 1)
            later = true;
    });
    EXPECT_TRUE(r.interrupted);
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(steps.back(), d.size() + 1);
    EXPECT_EQ(r.totals, r.rows[0].counts);
}

TEST(DrawCsv, ArchiveAndHistoryAsSpreadsheetText)
{
    EXPECT_EQ(drawsCsvText({draw(20240102, {5, 12, 33, 40, 71, 88}, 9, 17, 1), draw(20240104, {1, 2, 3, 4, 5, 6}, 7)}),
              "Data;Concorso;N1;N2;N3;N4;N5;N6;Jolly;SuperStar\r\n"
              "2024-01-02;1;5;12;33;40;71;88;9;17\r\n"
              "2024-01-04;;1;2;3;4;5;6;7;\r\n");
    HistoryResult r;
    r.rows = {{draw(20240102, {5, 12, 33, 40, 71, 88}, 9, 17, 1), {15, 80, 90, 18, 6, 1}},
              {draw(20240104, {1, 2, 3, 4, 5, 6}, 7), {}}};
    r.totals = {15, 80, 90, 18, 6, 1};
    EXPECT_EQ(historyCsvText(r), "Data;Concorso;N1;N2;N3;N4;N5;N6;Jolly;SuperStar;DUE;TRE;QUATTRO;CINQUE;CINQUE+1;SEI\r\n"
                                 "2024-01-02;1;5;12;33;40;71;88;9;17;15;80;90;18;6;1\r\n"
                                 "2024-01-04;;1;2;3;4;5;6;7;;0;0;0;0;0;0\r\n"
                                 "TOTALE;;;;;;;;;;15;80;90;18;6;1\r\n");
    r.superStar = 9;
    r.rows[1].stella = {1, 2, 3, 4, 5, 6, 7, 8};
    r.stellaTotals = r.rows[1].stella;
    EXPECT_EQ(historyCsvText(r), "Data;Concorso;N1;N2;N3;N4;N5;N6;Jolly;SuperStar;DUE;TRE;QUATTRO;CINQUE;CINQUE+1;SEI;"
                                 "0 stella;1 stella;2 stella;3 stella;4 stella;5 stella;5+1 stella;6 stella\r\n"
                                 "2024-01-02;1;5;12;33;40;71;88;9;17;15;80;90;18;6;1;0;0;0;0;0;0;0;0\r\n"
                                 "2024-01-04;;1;2;3;4;5;6;7;;0;0;0;0;0;0;1;2;3;4;5;6;7;8\r\n"
                                 "TOTALE;;;;;;;;;;15;80;90;18;6;1;1;2;3;4;5;6;7;8\r\n");
    EXPECT_EQ(withoutSuperStarText(3), "3 estrazioni del periodo senza superstar: per esse non si contano le vincite stella");
}

TEST(DrawArchive, TheQuestionBeforeDeletingAndTheCount)
{
    EXPECT_EQ(eliminareQuestion(1, 20240102), "Eliminare l'estrazione del 02/01/2024?");
    EXPECT_EQ(eliminareQuestion(3, 20240102), "Eliminare 3 estrazioni?");
    EXPECT_EQ(drawCountText(0), "0 estrazioni");
    EXPECT_EQ(drawCountText(1), "1 estrazione");
    EXPECT_EQ(winningDrawsText(1, 1), "1 estrazione vincente su 1");
    EXPECT_EQ(winningDrawsText(0, 1), "0 estrazioni vincenti su 1");
    EXPECT_EQ(playerDate(20240102), "02/01/2024");
}
