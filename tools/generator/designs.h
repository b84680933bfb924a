#pragma once

// One design per file under the designs folder: "#" lines of notes, then one column a line,
// positions 1..n separated by blanks.

#include "core/design/search.h"

#include <string>

namespace gen {

// The searches live in the core; the generator names them as its own.
using namespace sestara::design;

struct DesignFile {
    Design columns;       // 0-based points
    std::string method;
    double seconds = 0;   // time spent producing it, summed over the runs that improved it
    bool ok = false;
};

// The name of a design: "ridotto-30-2", "tre3-22", "tre4-17", "quattro4-10".
struct DesignName {
    enum Kind { Ridotto, Tre3, Tre4, Quattro4 } kind = Ridotto;
    int n = 0;
    int level = 0;
    std::string text() const;
    Problem problem() const;
    static bool parse(const std::string& text, DesignName& out);
};

DesignFile loadDesign(const std::string& folder, const DesignName& name);
bool saveDesign(const std::string& folder, const DesignName& name, const DesignFile& file);

} // namespace gen
