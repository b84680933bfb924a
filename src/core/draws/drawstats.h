#pragma once

#include "core/draws/draw.h"

#include <array>
#include <cstddef>
#include <vector>

namespace sestara {

extern const char* const kMsgPeriodoInvertito; // "Dal" after "al"
extern const char* const kMsgPeriodoVuoto;     // no draw between the two dates

// How a number fared over a run of draws.
struct NumberStats {
    int number = 0;
    std::size_t frequency = 0;    // draws that held it among the six
    std::size_t jolly = 0;        // draws that had it as the jolly
    std::size_t delay = 0;        // draws after the last one that held it; all of them when none did
    std::size_t longestDelay = 0; // the longest run of draws without it, the current run included
};

// The figures of the numbers 1 to 90 (index 0 is number 1) over draws in date order.
std::array<NumberStats, 90> numberStats(const std::vector<Draw>& draws);

} // namespace sestara
