// Command-line front end: the catalogue, developing a system file as the program does, checking
// a development against a drawn combination or against an archive of draws, and the figures of
// the numbers over an archive.
#include "core/advice/advisor.h"
#include "core/design/sumisura.h"
#include "core/development/catalogue.h"
#include "core/development/developers.h"
#include "core/development/run.h"
#include "core/development/storedsystems.h"
#include "core/development/verifier.h"
#include "core/draws/drawarchive.h"
#include "core/draws/drawstats.h"
#include "core/draws/historycheck.h"
#include "core/guarantees/guarantees.h"
#include "core/settings/settingsfile.h"
#include "core/systemfiles/systemfile.h"
#include "core/util/commandline.h"
#include "core/util/datafolder.h"
#include "core/util/text.h"
#include "core/wincheck/wincheck.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <new>
#include <string>
#include <system_error>
#include <vector>

namespace {

const char* const kUsage =
    "Uso:\n"
    "  sestara-cli [--dati CARTELLA] catalogo [N]\n"
    "  sestara-cli [--dati CARTELLA] sviluppa FILE.sup\n"
    "  sestara-cli [--dati CARTELLA] garanzie FILE.sup\n"
    "  sestara-cli [--dati CARTELLA] spoglio FILE.sup \"n1 n2 ... n7\" [--superstar S] [--vincenti]\n"
    "  sestara-cli [--dati CARTELLA] verifica\n"
    "  sestara-cli [--dati CARTELLA] consiglia \"n1 n2 ... nN\" --budget EURO [--punti K]\n"
    "  sestara-cli [--dati CARTELLA] storico FILE.sup ESTRAZIONI [--dal AAAA-MM-GG] [--al AAAA-MM-GG]\n"
    "  sestara-cli [--dati CARTELLA] sumisura N K M [--colonne C] [--livello rapido|normale|accurato]\n"
    "  sestara-cli statistiche ESTRAZIONI [--dal AAAA-MM-GG] [--al AAAA-MM-GG]\n"
    "  sestara-cli --help | --version\n";

const char* const kProgram = "sestara-cli";

int usage()
{
    std::cerr << kUsage;
    return 2;
}

namespace fs = std::filesystem;

// The executable as the command line named it: a path, or a bare name found on PATH.
fs::path executableFromCommandLine(const char* argv0)
{
    std::error_code ec;
    const fs::path named = argv0 ? fs::path(argv0) : fs::path();
    if (named.empty())
        return {};
    if (named.has_parent_path())
        return fs::weakly_canonical(fs::absolute(named, ec), ec);
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
#ifdef _WIN32
    const char separator = ';';
#else
    const char separator = ':';
#endif
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(separator, start), folders.size());
        const fs::path candidate = fs::path(folders.substr(start, end - start)) / named;
        if (end > start && fs::is_regular_file(candidate, ec))
            return fs::weakly_canonical(fs::absolute(candidate, ec), ec);
        start = end + 1;
    }
    return {};
}

// The folder of the executable.
fs::path programFolder(const char* argv0)
{
    std::error_code ec;
#ifdef __linux__
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !self.empty())
        return self.parent_path();
#endif
    const fs::path named = executableFromCommandLine(argv0);
    if (!named.empty())
        return named.parent_path();
    return fs::current_path(ec);
}

int catalogo(const std::vector<std::string>& args)
{
    if (args.size() > 1)
        return usage();
    std::vector<std::string> entries;
    if (args.empty()) {
        entries = sestara::catalogueEntries();
    } else {
        if (!sestara::isDigits(args[0]) || args[0].size() > 2)
            return usage();
        entries = sestara::catalogueEntriesForSize(static_cast<int>(sestara::numericValue(args[0])));
        if (entries.empty()) {
            std::cerr << "Nessun sistema disponibile con " << args[0] << " numeri (da 10 a 55)\n";
            return 1;
        }
    }
    for (const auto& e : entries)
        std::cout << e << '\n';
    return 0;
}

// A system file developed: the prediction in order, the columns and the SuperStar (0 for none).
struct DevelopedFile {
    std::vector<std::uint8_t> pronostico;
    sestara::Development development;
    int superStar = 0;
};

