// Command-line front end: the catalogue, and developing a system file as the program does.
#include "development/catalogue.h"
#include "development/developers.h"
#include "development/run.h"
#include "systemfiles/systemfile.h"
#include "util/text.h"

#include <atomic>
#include <climits>
#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* const kUsage =
    "Uso:\n"
    "  sestara-cli [--dati CARTELLA] catalogo [N]\n"
    "  sestara-cli [--dati CARTELLA] sviluppa FILE.sup\n";

int usage()
{
    std::cerr << kUsage;
    return 2;
}

// The folder of the executable, where the data files are installed.
std::string programFolder()
{
    char buf[PATH_MAX];
    const ssize_t len = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (len <= 0)
        return ".";
    std::string path(buf, static_cast<std::size_t>(len));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
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

int sviluppa(const std::vector<std::string>& args, const std::string& dataDir)
{
    if (args.size() != 1)
        return usage();
    const sestara::LoadOutcome loaded = sestara::readSystemFile(args[0]);
    if (!loaded.ok()) {
        std::cerr << sestara::kMsgErroreCaricamento << "\n" << loaded.error << "\n";
        return 1;
    }
    const sestara::LoadedSystem& s = loaded.system;
    const sestara::RunSelection selection{std::to_string(s.size), s.selectedIndex, s.entryText};
    const sestara::PlanOutcome planned = sestara::planDevelopment(s.prediction, selection, dataDir);
    if (!planned.ok()) {
        std::cerr << planned.refusal << "\n";
        return 1;
    }
    const std::atomic<bool> never{false};
    const sestara::RunResult result = sestara::execute(planned.plan, s.conditions, never);
    std::ios::sync_with_stdio(false);
    sestara::writeListing(std::cout, result.development);
    std::cout.flush();
    return std::cout ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string dataDir = programFolder();
    if (!args.empty() && args[0] == "--dati") {
        if (args.size() < 2)
            return usage();
        dataDir = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty())
        return usage();
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "catalogo")
        return catalogo(args);
    if (command == "sviluppa")
        return sviluppa(args, dataDir);
    return usage();
}
