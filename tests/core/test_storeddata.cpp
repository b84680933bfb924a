// The shipped "Riduttore" and "Immediati": layout, counts, and what the engine's readers make of them.
#include "development/catalogue.h"
#include "development/storedsystems.h"
#include "development/verifier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

using namespace sestara;

namespace {

const std::string kData = std::string(SESTARA_SOURCE_DIR) + "/data";

const std::string& table()
{
    static const std::string bytes = [] {
        std::string b;
        readWholeFile(joinPath(kData, kRiduttoreFileName), b);
        return b;
    }();
    return bytes;
}

const std::string& immediateText()
{
    static const std::string text = [] {
        std::string t;
        readWholeFile(joinPath(kData, kImmediatiFileName), t);
        return t;
    }();
    return text;
}

const std::uint8_t* record(std::size_t r)
{
    return reinterpret_cast<const std::uint8_t*>(table().data()) + (r - 1) * 6;
}

} // namespace

TEST(ColumnCount, EncodingRoundTrip)
{
    std::uint8_t b[4];
    ASSERT_TRUE(encodeColumnCount(1605, b));
    EXPECT_EQ(std::vector<int>(b, b + 4), (std::vector<int>{0, 0, 16, 105}));
    ASSERT_TRUE(encodeColumnCount(45000, b));
    EXPECT_EQ(std::vector<int>(b, b + 4), (std::vector<int>{0, 4, 50, 100}));
    ASSERT_TRUE(encodeColumnCount(7, b));
    EXPECT_EQ(std::vector<int>(b, b + 4), (std::vector<int>{0, 0, 0, 7}));
    for (std::uint64_t c = 0; c <= 300000; ++c) {
        ASSERT_TRUE(encodeColumnCount(c, b));
        ASSERT_EQ(decodeColumnCount(b), c) << c;
    }
    ASSERT_TRUE(encodeColumnCount(99999999, b));
    EXPECT_EQ(decodeColumnCount(b), 99999999u);
    EXPECT_FALSE(encodeColumnCount(100000000, b));
}

TEST(ShippedRiduttore, RecordsAreHeadersFillersOrColumns)
{
    const std::string& t = table();
    ASSERT_FALSE(t.empty()) << "missing " << kData << "/Riduttore";
    ASSERT_EQ(t.size() % 6, 0u);
    const std::size_t records = t.size() / 6;
    std::map<std::pair<int, int>, std::vector<std::size_t>> headers;
    int n = 0;
    for (std::size_t r = 1; r <= records; ++r) {
        const std::uint8_t* p = record(r);
        if (p[0] > 100) {
            const int rn = p[0] - 100, rl = p[1] - 100;
            if (reducedSystemOffered(rn, rl)) {
                headers[{rn, rl}].push_back(r);
                n = rn;
            } else {
                // A filler: a header of no system.
                EXPECT_EQ(std::vector<int>(p, p + 6), (std::vector<int>{200, 200, 0, 0, 0, 0})) << "record " << r;
                n = 0;
            }
            continue;
        }
        ASSERT_GT(n, 0) << "column record " << r << " outside any system";
        for (int i = 0; i < 6; ++i) {
            ASSERT_GE(p[i], 1) << "record " << r;
            ASSERT_LE(p[i], n) << "record " << r;
            if (i) {
                ASSERT_LT(p[i - 1], p[i]) << "record " << r;
            }
        }
    }
    int systems = 0;
    for (int size = kMinPredictionSize; size <= kMaxPredictionSize; ++size)
        for (int level = 1; level <= 3; ++level) {
            if (!reducedSystemOffered(size, level))
                continue;
            ++systems;
            const auto& at = headers[{size, level}];
            ASSERT_EQ(at.size(), 1u) << reducedEntryText(size, level);
            // The search starts one record after the start record.
            EXPECT_GT(static_cast<long>(at[0]), startRecord(size, level)) << reducedEntryText(size, level);
        }
    EXPECT_EQ(systems, 117);
    EXPECT_EQ(headers.size(), 117u);
}

