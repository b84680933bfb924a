#include "core/draws/drawarchive.h"

#include "core/util/files.h"
#include "core/util/text.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <limits>
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

std::string countText(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

std::string drawCountText(std::size_t count)
{
    return countText(count, "estrazione", "estrazioni");
}

std::string eliminareQuestion(std::size_t count, int firstDate)
{
    if (count == 1)
        return "Eliminare l'estrazione del " + playerDate(firstDate) + "?";
    return "Eliminare " + std::to_string(count) + " estrazioni?";
}

std::string winningDrawsText(std::size_t winning, std::size_t checked)
{
    return countText(winning, "estrazione vincente", "estrazioni vincenti") + " su " + std::to_string(checked);
}

namespace {

constexpr std::size_t kShownRefusals = 5;
constexpr std::size_t kEchoChars = 60;
// Enough for a concorso, the date, six numbers, the jolly, the superstar and one too many.
constexpr std::size_t kMaxFields = 11;

// The length of the separator at `i`, or 0. A no-break space comes from text copied off web
// pages: C2 A0 in UTF-8, A0 alone in Latin-1.
std::size_t separatorAt(std::string_view line, std::size_t i)
{
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == ';' || c == ',' || c == '\xA0')
        return 1;
    return c == '\xC2' && i + 1 < line.size() && line[i + 1] == '\xA0' ? 2 : 0;
}

std::string_view trimmed(std::string_view field)
{
    std::size_t begin = 0;
    while (begin < field.size()) {
        const std::size_t n = separatorAt(field, begin);
        if (n == 0)
            break;
        begin += n;
    }
    std::size_t end = field.size();
    while (end > begin && (field[end - 1] == ' ' || field[end - 1] == '\t' || field[end - 1] == '\xA0'))
        end -= field[end - 1] == '\xA0' && end - 1 > begin && field[end - 2] == '\xC2' ? 2 : 1;
    return field.substr(begin, end - begin);
}

// The fields of a line, up to kMaxFields: a run of separators is one.
struct Fields {
    std::array<std::string_view, kMaxFields> at;
    std::size_t size = 0;
};

void fieldsOf(std::string_view line, Fields& f)
{
    f.size = 0;
    std::size_t pos = 0;
    while (pos < line.size() && f.size < kMaxFields) {
        if (const std::size_t n = separatorAt(line, pos)) {
            pos += n;
            continue;
        }
        std::size_t end = pos;
        while (end < line.size() && separatorAt(line, end) == 0)
            ++end;
        f.at[f.size++] = line.substr(pos, end - pos);
        pos = end;
    }
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The fields of a draw by what they hold; empty when not given.
struct DrawFields {
    std::string_view concorso;
    std::string_view date;
    std::array<std::string_view, 6> numbers;
    std::string_view jolly;
    std::string_view superstar;
    const char* wrongCount = nullptr; // why the fields do not make a draw
};

// Where a spreadsheet's header put each field: the column of each, -1 when absent.
struct Layout {
    std::size_t columns = 0; // 0: no header seen
    int concorso = -1;
    int date = -1;
    std::array<int, 6> numbers{};
    int jolly = -1;
    int superstar = -1;
};

bool sameWord(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x >= 'A' && x <= 'Z' ? x - 'A' + 'a' : x) == y;
           });
}

// The layout a header line names, or none when it does not name the fields of a draw.
Layout layoutOf(std::string_view line)
{
    const std::vector<std::string_view> names = splitAll(line, ';');
    Layout l;
    l.numbers.fill(-1);
    static const char* const numberNames[6] = {"n1", "n2", "n3", "n4", "n5", "n6"};
    for (std::size_t k = 0; k < names.size(); ++k) {
        const std::string_view name = trimmed(names[k]);
        const int column = static_cast<int>(k);
        for (std::size_t i = 0; i < 6; ++i)
            if (sameWord(name, numberNames[i]))
                l.numbers[i] = column;
        if (sameWord(name, "data"))
            l.date = column;
        else if (sameWord(name, "concorso"))
            l.concorso = column;
        else if (sameWord(name, "jolly"))
            l.jolly = column;
        else if (sameWord(name, "superstar"))
            l.superstar = column;
    }
    const bool complete = l.date >= 0 && l.jolly >= 0 &&
                          std::all_of(l.numbers.begin(), l.numbers.end(), [](int c) { return c >= 0; });
    l.columns = complete ? names.size() : 0;
    return l;
}

