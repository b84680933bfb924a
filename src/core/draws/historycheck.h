#pragma once

#include "core/draws/draw.h"
#include "core/wincheck/wincheck.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace sestara {

class Development;

using WinCounts = std::array<std::uint64_t, kWinClasses>;

// Receives how many steps are done: first the columns of the development, then the draws.
using HistoryProgress = std::function<void(std::uint64_t done)>;

// A development summarised in one pass so that a draw is counted without visiting the columns:
// for every set T of two to five numbers, how many columns contain T, and every column itself
// filed under its five lowest numbers. The draw's exact matches then follow from the sums over
// the subsets of its numbers by binomial inversion, and "5 + 1" from the columns that are five
// drawn numbers and the jolly.
class HistoryIndex {
public:
    // The interrupt is read every few thousand columns; an interrupted index is not complete.
    HistoryIndex(const Development& development, const std::atomic<bool>& interrupt,
                 const HistoryProgress& progress = {});

    bool complete() const { return complete_; }
    // The counters checkWins gives for the draw's six numbers with its jolly as the seventh.
    WinCounts counts(const Draw& draw) const;

private:
    std::uint32_t binom(int n, int k) const { return binom_[static_cast<std::size_t>(n) * 7 + static_cast<std::size_t>(k)]; }
    std::uint32_t rank(const int* positions, int k) const;
    std::uint64_t columnsEqualTo(const int* sortedSix) const;

    std::array<int, 91> position_{};                    // -1 for a number no column holds
    int universe_ = 0;                                  // numbers held by some column
    std::vector<std::uint32_t> binom_;                  // C(n, k) for k up to 6
    std::array<std::vector<std::uint32_t>, 6> containing_; // [k]: columns containing each k-set, k = 2..5
    std::vector<std::uint32_t> lastStart_;              // per five lowest numbers: where their sixths begin
    std::vector<std::uint8_t> lasts_;                   // the sixth number of each column so filed
    bool complete_ = false;
};

struct HistoryRow {
    Draw draw;
    WinCounts counts{};
    bool wins() const;
};

struct HistoryResult {
    std::vector<HistoryRow> rows; // one a draw checked, in the order given
    WinCounts totals{};
    std::size_t winningDraws = 0; // draws with at least one win
    bool interrupted = false;
};

// The check as a spreadsheet reads it: the draw's fields as "Esporta CSV" of the archive writes
// them, then "DUE;TRE;QUATTRO;CINQUE;CINQUE+1;SEI", a line a draw, then the "TOTALE" line; fields
// separated by ";", lines ended by CR LF. "Importa…" reads the draws back from it.
std::string historyCsvText(const HistoryResult& result);

// Checks the development against every draw; the interrupt is read between draws too.
HistoryResult checkHistory(const Development& development, const std::vector<Draw>& draws,
                           const std::atomic<bool>& interrupt, const HistoryProgress& progress = {});

} // namespace sestara
