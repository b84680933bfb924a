#pragma once

#include "core/draws/draw.h"

#include <cstddef>
#include <cstdint>
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

// "Eliminare N estrazioni?" (one: "Eliminare l'estrazione del YYYY-MM-DD?").
std::string eliminareQuestion(std::size_t count, int firstDate);

// A line of draws that was not taken, with its number from 1 and why.
struct RefusedLine {
    std::size_t line = 0;
    std::string reason;
    std::string text; // the line as written, echoed readably
};

// The draws of a text in the order of its lines.
struct DrawReading {
    std::vector<Draw> draws;
    std::vector<std::size_t> lines; // the line number of each draw
    std::vector<RefusedLine> refused;
};

// Reads draws from the text players exchange, one draw a line: fields separated by blanks, tabs,
// ";" or "," (a run of separators is one); an optional concorso number, the date, six distinct
// numbers from 1 to 90, the jolly (not one of the six) and optionally the superstar. A line that
// does not start with a digit is a header or a note and is skipped, as are blank lines. Lines end
// in LF, CR LF or a lone CR; only ASCII counts, so headers in UTF-8 or Latin-1 read the same.
DrawReading readDraws(std::string_view text);

// "Riga L: reason ("the line")".
std::string refusedLineText(const RefusedLine& refused);

// What taking a reading into an archive did.
struct ImportSummary {
    std::size_t read = 0; // draws the text held
    std::size_t added = 0;
    std::size_t present = 0;
    std::vector<RefusedLine> refused; // in line order
};

// "Importate N estrazioni, M già presenti, K righe scartate", then the first five refused lines
// with their line number and reason. When nothing was added and nothing was present, the message
// `empty` takes the first line's place.
std::string importMessage(const ImportSummary& summary, const char* empty);

// The draws as a spreadsheet reads them: a header line, then one line a draw, fields separated
// by ";", lines ended by CR LF.
std::string drawsCsvText(const std::vector<Draw>& draws);

// The draws held, one a date, in date order.
class DrawArchive {
public:
    enum class AddResult { Added, Present, Conflict };

    const std::vector<Draw>& draws() const { return draws_; }
    bool empty() const { return draws_.empty(); }

    // A draw of a date not held is added; one held with the same numbers is already present; one
    // held with other numbers is refused and the held one stays.
    AddResult add(const Draw& draw);
    ImportSummary import(const DrawReading& reading);
    // Removes the draws of the dates given.
    void remove(const std::vector<int>& dates);

    // The draws from `from` to `to`, both included (0: no bound), in date order.
    std::vector<Draw> between(int from, int to) const;

    // The archive file's text: one archive line a draw, each ended by LF.
    std::string text() const;

private:
    std::vector<Draw> draws_;
};

// The archive file read back, or why it could not be. A missing file is an empty archive.
struct ArchiveLoad {
    DrawArchive archive;
    ImportSummary summary; // its refused lines, when the file was edited by hand
    std::string error;     // in Italian, complete; empty on success
    bool ok() const { return error.empty(); }
};
ArchiveLoad loadDrawArchive(const std::string& path);

// A file of draws read for import: the reading, or why the file could not be read.
struct DrawFileReading {
    DrawReading reading;
    std::string error; // in Italian, complete; empty on success
    bool ok() const { return error.empty(); }
};
DrawFileReading readDrawFile(const std::string& path);

// Writes the archive in one step; a failure keeps the old file. Returns the message, empty on success.
std::string saveDrawArchive(const DrawArchive& archive, const std::string& path);

} // namespace sestara
