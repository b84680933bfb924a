#include "core/advice/advisor.h"

#include "core/design/budgetdesign.h"
#include "core/design/sumisura.h"
#include "core/development/catalogue.h"
#include "core/development/storedsystems.h"
#include "core/development/verifier.h"
#include "core/guarantees/guarantees.h"

#include "core/util/text.h"

#include <algorithm>
#include <set>
#include <sstream>

namespace sestara {

const char* const kConsiglia = "Consiglia…";
const char* const kTitoloConsiglia = "Consiglia un sistema";
const char* const kNotaRendimento =
    "Ogni sistema rende in media lo stesso per ogni euro giocato: cambiano la probabilità di vincere "
    "e la garanzia.";
const char* const kMsgPronosticoCambiato =
    "Il pronostico non ha più lo stesso numero di elementi: chiedere di nuovo il consiglio.";
const char* const kMsgBudgetNonValido = "Budget non valido: scrivere una somma in euro, per esempio 50 o 49,50.";

namespace {

// The most columns of one receipt.
constexpr std::uint64_t kReceiptColumns = 27132;

// The most m-subsets a system made to a guarantee is searched over for the advice: those of 6
// numbers out of 30.
constexpr std::uint64_t kMostSuMisuraSubsets = 593775;

// Shares of the progress: the catalogue, the systems made to a guarantee, the one made to the budget.
constexpr double kCatalogueShare = 0.1;
constexpr double kSuMisuraShare = 0.4;

std::string euroText(std::uint64_t cents)
{
    std::string c = std::to_string(cents % 100);
    return std::to_string(cents / 100) + "," + (c.size() < 2 ? "0" + c : c) + " €";
}

// Fills the draw counts from the exact analysis; false when stopped or refused.
bool measure(AdviceCandidate& c, int n, const std::vector<Column>& columns, const std::atomic<bool>& stop,
             std::string& error)
{
    const GuaranteeAnalysis a = analyseGuarantees(positionsUpTo(n), developmentOf(columns), stop);
    if (!a.ok()) {
        error = a.error;
        return false;
    }
    for (int j = 2; j <= 5; ++j)
        c.atLeast[static_cast<std::size_t>(j - 2)] = a.atLeast[static_cast<std::size_t>(j)];
    return true;
}

// The columns of a catalogue entry over positions 1..n, with the files read once.
class CatalogueColumns {
public:
    explicit CatalogueColumns(const std::string& dataDir)
        : dataDir_(dataDir)
    {
    }

    // The entry's column count without building them; 0 with `error` set when its file fails.
    std::uint64_t count(int n, const std::string& entry, std::string& error)
    {
        if (n <= kMaxFullSystemSize && entry == std::to_string(n) + " numeri sistema Integrale")
            return binomial(n, 6);
        for (const ImmediateEntry& e : immediateEntries())
            if (e.size == n && entry == immediateEntryText(e))
                return static_cast<std::uint64_t>(e.columns);
        const StoredSystem& s = stored(n, entry, error);
        return s.ok() ? s.columns.size() : 0;
    }

    std::vector<Column> columns(int n, const std::string& entry, std::string& error)
    {
        if (n <= kMaxFullSystemSize && entry == std::to_string(n) + " numeri sistema Integrale")
            return allColumns(n);
        const StoredSystem& s = stored(n, entry, error);
        std::vector<Column> out;
        for (const Positions& p : s.columns) {
            Column c = p;
            std::sort(c.begin(), c.end());
            out.push_back(c);
        }
        return out;
    }

private:
    const StoredSystem& stored(int n, const std::string& entry, std::string& error)
    {
        if (entry == last_)
            return system_;
        last_ = entry;
        system_ = StoredSystem{};
        bool immediate = false;
        for (const ImmediateEntry& e : immediateEntries())
            immediate = immediate || (e.size == n && entry == immediateEntryText(e));
        if (immediate) {
            if (!immediati_)
                immediati_ = readDataFile(dataDir_, kImmediatiFileName);
            system_ = immediati_->ok() ? readImmediateSystem(immediati_->bytes, entry, n)
                                       : StoredSystem{{}, 0, immediati_->error};
        } else {
            if (!riduttore_)
                riduttore_ = readDataFile(dataDir_, kRiduttoreFileName);
            int level = 0;
            for (int l = 1; l <= 3; ++l)
                if (entry == reducedEntryText(n, l))
                    level = l;
            system_ = riduttore_->ok() ? readReducedSystem(riduttore_->bytes, n, level)
                                       : StoredSystem{{}, 0, riduttore_->error};
        }
        if (!system_.ok())
            error = system_.error;
        return system_;
    }

