#include "core/design/sumisura.h"

#include "core/design/anneal.h"
#include "core/design/search.h"
#include "core/design/stepdown.h"
#include "core/development/catalogue.h"
#include "core/development/storedsystems.h"
#include "core/development/verifier.h"
#include "core/util/commandline.h"
#include "core/util/text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace sestara {

const char* const kLivelloRapido = "Rapido";
const char* const kLivelloNormale = "Normale";
const char* const kLivelloAccurato = "Accurato";

namespace {

using design::Design;
using design::Problem;
using design::Rng;
using design::Set;

constexpr std::uint64_t kSeed = 20261206;
// The plain greedy construction is made only where it is quick for the level: the sets it covers
// times the columns each one lies in, and the columns it chooses among.
constexpr std::uint64_t kGreedyColumns = 8000000;
// The tables of the annealer (every set filed under each of its cells) stay below this.
constexpr std::uint64_t kAnnealBytes = std::uint64_t{2600} << 20;

// "27.132": thousands grouped as the players write them.
std::string grouped(std::uint64_t v)
{
    std::string digits = std::to_string(v);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ".");
    return digits;
}

std::string guaranteeWords(int n, int k, int m)
{
    return "la garanzia " + std::to_string(k) + " se " + std::to_string(m) + " su " + std::to_string(n) + " numeri";
}

const char* const kSuggerimento = ": scegli una garanzia più bassa o meno numeri.";

// What each level may spend: the work of the search, in cells counted and sets visited by the
// annealer (a few nanoseconds each), and the largest plain greedy construction it starts from (the
// sets to cover times the columns each lies in). What the levels are tuned to.
struct LevelBudget {
    double work;
    double greedy;
};

LevelBudget levelBudget(DesignLevel level)
{
    switch (level) {
    case DesignLevel::Rapido:
        return {1e8, 4e7};
    case DesignLevel::Normale:
        return {9e8, 1.5e8};
    case DesignLevel::Accurato:
        return {5.5e9, 6e8};
    }
    return {0, 0};
}

// What a move costs beside the cells it counts: choosing it, and filing the column anew.
constexpr std::uint64_t kMoveWork = 40;

// What one move of the annealer is expected to cost before any has been made: the cells a
// one-point change makes or breaks, and the sets above them.
double moveCost(const Problem& p)
{
    const double cells = 2.0 * static_cast<double>(design::choose(5, p.m - 1));
    const double above = static_cast<double>(design::choose(p.n - p.m, p.s - p.m));
    return cells * (1.0 + above) + static_cast<double>(kMoveWork);
}

// The design the program ships for the same numbers and guarantee (0-based points), if any.
Design shippedDesign(const SuMisuraRequest& r)
{
    if (r.dataFolder.empty())
        return {};
    StoredSystem stored;
    if (r.m == 6 && r.k >= 3 && r.k <= 5 && reducedSystemOffered(r.numbers, 6 - r.k)) {
        stored = loadReducedSystem(r.dataFolder, r.numbers, 6 - r.k);
    } else {
        for (const ImmediateEntry& e : immediateEntries()) {
            const Guarantee g = immediateGuarantee(e.guarantee);
            if (e.size == r.numbers && g.drawn == r.m && g.matched == r.k)
                stored = loadImmediateSystem(r.dataFolder, immediateEntryText(e), r.numbers);
        }
    }
    if (!stored.ok())
        return {};
    Design d;
    for (const Positions& c : stored.columns) {
        Set s{};
        std::uint64_t seen = 0;
        for (std::size_t i = 0; i < 6; ++i) {
            if (c[i] < 1 || c[i] > r.numbers || (seen >> c[i] & 1u))
                return {};
            seen |= std::uint64_t{1} << c[i];
            s[i] = static_cast<std::uint8_t>(c[i] - 1);
        }
        d.push_back(s);
    }
    design::normalise(d);
    return d;
}

