#include "core/advice/advisor.h"

#include "core/design/budgetdesign.h"
#include "core/design/sumisura.h"
#include "core/development/catalogue.h"
#include "core/development/storedsystems.h"
#include "core/guarantees/guarantees.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace sestara;

namespace {

const std::atomic<bool> kNever{false};

AdviceRequest request(int n, std::uint64_t budgetCents, int goal)
{
    AdviceRequest r;
    r.numbers = n;
    r.budgetCents = budgetCents;
    r.columnCents = 50;
    r.goal = goal;
    r.dataDir = SESTARA_PROGRAM_DIR;
    r.searchMoves = 20000;
    return r;
}

// The columns of a catalogue entry as the data files and the full system give them.
std::vector<Column> entryColumns(int n, const std::string& entry)
{
    if (entry.find("Integrale") != std::string::npos)
        return allColumns(n);
    StoredSystem s = loadImmediateSystem(SESTARA_PROGRAM_DIR, entry, n);
    for (int level = 1; level <= 3; ++level)
        if (entry == reducedEntryText(n, level))
            s = loadReducedSystem(SESTARA_PROGRAM_DIR, n, level);
    return {s.columns.begin(), s.columns.end()};
}

const AdviceCandidate* find(const Advice& a, const std::string& entry)
{
    for (const AdviceCandidate& c : a.candidates)
        if (c.entryText == entry)
            return &c;
    return nullptr;
}

} // namespace

TEST(Advisor, EveryCandidateThatFitsWithItsExactDrawsInOrder)
{
    const Advice a = advise(request(16, 1000, 3), kNever);
    ASSERT_TRUE(a.ok()) << a.error;
    // Every catalogue entry of 20 columns or fewer, and only those.
    for (const std::string& entry : catalogueEntriesForSize(16)) {
        const std::vector<Column> columns = entryColumns(16, entry);
        const AdviceCandidate* c = find(a, entry);
        ASSERT_EQ(c != nullptr, columns.size() <= 20) << entry;
        if (c) {
            EXPECT_EQ(c->columns, columns.size());
            EXPECT_EQ(c->costCents, columns.size() * 50);
        }
    }
    const AdviceCandidate* made = find(a, "16 numeri su misura 20 colonne almeno 3 punti");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->kind, CandidateKind::Budget);
    EXPECT_EQ(made->costCents, 1000u);
    bool suMisura = false;
    for (const AdviceCandidate& c : a.candidates) {
        const std::vector<Column> columns =
            c.kind == CandidateKind::Catalogue ? entryColumns(16, c.entryText) : c.design;
        ASSERT_EQ(columns.size(), c.columns) << c.entryText;
        const GuaranteeAnalysis exact = analyseGuarantees(positionsUpTo(16), developmentOf(columns), kNever);
        for (int j = 2; j <= 5; ++j)
            EXPECT_EQ(c.draws(j), exact.atLeast[static_cast<std::size_t>(j)]) << c.entryText << " " << j;
        if (c.kind == CandidateKind::SuMisura) {
            suMisura = true;
            EXPECT_EQ(c.entryText, suMisuraEntryText(16, 3, c.guaranteeDrawn));
            EXPECT_EQ(guaranteeShare(exact, Guarantee{c.guaranteeDrawn, 3}).holds(), true) << c.entryText;
        }
        EXPECT_LE(c.costCents, 1000u);
        EXPECT_TRUE(c.kind != CandidateKind::Catalogue || c.design.empty());
    }
    EXPECT_TRUE(suMisura);
    EXPECT_TRUE(std::is_sorted(a.candidates.begin(), a.candidates.end(),
                               [](const auto& x, const auto& y) { return candidateBefore(x, y, 3); }));
}

TEST(Advisor, ASystemOneCentOverTheBudgetIsLeftOut)
{
    const std::string entry = "16 numeri in 16 sestine a garanzia tre con 4 estratti";
    EXPECT_NE(find(advise(request(16, 800, 5), kNever), entry), nullptr);
    EXPECT_EQ(find(advise(request(16, 799, 5), kNever), entry), nullptr);
    const Advice none = advise(request(16, 49, 3), kNever);
    EXPECT_EQ(none.error, "Nessun sistema rientra nel budget di 0,49 € (una colonna costa 0,50 €).");
    EXPECT_TRUE(none.candidates.empty());
    EXPECT_FALSE(advise(request(9, 1000, 3), kNever).error.empty());
    EXPECT_FALSE(advise(request(16, 1000, 6), kNever).error.empty());
    const std::atomic<bool> stop{true};
    EXPECT_TRUE(advise(request(16, 1000, 3), stop).interrupted);
}

