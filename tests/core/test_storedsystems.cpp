#include "development/developers.h"
#include "development/run.h"
#include "development/storedsystems.h"

#include "testutil.h"

#include <gtest/gtest.h>

#include <random>

using namespace sestara;
using testutil::filler;
using testutil::record;

namespace {

std::string header(int n, int level, std::uint64_t count)
{
    std::uint8_t b[4];
    EXPECT_TRUE(encodeColumnCount(count, b));
    return record(static_cast<std::uint8_t>(100 + n), static_cast<std::uint8_t>(100 + level), b[0], b[1], b[2], b[3]);
}

Prediction predictionOf(int first, int last)
{
    std::vector<int> v;
    for (int n = first; n <= last; ++n)
        v.push_back(n);
    return *Prediction::fromNumbers(v);
}

// Develops through the same path as "Elabora", data files from `dir`.
std::string developText(const std::string& dir, const Prediction& p, int index, const ConditionSet& c = {})
{
    const auto entries = catalogueEntriesForSize(p.count());
    const PlanOutcome plan = planDevelopment(p, {std::to_string(p.count()), index, entries.at(static_cast<std::size_t>(index))}, dir);
    if (!plan.ok())
        return "REFUSED: " + plan.refusal;
    const std::atomic<bool> never{false};
    return listingText(execute(plan.plan, c, never).development);
}

} // namespace

TEST(RiduttoreCount, Encoding)
{
    const std::uint8_t stored1605[4] = {0, 0, 16, 105};
    EXPECT_EQ(decodeColumnCount(stored1605), 1605u);
    std::uint8_t b[4];
    ASSERT_TRUE(encodeColumnCount(1605, b));
    EXPECT_EQ(std::vector<int>(b, b + 4), (std::vector<int>{0, 0, 16, 105}));
    ASSERT_TRUE(encodeColumnCount(10005, b));
    EXPECT_EQ(std::vector<int>(b, b + 4), (std::vector<int>{0, 1, 100, 105}));
    const std::uint8_t hundred[4] = {0, 0, 1, 100};
    EXPECT_EQ(decodeColumnCount(hundred), 100u);
    const std::uint8_t zero[4] = {0, 0, 0, 0};
    EXPECT_EQ(decodeColumnCount(zero), 0u);
    EXPECT_FALSE(encodeColumnCount(100000000, b));
    std::mt19937 rng(7);
    for (int i = 0; i < 2000; ++i) {
        const std::uint64_t v = rng() % 100000000u;
        ASSERT_TRUE(encodeColumnCount(v, b));
        ASSERT_EQ(decodeColumnCount(b), v);
    }
}

TEST(Riduttore, StartRecords)
{
    EXPECT_EQ(startRecord(10, 1), 0);
    EXPECT_EQ(startRecord(19, 3), 0);
    EXPECT_EQ(startRecord(30, 1), 56768);
    EXPECT_EQ(startRecord(30, 2), 70790);
    EXPECT_EQ(startRecord(40, 2), 416398);
    EXPECT_EQ(startRecord(40, 3), 416398);
    EXPECT_EQ(startRecord(55, 3), 468377);
    EXPECT_EQ(startRecord(56, 3), -1);
    EXPECT_EQ(startRecord(20, 4), -1);
}

TEST(Riduttore, SearchStartsOneRecordAfterTheStartRecord)
{
    const std::string columns = record(1, 2, 3, 4, 5, 6) + record(15, 16, 17, 18, 19, 20);
    // Header exactly at record 3000 (the start record of 20 numbers): not found.
    const std::string atStart = filler(2999) + header(20, 1, 2) + columns;
    const StoredSystem miss = readReducedSystem(atStart, 20, 1);
    EXPECT_EQ(miss.error, "Il file \"Riduttore\" non contiene il sistema \"20 numeri ridotto n-1\".");
    // At record 3001: found, with its count and columns.
    const StoredSystem hit = readReducedSystem(filler(3000) + header(20, 1, 1605) + columns, 20, 1);
    ASSERT_TRUE(hit.ok()) << hit.error;
    EXPECT_EQ(hit.declaredCount, 1605u);
    ASSERT_EQ(hit.columns.size(), 2u);
    EXPECT_EQ(hit.columns[1], (Positions{15, 16, 17, 18, 19, 20}));
    // 10 to 19 numbers start at record 0, so a header in record 1 is found.
    EXPECT_TRUE(readReducedSystem(header(10, 3, 1) + record(1, 2, 3, 4, 5, 6), 10, 3).ok());
}