// Six distinct random points; the first `given` are taken from `start`.
Set columnAround(const std::uint8_t* start, int given, int n, Rng& rng)
{
    Set s{};
    std::uint64_t used = 0;
    for (int i = 0; i < 6; ++i) {
        int x = i < given ? start[i] : 0;
        if (i >= given)
            do
                x = static_cast<int>(rng.below(static_cast<std::uint64_t>(n)));
            while (used >> x & 1u);
        used |= std::uint64_t{1} << x;
        s[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(x);
    }
    design::sortPoints(s.data(), 6);
    return s;
}

// A column holding the whole of uncovered set z (so covering it), the rest random.
Set columnCovering(std::uint32_t z, const Problem& p, Rng& rng)
{
    std::uint8_t w[8];
    design::unrank(z, p.s, w);
    return columnAround(w, p.s, p.n, rng);
}

// One search: its budget in moves, the stop flag and the progress it reports.
class Search {
public:
    Search(const SuMisuraRequest& r, const Problem& p, const std::atomic<bool>& stop,
           const std::function<void(double)>& progress)
        : p_(p), stop_(stop), progress_(progress),
          rng_(kSeed + static_cast<std::uint64_t>(r.numbers * 100 + r.k * 10 + r.m))
    {
        budget_ = static_cast<std::uint64_t>(levelBudget(r.level).work);
        sliceWork_ = budget_ / 256;
        perMove_ = moveCost(p);
    }

    bool stopped() const { return stop_.load(std::memory_order_relaxed); }
    std::uint64_t left() const { return used_ < budget_ ? budget_ - used_ : 0; }
    Rng& rng() { return rng_; }

    // Anneals for one slice of the budget (at most `limit` of it): as many moves as the work of the
    // moves so far says fit, each counted with what it cost.
    void slice(design::CellSearch& a, std::uint64_t limit)
    {
        const double work = static_cast<double>(std::min(sliceWork_, limit));
        design::AnnealSettings s;
        s.moves = static_cast<std::uint64_t>(std::clamp(work / perMove_, 16.0, 1e6));
        s.hot = 0.6;
        s.cold = 0.04;
        const std::uint64_t before = a.work();
        const std::uint64_t moves = a.run(s, rng_);
        const std::uint64_t cost = a.work() - before + moves * kMoveWork;
        if (moves > 0)
            perMove_ = std::max(1.0, static_cast<double>(cost) / static_cast<double>(moves));
        used_ += std::max<std::uint64_t>(cost, 1);
        if (progress_)
            progress_(std::min(0.98, static_cast<double>(used_) / static_cast<double>(budget_)));
    }

    // From a covering design: drops its weakest columns and anneals until everything is covered
    // again, over and over, while the budget lasts. Several columns go at once while that works,
    // then fewer. Returns the smallest covering design met.
    Design shrink(Design best, std::uint64_t budget, std::size_t bound)
    {
        const std::uint64_t end = used_ + budget;
        auto a = std::make_unique<design::CellSearch>(p_, best);
        std::size_t drop = std::max<std::size_t>(1, best.size() / 100);
        const std::uint64_t patience = std::max<std::uint64_t>(sliceWork_, budget / 8);
        std::uint64_t tries = 0;
        while (used_ < end && !stopped()) {
            if (a->uncovered() == 0) {
                if (a->size() < best.size())
                    best = a->design();
                if (a->size() <= std::max<std::size_t>(bound, 1))
                    break;
                for (std::size_t i = 0; i < drop && a->size() > 1; ++i)
                    design::dropWeakest(*a, rng_, 2000, 512);
                tries = 0;
                continue;
            }
            const std::uint64_t before = used_;
            slice(*a, end - used_);
            tries += used_ - before;
            if (a->uncovered() != 0 && tries >= patience && drop > 1) {
                a = std::make_unique<design::CellSearch>(p_, best);
                drop /= 2;
                tries = 0;
            }
        }
        return best;
    }

    // A covering design from nothing: as many random columns as the lower bound, annealed; while
    // sets stay uncovered, more columns join, each holding one of them whole.
    Design cover(std::size_t start)
    {
        Design first;
        for (std::size_t i = 0; i < start; ++i)
            first.push_back(columnAround(nullptr, 0, p_.n, rng_));
        design::CellSearch a(p_, first);
        const std::uint64_t patience = std::max<std::uint64_t>(sliceWork_ * 4, budget_ / 12);
        std::uint64_t tries = 0;
        while (a.uncovered() != 0 && !stopped()) {
            if (a.size() > kMaxSuMisuraColumns)
                return {};
            if (left() == 0) {
                // Out of moves: every set still uncovered gets a column of its own.
                const std::vector<std::uint32_t> rest = a.uncoveredSets();
                a.add(columnCovering(rest.front(), p_, rng_));
                continue;
            }
            const std::uint64_t before = used_;
            slice(a, left());
            tries += used_ - before;
            if (a.uncovered() != 0 && tries >= patience) {
                const std::size_t more = a.size() / 16 + 1;
                for (std::size_t i = 0; i < more && a.uncovered() != 0; ++i)
                    a.add(columnCovering(a.uncoveredSets()[rng_.below(a.uncovered())], p_, rng_));
                tries = 0;
            }
        }
        return a.uncovered() == 0 ? a.design() : Design{};
    }

    // The best `columns` columns the budget finds, from `start` (which has that many): the fewest
    // sets left uncovered, never more than the start leaves.
    Design within(Design start, std::uint64_t budget)
    {
        const std::uint64_t end = used_ + budget;
        design::CellSearch a(p_, start);
        std::size_t least = a.uncovered();
        while (used_ < end && least > 0 && !stopped()) {
            slice(a, end - used_);
            if (a.uncovered() < least) {
                least = a.uncovered();
                start = a.design();
            }
        }
        return start;
    }

private:
    Problem p_;
    const std::atomic<bool>& stop_;
    const std::function<void(double)>& progress_;
    Rng rng_;
    std::uint64_t budget_ = 0;
    std::uint64_t sliceWork_ = 0;
    double perMove_ = 1;
    std::uint64_t used_ = 0;
};

bool greedyIsQuick(const Problem& p, DesignLevel level)
{
    const double work = static_cast<double>(design::choose(p.n, p.s)) * static_cast<double>(design::columnsPerSet(p));
    return work <= levelBudget(level).greedy && design::choose(p.n, 6) <= kGreedyColumns;
}

Design pruned(Design d, const Problem& p)
{
    design::prune(d, p);
    return d;
}

// The columns, 1-based and ascending, in lexicographic order.
std::vector<Column> toColumns(Design d)
{
    design::normalise(d);
    std::vector<Column> out;
    out.reserve(d.size());
    for (const Set& s : d) {
        Column c{};
        for (std::size_t i = 0; i < 6; ++i)
            c[i] = static_cast<std::uint8_t>(s[i] + 1);
        out.push_back(c);
    }
    return out;
}

// What is wrong with the numbers of a request, empty when nothing is.
std::string requestError(const SuMisuraRequest& r)
{
    if (r.numbers < kMinSuMisuraNumbers || r.numbers > kMaxSuMisuraNumbers)
        return "Un sistema su misura si fa con 10 a 55 numeri.";
    if (r.k < 2 || r.m > 6 || r.k > r.m)
        return "La garanzia di un sistema su misura va da 2 se 2 a 6 se 6, con il primo numero non più grande del "
               "secondo.";
    if (r.maxColumns > kMaxSuMisuraColumns)
        return "Le colonne al massimo vanno da 1 a " + grouped(kMaxSuMisuraColumns) + ".";
    return {};
}

} // namespace

