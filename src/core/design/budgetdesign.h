#pragma once

#include "core/development/development.h"
#include "core/guarantees/guarantees.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace sestara {

// A system of a given number of columns over n numbers, made to win `goal` points or more in as
// many of the draws as possible.
struct BudgetDesignRequest {
    int numbers = 0;          // n, 10 to 55
    int goal = 3;             // k, 2 to 5
    std::size_t columns = 0;  // c: at most C(n, 6)
    // Columns of positions 1..n the result starts from and is never worse than: the search first
    // keeps them and places the others around them, then moves them all.
    std::vector<Column> seed;
    std::uint64_t moves = 0;  // the search's length; 0 for one fitted to the size
};

struct BudgetDesign {
    std::string error;
    bool interrupted = false;
    std::vector<Column> columns;  // positions 1..n, ascending within a column
    GuaranteeAnalysis analysis;   // the exact counts of these columns over positions 1..n
    bool ok() const { return error.empty() && !interrupted; }
};

// A draw meets the player's numbers in a set J and gives k points or more when some column holds k
// of J; the draws meeting them in a given J of j numbers are C(90 - n, 6 - j). The search minimises
// what two columns lose to each other (the weighted sets J both reach k in, a function of their
// common numbers alone): the exact union less its pairwise overlaps is a lower bound of what the
// columns win, and it can be changed one number at a time in O(c). What is returned is proven by
// the exact analysis. Deterministic: a fixed seed and a budget counted in moves.
BudgetDesign designForBudget(const BudgetDesignRequest& request, const std::atomic<bool>& stop,
                             const std::function<void(double)>& progress = {});

// The draws, of kAllDraws, that two columns with `common` numbers in common both give k points or
// more in, n numbers played: the overlap the search minimises.
std::uint64_t pairOverlap(int n, int k, int common);

// Every 6-subset of positions 1..n in lexicographic order.
std::vector<Column> allColumns(int n);

// The columns as a development over positions 1..n, and the positions 1..n themselves.
Development developmentOf(const std::vector<Column>& columns);
std::vector<std::uint8_t> positionsUpTo(int n);

} // namespace sestara
