// The readers of "Riduttore" and "Immediati", on made-up tables and on the shipped files.
#include "core/development/catalogue.h"
#include "core/development/developers.h"
#include "core/development/run.h"
#include "core/development/storedsystems.h"
#include "core/development/verifier.h"

#include "tests/common/testutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

using namespace sestara;
using testutil::predictionOf;
using testutil::range;
using testutil::record;

namespace {

std::string filler(std::size_t records) { return std::string(records * 6, '\0'); }

std::string header(int n, int level, std::uint64_t count)
{
    std::uint8_t b[4];
    EXPECT_TRUE(encodeColumnCount(count, b));
    return record(100 + n, 100 + level, b[0], b[1], b[2], b[3]);
}

// Develops the type `index` of the prediction 1..10 (or first..last) the way "Elabora" does, with
// the data files of `dir`.
std::string developText(const std::string& dir, int first, int index, const ConditionSet& c = {})
{
    const Prediction p = predictionOf(range(first, first + 9));
    const PlanOutcome plan = planDevelopment(p, {"10", index, catalogueEntriesForSize(10).at(std::size_t(index))}, dir);
    if (!plan.ok())
        return "RIFIUTATO: " + plan.refusal;
    const std::atomic<bool> never{false};
    return listingText(execute(plan.plan, c, never).development);
}

std::string shipped(const char* name)
{
    const FileContents file = readDataFile(std::string(SESTARA_SOURCE_DIR) + "/data", name);
    EXPECT_TRUE(file.ok()) << file.error;
    return file.bytes;
}

// A section of "Immediati": the title, the given column lines, then the column 1 2 3 4 5 6 up to
// `count` lines, and "***".
std::string section(const std::string& title, std::vector<std::string> lines, std::size_t count)
{
    lines.resize(std::max(count, lines.size()), "1 2 3 4 5 6");
    std::string text = title + "\r\n";
    for (const auto& line : lines)
        text += line + "\r\n";
    return text + "***\r\n";
}

} // namespace

TEST(Riduttore, ColumnCountEncoding)
{
    const std::pair<std::uint64_t, std::vector<int>> known[] = {
        {7, {0, 0, 0, 7}}, {100, {0, 0, 1, 100}}, {1605, {0, 0, 16, 105}}, {10005, {0, 1, 100, 105}}};
    std::uint8_t b[4];
    for (const auto& [count, bytes] : known) {
        ASSERT_TRUE(encodeColumnCount(count, b));
        EXPECT_EQ(std::vector<int>(b, b + 4), bytes) << count;
    }
    for (std::uint64_t c = 0; c <= 300000; ++c) {
        ASSERT_TRUE(encodeColumnCount(c, b));
        ASSERT_EQ(decodeColumnCount(b), c);
    }
    ASSERT_TRUE(encodeColumnCount(99999999, b));
    EXPECT_EQ(decodeColumnCount(b), 99999999u);
    EXPECT_FALSE(encodeColumnCount(100000000, b));
}