const char* levelName(DesignLevel level)
{
    switch (level) {
    case DesignLevel::Rapido:
        return kLivelloRapido;
    case DesignLevel::Normale:
        return kLivelloNormale;
    case DesignLevel::Accurato:
        return kLivelloAccurato;
    }
    return kLivelloNormale;
}

std::string suMisuraRefusal(const SuMisuraRequest& request)
{
    const std::string wrong = requestError(request);
    if (!wrong.empty())
        return wrong;
    const int n = request.numbers, k = request.k, m = request.m;
    const std::uint64_t bound = suMisuraLowerBound(n, k, m);
    if (request.maxColumns == 0 && bound > kMaxSuMisuraColumns)
        return "Per " + guaranteeWords(n, k, m) + " servono almeno " + grouped(bound) + " colonne, più delle " +
               grouped(kMaxSuMisuraColumns) + " di una giocata" + kSuggerimento;
    return {};
}

std::string suMisuraEntryText(int n, int k, int m)
{
    return std::to_string(n) + " numeri su misura garanzia " + std::to_string(k) + " se " + std::to_string(m);
}

bool parseSuMisuraEntryText(const std::string& text, SuMisuraRequest& request)
{
    int n = 0, k = 0, m = 0;
    if (std::sscanf(text.c_str(), "%d numeri su misura garanzia %d se %d", &n, &k, &m) != 3 ||
        text != suMisuraEntryText(n, k, m))
        return false;
    request.numbers = n;
    request.k = k;
    request.m = m;
    return true;
}

