#include "core/development/storedsystems.h"

#include "core/development/catalogue.h"
#include "core/util/text.h"

#include <filesystem>
#include <sstream>
#include <system_error>

namespace sestara {

const char* const kRiduttoreFileName = "Riduttore";
const char* const kImmediatiFileName = "Immediati";

// The shipped table is 2,817,018 bytes: its start records alone put the last system past 2.8 MB.
const std::uint64_t kMaxRiduttoreBytes = std::uint64_t{16} << 20;
// The shipped text is 8,809 bytes; the catalogue fixes its sections and their column counts.
const std::uint64_t kMaxImmediatiBytes = std::uint64_t{64} << 10;

namespace {

struct StartRow {
    int n;
    long level1;
    long higher;
};

// Start records by prediction size; 10..19 start at 0 and 51..55 share the last row.
const StartRow kStartRows[] = {
    {20, 3000, 3000},       {21, 3700, 3700},       {22, 5500, 5500},       {23, 7900, 7900},
    {24, 11100, 11100},     {25, 15100, 19869},     {26, 20200, 26234},     {27, 26700, 34248},
    {28, 34700, 44040},     {29, 44600, 56104},     {30, 56768, 70790},     {31, 71571, 88668},
    {32, 89575, 110085},    {33, 111044, 135454},   {34, 136675, 165691},   {35, 167083, 201672},
    {36, 203269, 243629},   {37, 245436, 292839},   {38, 294896, 350113},   {39, 352450, 416398},
    {40, 416398, 416398},   {41, 419142, 419142},   {42, 421886, 421886},   {43, 425316, 425316},
    {44, 429143, 429143},   {45, 433993, 433993},   {46, 438091, 438091},   {47, 442789, 442789},
    {48, 447487, 447487},   {49, 453798, 453798},   {50, 460756, 460756},
};

std::string quoted(const char* name)
{
    return std::string("\"") + name + "\"";
}

// Checks six positions of a column: each 1..n, no repeats.
bool validPositions(const Positions& p, int n)
{
    std::uint64_t seen = 0;
    for (auto v : p) {
        if (v < 1 || v > n || (seen >> v & 1u))
            return false;
        seen |= std::uint64_t{1} << v;
    }
    return true;
}

// A system is damaged when it has no columns or not as many as it declares.
std::string countMismatch(const std::string& file, const std::string& entry, std::size_t read,
                          std::uint64_t declared)
{
    if (read == 0)
        return "Il file " + file + " è danneggiato: il sistema \"" + entry + "\" non ha colonne.";
    if (read != declared)
        return "Il file " + file + " è danneggiato: il sistema \"" + entry + "\" ha " + std::to_string(read) +
               (read == 1 ? " colonna" : " colonne") + " invece di " + std::to_string(declared) + ".";
    return {};
}

} // namespace

long startRecord(int n, int level)
{
    if (level < 1 || level > 3 || n < kMinPredictionSize || n > kMaxPredictionSize)
        return -1;
    if (n <= 19)
        return 0;
    if (n >= 51)
        return 468377;
    for (const auto& row : kStartRows)
        if (row.n == n)
            return level == 1 ? row.level1 : row.higher;
    return -1;
}

std::uint64_t decodeColumnCount(const std::uint8_t bytes[4])
{
    std::string digits;
    for (int i = 0; i < 4; ++i) {
        const int v = bytes[i];
        if (v < 100) {
            digits += std::to_string(v);
        } else {
            digits += '0';
            digits += v == 100 ? std::string("0") : std::to_string(v - 100);
        }
    }
    std::uint64_t value = 0;
    for (char c : digits)
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    return value;
}

bool encodeColumnCount(std::uint64_t count, std::uint8_t bytes[4])
{
    if (count > 99999999u)
        return false;
    const int groups[4] = {static_cast<int>(count / 1000000 % 100), static_cast<int>(count / 10000 % 100),
                           static_cast<int>(count / 100 % 100), static_cast<int>(count % 100)};
    bool leading = true;
    for (int i = 0; i < 4; ++i) {
        // After the first significant group every group needs both its digits.
        if (leading || groups[i] >= 10)
            bytes[i] = static_cast<std::uint8_t>(groups[i]);
        else
            bytes[i] = static_cast<std::uint8_t>(100 + groups[i]);
        if (groups[i] != 0)
            leading = false;
    }
    return true;
}

StoredSystem readReducedSystem(const std::string& table, int n, int level)
{
    StoredSystem result;
    const std::string file = quoted(kRiduttoreFileName);
    const std::string entry = reducedEntryText(n, level);
    const long start = startRecord(n, level);
    if (start < 0) {
        result.error = "Il sistema \"" + entry + "\" non fa parte del catalogo.";
        return result;
    }
    if (table.size() % 6 != 0) {
        result.error = "Il file " + file + " è danneggiato: la sua lunghezza (" + std::to_string(table.size()) +
                       " byte) non è un multiplo di 6.";
        return result;
    }
    const std::size_t records = table.size() / 6;
    auto rec = [&](std::size_t r) { return reinterpret_cast<const std::uint8_t*>(table.data()) + (r - 1) * 6; };

    // Records are numbered from 1; the search begins one record after the start record.
    std::size_t r = static_cast<std::size_t>(start);
    bool found = false;
    while (r < records) {
        ++r;
        const std::uint8_t* h = rec(r);
        if (h[0] == 100 + n && h[1] == 100 + level) {
            found = true;
            break;
        }
    }
    if (!found) {
        result.error = "Il file " + file + " non contiene il sistema \"" + entry + "\".";
        return result;
    }
    result.declaredCount = decodeColumnCount(rec(r) + 2);
    for (std::size_t c = r + 1; c <= records; ++c) {
        const std::uint8_t* p = rec(c);
        if (p[0] > 100)
            break;
        Positions pos;
        for (int i = 0; i < 6; ++i)
            pos[static_cast<std::size_t>(i)] = p[i];
        if (!validPositions(pos, n)) {
            result.columns.clear();
            result.error = "Il file " + file + " è danneggiato: il record " + std::to_string(c) +
                           " del sistema \"" + entry + "\" non contiene sei posizioni diverse da 1 a " +
                           std::to_string(n) + ".";
            return result;
        }
        result.columns.push_back(pos);
    }
    result.error = countMismatch(file, entry, result.columns.size(), result.declaredCount);
    if (!result.ok())
        result.columns.clear();
    return result;
}

StoredSystem readImmediateSystem(const std::string& text, const std::string& entryText, int n)
{
    StoredSystem result;
    const std::string file = quoted(kImmediatiFileName);
    std::istringstream in(text);
    std::string raw;
    bool found = false;
    bool closed = false;
    long lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        const std::string_view line = chompCr(raw);
        if (!found) {
            found = line == entryText;
            continue;
        }
        if (line == "***") {
            closed = true;
            break;
        }
        const auto tokens = splitAll(line, ' ');
        Positions pos{};
        bool good = tokens.size() == 6;
        for (std::size_t i = 0; good && i < 6; ++i) {
            good = isDigits(tokens[i]) && tokens[i].size() <= 2;
            if (good)
                pos[i] = static_cast<std::uint8_t>(numericValue(tokens[i]));
        }
        if (!good || !validPositions(pos, n)) {
            result.columns.clear();
            result.error = "Il file " + file + " è danneggiato: la riga " + std::to_string(lineNo) +
                           " del sistema \"" + entryText + "\" non contiene sei posizioni diverse da 1 a " +
                           std::to_string(n) + " separate da uno spazio.";
            return result;
        }
        result.columns.push_back(pos);
    }
    if (!found) {
        result.error = "Il file " + file + " non contiene il sistema \"" + entryText + "\".";
        return result;
    }
    // The title names the column count: "NN numeri in K sestine ...".
    const std::size_t in_pos = entryText.find(" numeri in ");
    if (in_pos != std::string::npos)
        result.declaredCount = static_cast<std::uint64_t>(numericValue(entryText.substr(in_pos + 11)));
    if (!closed)
        result.error = "Il file " + file + " è danneggiato: il sistema \"" + entryText + "\" non termina con \"***\".";
    else
        result.error = countMismatch(file, entryText, result.columns.size(), result.declaredCount);
    if (!result.ok())
        result.columns.clear();
    return result;
}

