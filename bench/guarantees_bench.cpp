// Speed of the guarantees analysis over the largest developments of the catalogue: the 35-number
// full system and the largest reduced systems of each level. The peak memory of the process is
// reported with each, in megabytes.
#include "core/development/catalogue.h"
#include "core/development/developers.h"
#include "core/development/run.h"
#include "core/guarantees/guarantees.h"
#include "core/util/datafolder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>

#include <sys/resource.h>

using namespace sestara;

namespace {

const std::atomic<bool> kNever{false};

struct Developed {
    std::vector<std::uint8_t> pronostico;
    Development development;
};

// The entry developed from the data files beside this program, on the numbers 1..n.
Developed develop(int n, const std::string& entry, int selectedIndex)
{
    Prediction p;
    for (int v = 1; v <= n; ++v)
        p.select(v);
    const std::string dataDir = findDataFolder(std::filesystem::read_symlink("/proc/self/exe").parent_path().string());
    const PlanOutcome planned = planDevelopment(p, {std::to_string(n), selectedIndex, entry}, dataDir);
    if (!planned.ok())
        throw std::runtime_error(planned.refusal);
    return {planned.plan.pronostico, execute(planned.plan, ConditionSet{}, kNever).development};
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void analyse(benchmark::State& state, const Developed& d)
{
    for (auto _ : state) {
        GuaranteeAnalysis a = analyseGuarantees(d.pronostico, d.development, kNever);
        benchmark::DoNotOptimize(a.atLeast.data());
    }
    state.counters["columns"] = static_cast<double>(d.development.size());
    state.counters["peak_MB"] = peakMegabytes();
}

void BM_GuaranteesFull35(benchmark::State& state)
{
    static const Developed d = develop(35, "35 numeri sistema Integrale", 0);
    analyse(state, d);
}
BENCHMARK(BM_GuaranteesFull35)->Unit(benchmark::kMillisecond);

// The reduced systems with the most numbers at each level; n-3 on 55 numbers scores all
// 28,989,675 six-sets of the prediction.
void BM_GuaranteesReduced(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const int level = static_cast<int>(state.range(1));
    const std::string entry = reducedEntryText(n, level);
    const auto entries = catalogueEntriesForSize(n);
    const int index = static_cast<int>(std::find(entries.begin(), entries.end(), entry) - entries.begin());
    const Developed d = develop(n, entry, index);
    analyse(state, d);
}
BENCHMARK(BM_GuaranteesReduced)->Args({39, 1})->Args({50, 2})->Args({55, 3})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