StatedShare statedShare(const std::string& entryText, const std::vector<Column>& columns)
{
    StatedShare share;
    SuMisuraRequest r;
    if (!parseSuMisuraEntryText(entryText, r) || !requestError(r).empty())
        return share;
    const CoverageReport check =
        verifyCoverage(std::vector<Positions>(columns.begin(), columns.end()), r.numbers, Guarantee{r.m, r.k});
    if (!check.error.empty())
        return share;
    share.k = r.k;
    share.m = r.m;
    share.total = check.subsets;
    share.covered = check.subsets - check.uncovered;
    return share;
}

std::string suMisuraGuaranteeLine(int k, int m, const std::string& shareText)
{
    return "Garanzia " + std::to_string(k) + " se " + std::to_string(m) + " nel " + shareText + " dei casi";
}

std::uint64_t suMisuraLowerBound(int n, int k, int m)
{
    if (n < 6 || k < 1 || k > m || m > 6 || m > n)
        return 0;
    const Problem p{n, m, k};
    const std::uint64_t total = design::choose(n, m);
    const std::uint64_t each = design::coveredPerColumn(p);
    std::uint64_t bound = (total + each - 1) / each;
    if (k == m) {
        // Schönheim: ceil(n/6 ceil((n-1)/5 ... ceil((n-k+1)/(6-k+1)))).
        std::uint64_t s = 1;
        for (int i = k - 1; i >= 0; --i)
            s = (static_cast<std::uint64_t>(n - i) * s + static_cast<std::uint64_t>(6 - i) - 1) /
                static_cast<std::uint64_t>(6 - i);
        bound = std::max(bound, s);
    }
    return bound;
}

bool readSuMisuraArguments(const std::vector<std::string>& args, SuMisuraRequest& request, std::string& error)
{
    const CommandArguments split = splitCommandArguments(args, {}, {"--colonne", "--livello"});
    if (split.missingValue) {
        error = "Manca il valore di " + args.back() + ".";
        return false;
    }
    for (const auto& [a, v] : split.options) {
        if (a == "--livello") {
            if (v == "rapido")
                request.level = DesignLevel::Rapido;
            else if (v == "normale")
                request.level = DesignLevel::Normale;
            else if (v == "accurato")
                request.level = DesignLevel::Accurato;
            else {
                error = "Livello \"" + readableEcho(v) + "\" sconosciuto: rapido, normale o accurato.";
                return false;
            }
            continue;
        }
        if (!isDigits(v) || v.size() > 6 || numericValue(v) < 1 ||
            static_cast<std::uint64_t>(numericValue(v)) > kMaxSuMisuraColumns) {
            error = "Colonne al massimo \"" + readableEcho(v) + "\" non valide: da 1 a " +
                    grouped(kMaxSuMisuraColumns) + ".";
            return false;
        }
        request.maxColumns = static_cast<std::size_t>(numericValue(v));
    }
    std::vector<int> numbers;
    for (const std::string& a : split.operands) {
        if (!isDigits(a) || a.size() > 2) {
            error = "Argomento \"" + readableEcho(a) + "\" non valido: servono tre numeri, N K M.";
            return false;
        }
        numbers.push_back(static_cast<int>(numericValue(a)));
    }
    if (numbers.size() != 3) {
        error = "Servono tre numeri: N (da 10 a 55), K e M della garanzia \"K se M\".";
        return false;
    }
    request.numbers = numbers[0];
    request.k = numbers[1];
    request.m = numbers[2];
    error = requestError(request);
    return error.empty();
}