TEST(ShippedRiduttore, EverySystemIsFoundFromItsStartRecord)
{
    std::map<int, std::uint64_t> previous;
    for (int n = kMaxPredictionSize; n >= kMinPredictionSize; --n)
        for (int level = 1; level <= 3; ++level) {
            if (!reducedSystemOffered(n, level))
                continue;
            const StoredSystem s = readReducedSystem(table(), n, level);
            ASSERT_TRUE(s.ok()) << s.error;
            EXPECT_EQ(s.declaredCount, s.columns.size()) << reducedEntryText(n, level);
            std::set<Positions> distinct(s.columns.begin(), s.columns.end());
            EXPECT_EQ(distinct.size(), s.columns.size()) << reducedEntryText(n, level);
            // Fewer numbers never take more columns.
            if (previous.count(level)) {
                EXPECT_LE(s.columns.size(), previous[level]) << reducedEntryText(n, level);
            }
            previous[level] = s.columns.size();
        }
}

TEST(ShippedRiduttore, LoadedFromTheProgramFolder)
{
    const StoredSystem s = loadReducedSystem(SESTARA_PROGRAM_DIR, 40, 2);
    ASSERT_TRUE(s.ok()) << s.error;
    EXPECT_EQ(s.columns, readReducedSystem(table(), 40, 2).columns);
}

TEST(ShippedImmediati, SectionsTitledWithTheEntriesAndKColumns)
{
    const std::string& text = immediateText();
    ASSERT_FALSE(text.empty()) << "missing " << kData << "/Immediati";
    // Every line ends in CR LF; the file is the 18 sections and nothing else.
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find("\r\n", from);
        ASSERT_NE(end, std::string::npos) << "line without CR LF at byte " << from;
        lines.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    std::size_t at = 0;
    for (const ImmediateEntry& e : immediateEntries()) {
        const std::string title = immediateEntryText(e);
        ASSERT_LT(at, lines.size());
        EXPECT_EQ(lines[at], title);
        at += 1 + static_cast<std::size_t>(e.columns);
        ASSERT_LT(at, lines.size());
        EXPECT_EQ(lines[at], "***") << title;
        ++at;

        const StoredSystem s = readImmediateSystem(text, title, e.size);
        ASSERT_TRUE(s.ok()) << s.error;
        EXPECT_EQ(s.columns.size(), static_cast<std::size_t>(e.columns)) << title;
        EXPECT_EQ(s.declaredCount, static_cast<std::uint64_t>(e.columns));
        std::set<Positions> distinct(s.columns.begin(), s.columns.end());
        EXPECT_EQ(distinct.size(), s.columns.size()) << title;
        const CoverageReport r = verifyCoverage(s.columns, e.size, immediateGuarantee(e.guarantee));
        EXPECT_TRUE(r.ok()) << title << ": " << r.uncovered << " uncovered";
    }
    EXPECT_EQ(at, lines.size());
}

TEST(ShippedImmediati, LoadedFromTheProgramFolder)
{
    const std::string title = "22 numeri in 77 sestine a garanzia tre con 3 estratti";
    const StoredSystem s = loadImmediateSystem(SESTARA_PROGRAM_DIR, title, 22);
    ASSERT_TRUE(s.ok()) << s.error;
    ASSERT_EQ(s.columns.size(), 77u);
    // 77 blocks covering each of the 1540 triples of 22 numbers: every triple exactly once.
    std::map<std::vector<int>, int> triples;
    for (const auto& c : s.columns)
        for (int a = 0; a < 6; ++a)
            for (int b = a + 1; b < 6; ++b)
                for (int d = b + 1; d < 6; ++d) {
                    std::vector<int> t = {c[a], c[b], c[d]};
                    std::sort(t.begin(), t.end());
                    ++triples[t];
                }
    EXPECT_EQ(triples.size(), 1540u);
    for (const auto& [t, count] : triples)
        EXPECT_EQ(count, 1);
}
