// Any bytes as the "Immediati" text. The first byte picks one of the catalogue's immediate
// systems, whose entry text the reader searches for; the rest of the input is the file's text.
#include "core/development/storedsystems.h"

#include "core/development/catalogue.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const auto& entries = sestara::immediateEntries();
    const sestara::ImmediateEntry& entry = entries[data[0] % entries.size()];
    const std::string entryText = sestara::immediateEntryText(entry);
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

    const sestara::StoredSystem s = sestara::readImmediateSystem(text, entryText, entry.size);
    if (s.ok() == s.columns.empty())
        std::abort(); // columns without an error, or an error with columns left behind
    if (s.ok() && s.declaredCount != static_cast<std::uint64_t>(entry.columns))
        std::abort();
    for (const sestara::Positions& p : s.columns)
        for (auto v : p)
            if (v < 1 || v > entry.size)
                std::abort();
    return 0;
}
