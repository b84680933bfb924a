#pragma once

#include <string>
#include <vector>

namespace sestara {

// What "Elabora" runs for a catalogue selection.
enum class DeveloperKind { Integrale, Ridotti, Immediati };

struct DeveloperChoice {
    DeveloperKind kind = DeveloperKind::Integrale;
    int level = 0; // reduction level 1..3 for Ridotti
};

// Guarantee of a stored immediate system.
enum class ImmediateGuarantee { TreCon3, TreCon4, QuattroCon4 };

struct ImmediateEntry {
    int size;         // N
    int columns;      // K in the entry text
    ImmediateGuarantee guarantee;
};

constexpr int kMinPredictionSize = 10;
constexpr int kMaxPredictionSize = 55;
constexpr int kMaxFullSystemSize = 35;

// The size texts "10" to "55".
std::vector<std::string> catalogueSizes();

// Every catalogue entry, sizes ascending, each size's entries in catalogue order (161 in all).
const std::vector<std::string>& catalogueEntries();

// The entries offered for a prediction of n numbers; empty outside 10..55.
std::vector<std::string> catalogueEntriesForSize(int n);

// The entries for the size shown as text in the size list, compared exactly with "10".."55".
std::vector<std::string> catalogueEntriesForSizeText(const std::string& sizeText);

// The immediate systems of the catalogue, in catalogue order (18 in all).
const std::vector<ImmediateEntry>& immediateEntries();
std::string immediateEntryText(const ImmediateEntry& entry);

// Maximum reduction level offered for n numbers as a reduced system of that level exists (0 if none).
bool reducedSystemOffered(int n, int level);
std::string reducedEntryText(int n, int level);

// The developer for the selected index of the type list, the prediction count and the entry text.
DeveloperChoice chooseDeveloper(int selectedIndex, int count, const std::string& entryText);

// "Sistemi disponibili con " + first two characters + " numeri".
std::string frameCaptionForEntry(const std::string& entryText);

} // namespace sestara
