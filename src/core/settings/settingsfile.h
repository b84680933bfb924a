#pragma once

#include "core/settings/settings.h"

#include <string>
#include <string_view>

namespace sestara {

// The settings file, kept in the folder of the user's files.
inline constexpr const char* kSettingsFileName = "Corvano.ini";

// The values the settings dialog accepts for a setting.
struct SettingRange {
    int minimum;
    int maximum;
};
inline constexpr SettingRange kCostoColonnaRange{1, 1000};
inline constexpr SettingRange kSuperPuntoRange{10, 24};
inline constexpr SettingRange kMargineRange{0, 1000};
inline constexpr SettingRange kCostoSuperStarRange{1, 1000};

// Rounds to the nearest integer, halves to the even one (2.5 gives 2, 3.5 gives 4).
double roundHalfEven(double value);

// The settings read from the file, and the first thing wrong with them.
struct SettingsReading {
    // A value that is not a number or lies outside its range is replaced by its "Predefiniti"
    // value (a bad "Ritardatari" by 0); so is every setting of a file that could not be read.
    Settings settings;
    // In Italian, naming the line, the key and the accepted range; empty when all is well.
    std::string problem;
    bool ok() const { return problem.empty(); }
};

// Reads the settings from the file's text. A line belongs to a key when it begins with exactly the
// key's characters; its value is the rest of the line after one separator character, whatever that
// character is. The last line of a key wins; a key with no line leaves its setting 0 (or empty),
// except "Costosuperstar", which older files lack: without its line SuperStar costs 50 cents.
// Lines end with LF, with or without a CR before it.
SettingsReading readSettingsText(std::string_view text);

// The file's text for a save: each line of a key keeps its key and separator and takes the
// setting's current value; every other line stays as it is, in its place. Each line ends in CR LF.
// A key with no line gets none, except a SuperStar price other than 50 cents, whose line is added
// at the end.
std::string rewriteSettingsText(std::string_view text, const Settings& settings);

// Reads the settings file at `path`; a file that cannot be read gives the "Predefiniti" values.
SettingsReading loadSettingsFile(const std::string& path);

// Rewrites the settings file at `path` with the settings in one step; the old file stays when this
// fails. A file that does not read back whole also gets a line for each key it lacks. Returns why
// it failed (in Italian), empty on success.
std::string saveSettingsFile(const std::string& path, const Settings& settings);

} // namespace sestara
