#include "core/wincheck/wincheck.h"

#include "core/development/development.h"
#include "core/development/run.h"
#include "core/util/text.h"

#include <algorithm>

namespace sestara {

const char* const kMsgInserireElementiSortiti = "Inserire Elementi Sortiti";

namespace {

constexpr std::uint8_t kHitWeight = 1;
constexpr std::uint8_t kBonusWeight = 9; // above the six hits a column can make
constexpr std::size_t kChunk = 256;

static_assert(Development::kBlockColumns % kChunk == 0, "a chunk of columns never spans two blocks");

} // namespace

const char* stellaClassName(int c)
{
    static const char* const names[kStellaClasses] = {"0", "1", "2", "3", "4", "5", "5+1", "6"};
    return names[c];
}

bool superStarMatches(int played, int drawn)
{
    return played != 0 && played == drawn;
}

const char* winClassCaption(WinClass c)
{
    static const char* const captions[kWinClasses] = {"DUE", "TRE", "QUATTRO", "CINQUE", "CINQUE+1", "SEI"};
    return captions[static_cast<int>(c)];
}

const char* winClassEntryText(WinClass c)
{
    static const char* const texts[kWinClasses] = {"", "Punti 3 ", "Punti 4 ", "Punti 5 ", "Punti 5 + 1 ",
                                                   "Punti 6 "};
    return texts[static_cast<int>(c)];
}

WinTable::WinTable(const std::vector<int>& drawn)
{
    const std::size_t slots = std::min<std::size_t>(drawn.size(), 7);
    for (std::size_t d = 0; d < slots; ++d) {
        const int n = drawn[d];
        // A number listed twice counts once, so no column's key can pass the table's end.
        if (n < 1 || n > 90 || weight_[static_cast<std::size_t>(n)] != 0)
            continue;
        weight_[static_cast<std::size_t>(n)] = d == 6 ? kBonusWeight : kHitWeight;
    }
    classOfKey_.fill(static_cast<std::uint8_t>(kNoWin));
    for (int bonus = 0; bonus <= 1; ++bonus) {
        for (int ones = 0; ones + bonus <= 6; ++ones) {
            const int hits = ones + bonus;
            int c = kNoWin;
            if (!bonus && hits >= 2)
                c = hits == 6 ? static_cast<int>(WinClass::Sei) : hits - 2;
            else if (bonus && hits >= 3)
                c = hits == 6 ? static_cast<int>(WinClass::CinquePiuUno) : hits - 3;
            const auto key = static_cast<std::size_t>(ones + bonus * kBonusWeight);
            classOfKey_[key] = static_cast<std::uint8_t>(c);
            // The stella classes count the six drawn numbers alone; the bonus only makes 5+1.
            const int stella = ones == 6 ? 7 : (ones == 5 && bonus ? kStellaCinquePiuUno : ones);
            stellaOfKey_[key] = static_cast<std::uint8_t>(stella);
        }
    }
}

std::size_t WinningEntry::slip() const
{
    return static_cast<std::size_t>(caricaQuanteSchedine(column() + 1));
}

std::string winningEntryText(const WinningEntry& entry)
{
    return std::string("\t") + winClassEntryText(entry.winClass()) + "      Schedina N° " + std::to_string(entry.slip());
}

namespace {

// Counts the columns by key: the classes, main and stella, follow from the keys at the end.
template <bool Record>
void checkChunk(const WinTable& table, const std::uint8_t* columns, std::size_t first, std::size_t count,
                std::array<std::uint64_t, WinTable::kKeys>& keys, std::vector<WinningEntry>& winners)
{
    for (std::size_t i = 0; i < count; ++i) {
        const int key = table.key(columns + i * 6);
        ++keys[static_cast<std::size_t>(key)];
        if (Record) {
            const int c = table.classOfKey(key);
            if (c != WinTable::kNoWin && c != static_cast<int>(WinClass::Due))
                winners.emplace_back(first + i, static_cast<WinClass>(c));
        }
    }
}

} // namespace

WinCheckResult checkWins(const Development& development, const std::vector<int>& drawn, bool recordWinners,
                         const std::atomic<bool>& interrupt, const WinProgress& progress)
{
    const WinTable table(drawn);
    WinCheckResult result;
    std::array<std::uint64_t, WinTable::kKeys> keys{};
    const std::size_t total = development.size();
    for (std::size_t first = 0; first < total; first += kChunk) {
        // Line `first + 255` (from 1) lies in this chunk when the development reaches it.
        if (progress && first + kChunk - 1 <= total)
            progress(first + kChunk - 1);
        if (interrupt.load(std::memory_order_relaxed)) {
            result.interrupted = true;
            break;
        }
        const std::size_t count = std::min(kChunk, total - first);
        if (recordWinners)
            checkChunk<true>(table, development.data(first), first, count, keys, result.winners);
        else
            checkChunk<false>(table, development.data(first), first, count, keys, result.winners);
        result.examined = first + count;
    }
    for (int key = 0; key < WinTable::kKeys; ++key) {
        const std::uint64_t n = keys[static_cast<std::size_t>(key)];
        if (n == 0)
            continue;
        if (const int c = table.classOfKey(key); c != WinTable::kNoWin)
            result.counts[static_cast<std::size_t>(c)] += n;
        result.stella[static_cast<std::size_t>(table.stellaOfKey(key))] += n;
    }
    return result;
}

std::vector<int> caughtNumbers(const std::vector<int>& drawn, const std::vector<std::uint8_t>& pronostico)
{
    std::vector<int> caught;
    for (int d : drawn)
        for (std::uint8_t p : pronostico)
            if (d == p)
                caught.push_back(d);
    return caught;
}

DrawnListOutcome readDrawnList(const std::string& text)
{
    DrawnListOutcome out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == ' ' || text[pos] == '\t') {
            ++pos;
            continue;
        }
        std::size_t end = pos;
        while (end < text.size() && text[end] != ' ' && text[end] != '\t')
            ++end;
        const std::string word = text.substr(pos, end - pos);
        pos = end;
        const long value = isDigits(word) && word.size() <= 2 ? static_cast<long>(numericValue(word)) : 0;
        if (value < 1 || value > 90) {
            out.error = "Numero estratto non valido: \"" + readableEcho(word) + "\" (da 1 a 90)";
            break;
        }
        if (std::find(out.numbers.begin(), out.numbers.end(), value) != out.numbers.end()) {
            out.error = "Numero estratto ripetuto: " + word;
            break;
        }
        out.numbers.push_back(static_cast<int>(value));
    }
    if (out.ok() && (out.numbers.empty() || out.numbers.size() > 7))
        out.error = "Indicare da 1 a 7 numeri estratti, il settimo è il numero jolly";
    if (!out.ok())
        out.numbers.clear();
    return out;
}

} // namespace sestara
