#pragma once

// The loop both local searches share: drop the weakest column, search until everything is covered
// again, and so on down to a target size. A search type provides size(), alone(i) (the sets only
// column i covers), remove(i), uncovered() and design().

#include "core/design/search.h"

#include <functional>
#include <string>

namespace sestara::design {

// Removes the column that alone covers the fewest sets; with more than `sampleAbove` columns,
// the weakest of `sample` random ones.
template <class Search>
void dropWeakest(Search& a, Rng& rng, std::size_t sampleAbove, std::size_t sample)
{
    const std::size_t size = a.size();
    const bool sampled = size > sampleAbove;
    std::size_t weakest = 0;
    std::uint64_t least = UINT64_MAX;
    for (std::size_t k = 0; k < (sampled ? sample : size); ++k) {
        const std::size_t i = sampled ? rng.below(size) : k;
        const std::uint64_t u = a.alone(i);
        if (u < least) {
            least = u;
            weakest = i;
        }
    }
    a.remove(weakest);
}

// From a covering design held by `a`: drops the weakest column and calls run() until it fails
// or the design has `target` columns. When run() fails, `rescue` (if given) may still make the
// design cover. `onSmaller` sees every new covering design; the smallest is returned. `label` names
// the search in the log.
template <class Search, class Run>
Design stepDown(Search& a, Design best, std::size_t target, Rng& rng, std::size_t sampleAbove, std::size_t sample,
                const std::string& label, Run&& run, const std::function<void(const Design&)>& onSmaller,
                const Log& log, const std::function<bool()>& rescue = {})
{
    while (a.size() > target) {
        dropWeakest(a, rng, sampleAbove, sample);
        if (!run() && !(rescue && rescue())) {
            if (log)
                log("  " + label + ": " + std::to_string(a.design().size()) + " colonne non bastano (" +
                    std::to_string(a.uncovered()) + " scoperti)");
            break;
        }
        best = a.design();
        if (log)
            log("  " + label + ": " + std::to_string(best.size()) + " colonne");
        if (onSmaller)
            onSmaller(best);
    }
    return best;
}

} // namespace sestara::design
