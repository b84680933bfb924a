#include "core/development/customdesign.h"

namespace sestara {

const char* const kVoceSuMisura = "Su misura…";

bool validCustomColumns(const std::vector<Positions>& columns, int numbers)
{
    for (const Positions& c : columns) {
        std::uint64_t seen = 0;
        for (std::uint8_t p : c) {
            if (p < 1 || p > numbers || (seen >> p & 1u))
                return false;
            seen |= std::uint64_t{1} << p;
        }
    }
    return true;
}

} // namespace sestara
