#include "core/systemfiles/systemfile.h"

#include "core/development/catalogue.h"
#include "core/util/files.h"
#include "core/util/text.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <limits>
#include <string_view>

namespace sestara {

const char* const kMsgErroreCaricamento = "Errore nel caricamento sistema";

std::string systemFileText(const SavedSystem& s)
{
    const ConditionDisplay d = conditionDisplay(s.conditions);
    std::string out = "Sistema=" + s.entryText + "\r\nLista=";
    for (auto n : s.pronostico)
        out += std::to_string(n) + " ";
    out += "\r\n";
    auto joined = [](const std::vector<std::string>& entries, bool firstCharOnly) {
        std::string v;
        for (const auto& e : entries)
            if (!e.empty())
                v += (firstCharOnly ? e.substr(0, 1) : e) + "-";
        return v;
    };
    if (d.fisseVisible)
        out += "Presenze=" + joined(d.fisse, false) + "\r\n";
    if (d.pariDispariVisible)
        out += "PariDispari=" + joined(d.pariDispari, true) + "\r\n";
    if (d.consecutiviVisible)
        out += "Consecutivi=" + joined(d.consecutivi, false) + "\r\n";
    if (d.sommaVisible) {
        out += "Somma=";
        for (const auto& e : d.somma)
            out += e;
        out += "\r\n";
    }
    // Readers that know no "Colonna=" skip these lines: they come before "Gruppi".
    for (const Positions& c : s.designColumns) {
        out += "Colonna=";
        for (std::size_t i = 0; i < c.size(); ++i)
            out += (i ? " " : "") + std::to_string(c[i]);
        out += "\r\n";
    }
    if (d.gruppiVisible) {
        out += "Gruppi\r\n";
        for (const Group& g : s.conditions.gruppi)
            out += g.numeri + "Punti" + std::to_string(g.puntiMin) + "-" + std::to_string(g.puntiMax) + "\r\n";
    }
    return out;
}

namespace {

// A real system file of 100 groups of 90 numbers, or of a design of 27,132 columns, stays well
// under this.
constexpr std::uint64_t kMaxFileBytes = 1 << 20;
constexpr std::size_t kMaxDesignColumns = 27132;
constexpr std::size_t kMaxFixedNumbers = 90;
constexpr std::size_t kMaxGroupNumbers = 90;
// The longest bad token a message repeats.
const char* const kMsgNonFileDiSistema = "non è un file di sistema";

enum class Key { None, Sistema, Lista, Presenze, PariDispari, Consecutivi, Somma, Colonna, Gruppi };

struct KeyText {
    Key key;
    std::string_view text;
};

constexpr KeyText kKeys[] = {
    {Key::Sistema, "Sistema="},         {Key::Lista, "Lista="},   {Key::Presenze, "Presenze="},
    {Key::PariDispari, "PariDispari="}, {Key::Consecutivi, "Consecutivi="}, {Key::Somma, "Somma="},
    {Key::Colonna, "Colonna="},         {Key::Gruppi, "Gruppi"},
};
constexpr std::size_t kLongestKey = 12;

// The key the line starts with; the shortest matching start decides.
Key keyOf(std::string_view line, std::size_t& keyLength)
{
    for (std::size_t len = 1; len <= line.size() && len <= kLongestKey; ++len) {
        for (const auto& k : kKeys) {
            if (line.substr(0, len) == k.text) {
                keyLength = len;
                return k.key;
            }
        }
    }
    return Key::None;
}

// Calls `take` with each line and its number (from 1), the line end removed, until it returns false.
template <typename Take>
void forEachLine(std::string_view text, Take take)
{
    long lineNo = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        if (!take(++lineNo, text.substr(pos, end - pos)))
            return;
        pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
}

// Whether any line read before "Gruppi" holds the type or the prediction: without either the text
// is not a system file at all (empty, binary, another encoding, another program's file).
bool hasSystemRecord(std::string_view text)
{
    bool found = false;
    forEachLine(text, [&](long, std::string_view line) {
        std::size_t keyLength = 0;
        const Key key = keyOf(line, keyLength);
        found = key == Key::Sistema || key == Key::Lista;
        return !found && key != Key::Gruppi;
    });
    return found;
}

std::string lineError(long lineNo, const std::string& reason)
{
    return "Riga " + std::to_string(lineNo) + ": " + reason;
}

bool isSign(char c)
{
    return c == '-' || c == '+';
}

std::size_t skipBlanks(std::string_view v, std::size_t i)
{
    while (i < v.size() && v[i] == ' ')
        ++i;
    return i;
}

// Where a value that should start at `from` (blanks allowed) starts with a sign instead; npos when
// it does not. The file writes every number as bare digits, and the loader's reading would take
// "-1" for other numbers (an empty value and 1), so a sign is refused wherever digits are due.
std::size_t signAt(std::string_view v, std::size_t from)
{
    const std::size_t i = skipBlanks(v, from);
    return i < v.size() && isSign(v[i]) ? i : std::string_view::npos;
}

// The refusal of the signed value at `at`, repeating it as written: its signs and what follows
// them up to the next blank or "-".
std::string signError(std::string_view v, std::size_t at)
{
    std::size_t end = at;
    while (end < v.size() && isSign(v[end]))
        ++end;
    while (end < v.size() && v[end] != ' ' && v[end] != '-')
        ++end;
    return "segno non ammesso in \"" + readableEcho(v.substr(at, end - at)) + "\"";
}

// A value in a message: as read, or as written when it is too large to read.
std::string shownValue(std::int64_t value, std::string_view text)
{
    if (value != std::numeric_limits<std::int64_t>::max())
        return std::to_string(value);
    const std::size_t first = text.find_first_not_of(' ');
    return readableEcho(first == std::string_view::npos ? text : text.substr(first));
}

// Reads "a-b-c-" the way the loader does: at each "-" the text collected before it is the next
// value, handed to `take` with its position (from 0); text after the last "-" is no value. A value
// past `limit` is refused before it is taken. Stops at the first reason `take` gives.
template <typename Take>
std::string readDashValues(std::string_view v, std::size_t limit, const std::string& tooMany, Take take)
{
    std::size_t count = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t sign = signAt(v, start);
        if (sign != std::string_view::npos)
            return signError(v, sign);
        const std::size_t dash = v.find('-', start);
        if (dash == std::string_view::npos)
            return "";
        if (count == limit)
            return tooMany;
        const std::string_view text = v.substr(start, dash - start);
        std::string e = take(count++, numericValue(text), text);
        if (!e.empty())
            return e;
        start = dash + 1;
    }
}

template <std::size_t N>
std::string readCounts(std::string_view v, std::array<bool, N>& slots, const char* what)
{
    const auto take = [&](std::size_t, std::int64_t k, std::string_view text) -> std::string {
        if (k >= static_cast<std::int64_t>(N))
            return std::string(what) + " " + shownValue(k, text) + " fuori da 0 a " + std::to_string(N - 1);
        slots[static_cast<std::size_t>(k)] = true;
        return "";
    };
    return readDashValues(v, std::string_view::npos, "", take);
}

// The prediction of a "Lista=" value: numbers 1 to 90 separated by blanks, at most 55 of them.
std::string readLista(std::string_view v, std::vector<int>& numbers)
{
    for (std::size_t i = skipBlanks(v, 0); i < v.size(); i = skipBlanks(v, i)) {
        std::size_t end = v.find(' ', i);
        if (end == std::string_view::npos)
            end = v.size();
        const std::string_view token = v.substr(i, end - i);
        if (isSign(token.front()))
            return signError(v, i);
        const std::int64_t n = isDigits(token) && token.size() <= 2 ? numericValue(token) : 0;
        if (n < 1 || n > 90)
            return "il numero \"" + readableEcho(token) + "\" della lista non è da 1 a 90";
        if (numbers.size() == static_cast<std::size_t>(kMaxPredictionNumbers))
            return "più di 55 numeri nella lista";
        numbers.push_back(static_cast<int>(n));
        i = end;
    }
    return "";
}

// A group line: the number text up to "Punti", then minimum "-" maximum.
std::string readGroup(std::string_view line, Group& g)
{
    const std::size_t punti = line.find("Punti");
    const std::size_t dash = punti == std::string_view::npos ? punti : line.find('-', punti + 5);
    if (dash == std::string_view::npos)
        return "gruppo senza \"Punti\" minimo-massimo";
    // The groups test opens a slot at every "-" of the number text and ignores what comes before the
    // first one, so the text is kept as it stands; a slot that starts with a sign is refused.
    const std::string_view numeri = line.substr(0, punti);
    std::size_t slots = 0;
    for (std::size_t i = numeri.find('-'); i != std::string_view::npos; i = numeri.find('-', i + 1)) {
        if (++slots > kMaxGroupNumbers)
            return "più di " + std::to_string(kMaxGroupNumbers) + " numeri nel gruppo";
        const std::size_t sign = signAt(numeri, i + 1);
        if (sign != std::string_view::npos)
            return signError(numeri, sign);
    }
    // An empty minimum means the "-" after "Punti" is the sign of the minimum.
    for (std::size_t from : {punti + 5, dash + 1}) {
        const std::size_t sign = signAt(line, from);
        if (sign != std::string_view::npos)
            return signError(line, sign);
    }
    g.numeri = std::string(numeri);
    g.puntiMin = static_cast<int>(std::min<std::int64_t>(numericValue(line.substr(punti + 5, dash - punti - 5)), 99));
    g.puntiMax = static_cast<int>(std::min<std::int64_t>(numericValue(line.substr(dash + 1)), 99));
    return "";
}

// Every line after "Gruppi" is a group line, whatever it starts with.
std::string readGroupLine(std::string_view line, LoadedSystem& s)
{
    if (s.conditions.gruppi.size() >= static_cast<std::size_t>(kMaxGroups))
        return "più di " + std::to_string(kMaxGroups) + " gruppi";
    Group g;
    std::string e = readGroup(line, g);
    if (e.empty())
        s.conditions.gruppi.push_back(std::move(g));
    return e;
}

// A "Colonna=" value: six different numbers from 1 to 55 separated by blanks.
std::string readColumn(std::string_view v, LoadedSystem& s)
{
    if (s.custom.columns.size() == kMaxDesignColumns)
        return "più di 27.132 colonne";
    Positions c{};
    std::size_t count = 0;
    std::uint64_t seen = 0;
    for (std::size_t i = skipBlanks(v, 0); i < v.size(); i = skipBlanks(v, i)) {
        std::size_t end = v.find(' ', i);
        if (end == std::string_view::npos)
            end = v.size();
        const std::string_view token = v.substr(i, end - i);
        const std::int64_t n = isDigits(token) && token.size() <= 2 ? numericValue(token) : 0;
        if (n < 1 || n > kMaxPredictionSize || (seen >> n & 1u) || count == c.size())
            return "colonna non valida: \"" + readableEcho(v) + "\"";
        seen |= std::uint64_t{1} << n;
        c[count++] = static_cast<std::uint8_t>(n);
        i = end;
    }
    if (count != c.size())
        return "colonna non valida: \"" + readableEcho(v) + "\"";
    s.custom.columns.push_back(c);
    return "";
}

// A line read before "Gruppi": a record, or a line with no key, which is ignored.
std::string readRecord(std::string_view line, LoadedSystem& s, bool& inGroups)
{
    std::size_t keyLength = 0;
    const Key key = keyOf(line, keyLength);
    const std::string_view v = line.substr(keyLength);
    switch (key) {
    case Key::None:
        return "";
    case Key::Sistema: {
        const std::size_t sign = signAt(v, 0);
        if (sign != std::string_view::npos)
            return signError(v, sign);
        const std::int64_t size = numericValue(v.substr(0, 2));
        if (size < kMinPredictionSize || size > kMaxPredictionSize)
            return "dimensione del sistema fuori da 10 a 55";
        s.size = static_cast<int>(size);
        const auto entries = catalogueEntriesForSize(s.size);
        s.selectedIndex = 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i] == v) {
                s.selectedIndex = static_cast<int>(i);
                break;
            }
        }
        s.entryText = entries[static_cast<std::size_t>(s.selectedIndex)];
        s.requestedText = std::string(v);
        return "";
    }
    case Key::Lista: {
        std::vector<int> numbers;
        std::string e = readLista(v, numbers);
        if (!e.empty())
            return e;
        s.prediction = *Prediction::fromNumbers(numbers);
        s.conditions.sommaMin = s.prediction.sommaMinima();
        s.conditions.sommaMax = s.prediction.sommaMassima();
        return "";
    }
    case Key::Presenze:
        s.conditions.presenzeAttive = true;
        s.conditions.presenze.fill(0);
        return readDashValues(v, kMaxFixedNumbers, "più di 90 numeri fissi",
                              [&](std::size_t i, std::int64_t n, std::string_view text) -> std::string {
                                  if (n < 1 || n > 90)
                                      return "numero fisso " + shownValue(n, text) + " fuori da 1 a 90";
                                  s.conditions.presenze[i + 1] = static_cast<int>(n);
                                  return "";
                              });
    case Key::PariDispari:
        s.conditions.pariDispariAttivo = true;
        return readCounts(v, s.conditions.pariDispari, "numero di pari");
    case Key::Consecutivi:
        s.conditions.consecutiviAttivo = true;
        return readCounts(v, s.conditions.consecutivi, "numero di consecutivi");
    case Key::Somma: {
        // Minimum, "-", maximum: a sign before either is refused.
        const std::size_t dash = v.find('-');
        std::size_t sign = signAt(v, 0);
        if (sign == std::string_view::npos && dash != std::string_view::npos)
            sign = signAt(v, dash + 1);
        if (sign != std::string_view::npos)
            return signError(v, sign);
        if (dash == std::string_view::npos)
            return "somma senza minimo - massimo";
        s.conditions.sommaAttiva = true;
        s.conditions.sommaMin = static_cast<int>(std::min<std::int64_t>(numericValue(v.substr(0, dash)), 1 << 20));
        s.conditions.sommaMax = static_cast<int>(std::min<std::int64_t>(numericValue(v.substr(dash + 1)), 1 << 20));
        return "";
    }
    case Key::Colonna:
        return readColumn(v, s);
    case Key::Gruppi:
        s.conditions.gruppiAttivi = true;
        inGroups = true;
        return "";
    }
    return "";
}

} // namespace

