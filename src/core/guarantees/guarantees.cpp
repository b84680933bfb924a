#include "core/guarantees/guarantees.h"

#include "core/development/catalogue.h"
#include "core/development/development.h"
#include "core/development/prediction.h"

#include <algorithm>
#include <cmath>

namespace sestara {

const char* const kTitoloGaranzie = "Garanzie";
const char* const kColonnaGaranzia = "Garanzia";
const char* const kNotaJolly = "Il numero jolly non entra in questa analisi.";
const char* const kMsgSviluppoCambiato =
    "Lo sviluppo del sistema è cambiato: premere \"Aggiorna\" per analizzare quello nuovo.";

namespace {

constexpr int kLevels = 6;
constexpr int kNumbers = 90;

// C(a, b) for 0 <= a <= 90, 0 <= b <= 6: the draws outside the prediction need more than 64.
struct Binomials {
    std::uint64_t c[kNumbers + 1][kLevels + 1] = {};
    Binomials()
    {
        for (int a = 0; a <= kNumbers; ++a) {
            c[a][0] = 1;
            for (int b = 1; b <= kLevels; ++b)
                c[a][b] = a == 0 ? 0 : c[a - 1][b - 1] + c[a - 1][b];
        }
    }
};

const Binomials& binomials()
{
    static const Binomials b;
    return b;
}

// The m-subsets (m >= 2) of positions 0..n-1 in colex order, handed out as runs that share their
// elements s2 < ... < sm and differ in the smallest, s1 = 0 .. s2-1. A subset's colex rank is
// sum C(s_i, i); for a run the visitor gets what it needs to rank each subset and each subset
// without one element in constant time:
//   rank(S)           = first + s1
//   rank(S \ {s1})    = withoutSmallest
//   rank(S \ {s_j})   = without[j] + s1, j = 2..m
// and returns false to stop.
template <typename Visitor>
bool forEachRun(int n, int m, Visitor&& visit)
{
    const Binomials& bin = binomials();
    std::array<int, kLevels + 2> s{};
    for (int i = 2; i <= m; ++i)
        s[static_cast<std::size_t>(i)] = i - 1;
    if (m > n)
        return true;
    std::array<std::uint64_t, kLevels + 2> without{};
    for (;;) {
        std::uint64_t first = 0, withoutSmallest = 0;
        for (int i = 2; i <= m; ++i) {
            first += bin.c[s[static_cast<std::size_t>(i)]][i];
            withoutSmallest += bin.c[s[static_cast<std::size_t>(i)]][i - 1];
        }
        // without[j]: the elements below j keep their index, those above it move down one.
        std::uint64_t below = 0;
        for (int j = 2; j <= m; ++j) {
            std::uint64_t above = 0;
            for (int i = j + 1; i <= m; ++i)
                above += bin.c[s[static_cast<std::size_t>(i)]][i - 1];
            without[static_cast<std::size_t>(j)] = below + above;
            below += bin.c[s[static_cast<std::size_t>(j)]][j];
        }
        if (!visit(first, withoutSmallest, without, s[2]))
            return false;
        // The next run in colex order: the lowest element that can grow grows, those below it reset.
        int i = 2;
        while (i <= m && s[static_cast<std::size_t>(i)] + 1 == (i == m ? n : s[static_cast<std::size_t>(i + 1)]))
            ++i;
        if (i > m)
            return true;
        ++s[static_cast<std::size_t>(i)];
        for (int j = 2; j < i; ++j)
            s[static_cast<std::size_t>(j)] = j - 1;
    }
}

// Checks the stop request and reports progress once every kSlice subsets.
class Pacer {
public:
    static constexpr std::uint64_t kSlice = 1u << 16;

    Pacer(const std::atomic<bool>& stop, const GuaranteeProgress& progress)
        : stop_(stop)
        , progress_(progress)
    {
    }

