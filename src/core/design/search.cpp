#include "core/design/search.h"
#include "core/design/stepdown.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdlib>
#include <string>
#include <cmath>
#include <memory>
#include <queue>

namespace sestara::design {

Binomials::Binomials()
{
    for (int n = 0; n < kMaxPoints + 8; ++n) {
        c[n][0] = 1;
        for (int k = 1; k <= 8; ++k)
            c[n][k] = n == 0 ? 0 : c[n - 1][k - 1] + c[n - 1][k];
    }
}

const Binomials kBin;

void unrank(std::uint64_t rank, int k, std::uint8_t* out)
{
    for (int i = k; i >= 1; --i) {
        int x = i - 1;
        while (kBin.c[x + 1][i] <= rank)
            ++x;
        out[i - 1] = static_cast<std::uint8_t>(x);
        rank -= kBin.c[x][i];
    }
}

std::uint64_t coveredPerColumn(const Problem& p)
{
    std::uint64_t t = 0;
    for (int j = p.m; j <= std::min(6, p.s); ++j)
        t += choose(6, j) * choose(p.n - 6, p.s - j);
    return t;
}

std::uint64_t columnsPerSet(const Problem& p)
{
    std::uint64_t t = 0;
    for (int j = p.m; j <= p.s; ++j)
        t += choose(p.s, j) * choose(p.n - p.s, 6 - j);
    return t;
}

namespace {

// Orbits of k-sets under the rotation of the first `cycle` points (the other points stay fixed).
class Orbits {
public:
    Orbits(int n, int k, int cycle) : k_(k), trivial_(cycle <= 1)
    {
        const std::uint64_t total = choose(n, k);
        if (trivial_) {
            count_ = static_cast<std::uint32_t>(total);
            return;
        }
        id_.assign(total, UINT32_MAX);
        std::uint8_t x[8], y[8];
        for (int i = 0; i < k; ++i)
            x[i] = static_cast<std::uint8_t>(i);
        for (std::uint64_t r = 0; r < total; ++r) {
            if (id_[r] == UINT32_MAX) {
                const std::uint32_t id = static_cast<std::uint32_t>(rep_.size());
                rep_.push_back(r);
                std::uint8_t size = 0;
                for (int g = 0; g < cycle; ++g) {
                    for (int i = 0; i < k; ++i)
                        y[i] = static_cast<std::uint8_t>(x[i] < cycle ? (x[i] + g) % cycle : x[i]);
                    std::sort(y, y + k);
                    const std::uint64_t q = rankOf(y, k);
                    if (id_[q] == UINT32_MAX) {
                        id_[q] = id;
                        ++size;
                    }
                }
                size_.push_back(size);
            }
            // colex successor
            int i = 0;
            while (i < k - 1 && x[i] + 1 == x[i + 1])
                ++i;
            ++x[i];
            for (int j = 0; j < i; ++j)
                x[j] = static_cast<std::uint8_t>(j);
        }
        count_ = static_cast<std::uint32_t>(rep_.size());
    }

