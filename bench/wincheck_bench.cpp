// Speed of the win check over the 35-number full system.
#include "core/development/developers.h"
#include "core/wincheck/wincheck.h"

#include <benchmark/benchmark.h>

using namespace sestara;

namespace {

const std::atomic<bool> kNever{false};

const Development& fullSystem35()
{
    static const RunResult r = [] {
        std::vector<std::uint8_t> p;
        for (int n = 1; n <= 35; ++n)
            p.push_back(static_cast<std::uint8_t>(n * 2 + (n > 20 ? 1 : 0)));
        return integrale(p, ConditionSet{}, kNever);
    }();
    return r.development;
}

// A lucky draw: five numbers and the bonus inside the prediction, so every class comes up and
// the winning entries run into the hundreds of thousands.
const std::vector<int> kDrawn{2, 4, 6, 8, 10, 90, 12};

void BM_WinCheck(benchmark::State& state)
{
    const Development& d = fullSystem35();
    const bool record = state.range(0) != 0;
    for (auto _ : state) {
        WinCheckResult r = checkWins(d, kDrawn, record, kNever);
        benchmark::DoNotOptimize(r.counts.data());
        benchmark::DoNotOptimize(r.winners.size());
    }
    state.counters["columns"] = static_cast<double>(d.size());
}
BENCHMARK(BM_WinCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