// Develops a system file as "Elabora" does; a refusal is reported and gives false.
bool developFile(const std::string& path, const std::string& dataDir, DevelopedFile& developed)
{
    const sestara::LoadOutcome loaded = sestara::readSystemFile(path);
    if (!loaded.ok()) {
        std::cerr << sestara::kMsgErroreCaricamento << "\n" << loaded.error << "\n";
        return false;
    }
    const sestara::LoadedSystem& s = loaded.system;
    // The window shows which type it developed; a script is told on standard error.
    if (!s.requestedText.empty() && s.requestedText != s.entryText && s.custom.entryText.empty())
        std::cerr << "Tipo \"" << sestara::readableEcho(s.requestedText) << "\" non disponibile per "
                  << s.size << " numeri: sviluppato \"" << s.entryText << "\"\n";
    const sestara::RunSelection selection{std::to_string(s.size), s.selectedIndex, s.entryText};
    const sestara::PlanOutcome planned =
        s.custom.entryText.empty() ? sestara::planDevelopment(s.prediction, selection, dataDir)
                                   : sestara::planCustomDevelopment(s.prediction, std::to_string(s.size), s.custom);
    if (!planned.ok()) {
        std::cerr << planned.refusal << "\n";
        return false;
    }
    const std::atomic<bool> never{false};
    developed.pronostico = planned.plan.pronostico;
    developed.superStar = s.superStar;
    developed.development = sestara::execute(planned.plan, s.conditions, never).development;
    if (developed.development.empty())
        std::cerr << "Le condizioni non lasciano alcuna colonna: lo sviluppo è vuoto\n";
    return true;
}

int sviluppa(const std::vector<std::string>& args, const std::string& dataDir)
{
    if (args.size() != 1)
        return usage();
    DevelopedFile developed;
    if (!developFile(args[0], dataDir, developed))
        return 1;
    std::ios::sync_with_stdio(false);
    sestara::writeListing(std::cout, developed.development);
    std::cout.flush();
    return std::cout ? 0 : 1;
}

// What the development of the file guarantees: the column count, for h drawn numbers of the
// prediction how many h-sets the best column meets in h, h-1, ..., 0, and how many of all draws
// give at least k points.
int garanzie(const std::vector<std::string>& args, const std::string& dataDir)
{
    if (args.size() != 1)
        return usage();
    DevelopedFile developed;
    if (!developFile(args[0], dataDir, developed))
        return 1;
    const std::atomic<bool> never{false};
    const sestara::GuaranteeAnalysis a = sestara::analyseGuarantees(developed.pronostico, developed.development, never);
    if (!a.ok()) {
        std::cerr << a.error << "\n";
        return 1;
    }
    std::string out = "COLONNE ";
    sestara::appendDecimal(out, a.columns);
    out += '\n';
    for (int h = a.largestDrawn(); h >= 2; --h) {
        out += "SE " + std::to_string(h) + ":";
        for (int v = h; v >= 0; --v) {
            out += ' ';
            sestara::appendDecimal(out, a.bySubset[static_cast<std::size_t>(h)][static_cast<std::size_t>(v)]);
        }
        out += '\n';
    }
    for (int k = 6; k >= 2; --k) {
        out += "ALMENO " + std::to_string(k) + ": ";
        sestara::appendDecimal(out, a.atLeast[static_cast<std::size_t>(k)]);
        out += '\n';
    }
    std::cout << out;
    std::cout.flush();
    return std::cout ? 0 : 1;
}