    std::uint32_t count() const { return count_; }
    std::uint32_t id(std::uint64_t rank) const { return trivial_ ? static_cast<std::uint32_t>(rank) : id_[rank]; }
    std::uint64_t rep(std::uint32_t id) const { return trivial_ ? id : rep_[id]; }
    std::uint32_t size(std::uint32_t id) const { return trivial_ ? 1 : size_[id]; }
    int k() const { return k_; }

private:
    int k_;
    bool trivial_;
    std::uint32_t count_ = 0;
    std::vector<std::uint32_t> id_;
    std::vector<std::uint64_t> rep_;
    std::vector<std::uint8_t> size_;
};

struct HeapItem {
    double key;
    std::uint32_t tie;
    std::uint32_t id;
    bool operator<(const HeapItem& o) const { return key != o.key ? key < o.key : tie < o.tie; }
};

} // namespace

Design greedy(const Problem& p, int cycle, std::uint64_t seed, const Log& log)
{
    Rng rng(seed);
    Orbits blocks(p.n, 6, cycle);
    std::unique_ptr<Orbits> ownUniverse;
    if (p.s != 6)
        ownUniverse = std::make_unique<Orbits>(p.n, p.s, cycle);
    const Orbits& universe = ownUniverse ? *ownUniverse : blocks;

    const double perColumn = static_cast<double>(coveredPerColumn(p));
    std::vector<std::int64_t> key2(blocks.count());
    std::vector<HeapItem> heap(blocks.count());
    for (std::uint32_t b = 0; b < blocks.count(); ++b) {
        key2[b] = static_cast<std::int64_t>(perColumn) * blocks.size(b);
        heap[b] = HeapItem{perColumn, static_cast<std::uint32_t>(rng.next()), b};
    }
    std::priority_queue<HeapItem> queue(std::less<HeapItem>(), std::move(heap));
    std::vector<char> covered(universe.count(), 0);
    std::uint64_t remaining = universe.count();
    Design design;
    std::uint8_t x[8], y[8];
    while (remaining > 0 && !queue.empty()) {
        HeapItem top = queue.top();
        queue.pop();
        const double now = static_cast<double>(key2[top.id]) / blocks.size(top.id);
        if (now < top.key) {
            if (now > 0) {
                top.key = now;
                queue.push(top);
            }
            continue;
        }
        unrank(blocks.rep(top.id), 6, x);
        // The whole orbit joins the design.
        std::vector<std::uint64_t> seen;
        for (int g = 0; g < std::max(cycle, 1); ++g) {
            for (int i = 0; i < 6; ++i)
                y[i] = static_cast<std::uint8_t>(x[i] < cycle ? (x[i] + g) % cycle : x[i]);
            std::sort(y, y + 6);
            const std::uint64_t q = rankOf(y, 6);
            if (std::find(seen.begin(), seen.end(), q) != seen.end())
                continue;
            seen.push_back(q);
            Set s{};
            std::copy(y, y + 6, s.begin());
            design.push_back(s);
        }
        forEachMeeting(p.n, x, 6, p.s, p.m, [&](std::uint64_t z, const std::uint8_t*) {
            const std::uint32_t o = universe.id(z);
            if (covered[o])
                return;
            covered[o] = 1;
            --remaining;
            const std::int64_t weight = universe.size(o);
            std::uint8_t rep[8];
            unrank(universe.rep(o), p.s, rep);
            forEachMeeting(p.n, rep, p.s, 6, p.m,
                           [&](std::uint64_t w, const std::uint8_t*) { key2[blocks.id(w)] -= weight; });
        });
        if (log && design.size() % 2000 < seen.size())
            log("  greedy: " + std::to_string(design.size()) + " colonne, " + std::to_string(remaining) +
                " orbite scoperte");
    }
    return design;
}

Design plainGreedy(const Problem& p, std::size_t limit, const std::atomic<bool>* stop)
{
    // Columns are numbered by the colex rank of their mirror image (point x as n - 1 - x): of two
    // columns, the lexicographically smaller has the larger number. gain[c] counts the sets column
    // c would cover that are still uncovered; byGain[g] how many columns have gain g.
    const auto mirror = [&](const std::uint8_t* x, int k, std::uint8_t* y) {
        for (int i = 0; i < k; ++i)
            y[i] = static_cast<std::uint8_t>(p.n - 1 - x[k - 1 - i]);
    };
    const std::uint32_t most = static_cast<std::uint32_t>(coveredPerColumn(p));
    std::vector<std::uint32_t> gain(choose(p.n, 6), most);
    std::vector<std::uint64_t> byGain(most + 1, 0);
    byGain[most] = gain.size();
    std::uint32_t top = most;
    // The largest gain of every block of columns, found again when a column that had it loses.
    constexpr std::size_t kBlock = 1024;
    std::vector<std::uint32_t> blockTop((gain.size() + kBlock - 1) / kBlock, most);
    std::vector<char> stale(blockTop.size(), 0);
    std::vector<char> covered(choose(p.n, p.s), 0);
    std::uint64_t remaining = covered.size();
    Design design;
    std::uint8_t x[8];
    while (remaining > 0 && design.size() < limit) {
        if (stop && stop->load(std::memory_order_relaxed))
            break;
        while (top > 0 && byGain[top] == 0)
            --top;
        if (top == 0)
            break;
        std::size_t best = gain.size();
        for (std::size_t b = blockTop.size(); b-- > 0;) {
            const std::size_t from = b * kBlock, to = std::min(gain.size(), from + kBlock);
            if (stale[b]) {
                blockTop[b] = *std::max_element(gain.begin() + static_cast<std::ptrdiff_t>(from),
                                                gain.begin() + static_cast<std::ptrdiff_t>(to));
                stale[b] = 0;
            }
            if (blockTop[b] != top)
                continue;
            for (best = to; gain[--best] != top;) {
            }
            break;
        }
        unrank(best, 6, x);
        Set column{};
        mirror(x, 6, column.data());
        design.push_back(column);
        forEachMeeting(p.n, x, 6, p.s, p.m, [&](std::uint64_t z, const std::uint8_t* zs) {
            if (covered[z])
                return;
            covered[z] = 1;
            --remaining;
            forEachMeeting(p.n, zs, p.s, 6, p.m, [&](std::uint64_t w, const std::uint8_t*) {
                const std::uint32_t g = gain[w]--;
                --byGain[g];
                ++byGain[g - 1];
                if (g == blockTop[w / kBlock])
                    stale[w / kBlock] = 1;
            });
        });
    }
    return design;
}

void prune(Design& d, const Problem& p)
{
    std::vector<std::uint16_t> cnt(choose(p.n, p.s), 0);
    for (const Set& b : d)
        forEachMeeting(p.n, b.data(), 6, p.s, p.m, [&](std::uint64_t z, const std::uint8_t*) {
            if (cnt[z] < 65535)
                ++cnt[z];
        });
    Design kept;
    std::vector<char> drop(d.size(), 0);
    for (std::size_t i = d.size(); i-- > 0;) {
        bool needed = false;
        forEachMeeting(p.n, d[i].data(), 6, p.s, p.m, [&](std::uint64_t z, const std::uint8_t*) {
            if (cnt[z] < 2)
                needed = true;
        });
        if (!needed) {
            drop[i] = 1;
            forEachMeeting(p.n, d[i].data(), 6, p.s, p.m, [&](std::uint64_t z, const std::uint8_t*) { --cnt[z]; });
        }
    }
    for (std::size_t i = 0; i < d.size(); ++i)
        if (!drop[i])
            kept.push_back(d[i]);
    d.swap(kept);
}

void normalise(Design& d)
{
    for (Set& s : d)
        std::sort(s.begin(), s.end());
    std::sort(d.begin(), d.end());
    d.erase(std::unique(d.begin(), d.end()), d.end());
}

namespace {

// Cover counts of every s-set for a design, with the list of uncovered sets kept for sampling.
class Annealer {
public:
    Annealer(const Problem& p, const Design& d) : p_(p), index_(p.n, p.m - 1)
    {
        const std::uint64_t total = choose(p.n, p.s);
        cnt_.assign(total, 0);
        where_.assign(total, -1);
        weight_.assign(total, 1);
        for (const Set& b : d)
            addColumn(b);
        for (std::uint64_t z = 0; z < total; ++z)
            if (cnt_[z] == 0)
                pushUncovered(z);
    }

