// Any bytes as the text of the settings file: what is read stays within the ranges the settings
// dialog accepts (or is one of the program's own values), and a save followed by a new reading
// gives back exactly the settings that were saved.
#include "core/settings/settingsfile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool within(int value, sestara::SettingRange range)
{
    return value >= range.minimum && value <= range.maximum;
}

bool same(const sestara::Settings& a, const sestara::Settings& b)
{
    return a.costoColonna == b.costoColonna && a.superPunto == b.superPunto && a.margine2sup == b.margine2sup &&
           a.margine2sin == b.margine2sin && a.spoglio == b.spoglio && a.ritardatari == b.ritardatari &&
           a.costoSuperStar == b.costoSuperStar;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const sestara::SettingsReading first = sestara::readSettingsText(text);
    const sestara::Settings& s = first.settings;
    // A margin missing from the file stays 0, which the dialog accepts; the other two never stay 0.
    if (!(s.costoColonna >= sestara::kCostoColonnaRange.minimum - 0.5 &&
          s.costoColonna <= sestara::kCostoColonnaRange.maximum + 0.5) ||
        !within(s.superPunto, sestara::kSuperPuntoRange) || !within(s.margine2sup, sestara::kMargineRange) ||
        !within(s.margine2sin, sestara::kMargineRange) || !within(s.costoSuperStar, sestara::kCostoSuperStarRange))
        std::abort();
    const std::string saved = sestara::rewriteSettingsText(text, s);
    const sestara::SettingsReading again = sestara::readSettingsText(saved);
    if (!same(again.settings, s) || (first.ok() && !again.ok()))
        std::abort();
    return 0;
}