    // False once a stop is requested.
    bool advance(std::uint64_t units)
    {
        done_ += units;
        if (done_ < next_)
            return true;
        next_ = done_ + kSlice;
        if (progress_)
            progress_(done_);
        return !stop_.load(std::memory_order_relaxed);
    }

private:
    const std::atomic<bool>& stop_;
    const GuaranteeProgress& progress_;
    std::uint64_t done_ = 0;
    std::uint64_t next_ = kSlice;
};

// The columns as sorted positions, the 6-subsets they are marked in a bit map, and the 5-subsets
// they hold marked with a score of 5. False with `error` set for a column not of the prediction.
bool markColumns(const std::vector<std::uint8_t>& pronostico, const Development& development,
                 std::vector<std::uint64_t>& sixes, std::vector<std::uint8_t>& fives, Pacer& pacer,
                 GuaranteeAnalysis& out)
{
    const Binomials& bin = binomials();
    std::array<int, kNumbers + 1> positionOf;
    positionOf.fill(-1);
    for (std::size_t i = 0; i < pronostico.size(); ++i)
        positionOf[pronostico[i]] = static_cast<int>(i);
    for (std::size_t k = 0; k < development.size(); ++k) {
        const std::uint8_t* six = development.data(k);
        std::array<int, 6> p{};
        for (std::size_t i = 0; i < 6; ++i)
            p[i] = six[i] <= kNumbers ? positionOf[six[i]] : -1;
        std::sort(p.begin(), p.end());
        if (p[0] < 0 || std::adjacent_find(p.begin(), p.end()) != p.end()) {
            out.error = "La colonna " + std::to_string(k + 1) + " non è fatta di sei numeri diversi del pronostico.";
            return false;
        }
        std::array<std::uint64_t, 6> term{}, lower{};
        std::uint64_t rank = 0;
        for (std::size_t i = 0; i < 6; ++i) {
            term[i] = bin.c[p[i]][i + 1];
            lower[i] = bin.c[p[i]][i];
            rank += term[i];
        }
        sixes[rank >> 6] |= std::uint64_t{1} << (rank & 63);
        std::uint64_t below = 0;
        for (std::size_t j = 0; j < 6; ++j) {
            std::uint64_t above = 0;
            for (std::size_t i = j + 1; i < 6; ++i)
                above += lower[i];
            fives[below + above] = 5;
            below += term[j];
        }
        if (!pacer.advance(1))
            return false;
    }
    return true;
}

} // namespace

std::uint64_t GuaranteeAnalysis::subsets(int h) const
{
    return h < 0 || h > kLevels || size < 0 || size > kNumbers ? 0 : binomials().c[size][h];
}

int GuaranteeAnalysis::lowestScore(int h) const
{
    if (h < 0 || h > kLevels)
        return 0;
    for (int v = 0; v <= h; ++v)
        if (bySubset[static_cast<std::size_t>(h)][static_cast<std::size_t>(v)] != 0)
            return v;
    return 0;
}

std::uint64_t guaranteeWork(int n, std::uint64_t columns)
{
    if (n < kLevels || n > kMaxPredictionNumbers)
        return columns;
    const Binomials& bin = binomials();
    std::uint64_t work = columns;
    for (int m = 2; m <= 5; ++m) // marking down
        work += bin.c[n][m];
    for (int m = 1; m <= kLevels; ++m) // scoring up
        work += bin.c[n][m];
    return work;
}

GuaranteeAnalysis analyseGuarantees(const std::vector<std::uint8_t>& pronostico, const Development& development,
                                    const std::atomic<bool>& stop, const GuaranteeProgress& progress)
{
    GuaranteeAnalysis out;
    const int n = static_cast<int>(pronostico.size());
    out.size = n;
    out.columns = development.size();
    if (n < kLevels || n > kMaxPredictionNumbers) {
        out.error = "Le garanzie si calcolano per un pronostico da 6 a " + std::to_string(kMaxPredictionNumbers) +
                    " numeri.";
        return out;
    }
    const Binomials& bin = binomials();
    Pacer pacer(stop, progress);

    // score[m][rank]: the score of the m-subset of that colex rank, m = 0..5; level 6 is never
    // stored, only counted, and only its subsets held whole by a column are kept, one bit each.
    std::array<std::vector<std::uint8_t>, kLevels> score;
    for (int m = 0; m < kLevels; ++m)
        score[static_cast<std::size_t>(m)].assign(bin.c[n][m], 0);
    std::vector<std::uint64_t> sixes(bin.c[n][6] / 64 + 1, 0);
    // A stopped analysis keeps nothing of what it had counted.
    const auto stopped = [&out] {
        GuaranteeAnalysis none;
        none.size = out.size;
        none.columns = out.columns;
        none.interrupted = true;
        return none;
    };
    if (!markColumns(pronostico, development, sixes, score[5], pacer, out))
        return out.error.empty() ? stopped() : out;

    // Every subset of a subset held whole by a column is held whole too.
    for (int m = 5; m >= 2; --m) {
        std::uint8_t* here = score[static_cast<std::size_t>(m)].data();
        std::uint8_t* below = score[static_cast<std::size_t>(m - 1)].data();
        const auto low = static_cast<std::uint8_t>(m - 1);
        const bool whole = forEachRun(n, m, [&](std::uint64_t first, std::uint64_t withoutSmallest,
                                                const std::array<std::uint64_t, kLevels + 2>& without, int runLength) {
            for (int s1 = 0; s1 < runLength; ++s1) {
                if (here[first + static_cast<std::uint64_t>(s1)] != m)
                    continue;
                below[withoutSmallest] = low;
                for (int j = 2; j <= m; ++j)
                    below[without[static_cast<std::size_t>(j)] + static_cast<std::uint64_t>(s1)] = low;
            }
            return pacer.advance(static_cast<std::uint64_t>(runLength));
        });
        if (!whole)
            return stopped();
    }

    // The scores, level by level upwards.
    out.bySubset[0][0] = 1;
    {
        std::uint8_t* ones = score[1].data();
        for (int x = 0; x < n; ++x)
            ++out.bySubset[1][ones[x]];
        pacer.advance(static_cast<std::uint64_t>(n));
    }
    for (int m = 2; m <= kLevels; ++m) {
        std::uint8_t* here = m < kLevels ? score[static_cast<std::size_t>(m)].data() : nullptr;
        const std::uint8_t* below = score[static_cast<std::size_t>(m - 1)].data();
        std::array<std::uint64_t, kLevels + 1> counts{};
        const bool whole = forEachRun(n, m, [&](std::uint64_t first, std::uint64_t withoutSmallest,
                                                const std::array<std::uint64_t, kLevels + 2>& without, int runLength) {
            const std::uint8_t fixed = below[withoutSmallest];
            for (int s1 = 0; s1 < runLength; ++s1) {
                const std::uint64_t rank = first + static_cast<std::uint64_t>(s1);
                const bool held = here ? here[rank] == m : (sixes[rank >> 6] >> (rank & 63) & 1u) != 0;
                std::uint8_t best = static_cast<std::uint8_t>(m);
                if (!held) {
                    best = fixed;
                    for (int j = 2; j <= m; ++j) {
                        const std::uint64_t r = without[static_cast<std::size_t>(j)] + static_cast<std::uint64_t>(s1);
                        best = std::max(best, below[r]);
                    }
                    if (here)
                        here[rank] = best;
                }
                ++counts[best];
            }
            return pacer.advance(static_cast<std::uint64_t>(runLength));
        });
        if (!whole)
            return stopped();
        std::copy(counts.begin(), counts.end(), out.bySubset[static_cast<std::size_t>(m)].begin());
    }

    // A draw meeting the prediction in exactly the j-set J scores J's score; C(90 - n, 6 - j) draws
    // meet it in J.
    for (int j = 0; j <= kLevels; ++j) {
        const std::uint64_t draws = bin.c[kNumbers - n][kLevels - j];
        for (int v = 0; v <= j; ++v)
            for (int k = 0; k <= v; ++k)
                out.atLeast[static_cast<std::size_t>(k)] +=
                    out.bySubset[static_cast<std::size_t>(j)][static_cast<std::size_t>(v)] * draws;
    }
    return out;
}

std::optional<Guarantee> statedGuarantee(const std::string& entryText)
{
    for (int n = kMinPredictionSize; n <= kMaxFullSystemSize; ++n)
        if (entryText == std::to_string(n) + " numeri sistema Integrale")
            return Guarantee{6, 6};
    for (const ImmediateEntry& e : immediateEntries())
        if (entryText == immediateEntryText(e))
            return immediateGuarantee(e.guarantee);
    for (int n = kMinPredictionSize; n <= kMaxPredictionSize; ++n)
        for (int level = 1; level <= 3; ++level)
            if (reducedSystemOffered(n, level) && entryText == reducedEntryText(n, level))
                return reducedGuarantee(level);
    return std::nullopt;
}

GuaranteeShare guaranteeShare(const GuaranteeAnalysis& analysis, const Guarantee& g)
{
    GuaranteeShare share;
    if (g.drawn < 0 || g.drawn > kLevels || g.matched < 0 || g.matched > g.drawn)
        return share;
    const auto& row = analysis.bySubset[static_cast<std::size_t>(g.drawn)];
    for (int v = 0; v <= g.drawn; ++v) {
        share.total += row[static_cast<std::size_t>(v)];
        if (v >= g.matched)
            share.reached += row[static_cast<std::size_t>(v)];
    }
    return share;
}

int shareDecimals(std::uint64_t part, std::uint64_t whole)
{
    if (part == 0 || whole == 0 || part >= whole)
        return 0;
    const double percent = static_cast<double>(part) * 100.0 / static_cast<double>(whole);
    constexpr int kMostDecimals = 9;
    for (int d = 1; d < kMostDecimals; ++d) {
        const double scale = std::pow(10.0, d);
        const double shown = std::round(percent * scale) / scale;
        if (shown > 0.0 && shown < 100.0)
            return d;
    }
    return kMostDecimals;
}

std::string rowCaption(int h)
{
    return "Se escono " + std::to_string(h) + " dei tuoi numeri";
}

std::string pointsText(int points)
{
    return std::to_string(points) + (points == 1 ? " punto" : " punti");
}

std::string oneInText(std::uint64_t draws, const NumberText& number)
{
    if (draws == 0)
        return "mai";
    if (draws >= kAllDraws)
        return "a ogni estrazione";
    // kAllDraws / draws rounded to d decimals, in integers.
    const auto rounded = [draws](std::uint64_t scale) { return (kAllDraws * scale + draws / 2) / draws; };
    std::uint64_t scale = 10;
    std::uint64_t shown = rounded(scale);
    if (shown >= 10 * scale)
        return "1 volta su " + number(static_cast<double>(rounded(1)), 0);
    // "1 volta su 1,0" would say every draw: as many more decimals as it takes (up to nine).
    int decimals = 1;
    for (; shown <= scale && decimals < 9; ++decimals) {
        scale *= 10;
        shown = rounded(scale);
    }
    return "1 volta su " + number(static_cast<double>(shown) / static_cast<double>(scale), decimals);
}

std::string atLeastText(int k, std::uint64_t draws, const NumberText& number)
{
    return "Almeno " + std::to_string(k) + " punti: " + oneInText(draws, number);
}

std::string atLeastTip(std::uint64_t draws, const NumberText& number)
{
    const double percent = static_cast<double>(draws) * 100.0 / static_cast<double>(kAllDraws);
    return "In " + number(static_cast<double>(draws), 0) + " delle " + number(static_cast<double>(kAllDraws), 0) +
           " estrazioni possibili (" + number(percent, shareDecimals(draws, kAllDraws)) + " %)";
}

std::string guaranteeLine(const Guarantee& g, bool holds, const std::string& shareText)
{
    if (holds)
        return "Garanzia del sistema rispettata: " + guaranteeText(g);
    return "Le condizioni hanno ridotto la garanzia: " + guaranteeText(g) + " solo nel " + shareText + " dei casi";
}

} // namespace sestara
