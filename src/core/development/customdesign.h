#pragma once

#include "core/development/storedsystems.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sestara {

// The last entry of every size's type list: a system made to measure, asked for in a dialog.
extern const char* const kVoceSuMisura; // "Su misura…"

// A design the window holds beside the catalogue: made to measure, or handed over by another
// window. Its entry text names it in the type list, in "Sviluppo" and in the system file; its
// columns are positions 1..numbers into the prediction in ascending order, as for a stored system,
// so the conditions and every page treat it as any development. A text that states a guarantee
// ("... garanzia k se m") has its share shown; any other shows none.
struct CustomDesign {
    std::string entryText;
    int numbers = 0;
    std::vector<Positions> columns;
};

// The design's columns are the positions of `numbers` numbers, six different ones each.
bool validCustomColumns(const std::vector<Positions>& columns, int numbers);

} // namespace sestara