// The counts by class (the stella classes too for a SuperStar system given the drawn SuperStar)
// and the caught numbers, then with --vincenti every winning-slip entry.
int spoglio(const std::vector<std::string>& args, const std::string& dataDir)
{
    // The file and the drawn list, the options anywhere, each at most once.
    const sestara::CommandArguments split = sestara::splitCommandArguments(args, {"--vincenti"}, {"--superstar"});
    bool vincenti = false;
    bool superStarGiven = false;
    std::string drawnSuperStar;
    for (const auto& [name, value] : split.options) {
        bool& seen = name == "--vincenti" ? vincenti : superStarGiven;
        if (seen)
            return usage();
        seen = true;
        if (name == "--superstar")
            drawnSuperStar = value;
    }
    if (split.operands.size() != 2 || split.missingValue)
        return usage();
    const std::vector<std::string>& operands = split.operands;
    int superStarDrawn = 0;
    if (superStarGiven) {
        superStarDrawn = sestara::isDigits(drawnSuperStar) && drawnSuperStar.size() <= 2
                             ? static_cast<int>(sestara::numericValue(drawnSuperStar))
                             : 0;
        if (superStarDrawn < 1 || superStarDrawn > 90) {
            std::cerr << "SuperStar estratto non valido: \"" << sestara::readableEcho(drawnSuperStar)
                      << "\" (da 1 a 90)\n";
            return 2;
        }
    }
    const sestara::DrawnListOutcome drawn = sestara::readDrawnList(operands[1]);
    if (!drawn.ok()) {
        std::cerr << drawn.error << "\n";
        return 2;
    }
    DevelopedFile developed;
    if (!developFile(operands[0], dataDir, developed))
        return 1;
    const std::atomic<bool> never{false};
    const sestara::WinCheckResult check = sestara::checkWins(developed.development, drawn.numbers, vincenti, never);

    std::string out;
    for (int c = 0; c < sestara::kWinClasses; ++c) {
        out += sestara::winClassCaption(static_cast<sestara::WinClass>(c));
        out += ' ';
        sestara::appendDecimal(out, check.counts[static_cast<std::size_t>(c)]);
        out += '\n';
    }
    if (developed.superStar != 0 && superStarDrawn != 0) {
        const bool won = sestara::superStarMatches(developed.superStar, superStarDrawn);
        for (int c = 0; c < sestara::kStellaClasses; ++c) {
            out += "STELLA ";
            out += sestara::stellaClassName(c);
            out += ' ';
            sestara::appendDecimal(out, won ? check.stella[static_cast<std::size_t>(c)] : 0);
            out += '\n';
        }
    }
    const std::vector<int> caught = sestara::caughtNumbers(drawn.numbers, developed.pronostico);
    out += "INDOVINATI " + std::to_string(caught.size()) + ":";
    for (int n : caught)
        out += " " + std::to_string(n);
    out += '\n';
    std::ios::sync_with_stdio(false);
    constexpr std::size_t kFlushBytes = 1 << 16;
    for (const sestara::WinningEntry& e : check.winners) {
        out += sestara::winningEntryText(e);
        out += '\n';
        if (out.size() >= kFlushBytes) {
            std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
            out.clear();
        }
    }
    std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
    std::cout.flush();
    return std::cout ? 0 : 1;
}

// The positional arguments and the dates of --dal and --al (0 when not given) of a command that
// reads an archive of draws; false after the usage or a message.
struct RangeArgs {
    std::vector<std::string> positional;
    int from = 0;
    int to = 0;
};

bool readRangeArgs(const std::vector<std::string>& args, RangeArgs& out, int& exitCode)
{
    exitCode = 2;
    const sestara::CommandArguments split = sestara::splitCommandArguments(args, {}, {"--dal", "--al"});
    if (split.missingValue) {
        usage();
        return false;
    }
    out.positional = split.operands;
    for (const auto& [option, value] : split.options) {
        const int date = sestara::parseIsoDate(value);
        if (date == 0) {
            std::cerr << "Data non valida: \"" << sestara::readableEcho(value) << "\" (AAAA-MM-GG)\n";
            return false;
        }
        (option == "--dal" ? out.from : out.to) = date;
    }
    if (out.from != 0 && out.to != 0 && out.from > out.to) {
        std::cerr << "Periodo non valido: --dal " << sestara::dateText(out.from) << " viene dopo --al "
                  << sestara::dateText(out.to) << "\n";
        return false;
    }
    return true;
}

// The draws of the archive in the range; none is said on standard error, as no figure of an empty
// period means anything.
bool drawsInRange(const sestara::DrawArchive& archive, const RangeArgs& range, std::vector<sestara::Draw>& draws)
{
    draws = archive.between(range.from, range.to);
    if (!draws.empty())
        return true;
    std::cerr << "Nessuna estrazione nel periodo";
    if (range.from != 0)
        std::cerr << " dal " << sestara::dateText(range.from);
    if (range.to != 0)
        std::cerr << (range.from != 0 ? " al " : " fino al ") << sestara::dateText(range.to);
    std::cerr << "\n";
    return false;
}

