#pragma once

#include "core/development/catalogue.h"
#include "core/development/storedsystems.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sestara {

// What a stored system promises: whatever `drawn` numbers come out among the n played, some column
// holds at least `matched` of them.
struct Guarantee {
    int drawn = 6;
    int matched = 6;
};

// "ridotto n-L": six drawn, at least 6 - L of them in one column.
Guarantee reducedGuarantee(int level);
Guarantee immediateGuarantee(ImmediateGuarantee kind);

// "5 se 6", "3 se 4", ...: the guarantee as the players say it.
std::string guaranteeText(const Guarantee& g);

struct CoverageReport {
    std::string error;                 // the columns themselves are not valid for n numbers
    std::uint64_t subsets = 0;         // how many drawn sets exist, C(n, drawn)
    std::uint64_t uncovered = 0;       // drawn sets that no column meets in `matched` numbers
    std::vector<int> firstUncovered;   // the smallest such set in lexicographic order, numbers 1..n
    bool ok() const { return error.empty() && uncovered == 0; }
};

// Exhaustive check of the guarantee over every drawn set of positions 1..n. The matched-subsets of
// every column are marked in a bit map indexed by combinatorial rank; the drawn sets are then
// enumerated in ascending order, abandoning a partial set as soon as it holds a marked subset (all
// its completions are covered), so only the candidates that could still be missed are visited.
CoverageReport verifyCoverage(const std::vector<Positions>& columns, int n, const Guarantee& g);

// C(n, k) for 0 <= n <= 64, 0 <= k <= 8; 0 when k > n.
std::uint64_t binomial(int n, int k);

} // namespace sestara
