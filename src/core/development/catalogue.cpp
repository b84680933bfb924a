#include "core/development/catalogue.h"

#include "core/util/text.h"

namespace sestara {
namespace {

const char* guaranteeSuffix(ImmediateGuarantee g)
{
    switch (g) {
    case ImmediateGuarantee::TreCon3:
        return " sestine a garanzia tre con 3 estratti";
    case ImmediateGuarantee::TreCon4:
        return " sestine a garanzia tre con 4 estratti";
    case ImmediateGuarantee::QuattroCon4:
        return " sestine a garanzia quattro con 4 estratti";
    }
    return "";
}

std::vector<std::string> buildEntries()
{
    std::vector<std::string> all;
    for (int n = kMinPredictionSize; n <= kMaxPredictionSize; ++n) {
        const auto forSize = catalogueEntriesForSize(n);
        all.insert(all.end(), forSize.begin(), forSize.end());
    }
    return all;
}

} // namespace

std::vector<std::string> catalogueSizes()
{
    std::vector<std::string> sizes;
    for (int n = kMinPredictionSize; n <= kMaxPredictionSize; ++n)
        sizes.push_back(std::to_string(n));
    return sizes;
}

const std::vector<ImmediateEntry>& immediateEntries()
{
    using G = ImmediateGuarantee;
    static const std::vector<ImmediateEntry> entries = {
        {10, 20, G::QuattroCon4}, {10, 10, G::TreCon3}, {11, 5, G::TreCon4},
        {12, 24, G::TreCon3},     {12, 6, G::TreCon4},  {13, 21, G::TreCon3},
        {13, 9, G::TreCon4},      {14, 25, G::TreCon3}, {14, 11, G::TreCon4},
        {15, 31, G::TreCon3},     {15, 14, G::TreCon4}, {16, 43, G::TreCon3},
        {16, 16, G::TreCon4},     {17, 55, G::TreCon3}, {17, 20, G::TreCon4},
        {18, 49, G::TreCon3},     {19, 63, G::TreCon3}, {22, 77, G::TreCon3},
    };
    return entries;
}

std::string immediateEntryText(const ImmediateEntry& entry)
{
    return std::to_string(entry.size) + " numeri in " + std::to_string(entry.columns) +
           guaranteeSuffix(entry.guarantee);
}

bool reducedSystemOffered(int n, int level)
{
    switch (level) {
    case 1:
        return n >= 10 && n <= 39;
    case 2:
        return n >= 10 && n <= 50;
    case 3:
        return n >= 10 && n <= 55;
    default:
        return false;
    }
}

std::string reducedEntryText(int n, int level)
{
    return std::to_string(n) + " numeri ridotto n-" + std::to_string(level);
}

std::vector<std::string> catalogueEntriesForSize(int n)
{
    std::vector<std::string> entries;
    if (n < kMinPredictionSize || n > kMaxPredictionSize)
        return entries;
    if (n <= kMaxFullSystemSize)
        entries.push_back(std::to_string(n) + " numeri sistema Integrale");
    for (const auto& imm : immediateEntries())
        if (imm.size == n)
            entries.push_back(immediateEntryText(imm));
    for (int level = 1; level <= 3; ++level)
        if (reducedSystemOffered(n, level))
            entries.push_back(reducedEntryText(n, level));
    return entries;
}

std::vector<std::string> catalogueEntriesForSizeText(const std::string& sizeText)
{
    for (int n = kMinPredictionSize; n <= kMaxPredictionSize; ++n)
        if (sizeText == std::to_string(n))
            return catalogueEntriesForSize(n);
    return {};
}

const std::vector<std::string>& catalogueEntries()
{
    static const std::vector<std::string> entries = buildEntries();
    return entries;
}

DeveloperChoice chooseDeveloper(int selectedIndex, int count, const std::string& entryText)
{
    const int lastDigit =
        entryText.empty() ? 0 : static_cast<int>(numericValue(entryText.substr(entryText.size() - 1)));
    if (selectedIndex == 0 && count <= kMaxFullSystemSize)
        return {DeveloperKind::Integrale, 0};
    if (selectedIndex == 0 || lastDigit >= 1)
        return {DeveloperKind::Ridotti, lastDigit};
    return {DeveloperKind::Immediati, 0};
}

std::string frameCaptionForEntry(const std::string& entryText)
{
    return "Sistemi disponibili con " + entryText.substr(0, 2) + " numeri";
}

} // namespace sestara
