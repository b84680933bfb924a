#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sestara {

// The extension of system files, the only files the archive lists.
extern const char* const kSystemExtension; // ".sup"

// Whether a file name ends in ".sup", in any letter case ("Sistema.SUP" is a system file too, as
// the archive lists it).
bool hasSystemExtension(std::string_view fileName);
// The name a save uses: the name typed, with ".sup" added when it lacks it.
std::string withSystemExtension(std::string_view fileName);
// A system file's name without its ".sup", as the system window's caption shows it.
std::string systemName(std::string_view fileName);
// Why a save under `fileName` (its ".sup" added) is refused, in Italian; empty when it is not. A
// name that is only ".sup" makes a hidden file the archive never lists; control characters make
// a name no one can read or type.
std::string saveNameProblem(std::string_view fileName);

// File names compared as a user reads them: without regard to letter case, for the ASCII letters
// and the accented Latin letters (À..Þ against à..þ) of UTF-8 names.
bool sameNameIgnoringCase(std::string_view a, std::string_view b);

// The file of a folder that a save under `fileName` replaces: the one with exactly that name when
// there is one, else the first whose name differs from it only in letter case; none when no name
// matches. Saving over the returned name keeps the folder free of names differing only in case.
std::optional<std::string> existingFileName(const std::vector<std::string>& namesInFolder,
                                            std::string_view fileName);

} // namespace sestara