TEST(Riduttore, SearchFromOneRecordAfterTheStartRecordToTheNextHeader)
{
    EXPECT_EQ(startRecord(56, 3), -1);
    EXPECT_EQ(startRecord(20, 4), -1);
    EXPECT_EQ(readReducedSystem(filler(1), 9, 1).error,
              "Il sistema \"9 numeri ridotto n-1\" non fa parte del catalogo.");
    // 20 numbers start at record 3000: a header there is not found, one at 3001 is.
    const std::string columns = record(1, 2, 3, 4, 5, 6) + record(15, 16, 17, 18, 19, 20);
    EXPECT_EQ(readReducedSystem(filler(2999) + header(20, 1, 2) + columns, 20, 1).error,
              "Il file \"Riduttore\" non contiene il sistema \"20 numeri ridotto n-1\".");
    const StoredSystem hit = readReducedSystem(filler(3000) + header(20, 1, 2) + columns, 20, 1);
    ASSERT_TRUE(hit.ok()) << hit.error;
    EXPECT_EQ(hit.declaredCount, 2u);
    EXPECT_EQ(hit.columns, (std::vector<Positions>{{1, 2, 3, 4, 5, 6}, {15, 16, 17, 18, 19, 20}}));

    // A system ends at the next header, a filler header included, or at the end of the file; the
    // levels of one size are told apart by the level.
    const std::string table = header(12, 1, 2) + record(1, 2, 3, 4, 5, 6) + record(12, 11, 10, 9, 8, 7) +
                              header(12, 2, 1) + record(2, 4, 6, 8, 10, 12) + record(200, 200, 0, 0, 0, 0) +
                              record(1, 2, 3, 4, 5, 6) + header(12, 3, 1) + record(1, 3, 5, 7, 9, 11);
    EXPECT_EQ(readReducedSystem(table, 12, 1).columns,
              (std::vector<Positions>{{1, 2, 3, 4, 5, 6}, {12, 11, 10, 9, 8, 7}})) << "stored order kept";
    EXPECT_EQ(readReducedSystem(table, 12, 2).columns, (std::vector<Positions>{{2, 4, 6, 8, 10, 12}}));
    EXPECT_EQ(readReducedSystem(table, 12, 3).columns, (std::vector<Positions>{{1, 3, 5, 7, 9, 11}}));
}

TEST(Riduttore, DamagedTablesAreRefusedWithTheReason)
{
    const std::string h = header(10, 1, 1);
    const std::string badRecord = "Il file \"Riduttore\" è danneggiato: il record 2 del sistema \"10 numeri ridotto "
                                  "n-1\" non contiene sei posizioni diverse da 1 a 10.";
    for (const std::string& r : {record(1, 2, 3, 4, 5, 11), record(0, 2, 3, 4, 5, 6), record(1, 2, 3, 4, 5, 5)})
        EXPECT_EQ(readReducedSystem(h + r, 10, 1).error, badRecord);
    EXPECT_TRUE(readReducedSystem(h + record(1, 2, 3, 4, 5, 6) + record(0, 2, 3, 4, 5, 6), 10, 1).columns.empty());
    EXPECT_EQ(readReducedSystem(h + record(1, 2, 3, 4, 5, 6) + "xyz", 10, 1).error,
              "Il file \"Riduttore\" è danneggiato: la sua lunghezza (15 byte) non è un multiplo di 6.");
    EXPECT_EQ(readReducedSystem(h + header(10, 2, 1), 10, 1).error,
              "Il file \"Riduttore\" è danneggiato: il sistema \"10 numeri ridotto n-1\" non ha colonne.");

    // A system cut short, at the end of the file or before the next header, or one with records
    // to spare, no longer keeps the guarantee its header counted on.
    const std::string two = record(1, 2, 3, 4, 5, 6) + record(5, 6, 7, 8, 9, 10);
    const std::pair<std::string, std::string> miscounted[] = {
        {header(10, 1, 3) + two, "ha 2 colonne invece di 3."},
        {header(10, 1, 3) + two + header(10, 2, 1) + record(1, 2, 3, 4, 5, 6), "ha 2 colonne invece di 3."},
        {header(10, 1, 2) + record(1, 2, 3, 4, 5, 6), "ha 1 colonna invece di 2."},
        {header(10, 1, 1) + two, "ha 2 colonne invece di 1."},
    };
    for (const auto& [table, tail] : miscounted) {
        const StoredSystem s = readReducedSystem(table, 10, 1);
        EXPECT_EQ(s.error, "Il file \"Riduttore\" è danneggiato: il sistema \"10 numeri ridotto n-1\" " + tail);
        EXPECT_TRUE(s.columns.empty());
    }
}

