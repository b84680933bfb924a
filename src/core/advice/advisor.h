#pragma once

#include "core/development/development.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sestara {

// Where a system offered by the advice comes from.
enum class CandidateKind {
    Catalogue, // an entry of the catalogue for the size
    SuMisura,  // a system made to a guarantee "k se m"
    Budget,    // a system made to the whole budget
};

// One system the player could play with the budget, and what it wins.
struct AdviceCandidate {
    std::string entryText;
    CandidateKind kind = CandidateKind::Catalogue;
    int guaranteeMatched = 0; // k and m of a system made to a guarantee
    int guaranteeDrawn = 0;
    std::uint64_t columns = 0;
    std::uint64_t costCents = 0;
    // Of all kAllDraws draws, those giving at least j points in the best column, j = 2..5.
    std::array<std::uint64_t, 4> atLeast{};
    // The columns (positions 1..n) of a system made by the program; empty for the catalogue's.
    std::vector<Column> design;

    std::uint64_t draws(int j) const { return j >= 2 && j <= 5 ? atLeast[static_cast<std::size_t>(j - 2)] : 0; }
};

struct AdviceRequest {
    int numbers = 0;               // the prediction's count, 10 to 55
    std::uint64_t budgetCents = 0;
    std::uint64_t columnCents = 0; // the price of one column as played (with SuperStar when it is)
    int goal = 3;                  // points wished for, 2 to 5
    std::string dataDir;           // the folder of the stored systems
    std::uint64_t searchMoves = 0; // the made-to-budget search's length; 0 for the usual one
};

struct Advice {
    std::string error; // the request cannot be answered: why, in Italian
    bool interrupted = false;
    std::vector<AdviceCandidate> candidates; // best first
    bool ok() const { return error.empty() && !interrupted; }
};

// Every system that fits the budget: the catalogue's entries for the size, the systems made to
// "k se m" (m = k..6, the quickest level) that reach their guarantee within it, and one system of
// as many columns as the budget buys made to win the goal in as many draws as possible, started
// from the best of the others so it is never worse. Each with its exact draw counts, in the
// order of candidateBefore. Interruptible; progress from 0 to 1.
Advice advise(const AdviceRequest& request, const std::atomic<bool>& stop,
              const std::function<void(double)>& progress = {});

// The advice's order: more draws with the goal first, then cheaper, then by entry text.
bool candidateBefore(const AdviceCandidate& a, const AdviceCandidate& b, int goal);

// "30 numeri su misura 200 colonne almeno 3 punti".
std::string budgetEntryText(int n, std::size_t columns, int goal);

// The columns the budget buys: what it pays for, at most the full system and one receipt.
std::uint64_t budgetColumns(int n, std::uint64_t budgetCents, std::uint64_t columnCents);

// The count of a prediction written as numbers separated by blanks: 10 to 55 different numbers
// from 1 to 90. An empty text when it is one, else why not, in Italian.
std::string readPredictionCount(const std::string& text, int& count);

// The line of the command line for a candidate: entry text, columns, cost in cents, and the draws
// giving at least 2, 3, 4 and 5 points; tab-separated, the four counts by one blank; LF ended.
std::string adviceLine(const AdviceCandidate& candidate);

// Euros as the player writes them, "50", "50,5", "12.25", in cents; none for anything else.
std::optional<std::uint64_t> parseEuro(const std::string& text);

// The texts of the advice.
extern const char* const kConsiglia;           // "Consiglia…"
extern const char* const kTitoloConsiglia;     // the dialog's title
extern const char* const kNotaRendimento;      // every system returns the same per euro
extern const char* const kMsgBudgetNonValido;  // a budget that is not an amount
extern const char* const kMsgPronosticoCambiato; // "Usa" after the prediction's count changed
std::string goalText(int goal);                // "Almeno 3 punti"
std::string noCandidateMessage(std::uint64_t budgetCents, std::uint64_t columnCents);

} // namespace sestara