TEST(Riduttore, SystemsEndAtTheNextHeaderOrTheEnd)
{
    const std::string table = header(12, 1, 2) + record(1, 2, 3, 4, 5, 6) + record(12, 11, 10, 9, 8, 7) +
                              header(12, 2, 1) + record(2, 4, 6, 8, 10, 12) +
                              record(200, 200, 0, 0, 0, 0) + // a header no system has: ends 12 n-3's neighbour
                              header(12, 3, 1) + record(1, 3, 5, 7, 9, 11);
    const StoredSystem l1 = readReducedSystem(table, 12, 1);
    ASSERT_TRUE(l1.ok());
    ASSERT_EQ(l1.columns.size(), 2u);
    EXPECT_EQ(l1.columns[1], (Positions{12, 11, 10, 9, 8, 7})) << "the stored order is kept";
    const StoredSystem l2 = readReducedSystem(table, 12, 2);
    ASSERT_EQ(l2.columns.size(), 1u) << "the filler header ends the system";
    const StoredSystem l3 = readReducedSystem(table, 12, 3);
    ASSERT_EQ(l3.columns.size(), 1u) << "the last system ends at the end of the file";
    EXPECT_EQ(l3.columns[0], (Positions{1, 3, 5, 7, 9, 11}));
    EXPECT_FALSE(readReducedSystem(table, 13, 1).ok());
}

TEST(Riduttore, LevelsOfFortyShareTheirStartAndAreToldApartByLevel)
{
    const std::string table = filler(416398) + header(40, 3, 1) + record(1, 2, 3, 4, 5, 40) + header(40, 2, 1) +
                              record(35, 36, 37, 38, 39, 40);
    EXPECT_EQ(readReducedSystem(table, 40, 3).columns.at(0), (Positions{1, 2, 3, 4, 5, 40}));
    EXPECT_EQ(readReducedSystem(table, 40, 2).columns.at(0), (Positions{35, 36, 37, 38, 39, 40}));
}

TEST(Riduttore, DamagedTablesAreRefusedWithTheReason)
{
    const std::string h = header(10, 1, 1);
    EXPECT_EQ(readReducedSystem(h + record(1, 2, 3, 4, 5, 11), 10, 1).error,
              "Il file \"Riduttore\" è danneggiato: il record 2 del sistema \"10 numeri ridotto n-1\" non contiene "
              "sei posizioni diverse da 1 a 10.");
    EXPECT_FALSE(readReducedSystem(h + record(0, 2, 3, 4, 5, 6), 10, 1).ok());
    EXPECT_FALSE(readReducedSystem(h + record(1, 2, 3, 4, 5, 5), 10, 1).ok()) << "a repeated position";
    EXPECT_FALSE(readReducedSystem(h + record(1, 2, 3, 4, 5, 6) + record(60, 2, 3, 4, 5, 6), 10, 1).ok());
    EXPECT_EQ(readReducedSystem(h + record(1, 2, 3, 4, 5, 6) + "xyz", 10, 1).error,
              "Il file \"Riduttore\" è danneggiato: la sua lunghezza (15 byte) non è un multiplo di 6.");
    EXPECT_EQ(readReducedSystem(h + header(10, 2, 1), 10, 1).error,
              "Il file \"Riduttore\" è danneggiato: il sistema \"10 numeri ridotto n-1\" non ha colonne.");
    EXPECT_FALSE(readReducedSystem("", 10, 1).ok());
}

