#include "generator/commands.h"

#include "generator/designs.h"
#include "core/design/search.h"

#include "core/development/catalogue.h"
#include "core/development/storedsystems.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace gen {

namespace {

// The design that an immediate system of the catalogue is built from.
DesignName immediateDesign(const sestara::ImmediateEntry& e)
{
    DesignName name{DesignName::Tre3, e.size, 0};
    if (e.guarantee == sestara::ImmediateGuarantee::TreCon4)
        name.kind = DesignName::Tre4;
    else if (e.guarantee == sestara::ImmediateGuarantee::QuattroCon4)
        name.kind = DesignName::Quattro4;
    return name;
}

// A design for n numbers from one for n + 1: the last number is replaced in every column by the
// smallest number the column lacks; duplicates go. Whatever the guarantee was, it still holds.
Design restrict(const Design& d, int n)
{
    Design out;
    for (Set s : d) {
        std::uint64_t mask = maskOf(s.data(), 6);
        for (auto& v : s)
            if (v == n) {
                int r = 0;
                while (mask >> r & 1u)
                    ++r;
                v = static_cast<std::uint8_t>(r);
                mask |= std::uint64_t{1} << r;
            }
        out.push_back(s);
    }
    normalise(out);
    return out;
}

struct Shipped {
    DesignName name;
    Design columns;
    std::string method;
    double seconds = 0;
    bool restricted = false;
};

// The reduced systems to ship: for each level, from the largest size down, a design is never larger
// than the one for one number more (which is restricted when it is smaller).
bool shippedReduced(const std::string& folder, std::map<std::pair<int, int>, Shipped>& out)
{
    bool ok = true;
    for (int level = 1; level <= 3; ++level) {
        for (int n = 55; n >= 10; --n) {
            if (!sestara::reducedSystemOffered(n, level))
                continue;
            const DesignName name{DesignName::Ridotto, n, level};
            const DesignFile f = loadDesign(folder, name);
            Shipped s{name, f.columns, f.method, f.seconds, false};
            auto up = out.find({n + 1, level});
            if (up != out.end() && (!f.ok || up->second.columns.size() < f.columns.size())) {
                s.columns = restrict(up->second.columns, n);
                s.method = "ridotto da " + std::to_string(n + 1) + " numeri";
                s.restricted = true;
            }
            if (s.columns.empty()) {
                std::cerr << "Manca il disegno " << name.text() << "\n";
                ok = false;
            }
            out[{n, level}] = s;
        }
    }
    return ok;
}

// Why a file could not be written, from the system's error number.
std::string writeFailure(int error)
{
    switch (error) {
    case ENOTDIR:
        return "una parte del percorso non è una cartella";
    case ENOENT:
        return "la cartella non esiste";
    case EACCES:
    case EPERM:
        return "accesso negato";
    case EISDIR:
        return "al suo posto c'è una cartella";
    case ENOSPC:
        return "spazio esaurito sul disco";
    case EROFS:
        return "il disco è in sola lettura";
    case 0:
        return "errore di scrittura";
    default:
        return std::generic_category().message(error);
    }
}

// Writes the bytes to a file at `path`, flushed and closed; false with the reason otherwise.
bool writeWhole(const std::string& path, const std::string& bytes, std::string& error)
{
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const bool created = out.is_open();
    if (created) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        out.close();
    }
    if (!out) {
        error = "Impossibile scrivere il file " + path + ": " + writeFailure(errno) + ".";
        // What was written in part goes; whatever stood in the way of opening it stays.
        if (created) {
            std::error_code ignored;
            std::filesystem::remove(path, ignored);
        }
        return false;
    }
    return true;
}

// Puts the written file in place of the target in one step: the target is either the old file or the new.
bool renameOver(const std::string& from, const std::string& to, std::string& error)
{
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    if (ec) {
        error = "Impossibile sostituire il file " + to + ": " + writeFailure(ec.value()) + ".";
        return false;
    }
    return true;
}

