// Systems made to measure: what the search hands out is checked here against plain counting, not
// against the search's own figures.

#include "core/design/search.h"
#include "core/design/sumisura.h"
#include "core/design/sumisuracache.h"
#include "core/development/verifier.h"
#include "core/systemfiles/systemfile.h"

#include "tests/common/testutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>

using namespace sestara;

namespace {

const std::atomic<bool> kNever{false};

SuMisuraRequest request(int n, int k, int m, std::size_t limit = 0, DesignLevel level = DesignLevel::Rapido)
{
    SuMisuraRequest r;
    r.numbers = n;
    r.k = k;
    r.m = m;
    r.maxColumns = limit;
    r.level = level;
    return r;
}

// The m-subsets of 1..n that some column meets in k numbers or more, by trying every one.
std::uint64_t countCovered(const std::vector<Column>& columns, int n, int k, int m)
{
    std::vector<std::bitset<64>> masks;
    for (const Column& c : columns) {
        std::bitset<64> b;
        for (auto v : c)
            b.set(v);
        masks.push_back(b);
    }
    std::uint64_t covered = 0;
    for (std::uint64_t s = 0; s < (std::uint64_t{1} << n); ++s) {
        const std::bitset<64> set(s << 1);
        if (static_cast<int>(set.count()) != m)
            continue;
        covered += std::any_of(masks.begin(), masks.end(),
                               [&](const std::bitset<64>& b) { return static_cast<int>((b & set).count()) >= k; });
    }
    return covered;
}

bool wellFormed(const std::vector<Column>& columns, int n)
{
    return std::all_of(columns.begin(), columns.end(), [n](const Column& c) {
        return std::is_sorted(c.begin(), c.end()) && std::adjacent_find(c.begin(), c.end()) == c.end() &&
               c.front() >= 1 && c.back() <= n;
    });
}

} // namespace

TEST(SuMisura, WhatIsHandedOutIsWhatPlainCountingFinds)
{
    const struct {
        int n, k, m;
        std::size_t limit;
    } cases[] = {{10, 3, 3, 0}, {11, 2, 4, 0}, {12, 4, 5, 0}, {10, 5, 5, 0}, {12, 3, 4, 4}, {11, 4, 4, 6}};
    for (const auto& c : cases) {
        const SuMisuraResult r = makeSuMisura(request(c.n, c.k, c.m, c.limit), kNever);
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_TRUE(wellFormed(r.columns, c.n));
        EXPECT_EQ(r.total, binomial(c.n, c.m));
        EXPECT_EQ(r.covered, countCovered(r.columns, c.n, c.k, c.m)) << c.n << " " << c.k << " " << c.m;
        if (c.limit) {
            EXPECT_EQ(r.columns.size(), c.limit);
            EXPECT_LT(r.covered, r.total);
        } else {
            EXPECT_EQ(r.covered, r.total);
            EXPECT_GE(r.columns.size(), suMisuraLowerBound(c.n, c.k, c.m));
        }
    }
}

TEST(SuMisura, SameRequestSameColumnsAndNeverLargerThanTheGreedy)
{
    const SuMisuraRequest r = request(16, 3, 4);
    const SuMisuraResult a = makeSuMisura(r, kNever);
    const SuMisuraResult b = makeSuMisura(r, kNever);
    ASSERT_TRUE(a.ok());
    EXPECT_EQ(a.columns, b.columns);
    EXPECT_LE(a.columns.size(), design::plainGreedy(design::Problem{16, 4, 3}).size());
}

TEST(SuMisura, WithinTheLimitAtLeastWhatTheGreedyFirstColumnsCover)
{
    const SuMisuraResult r = makeSuMisura(request(18, 3, 4, 12), kNever);
    ASSERT_TRUE(r.ok());
    const design::Design greedy = design::plainGreedy(design::Problem{18, 4, 3}, 12);
    std::vector<Column> first;
    for (const auto& s : greedy)
        first.push_back(Column{static_cast<std::uint8_t>(s[0] + 1), static_cast<std::uint8_t>(s[1] + 1),
                               static_cast<std::uint8_t>(s[2] + 1), static_cast<std::uint8_t>(s[3] + 1),
                               static_cast<std::uint8_t>(s[4] + 1), static_cast<std::uint8_t>(s[5] + 1)});
    EXPECT_EQ(r.columns.size(), 12u);
    EXPECT_GE(r.covered, countCovered(first, 18, 3, 4));
}

