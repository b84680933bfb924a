#include "core/systemfiles/archive.h"

#include <algorithm>

namespace sestara {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

char fold(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int sign(int v)
{
    return (v > 0) - (v < 0);
}

// Compares two names by case-folded letters and digit-run values only.
int compareReading(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            std::size_t ei = i;
            while (ei < a.size() && isDigit(a[ei]))
                ++ei;
            std::size_t ej = j;
            while (ej < b.size() && isDigit(b[ej]))
                ++ej;
            // Leading zeros do not change the value; a longer significant run is a larger value.
            std::size_t si = i;
            while (si + 1 < ei && a[si] == '0')
                ++si;
            std::size_t sj = j;
            while (sj + 1 < ej && b[sj] == '0')
                ++sj;
            const std::size_t li = ei - si;
            const std::size_t lj = ej - sj;
            if (li != lj)
                return li < lj ? -1 : 1;
            const int digits = a.substr(si, li).compare(b.substr(sj, lj));
            if (digits != 0)
                return sign(digits);
            i = ei;
            j = ej;
            continue;
        }
        const auto ca = static_cast<unsigned char>(fold(a[i]));
        const auto cb = static_cast<unsigned char>(fold(b[j]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

} // namespace

int naturalCompare(std::string_view a, std::string_view b)
{
    const int reading = compareReading(a, b);
    if (reading != 0)
        return reading;
    return sign(a.compare(b));
}

bool naturalLess(std::string_view a, std::string_view b)
{
    return naturalCompare(a, b) < 0;
}

void sortNaturally(std::vector<std::string>& names)
{
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return naturalLess(a, b); });
}

bool isSystemFileName(std::string_view name)
{
    constexpr std::string_view kExtension = ".sup";
    if (name.size() <= kExtension.size())
        return false;
    const std::string_view tail = name.substr(name.size() - kExtension.size());
    return std::equal(tail.begin(), tail.end(), kExtension.begin(),
                      [](char x, char y) { return fold(x) == y; });
}

} // namespace sestara