std::string suMisuraListing(const SuMisuraResult& result)
{
    std::string out = "COLONNE ";
    appendDecimal(out, result.columns.size());
    out += "\nCOPERTI ";
    appendDecimal(out, result.covered);
    out += " SU ";
    appendDecimal(out, result.total);
    out += '\n';
    for (const Column& c : result.columns) {
        for (std::size_t i = 0; i < 6; ++i) {
            if (i)
                out += ' ';
            appendDecimal(out, c[i]);
        }
        out += '\n';
    }
    return out;
}

SuMisuraResult makeSuMisura(const SuMisuraRequest& request, const std::atomic<bool>& stop,
                            const std::function<void(double fraction)>& progress)
{
    SuMisuraResult out;
    const int n = request.numbers, k = request.k, m = request.m;
    out.error = suMisuraRefusal(request);
    if (!out.error.empty())
        return out;
    const Problem p{n, m, k};
    out.total = design::choose(n, m);
    const std::uint64_t bound = suMisuraLowerBound(n, k, m);
    const bool budgetMode = request.maxColumns > 0;
    const auto refusedBySearch = [&] {
        out.error = "La ricerca non trova " + guaranteeWords(n, k, m) + " entro " + grouped(kMaxSuMisuraColumns) +
                    " colonne" + kSuggerimento;
        return out;
    };
    const auto interrupted = [&] {
        SuMisuraResult none;
        none.total = out.total;
        none.interrupted = true;
        return none;
    };

    Search search(request, p, stop, progress);
    const Design shipped = shippedDesign(request);
    const bool annealable = design::annealMemory(p) <= kAnnealBytes;
    const bool greedyQuick = greedyIsQuick(p, request.level);
    Design found;
    if (!budgetMode || request.maxColumns >= bound) {
        // A design that covers everything: the shipped one or the greedy one, else one from nothing;
        // then as small as the budget makes it.
        Design start = shipped;
        if (start.empty() && greedyQuick) {
            start = pruned(design::plainGreedy(p, SIZE_MAX, &stop), p);
            if (stop.load())
                return interrupted();
        }
        if (start.empty() && annealable)
            start = search.cover(static_cast<std::size_t>(bound));
        if (search.stopped())
            return interrupted();
        // A start far above what a receipt holds is not brought under it by any level's budget.
        if (!budgetMode && (start.empty() || start.size() > kMaxSuMisuraColumns + kMaxSuMisuraColumns / 10))
            return refusedBySearch();
        if (!start.empty() && annealable)
            found = search.shrink(start, budgetMode ? search.left() / 2 : search.left(), bound);
        else
            found = start;
        if (search.stopped())
            return interrupted();
        if (!budgetMode && found.size() > kMaxSuMisuraColumns)
            return refusedBySearch();
        if (budgetMode && found.size() > request.maxColumns)
            found.clear();
    }
    if (budgetMode && found.empty()) {
        // The columns within the limit that leave the fewest sets short: from the greedy
        // construction's first columns where it is quick, else from random ones.
        const std::size_t c = request.maxColumns;
        Design start;
        if (greedyQuick) {
            start = design::plainGreedy(p, c, &stop);
            if (stop.load())
                return interrupted();
        }
        Rng fill(kSeed);
        while (start.size() < c)
            start.push_back(columnAround(nullptr, 0, n, fill));
        found = annealable ? search.within(start, search.left()) : start;
        if (search.stopped())
            return interrupted();
    }

    // What is handed out is what the exact check proves, whatever the search counted.
    out.columns = toColumns(found);
    std::vector<Positions> positions(out.columns.begin(), out.columns.end());
    const CoverageReport check = verifyCoverage(positions, n, Guarantee{m, k});
    if (!check.error.empty()) {
        out.error = check.error;
        out.columns.clear();
        return out;
    }
    out.covered = check.subsets - check.uncovered;
    if (!budgetMode && out.covered != out.total) {
        out.columns.clear();
        return refusedBySearch();
    }
    if (progress)
        progress(1.0);
    return out;
}

} // namespace sestara