TEST(Immediati, SectionKeyedByTheExactEntryText)
{
    const std::string key = "10 numeri in 10 sestine a garanzia tre con 3 estratti";
    const std::string text = "***\n10 numeri in 20 sestine a garanzia quattro con 4 estratti\n7 8 9 10 1 2\n***\n" +
                             section(key, {"1 2 3 4 5 6", "10 9 8 7 6 5"}, 10) + "1 1 1 1 1 1\r\n";
    const StoredSystem s = readImmediateSystem(text, key, 10);
    ASSERT_TRUE(s.ok()) << s.error;
    EXPECT_EQ(s.declaredCount, 10u);
    ASSERT_EQ(s.columns.size(), 10u);
    EXPECT_EQ(s.columns[1], (Positions{10, 9, 8, 7, 6, 5}));
    EXPECT_EQ(readImmediateSystem(text, key + " ", 10).error,
              "Il file \"Immediati\" non contiene il sistema \"" + key + " \".");
}

TEST(Immediati, DamagedSectionsAreRefused)
{
    const std::string key = "11 numeri in 5 sestine a garanzia tre con 4 estratti";
    auto err = [&](const std::string& body) { return readImmediateSystem(key + "\n" + body, key, 11).error; };
    const std::string badLine = "Il file \"Immediati\" è danneggiato: la riga 2 del sistema \"" + key +
                                "\" non contiene sei posizioni diverse da 1 a 11 separate da uno spazio.";
    for (const char* line : {"1 2 3 4 5", "1  2 3 4 5 6", "1 2 3 4 5 12", "1 2 3 4 5 5", "a b c d e f", "1 2 3 4 5 6 ",
                             "0 1 2 3 4 5", "258 1 3 4 5 6"})
        EXPECT_EQ(err(std::string(line) + "\n***\n"), badLine) << '"' << line << '"';
    EXPECT_TRUE(readImmediateSystem(key + "\n1 2 3 4 5 6\n0 1 2 3 4 5\n***\n", key, 11).columns.empty());
    const std::string damaged = "Il file \"Immediati\" è danneggiato: il sistema \"" + key + "\" ";
    EXPECT_EQ(err("1 2 3 4 5 6\n"), damaged + "non termina con \"***\".");
    EXPECT_EQ(err("***\n"), damaged + "non ha colonne.");
    // The title's "in 5 sestine" is the count the section must hold.
    const std::string two = "1 2 3 4 5 6\n11 10 9 8 7 1\n";
    const std::string five = two + "1 2 3 4 5 7\n1 2 3 4 5 8\n1 2 3 4 5 9\n";
    EXPECT_EQ(err(five + "***\n"), "");
    EXPECT_EQ(err(two + "***\n"), damaged + "ha 2 colonne invece di 5.");
    EXPECT_TRUE(readImmediateSystem(key + "\n" + two + "***\n", key, 11).columns.empty());
    EXPECT_EQ(err(five + "1 2 3 4 5 10\n***\n"), damaged + "ha 6 colonne invece di 5.");
}

TEST(StoredDevelopers, PositionsTakeThePredictionNumbers)
{
    testutil::TempDir dir;
    dir.write("Riduttore", header(10, 2, 2) + record(1, 2, 3, 4, 5, 7) + record(10, 9, 8, 7, 6, 5));
    EXPECT_EQ(developText(dir.path(), 11, 4), "1\t>   11-12-13-14-15-17\r\n2\t>   20-19-18-17-16-15\r\n");
    ConditionSet even;
    even.salvaPariDispari({3}, true);
    EXPECT_EQ(developText(dir.path(), 11, 4, even), "1\t>   20-19-18-17-16-15\r\n") << "numbered from 1";
    even.salvaPariDispari({0}, true);
    EXPECT_EQ(developText(dir.path(), 11, 4, even), "") << "every column refused: an empty listing";
    EXPECT_EQ(developText(dir.path(), 11, 3),
              "RIFIUTATO: Il file \"Riduttore\" non contiene il sistema \"10 numeri ridotto n-1\".");

    dir.write("Immediati", section("10 numeri in 20 sestine a garanzia quattro con 4 estratti", {"7 8 9 10 1 2"}, 20) +
                               section("10 numeri in 10 sestine a garanzia tre con 3 estratti", {"10 9 8 7 6 5"}, 10));
    const std::string first = "1\t>   7-8-9-10-1-2\r\n2\t>   1-2-3-4-5-6\r\n";
    EXPECT_EQ(developText(dir.path(), 1, 1).substr(0, first.size()), first);
    const std::string largestFirst = "1\t>   30-29-28-27-26-25\r\n2\t>   21-22-23-24-25-26\r\n";
    EXPECT_EQ(developText(dir.path(), 21, 2).substr(0, largestFirst.size()), largestFirst);
}

