#include "development/developers.h"
#include "development/run.h"

#include "testutil.h"

#include <gtest/gtest.h>

#include <thread>

using namespace sestara;
using testutil::record;

namespace {

std::vector<std::uint8_t> numbersFrom(int first, int count)
{
    std::vector<std::uint8_t> v;
    for (int i = 0; i < count; ++i)
        v.push_back(static_cast<std::uint8_t>(first + i));
    return v;
}

Prediction predictionOf(const std::vector<int>& numbers)
{
    return *Prediction::fromNumbers(numbers);
}

std::vector<int> range(int first, int last)
{
    std::vector<int> v;
    for (int n = first; n <= last; ++n)
        v.push_back(n);
    return v;
}

const std::atomic<bool> kNever{false};

} // namespace

TEST(Integrale, TenNumbersLexicographic)
{
    const std::vector<std::uint8_t> p = {3, 8, 11, 20, 27, 34, 45, 52, 66, 90};
    const RunResult r = integrale(p, ConditionSet{}, kNever);
    ASSERT_EQ(r.status, RunStatus::Completed);
    ASSERT_EQ(r.development.size(), 210u);
    EXPECT_EQ(listingLine(1, r.development.column(0)), "1\t>   3-8-11-20-27-34");
    EXPECT_EQ(listingLine(2, r.development.column(1)), "2\t>   3-8-11-20-27-45");
    EXPECT_EQ(listingLine(210, r.development.column(209)), "210\t>   27-34-45-52-66-90");
    for (std::size_t k = 1; k < r.development.size(); ++k)
        ASSERT_LT(r.development.column(k - 1), r.development.column(k));
    EXPECT_EQ(integrale(numbersFrom(1, 12), ConditionSet{}, kNever).development.size(), 924u);
}

TEST(Integrale, ConditionsNumberOnlyAcceptedColumns)
{
    ConditionSet c;
    c.salvaSomma(true, 30, 31, 21, 45);
    const RunResult r = integrale(numbersFrom(1, 10), c, kNever);
    // Sums 30 and 31 among the 6-subsets of 1..10.
    std::size_t expected = 0;
    const RunResult all = integrale(numbersFrom(1, 10), ConditionSet{}, kNever);
    for (std::size_t k = 0; k < all.development.size(); ++k) {
        int s = 0;
        for (auto v : all.development.column(k))
            s += v;
        expected += s == 30 || s == 31;
    }
    ASSERT_EQ(r.development.size(), expected);
    const std::string text = listingText(r.development);
    EXPECT_EQ(text.substr(0, text.find('\r')), "1\t>   1-2-3-5-9-10");
    EXPECT_NE(text.find("\r\n" + std::to_string(expected) + "\t>   "), std::string::npos);
}

TEST(Integrale, InterruptYieldsNoListingAndProgressIsReported)
{
    std::atomic<bool> stop{false};
    std::uint64_t reports = 0, lastExamined = 0;
    const RunResult full = integrale(numbersFrom(1, 25), ConditionSet{}, stop, [&](const Progress& p) {
        ++reports;
        EXPECT_GE(p.examined, lastExamined);
        lastExamined = p.examined;
        EXPECT_EQ(p.total, 177100u);
    });
    EXPECT_EQ(full.development.size(), 177100u);
    EXPECT_EQ(lastExamined, 177100u);
    EXPECT_GT(reports, 5u);

    std::atomic<bool> interrupt{false};
    std::uint64_t seen = 0;
    const RunResult r = integrale(numbersFrom(1, 35), ConditionSet{}, interrupt, [&](const Progress& p) {
        seen = p.examined;
        if (p.examined > 100000)
            interrupt = true;
    });
    EXPECT_EQ(r.status, RunStatus::Interrupted);
    EXPECT_TRUE(r.development.empty());
    EXPECT_LT(seen, 200000u) << "stopped promptly";
}