Design padded(Design d, std::size_t k, int n)
{
    normalise(d);
    // Distinct columns are added in the order of their combinatorial rank until there are k.
    std::uint8_t x[6] = {0, 1, 2, 3, 4, 5};
    for (std::uint64_t r = 0; d.size() < k && r < choose(n, 6); ++r) {
        unrank(r, 6, x);
        Set s{};
        std::copy(x, x + 6, s.begin());
        if (std::find(d.begin(), d.end(), s) == d.end())
            d.push_back(s);
    }
    return d;
}

std::string grouped(std::uint64_t v)
{
    std::string s = std::to_string(v);
    for (int i = static_cast<int>(s.size()) - 3; i > 0; i -= 3)
        s.insert(static_cast<std::size_t>(i), ",");
    return s;
}

// The sizes we set out to reach for the reduced systems (columns, at most).
struct Goal {
    int n;
    int level;
    std::size_t columns;
};
const Goal kGoals[] = {{20, 1, 1000}, {25, 1, 3700}, {30, 1, 10500}, {35, 1, 25000}, {39, 1, 45000},
                       {20, 2, 85},   {30, 2, 540},  {40, 2, 2200},   {50, 2, 6000},   {30, 3, 40},
                       {40, 3, 100},  {50, 3, 170},  {55, 3, 260}};

} // namespace

int assembla(const Options& o)
{
    if (o.output.empty()) {
        std::cerr << "Manca --uscita CARTELLA\n";
        return 2;
    }
    std::map<std::pair<int, int>, Shipped> reduced;
    bool ok = shippedReduced(o.folder, reduced);

    // "Riduttore": systems in order of their start records; gaps are filled with headers of no system.
    struct Placed {
        long start;
        int n;
        int level;
        const Design* design;
    };
    std::vector<Placed> order;
    for (const auto& [key, s] : reduced)
        order.push_back(Placed{sestara::startRecord(key.first, key.second), key.first, key.second, &s.columns});
    std::sort(order.begin(), order.end(), [](const Placed& a, const Placed& b) {
        return a.start != b.start ? a.start < b.start : (a.n != b.n ? a.n < b.n : a.level < b.level);
    });
    std::string table;
    long record = 0;
    for (const Placed& pl : order) {
        const Problem p{pl.n, 6, 6 - pl.level};
        if (!verified(*pl.design, p)) {
            std::cerr << "Il sistema ridotto " << pl.n << "-" << pl.level << " non rispetta la garanzia\n";
            ok = false;
        }
        while (record < pl.start) {
            table += std::string("\xC8\xC8\0\0\0\0", 6);
            ++record;
        }
        std::uint8_t header[6] = {static_cast<std::uint8_t>(100 + pl.n), static_cast<std::uint8_t>(100 + pl.level)};
        if (!sestara::encodeColumnCount(pl.design->size(), header + 2)) {
            std::cerr << "Conteggio non codificabile\n";
            return 1;
        }
        table.append(reinterpret_cast<const char*>(header), 6);
        ++record;
        for (const Set& s : *pl.design) {
            for (int i = 0; i < 6; ++i)
                table += static_cast<char>(s[static_cast<std::size_t>(i)] + 1);
            ++record;
        }
    }

    std::string immediate;
    for (const auto& e : sestara::immediateEntries()) {
        const DesignName name = immediateDesign(e);
        const DesignFile f = loadDesign(o.folder, name);
        const std::size_t k = static_cast<std::size_t>(e.columns);
        if (!f.ok || f.columns.size() > k || !verified(f.columns, name.problem())) {
            std::cerr << "Manca un disegno valido di al massimo " << k << " colonne per " << name.text() << "\n";
            ok = false;
            continue;
        }
        const Design d = padded(f.columns, k, e.size);
        immediate += sestara::immediateEntryText(e) + "\r\n";
        for (const Set& s : d)
            immediate += std::to_string(s[0] + 1) + " " + std::to_string(s[1] + 1) + " " + std::to_string(s[2] + 1) +
                         " " + std::to_string(s[3] + 1) + " " + std::to_string(s[4] + 1) + " " +
                         std::to_string(s[5] + 1) + "\r\n";
        immediate += "***\r\n";
    }
    if (!ok)
        return 1;
    const std::string riduttore = sestara::joinPath(o.output, sestara::kRiduttoreFileName);
    const std::string immediati = sestara::joinPath(o.output, sestara::kImmediatiFileName);
    // Both files are written whole beside their targets before either replaces the old one.
    const std::pair<std::string, const std::string*> outputs[] = {{riduttore, &table}, {immediati, &immediate}};
    std::string error;
    std::vector<std::string> written;
    bool done = true;
    for (const auto& [path, bytes] : outputs) {
        if (!writeWhole(path + ".tmp", *bytes, error)) {
            done = false;
            break;
        }
        written.push_back(path + ".tmp");
    }
    for (std::size_t i = 0; done && i < written.size(); ++i)
        done = renameOver(written[i], outputs[i].first, error);
    if (!done) {
        std::error_code ignored;
        for (const std::string& temp : written)
            std::filesystem::remove(temp, ignored);
        std::cerr << error << "\n";
        return 1;
    }
    say("Scritti " + riduttore + " (" + std::to_string(record) + " record) e " + immediati);
    return 0;
}