    std::size_t uncovered() const { return uncov_.size(); }
    const Design& design() const { return cols_; }
    std::size_t size() const { return cols_.size(); }

    void addColumn(const Set& b)
    {
        cols_.push_back(b);
        masks_.push_back(maskOf(b.data(), 6));
        indexColumn(cols_.size() - 1, true);
        forEachMeeting(p_.n, b.data(), 6, p_.s, p_.m, [&](std::uint64_t z, const std::uint8_t*) {
            if (cnt_[z]++ == 0 && where_[z] >= 0)
                popUncovered(z);
        });
    }

    void remove(std::size_t i)
    {
        forEachMeeting(p_.n, cols_[i].data(), 6, p_.s, p_.m, [&](std::uint64_t z, const std::uint8_t*) {
            if (--cnt_[z] == 0)
                pushUncovered(z);
        });
        indexColumn(i, false);
        const std::size_t last = cols_.size() - 1;
        if (i != last) {
            indexColumn(last, false);
            cols_[i] = cols_.back();
            masks_[i] = masks_.back();
            indexColumn(i, true);
        }
        cols_.pop_back();
        masks_.pop_back();
        if (lastMoved_.size() > cols_.size()) {
            lastMoved_[i] = lastMoved_.back();
            lastMoved_.pop_back();
        }
    }

    // Sets a one-point change of a column can gain or lose.
    std::size_t changeCost() const
    {
        return static_cast<std::size_t>(2 * choose(5, p_.m - 1) * choose(p_.n - 7, p_.s - p_.m));
    }

    // Sets only this column covers.
    std::uint64_t alone(std::size_t i) const
    {
        std::uint64_t u = 0;
        forEachMeeting(p_.n, cols_[i].data(), 6, p_.s, p_.m, [&](std::uint64_t z, const std::uint8_t*) {
            if (cnt_[z] == 1)
                ++u;
        });
        return u;
    }

