#include "core/design/exchange.h"

#include <string>
#include <vector>

namespace sestara::design {

namespace {

using Mask = std::uint64_t;

Mask columnMask(const Set& c)
{
    return maskOf(c.data(), 6);
}

// Calls f(column) for every six-point column holding `base` (popcount at most 6), the other
// points taken from those `base` lacks in ascending order; stops when f returns true.
template <class F>
bool eachColumnOver(Mask base, int n, F&& f)
{
    const int have = __builtin_popcountll(base);
    const int need = 6 - have;
    int free[64];
    int nf = 0;
    for (int v = 0; v < n; ++v)
        if (!(base >> v & 1u))
            free[nf++] = v;
    if (need == 0)
        return f(base);
    bool stop = false;
    forEachCombo(nf, need, [&](const int* idx) {
        if (stop)
            return;
        Mask c = base;
        for (int k = 0; k < need; ++k)
            c |= Mask{1} << free[idx[k]];
        stop = f(c);
    });
    return stop;
}

// Calls f(cell) for every m-point subset of `set`.
template <class F>
void eachCell(Mask set, int s, int m, F&& f)
{
    int pts[8];
    int k = 0;
    for (int v = 0; set; ++v, set >>= 1)
        if (set & 1u)
            pts[k++] = v;
    forEachCombo(s, m, [&](const int* idx) {
        Mask c = 0;
        for (int i = 0; i < m; ++i)
            c |= Mask{1} << pts[idx[i]];
        f(c);
    });
}

class Exchange {
public:
    explicit Exchange(const Problem& p) : p_(p) {}

    // One column covering every set in `left`, or 0.
    Mask one(const std::vector<Mask>& left) const
    {
        if (left.empty())
            return 0;
        // Two sets as far apart as can be: a column covering both holds a cell of each, so the
        // columns to try are few.
        const Mask a = left.front();
        Mask b = a;
        int widest = -1;
        for (Mask z : left) {
            const int w = __builtin_popcountll(a | z);
            if (w > widest) {
                widest = w;
                b = z;
            }
        }
        Mask found = 0;
        eachCell(a, p_.s, p_.m, [&](Mask ca) {
            if (found)
                return;
            eachCell(b, p_.s, p_.m, [&](Mask cb) {
                if (found || __builtin_popcountll(ca | cb) > 6)
                    return;
                eachColumnOver(ca | cb, p_.n, [&](Mask c) {
                    if (coversAll(c, left))
                        found = c;
                    return found != 0;
                });
            });
        });
        return found;
    }

    // Two columns covering every set in `left` (the first holding a cell of its first set).
    bool two(const std::vector<Mask>& left, Mask* first, Mask* second)
    {
        const std::uint64_t most = coveredPerColumn(p_);
        if (left.size() > 2 * most)
            return false;
        bool found = false;
        eachCell(left.front(), p_.s, p_.m, [&](Mask cell) {
            if (found)
                return;
            eachColumnOver(cell, p_.n, [&](Mask c) {
                rest_.clear();
                for (Mask z : left)
                    if (__builtin_popcountll(z & c) < p_.m)
                        rest_.push_back(z);
                if (rest_.size() > most)
                    return false;
                const Mask other = rest_.empty() ? c : one(rest_);
                if (other) {
                    *first = c;
                    *second = other;
                    found = true;
                }
                return found;
            });
        });
        return found;
    }

private:
    bool coversAll(Mask c, const std::vector<Mask>& left) const
    {
        for (Mask z : left)
            if (__builtin_popcountll(z & c) < p_.m)
                return false;
        return true;
    }

    const Problem& p_;
    std::vector<Mask> rest_;
};

} // namespace

bool exchangeToCover(Design& d, const Problem& p, const Log& log)
{
    const std::uint64_t total = choose(p.n, p.s);
    if (p.n > 56 || total == 0 || total > kExchangeSets || d.size() > kExchangeColumns) {
        if (log)
            log("  scambio esatto: problema troppo grande");
        return false;
    }
    std::vector<Mask> sets;
    sets.reserve(total);
    forEachCombo(p.n, p.s, [&](const int* idx) {
        Mask z = 0;
        for (int k = 0; k < p.s; ++k)
            z |= Mask{1} << idx[k];
        sets.push_back(z);
    });
    std::vector<Mask> cols;
    for (const Set& c : d)
        cols.push_back(columnMask(c));
    // How many columns cover each set, and the sets each column covers.
    std::vector<std::uint32_t> count(sets.size(), 0);
    std::vector<std::vector<std::uint32_t>> covers(cols.size());
    std::vector<Mask> uncovered;
    for (std::size_t z = 0; z < sets.size(); ++z) {
        for (std::size_t i = 0; i < cols.size(); ++i)
            if (__builtin_popcountll(sets[z] & cols[i]) >= p.m) {
                ++count[z];
                covers[i].push_back(static_cast<std::uint32_t>(z));
            }
        if (count[z] == 0)
            uncovered.push_back(sets[z]);
    }
    if (uncovered.empty())
        return true;
    Exchange x(p);
    std::vector<Mask> left;
    for (std::size_t i = 0; i < cols.size(); ++i)
        for (std::size_t j = i + 1; j < cols.size(); ++j) {
            // What the design leaves once columns i and j are gone: the sets already uncovered
            // (first, so the search starts from one of them) and those only i and j cover.
            left = uncovered;
            for (std::uint32_t z : covers[i]) {
                const bool alsoJ = __builtin_popcountll(sets[z] & cols[j]) >= p.m;
                if (count[z] == 1u + alsoJ)
                    left.push_back(sets[z]);
            }
            for (std::uint32_t z : covers[j])
                if (count[z] == 1 && __builtin_popcountll(sets[z] & cols[i]) < p.m)
                    left.push_back(sets[z]);
            Mask a = 0, b = 0;
            if (!x.two(left, &a, &b))
                continue;
            if (log)
                log("  scambio esatto: le colonne " + std::to_string(i + 1) + " e " + std::to_string(j + 1) +
                    " sostituite, tutto coperto");
            d[i] = setOfMask(a);
            d[j] = setOfMask(b);
            return true;
        }
    if (log)
        log("  scambio esatto: nessuna coppia di colonne basta");
    return false;
}

} // namespace sestara::design