TEST(StoredDeveloper, InterruptAndProgress)
{
    const auto p = numbersFrom(1, 10);
    std::vector<Positions> stored(100000, Positions{1, 2, 3, 4, 5, 6});
    std::atomic<bool> interrupt{false};
    std::uint64_t reports = 0;
    const RunResult done = developStored(p, stored, ConditionSet{}, interrupt, [&](const Progress& pr) {
        ++reports;
        EXPECT_EQ(pr.total, 100000u);
    });
    EXPECT_EQ(done.development.size(), 100000u);
    EXPECT_GE(reports, 6u);
    const RunResult stopped = developStored(p, stored, ConditionSet{}, interrupt, [&](const Progress& pr) {
        if (pr.examined >= kProgressEvery)
            interrupt = true;
    });
    EXPECT_EQ(stopped.status, RunStatus::Interrupted);
    EXPECT_TRUE(stopped.development.empty());
}

TEST(RunChecks, RefusalsAndTheirMessages)
{
    const std::string noData = "/nonexistent-folder";
    RunSelection twelve{"12", 0, "12 numeri sistema Integrale"};
    EXPECT_EQ(planDevelopment(Prediction{}, twelve, noData).refusal, "Inserire almeno 10 elementi nel pronostico");
    EXPECT_EQ(planDevelopment(predictionOf(range(1, 9)), twelve, noData).refusal,
              "Inserire almeno 10 elementi nel pronostico");
    EXPECT_EQ(planDevelopment(predictionOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 10, 11}), twelve, noData).refusal,
              "I dati non sono conformi !\nverificare elementi inseriti");
    RunSelection twenty{"20", 0, "20 numeri sistema Integrale"};
    EXPECT_EQ(planDevelopment(predictionOf(range(1, 12)), twenty, noData).refusal,
              "La quantità d'elementi inseriti non è conforme");
    const PlanOutcome ok = planDevelopment(predictionOf(range(1, 12)), twelve, noData);
    ASSERT_TRUE(ok.ok());
    EXPECT_EQ(ok.plan.choice.kind, DeveloperKind::Integrale);
    EXPECT_EQ(ok.plan.totalCandidates, 924u);
}

TEST(RunChecks, MissingDataFilesAreRefusedByName)
{
    testutil::TempDir dir;
    const PlanOutcome r = planDevelopment(predictionOf(range(1, 12)), {"12", 3, "12 numeri ridotto n-1"}, dir.path());
    EXPECT_EQ(r.refusal, "Impossibile leggere il file \"Riduttore\" (" + dir.file("Riduttore") + ").");
    const PlanOutcome i = planDevelopment(predictionOf(range(1, 12)),
                                          {"12", 1, "12 numeri in 24 sestine a garanzia tre con 3 estratti"}, dir.path());
    EXPECT_EQ(i.refusal, "Impossibile leggere il file \"Immediati\" (" + dir.file("Immediati") + ").");
}

TEST(Costs, FiguresOfTheCostLabels)
{
    const Costs c = visualizzaCosti(924, 924, 50);
    EXPECT_DOUBLE_EQ(c.developedCents, 46200);
    EXPECT_DOUBLE_EQ(c.fullCents, 46200);
    EXPECT_DOUBLE_EQ(c.savingCents, 0);
    EXPECT_DOUBLE_EQ(c.percent, 0);
    EXPECT_EQ(c.slips, 185u);

    const Costs none = visualizzaCosti(0, 210, 50);
    EXPECT_DOUBLE_EQ(none.savingCents, 10500);
    EXPECT_DOUBLE_EQ(none.percent, 100);
    EXPECT_EQ(none.slips, 0u);

    const Costs some = visualizzaCosti(14, 210, 75);
    EXPECT_DOUBLE_EQ(some.developedCents, 1050);
    EXPECT_DOUBLE_EQ(some.savingCents, 196 * 75);
    EXPECT_NEAR(some.percent, 93.333333, 1e-5);
    EXPECT_EQ(some.slips, 3u);
    EXPECT_EQ(caricaQuanteSchedine(5), 1u);
    EXPECT_EQ(caricaQuanteSchedine(6), 2u);
}
