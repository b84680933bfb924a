#include "core/design/anneal.h"
#include "core/design/exchange.h"
#include "core/design/stepdown.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <set>
#include <string>

namespace sestara::design {

std::uint64_t annealMemory(const Problem& p)
{
    const std::uint64_t cells = choose(p.n, p.m);
    const std::uint64_t sets = choose(p.n, p.s);
    return cells * choose(p.n - p.m, p.s - p.m) * 4 + cells * 2 + sets * 9 + choose(p.n, p.m - 1) * 32;
}

class CellAnnealer {
public:
    // The columns are representatives of whole orbits under `group` (every element listed, the
    // identity first; the identity alone when empty): an orbit of s-sets is covered when one of its
    // cells lies in an orbit of cells some representative holds. Only the sets marked in `needed`
    // (all when it is null; the same for every member of an orbit) must be covered.
    CellAnnealer(const Problem& p, const Design& d, const std::vector<char>* needed = nullptr,
                 const std::vector<Perm>& group = {})
        : p_(p), group_(group), index_(p.n, p.m - 1)
    {
        if (group_.empty()) {
            group_.emplace_back(static_cast<std::size_t>(p.n));
            for (int v = 0; v < p.n; ++v)
                group_[0][static_cast<std::size_t>(v)] = v;
        }
        plain_ = group_.size() == 1;
        for (const Perm& g : group_) {
            Perm inv(g.size());
            for (std::size_t v = 0; v < g.size(); ++v)
                inv[static_cast<std::size_t>(g[v])] = static_cast<int>(v);
            inverse_.push_back(std::find(group_.begin(), group_.end(), inv) - group_.begin());
        }
        const std::uint64_t cells = plain_ ? choose(p.n, p.m) : numberOrbits(p.m, &cellId_, nullptr);
        const std::uint64_t sets = plain_ ? choose(p.n, p.s) : numberOrbits(p.s, nullptr, &setRep_);
        // For every cell (orbit), the sets (orbits) above it, once for each of their cells there.
        upStart_.assign(cells + 1, 0);
        std::uint8_t w[8];
        const auto eachCellOfSet = [&](std::uint64_t z, auto&& f) {
            unrank(plain_ ? z : setRep_[z], p.s, w);
            forEachCombo(p.s, p.m, [&](const int* idx) {
                std::uint8_t c[8];
                for (int k = 0; k < p.m; ++k)
                    c[k] = w[idx[k]];
                f(cellOf(rankOf(c, p.m)));
            });
        };
        for (std::uint64_t z = 0; z < sets; ++z)
            eachCellOfSet(z, [&](std::uint64_t c) { ++upStart_[c + 1]; });
        for (std::uint64_t c = 0; c < cells; ++c)
            upStart_[c + 1] += upStart_[c];
        up_.resize(upStart_[cells]);
        {
            std::vector<std::uint64_t> fill(upStart_.begin(), upStart_.end() - 1);
            for (std::uint64_t z = 0; z < sets; ++z)
                eachCellOfSet(z, [&](std::uint64_t c) { up_[fill[c]++] = static_cast<std::uint32_t>(z); });
        }
        cellCnt_.assign(cells, 0);
        setCnt_.assign(sets, 0);
        where_.assign(sets, -1);
        for (std::uint64_t z = 0; z < sets; ++z) {
            if (!needed || (*needed)[plain_ ? z : setRep_[z]])
                push(z);
            else
                setCnt_[z] = kNotNeeded;
        }
        for (const Set& b : d)
            add(b);
    }

    std::size_t uncovered() const { return uncov_.size(); }
    // The sets (orbits of sets) still uncovered, by rank (by number).
    const std::vector<std::uint32_t>& uncoveredSets() const { return uncov_; }
    std::size_t size() const { return cols_.size(); }

