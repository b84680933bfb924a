// Any bytes as the "Riduttore" table. The first byte picks the prediction size (10..55) and the
// second the reduction level (1..3); when the second byte's high bit is set, the rest of the input
// is placed after the size's start record (zero records before it), so the search for every size
// of the catalogue is reached with a short input. The rest of the input is the table.
#include "core/development/storedsystems.h"

#include "core/development/catalogue.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int n = sestara::kMinPredictionSize + data[0] % (sestara::kMaxPredictionSize - sestara::kMinPredictionSize + 1);
    const int level = 1 + (data[1] & 0x7f) % 3;
    const bool afterStart = (data[1] & 0x80) != 0;
    // One buffer for every input: the zero records before a late start run to 2.8 MB, and a fresh
    // allocation of that size for each input would slow the fuzzer tenfold.
    static std::string table;
    table.assign(afterStart ? static_cast<std::size_t>(sestara::startRecord(n, level)) * 6 : 0, '\0');
    table.append(reinterpret_cast<const char*>(data) + 2, size - 2);

    const sestara::StoredSystem s = sestara::readReducedSystem(table, n, level);
    if (s.ok() == s.columns.empty())
        std::abort(); // columns without an error, or an error with columns left behind
    for (const sestara::Positions& p : s.columns)
        for (auto v : p)
            if (v < 1 || v > n)
                std::abort();
    return 0;
}