// The draws of a file in date order, its refused lines on standard error; false when it holds none.
bool readArchiveArg(const std::string& path, sestara::DrawArchive& archive)
{
    // A file of junk refuses millions of lines: the first ones are listed in one write, the rest counted.
    constexpr std::size_t kListed = 100;
    std::string report;
    std::size_t refused = 0;
    const sestara::RefusalSink each = [&](const sestara::RefusedLine& r) {
        if (++refused > kListed)
            return;
        sestara::appendRefusedLine(report, r);
        report += '\n';
    };
    const sestara::DrawFileReading file = sestara::readDrawFile(path, sestara::todayDate(), each);
    if (!file.ok()) {
        std::cerr << file.error << "\n";
        return false;
    }
    const sestara::ImportSummary summary = archive.import(file.reading, each);
    if (refused > kListed)
        report += std::to_string(refused) + " righe scartate: le prime " + std::to_string(kListed) + " sono qui sopra\n";
    if (summary.read == 0)
        report += std::string(sestara::kMsgNessunaEstrazioneFile) + "\n";
    std::cerr.write(report.data(), static_cast<std::streamsize>(report.size()));
    return summary.read > 0;
}

void appendCounts(std::string& out, const sestara::WinCounts& counts)
{
    for (int c = 0; c < sestara::kWinClasses; ++c) {
        out += ' ';
        out += sestara::winClassCaption(static_cast<sestara::WinClass>(c));
        out += ' ';
        sestara::appendDecimal(out, counts[static_cast<std::size_t>(c)]);
    }
    out += '\n';
}

void appendStella(std::string& out, const sestara::StellaCounts& counts)
{
    out += "STELLA";
    for (std::uint64_t n : counts) {
        out += ' ';
        sestara::appendDecimal(out, n);
    }
}

// The system file against every draw of the archive in the range, a line each, then the totals.
int storico(const std::vector<std::string>& args, const std::string& dataDir)
{
    RangeArgs range;
    int exitCode = 0;
    if (!readRangeArgs(args, range, exitCode))
        return exitCode;
    if (range.positional.size() != 2)
        return usage();
    sestara::DrawArchive archive;
    if (!readArchiveArg(range.positional[1], archive))
        return 1;
    std::vector<sestara::Draw> draws;
    if (!drawsInRange(archive, range, draws))
        return 1;
    DevelopedFile developed;
    if (!developFile(range.positional[0], dataDir, developed))
        return 1;
    const std::atomic<bool> never{false};
    const sestara::HistoryResult result =
        sestara::checkHistory(developed.development, draws, never, {}, developed.superStar);
    std::string out;
    for (const sestara::HistoryRow& row : result.rows) {
        out += sestara::dateText(row.draw.date);
        appendCounts(out, row.counts);
        if (row.stellaCounted) {
            out.back() = ' ';
            appendStella(out, row.stella);
            out += '\n';
        }
    }
    out += "TOTALE";
    appendCounts(out, result.totals);
    if (developed.superStar != 0) {
        appendStella(out, result.stellaTotals);
        out += '\n';
    }
    out += "VINCENTI " + std::to_string(result.winningDraws) + "\n";
    if (result.withoutSuperStar > 0)
        std::cerr << sestara::withoutSuperStarText(result.withoutSuperStar) << "\n";
    std::cout << out;
    std::cout.flush();
    return std::cout ? 0 : 1;
}

// The figures of every number over the draws of the archive in the range.
int statistiche(const std::vector<std::string>& args)
{
    RangeArgs range;
    int exitCode = 0;
    if (!readRangeArgs(args, range, exitCode))
        return exitCode;
    if (range.positional.size() != 1)
        return usage();
    sestara::DrawArchive archive;
    if (!readArchiveArg(range.positional[0], archive))
        return 1;
    std::vector<sestara::Draw> draws;
    if (!drawsInRange(archive, range, draws))
        return 1;
    std::string out;
    for (const sestara::NumberStats& s : sestara::numberStats(draws))
        out += std::to_string(s.number) + " FREQ " + std::to_string(s.frequency) + " JOLLY " +
               std::to_string(s.jolly) + " RITARDO " + std::to_string(s.delay) + " MAX " +
               std::to_string(s.longestDelay) + "\n";
    std::cout << out;
    std::cout.flush();
    return std::cout ? 0 : 1;
}