    // Every column of every orbit, point-sorted; without a group, in the order of the search.
    Design design() const
    {
        Design d;
        for (const Set& c : cols_)
            for (std::size_t g = 0; g < group_.size(); ++g)
                d.push_back(image(g, c));
        if (!plain_) {
            std::sort(d.begin(), d.end());
            d.erase(std::unique(d.begin(), d.end()), d.end());
        }
        return d;
    }

    void add(Set b)
    {
        sortPoints(b.data(), 6);
        cols_.push_back(b);
        forEachCell(b.data(), 6, [&](std::uint64_t c) { cellUp(c); });
        indexAll(cols_.size() - 1, true);
    }

    // Sets that only column i covers.
    std::size_t alone(std::size_t i)
    {
        const std::size_t before = uncov_.size();
        forEachCell(cols_[i].data(), 6, [&](std::uint64_t c) { cellDown(c); });
        const std::size_t lost = uncov_.size() - before;
        forEachCell(cols_[i].data(), 6, [&](std::uint64_t c) { cellUp(c); });
        return lost;
    }

    void remove(std::size_t i)
    {
        forEachCell(cols_[i].data(), 6, [&](std::uint64_t c) { cellDown(c); });
        indexAll(i, false);
        const std::size_t last = cols_.size() - 1;
        if (i != last) {
            indexAll(last, false);
            cols_[i] = cols_[last];
            indexAll(i, true);
        }
        cols_.pop_back();
        if (moved_.size() > cols_.size()) {
            moved_[i] = moved_[last];
            moved_.pop_back();
        }
    }

    // Anneals until nothing is uncovered or the moves run out.
    bool run(const AnnealSettings& s, Rng& rng)
    {
        const std::uint64_t cycle = s.cycle ? s.cycle : std::max<std::uint64_t>(s.moves / 4, 1000);
        const double ratio = std::log(s.cold / s.hot);
        std::vector<std::uint32_t> cand;
        double temp = s.hot;
        std::uint64_t it = 0;
        for (; it < s.moves && !uncov_.empty(); ++it) {
            if ((it & 255) == 0)
                temp = s.hot * std::exp(ratio * static_cast<double>(it % cycle) / static_cast<double>(cycle));
            const std::uint64_t wm = pickUncovered(rng, cand);
            const std::uint32_t id = cand.empty() ? static_cast<std::uint32_t>(rng.below(cols_.size()) * group_.size())
                                                  : cand[rng.below(cand.size())];
            const std::size_t i = id / group_.size(), g = id % group_.size();
            const std::uint64_t im = maskOf(image(g, cols_[i]).data(), 6);
            const std::uint64_t out = im & ~wm, in = wm & ~im;
            if (!out || !in)
                continue;
            const int x = back(g, pickBit(out, rng)), e = back(g, pickBit(in, rng));
            const long before = static_cast<long>(uncov_.size());
            change(i, x, e);
            const long delta = static_cast<long>(uncov_.size()) - before;
            if (delta > 0 && rng.unit() >= std::exp(-static_cast<double>(delta) / temp)) {
                change(i, e, x);
                continue;
            }
            reindex(i, x, e);
        }
        lastMoves_ = it;
        return uncov_.empty();
    }

    // The moves the last run made.
    std::uint64_t lastMoves() const { return lastMoves_; }
    // Cells counted up or down and sets visited above them, since the start: the work done, the
    // same on every machine.
    std::uint64_t work() const { return work_; }

