#pragma once

// Exact exchanges: when a local search stops a few sets short, two of its columns may often be
// swapped for two others that cover everything. This tries every pair of columns and, for each,
// searches exhaustively for two columns covering what the rest of the design leaves uncovered.

#include "core/design/search.h"

namespace sestara::design {

// Largest number of s-sets the exchange works on (it lists them all).
constexpr std::uint64_t kExchangeSets = 2000000;
// and of columns (it tries every pair of them).
constexpr std::size_t kExchangeColumns = 1000;

// `d` leaves some sets uncovered. Tries the pairs of its columns in order; for the first pair that
// two other columns can stand in for, so that everything is covered, swaps them in and returns
// true. Returns false, leaving `d` alone and saying why in `log`, when no pair will do or the
// problem is too large.
bool exchangeToCover(Design& d, const Problem& p, const Log& log);

} // namespace sestara::design