LoadOutcome readSystemFileText(const std::string& file)
{
    const std::string_view text = withoutByteOrderMark(file);
    LoadOutcome out;
    LoadedSystem& s = out.system;
    // A fresh window: size 10, its first entry, nothing picked, every condition off and empty.
    s.entryText = catalogueEntriesForSize(s.size).front();
    s.conditions.azzeraConePari();
    s.conditions.azzeraGrupeFis();
    if (!hasSystemRecord(text)) {
        out.error = kMsgNonFileDiSistema;
        return out;
    }

    bool inGroups = false;
    forEachLine(text, [&](long lineNo, std::string_view line) {
        out.error = inGroups ? readGroupLine(line, s) : readRecord(line, s, inGroups);
        if (!out.error.empty())
            out.error = lineError(lineNo, out.error);
        return out.error.empty();
    });
    // Columns make a design of the "Sistema=" text when it names none of the catalogue's entries.
    if (out.ok() && !s.custom.columns.empty()) {
        if (s.requestedText.empty() || s.requestedText == s.entryText) {
            s.custom = CustomDesign{};
        } else if (!validCustomColumns(s.custom.columns, s.size)) {
            out.error = "una colonna va oltre i " + std::to_string(s.size) + " numeri del sistema";
        } else {
            s.custom.entryText = s.requestedText;
            s.custom.numbers = s.size;
        }
    }
    return out;
}

LoadOutcome readSystemFile(const std::string& path)
{
    const FileContents file = readRegularFile(path, kMaxFileBytes);
    if (!file.ok()) {
        LoadOutcome out;
        out.error = "impossibile leggere il file " + path + ": " + file.error;
        return out;
    }
    return readSystemFileText(file.bytes);
}

bool writeSystemFile(const std::string& path, const SavedSystem& system, std::string& error)
{
    const std::string text = systemFileText(system);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        error = "impossibile scrivere il file " + path;
        return false;
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
        error = "errore durante la scrittura del file " + path;
        return false;
    }
    return true;
}

} // namespace sestara