TEST(SuMisura, RefusalsAndBounds)
{
    EXPECT_EQ(makeSuMisura(request(55, 5, 6), kNever).error,
              "Per la garanzia 5 se 6 su 55 numeri servono almeno 98.271 colonne, più delle 27.132 di una giocata: "
              "scegli una garanzia più bassa o meno numeri.");
    EXPECT_EQ(makeSuMisura(request(9, 3, 3), kNever).error, "Un sistema su misura si fa con 10 a 55 numeri.");
    EXPECT_NE(makeSuMisura(request(20, 4, 3), kNever).error, "");
    EXPECT_NE(makeSuMisura(request(20, 1, 3), kNever).error, "");
    EXPECT_EQ(makeSuMisura(request(20, 3, 4, 27133), kNever).error, "Le colonne al massimo vanno da 1 a 27.132.");
    // Within a limit nothing is refused by the bound.
    EXPECT_EQ(suMisuraRefusal(request(55, 5, 6, 3)), "");
    // Schönheim's bound for three of three on ten numbers, and the counting bound for 4 se 6.
    EXPECT_EQ(suMisuraLowerBound(10, 3, 3), 7u);
    EXPECT_EQ(suMisuraLowerBound(20, 4, 6), 27u); // C(20, 6) / (15 C(14, 2) + 6 C(14, 1) + 1), rounded up
    const std::atomic<bool> stop{true};
    EXPECT_TRUE(makeSuMisura(request(20, 3, 4), stop).interrupted);
}