    // Weighted search: for a random uncovered set, a sample of the changes that make a column cover
    // it are scored by the weights of the sets they uncover minus those they cover; the best is made
    // even when it loses, and every set still uncovered then weighs one more. A column just changed
    // stays put for two moves unless changing it beats the best count so far.
    bool runWeighted(const AnnealSettings& s, Rng& rng)
    {
        struct Move {
            std::uint32_t i;
            int x, e;
        };
        if (weight_.empty())
            weight_.assign(setCnt_.size(), 1);
        if (moved_.size() < cols_.size())
            moved_.resize(cols_.size(), 0);
        std::vector<std::uint32_t> cand;
        std::vector<Move> moves;
        std::size_t best = uncov_.size();
        for (std::uint64_t it = 0; it < s.moves && !uncov_.empty(); ++it) {
            ++clock_;
            const std::uint64_t wm = pickUncovered(rng, cand);
            if (cand.empty())
                cand.push_back(static_cast<std::uint32_t>(rng.below(cols_.size()) * group_.size()));
            moves.clear();
            for (std::uint32_t id : cand) {
                const std::size_t i = id / group_.size(), g = id % group_.size();
                const std::uint64_t im = maskOf(image(g, cols_[i]).data(), 6);
                for (std::uint64_t out = im & ~wm; out; out &= out - 1)
                    for (std::uint64_t in = wm & ~im; in; in &= in - 1)
                        moves.push_back(Move{static_cast<std::uint32_t>(i), back(g, __builtin_ctzll(out)),
                                             back(g, __builtin_ctzll(in))});
            }
            if (moves.empty())
                continue;
            const std::size_t evals = std::min<std::size_t>(moves.size(), s.sample);
            for (std::size_t k = 0; k < evals; ++k)
                std::swap(moves[k], moves[k + rng.below(moves.size() - k)]);
            long bestScore = LONG_MAX;
            std::size_t ties = 0;
            const Move* chosen = nullptr;
            for (std::size_t k = 0; k < evals; ++k) {
                const Move& mv = moves[k];
                gain_ = 0;
                change(mv.i, mv.x, mv.e);
                const long score = gain_;
                const bool aspire = uncov_.size() < best;
                change(mv.i, mv.e, mv.x);
                if (clock_ - moved_[mv.i] <= 2 && !aspire)
                    continue;
                if (score < bestScore) {
                    bestScore = score;
                    ties = 1;
                    chosen = &mv;
                } else if (score == bestScore && rng.below(++ties) == 0) {
                    chosen = &mv;
                }
            }
            if (!chosen)
                chosen = &moves[rng.below(evals)];
            const Move mv = *chosen;
            change(mv.i, mv.x, mv.e);
            reindex(mv.i, mv.x, mv.e);
            moved_[mv.i] = clock_;
            for (std::uint32_t z : uncov_)
                ++weight_[z];
            best = std::min(best, uncov_.size());
        }
        return uncov_.empty();
    }

private:
    // Numbers the orbits of the k-sets: the orbit of every k-set in `id` and/or the rank of one
    // member of every orbit in `rep`; returns how many orbits there are.
    std::uint64_t numberOrbits(int k, std::vector<std::uint32_t>* id, std::vector<std::uint32_t>* rep) const
    {
        std::vector<std::uint32_t> own;
        std::vector<std::uint32_t>& ids = id ? *id : own;
        ids.assign(choose(p_.n, k), UINT32_MAX);
        std::uint32_t count = 0;
        std::uint8_t x[8], y[8];
        for (std::uint64_t r = 0; r < ids.size(); ++r) {
            if (ids[r] != UINT32_MAX)
                continue;
            unrank(r, k, x);
            for (const Perm& g : group_) {
                for (int j = 0; j < k; ++j)
                    y[j] = static_cast<std::uint8_t>(g[x[j]]);
                sortPoints(y, k);
                ids[rankOf(y, k)] = count;
            }
            if (rep)
                rep->push_back(static_cast<std::uint32_t>(r));
            ++count;
        }
        return count;
    }

    std::uint64_t cellOf(std::uint64_t rank) const { return plain_ ? rank : cellId_[rank]; }

    // Element g applied to column c, point-sorted.
    Set image(std::size_t g, const Set& c) const
    {
        if (g == 0)
            return c;
        Set out;
        for (std::size_t k = 0; k < 6; ++k)
            out[k] = static_cast<std::uint8_t>(group_[g][c[k]]);
        sortPoints(out.data(), 6);
        return out;
    }