// The line's fields laid out by the header, when it has the header's columns.
bool laidOut(std::string_view line, const Layout& l, DrawFields& out)
{
    if (l.columns == 0 || static_cast<std::size_t>(std::count(line.begin(), line.end(), ';')) + 1 != l.columns)
        return false;
    const std::vector<std::string_view> cells = splitAll(line, ';');
    const auto cell = [&](int column) { return column < 0 ? std::string_view() : trimmed(cells[static_cast<std::size_t>(column)]); };
    out.concorso = cell(l.concorso);
    out.date = cell(l.date);
    for (std::size_t i = 0; i < 6; ++i)
        out.numbers[i] = cell(l.numbers[i]);
    out.jolly = cell(l.jolly);
    out.superstar = cell(l.superstar);
    out.wrongCount = nullptr;
    return true;
}

// The fields of a line by their count: [concorso] date six jolly [superstar], or date concorso
// six jolly superstar. A count that fits neither is said after the date has been checked.
void freeFields(const Fields& f, DrawFields& out)
{
    // The numbers and the jolly are read only when the count is right, and then all are set.
    out.concorso = out.date = out.superstar = {};
    out.wrongCount = nullptr;
    std::size_t at = 0;
    if (isDigits(f.at[0])) {
        out.concorso = f.at[0];
        at = 1;
        if (f.size < 2)
            return;
    }
    out.date = f.at[at];
    std::size_t rest = f.size - at - 1;
    if (at == 0 && rest == 9) {
        out.concorso = f.at[1];
        at = 1;
        rest = 8;
    }
    if (rest < 7 || rest > 8) {
        out.wrongCount = rest < 7 ? "mancano dei numeri: servono sei numeri e il jolly"
                                  : "troppi campi: dopo il jolly c'è solo il superstar";
        return;
    }
    for (std::size_t k = 0; k < 6; ++k)
        out.numbers[k] = f.at[at + 1 + k];
    out.jolly = f.at[at + 7];
    if (rest == 8)
        out.superstar = f.at[at + 8];
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

// The draw of a line's fields, or the reason it is refused.
std::string drawOf(const DrawFields& f, int today, Draw& draw)
{
    if (!f.concorso.empty()) {
        if (!isDigits(f.concorso) || f.concorso.size() > 6 || numericValue(f.concorso) == 0)
            return "concorso non valido: " + quoted(f.concorso);
        draw.concorso = static_cast<int>(numericValue(f.concorso));
    }
    draw.date = parseDate(f.date);
    if (draw.date == 0) {
        const bool dateLike = f.date.find_first_of("/-") != std::string_view::npos;
        return dateLike ? "data non valida: " + quoted(f.date) : std::string("data mancante");
    }
    if (draw.date > today)
        return "data futura: " + quoted(f.date) + " (oggi è il " + playerDate(today) + ")";
    if (f.wrongCount)
        return f.wrongCount;
    for (std::size_t k = 0; k < 6; ++k) {
        const int n = ballValue(f.numbers[k]);
        if (n == 0)
            return "numero non valido: " + quoted(f.numbers[k]) + " (da 1 a 90)";
        if (std::find(draw.numbers.begin(), draw.numbers.begin() + static_cast<std::ptrdiff_t>(k), n) !=
            draw.numbers.begin() + static_cast<std::ptrdiff_t>(k))
            return "numero ripetuto: " + std::to_string(n);
        draw.numbers[k] = static_cast<std::uint8_t>(n);
    }
    const int jolly = ballValue(f.jolly);
    if (jolly == 0)
        return "jolly non valido: " + quoted(f.jolly) + " (da 1 a 90)";
    if (draw.holds(jolly))
        return "jolly uguale a un numero estratto: " + std::to_string(jolly);
    draw.jolly = static_cast<std::uint8_t>(jolly);
    if (!f.superstar.empty()) {
        const int superstar = ballValue(f.superstar);
        if (superstar == 0)
            return "superstar non valido: " + quoted(f.superstar) + " (da 1 a 90)";
        draw.superstar = static_cast<std::uint8_t>(superstar);
    }
    return "";
}

// Calls `take(number, line, whole)` for each line: its number from 1, the line without its end,
// and the line with it.
template <typename Take>
void forEachLine(std::string_view text, Take take)
{
    std::size_t number = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::size_t next = end;
        if (next < text.size())
            next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
        take(++number, text.substr(pos, end - pos), text.substr(pos, next - pos));
        pos = next;
    }
}