TEST(SuMisura, TheGreedyTakesTheLexicographicallySmallestOfTheBest)
{
    const design::Design d = design::plainGreedy(design::Problem{9, 2, 2});
    ASSERT_FALSE(d.empty());
    EXPECT_EQ(d.front(), (design::Set{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(d[1], (design::Set{0, 1, 2, 6, 7, 8}));
}

TEST(SuMisura, TextsArgumentsAndListing)
{
    EXPECT_EQ(suMisuraEntryText(20, 3, 4), "20 numeri su misura garanzia 3 se 4");
    SuMisuraRequest parsed;
    EXPECT_TRUE(parseSuMisuraEntryText("20 numeri su misura garanzia 3 se 4", parsed));
    EXPECT_EQ(parsed.numbers * 100 + parsed.k * 10 + parsed.m, 2034);
    EXPECT_FALSE(parseSuMisuraEntryText("20 numeri su misura 30 colonne almeno 3 punti", parsed));
    EXPECT_FALSE(parseSuMisuraEntryText("20 numeri su misura garanzia 3 se 4 ", parsed));

    const struct {
        std::vector<std::string> args;
        bool ok;
        std::size_t limit;
        DesignLevel level;
    } cases[] = {
        {{"20", "3", "4"}, true, 0, DesignLevel::Normale},
        {{"20", "3", "4", "--colonne", "15", "--livello", "rapido"}, true, 15, DesignLevel::Rapido},
        {{"--livello", "accurato", "20", "3", "4"}, true, 0, DesignLevel::Accurato},
        {{"20", "3"}, false, 0, DesignLevel::Normale},
        {{"20", "3", "4", "5"}, false, 0, DesignLevel::Normale},
        {{"20", "3", "4", "--colonne"}, false, 0, DesignLevel::Normale},
        {{"20", "3", "4", "--colonne", "0"}, false, 0, DesignLevel::Normale},
        {{"20", "3", "4", "--colonne", "27133"}, false, 0, DesignLevel::Normale},
        {{"20", "3", "4", "--livello", "lento"}, false, 0, DesignLevel::Normale},
        {{"20", "x", "4"}, false, 0, DesignLevel::Normale},
        {{"56", "3", "4"}, false, 0, DesignLevel::Normale},
        {{"20", "4", "3"}, false, 0, DesignLevel::Normale},
    };
    for (const auto& c : cases) {
        SuMisuraRequest r;
        std::string error;
        EXPECT_EQ(readSuMisuraArguments(c.args, r, error), c.ok) << c.args.size() << " " << error;
        EXPECT_EQ(error.empty(), c.ok);
        if (c.ok) {
            EXPECT_EQ(r.maxColumns, c.limit);
            EXPECT_EQ(r.level, c.level);
        }
    }

    SuMisuraResult result;
    result.columns = {Column{1, 2, 3, 4, 5, 6}, Column{5, 6, 7, 8, 9, 10}};
    result.covered = 110;
    result.total = 120;
    EXPECT_EQ(suMisuraListing(result), "COLONNE 2\nCOPERTI 110 SU 120\n1 2 3 4 5 6\n5 6 7 8 9 10\n");

    const StatedShare share = statedShare("10 numeri su misura garanzia 3 se 3", result.columns);
    EXPECT_EQ(share.covered, countCovered(result.columns, 10, 3, 3));
    EXPECT_EQ(share.total, 120u);
    EXPECT_EQ(statedShare("10 numeri su misura 2 colonne almeno 3 punti", result.columns).total, 0u);
    EXPECT_EQ(suMisuraGuaranteeLine(3, 4, "100 %"), "Garanzia 3 se 4 nel 100 % dei casi");
}

TEST(SuMisura, TheCacheGivesBackWhatWasProvenAndStaysBounded)
{
    const testutil::TempDir dir;
    const std::string path = dir.file(kSuMisuraCacheFileName);
    const SuMisuraResult made = makeSuMisura(request(12, 3, 3), kNever);
    std::vector<Column> back;
    EXPECT_FALSE(findCachedDesign(path, request(12, 3, 3), back));
    EXPECT_EQ(storeCachedDesign(path, request(12, 3, 3), made.columns), "");
    ASSERT_TRUE(findCachedDesign(path, request(12, 3, 3), back));
    EXPECT_EQ(back, made.columns);
    EXPECT_FALSE(findCachedDesign(path, request(12, 3, 3, 0, DesignLevel::Accurato), back));
    // Columns that do not cover everything are never taken for a request without a limit.
    const std::vector<Column> short_(made.columns.begin(), made.columns.end() - 1);
    EXPECT_EQ(storeCachedDesign(path, request(12, 3, 4), short_), "");
    EXPECT_FALSE(findCachedDesign(path, request(12, 3, 4), back));
    // The oldest go once the file would hold too many columns.
    const std::vector<Column> many(kCachedColumns - 10, Column{1, 2, 3, 4, 5, 6});
    EXPECT_EQ(storeCachedDesign(path, request(30, 2, 2, kMaxSuMisuraColumns), many), "");
    EXPECT_FALSE(findCachedDesign(path, request(12, 3, 3), back));
}

TEST(SuMisura, TheSystemFileKeepsTheDesignAndReopensItAlone)
{
    SavedSystem saved;
    saved.entryText = "20 numeri su misura garanzia 3 se 4";
    for (int n = 1; n <= 20; ++n)
        saved.pronostico.push_back(static_cast<std::uint8_t>(n + 30));
    saved.conditions.gruppiAttivi = true;
    saved.conditions.gruppi.push_back(Group{"-1-2-3-", 0, 2});
    saved.designColumns = {Positions{1, 2, 3, 4, 5, 6}, Positions{15, 16, 17, 18, 19, 20}};
    const std::string text = systemFileText(saved);
    EXPECT_NE(text.find("Colonna=15 16 17 18 19 20\r\nGruppi\r\n"), std::string::npos);
    const LoadOutcome loaded = readSystemFileText(text);
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    EXPECT_EQ(loaded.system.custom.entryText, saved.entryText);
    EXPECT_EQ(loaded.system.custom.numbers, 20);
    EXPECT_EQ(loaded.system.custom.columns, saved.designColumns);
    SavedSystem again{loaded.system.custom.entryText, saved.pronostico, loaded.system.conditions,
                      loaded.system.custom.columns};
    EXPECT_EQ(systemFileText(again), text);

    // The most a design holds stays within the reader's limits; one column more does not.
    SavedSystem largest = saved;
    largest.entryText = "55 numeri su misura garanzia 4 se 6";
    largest.pronostico.clear();
    for (int n = 1; n <= 55; ++n)
        largest.pronostico.push_back(static_cast<std::uint8_t>(n));
    largest.designColumns.assign(kMaxSuMisuraColumns, Positions{50, 51, 52, 53, 54, 55});
    EXPECT_EQ(readSystemFileText(systemFileText(largest)).system.custom.columns.size(), kMaxSuMisuraColumns);
    largest.designColumns.push_back(Positions{1, 2, 3, 4, 5, 6});
    EXPECT_EQ(readSystemFileText(systemFileText(largest)).error, "Riga 27135: più di 27.132 colonne");

    for (const auto& [line, error] : std::vector<std::pair<std::string, std::string>>{
             {"Colonna=1 2 3 4 5\r\n", "Riga 3: colonna non valida: \"1 2 3 4 5\""},
             {"Colonna=1 2 3 4 5 5\r\n", "Riga 3: colonna non valida: \"1 2 3 4 5 5\""},
             {"Colonna=1 2 3 4 5 21\r\n", "una colonna va oltre i 20 numeri del sistema"}}) {
        const std::string bad = "Sistema=" + saved.entryText + "\r\nLista=1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 "
                                "17 18 19 20 \r\n" + line;
        EXPECT_EQ(readSystemFileText(bad).error, error);
    }
    // Columns beside a catalogue entry are no design of it.
    const std::string catalogue = "Sistema=20 numeri ridotto n-1\r\nLista=1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 "
                                  "17 18 19 20 \r\nColonna=1 2 3 4 5 6\r\n";
    EXPECT_EQ(readSystemFileText(catalogue).system.custom.entryText, "");
}