    // The change of point x of column i into e: sets it uncovers minus sets it covers.
    long delta(std::size_t i, int x, int e) const
    {
        long d = 0;
        walkChange(i, x, e, [&](std::uint64_t z, bool lost) {
            if (lost)
                d += cnt_[z] == 1;
            else
                d -= cnt_[z] == 0;
        });
        return d;
    }

    // The same change scored by the weights of the sets it uncovers
    // minus those it covers (negative is better).
    long weightedDelta(std::size_t i, int x, int e) const
    {
        long d = 0;
        walkChange(i, x, e, [&](std::uint64_t z, bool lost) {
            if (lost) {
                if (cnt_[z] == 1)
                    d += weight_[z];
            } else if (cnt_[z] == 0) {
                d -= weight_[z];
            }
        });
        return d;
    }

    void apply(std::size_t i, int x, int e)
    {
        walkChange(i, x, e, [&](std::uint64_t z, bool lost) {
            if (lost) {
                if (--cnt_[z] == 0)
                    pushUncovered(z);
            } else if (cnt_[z]++ == 0) {
                popUncovered(z);
            }
        });
        indexColumn(i, false);
        Set& b = cols_[i];
        for (auto& v : b)
            if (v == x)
                v = static_cast<std::uint8_t>(e);
        std::sort(b.begin(), b.end());
        masks_[i] = maskOf(b.data(), 6);
        indexColumn(i, true);
    }

    // Weighted local search: for a random uncovered set, the changes of one point of a column that
    // make the column cover it are scored by the weights of the sets they cover and uncover; the
    // best is made even when it is a loss, and every set still uncovered then weighs one more.
    // The weights pull the search out of the local minima a plain count gets stuck in.
    bool run(std::uint64_t iterations, Rng& rng)
    {
        struct Move {
            std::size_t i;
            int x;
            int e;
        };
        std::vector<Move> moves;
        std::vector<std::size_t> cand;
        if (lastMoved_.size() < cols_.size())
            lastMoved_.resize(cols_.size(), 0);
        std::size_t best = uncovered();
        // A column just changed stays put for a couple of moves, unless moving it beats the best.
        const std::uint64_t tenure = 2;
        // Large designs anneal instead: a worse move is taken only with a probability that falls
        // with the temperature, which is lowered over each quarter of the budget and raised again.
        const bool annealing = cols_.size() > 300;
        const double t0 = 0.8, t1 = 0.05;
        const std::uint64_t round = std::max<std::uint64_t>(iterations / 4, 1000);
        const std::size_t maxEval = std::clamp<std::size_t>(60000 / changeCost(), 3, 96);
        for (std::uint64_t it = 1; it <= iterations && !uncov_.empty(); ++it) {
            ++clock_;
            const std::uint64_t y = uncov_[rng.below(uncov_.size())];
            std::uint8_t ys[8];
            unrank(y, p_.s, ys);
            const std::uint64_t ym = maskOf(ys, p_.s);
            cand.clear();
            // The columns one change away from covering y hold m - 1 of its points.
            forEachCombo(p_.s, p_.m - 1, [&](const int* idx) {
                std::uint8_t sub[8];
                for (int k = 0; k < p_.m - 1; ++k)
                    sub[k] = ys[idx[k]];
                for (std::uint32_t i : index_.holding(rankOf(sub, p_.m - 1)))
                    cand.push_back(i);
            });
            if (cand.empty())
                cand.push_back(rng.below(cols_.size()));
            moves.clear();
            for (std::size_t i : cand)
                for (std::uint64_t out = masks_[i] & ~ym; out; out &= out - 1)
                    for (std::uint64_t in = ym & ~masks_[i]; in; in &= in - 1)
                        moves.push_back(Move{i, __builtin_ctzll(out), __builtin_ctzll(in)});
            // Scoring every move would be too slow where a change touches many sets: score a sample.
            const std::size_t evals = std::min(moves.size(), maxEval);
            for (std::size_t k = 0; k < evals; ++k)
                std::swap(moves[k], moves[k + rng.below(moves.size() - k)]);
            long bestDelta = LONG_MAX;
            std::size_t ties = 0;
            Move chosen{0, -1, -1};
            for (std::size_t k = 0; k < evals; ++k) {
                const Move& mv = moves[k];
                const bool tabu = !annealing && clock_ - lastMoved_[mv.i] < tenure;
                const long d = annealing ? delta(mv.i, mv.x, mv.e) : weightedDelta(mv.i, mv.x, mv.e);
                const bool aspire = static_cast<long>(uncovered()) + d < static_cast<long>(best);
                if (tabu && !aspire)
                    continue;
                if (d < bestDelta) {
                    bestDelta = d;
                    ties = 1;
                    chosen = mv;
                } else if (d == bestDelta && rng.below(++ties) == 0) {
                    chosen = mv;
                }
            }
            if (chosen.x < 0) {
                const std::size_t i = cand[rng.below(cand.size())];
                const std::uint64_t out = masks_[i] & ~ym, in = ym & ~masks_[i];
                if (!out || !in)
                    continue;
                chosen = Move{i, pickBit(out, rng), pickBit(in, rng)};
            }
            if (annealing) {
                const double frac = static_cast<double>(it % round) / static_cast<double>(round);
                const double temp = t0 * std::pow(t1 / t0, frac);
                if (bestDelta > 0 && rng.unit() >= std::exp(-static_cast<double>(bestDelta) / temp))
                    continue;
            }
            apply(chosen.i, chosen.x, chosen.e);
            lastMoved_[chosen.i] = clock_;
            // Sets that stay uncovered weigh more and more, until some column is drawn to them.
            if (!annealing)
                for (std::uint64_t z : uncov_)
                    ++weight_[z];
            best = std::min(best, uncovered());
        }
        return uncov_.empty();
    }

private:
    template <class F>
    void walkChange(std::size_t i, int x, int e, F&& f) const
    {
        const Set& b = cols_[i];
        std::uint8_t keep[6], out[kMaxPoints];
        int ks = 0, os = 0;
        for (int v : b)
            if (v != x)
                keep[ks++] = static_cast<std::uint8_t>(v);
        const std::uint64_t used = masks_[i] | (std::uint64_t{1} << e);
        for (int v = 0; v < p_.n; ++v)
            if (!(used >> v & 1u))
                out[os++] = static_cast<std::uint8_t>(v);
        const std::uint8_t fx[1] = {static_cast<std::uint8_t>(x)};
        const std::uint8_t fe[1] = {static_cast<std::uint8_t>(e)};
        forEachUnion(fx, 1, keep, ks, p_.m - 1, out, os, p_.s - p_.m, [&](std::uint64_t z) { f(z, true); });
        forEachUnion(fe, 1, keep, ks, p_.m - 1, out, os, p_.s - p_.m, [&](std::uint64_t z) { f(z, false); });
    }

