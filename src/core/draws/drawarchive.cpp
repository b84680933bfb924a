#include "core/draws/drawarchive.h"

#include "core/util/files.h"
#include "core/util/text.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <unordered_map>

namespace sestara {

const char* const kDrawArchiveFileName = "Estrazioni.txt";
// A century of three draws a week is under a megabyte.
const std::uint64_t kMaxDrawFileBytes = std::uint64_t{16} << 20;
const char* const kMsgNessunaEstrazioneFile = "Il file non contiene alcuna estrazione";
const char* const kMsgNessunaEstrazioneTesto = "Il testo incollato non contiene alcuna estrazione";
const char* const kMsgScrivereEstrazione =
    "Scrivere la data, i sei numeri, il jolly e, se si vuole, il superstar: per esempio "
    "02/01/2024 5 12 33 40 71 88 9";
const char* const kMsgEstrazioneGiaPresente = "Estrazione già presente nell'archivio";
const char* const kMsgSelezionareEstrazioni = "Selezionare le estrazioni da eliminare";
const char* const kMsgArchivioVuoto =
    "L'archivio delle estrazioni è vuoto: importare le estrazioni da \"Archivio Estrazioni\"";
const char* const kMsgArchivioNonLetto =
    "L'archivio delle estrazioni non è stato letto: nessuna modifica viene salvata";
const char* const kMsgSelezionarePronostico = "Selezionare da 10 a 55 numeri da usare come pronostico";

std::string drawCountText(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " estrazione" : " estrazioni");
}

std::string eliminareQuestion(std::size_t count, int firstDate)
{
    if (count == 1)
        return "Eliminare l'estrazione del " + dateText(firstDate) + "?";
    return "Eliminare " + std::to_string(count) + " estrazioni?";
}

namespace {

constexpr std::size_t kShownRefusals = 5;
constexpr std::size_t kEchoChars = 60;

bool isSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ';' || c == ',';
}

std::vector<std::string_view> fieldsOf(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        if (isSeparator(line[pos])) {
            ++pos;
            continue;
        }
        std::size_t end = pos;
        while (end < line.size() && !isSeparator(line[end]))
            ++end;
        fields.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return fields;
}

// A number from 1 to 90 written with one or two digits, or 0.
int ballValue(std::string_view field)
{
    if (field.size() > 2 || !isDigits(field))
        return 0;
    const int value = static_cast<int>(numericValue(field));
    return value >= 1 && value <= 90 ? value : 0;
}

std::string quoted(std::string_view field)
{
    return "\"" + readableEcho(field) + "\"";
}

// The draw of one line that holds a field starting with a digit, or the reason it is refused.
std::string readLine(const std::vector<std::string_view>& f, Draw& draw)
{
    std::size_t at = 0;
    if (isDigits(f[0])) {
        // A concorso number comes before the date.
        if (f[0].size() > 6 || numericValue(f[0]) == 0)
            return "concorso non valido: " + quoted(f[0]);
        draw.concorso = static_cast<int>(numericValue(f[0]));
        at = 1;
        if (f.size() < 2)
            return "data mancante";
    }
    draw.date = parseDate(f[at]);
    if (draw.date == 0) {
        const bool dateLike = f[at].find_first_of("/-") != std::string_view::npos;
        return dateLike ? "data non valida: " + quoted(f[at]) : std::string("data mancante");
    }
    const std::size_t rest = f.size() - at - 1;
    if (rest < 7)
        return "mancano dei numeri: servono sei numeri e il jolly";
    if (rest > 8)
        return "troppi campi: dopo il jolly c'è solo il superstar";
    for (std::size_t k = 0; k < 6; ++k) {
        const std::string_view field = f[at + 1 + k];
        const int n = ballValue(field);
        if (n == 0)
            return "numero non valido: " + quoted(field) + " (da 1 a 90)";
        if (std::find(draw.numbers.begin(), draw.numbers.begin() + static_cast<std::ptrdiff_t>(k), n) !=
            draw.numbers.begin() + static_cast<std::ptrdiff_t>(k))
            return "numero ripetuto: " + std::to_string(n);
        draw.numbers[k] = static_cast<std::uint8_t>(n);
    }
    const std::string_view jollyField = f[at + 7];
    const int jolly = ballValue(jollyField);
    if (jolly == 0)
        return "jolly non valido: " + quoted(jollyField) + " (da 1 a 90)";
    if (draw.holds(jolly))
        return "jolly uguale a un numero estratto: " + std::to_string(jolly);
    draw.jolly = static_cast<std::uint8_t>(jolly);
    if (rest == 8) {
        const std::string_view superstarField = f[at + 8];
        const int superstar = ballValue(superstarField);
        if (superstar == 0)
            return "superstar non valido: " + quoted(superstarField) + " (da 1 a 90)";
        draw.superstar = static_cast<std::uint8_t>(superstar);
    }
    return "";
}

bool earlier(const Draw& d, int date)
{
    return d.date < date;
}

} // namespace

DrawReading readDraws(std::string_view text)
{
    DrawReading reading;
    text = withoutByteOrderMark(text);
    std::size_t lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size())
            pos += text.compare(pos, 2, "\r\n") == 0 ? 2 : 1;
        ++lineNumber;

        const std::vector<std::string_view> fields = fieldsOf(line);
        if (fields.empty() || fields[0][0] < '0' || fields[0][0] > '9')
            continue;
        Draw draw;
        std::string reason = readLine(fields, draw);
        if (reason.empty()) {
            reading.draws.push_back(draw);
            reading.lines.push_back(lineNumber);
        } else {
            reading.refused.push_back({lineNumber, std::move(reason), readableEcho(line, kEchoChars)});
        }
    }
    return reading;
}

