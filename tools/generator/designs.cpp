#include "designs.h"

#include <cstdio>
#include <fstream>
#include <sstream>

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
    const std::string path = pathOf(folder, name);
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary);
        const Problem p = name.problem();
        out << "# " << name.text() << ": " << name.n << " numeri, almeno " << p.m << " su " << p.s
            << " in una colonna\n";
        out << "# colonne: " << file.columns.size() << "\n";
        out << "# metodo: " << file.method << "\n";
        char secs[32];
        std::snprintf(secs, sizeof secs, "%.1f", file.seconds);
        out << "# secondi: " << secs << "\n";
        for (const Set& s : file.columns)
            out << s[0] + 1 << ' ' << s[1] + 1 << ' ' << s[2] + 1 << ' ' << s[3] + 1 << ' ' << s[4] + 1 << ' '
                << s[5] + 1 << "\n";
        if (!out)
            return false;
    }
    return std::rename(temp.c_str(), path.c_str()) == 0;
}

} // namespace gen