int tabella(const Options& o)
{
    std::map<std::pair<int, int>, Shipped> reduced;
    shippedReduced(o.folder, reduced);
    std::cout << "| System | Goal | Columns | Lower bound | Reached |\n|---|---:|---:|---:|---|\n";
    for (const Goal& g : kGoals) {
        auto it = reduced.find({g.n, g.level});
        const std::size_t cols = it == reduced.end() ? 0 : it->second.columns.size();
        const Problem p{g.n, 6, 6 - g.level};
        const std::uint64_t bound = (choose(p.n, p.s) + coveredPerColumn(p) - 1) / coveredPerColumn(p);
        std::cout << "| " << sestara::reducedEntryText(g.n, g.level) << " | " << grouped(g.columns) << " | "
                  << (cols ? grouped(cols) : "—") << " | " << grouped(bound) << " | "
                  << (cols && cols <= g.columns ? "yes" : "no") << " |\n";
    }
    std::cout << "\n";
    std::cout << "| System | Columns | Lower bound | Seconds | Method |\n|---|---:|---:|---:|---|\n";
    auto row = [](const std::string& entry, const Problem& p, std::size_t cols, double secs, const std::string& m) {
        const std::uint64_t bound =
            (choose(p.n, p.s) + coveredPerColumn(p) - 1) / coveredPerColumn(p);
        char t[32];
        std::snprintf(t, sizeof t, "%.1f", secs);
        std::cout << "| " << entry << " | " << (cols ? grouped(cols) : "—") << " | " << grouped(bound) << " | " << t
                  << " | " << m << " |\n";
    };
    for (const auto& e : sestara::immediateEntries()) {
        const DesignName name = immediateDesign(e);
        const DesignFile f = loadDesign(o.folder, name);
        const std::string note = f.ok && f.columns.size() < static_cast<std::size_t>(e.columns)
                                     ? f.method + " (" + std::to_string(f.columns.size()) + " colonne, completate a " +
                                           std::to_string(e.columns) + ")"
                                     : f.method;
        row(sestara::immediateEntryText(e), name.problem(), f.ok ? static_cast<std::size_t>(e.columns) : 0, f.seconds,
            note);
    }
    for (int level = 1; level <= 3; ++level)
        for (int n = 10; n <= 55; ++n) {
            auto it = reduced.find({n, level});
            if (it == reduced.end())
                continue;
            row(sestara::reducedEntryText(n, level), Problem{n, 6, 6 - level}, it->second.columns.size(),
                it->second.restricted ? 0.0 : it->second.seconds, it->second.method);
        }
    return 0;
}

} // namespace gen