    // The point of the representative that element g maps to point v.
    int back(std::size_t g, int v) const { return group_[inverse_[g]][static_cast<std::size_t>(v)]; }

    // A random uncovered set (a member of a random uncovered orbit): its mask, and in `cand` the
    // columns (representative times group + element) holding m - 1 of its points, which one
    // change makes cover it.
    std::uint64_t pickUncovered(Rng& rng, std::vector<std::uint32_t>& cand) const
    {
        std::uint8_t w[8], sub[8];
        const std::uint32_t z = uncov_[rng.below(uncov_.size())];
        unrank(plain_ ? z : setRep_[z], p_.s, w);
        cand.clear();
        forEachCombo(p_.s, p_.m - 1, [&](const int* idx) {
            for (int k = 0; k < p_.m - 1; ++k)
                sub[k] = w[idx[k]];
            const auto& list = index_.holding(rankOf(sub, p_.m - 1));
            cand.insert(cand.end(), list.begin(), list.end());
        });
        return maskOf(w, p_.s);
    }

    // The change of x into e in column i was kept: in every member of its orbit, the entries under
    // the subsets holding x go to the subsets holding e.
    void reindex(std::size_t i, int x, int e)
    {
        std::uint8_t rest[5];
        for (std::size_t g = 0; g < group_.size(); ++g) {
            int r = 0;
            for (std::uint8_t v : cols_[i])
                if (v != e)
                    rest[r++] = static_cast<std::uint8_t>(group_[g][v]);
            const auto id = static_cast<std::uint32_t>(i * group_.size() + g);
            index_.fileWith(static_cast<std::uint8_t>(group_[g][static_cast<std::size_t>(x)]), rest, id, false);
            index_.fileWith(static_cast<std::uint8_t>(group_[g][static_cast<std::size_t>(e)]), rest, id, true);
        }
    }

    void replacePoint(std::size_t i, int from, int to)
    {
        for (auto& v : cols_[i])
            if (v == from)
                v = static_cast<std::uint8_t>(to);
        sortPoints(cols_[i].data(), 6);
    }

    // Point x of column i becomes e: cells with e appear before the cells with x go.
    void change(std::size_t i, int x, int e)
    {
        std::uint8_t rest[6];
        int r = 0;
        for (std::uint8_t v : cols_[i])
            if (v != x)
                rest[r++] = v;
        forEachCellWith(static_cast<std::uint8_t>(e), rest, [&](std::uint64_t c) { cellUp(c); });
        forEachCellWith(static_cast<std::uint8_t>(x), rest, [&](std::uint64_t c) { cellDown(c); });
        replacePoint(i, x, e);
    }

    template <class F>
    void forEachCell(const std::uint8_t* b, int size, F&& f) const
    {
        forEachCombo(size, p_.m, [&](const int* idx) {
            std::uint8_t z[8];
            for (int k = 0; k < p_.m; ++k)
                z[k] = b[idx[k]];
            sortPoints(z, p_.m);
            f(cellOf(rankOf(z, p_.m)));
        });
    }

    // Cells made of point a and m - 1 of the five points in rest.
    template <class F>
    void forEachCellWith(std::uint8_t a, const std::uint8_t* rest, F&& f) const
    {
        forEachCombo(5, p_.m - 1, [&](const int* idx) {
            std::uint8_t z[8];
            z[0] = a;
            for (int k = 0; k < p_.m - 1; ++k)
                z[k + 1] = rest[idx[k]];
            sortPoints(z, p_.m);
            f(cellOf(rankOf(z, p_.m)));
        });
    }

    void cellUp(std::uint64_t c)
    {
        work_ += kCellWork;
        if (cellCnt_[c]++ != 0)
            return;
        work_ += upStart_[c + 1] - upStart_[c];
        for (std::uint64_t k = upStart_[c]; k < upStart_[c + 1]; ++k)
            if (setCnt_[up_[k]]++ == 0)
                pop(up_[k]);
    }