// Keeps the first few refusals for a message and counts them all.
void noteRefusal(std::vector<RefusedLine>& shown, std::size_t& count, RefusedLine refused)
{
    ++count;
    if (shown.size() < kShownRefusals)
        shown.push_back(std::move(refused));
}

bool earlier(const Draw& d, int date)
{
    return d.date < date;
}

} // namespace

DrawReading readDraws(std::string_view text, int today, const RefusalSink& each)
{
    DrawReading reading;
    Layout layout;
    // Made once: clearing them for each of millions of junk lines would cost more than reading them.
    Fields fields;
    DrawFields f;
    forEachLine(withoutByteOrderMark(text), [&](std::size_t number, std::string_view line, std::string_view) {
        fieldsOf(line, fields);
        if (fields.size == 0)
            return;
        const std::string_view first = fields.at[0];
        const bool sign = (first[0] == '-' || first[0] == '+') && first.size() > 1 && isDigit(first[1]);
        std::string reason;
        Draw draw;
        if (sign) {
            reason = "segno non ammesso: " + quoted(first);
        } else if (!isDigit(first[0])) {
            const Layout named = layoutOf(line);
            if (named.columns > 0)
                layout = named;
            return;
        } else {
            if (!laidOut(line, layout, f))
                freeFields(fields, f);
            reason = drawOf(f, today, draw);
        }
        if (reason.empty()) {
            reading.draws.push_back(draw);
            reading.lines.push_back(number);
            return;
        }
        if (!each && reading.refused.size() >= kShownRefusals) {
            ++reading.refusedCount;
            return;
        }
        RefusedLine refused{number, std::move(reason), readableEcho(line, kEchoChars)};
        if (each)
            each(refused);
        noteRefusal(reading.refused, reading.refusedCount, std::move(refused));
    });
    return reading;
}

void appendRefusedLine(std::string& out, const RefusedLine& refused)
{
    out += "Riga ";
    appendDecimal(out, refused.line);
    out += ": ";
    out += refused.reason;
    out += " (\"";
    out += refused.text;
    out += "\")";
}

std::string refusedLineText(const RefusedLine& refused)
{
    std::string out;
    appendRefusedLine(out, refused);
    return out;
}

namespace {

void appendRefusals(std::string& message, const std::vector<RefusedLine>& refused)
{
    for (const RefusedLine& r : refused)
        message += "\n" + refusedLineText(r);
}

} // namespace

std::string importMessage(const ImportSummary& summary, const char* empty)
{
    std::string message;
    if (summary.read == 0)
        message = empty;
    else
        message = (summary.added == 1 ? "Importata " : "Importate ") +
                  countText(summary.added, "estrazione", "estrazioni") + ", " +
                  countText(summary.present, "già presente", "già presenti") + ", " +
                  countText(summary.refusedCount, "riga scartata", "righe scartate");
    appendRefusals(message, summary.refused);
    return message;
}

std::string keptLinesWarning(const ImportSummary& summary, const std::string& path)
{
    if (summary.refusedCount == 0)
        return "";
    const bool one = summary.refusedCount == 1;
    std::string message = "L'archivio delle estrazioni " + path + " contiene " +
                          countText(summary.refusedCount, "riga non valida", "righe non valide") +
                          (one ? ": resta nel file così com'è, ma non viene usata:"
                               : ": restano nel file così come sono, ma non vengono usate:");
    appendRefusals(message, summary.refused);
    return message;
}

const char* const kDrawCsvHeader = "Data;Concorso;N1;N2;N3;N4;N5;N6;Jolly;SuperStar";

std::string drawCsvFields(const Draw& d)
{
    std::string out = dateText(d.date) + ';';
    if (d.concorso > 0)
        out += std::to_string(d.concorso);
    appendDrawNumbers(out, d);
    return out;
}