    std::string dataDir_;
    std::optional<FileContents> riduttore_;
    std::optional<FileContents> immediati_;
    std::string last_;
    StoredSystem system_;
};

} // namespace

std::string goalText(int goal)
{
    return "Almeno " + std::to_string(goal) + " punti";
}

std::string noCandidateMessage(std::uint64_t budgetCents, std::uint64_t columnCents)
{
    return "Nessun sistema rientra nel budget di " + euroText(budgetCents) + " (una colonna costa " +
           euroText(columnCents) + ").";
}

std::string budgetEntryText(int n, std::size_t columns, int goal)
{
    return std::to_string(n) + " numeri su misura " + std::to_string(columns) + " colonne almeno " +
           std::to_string(goal) + " punti";
}

std::uint64_t budgetColumns(int n, std::uint64_t budgetCents, std::uint64_t columnCents)
{
    if (columnCents == 0)
        return 0;
    return std::min({budgetCents / columnCents, binomial(n, 6), kReceiptColumns});
}

std::optional<std::uint64_t> parseEuro(const std::string& text)
{
    const std::size_t separator = text.find_first_of(",.");
    const std::string whole = text.substr(0, separator);
    const std::string decimals = separator == std::string::npos ? std::string() : text.substr(separator + 1);
    const auto digits = [](const std::string& s) {
        return std::all_of(s.begin(), s.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
    };
    // Up to ten million euros: far past any receipt, and far from overflowing.
    if (whole.empty() || whole.size() > 8 || !digits(whole) || decimals.size() > 2 || !digits(decimals) ||
        (separator != std::string::npos && decimals.empty()))
        return std::nullopt;
    std::uint64_t cents = std::stoull(whole) * 100;
    if (!decimals.empty())
        cents += std::stoull(decimals) * (decimals.size() == 1 ? 10 : 1);
    return cents;
}

std::string readPredictionCount(const std::string& text, int& count)
{
    std::istringstream in(text);
    std::set<std::int64_t> numbers;
    std::string word;
    while (in >> word) {
        const std::int64_t value = isDigits(word) && word.size() <= 2 ? numericValue(word) : 0;
        if (value < 1 || value > 90)
            return "Numero non valido nel pronostico: \"" + readableEcho(word) + "\" (da 1 a 90)";
        if (!numbers.insert(value).second)
            return "Numero ripetuto nel pronostico: " + word;
    }
    count = static_cast<int>(numbers.size());
    if (count < kMinPredictionSize || count > kMaxPredictionSize)
        return "Il pronostico deve avere da 10 a 55 numeri: ne ha " + std::to_string(count) + ".";
    return {};
}

std::string adviceLine(const AdviceCandidate& c)
{
    std::string line = c.entryText + "\t" + std::to_string(c.columns) + "\t" + std::to_string(c.costCents) + "\t";
    for (int j = 2; j <= 5; ++j)
        line += std::to_string(c.draws(j)) + (j < 5 ? " " : "\n");
    return line;
}

bool candidateBefore(const AdviceCandidate& a, const AdviceCandidate& b, int goal)
{
    if (a.draws(goal) != b.draws(goal))
        return a.draws(goal) > b.draws(goal);
    if (a.costCents != b.costCents)
        return a.costCents < b.costCents;
    return a.entryText < b.entryText;
}

Advice advise(const AdviceRequest& request, const std::atomic<bool>& stop, const std::function<void(double)>& progress)
{
    Advice out;
    const int n = request.numbers;
    const int k = request.goal;
    if (n < kMinPredictionSize || n > kMaxPredictionSize || k < 2 || k > 5 || request.columnCents == 0) {
        out.error = "Il consiglio si chiede per un pronostico da 10 a 55 numeri e da 2 a 5 punti.";
        return out;
    }
    const std::uint64_t affordable = request.budgetCents / request.columnCents;
    const std::uint64_t columns = budgetColumns(n, request.budgetCents, request.columnCents);
    if (columns == 0) {
        out.error = noCandidateMessage(request.budgetCents, request.columnCents);
        return out;
    }
    const auto report = [&progress](double share) {
        if (progress)
            progress(share);
    };
    const auto stopped = [&out] {
        out.interrupted = true;
        out.candidates.clear();
        return out;
    };

    CatalogueColumns catalogue(request.dataDir);
    const std::vector<std::string> entries = catalogueEntriesForSize(n);
    for (std::size_t e = 0; e < entries.size(); ++e) {
        std::string error;
        AdviceCandidate c;
        c.entryText = entries[e];
        c.columns = catalogue.count(n, c.entryText, error);
        if (!error.empty()) {
            out.error = error;
            return out;
        }
        if (c.columns > affordable)
            continue;
        c.costCents = c.columns * request.columnCents;
        c.design = catalogue.columns(n, c.entryText, error);
        if (!error.empty()) {
            out.error = error;
            return out;
        }
        if (!measure(c, n, c.design, stop, error))
            return error.empty() ? stopped() : (out.error = error, out);
        out.candidates.push_back(std::move(c));
        report(kCatalogueShare * static_cast<double>(e + 1) / static_cast<double>(entries.size()));
    }

    for (int m = k; m <= 6; ++m) {
        const double base = kCatalogueShare + kSuMisuraShare * (m - k) / (7 - k);
        report(base);
        // Past the m-subsets of 30 numbers the quick level is neither quick nor small in memory
        // (55 numbers, 3 se 6: minutes and gigabytes), and a design it could not cover is no
        // candidate anyway.
        if (suMisuraLowerBound(n, k, m) > columns || binomial(n, m) > kMostSuMisuraSubsets)
            continue;
        SuMisuraRequest r;
        r.numbers = n;
        r.k = k;
        r.m = m;
        r.maxColumns = static_cast<std::size_t>(columns);
        r.level = DesignLevel::Rapido;
        r.dataFolder = request.dataDir;
        const SuMisuraResult made = makeSuMisura(r, stop, [&](double share) {
            report(base + kSuMisuraShare * share / (7 - k));
        });
        if (made.interrupted)
            return stopped();
        if (!made.ok() || made.covered != made.total || made.columns.empty() || made.columns.size() > columns)
            continue;
        AdviceCandidate c;
        c.entryText = suMisuraEntryText(n, k, m);
        c.kind = CandidateKind::SuMisura;
        c.guaranteeMatched = k;
        c.guaranteeDrawn = m;
        c.columns = made.columns.size();
        c.costCents = c.columns * request.columnCents;
        c.design = made.columns;
        std::string error;
        if (!measure(c, n, c.design, stop, error))
            return error.empty() ? stopped() : (out.error = error, out);
        out.candidates.push_back(std::move(c));
    }

    const auto before = [k](const AdviceCandidate& a, const AdviceCandidate& b) { return candidateBefore(a, b, k); };
    std::sort(out.candidates.begin(), out.candidates.end(), before);
    BudgetDesignRequest design;
    design.numbers = n;
    design.goal = k;
    design.columns = static_cast<std::size_t>(columns);
    design.moves = request.searchMoves;
    if (!out.candidates.empty()) {
        // A seed larger than one receipt gives its first columns.
        const std::vector<Column>& best = out.candidates.front().design;
        const std::size_t kept = std::min<std::size_t>(best.size(), static_cast<std::size_t>(columns));
        design.seed.assign(best.begin(), best.begin() + static_cast<std::ptrdiff_t>(kept));
    }
    const double base = kCatalogueShare + kSuMisuraShare;
    const BudgetDesign made =
        designForBudget(design, stop, [&](double share) { report(base + (1.0 - base) * share); });
    if (made.interrupted)
        return stopped();
    if (!made.ok()) {
        out.error = made.error;
        return out;
    }
    AdviceCandidate c;
    c.entryText = budgetEntryText(n, made.columns.size(), k);
    c.kind = CandidateKind::Budget;
    c.columns = made.columns.size();
    c.costCents = c.columns * request.columnCents;
    c.design = made.columns;
    for (int j = 2; j <= 5; ++j)
        c.atLeast[static_cast<std::size_t>(j - 2)] = made.analysis.atLeast[static_cast<std::size_t>(j)];
    out.candidates.push_back(std::move(c));
    std::sort(out.candidates.begin(), out.candidates.end(), before);
    for (AdviceCandidate& candidate : out.candidates)
        if (candidate.kind == CandidateKind::Catalogue)
            candidate.design = {};
    report(1.0);
    return out;
}

} // namespace sestara