TEST(Advisor, TheSystemMadeToTheBudgetBeatsTheBestCatalogueEntry)
{
    struct Case {
        int n;
        std::uint64_t budgetCents;
        int goal;
    };
    for (const Case& c : {Case{20, 4300, 4}, Case{12, 2000, 5}, Case{25, 3000, 3}}) {
        const Advice a = advise(request(c.n, c.budgetCents, c.goal), kNever);
        ASSERT_TRUE(a.ok()) << a.error;
        const AdviceCandidate* catalogue = nullptr;
        const AdviceCandidate* made = nullptr;
        for (const AdviceCandidate& x : a.candidates) {
            if (x.kind == CandidateKind::Catalogue && !catalogue)
                catalogue = &x;
            if (x.kind == CandidateKind::Budget)
                made = &x;
        }
        ASSERT_TRUE(catalogue && made) << c.n;
        EXPECT_GT(made->draws(c.goal), catalogue->draws(c.goal)) << c.n << " numbers, " << c.goal << " points";
    }
}

TEST(Advisor, OrderBudgetAndTheTextsOfTheCommandLine)
{
    AdviceCandidate a, b;
    a.entryText = "b";
    b.entryText = "a";
    a.atLeast = b.atLeast = {9, 5, 1, 0};
    a.costCents = b.costCents = 100;
    EXPECT_TRUE(candidateBefore(b, a, 3)) << "then by entry text";
    a.costCents = 99;
    EXPECT_TRUE(candidateBefore(a, b, 3)) << "then the cheaper";
    b.atLeast[1] = 6;
    EXPECT_TRUE(candidateBefore(b, a, 3)) << "first the draws for the goal";
    EXPECT_TRUE(candidateBefore(a, b, 2));
    EXPECT_EQ(adviceLine(b), "a\t0\t100\t9 6 1 0\n");

    const std::pair<const char*, std::optional<std::uint64_t>> euros[] = {
        {"50", 5000}, {"49,5", 4950}, {"0.07", 7}, {"12,34", 1234}, {"99999999", 9999999900u}, {"", std::nullopt},
        {"5,", std::nullopt}, {",5", std::nullopt}, {"1,234", std::nullopt}, {"-5", std::nullopt},
        {"5 ", std::nullopt}, {"1e3", std::nullopt}, {"100000000", std::nullopt}, {"1,2,3", std::nullopt}};
    for (const auto& [text, cents] : euros)
        EXPECT_EQ(parseEuro(text), cents) << text;

    EXPECT_EQ(budgetColumns(20, 1000, 50), 20u);
    EXPECT_EQ(budgetColumns(20, 1049, 50), 20u);
    EXPECT_EQ(budgetColumns(10, 100000, 50), 210u) << "at most the full system";
    EXPECT_EQ(budgetColumns(40, 10000000, 50), 27132u) << "at most one receipt";
    EXPECT_EQ(budgetColumns(20, 1000, 0), 0u);

    int count = 0;
    EXPECT_EQ(readPredictionCount(" 1 2 3 4 5 6 7 8 9 90 ", count), "");
    EXPECT_EQ(count, 10);
    EXPECT_EQ(readPredictionCount("1 2 3 4 5 6 7 8 9", count), "Il pronostico deve avere da 10 a 55 numeri: ne ha 9.");
    EXPECT_EQ(readPredictionCount("1 2 3 4 5 6 7 8 9 91", count),
              "Numero non valido nel pronostico: \"91\" (da 1 a 90)");
    EXPECT_EQ(readPredictionCount("1 2 3 4 5 6 7 8 9 x", count), "Numero non valido nel pronostico: \"x\" (da 1 a 90)");
    EXPECT_EQ(readPredictionCount("1 2 3 4 5 6 7 8 9 9", count), "Numero ripetuto nel pronostico: 9");
    EXPECT_EQ(budgetEntryText(30, 200, 3), "30 numeri su misura 200 colonne almeno 3 punti");
}
