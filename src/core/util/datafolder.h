#pragma once

#include <string>

namespace sestara {

// Whether the folder holds the stored-systems data files ("Riduttore" or "Immediati").
bool holdsDataFiles(const std::string& folder);

// The folder of the data files for a program in `programFolder`: beside the executable (the
// build tree, a copied program folder), else the installed share folder next to its bin folder.
// With neither, the program folder, so messages about a missing file name where it was expected.
std::string findDataFolder(const std::string& programFolder);

} // namespace sestara