TEST(Riduttore, DevelopedThroughTheRunWithPredictionNumbers)
{
    testutil::TempDir dir;
    dir.write("Riduttore", header(10, 2, 2) + record(1, 2, 3, 4, 5, 7) + record(10, 9, 8, 7, 6, 5));
    Prediction p = predictionOf(11, 20);
    EXPECT_EQ(developText(dir.path(), p, 4), "1\t>   11-12-13-14-15-17\r\n2\t>   20-19-18-17-16-15\r\n");
    ConditionSet threeEven;
    threeEven.salvaPariDispari({3}, true);
    EXPECT_EQ(developText(dir.path(), p, 4, threeEven), "1\t>   20-19-18-17-16-15\r\n")
        << "accepted columns are numbered from 1";
    ConditionSet none;
    none.salvaPariDispari({0}, true);
    EXPECT_EQ(developText(dir.path(), p, 4, none), "") << "every column rejected: an empty listing";
    EXPECT_EQ(developText(dir.path(), p, 3),
              "REFUSED: Il file \"Riduttore\" non contiene il sistema \"10 numeri ridotto n-1\".");
}

TEST(Immediati, SectionKeyedByTheExactEntryText)
{
    const std::string key = "10 numeri in 10 sestine a garanzia tre con 3 estratti";
    const std::string text = "***\n"
                             "10 numeri in 20 sestine a garanzia quattro con 4 estratti\n"
                             "7 8 9 10 1 2\n"
                             "***\n" +
                             key + "\r\n1 2 3 4 5 6\r\n10 9 8 7 6 5\r\n***\r\n1 1 1 1 1 1\r\n";
    const StoredSystem s = readImmediateSystem(text, key, 10);
    ASSERT_TRUE(s.ok()) << s.error;
    EXPECT_EQ(s.declaredCount, 10u);
    ASSERT_EQ(s.columns.size(), 2u);
    EXPECT_EQ(s.columns[1], (Positions{10, 9, 8, 7, 6, 5}));
    EXPECT_EQ(readImmediateSystem(text, key + " ", 10).error,
              "Il file \"Immediati\" non contiene il sistema \"" + key + " \".");

    testutil::TempDir dir;
    dir.write("Immediati", text);
    EXPECT_EQ(developText(dir.path(), predictionOf(1, 10), 2), "1\t>   1-2-3-4-5-6\r\n2\t>   10-9-8-7-6-5\r\n");
    EXPECT_EQ(developText(dir.path(), predictionOf(1, 10), 1), "1\t>   7-8-9-10-1-2\r\n");
}

TEST(Immediati, DamagedSectionsAreRefused)
{
    const std::string key = "11 numeri in 5 sestine a garanzia tre con 4 estratti";
    auto err = [&](const std::string& body) { return readImmediateSystem(key + "\n" + body, key, 11).error; };
    EXPECT_EQ(err("1 2 3 4 5 6\n1 2 3 4 5\n***\n"),
              "Il file \"Immediati\" è danneggiato: la riga 3 del sistema \"" + key +
                  "\" non contiene sei posizioni diverse da 1 a 11 separate da uno spazio.");
    EXPECT_NE(err("1  2 3 4 5 6\n***\n"), "");
    EXPECT_NE(err("1 2 3 4 5 12\n***\n"), "");
    EXPECT_NE(err("1 2 3 4 5 5\n***\n"), "");
    EXPECT_NE(err("a b c d e f\n***\n"), "");
    EXPECT_NE(err("1 2 3 4 5 6 \n***\n"), "");
    EXPECT_EQ(err("1 2 3 4 5 6\n"), "Il file \"Immediati\" è danneggiato: il sistema \"" + key +
                                        "\" non termina con \"***\".");
    EXPECT_EQ(err("***\n"), "Il file \"Immediati\" è danneggiato: il sistema \"" + key + "\" non ha colonne.");
    EXPECT_EQ(err("1 2 3 4 5 6\n11 10 9 8 7 1\n***\n"), "");
}