std::string drawsCsvText(const std::vector<Draw>& draws)
{
    std::string out = std::string(kDrawCsvHeader) + "\r\n";
    for (const Draw& d : draws)
        out += drawCsvFields(d) + "\r\n";
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

ImportSummary DrawArchive::import(const DrawReading& reading, const RefusalSink& each)
{
    ImportSummary summary;
    summary.read = reading.draws.size();
    std::vector<RefusedLine> conflicts;
    std::size_t conflictCount = 0;
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
            RefusedLine conflict{reading.lines[k], "estrazione del " + playerDate(draw.date) + " già presente con altri numeri",
                                 readableEcho(archiveLine(draw), kEchoChars)};
            if (each)
                each(conflict);
            noteRefusal(conflicts, conflictCount, std::move(conflict));
        }
    }
    merged.insert(merged.end(), fresh.begin(), fresh.end());
    std::stable_sort(merged.begin(), merged.end(), [](const Draw& a, const Draw& b) { return a.date < b.date; });
    draws_ = std::move(merged);
    summary.refused = reading.refused;
    summary.refused.insert(summary.refused.end(), conflicts.begin(), conflicts.end());
    std::stable_sort(summary.refused.begin(), summary.refused.end(),
                     [](const RefusedLine& a, const RefusedLine& b) { return a.line < b.line; });
    if (summary.refused.size() > kShownRefusals)
        summary.refused.resize(kShownRefusals);
    summary.refusedCount = reading.refusedCount + conflictCount;
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

void DrawArchive::keepLines(int afterDate, std::string_view bytes)
{
    const auto at = std::upper_bound(kept_.begin(), kept_.end(), afterDate,
                                     [](int date, const KeptLines& k) { return date < k.afterDate; });
    kept_.insert(at, KeptLines{afterDate, std::string(bytes)});
}

std::string DrawArchive::text() const
{
    std::string out;
    std::size_t k = 0;
    // The kept lines that follow draws before `date`: a removed draw's lines stay in their place.
    const auto keptBefore = [&](int date) {
        for (; k < kept_.size() && kept_[k].afterDate < date; ++k) {
            out += kept_[k].bytes;
            if (!out.empty() && out.back() != '\n' && out.back() != '\r')
                out += '\n';
        }
    };
    for (const Draw& d : draws_) {
        keptBefore(d.date);
        out += archiveLine(d);
        out += '\n';
    }
    keptBefore(std::numeric_limits<int>::max());
    return out;
}

ArchiveLoad loadDrawArchive(const std::string& path, int today)
{
    ArchiveLoad load;
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
        return load;
    FileContents file = readRegularFile(path, kMaxDrawFileBytes);
    if (!file.ok()) {
        load.error = "Impossibile leggere l'archivio delle estrazioni " + path + ": " + file.error;
        return load;
    }
    const std::string decoded = utf8Text(std::move(file.bytes));
    const std::string_view text = withoutByteOrderMark(decoded);
    const DrawReading reading = readDraws(text, today);
    std::vector<std::size_t> conflicts;
    load.summary = load.archive.import(reading, [&](const RefusedLine& r) { conflicts.push_back(r.line); });

    // Every line that is not a draw now held (or the repeat of one) is kept, after the draw before it.
    std::size_t d = 0;
    std::size_t c = 0;
    int after = 0;
    std::string run;
    const auto keepRun = [&] {
        if (!run.empty())
            load.archive.keepLines(after, run);
        run.clear();
    };
    forEachLine(text, [&](std::size_t number, std::string_view, std::string_view whole) {
        bool taken = false;
        if (d < reading.lines.size() && reading.lines[d] == number) {
            taken = c == conflicts.size() || conflicts[c] != number;
            c += taken ? 0 : 1;
            if (taken) {
                keepRun();
                after = reading.draws[d].date;
            }
            ++d;
        }
        if (!taken)
            run += whole;
    });
    keepRun();
    return load;
}

DrawFileReading readDrawFile(const std::string& path, int today, const RefusalSink& each)
{
    DrawFileReading out;
    FileContents file = readRegularFile(path, kMaxDrawFileBytes);
    if (!file.ok())
        out.error = "Impossibile leggere il file " + path + ": " + file.error;
    else
        out.reading = readDraws(utf8Text(std::move(file.bytes)), today, each);
    return out;
}

std::string saveDrawArchive(const DrawArchive& archive, const std::string& path)
{
    const std::string failure = writeFileAtomically(path, archive.text());
    return failure.empty() ? failure : "Impossibile salvare l'archivio delle estrazioni " + path + ": " + failure;
}

} // namespace sestara