// Checks every stored system of the catalogue against its guarantee, one line each.
int verifica(const std::vector<std::string>& args, const std::string& dataDir)
{
    if (!args.empty())
        return usage();
    const sestara::FileContents table = sestara::readDataFile(dataDir, sestara::kRiduttoreFileName);
    const sestara::FileContents text = sestara::readDataFile(dataDir, sestara::kImmediatiFileName);
    int failures = 0;
    auto report = [&](const std::string& entry, const sestara::StoredSystem& s, int n, const sestara::Guarantee& g,
                      std::uint64_t expected) {
        std::string verdict;
        if (!s.ok()) {
            verdict = "NON verificato: " + s.error;
        } else if (s.columns.size() != expected) {
            verdict = "NON verificato: " + std::to_string(s.columns.size()) + " colonne invece di " +
                      std::to_string(expected);
        } else {
            const sestara::CoverageReport r = sestara::verifyCoverage(s.columns, n, g);
            if (r.ok()) {
                verdict = "verificato";
            } else if (!r.error.empty()) {
                verdict = "NON verificato: " + r.error;
            } else {
                verdict = "NON verificato: " + std::to_string(r.uncovered) + " combinazioni scoperte, la prima";
                for (int v : r.firstUncovered)
                    verdict += " " + std::to_string(v);
            }
        }
        if (verdict != "verificato")
            ++failures;
        std::cout << entry << "\t" << s.columns.size() << " colonne\tgaranzia " << sestara::guaranteeText(g) << "\t"
                  << verdict << "\n";
    };
    for (const auto& e : sestara::immediateEntries()) {
        const std::string entry = sestara::immediateEntryText(e);
        sestara::StoredSystem s;
        if (text.ok())
            s = sestara::readImmediateSystem(text.bytes, entry, e.size);
        else
            s.error = text.error;
        report(entry, s, e.size, sestara::immediateGuarantee(e.guarantee), static_cast<std::uint64_t>(e.columns));
    }
    for (int n = sestara::kMinPredictionSize; n <= sestara::kMaxPredictionSize; ++n)
        for (int level = 1; level <= 3; ++level) {
            if (!sestara::reducedSystemOffered(n, level))
                continue;
            sestara::StoredSystem s;
            if (table.ok())
                s = sestara::readReducedSystem(table.bytes, n, level);
            else
                s.error = table.error;
            report(sestara::reducedEntryText(n, level), s, n, sestara::reducedGuarantee(level),
                   s.ok() ? s.declaredCount : 0);
        }
    if (failures)
        std::cout << failures << " sistemi NON verificati\n";
    return failures ? 1 : 0;
}

// A system made to measure, searched afresh on every call (the window keeps what it made; this
// does not): its size, the drawn sets it covers, and the columns.
int sumisura(const std::vector<std::string>& args, const std::string& dataDir)
{
    sestara::SuMisuraRequest request;
    std::string error;
    if (!sestara::readSuMisuraArguments(args, request, error)) {
        std::cerr << error << "\n";
        return 2;
    }
    request.dataFolder = dataDir;
    const std::atomic<bool> never{false};
    const sestara::SuMisuraResult result = sestara::makeSuMisura(request, never);
    if (!result.ok()) {
        std::cerr << result.error << "\n";
        return 1;
    }
    std::cout << sestara::suMisuraListing(result);
    std::cout.flush();
    return std::cout ? 0 : 1;
}

