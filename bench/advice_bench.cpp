// The advice ("consiglia") timed on whole requests (wall clock and processor time: the goals are
// for a machine of its own), and the system made to the budget compared
// with the best catalogue entry that fits the same budget. A small program: each case runs once.
//   sestara_advice_bench [DATA_FOLDER]
#include "core/advice/advisor.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

using namespace sestara;

namespace {

struct Case {
    int numbers;
    std::uint64_t budgetEuro;
    std::uint64_t columnCents;
    int goal;
    double goalSeconds; // 0: no time goal
};

} // namespace

int main(int argc, char** argv)
{
    const std::string dataDir = argc > 1 ? argv[1] : SESTARA_PROGRAM_DIR;
    // A second argument runs only the cases of that many numbers.
    const int only = argc > 2 ? std::atoi(argv[2]) : 0;
    const Case cases[] = {
        {30, 100, 50, 3, 20}, {30, 100, 100, 3, 20}, {55, 100, 50, 3, 60}, {55, 100, 100, 3, 60},
        {20, 50, 50, 3, 0},   {20, 50, 50, 4, 0},    {25, 30, 50, 3, 0},   {16, 10, 50, 3, 0},
        {40, 150, 50, 3, 0},  {35, 25, 50, 2, 0},    {12, 20, 50, 5, 0},   {45, 500, 100, 4, 0},
    };
    std::printf("%-8s %-7s %-6s %-5s %-9s %-9s %-8s %-44s %-12s %-12s %s\n", "numeri", "budget", "cent", "punti",
                "secondi", "CPU", "obiett.", "migliore del catalogo", "catalogo", "su misura", "colonne");
    int failures = 0;
    for (const Case& c : cases) {
        if (only && c.numbers != only)
            continue;
        AdviceRequest r;
        r.numbers = c.numbers;
        r.budgetCents = c.budgetEuro * 100;
        r.columnCents = c.columnCents;
        r.goal = c.goal;
        r.dataDir = dataDir;
        const std::atomic<bool> never{false};
        const std::clock_t cpuStart = std::clock();
        const auto start = std::chrono::steady_clock::now();
        const Advice a = advise(r, never);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        if (!a.ok()) {
            std::printf("%d numbers: %s\n", c.numbers, a.error.c_str());
            ++failures;
            continue;
        }
        const AdviceCandidate* catalogue = nullptr;
        const AdviceCandidate* budget = nullptr;
        for (const AdviceCandidate& x : a.candidates) {
            if (x.kind == CandidateKind::Catalogue && !catalogue)
                catalogue = &x;
            if (x.kind == CandidateKind::Budget)
                budget = &x;
        }
        const std::string goalSeconds = c.goalSeconds > 0 ? std::to_string(static_cast<int>(c.goalSeconds)) : "-";
        const std::uint64_t catalogueDraws = catalogue ? catalogue->draws(c.goal) : 0;
        const bool slow = c.goalSeconds > 0 && seconds > c.goalSeconds;
        const bool worse = !budget || budget->draws(c.goal) < catalogueDraws;
        failures += slow || worse;
        std::printf("%-8d %-7llu %-6llu %-5d %-9.2f %-9.2f %-8s %-44s %-12llu %-12llu %llu%s%s\n", c.numbers,
                    static_cast<unsigned long long>(c.budgetEuro), static_cast<unsigned long long>(c.columnCents),
                    c.goal, seconds, cpu, goalSeconds.c_str(),
                    catalogue ? catalogue->entryText.c_str() : "(nessuno)",
                    static_cast<unsigned long long>(catalogueDraws),
                    static_cast<unsigned long long>(budget ? budget->draws(c.goal) : 0),
                    static_cast<unsigned long long>(budget ? budget->columns : 0), slow ? "  TROPPO LENTO" : "",
                    worse ? "  PEGGIORE" : "");
        std::fflush(stdout);
    }
    return failures ? 1 : 0;
}
