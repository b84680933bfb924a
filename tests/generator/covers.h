#pragma once

// The generator's designs checked by the exhaustive verifier of the core, not by the searches'
// own counts.

#include "search.h"

#include "development/verifier.h"

#include <vector>

namespace gen {

inline bool covers(const Design& d, const Problem& p)
{
    std::vector<sestara::Positions> cols;
    for (const Set& s : d) {
        sestara::Positions q{};
        for (std::size_t i = 0; i < 6; ++i)
            q[i] = static_cast<std::uint8_t>(s[i] + 1);
        cols.push_back(q);
    }
    return !d.empty() && sestara::verifyCoverage(cols, p.n, sestara::Guarantee{p.s, p.m}).ok();
}

} // namespace gen
