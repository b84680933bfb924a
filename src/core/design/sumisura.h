#pragma once

// Systems made to measure: for n numbers and a guarantee "k se m", columns over 1..n such that
// every m numbers of them have k in one column, found by the design search and proven by the
// exact check before they are handed out.

#include "core/development/development.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sestara {

enum class DesignLevel { Rapido, Normale, Accurato };

struct SuMisuraRequest {
    int numbers = 0;            // n
    int k = 0, m = 0;           // guarantee "k se m"
    std::size_t maxColumns = 0; // 0: no limit, cover every m-subset
    DesignLevel level = DesignLevel::Normale;
    // The folder of the shipped data files: a shipped design for the same numbers and guarantee is
    // where the search starts. Empty: the search starts from its own construction.
    std::string dataFolder;
};

struct SuMisuraResult {
    std::string error;           // the refusal, in Italian; empty otherwise
    bool interrupted = false;
    std::vector<Column> columns; // numbers 1..n, each column ascending
    std::uint64_t covered = 0;   // m-subsets met in k or more numbers, by the exact check
    std::uint64_t total = 0;     // C(n, m)
    bool ok() const { return error.empty() && !interrupted; }
};

// A receipt holds at most this many columns: no system made to measure is larger.
constexpr std::size_t kMaxSuMisuraColumns = 27132;
constexpr int kMinSuMisuraNumbers = 10;
constexpr int kMaxSuMisuraNumbers = 55;

// The same request gives the same columns on every machine: the budgets are counted in moves and
// the seeds are fixed. `stop` is read between slices of the search; `progress` gets the share done.
SuMisuraResult makeSuMisura(const SuMisuraRequest& request, const std::atomic<bool>& stop,
                            const std::function<void(double fraction)>& progress = {});

// The refusal a request gets before any search: numbers or guarantee out of range, or a guarantee
// that the lower bound shows to need more than kMaxSuMisuraColumns; empty otherwise.
std::string suMisuraRefusal(const SuMisuraRequest& request);

// "20 numeri su misura garanzia 3 se 4"
std::string suMisuraEntryText(int n, int k, int m);

// The request an entry text of that form names (level and limit left as they are); false for any
// other text.
bool parseSuMisuraEntryText(const std::string& text, SuMisuraRequest& request);

// The guarantee an entry text of a made-to-measure design states, and what its columns (positions
// 1..n) reach of it by the exact check; `total` 0 when the text states none.
struct StatedShare {
    int k = 0, m = 0;
    std::uint64_t covered = 0, total = 0;
};
StatedShare statedShare(const std::string& entryText, const std::vector<Column>& columns);

// "Garanzia 3 se 4 nel 100 % dei casi", the share as shown.
std::string suMisuraGuaranteeLine(int k, int m, const std::string& shareText);

// A lower bound on the columns of any design for the guarantee (the counting bound, and for
// k = m Schönheim's).
std::uint64_t suMisuraLowerBound(int n, int k, int m);

// The arguments of the command line's "sumisura": N K M [--colonne C] [--livello rapido|normale|
// accurato]; false with the reason in `error` for anything else.
bool readSuMisuraArguments(const std::vector<std::string>& args, SuMisuraRequest& request, std::string& error);

// The command line's answer: "COLONNE c", "COPERTI x SU y", then the columns, six numbers a line
// separated by one blank; every line ended by LF.
std::string suMisuraListing(const SuMisuraResult& result);

// The level names as the window and the command line show them.
extern const char* const kLivelloRapido;   // "Rapido"
extern const char* const kLivelloNormale;  // "Normale"
extern const char* const kLivelloAccurato; // "Accurato"
const char* levelName(DesignLevel level);

} // namespace sestara
