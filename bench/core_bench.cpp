// Speed of the developers, the condition filter and the listing writer.
#include "core/conditions/filter.h"
#include "core/development/developers.h"
#include "core/development/development.h"

#include <benchmark/benchmark.h>

#include <sstream>

using namespace sestara;

namespace {

std::vector<std::uint8_t> firstNumbers(int n)
{
    std::vector<std::uint8_t> v;
    for (int i = 1; i <= n; ++i)
        v.push_back(static_cast<std::uint8_t>(i * 2 + (i > 20 ? 1 : 0)));
    return v;
}

ConditionSet someConditions()
{
    ConditionSet c;
    c.salvaPariDispari({2, 3, 4}, true);
    c.salvaConsecutivi({0, 1}, true);
    c.salvaSomma(true, 150, 300, 0, 1000);
    return c;
}

const std::atomic<bool> kNever{false};

void BM_IntegraleFull(benchmark::State& state)
{
    const auto p = firstNumbers(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        RunResult r = integrale(p, ConditionSet{}, kNever);
        benchmark::DoNotOptimize(r.development.size());
    }
}
BENCHMARK(BM_IntegraleFull)->Arg(20)->Arg(35)->Unit(benchmark::kMillisecond);

void BM_IntegraleWithConditions(benchmark::State& state)
{
    const auto p = firstNumbers(static_cast<int>(state.range(0)));
    const ConditionSet c = someConditions();
    for (auto _ : state) {
        RunResult r = integrale(p, c, kNever);
        benchmark::DoNotOptimize(r.development.size());
    }
}
BENCHMARK(BM_IntegraleWithConditions)->Arg(35)->Unit(benchmark::kMillisecond);

void BM_StoredSystemWithGroups(benchmark::State& state)
{
    const auto p = firstNumbers(39);
    std::vector<Positions> stored;
    for (int i = 0; i < 60000; ++i)
        stored.push_back(Positions{static_cast<std::uint8_t>(1 + i % 34), static_cast<std::uint8_t>(35),
                                   36, 37, 38, 39});
    ConditionSet c = someConditions();
    c.salvaGruppi({{"-2-4-6-8-10-12", 0, 1}, {"-43-45-47", 0, 2}}, true);
    for (auto _ : state) {
        RunResult r = developStored(p, stored, c, kNever);
        benchmark::DoNotOptimize(r.development.size());
    }
}
BENCHMARK(BM_StoredSystemWithGroups)->Unit(benchmark::kMillisecond);

void BM_FilterOneColumn(benchmark::State& state)
{
    ConditionSet c = someConditions();
    c.salvaPresenze({5}, true);
    c.salvaGruppi({{"-5-17-23-40", 1, 3}}, true);
    const ConditionFilter f(c);
    std::uint8_t col[6] = {5, 17, 22, 41, 60, 81};
    for (auto _ : state) {
        col[5] = static_cast<std::uint8_t>(61 + (col[5] - 60) % 29);
        benchmark::DoNotOptimize(f.accepts(col));
    }
}
BENCHMARK(BM_FilterOneColumn);

void BM_WriteListing35(benchmark::State& state)
{
    const RunResult r = integrale(firstNumbers(35), ConditionSet{}, kNever);
    for (auto _ : state) {
        std::ostringstream out;
        writeListing(out, r.development);
        benchmark::DoNotOptimize(out.tellp());
    }
}
BENCHMARK(BM_WriteListing35)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
