// Speed of the draw archive: the 35-number full system against 4,000 draws, the reading of a
// 4,000-line file of draws and of 16 MiB of junk, and the figures of the numbers over 4,000 draws.
#include "core/development/developers.h"
#include "core/draws/drawarchive.h"
#include "core/draws/drawstats.h"
#include "core/draws/historycheck.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

using namespace sestara;

namespace {

const std::atomic<bool> kNever{false};

// The full system of the first `size` numbers of the 35 the win check bench uses.
const Development& fullSystem(int size)
{
    static std::map<int, RunResult> systems;
    auto found = systems.find(size);
    if (found == systems.end()) {
        std::vector<std::uint8_t> p;
        for (int n = 1; n <= size; ++n)
            p.push_back(static_cast<std::uint8_t>(n * 2 + (n > 20 ? 1 : 0)));
        found = systems.emplace(size, integrale(p, ConditionSet{}, kNever)).first;
    }
    return found->second.development;
}

// 4,000 draws a few days apart, the same on every run, as the text of a file.
std::string drawFileText()
{
    std::mt19937 rng(4000);
    std::string text = "Concorso;Data;N1;N2;N3;N4;N5;N6;Jolly;SuperStar\r\n";
    int day = 0;
    for (int k = 0; k < 4000; ++k) {
        std::vector<int> pool(90);
        for (int n = 0; n < 90; ++n)
            pool[static_cast<std::size_t>(n)] = n + 1;
        std::shuffle(pool.begin(), pool.end(), rng);
        day += 2 + static_cast<int>(rng() % 3);
        const int date = 19600101 + day / 28 % 12 * 100 + day / 336 * 10000 + day % 28;
        text += std::to_string(k % 150 + 1) + ";" + dateText(date);
        for (int i = 0; i < 8; ++i)
            text += ";" + std::to_string(pool[static_cast<std::size_t>(i)]);
        text += "\r\n";
    }
    return text;
}

const std::vector<Draw>& draws4000()
{
    static const std::vector<Draw> draws = [] {
        DrawArchive archive;
        archive.import(readDraws(drawFileText()));
        return archive.draws();
    }();
    return draws;
}

// Without SuperStar (0) and with one (17), which about one draw in ninety matches.
void BM_HistoryCheck35Full(benchmark::State& state)
{
    const Development& d = fullSystem(35);
    const std::vector<Draw>& draws = draws4000();
    for (auto _ : state) {
        HistoryResult r = checkHistory(d, draws, kNever, {}, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(r.totals.data());
    }
    state.counters["columns"] = static_cast<double>(d.size());
    state.counters["draws"] = static_cast<double>(draws.size());
}
BENCHMARK(BM_HistoryCheck35Full)->Arg(0)->Arg(17)->Unit(benchmark::kMillisecond);

// What the check is measured against: one development of the same system.
void BM_Develop35Full(benchmark::State& state)
{
    std::vector<std::uint8_t> p;
    for (int n = 1; n <= 35; ++n)
        p.push_back(static_cast<std::uint8_t>(n * 2 + (n > 20 ? 1 : 0)));
    for (auto _ : state) {
        RunResult r = integrale(p, ConditionSet{}, kNever);
        benchmark::DoNotOptimize(r.development.size());
    }
}
BENCHMARK(BM_Develop35Full)->Unit(benchmark::kMillisecond);

// The pass over the development alone.
void BM_HistoryIndex(benchmark::State& state)
{
    const Development& d = fullSystem(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        HistoryIndex index(d, kNever);
        benchmark::DoNotOptimize(index.complete());
    }
    state.counters["columns"] = static_cast<double>(d.size());
}
BENCHMARK(BM_HistoryIndex)->Arg(12)->Arg(25)->Arg(35)->Unit(benchmark::kMillisecond);

// The 4,000 draws once the index exists: the same time for 924 columns as for 1,623,160.
void BM_HistoryDraws(benchmark::State& state)
{
    const Development& d = fullSystem(static_cast<int>(state.range(0)));
    const HistoryIndex index(d, kNever);
    const std::vector<Draw>& draws = draws4000();
    for (auto _ : state)
        for (const Draw& draw : draws) {
            WinCounts c = index.counts(draw);
            benchmark::DoNotOptimize(c.data());
        }
    state.counters["columns"] = static_cast<double>(d.size());
}
BENCHMARK(BM_HistoryDraws)->Arg(12)->Arg(25)->Arg(35)->Unit(benchmark::kMicrosecond);

// The file read from the disk, its lines read and the draws taken into an empty archive.
void BM_Import4000Lines(benchmark::State& state)
{
    const std::string path = (std::filesystem::temp_directory_path() / "sestara-bench-estrazioni.txt").string();
    std::ofstream(path, std::ios::binary) << drawFileText();
    for (auto _ : state) {
        DrawArchive archive;
        ImportSummary s = archive.import(readDrawFile(path).reading);
        if (s.added != 4000)
            state.SkipWithError("the file did not give 4,000 draws");
        benchmark::DoNotOptimize(s.added);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_Import4000Lines)->Unit(benchmark::kMillisecond);

// A file of junk at the size limit, 16 MiB of lines "1": every line refused, only the count kept.
// The goal is well under a second; `sestara-cli statistiche` on such a file is measured with
// /usr/bin/time -v for its memory.
void BM_ReadJunk16MiB(benchmark::State& state)
{
    std::string junk;
    junk.reserve(kMaxDrawFileBytes);
    while (junk.size() < kMaxDrawFileBytes)
        junk += "1\n";
    for (auto _ : state) {
        DrawReading r = readDraws(junk);
        if (r.refusedCount != kMaxDrawFileBytes / 2)
            state.SkipWithError("not every line refused");
        benchmark::DoNotOptimize(r.refusedCount);
    }
    state.counters["lines"] = static_cast<double>(kMaxDrawFileBytes / 2);
}
BENCHMARK(BM_ReadJunk16MiB)->Unit(benchmark::kMillisecond);

void BM_Statistics4000(benchmark::State& state)
{
    const std::vector<Draw>& draws = draws4000();
    for (auto _ : state) {
        auto s = numberStats(draws);
        benchmark::DoNotOptimize(s.data());
    }
}
BENCHMARK(BM_Statistics4000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
