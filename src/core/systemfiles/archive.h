#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sestara {

// Orders file names as a person reads them: letters without regard to case, and every run of
// digits by its value, so "Sistema 2" comes before "Sistema 10". Names equal under that reading
// (differing only in case or in leading zeros) are ordered by their bytes, so the order is total.
// Letter case is folded for ASCII only; other bytes compare as they are.
int naturalCompare(std::string_view a, std::string_view b);
bool naturalLess(std::string_view a, std::string_view b);
void sortNaturally(std::vector<std::string>& names);

// A system file's name: it ends with ".sup" in any letter case and has something before it.
bool isSystemFileName(std::string_view name);

} // namespace sestara