std::string joinPath(const std::string& dir, const std::string& name)
{
    if (dir.empty())
        return name;
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

FileContents readDataFile(const std::string& dataDir, const char* name)
{
    const std::string path = joinPath(dataDir, name);
    const std::uint64_t limit = std::string(name) == kRiduttoreFileName ? kMaxRiduttoreBytes : kMaxImmediatiBytes;
    FileContents file = readRegularFile(path, limit);
    if (file.ok())
        return file;
    // A missing file needs no reason beyond its path; a folder, a pipe or an oversized file does.
    std::error_code ec;
    const bool present = std::filesystem::exists(path, ec);
    file.error = "Impossibile leggere il file " + quoted(name) + " (" + path + ")" +
                 (present ? ": " + file.error : std::string()) + ".";
    return file;
}

StoredSystem loadReducedSystem(const std::string& dataDir, int n, int level)
{
    const FileContents file = readDataFile(dataDir, kRiduttoreFileName);
    if (!file.ok()) {
        StoredSystem result;
        result.error = file.error;
        return result;
    }
    return readReducedSystem(file.bytes, n, level);
}

StoredSystem loadImmediateSystem(const std::string& dataDir, const std::string& entryText, int n)
{
    const FileContents file = readDataFile(dataDir, kImmediatiFileName);
    if (!file.ok()) {
        StoredSystem result;
        result.error = file.error;
        return result;
    }
    return readImmediateSystem(file.bytes, entryText, n);
}

} // namespace sestara
