#include "core/draws/historycheck.h"

#include "core/development/development.h"
#include "core/draws/drawarchive.h"

#include <algorithm>
#include <string>

namespace sestara {

namespace {

constexpr std::size_t kPollColumns = 4096;

// The positions of a column's numbers, ascending.
void sortedPositions(const std::uint8_t* six, const std::array<int, 91>& position, int* out)
{
    for (int i = 0; i < 6; ++i) {
        int p = position[six[i]];
        int j = i;
        for (; j > 0 && out[j - 1] > p; --j)
            out[j] = out[j - 1];
        out[j] = p;
    }
}

// Sorts up to six values in place.
void sortSmall(int* v, int count)
{
    for (int i = 1; i < count; ++i)
        for (int j = i; j > 0 && v[j - 1] > v[j]; --j)
            std::swap(v[j - 1], v[j]);
}

// Steps the k ascending positions to the next k-set in colex order, whose rank is one more;
// false after the last set below `universe`.
bool nextColex(int* c, int k, int universe)
{
    for (int i = 0; i < k; ++i) {
        const int limit = i + 1 < k ? c[i + 1] : universe;
        if (c[i] + 1 < limit) {
            ++c[i];
            for (int j = 0; j < i; ++j)
                c[j] = j;
            return true;
        }
    }
    return false;
}

} // namespace

std::uint32_t HistoryIndex::rank(const int* positions, int k) const
{
    std::uint32_t r = 0;
    for (int i = 0; i < k; ++i)
        r += binom(positions[i], i + 1);
    return r;
}

HistoryIndex::HistoryIndex(const Development& development, const std::atomic<bool>& interrupt,
                           const HistoryProgress& progress)
{
    const std::size_t total = development.size();
    columns_ = total;
    std::array<bool, 91> held{};
    for (std::size_t c = 0; c < total; ++c) {
        const std::uint8_t* six = development.data(c);
        for (int i = 0; i < 6; ++i)
            held[six[i] <= 90 ? six[i] : 0] = true;
    }
    // The highest number takes position 0: developers vary the last numbers of a column fastest,
    // so consecutive columns share the heavy terms of their ranks and count into nearby slots.
    position_.fill(-1);
    universe_ = static_cast<int>(std::count(held.begin() + 1, held.end(), true));
    int next = universe_;
    for (int n = 1; n <= 90; ++n)
        if (held[static_cast<std::size_t>(n)])
            position_[static_cast<std::size_t>(n)] = --next;

    binom_.assign(static_cast<std::size_t>(universe_ + 1) * 7, 0);
    for (int n = 0; n <= universe_; ++n) {
        binom_[static_cast<std::size_t>(n) * 7] = 1;
        for (int k = 1; k <= 6 && k <= n; ++k)
            binom_[static_cast<std::size_t>(n) * 7 + static_cast<std::size_t>(k)] =
                binom(n - 1, k - 1) + (k <= n - 1 ? binom(n - 1, k) : 0);
    }
    for (int k = 1; k <= 5; ++k)
        containing_[static_cast<std::size_t>(k)].assign(binom(universe_, k), 0);
    sixRanks_.resize(total);

    std::uint32_t* const quintuples = containing_[5].data();
    int p[6];
    for (std::size_t c = 0; c < total; ++c) {
        if (c % kPollColumns == 0) {
            if (interrupt.load(std::memory_order_relaxed))
                return;
            if (progress)
                progress(c);
        }
        sortedPositions(development.data(c), position_, p);
        // A member's share of a rank: C(p, i + 1) in its own place i, C(p, i) one place down.
        std::uint32_t own[6];
        std::uint32_t down[6];
        for (int i = 0; i < 6; ++i) {
            own[i] = binom(p[i], i + 1);
            down[i] = binom(p[i], i);
        }
        // The five-number sets without member j: those before it keep their place, the rest move down.
        std::uint32_t before = 0;
        std::uint32_t after = down[1] + down[2] + down[3] + down[4] + down[5];
        ++quintuples[after];
        for (int j = 1; j < 6; ++j) {
            before += own[j - 1];
            after -= down[j];
            ++quintuples[before + after];
        }
        sixRanks_[c] = before + own[5];
    }
    // Developers list their columns in order, so the ranks are mostly sorted one way or the other.
    if (!std::is_sorted(sixRanks_.begin(), sixRanks_.end())) {
        if (std::is_sorted(sixRanks_.rbegin(), sixRanks_.rend()))
            std::reverse(sixRanks_.begin(), sixRanks_.end());
        else
            std::sort(sixRanks_.begin(), sixRanks_.end());
    }
    for (int k = 4; k >= 1; --k)
        deriveCounts(k);
    if (progress)
        progress(total);
    complete_ = true;
}

void HistoryIndex::deriveCounts(int k)
{
    const int m = k + 1;
    if (universe_ < m)
        return;
    const std::uint32_t* const upper = containing_[static_cast<std::size_t>(m)].data();
    std::vector<std::uint32_t>& lower = containing_[static_cast<std::size_t>(k)];
    int c[6];
    for (int i = 0; i < m; ++i)
        c[i] = i;
    std::uint32_t r = 0;
    do {
        if (const std::uint32_t n = upper[r]; n != 0) {
            // Each k-subset of the m-set: without member j, as for the columns above.
            std::uint32_t before = 0;
            std::uint32_t after = 0;
            for (int i = 1; i < m; ++i)
                after += binom(c[i], i);
            lower[after] += n;
            for (int j = 1; j < m; ++j) {
                before += binom(c[j - 1], j);
                after -= binom(c[j], j);
                lower[before + after] += n;
            }
        }
        ++r;
    } while (nextColex(c, m, universe_));
    // A column holding a k-set holds 6 - k of the (k+1)-sets around it.
    for (std::uint32_t& n : lower)
        n /= static_cast<std::uint32_t>(6 - k);
}

std::uint64_t HistoryIndex::columnsEqualTo(const int* sortedSix) const
{
    const auto range = std::equal_range(sixRanks_.begin(), sixRanks_.end(), rank(sortedSix, 6));
    return static_cast<std::uint64_t>(range.second - range.first);
}

WinCounts HistoryIndex::counts(const Draw& draw, StellaCounts* stella) const
{
    WinCounts out{};
    if (!complete_)
        return out;
    // The drawn numbers some column holds, as ascending positions.
    int a[6];
    int held = 0;
    for (std::uint8_t n : draw.numbers) {
        const int p = n <= 90 ? position_[n] : -1;
        if (p >= 0)
            a[held++] = p;
    }
    sortSmall(a, held);

    // sums[k]: over the columns, C(matches, k), as the counts of the k-sets of drawn numbers.
    std::array<std::int64_t, 7> sums{};
    sums[0] = static_cast<std::int64_t>(columns_);
    int chosen[6];
    for (int mask = 1; mask < 1 << held; ++mask) {
        const int k = __builtin_popcount(static_cast<unsigned>(mask));
        int m = 0;
        for (int i = 0; i < held; ++i)
            if (mask >> i & 1)
                chosen[m++] = a[i];
        sums[static_cast<std::size_t>(k)] += k == 6 ? static_cast<std::int64_t>(columnsEqualTo(chosen))
                                                    : containing_[static_cast<std::size_t>(k)][rank(chosen, k)];
    }
    // exact[m] = sum over k >= m of (-1)^(k-m) C(k, m) sums[k].
    static const int choose[7][7] = {{1}, {1, 1}, {1, 2, 1}, {1, 3, 3, 1}, {1, 4, 6, 4, 1}, {1, 5, 10, 10, 5, 1},
                                     {1, 6, 15, 20, 15, 6, 1}};
    std::array<std::int64_t, 7> exact{};
    for (int m = 0; m <= 6; ++m)
        for (int k = m; k <= 6; ++k)
            exact[static_cast<std::size_t>(m)] +=
                ((k - m) % 2 ? -1 : 1) * choose[k][m] * sums[static_cast<std::size_t>(k)];

    // A column with five drawn numbers and the jolly is five of them plus the jolly, nothing else.
    std::int64_t fivePlusOne = 0;
    const int j = draw.jolly <= 90 ? position_[draw.jolly] : -1;
    if (j >= 0 && held >= 5) {
        const int subsets = held == 6 ? 6 : 1;
        for (int skip = 0; skip < subsets; ++skip) {
            int six[6];
            int m = 0;
            for (int i = 0; i < held; ++i)
                if (held == 5 || i != skip)
                    six[m++] = a[i];
            six[m] = j;
            sortSmall(six, 6);
            fivePlusOne += static_cast<std::int64_t>(columnsEqualTo(six));
        }
    }
    const auto n = [](std::int64_t v) { return static_cast<std::uint64_t>(v); };
    out[static_cast<std::size_t>(WinClass::Due)] = n(exact[2]);
    out[static_cast<std::size_t>(WinClass::Tre)] = n(exact[3]);
    out[static_cast<std::size_t>(WinClass::Quattro)] = n(exact[4]);
    out[static_cast<std::size_t>(WinClass::Cinque)] = n(exact[5] - fivePlusOne);
    out[static_cast<std::size_t>(WinClass::CinquePiuUno)] = n(fivePlusOne);
    out[static_cast<std::size_t>(WinClass::Sei)] = n(exact[6]);
    if (stella) {
        for (std::size_t h = 0; h < 5; ++h)
            (*stella)[h] = n(exact[h]);
        (*stella)[5] = n(exact[5] - fivePlusOne);
        (*stella)[kStellaCinquePiuUno] = n(fivePlusOne);
        (*stella)[7] = n(exact[6]);
    }
    return out;
}

bool HistoryRow::wins() const
{
    const auto any = [](const auto& counts) {
        return std::any_of(counts.begin(), counts.end(), [](std::uint64_t n) { return n > 0; });
    };
    return any(counts) || any(stella);
}

std::string withoutSuperStarText(std::size_t draws)
{
    if (draws == 1)
        return "1 estrazione del periodo senza superstar: per essa non si contano le vincite stella";
    return std::to_string(draws) + " estrazioni del periodo senza superstar: per esse non si contano le vincite stella";
}

std::string historyCsvText(const HistoryResult& result)
{
    const bool stella = result.superStar != 0;
    std::string out = kDrawCsvHeader;
    for (int c = 0; c < kWinClasses; ++c)
        out += std::string(";") + winClassCaption(static_cast<WinClass>(c));
    for (int c = 0; stella && c < kStellaClasses; ++c)
        out += std::string(";") + stellaClassName(c) + " stella";
    out += "\r\n";
    const auto line = [&](const std::string& first, const WinCounts& counts, const StellaCounts& stellaCounts) {
        out += first;
        for (std::uint64_t n : counts)
            out += ';' + std::to_string(n);
        for (std::size_t c = 0; stella && c < stellaCounts.size(); ++c)
            out += ';' + std::to_string(stellaCounts[c]);
        out += "\r\n";
    };
    for (const HistoryRow& row : result.rows)
        line(drawCsvFields(row.draw), row.counts, row.stella);
    // Under the counts of the draws, past the draw's own ten fields.
    line("TOTALE" + std::string(9, ';'), result.totals, result.stellaTotals);
    return out;
}

HistoryResult checkHistory(const Development& development, const std::vector<Draw>& draws,
                           const std::atomic<bool>& interrupt, const HistoryProgress& progress, int superStar)
{
    HistoryResult result;
    result.superStar = superStar;
    const HistoryIndex index(development, interrupt, progress);
    if (!index.complete()) {
        result.interrupted = true;
        return result;
    }
    result.rows.reserve(draws.size());
    for (std::size_t k = 0; k < draws.size(); ++k) {
        if (interrupt.load(std::memory_order_relaxed)) {
            result.interrupted = true;
            break;
        }
        HistoryRow row;
        row.draw = draws[k];
        row.stellaCounted = superStarMatches(superStar, draws[k].superstar);
        row.counts = index.counts(draws[k], row.stellaCounted ? &row.stella : nullptr);
        if (superStar != 0 && draws[k].superstar == 0)
            ++result.withoutSuperStar;
        for (int c = 0; c < kWinClasses; ++c)
            result.totals[static_cast<std::size_t>(c)] += row.counts[static_cast<std::size_t>(c)];
        for (int c = 0; c < kStellaClasses; ++c)
            result.stellaTotals[static_cast<std::size_t>(c)] += row.stella[static_cast<std::size_t>(c)];
        if (row.wins())
            ++result.winningDraws;
        result.rows.push_back(row);
        if (progress)
            progress(development.size() + k + 1);
    }
    return result;
}

} // namespace sestara
