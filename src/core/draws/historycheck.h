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
// for every set of five numbers how many columns contain it, and every column by its rank among
// the six-number sets, in order. The counts for sets of one to four numbers follow from those of
// the next size up (a column holding a k-set holds 6 - k of its (k+1)-supersets), the draw's
// exact matches from the sums over the subsets of its numbers by binomial inversion, and "5 + 1"
// and "6" from the columns that equal a six-number set.
class HistoryIndex {
public:
    // The interrupt is read every few thousand columns; an interrupted index is not complete.
    HistoryIndex(const Development& development, const std::atomic<bool>& interrupt,
                 const HistoryProgress& progress = {});

    bool complete() const { return complete_; }
    // The counters checkWins gives for the draw's six numbers with its jolly as the seventh; with
    // `stella`, also the stella classes the columns would win with the draw's superstar.
    WinCounts counts(const Draw& draw, StellaCounts* stella = nullptr) const;

private:
    std::uint32_t binom(int n, int k) const { return binom_[static_cast<std::size_t>(n) * 7 + static_cast<std::size_t>(k)]; }
    std::uint32_t rank(const int* positions, int k) const;
    std::uint64_t columnsEqualTo(const int* sortedSix) const;
    // containing_[k] from containing_[k + 1].
    void deriveCounts(int k);

    std::array<int, 91> position_{};                    // -1 for a number no column holds
    int universe_ = 0;                                  // numbers held by some column
    std::uint64_t columns_ = 0;
    std::vector<std::uint32_t> binom_;                  // C(n, k) for k up to 6
    std::array<std::vector<std::uint32_t>, 6> containing_; // [k]: columns containing each k-set, k = 1..5
    std::vector<std::uint32_t> sixRanks_;               // every column's rank, ascending
    bool complete_ = false;
};

struct HistoryRow {
    Draw draw;
    WinCounts counts{};
    StellaCounts stella{};
    bool stellaCounted = false; // the draw's superstar was the system's
    bool wins() const;
};

struct HistoryResult {
    std::vector<HistoryRow> rows; // one a draw checked, in the order given
    WinCounts totals{};
    std::size_t winningDraws = 0; // draws with at least one win, stella classes included
    bool interrupted = false;
    int superStar = 0;            // the system's SuperStar, 0 for none
    StellaCounts stellaTotals{};
    std::size_t withoutSuperStar = 0; // draws checked whose superstar is not known
};

// Under the table of a SuperStar system whose period holds draws with no known superstar.
std::string withoutSuperStarText(std::size_t draws);

// The check as a spreadsheet reads it: the draw's fields as "Esporta CSV" of the archive writes
// them, then "DUE;TRE;QUATTRO;CINQUE;CINQUE+1;SEI" (and the eight stella classes for a SuperStar
// system), a line a draw, then the "TOTALE" line; fields separated by ";", lines ended by CR LF.
// "Importa…" reads the draws back from it.
std::string historyCsvText(const HistoryResult& result);

// Checks the development against every draw; the interrupt is read between draws too. With a
// SuperStar (1 to 90) the draws whose superstar equals it count the stella classes as well.
HistoryResult checkHistory(const Development& development, const std::vector<Draw>& draws,
                           const std::atomic<bool>& interrupt, const HistoryProgress& progress = {},
                           int superStar = 0);

} // namespace sestara