std::string refusedLineText(const RefusedLine& refused)
{
    return "Riga " + std::to_string(refused.line) + ": " + refused.reason + " (\"" + refused.text + "\")";
}

std::string importMessage(const ImportSummary& summary, const char* empty)
{
    std::string message;
    if (summary.read == 0)
        message = empty;
    else
        message = "Importate " + std::to_string(summary.added) + " estrazioni, " + std::to_string(summary.present) +
                  " già presenti, " + std::to_string(summary.refused.size()) + " righe scartate";
    for (std::size_t k = 0; k < summary.refused.size() && k < kShownRefusals; ++k)
        message += "\n" + refusedLineText(summary.refused[k]);
    return message;
}

std::string drawsCsvText(const std::vector<Draw>& draws)
{
    std::string out = "Data;Concorso;N1;N2;N3;N4;N5;N6;Jolly;SuperStar\r\n";
    for (const Draw& d : draws) {
        out += dateText(d.date) + ';';
        if (d.concorso > 0)
            out += std::to_string(d.concorso);
        for (std::uint8_t n : d.numbers)
            out += ';' + std::to_string(n);
        out += ';' + std::to_string(d.jolly) + ';';
        if (d.superstar > 0)
            out += std::to_string(d.superstar);
        out += "\r\n";
    }
    return out;
}

DrawArchive::AddResult DrawArchive::add(const Draw& draw)
{
    const auto at = std::lower_bound(draws_.begin(), draws_.end(), draw.date, earlier);
    if (at != draws_.end() && at->date == draw.date)
        return sameNumbers(*at, draw) ? AddResult::Present : AddResult::Conflict;
    draws_.insert(at, draw);
    return AddResult::Added;
}

ImportSummary DrawArchive::import(const DrawReading& reading)
{
    ImportSummary summary;
    summary.read = reading.draws.size();
    std::vector<RefusedLine> conflicts;
    // Appending then sorting once keeps a large import from moving the archive for every draw.
    std::vector<Draw> merged = draws_;
    std::vector<Draw> fresh;
    std::unordered_map<int, std::size_t> freshByDate;
    for (std::size_t k = 0; k < reading.draws.size(); ++k) {
        const Draw& draw = reading.draws[k];
        const auto held = std::lower_bound(draws_.begin(), draws_.end(), draw.date, earlier);
        const Draw* same = held != draws_.end() && held->date == draw.date ? &*held : nullptr;
        const auto inFile = freshByDate.find(draw.date);
        if (!same && inFile != freshByDate.end())
            same = &fresh[inFile->second];
        if (!same) {
            freshByDate.emplace(draw.date, fresh.size());
            fresh.push_back(draw);
            ++summary.added;
        } else if (sameNumbers(*same, draw)) {
            ++summary.present;
        } else {
            conflicts.push_back({reading.lines[k], "estrazione del " + dateText(draw.date) + " già presente con altri numeri",
                                 readableEcho(archiveLine(draw), kEchoChars)});
        }
    }
    merged.insert(merged.end(), fresh.begin(), fresh.end());
    std::stable_sort(merged.begin(), merged.end(), [](const Draw& a, const Draw& b) { return a.date < b.date; });
    draws_ = std::move(merged);
    summary.refused = reading.refused;
    summary.refused.insert(summary.refused.end(), conflicts.begin(), conflicts.end());
    std::stable_sort(summary.refused.begin(), summary.refused.end(),
                     [](const RefusedLine& a, const RefusedLine& b) { return a.line < b.line; });
    return summary;
}

void DrawArchive::remove(const std::vector<int>& dates)
{
    std::vector<int> sorted = dates;
    std::sort(sorted.begin(), sorted.end());
    draws_.erase(std::remove_if(draws_.begin(), draws_.end(),
                                [&](const Draw& d) { return std::binary_search(sorted.begin(), sorted.end(), d.date); }),
                 draws_.end());
}

std::vector<Draw> DrawArchive::between(int from, int to) const
{
    std::vector<Draw> out;
    for (const Draw& d : draws_)
        if ((from == 0 || d.date >= from) && (to == 0 || d.date <= to))
            out.push_back(d);
    return out;
}

std::string DrawArchive::text() const
{
    std::string out;
    for (const Draw& d : draws_) {
        out += archiveLine(d);
        out += '\n';
    }
    return out;
}

ArchiveLoad loadDrawArchive(const std::string& path)
{
    ArchiveLoad load;
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
        return load;
    const FileContents file = readRegularFile(path, kMaxDrawFileBytes);
    if (!file.ok()) {
        load.error = "Impossibile leggere l'archivio delle estrazioni " + path + ": " + file.error;
        return load;
    }
    load.summary = load.archive.import(readDraws(file.bytes));
    return load;
}

DrawFileReading readDrawFile(const std::string& path)
{
    DrawFileReading out;
    const FileContents file = readRegularFile(path, kMaxDrawFileBytes);
    if (!file.ok())
        out.error = "Impossibile leggere il file " + path + ": " + file.error;
    else
        out.reading = readDraws(file.bytes);
    return out;
}

std::string saveDrawArchive(const DrawArchive& archive, const std::string& path)
{
    const std::string failure = writeFileAtomically(path, archive.text());
    return failure.empty() ? failure : "Impossibile salvare l'archivio delle estrazioni " + path + ": " + failure;
}

} // namespace sestara