// Every system that fits the budget for the prediction's count, best first, a line each.
int consiglia(const std::vector<std::string>& args, const std::string& dataDir)
{
    const sestara::CommandArguments split = sestara::splitCommandArguments(args, {}, {"--budget", "--punti"});
    std::string budget, goal = "3";
    for (const auto& [name, value] : split.options)
        (name == "--budget" ? budget : goal) = value;
    const std::vector<std::string>& positional = split.operands;
    if (split.missingValue || positional.size() != 1 || budget.empty())
        return usage();
    sestara::AdviceRequest request;
    std::string refused = sestara::readPredictionCount(positional[0], request.numbers);
    const std::optional<std::uint64_t> cents = sestara::parseEuro(budget);
    if (refused.empty() && !cents)
        refused = sestara::kMsgBudgetNonValido;
    if (refused.empty() && (goal.size() != 1 || goal[0] < '2' || goal[0] > '5'))
        refused = "Punti non validi: \"" + sestara::readableEcho(goal) + "\" (da 2 a 5)";
    if (!refused.empty()) {
        std::cerr << refused << "\n";
        return 2;
    }
    request.budgetCents = *cents;
    request.goal = goal[0] - '0';
    request.dataDir = dataDir;
    // A column at the price the window plays it: the settings file's.
    const sestara::SettingsReading settings =
        sestara::loadSettingsFile(sestara::joinPath(dataDir, sestara::kSettingsFileName));
    request.columnCents = static_cast<std::uint64_t>(std::llround(settings.settings.costoColonna));
    const std::atomic<bool> never{false};
    const sestara::Advice advice = sestara::advise(request, never);
    if (!advice.ok()) {
        std::cerr << advice.error << "\n";
        return 1;
    }
    std::string out;
    for (const sestara::AdviceCandidate& c : advice.candidates)
        out += sestara::adviceLine(c);
    std::cout << out;
    std::cout.flush();
    return std::cout ? 0 : 1;
}

int run(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const sestara::CommandLineOptions options{
        {"--vincenti"},
        {"--dati", "--dal", "--al", "--superstar", "--colonne", "--livello", "--budget", "--punti"},
        false};
    const sestara::CommandLineCheck check = sestara::checkCommandLine(args, options);
    switch (check.request) {
    case sestara::CommandLineRequest::Help:
        std::cout << kUsage;
        return std::cout.flush() ? 0 : 1;
    case sestara::CommandLineRequest::Version:
        std::cout << kProgram << ' ' << SESTARA_VERSION << '\n';
        return std::cout.flush() ? 0 : 1;
    case sestara::CommandLineRequest::UnknownOption:
        std::cerr << sestara::unknownOptionText(kProgram, check.option) << '\n';
        return 2;
    case sestara::CommandLineRequest::Run:
        break;
    }
    std::string dataDir = sestara::findDataFolder(programFolder(argc > 0 ? argv[0] : nullptr).string());
    if (!args.empty() && args[0] == "--dati") {
        if (args.size() < 2)
            return usage();
        dataDir = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    // "--" ends the options wherever it stands: before the command, everything after it is an operand.
    const bool operandsOnly = !args.empty() && args[0] == "--";
    if (operandsOnly)
        args.erase(args.begin());
    if (args.empty())
        return usage();
    const std::string command = args[0];
    args.erase(args.begin());
    if (operandsOnly)
        args.insert(args.begin(), "--");
    const auto operands = [&args] { return sestara::splitCommandArguments(args, {}, {}).operands; };
    if (command == "catalogo")
        return catalogo(operands());
    if (command == "sviluppa")
        return sviluppa(operands(), dataDir);
    if (command == "garanzie")
        return garanzie(operands(), dataDir);
    if (command == "spoglio")
        return spoglio(args, dataDir);
    if (command == "verifica")
        return verifica(operands(), dataDir);
    if (command == "storico")
        return storico(args, dataDir);
    if (command == "statistiche")
        return statistiche(args);
    if (command == "sumisura")
        return sumisura(args, dataDir);
    if (command == "consiglia")
        return consiglia(args, dataDir);
    return usage();
}

} // namespace

// A command that runs out of memory, or fails in any other way the library reports by an
// exception, ends with a message and exit code 1 instead of an abort.
int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cerr << "Memoria insufficiente: l'operazione richiede più memoria di quella disponibile.\n";
    } catch (const std::exception& e) {
        std::cerr << "Errore imprevisto: " << e.what() << "\n";
    }
    return 1;
}