    void indexColumn(std::size_t i, bool add) { index_.file(cols_[i].data(), static_cast<std::uint32_t>(i), add); }

    void pushUncovered(std::uint64_t z)
    {
        where_[z] = static_cast<std::int32_t>(uncov_.size());
        uncov_.push_back(z);
    }
    void popUncovered(std::uint64_t z)
    {
        const std::int32_t at = where_[z];
        const std::uint64_t last = uncov_.back();
        uncov_[static_cast<std::size_t>(at)] = last;
        where_[last] = at;
        uncov_.pop_back();
        where_[z] = -1;
    }

    Problem p_;
    Design cols_;
    std::vector<std::uint64_t> masks_;
    std::vector<std::uint16_t> cnt_;
    std::vector<std::int32_t> where_;
    std::vector<std::uint64_t> uncov_;
    std::vector<std::uint64_t> lastMoved_;
    SubsetIndex index_;
    std::vector<std::uint32_t> weight_;
    std::uint64_t clock_ = 1000000;
};

} // namespace

Design shrink(Design d, const Problem& p, std::size_t target, std::uint64_t iterations, std::uint64_t seed,
              const std::function<void(const Design&)>& onSmaller, const Log& log)
{
    Rng rng(seed);
    Annealer a(p, d);
    if (a.uncovered() != 0)
        return d;
    return stepDown(a, d, target, rng, 1000, 256, "ricerca locale", [&] { return a.run(iterations, rng); },
                    onSmaller, log);
}

Design searchAt(Design d, const Problem& p, std::size_t k, std::uint64_t iterations, std::uint64_t seed)
{
    Rng rng(seed);
    Annealer a(p, d);
    while (a.size() > k)
        dropWeakest(a, rng, SIZE_MAX, 0);
    return a.run(iterations, rng) ? a.design() : Design{};
}

} // namespace sestara::design
