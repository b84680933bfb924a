#include "core/design/budgetdesign.h"

#include <algorithm>
#include <array>
#include <random>

namespace sestara {

// Not the covering search of the systems made to a guarantee (search.h, anneal.h): that one counts
// the m-subsets a column set leaves short for one m, while this objective weighs the draws of every
// size of J at once and scores a move by the pairs of columns it changes.

namespace {

constexpr int kDrawNumbers = 90;
constexpr std::uint64_t kSearchSeed = 0x5e57a4a5u;
// Pairs of columns looked at over a whole search: a few seconds on a slow core.
constexpr std::uint64_t kPairBudget = 1000000000u;
constexpr std::uint64_t kFewestMoves = 20000;
constexpr std::uint64_t kMostMoves = 5000000;
constexpr std::uint64_t kPollEvery = 1024;
// Random columns tried for each column added around the seed; the least penalised is kept.
constexpr int kAddTries = 16;

std::uint64_t choose(int a, int b)
{
    if (a < 0 || b < 0 || b > a)
        return 0;
    std::uint64_t r = 1;
    for (int i = 1; i <= b; ++i)
        r = r * static_cast<std::uint64_t>(a - b + i) / static_cast<std::uint64_t>(i);
    return r;
}

using Mask = std::uint64_t;

int common(Mask a, Mask b)
{
    return __builtin_popcountll(a & b);
}

Mask maskOf(const Column& c)
{
    Mask m = 0;
    for (std::uint8_t p : c)
        m |= Mask{1} << (p - 1);
    return m;
}

Column columnOf(Mask m)
{
    Column c{};
    std::size_t i = 0;
    for (int p = 0; p < 64 && i < 6; ++p)
        if (m >> p & 1u)
            c[i++] = static_cast<std::uint8_t>(p + 1);
    return c;
}

// The position of the r-th (from 0) bit of `m` that equals `value`, among the first n.
int nthBit(Mask m, int n, bool value, std::uint64_t r)
{
    for (int p = 0; p < n; ++p)
        if (((m >> p & 1u) != 0) == value && r-- == 0)
            return p;
    return -1;
}

// Late acceptance hill climbing on the pairwise overlaps: a move takes one number out of one
// column and puts another in; it is kept when the total is no worse than now or than it was a
// fixed number of moves ago. Integer costs only, so every machine takes the same path.
class Search {
public:
    Search(int n, int k, std::vector<Mask> columns, std::size_t fixed)
        : n_(n)
        , columns_(std::move(columns))
        , fixed_(fixed)
        , rng_(kSearchSeed)
    {
        for (int t = 0; t <= 6; ++t)
            overlap_[static_cast<std::size_t>(t)] = pairOverlap(n, k, t);
    }

    // Columns past the seed, each the least penalised of a few random ones.
    void fill(std::size_t count)
    {
        while (columns_.size() < count) {
            Mask best = 0;
            std::uint64_t bestCost = 0;
            for (int t = 0; t < kAddTries; ++t) {
                const Mask m = randomColumn();
                std::uint64_t cost = 0;
                for (Mask other : columns_)
                    cost += overlap_[static_cast<std::size_t>(common(m, other))];
                if (t == 0 || cost < bestCost) {
                    best = m;
                    bestCost = cost;
                }
            }
            columns_.push_back(best);
        }
    }

    // False when stopped.
    bool run(std::uint64_t moves, const std::atomic<bool>& stop, const std::function<void(std::uint64_t)>& tick)
    {
        const std::size_t c = columns_.size();
        if (c <= fixed_ || c < 2)
            return true;
        std::uint64_t cost = total();
        best_ = columns_;
        std::uint64_t bestCost = cost;
        const std::size_t historyLength = static_cast<std::size_t>(std::clamp<std::uint64_t>(moves / 400, 50, 5000));
        std::vector<std::uint64_t> history(historyLength, cost);
        const std::uint64_t free = c - fixed_;
        for (std::uint64_t v = 0; v < moves; ++v) {
            if (v % kPollEvery == 0) {
                if (tick)
                    tick(v);
                if (stop.load(std::memory_order_relaxed))
                    return false;
            }
            const std::size_t i = fixed_ + static_cast<std::size_t>(rng_() % free);
            const Mask old = columns_[i];
            const int out = nthBit(old, n_, true, rng_() % 6);
            const int in = nthBit(old, n_, false, rng_() % static_cast<std::uint64_t>(n_ - 6));
            const Mask moved = (old & ~(Mask{1} << out)) | Mask{1} << in;
            std::int64_t delta = 0;
            for (std::size_t l = 0; l < c; ++l) {
                if (l == i)
                    continue;
                const Mask other = columns_[l];
                delta += static_cast<std::int64_t>(overlap_[static_cast<std::size_t>(common(moved, other))]) -
                         static_cast<std::int64_t>(overlap_[static_cast<std::size_t>(common(old, other))]);
            }
            const std::uint64_t next = static_cast<std::uint64_t>(static_cast<std::int64_t>(cost) + delta);
            std::uint64_t& past = history[v % historyLength];
            if (next <= cost || next <= past) {
                columns_[i] = moved;
                cost = next;
                if (cost < bestCost) {
                    bestCost = cost;
                    best_ = columns_;
                }
            }
            if (cost < past)
                past = cost;
        }
        columns_ = best_;
        return true;
    }

    const std::vector<Mask>& columns() const { return columns_; }

private:
    std::uint64_t total() const
    {
        std::uint64_t sum = 0;
        for (std::size_t i = 0; i < columns_.size(); ++i)
            for (std::size_t l = i + 1; l < columns_.size(); ++l)
                sum += overlap_[static_cast<std::size_t>(common(columns_[i], columns_[l]))];
        return sum;
    }

