#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sestara {

class Development;

extern const char* const kMsgInserireElementiSortiti;

// The prize classes, in the order of their counters.
enum class WinClass : std::uint8_t { Due, Tre, Quattro, Cinque, CinquePiuUno, Sei };
constexpr int kWinClasses = 6;

// The SuperStar classes of a play whose SuperStar was drawn: the column's matches among the six
// drawn numbers ("0 stella" to "6 stella"), with five and the bonus number "5+1 stella".
constexpr int kStellaClasses = 8;
constexpr int kStellaCinquePiuUno = 6;
using StellaCounts = std::array<std::uint64_t, kStellaClasses>;
// "0", "1", ... "5", "5+1", "6": the class's name before " stella".
const char* stellaClassName(int c);
// Whether a play with SuperStar `played` (0 for none) wins the stella classes when `drawn` is the
// SuperStar drawn (0 when not known).
bool superStarMatches(int played, int drawn);

// "DUE" .. "SEI".
const char* winClassCaption(WinClass c);
// "Punti 3 " .. "Punti 6 "; empty for two matches, which makes no winning-slip entry.
const char* winClassEntryText(WinClass c);

// The classification of a column against the drawn list (list order, at most seven numbers, the
// seventh the bonus number). Every column number carries a weight from a 91-entry table: 1 for a
// drawn number, 9 for the bonus number (a hit and the bonus at once), so the sum of a column's six
// weights names hits and bonus together and one more table gives the class.
class WinTable {
public:
    static constexpr int kNoWin = kWinClasses;

    explicit WinTable(const std::vector<int>& drawn);

    static constexpr int kKeys = 64;

    // The hits and the bonus of the six numbers in one value below kKeys.
    int key(const std::uint8_t* six) const
    {
        return weight_[six[0]] + weight_[six[1]] + weight_[six[2]] + weight_[six[3]] + weight_[six[4]] +
               weight_[six[5]];
    }
    // The class of the six numbers (0 to 5, a WinClass), or kNoWin.
    int classify(const std::uint8_t* six) const { return classOfKey_[static_cast<std::size_t>(key(six))]; }
    int classOfKey(int key) const { return classOfKey_[static_cast<std::size_t>(key)]; }
    // The stella class of a key (0 to 7): every column has one.
    int stellaOfKey(int key) const { return stellaOfKey_[static_cast<std::size_t>(key)]; }

private:
    std::array<std::uint8_t, 256> weight_{};
    std::array<std::uint8_t, kKeys> classOfKey_{};
    std::array<std::uint8_t, kKeys> stellaOfKey_{};
};

// A winning column of three or more matches, in four bytes: its index from 0 and its class.
class WinningEntry {
public:
    WinningEntry(std::size_t column, WinClass c)
        : packed_(static_cast<std::uint32_t>(column) << 3 | static_cast<std::uint32_t>(c))
    {
    }
    std::size_t column() const { return packed_ >> 3; }
    WinClass winClass() const { return static_cast<WinClass>(packed_ & 7u); }
    // The column's line number from 1, and the slip it is printed on, five columns to a slip.
    std::size_t slip() const;

private:
    std::uint32_t packed_;
};

// The winning-slip list's text of an entry: a tab, the class text, "      Schedina N° " and the
// slip number.
std::string winningEntryText(const WinningEntry& entry);

struct WinCheckResult {
    std::array<std::uint64_t, kWinClasses> counts{};
    StellaCounts stella{};             // the classes had the play's SuperStar been drawn
    std::vector<WinningEntry> winners; // only when asked for
    std::uint64_t examined = 0;         // columns looked at
    bool interrupted = false;
};

// Receives the column count at lines 255, 511, 767, ... of the development.
using WinProgress = std::function<void(std::uint64_t examined)>;

// Checks every column of the development against the drawn list, in column order. The interrupt is
// read every 256 columns; an interrupted check keeps the counts and entries reached.
WinCheckResult checkWins(const Development& development, const std::vector<int>& drawn, bool recordWinners,
                         const std::atomic<bool>& interrupt, const WinProgress& progress = {});

// The drawn numbers that belong to the prediction, in drawn order.
std::vector<int> caughtNumbers(const std::vector<int>& drawn, const std::vector<std::uint8_t>& pronostico);

// A drawn list given as text ("10 55 20"): 1 to 7 distinct numbers from 1 to 90 separated by blanks.
struct DrawnListOutcome {
    std::vector<int> numbers;
    std::string error;
    bool ok() const { return error.empty(); }
};
DrawnListOutcome readDrawnList(const std::string& text);

} // namespace sestara
