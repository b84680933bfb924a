#include "core/draws/drawstats.h"

#include <algorithm>

namespace sestara {

const char* const kMsgPeriodoInvertito = "Periodo non valido: la data \"Dal\" viene dopo la data \"al\"";
const char* const kMsgPeriodoVuoto = "Nessuna estrazione nel periodo scelto";

std::array<NumberStats, 90> numberStats(const std::vector<Draw>& draws)
{
    std::array<NumberStats, 90> stats{};
    for (int n = 1; n <= 90; ++n)
        stats[static_cast<std::size_t>(n - 1)].number = n;
    // The current run of each number grows by one a draw and ends when the number comes out.
    for (const Draw& d : draws) {
        for (NumberStats& s : stats)
            ++s.delay;
        for (std::uint8_t n : d.numbers) {
            NumberStats& s = stats[static_cast<std::size_t>(n - 1)];
            ++s.frequency;
            s.longestDelay = std::max(s.longestDelay, s.delay - 1);
            s.delay = 0;
        }
        ++stats[static_cast<std::size_t>(d.jolly - 1)].jolly;
    }
    for (NumberStats& s : stats)
        s.longestDelay = std::max(s.longestDelay, s.delay);
    return stats;
}

} // namespace sestara
