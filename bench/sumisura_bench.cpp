// Systems made to measure: size and time of the search at one level, beside the plain greedy
// construction, over a spread of requests (or those named on the command line as "n k m" or
// "n k m c" for a limit of c columns).
//
//   sestara_sumisura_bench rapido|normale|accurato [--dati FOLDER] [--senza-greedy] [REQUEST...]
//
// Without --dati the search starts from its own construction, never from a shipped design.

#include "core/design/search.h"
#include "core/design/sumisura.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Row {
    int n, k, m;
    std::size_t limit;
};

std::vector<Row> spread()
{
    std::vector<Row> rows;
    for (int n : {12, 15, 18, 21, 25})
        for (auto g : {std::pair{3, 3}, {3, 4}, {4, 4}, {4, 5}, {5, 5}})
            rows.push_back(Row{n, g.first, g.second, 0});
    return rows;
}

// The sets the greedy construction's first `limit` columns cover.
std::uint64_t greedyCovered(const sestara::design::Problem& p, const sestara::design::Design& d)
{
    std::vector<char> hit(sestara::design::choose(p.n, p.s), 0);
    std::uint64_t count = 0;
    for (const auto& c : d)
        sestara::design::forEachMeeting(p.n, c.data(), 6, p.s, p.m, [&](std::uint64_t z, const std::uint8_t*) {
            count += hit[z] == 0;
            hit[z] = 1;
        });
    return count;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "Uso: %s rapido|normale|accurato [--dati CARTELLA] [--senza-greedy] [\"n k m [c]\"...]\n",
                     argv[0]);
        return 2;
    }
    sestara::DesignLevel level = sestara::DesignLevel::Normale;
    if (!std::strcmp(argv[1], "rapido"))
        level = sestara::DesignLevel::Rapido;
    else if (!std::strcmp(argv[1], "accurato"))
        level = sestara::DesignLevel::Accurato;
    std::string data;
    bool withGreedy = true;
    std::vector<Row> rows;
    for (int i = 2; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--dati") && i + 1 < argc) {
            data = argv[++i];
            continue;
        }
        if (!std::strcmp(argv[i], "--senza-greedy")) {
            withGreedy = false;
            continue;
        }
        Row r{0, 0, 0, 0};
        std::istringstream in(argv[i]);
        in >> r.n >> r.k >> r.m;
        in >> r.limit;
        rows.push_back(r);
    }
    if (rows.empty())
        rows = spread();
    std::printf("| richiesta | colonne | greedy | tempo |\n|---|---:|---:|---:|\n");
    std::uint64_t total = 0, greedyTotal = 0;
    double worst = 0;
    for (const Row& r : rows) {
        sestara::SuMisuraRequest q;
        q.numbers = r.n;
        q.k = r.k;
        q.m = r.m;
        q.maxColumns = r.limit;
        q.level = level;
        q.dataFolder = data;
        const std::atomic<bool> stop{false};
        const auto t0 = std::chrono::steady_clock::now();
        const sestara::SuMisuraResult got = sestara::makeSuMisura(q, stop);
        const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        worst = std::max(worst, secs);
        const sestara::design::Problem p{r.n, r.m, r.k};
        std::string greedyText = "-";
        if (withGreedy) {
            const auto g = sestara::design::plainGreedy(p, r.limit ? r.limit : SIZE_MAX);
            greedyText = std::to_string(g.size());
            if (r.limit)
                greedyText += " (" + std::to_string(greedyCovered(p, g)) + ")";
            if (got.ok() && !r.limit) {
                total += got.columns.size();
                greedyTotal += g.size();
            }
        }
        std::string request = std::to_string(r.n) + " numeri " + std::to_string(r.k) + " se " + std::to_string(r.m);
        if (r.limit)
            request += ", al massimo " + std::to_string(r.limit);
        std::string size = got.ok() ? std::to_string(got.columns.size()) : "rifiutata";
        if (got.ok() && r.limit)
            size += " (" + std::to_string(got.covered) + " su " + std::to_string(got.total) + ")";
        std::printf("| %s | %s | %s | %.2f s |\n", request.c_str(), size.c_str(), greedyText.c_str(), secs);
        std::fflush(stdout);
    }
    if (greedyTotal)
        std::printf("\nIn tutto %llu colonne contro %llu del greedy (%.1f %% in meno); il più lento %.2f s\n",
                    static_cast<unsigned long long>(total), static_cast<unsigned long long>(greedyTotal),
                    100.0 * (1.0 - static_cast<double>(total) / static_cast<double>(greedyTotal)), worst);
    return 0;
}