    void cellDown(std::uint64_t c)
    {
        work_ += kCellWork;
        if (--cellCnt_[c] != 0)
            return;
        work_ += upStart_[c + 1] - upStart_[c];
        for (std::uint64_t k = upStart_[c]; k < upStart_[c + 1]; ++k)
            if (--setCnt_[up_[k]] == 0)
                push(up_[k]);
    }

    // Every member of the orbit of column i, filed as i times the group order plus the element.
    void indexAll(std::size_t i, bool add)
    {
        for (std::size_t g = 0; g < group_.size(); ++g)
            index_.file(image(g, cols_[i]).data(), static_cast<std::uint32_t>(i * group_.size() + g), add);
    }

    void push(std::uint64_t z)
    {
        if (!weight_.empty())
            gain_ += weight_[z];
        where_[z] = static_cast<std::int32_t>(uncov_.size());
        uncov_.push_back(static_cast<std::uint32_t>(z));
    }

    void pop(std::uint64_t z)
    {
        if (!weight_.empty())
            gain_ -= weight_[z];
        const std::int32_t at = where_[z];
        const std::uint32_t last = uncov_.back();
        uncov_[static_cast<std::size_t>(at)] = last;
        where_[last] = at;
        uncov_.pop_back();
        where_[z] = -1;
    }

    // A cell counted costs about as much time as eight sets visited above it.
    static constexpr std::uint64_t kCellWork = 8;
    static constexpr std::uint8_t kNotNeeded = 128; // far above any real count of covered cells

