#include "core/development/developers.h"
#include "core/development/run.h"
#include "core/settings/settings.h"

#include "tests/common/testutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <tuple>

using namespace sestara;
using testutil::predictionOf;
using testutil::pronostico;
using testutil::range;

namespace {
const std::atomic<bool> kNever{false};
}

TEST(Integrale, LexicographicAndOnlyAcceptedColumnsNumbered)
{
    const RunResult r = integrale({3, 8, 11, 20, 27, 34, 45, 52, 66, 90}, ConditionSet{}, kNever);
    ASSERT_EQ(r.status, RunStatus::Completed);
    ASSERT_EQ(r.development.size(), 210u);
    EXPECT_EQ(listingLine(1, r.development.column(0)), "1\t>   3-8-11-20-27-34");
    EXPECT_EQ(listingLine(210, r.development.column(209)), "210\t>   27-34-45-52-66-90");
    for (std::size_t k = 1; k < r.development.size(); ++k)
        ASSERT_LT(r.development.column(k - 1), r.development.column(k));

    // Sums 30 and 31: 30 of the six-number sets of 1..10, numbered from 1 in the same order.
    ConditionSet c;
    c.salvaSomma(true, 30, 31, 21, 45);
    const std::string text = listingText(integrale(pronostico(1, 10), c, kNever).development);
    EXPECT_EQ(text.substr(0, text.find('\r')), "1\t>   1-2-3-5-9-10");
    EXPECT_EQ(text.substr(text.rfind('\t') - 4), "\r\n30\t>   2-3-5-6-7-8\r\n");
}

namespace {

// The conditions tested the plain way, number by number, as the rules state them.
bool plainAccepts(const ConditionSet& c, const Column& col)
{
    auto has = [&](int v) { return std::find(col.begin(), col.end(), v) != col.end(); };
    if (c.presenzeAttive)
        for (int n : c.fixedNumbers())
            if (!has(n))
                return false;
    if (c.pariDispariAttivo) {
        const auto even = std::count_if(col.begin(), col.end(), [](int v) { return v % 2 == 0; });
        if (!c.pariDispari[static_cast<std::size_t>(even)])
            return false;
    }
    if (c.consecutiviAttivo) {
        int pairs = 0;
        for (int v : col)
            pairs += has(v + 1);
        if (!c.consecutivi[static_cast<std::size_t>(pairs)])
            return false;
    }
    int sum = 0;
    for (int v : col)
        sum += v;
    if (c.sommaAttiva && (sum < c.sommaMin || sum > c.sommaMax))
        return false;
    if (c.gruppiAttivi)
        for (const Group& g : c.gruppi) {
            int hits = 0;
            for (int v : groupNumbers(g.numeri))
                hits += has(v);
            if (hits < g.puntiMin || hits > g.puntiMax)
                return false;
        }
    return true;
}

} // namespace

TEST(Developers, ConditionedDevelopmentsAgreeWithPlainCounting)
{
    // Random predictions across the whole board (both halves of a column's number set) and random
    // condition sets: the full developer and the stored-column developer keep exactly the
    // columns the plain tests keep, in order.
    std::mt19937 rng(20261207);
    std::uniform_int_distribution<int> num(1, 90), coin(0, 1), pts(0, 6);
    for (int round = 0; round < 60; ++round) {
        std::vector<std::uint8_t> p;
        while (p.size() < 14) {
            const auto v = static_cast<std::uint8_t>(num(rng));
            if (std::find(p.begin(), p.end(), v) == p.end())
                p.push_back(v);
        }
        std::sort(p.begin(), p.end());
        ConditionSet c;
        if (coin(rng))
            c.salvaPresenze({p[static_cast<std::size_t>(num(rng) % 14)]}, true);
        std::vector<int> pd, cs;
        for (int k = 0; k <= 6; ++k)
            if (coin(rng))
                pd.push_back(k);
        for (int k = 0; k <= 5; ++k)
            if (coin(rng))
                cs.push_back(k);
        c.salvaPariDispari(pd, coin(rng));
        c.salvaConsecutivi(cs, coin(rng));
        const int lo = 60 + 3 * num(rng);
        c.salvaSomma(coin(rng), lo, lo + 2 * num(rng), 0, 1000);
        std::vector<int> group;
        for (int i = 0; i < 6; ++i)
            group.push_back(p[static_cast<std::size_t>(num(rng) % 14)]); // repeats count twice
        const int a = pts(rng), b = pts(rng);
        c.salvaGruppi({{groupText(group), std::min(a, b), std::max(a, b)}}, coin(rng));

        std::vector<Column> expected;
        std::vector<Positions> all;
        std::vector<bool> pick(14, false);
        std::fill(pick.begin(), pick.begin() + 6, true);
        do {
            Positions pos{};
            Column col{};
            for (std::size_t i = 0, k = 0; i < 14; ++i)
                if (pick[i]) {
                    pos[k] = static_cast<std::uint8_t>(i + 1);
                    col[k++] = p[i];
                }
            all.push_back(pos);
            if (plainAccepts(c, col))
                expected.push_back(col);
        } while (std::prev_permutation(pick.begin(), pick.end()));
        for (const RunResult& r : {integrale(p, c, kNever), developStored(p, all, c, kNever)}) {
            ASSERT_EQ(r.development.size(), expected.size()) << "round " << round;
            for (std::size_t k = 0; k < expected.size(); ++k)
                ASSERT_EQ(r.development.column(k), expected[k]) << "round " << round << ", column " << k;
        }
    }
}

