#pragma once

#include "core/draws/draw.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sestara {

extern const char* const kDrawArchiveFileName; // "Estrazioni.txt"
extern const std::uint64_t kMaxDrawFileBytes;
extern const char* const kMsgNessunaEstrazioneFile;
extern const char* const kMsgNessunaEstrazioneTesto;
extern const char* const kMsgScrivereEstrazione;
extern const char* const kMsgEstrazioneGiaPresente;
extern const char* const kMsgSelezionareEstrazioni;
extern const char* const kMsgArchivioVuoto;
extern const char* const kMsgArchivioNonLetto;
extern const char* const kMsgSelezionarePronostico;

// "N estrazioni", "1 estrazione".
std::string drawCountText(std::size_t count);

// The count and the noun, singular for one: countText(1, "riga", "righe") is "1 riga".
std::string countText(std::size_t count, const char* one, const char* many);

// "Eliminare N estrazioni?" (one: "Eliminare l'estrazione del DD/MM/YYYY?").
std::string eliminareQuestion(std::size_t count, int firstDate);

// "N estrazioni vincenti su M" (one: "1 estrazione vincente su M").
std::string winningDrawsText(std::size_t winning, std::size_t checked);

// A line of draws that was not taken, with its number from 1 and why.
struct RefusedLine {
    std::size_t line = 0;
    std::string reason;
    std::string text; // the line as written, echoed readably
};

// Receives every refused line as it is found, for a report that cannot wait for the end.
using RefusalSink = std::function<void(const RefusedLine&)>;

// The draws of a text in the order of its lines. A text of junk may refuse millions of lines:
// only the first few are kept, and the count.
struct DrawReading {
    std::vector<Draw> draws;
    std::vector<std::size_t> lines;   // the line number of each draw
    std::vector<RefusedLine> refused; // the first few, in line order
    std::size_t refusedCount = 0;
};

// Reads draws from the text players exchange, one draw a line: fields separated by blanks, tabs,
// no-break spaces, ";" or "," (a run of separators is one); an optional concorso number, the
// date, six distinct numbers from 1 to 90, the jolly (not one of the six) and optionally the
// superstar. A concorso may also follow the date when the line holds all ten fields. A line that
// does not start with a digit or a sign is a header or a note and is skipped, as are blank lines;
// a header that names the columns "Data", "N1" … "N6" and "Jolly" (and "Concorso", "SuperStar")
// separated by ";" lays out the lines below it that have as many ";" fields, so that the empty
// fields of a spreadsheet keep their place. A draw dated after `today` is refused. Lines end in
// LF, CR LF or a lone CR; only ASCII counts, so headers in UTF-8 or Latin-1 read the same.
DrawReading readDraws(std::string_view text, int today = todayDate(), const RefusalSink& each = {});

// "Riga L: reason ("the line")".
std::string refusedLineText(const RefusedLine& refused);
void appendRefusedLine(std::string& out, const RefusedLine& refused);

// What taking a reading into an archive did.
struct ImportSummary {
    std::size_t read = 0; // draws the text held
    std::size_t added = 0;
    std::size_t present = 0;
    std::vector<RefusedLine> refused; // the first few, in line order
    std::size_t refusedCount = 0;
};

// "Importate N estrazioni, M già presenti, K righe scartate" (singular for one), then the first
// five refused lines with their line number and reason. When nothing was added and nothing was
// present, the message `empty` takes the first line's place.
std::string importMessage(const ImportSummary& summary, const char* empty);

// What opening the archive file says of its lines that were not taken, or "" when there are none.
std::string keptLinesWarning(const ImportSummary& summary, const std::string& path);

// The header and the fields of a draw as "Esporta CSV" writes them: the date first, then the
// concorso, the six numbers, the jolly and the superstar, separated by ";".
extern const char* const kDrawCsvHeader;
std::string drawCsvFields(const Draw& draw);

// The draws as a spreadsheet reads them: a header line, then one line a draw, fields separated
// by ";", lines ended by CR LF.
std::string drawsCsvText(const std::vector<Draw>& draws);

// The draws held, one a date, in date order, and the lines of the archive file that were not
// taken (notes, refused lines, a second draw of a date), kept as they were for the next save.
class DrawArchive {
public:
    enum class AddResult { Added, Present, Conflict };

    const std::vector<Draw>& draws() const { return draws_; }
    bool empty() const { return draws_.empty(); }

    // A draw of a date not held is added; one held with the same numbers is already present; one
    // held with other numbers is refused and the held one stays.
    AddResult add(const Draw& draw);
    // Draws of a date already held with other numbers are refused, and given to `each` too.
    ImportSummary import(const DrawReading& reading, const RefusalSink& each = {});
    // Removes the draws of the dates given.
    void remove(const std::vector<int>& dates);

    // The draws from `from` to `to`, both included (0: no bound), in date order.
    std::vector<Draw> between(int from, int to) const;

    // Lines of the file, with their line ends, that follow the draw of `afterDate` (0: the start).
    void keepLines(int afterDate, std::string_view bytes);

    // The archive file's text: one archive line a draw, each ended by LF; kept lines stay after
    // the draw they followed (or, when it was removed, after the draw before it).
    std::string text() const;

private:
    struct KeptLines {
        int afterDate = 0;
        std::string bytes;
    };
    std::vector<Draw> draws_;
    std::vector<KeptLines> kept_; // by date followed, then in the order of the file
};

// The archive file read back, or why it could not be. A missing file is an empty archive.
struct ArchiveLoad {
    DrawArchive archive;
    ImportSummary summary; // its refused lines, when the file was edited by hand
    std::string error;     // in Italian, complete; empty on success
    bool ok() const { return error.empty(); }
};
ArchiveLoad loadDrawArchive(const std::string& path, int today = todayDate());

// A file of draws read for import (UTF-8, Latin-1 or UTF-16 with its byte-order mark): the
// reading, or why the file could not be read.
struct DrawFileReading {
    DrawReading reading;
    std::string error; // in Italian, complete; empty on success
    bool ok() const { return error.empty(); }
};
DrawFileReading readDrawFile(const std::string& path, int today = todayDate(), const RefusalSink& each = {});

// Writes the archive in one step; a failure keeps the old file. Returns the message, empty on success.
std::string saveDrawArchive(const DrawArchive& archive, const std::string& path);

} // namespace sestara