    Mask randomColumn()
    {
        Mask m = 0;
        for (int placed = 0; placed < 6; ++placed)
            m |= Mask{1} << nthBit(m, n_, false, rng_() % static_cast<std::uint64_t>(n_ - placed));
        return m;
    }

    int n_;
    std::array<std::uint64_t, 7> overlap_{};
    std::vector<Mask> columns_;
    std::vector<Mask> best_;
    std::size_t fixed_;
    std::mt19937_64 rng_;
};

// More draws with the goal; on a tie (a goal every draw that can reach it reaches), more with
// more points.
bool better(const GuaranteeAnalysis& a, const GuaranteeAnalysis& b, int goal)
{
    for (int j = goal; j <= 6; ++j)
        if (a.atLeast[static_cast<std::size_t>(j)] != b.atLeast[static_cast<std::size_t>(j)])
            return a.atLeast[static_cast<std::size_t>(j)] > b.atLeast[static_cast<std::size_t>(j)];
    return false;
}

std::vector<Column> columnsOf(const std::vector<Mask>& masks)
{
    std::vector<Column> out;
    out.reserve(masks.size());
    for (Mask m : masks)
        out.push_back(columnOf(m));
    return out;
}

} // namespace

std::uint64_t pairOverlap(int n, int k, int t)
{
    // J takes a numbers of the common t, b and c of the numbers only one column has, d of the
    // n - 12 + t numbers of neither.
    std::uint64_t sum = 0;
    for (int j = k; j <= 6; ++j) {
        const std::uint64_t draws = choose(kDrawNumbers - n, 6 - j);
        for (int a = 0; a <= t && a <= j; ++a)
            for (int b = 0; b <= 6 - t; ++b)
                for (int c = 0; c <= 6 - t; ++c) {
                    const int d = j - a - b - c;
                    if (d < 0 || a + b < k || a + c < k)
                        continue;
                    sum += draws * choose(t, a) * choose(6 - t, b) * choose(6 - t, c) * choose(n - 12 + t, d);
                }
    }
    return sum;
}

std::vector<Column> allColumns(int n)
{
    std::vector<Column> out;
    Column c{};
    for (int i = 0; i < 6; ++i)
        c[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i + 1);
    if (n < 6)
        return out;
    for (;;) {
        out.push_back(c);
        int i = 5;
        while (i >= 0 && c[static_cast<std::size_t>(i)] == n - 5 + i)
            --i;
        if (i < 0)
            return out;
        ++c[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < 6; ++j)
            c[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(c[static_cast<std::size_t>(j - 1)] + 1);
    }
}

Development developmentOf(const std::vector<Column>& columns)
{
    Development d;
    for (const Column& c : columns)
        d.append(c);
    return d;
}

std::vector<std::uint8_t> positionsUpTo(int n)
{
    std::vector<std::uint8_t> p;
    for (int i = 1; i <= n; ++i)
        p.push_back(static_cast<std::uint8_t>(i));
    return p;
}

BudgetDesign designForBudget(const BudgetDesignRequest& request, const std::atomic<bool>& stop,
                             const std::function<void(double)>& progress)
{
    BudgetDesign out;
    const int n = request.numbers;
    if (n < 10 || n > 55 || request.goal < 2 || request.goal > 5 || request.columns == 0 ||
        request.columns > choose(n, 6) || request.seed.size() > request.columns) {
        out.error = "Richiesta non valida per un sistema su misura del budget.";
        return out;
    }
    const auto report = [&progress](double share) {
        if (progress)
            progress(share);
    };
    std::vector<Column> candidates[2];
    if (request.columns == choose(n, 6)) {
        // Every column is played: nothing to choose.
        candidates[0] = allColumns(n);
    } else {
        std::vector<Mask> seed;
        for (const Column& c : request.seed)
            seed.push_back(maskOf(c));
        const std::uint64_t moves =
            request.moves ? request.moves
                          : std::clamp<std::uint64_t>(kPairBudget / request.columns, kFewestMoves, kMostMoves);
        // With a seed, the columns around it first, then all of them; each half of the moves.
        const bool around = !seed.empty() && seed.size() < request.columns;
        const std::uint64_t firstMoves = around ? moves / 2 : 0;
        Search search(n, request.goal, std::move(seed), around ? request.seed.size() : 0);
        search.fill(request.columns);
        const auto tick = [&](std::uint64_t base) {
            return [&report, base, moves](std::uint64_t done) {
                report(0.8 * static_cast<double>(base + done) / static_cast<double>(moves));
            };
        };
        if (!search.run(firstMoves, stop, tick(0))) {
            out.interrupted = true;
            return out;
        }
        if (!request.seed.empty())
            candidates[0] = columnsOf(search.columns());
        Search free(n, request.goal, search.columns(), 0);
        if (!free.run(moves - firstMoves, stop, tick(firstMoves))) {
            out.interrupted = true;
            return out;
        }
        candidates[1] = columnsOf(free.columns());
    }
    // The better of the two by the exact counts, the one around the seed on a tie.
    const std::vector<std::uint8_t> positions = positionsUpTo(n);
    for (int v = 0; v < 2; ++v) {
        if (candidates[v].empty())
            continue;
        GuaranteeAnalysis a = analyseGuarantees(positions, developmentOf(candidates[v]), stop);
        if (!a.ok()) {
            out.error = a.error;
            out.interrupted = a.interrupted;
            return out;
        }
        report(0.8 + 0.1 * (v + 1));
        if (out.columns.empty() || better(a, out.analysis, request.goal)) {
            out.columns = std::move(candidates[v]);
            out.analysis = a;
        }
    }
    report(1.0);
    return out;
}

} // namespace sestara
