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
    std::array<bool, 91> held{};
    for (std::size_t c = 0; c < total; ++c) {
        const std::uint8_t* six = development.data(c);
        for (int i = 0; i < 6; ++i)
            held[six[i] <= 90 ? six[i] : 0] = true;
    }
    position_.fill(-1);
    for (int n = 1; n <= 90; ++n)
        if (held[static_cast<std::size_t>(n)])
            position_[static_cast<std::size_t>(n)] = universe_++;

    binom_.assign(static_cast<std::size_t>(universe_ + 1) * 7, 0);
    for (int n = 0; n <= universe_; ++n) {
        binom_[static_cast<std::size_t>(n) * 7] = 1;
        for (int k = 1; k <= 6 && k <= n; ++k)
            binom_[static_cast<std::size_t>(n) * 7 + static_cast<std::size_t>(k)] =
                binom(n - 1, k - 1) + (k <= n - 1 ? binom(n - 1, k) : 0);
    }
    for (int k = 2; k <= 5; ++k)
        containing_[static_cast<std::size_t>(k)].assign(binom(universe_, k), 0);
    lastStart_.assign(static_cast<std::size_t>(binom(universe_, 5)) + 1, 0);

    std::uint32_t* const pairs = containing_[2].data();
    std::uint32_t* const triples = containing_[3].data();
    std::uint32_t* const quadruples = containing_[4].data();
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
        // term[i][t]: what the column's i-th number adds to a rank as the t-th member of a subset.
        std::uint32_t term[6][5];
        for (int i = 0; i < 6; ++i)
            for (int t = 0; t < 5; ++t)
                term[i][t] = binom(p[i], t + 1);
        // Every subset of two to five numbers, each rank built on the rank of its prefix.
        for (int a = 0; a < 6; ++a)
            for (int b = a + 1; b < 6; ++b) {
                const std::uint32_t r2 = term[a][0] + term[b][1];
                ++pairs[r2];
                for (int d = b + 1; d < 6; ++d) {
                    const std::uint32_t r3 = r2 + term[d][2];
                    ++triples[r3];
                    for (int e = d + 1; e < 6; ++e) {
                        const std::uint32_t r4 = r3 + term[e][3];
                        ++quadruples[r4];
                        for (int f = e + 1; f < 6; ++f)
                            ++quintuples[r4 + term[f][4]];
                    }
                }
            }
        ++lastStart_[rank(p, 5) + 1];
    }
    for (std::size_t r = 1; r < lastStart_.size(); ++r)
        lastStart_[r] += lastStart_[r - 1];
    lasts_.resize(total);
    std::vector<std::uint32_t> next(lastStart_.begin(), lastStart_.end() - 1);
    for (std::size_t c = 0; c < total; ++c) {
        sortedPositions(development.data(c), position_, p);
        lasts_[next[rank(p, 5)]++] = static_cast<std::uint8_t>(p[5]);
    }
    if (progress)
        progress(total);
    complete_ = true;
}

std::uint64_t HistoryIndex::columnsEqualTo(const int* sortedSix) const
{
    const std::uint32_t r = rank(sortedSix, 5);
    const auto first = lasts_.begin() + lastStart_[r];
    const auto last = lasts_.begin() + lastStart_[r + 1];
    return static_cast<std::uint64_t>(std::count(first, last, static_cast<std::uint8_t>(sortedSix[5])));
}

WinCounts HistoryIndex::counts(const Draw& draw) const
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
    int chosen[6];
    for (int mask = 1; mask < 1 << held; ++mask) {
        const int k = __builtin_popcount(static_cast<unsigned>(mask));
        if (k < 2)
            continue;
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
    for (int m = 2; m <= 6; ++m)
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
    out[static_cast<std::size_t>(WinClass::Due)] = static_cast<std::uint64_t>(exact[2]);
    out[static_cast<std::size_t>(WinClass::Tre)] = static_cast<std::uint64_t>(exact[3]);
    out[static_cast<std::size_t>(WinClass::Quattro)] = static_cast<std::uint64_t>(exact[4]);
    out[static_cast<std::size_t>(WinClass::Cinque)] = static_cast<std::uint64_t>(exact[5] - fivePlusOne);
    out[static_cast<std::size_t>(WinClass::CinquePiuUno)] = static_cast<std::uint64_t>(fivePlusOne);
    out[static_cast<std::size_t>(WinClass::Sei)] = static_cast<std::uint64_t>(exact[6]);
    return out;
}

bool HistoryRow::wins() const
{
    return std::any_of(counts.begin(), counts.end(), [](std::uint64_t n) { return n > 0; });
}

std::string historyCsvText(const HistoryResult& result)
{
    std::string out = kDrawCsvHeader;
    for (int c = 0; c < kWinClasses; ++c)
        out += std::string(";") + winClassCaption(static_cast<WinClass>(c));
    out += "\r\n";
    const auto line = [&out](const std::string& first, const WinCounts& counts) {
        out += first;
        for (std::uint64_t n : counts)
            out += ';' + std::to_string(n);
        out += "\r\n";
    };
    for (const HistoryRow& row : result.rows)
        line(drawCsvFields(row.draw), row.counts);
    // Under the counts of the draws, past the draw's own ten fields.
    line("TOTALE" + std::string(9, ';'), result.totals);
    return out;
}

HistoryResult checkHistory(const Development& development, const std::vector<Draw>& draws,
                           const std::atomic<bool>& interrupt, const HistoryProgress& progress)
{
    HistoryResult result;
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
        HistoryRow row{draws[k], index.counts(draws[k])};
        for (int c = 0; c < kWinClasses; ++c)
            result.totals[static_cast<std::size_t>(c)] += row.counts[static_cast<std::size_t>(c)];
        if (row.wins())
            ++result.winningDraws;
        result.rows.push_back(row);
        if (progress)
            progress(development.size() + k + 1);
    }
    return result;
}

} // namespace sestara