TEST(Developers, InterruptYieldsNoListingAndProgressIsReported)
{
    // Progress rises to the total; an interrupt stops promptly and leaves nothing.
    const std::vector<Positions> stored(100000, Positions{1, 2, 3, 4, 5, 6});
    const std::function<RunResult(std::atomic<bool>&, const ProgressFn&)> runs[] = {
        [](std::atomic<bool>& stop, const ProgressFn& f) { return integrale(pronostico(1, 25), {}, stop, f); },
        [&](std::atomic<bool>& stop, const ProgressFn& f) { return developStored(pronostico(1, 10), stored, {}, stop, f); }};
    const std::uint64_t totals[] = {177100, 100000};
    for (std::size_t k = 0; k < 2; ++k) {
        std::atomic<bool> stop{false};
        std::uint64_t reports = 0, last = 0;
        const RunResult full = runs[k](stop, [&](const Progress& p) {
            ++reports;
            EXPECT_GE(p.examined, last);
            EXPECT_EQ(p.total, totals[k]);
            last = p.examined;
        });
        EXPECT_EQ(full.development.size(), totals[k]);
        EXPECT_EQ(last, totals[k]);
        EXPECT_GE(reports, 6u);
        const RunResult stopped = runs[k](stop, [&](const Progress& p) {
            EXPECT_LE(p.examined, 2 * kProgressEvery) << "stopped promptly";
            stop = p.examined >= kProgressEvery;
        });
        EXPECT_EQ(stopped.status, RunStatus::Interrupted);
        EXPECT_TRUE(stopped.development.empty());
    }
}

TEST(RunChecks, RefusalsInOrder)
{
    const RunSelection twelve{"12", 0, "12 numeri sistema Integrale"};
    EXPECT_EQ(planDevelopment(predictionOf(range(1, 9)), twelve, "").refusal, kMsgAlmeno10);
    EXPECT_EQ(planDevelopment(predictionOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 10, 11}), twelve, "").refusal,
              kMsgDatiNonConformi);
    EXPECT_EQ(planDevelopment(predictionOf(range(1, 12)), {"20", 0, "20 numeri sistema Integrale"}, "").refusal,
              "La quantità d'elementi inseriti non è conforme");
    const PlanOutcome ok = planDevelopment(predictionOf(range(1, 12)), twelve, "");
    ASSERT_TRUE(ok.ok());
    EXPECT_EQ(ok.plan.choice.kind, DeveloperKind::Integrale);
    EXPECT_EQ(ok.plan.entryText, twelve.entryText);
    EXPECT_EQ(ok.plan.totalCandidates, 924u);
}

TEST(Costs, FiguresOfTheCostLabels)
{
    struct Case {
        std::uint64_t columns, full;
        double costCents, developed, saving, percent;
        std::uint64_t slips;
    };
    const Case cases[] = {{924, 924, 50, 46200, 0, 0, 185}, {0, 210, 50, 0, 10500, 100, 0},
                          {14, 210, 75, 1050, 196 * 75, 100 - 1400.0 / 210, 3}};
    for (const Case& c : cases) {
        const Costs got = visualizzaCosti(c.columns, c.full, {c.costCents, 50});
        EXPECT_DOUBLE_EQ(got.developedCents, c.developed);
        EXPECT_DOUBLE_EQ(got.fullCents, static_cast<double>(c.full) * c.costCents);
        EXPECT_DOUBLE_EQ(got.savingCents, c.saving);
        EXPECT_NEAR(got.percent, c.percent, 1e-9);
        EXPECT_EQ(got.slips, c.slips);
    }
    EXPECT_EQ(caricaQuanteSchedine(5), 1u);
    EXPECT_EQ(caricaQuanteSchedine(6), 2u);
}

TEST(Costs, SuperStarAddsItsPriceToEveryColumnAndReceiptsHoldAtMost27132Columns)
{
    // 924 columns of 1,623,160 at the column prices of before and since 2016, SuperStar at 50 cents:
    // developed, full and SuperStar's share.
    const std::tuple<double, bool, double, double, double> cases[] = {{50, false, 46200, 81158000, 0},
                                                                      {50, true, 92400, 162316000, 46200},
                                                                      {100, false, 92400, 162316000, 0},
                                                                      {100, true, 138600, 243474000, 46200}};
    for (const auto& [colonna, superStar, developed, full, share] : cases) {
        const Costs got = visualizzaCosti(924, 1623160, {colonna, 50}, superStar);
        EXPECT_EQ(costoGiocataCents(924, {colonna, 50}, superStar), developed);
        EXPECT_EQ(std::vector<double>({got.developedCents, got.fullCents, got.savingCents, got.superStarCents}),
                  std::vector<double>({developed, full, full - developed, share}));
    }
    Settings settings;
    settings.costoSuperStar = 70;
    EXPECT_EQ(costoGiocataCents(3, columnPrices(settings), true), 510);
    for (const auto& [columns, receipts] : {std::pair<std::uint64_t, std::uint64_t>{27132, 0}, {27133, 2}, {54265, 3}})
        EXPECT_EQ(visualizzaCosti(columns, 1623160, {100, 50}).receipts, receipts) << columns;
}
