// Any bytes as the text of a system file: the reader either loads it or gives a reason. What it
// loads must stay within the ranges the system window shows, and must display and save again.
#include "core/systemfiles/systemfile.h"

#include "core/conditions/conditionset.h"
#include "core/development/catalogue.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const sestara::LoadOutcome out = sestara::readSystemFileText(text);
    if (!out.ok())
        return 0;
    const sestara::LoadedSystem& s = out.system;
    const auto entries = sestara::catalogueEntriesForSize(s.size);
    if (entries.empty() || s.selectedIndex < 0 || static_cast<std::size_t>(s.selectedIndex) >= entries.size() ||
        entries[static_cast<std::size_t>(s.selectedIndex)] != s.entryText)
        std::abort();
    if (s.prediction.count() > sestara::kMaxPredictionNumbers)
        std::abort();
    for (auto n : s.prediction.numbers())
        if (n < 1 || n > 90)
            std::abort();
    if (s.conditions.gruppi.size() > static_cast<std::size_t>(sestara::kMaxGroups))
        std::abort();
    for (const sestara::Group& g : s.conditions.gruppi)
        sestara::groupNumbers(g.numeri);
    sestara::conditionDisplay(s.conditions);
    if (s.superStar < 0 || s.superStar > 90)
        std::abort();
    sestara::SavedSystem again{s.entryText, s.prediction.numbers(), s.conditions};
    again.superStar = s.superStar;
    sestara::systemFileText(again);
    return 0;
}