TEST(DataFiles, ImmediatiIsReadUpToItsLimit)
{
    testutil::TempDir dir;
    const std::string entry = "10 numeri in 10 sestine a garanzia tre con 3 estratti";
    dir.write("Immediati", std::string(kMaxImmediatiBytes - 1, '\n') + "\n");
    EXPECT_EQ(loadImmediateSystem(dir.path(), entry, 10).error,
              "Il file \"Immediati\" non contiene il sistema \"" + entry + "\".");
    dir.write("Immediati", std::string(kMaxImmediatiBytes + 1, '\n'));
    EXPECT_EQ(loadImmediateSystem(dir.path(), entry, 10).error,
              "Impossibile leggere il file \"Immediati\" (" + dir.file("Immediati") + "): il file è troppo grande (" +
                  std::to_string(kMaxImmediatiBytes + 1) + " byte, al massimo " + std::to_string(kMaxImmediatiBytes) +
                  ").");
}

TEST(ShippedRiduttore, EverySystemIsFoundWholeFromItsStartRecord)
{
    const std::string table = shipped(kRiduttoreFileName);
    // Distinct columns, and fewer numbers never take more columns.
    std::map<int, std::size_t> previous;
    for (int size = kMaxPredictionSize; size >= kMinPredictionSize; --size)
        for (int level = 1; level <= 3; ++level) {
            if (!reducedSystemOffered(size, level))
                continue;
            SCOPED_TRACE(reducedEntryText(size, level));
            const StoredSystem s = readReducedSystem(table, size, level);
            ASSERT_TRUE(s.ok()) << s.error;
            EXPECT_EQ(std::set<Positions>(s.columns.begin(), s.columns.end()).size(), s.columns.size());
            if (previous.count(level)) {
                EXPECT_LE(s.columns.size(), previous[level]);
            }
            previous[level] = s.columns.size();
        }
}

TEST(ShippedImmediati, SectionsInCatalogueOrderEachKeepingItsGuarantee)
{
    const std::string text = shipped(kImmediatiFileName);
    std::size_t at = 0;
    for (const ImmediateEntry& e : immediateEntries()) {
        const std::string title = immediateEntryText(e);
        SCOPED_TRACE(title);
        ASSERT_EQ(text.compare(at, title.size() + 2, title + "\r\n"), 0);
        const StoredSystem s = readImmediateSystem(text, title, e.size);
        ASSERT_TRUE(s.ok()) << s.error;
        EXPECT_EQ(s.columns.size(), std::size_t(e.columns));
        EXPECT_EQ(std::set<Positions>(s.columns.begin(), s.columns.end()).size(), s.columns.size());
        EXPECT_TRUE(verifyCoverage(s.columns, e.size, immediateGuarantee(e.guarantee)).ok());
        for (int line = 0; line <= e.columns; ++line)
            at = text.find("\r\n", at) + 2;
        ASSERT_EQ(text.compare(at, 5, "***\r\n"), 0);
        at += 5;
    }
    EXPECT_EQ(at, text.size()) << "the 18 sections and nothing else";
}
