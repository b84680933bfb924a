#include "generator/designs.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace gen {

std::string DesignName::text() const
{
    switch (kind) {
    case Ridotto:
        return "ridotto-" + std::to_string(n) + "-" + std::to_string(level);
    case Tre3:
        return "tre3-" + std::to_string(n);
    case Tre4:
        return "tre4-" + std::to_string(n);
    case Quattro4:
        return "quattro4-" + std::to_string(n);
    }
    return {};
}

Problem DesignName::problem() const
{
    switch (kind) {
    case Ridotto:
        return Problem{n, 6, 6 - level};
    case Tre3:
        return Problem{n, 3, 3};
    case Tre4:
        return Problem{n, 4, 3};
    case Quattro4:
        return Problem{n, 4, 4};
    }
    return {};
}

bool DesignName::parse(const std::string& text, DesignName& out)
{
    int a = 0, b = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "ridotto-%d-%d%c", &a, &b, &tail) == 2 && a >= 10 && a <= 55 && b >= 1 && b <= 3) {
        out = DesignName{Ridotto, a, b};
        return true;
    }
    const struct {
        const char* pattern;
        Kind kind;
    } others[] = {{"tre3-%d%c", Tre3}, {"tre4-%d%c", Tre4}, {"quattro4-%d%c", Quattro4}};
    for (const auto& o : others)
        if (std::sscanf(text.c_str(), o.pattern, &a, &tail) == 1 && a >= 6 && a <= 55) {
            out = DesignName{o.kind, a, 0};
            return true;
        }
    return false;
}

static std::string pathOf(const std::string& folder, const DesignName& name)
{
    return folder + "/" + name.text() + ".txt";
}

DesignFile loadDesign(const std::string& folder, const DesignName& name)
{
    DesignFile f;
    std::ifstream in(pathOf(folder, name));
    if (!in)
        return f;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (line[0] == '#') {
            if (line.rfind("# metodo: ", 0) == 0)
                f.method = line.substr(10);
            else if (line.rfind("# secondi: ", 0) == 0)
                f.seconds = std::atof(line.c_str() + 11);
            continue;
        }
        std::istringstream ls(line);
        Set s{};
        int count = 0, v = 0;
        while (ls >> v) {
            if (count >= 6 || v < 1 || v > name.n)
                return DesignFile{};
            s[static_cast<std::size_t>(count++)] = static_cast<std::uint8_t>(v - 1);
        }
        if (count != 6)
            return DesignFile{};
        f.columns.push_back(s);
    }
    f.ok = !f.columns.empty();
    return f;
}

bool saveDesign(const std::string& folder, const DesignName& name, const DesignFile& file)
{
    // Written whole to a file beside the design, then renamed over it: a failed save leaves the
    // stored design as it was.
    const std::string path = pathOf(folder, name);
    const std::string temp = path + ".tmp";
    std::ostringstream text;
    const Problem p = name.problem();
    text << "# " << name.text() << ": " << name.n << " numeri, almeno " << p.m << " su " << p.s
         << " in una colonna\n";
    text << "# colonne: " << file.columns.size() << "\n";
    text << "# metodo: " << file.method << "\n";
    char secs[32];
    std::snprintf(secs, sizeof secs, "%.1f", file.seconds);
    text << "# secondi: " << secs << "\n";
    for (const Set& s : file.columns)
        text << s[0] + 1 << ' ' << s[1] + 1 << ' ' << s[2] + 1 << ' ' << s[3] + 1 << ' ' << s[4] + 1 << ' ' << s[5] + 1
             << "\n";
    const std::string bytes = text.str();
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    out.close();
    std::error_code ec;
    if (out)
        std::filesystem::rename(temp, path, ec);
    if (!out || ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

} // namespace gen