    Problem p_;
    std::vector<Perm> group_;
    std::vector<std::ptrdiff_t> inverse_;
    bool plain_ = true;                 // the identity alone: orbits are single sets, ids are ranks
    std::vector<std::uint32_t> cellId_; // with a group: the orbit of every cell
    std::vector<std::uint32_t> setRep_; // with a group: one member of every orbit of sets
    std::vector<std::uint64_t> upStart_;
    std::vector<std::uint32_t> up_;
    std::vector<std::uint16_t> cellCnt_;
    std::vector<std::uint8_t> setCnt_;
    std::vector<std::int32_t> where_;
    std::vector<std::uint32_t> uncov_;
    Design cols_;
    SubsetIndex index_;
    std::vector<std::uint32_t> weight_; // empty until the weighted search runs
    long gain_ = 0;                     // weight uncovered minus weight covered since reset
    std::vector<std::uint64_t> moved_;
    std::uint64_t clock_ = 1000;
    std::uint64_t lastMoves_ = 0;
    std::uint64_t work_ = 0;
};

CellSearch::CellSearch(const Problem& p, const Design& d) : a_(std::make_unique<CellAnnealer>(p, d)) {}
CellSearch::~CellSearch() = default;
std::size_t CellSearch::uncovered() const { return a_->uncovered(); }
const std::vector<std::uint32_t>& CellSearch::uncoveredSets() const { return a_->uncoveredSets(); }
std::size_t CellSearch::size() const { return a_->size(); }
Design CellSearch::design() const { return a_->design(); }
void CellSearch::add(const Set& b) { a_->add(b); }
void CellSearch::remove(std::size_t i) { a_->remove(i); }
std::size_t CellSearch::alone(std::size_t i) { return a_->alone(i); }
std::uint64_t CellSearch::work() const { return a_->work(); }
std::uint64_t CellSearch::run(const AnnealSettings& s, Rng& rng)
{
    a_->run(s, rng);
    return a_->lastMoves();
}

namespace {

Design annealDownWith(Design d, const Problem& p, const std::vector<char>* needed, std::size_t target,
                      const AnnealSettings& s, const std::function<void(const Design&)>& onSmaller, const Log& log)
{
    Rng rng(s.seed);
    CellAnnealer a(p, d, needed);
    if (a.uncovered() != 0)
        return d;
    const auto run = [&] { return s.sample > 0 ? a.runWeighted(s, rng) : a.run(s, rng); };
    // Straight down to one column above the target: the last step then searches once, at the target.
    if (s.jump && target > 0)
        while (a.size() > target + 1)
            dropWeakest(a, rng, 2000, 512);
    // The exchange knows nothing of `needed`: it asks for every set.
    const auto rescue = [&] {
        if (!s.exchange || needed)
            return false;
        Design cur = a.design();
        if (!exchangeToCover(cur, p, log))
            return false;
        while (a.size() > 0)
            a.remove(a.size() - 1);
        for (const Set& c : cur)
            a.add(c);
        return a.uncovered() == 0;
    };
    return stepDown(a, d, target, rng, 2000, 512, "ricottura", run, onSmaller, log, rescue);
}

} // namespace

Design annealDown(Design d, const Problem& p, std::size_t target, const AnnealSettings& s,
                  const std::function<void(const Design&)>& onSmaller, const Log& log)
{
    return annealDownWith(std::move(d), p, nullptr, target, s, onSmaller, log);
}

namespace {

Design randomColumns(const Problem& p, std::size_t count, Rng& rng)
{
    Design out;
    for (std::size_t k = 0; k < count; ++k) {
        Set c{};
        std::uint64_t used = 0;
        for (auto& v : c) {
            int x;
            do
                x = static_cast<int>(rng.below(static_cast<std::uint64_t>(p.n)));
            while (used >> x & 1u);
            used |= std::uint64_t{1} << x;
            v = static_cast<std::uint8_t>(x);
        }
        out.push_back(c);
    }
    return out;
}

// Covers whatever is left with single columns. Each one starts from a cell of the first set still
// uncovered and grows by the point that lets it cover the most uncovered sets (the lowest point on
// a tie); of the columns grown from the cells of that set, the one covering the most is taken.
void completeGreedily(CellAnnealer& a, const Problem& p)
{
    std::uint8_t first[8], w[8];
    while (a.uncovered() > 0) {
        std::vector<std::uint64_t> left;
        left.reserve(a.uncovered());
        for (std::uint32_t z : a.uncoveredSets()) {
            unrank(z, p.s, w);
            left.push_back(maskOf(w, p.s));
        }
        const auto gain = [&](std::uint64_t column) {
            std::size_t g = 0;
            for (std::uint64_t m : left)
                g += __builtin_popcountll(m & column) >= p.m;
            return g;
        };
        unrank(a.uncoveredSets().front(), p.s, first);
        std::uint64_t best = 0;
        std::size_t bestGain = 0;
        forEachCombo(p.s, p.m, [&](const int* idx) {
            std::uint64_t column = 0;
            for (int k = 0; k < p.m; ++k)
                column |= std::uint64_t{1} << first[idx[k]];
            for (int size = p.m; size < 6; ++size) {
                std::uint64_t pick = 0;
                std::size_t pickGain = 0;
                for (int v = 0; v < p.n; ++v) {
                    const std::uint64_t bit = std::uint64_t{1} << v;
                    if (column & bit)
                        continue;
                    const std::size_t g = gain(column | bit);
                    if (!pick || g > pickGain) {
                        pick = bit;
                        pickGain = g;
                    }
                }
                column |= pick;
            }
            const std::size_t g = gain(column);
            if (!best || g > bestGain) {
                best = column;
                bestGain = g;
            }
        });
        a.add(setOfMask(best));
    }
}

} // namespace

namespace {

// Column c moved by g, point-sorted.
Set imageOf(const Perm& g, const Set& c)
{
    Set image;
    for (std::size_t k = 0; k < 6; ++k)
        image[k] = static_cast<std::uint8_t>(g[c[k]]);
    sortPoints(image.data(), 6);
    return image;
}

// The least image of column c under the group elements: one name for its whole orbit.
Set leastImage(const Set& c, const std::vector<Perm>& elements)
{
    Set least = c;
    for (const Perm& g : elements)
        least = std::min(least, imageOf(g, c));
    return least;
}

// One column of every orbit the columns of `start` meet (the smallest of the orbit), then random
// columns up to `orbits` in all.
Design orbitStart(const Problem& p, const std::vector<Perm>& elements, const Design& start, std::size_t orbits,
                  Rng& rng)
{
    std::set<Set> reps;
    for (const Set& c : start)
        reps.insert(leastImage(c, elements));
    Design out(reps.begin(), reps.end());
    if (out.size() < orbits) {
        const Design more = randomColumns(p, orbits - out.size(), rng);
        out.insert(out.end(), more.begin(), more.end());
    }
    return out;
}

} // namespace

Design orbitColumns(const Design& reps, const std::vector<Perm>& elements)
{
    Design out;
    for (const Set& c : reps)
        for (const Perm& g : elements)
            out.push_back(imageOf(g, c));
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

Design wholeOrbits(const Design& d, const std::vector<Perm>& elements)
{
    std::set<Set> columns;
    for (Set c : d) {
        sortPoints(c.data(), 6);
        columns.insert(c);
    }
    Design out;
    std::set<Set> seen;
    for (const Set& c : columns) {
        const Design orbit = orbitColumns({c}, elements); // in order: the least first
        if (!seen.insert(orbit.front()).second)
            continue;
        if (std::all_of(orbit.begin(), orbit.end(), [&](const Set& x) { return columns.count(x) > 0; }))
            out.push_back(orbit.front());
    }
    return out;
}

Design annealOrbitsOnce(const Problem& p, const Group& generators, std::size_t orbits, const AnnealSettings& s,
                        std::size_t* uncovered, const Log& log, const Design& start)
{
    Rng rng(s.seed);
    const std::vector<Perm> elements = groupElements(generators, p.n);
    CellAnnealer a(p, orbitStart(p, elements, start, orbits, rng), nullptr, elements);
    const bool covered = s.sample > 0 ? a.runWeighted(s, rng) : a.run(s, rng);
    Design found = a.design();
    if (log)
        log("  ricottura: " + std::to_string(orbits) + " orbite (" + std::to_string(found.size()) + " colonne), " +
            (covered ? std::string("tutto coperto") : std::to_string(a.uncovered()) + " orbite scoperte"));
    if (uncovered)
        *uncovered = a.uncovered();
    return found;
}

Design annealOrbits(const Problem& p, const Group& generators, std::size_t orbits, const AnnealSettings& s,
                   const std::function<void(const Design&)>& onSmaller, const Log& log, const Design& start)
{
    Rng rng(s.seed);
    const std::vector<Perm> elements = groupElements(generators, p.n);
    CellAnnealer a(p, orbitStart(p, elements, start, orbits, rng), nullptr, elements);
    const auto run = [&] { return s.sample > 0 ? a.runWeighted(s, rng) : a.run(s, rng); };
    if (!run()) {
        if (log)
            log("  ricottura: " + std::to_string(orbits) + " orbite (" + std::to_string(a.design().size()) +
                " colonne) non bastano (" + std::to_string(a.uncovered()) + " scoperte)");
        return {};
    }
    Design best = a.design();
    if (log)
        log("  ricottura: " + std::to_string(best.size()) + " colonne");
    if (onSmaller)
        onSmaller(best);
    return stepDown(a, best, 1, rng, 2000, 512, "ricottura", run, onSmaller, log);
}

Design annealOrbitsCompleted(const Problem& p, const Group& generators, std::size_t orbits, std::size_t target,
                             const AnnealSettings& s, const std::function<void(const Design&)>& onSmaller,
                             const Log& log, const Design& start)
{
    const Design found = annealOrbitsOnce(p, generators, orbits, s, nullptr, log, start);
    return completeAndAnneal(found, p, target, s, onSmaller, log);
}

Design completeAndAnneal(const Design& start, const Problem& p, std::size_t target, const AnnealSettings& s,
                         const std::function<void(const Design&)>& onSmaller, const Log& log)
{
    CellAnnealer b(p, start);
    completeGreedily(b, p);
    Design d = b.design();
    if (log)
        log("  completate: " + std::to_string(d.size()) + " colonne");
    if (onSmaller)
        onSmaller(d);
    AnnealSettings columnByColumn = s;
    if (s.refine > 0) {
        columnByColumn.moves = s.refine;
        columnByColumn.cycle = 0;
    }
    return annealDown(std::move(d), p, target, columnByColumn, onSmaller, log);
}

namespace {

// Turan's triple system on the parts V0, V1, V2 (part[v] for every point v): a triple is needed
// when it lies in one part or has two points in Vi and one in Vi+1. Four points always hold such
// a triple: two of them share a part; unless a third joins them there, one of the other two lies in
// the next part, or both lie in the part before, where they are a pair whose next part holds the
// first two.
std::vector<char> turanTriples(int n, const std::vector<int>& part)
{
    std::vector<char> needed(choose(n, 3), 0);
    std::uint8_t t[3];
    for (std::uint64_t r = 0; r < needed.size(); ++r) {
        unrank(r, 3, t);
        int count[3] = {0, 0, 0};
        for (int k = 0; k < 3; ++k)
            ++count[part[t[k]]];
        for (int i = 0; i < 3; ++i)
            if (count[i] == 3 || (count[i] == 2 && count[(i + 1) % 3] == 1))
                needed[r] = 1;
    }
    return needed;
}

} // namespace

Design turanCover(int n, const AnnealSettings& s, const Log& log, int first, int second)
{
    // Parts of the sizes asked for, or as equal as can be.
    std::vector<int> part(static_cast<std::size_t>(n));
    for (int v = 0; v < n; ++v)
        part[static_cast<std::size_t>(v)] = first > 0 ? (v < first ? 0 : v < first + second ? 1 : 2) : v * 3 / n;
    const Problem tri{n, 3, 3};
    const std::vector<char> needed = turanTriples(n, part);
    // Greedy start over the needed triples: always the column covering the most still uncovered.
    std::vector<char> left(needed);
    std::uint64_t remaining = static_cast<std::uint64_t>(std::count(left.begin(), left.end(), 1));
    Design d;
    Rng rng(s.seed);
    while (remaining > 0) {
        std::uint64_t bestGain = 0, bestTie = 0;
        Set best{};
        std::uint8_t b[6];
        for (int i = 0; i < 6; ++i)
            b[i] = static_cast<std::uint8_t>(i);
        for (std::uint64_t r = 0, total = choose(n, 6); r < total; ++r) {
            unrank(r, 6, b);
            std::uint64_t gain = 0;
            forEachMeeting(n, b, 6, 3, 3, [&](std::uint64_t z, const std::uint8_t*) { gain += left[z] == 1; });
            const std::uint64_t tie = rng.next();
            if (gain > bestGain || (gain == bestGain && gain > 0 && tie < bestTie)) {
                bestGain = gain;
                bestTie = tie;
                std::copy(b, b + 6, best.begin());
            }
        }
        d.push_back(best);
        forEachMeeting(n, best.data(), 6, 3, 3, [&](std::uint64_t z, const std::uint8_t*) {
            if (left[z] == 1) {
                left[z] = 0;
                --remaining;
            }
        });
    }
    if (log)
        log("  turan: greedy " + std::to_string(d.size()) + " colonne");
    return annealDownWith(std::move(d), tri, &needed, 0, s, nullptr, log);
}

} // namespace sestara::design
