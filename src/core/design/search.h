#pragma once

// Searches for small sets of six-point columns over {0..n-1} such that every s-subset meets some
// column in at least m points.

#include "core/design/combinatorics.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sestara::design {

struct Problem {
    int n = 0;
    int s = 6; // size of the drawn set
    int m = 5; // points of it a column must hold
};

using Design = std::vector<Set>;
using Log = std::function<void(const std::string&)>;

// Number of s-sets one column covers, and of columns that cover one s-set.
std::uint64_t coveredPerColumn(const Problem& p);
std::uint64_t columnsPerSet(const Problem& p);

// Greedy set cover: always take the column (or, with a cyclic group on the first `cycle` points,
// the whole orbit of columns) that covers the most sets still uncovered.
Design greedy(const Problem& p, int cycle, std::uint64_t seed, const Log& log);

// The plain greedy construction: each step takes the column that covers the most sets still
// uncovered, ties to the lexicographically smallest column; at most `limit` columns, fewer when
// `stop` is set on the way.
Design plainGreedy(const Problem& p, std::size_t limit = SIZE_MAX, const std::atomic<bool>* stop = nullptr);

// Drops columns whose every covered set is covered by another column, latest first.
void prune(Design& d, const Problem& p);

// Local search: repeatedly drops the weakest column and makes single-point changes
// until everything is covered again. Stops at `target` columns or when a round of `iterations`
// moves fails; `onSmaller` sees each new covering design.
Design shrink(Design d, const Problem& p, std::size_t target, std::uint64_t iterations, std::uint64_t seed,
              const std::function<void(const Design&)>& onSmaller, const Log& log);

// Drops the weakest columns down to k at once, then searches with the whole budget; empty when
// the search does not cover everything.
Design searchAt(Design d, const Problem& p, std::size_t k, std::uint64_t iterations, std::uint64_t seed);

// Every point-sorted column, columns in lexicographic order, duplicates removed.
void normalise(Design& d);

} // namespace sestara::design
