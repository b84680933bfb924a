#pragma once

#include "core/development/verifier.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sestara {

class Development;

// Every draw of six numbers out of ninety, C(90, 6).
constexpr std::uint64_t kAllDraws = 622614630;

// What a development guarantees: for every set of drawn numbers among the prediction's, the most
// numbers one column holds of them (the score of its best column), and how many draws of six
// reach each score. The bonus number plays no part.
struct GuaranteeAnalysis {
    std::string error;        // the columns are not made of the prediction's numbers
    bool interrupted = false; // stopped on request: the counts are not to be used
    int size = 0;             // numbers in the prediction
    std::uint64_t columns = 0;
    // bySubset[h][v]: the h-subsets of the prediction whose best column holds exactly v of them.
    std::array<std::array<std::uint64_t, 7>, 7> bySubset{};
    // atLeast[k]: of the kAllDraws draws, those whose best column holds k numbers or more.
    std::array<std::uint64_t, 7> atLeast{};

    bool ok() const { return error.empty() && !interrupted; }
    // The largest number of drawn numbers that can fall in the prediction, min(6, n).
    int largestDrawn() const { return size < 6 ? size : 6; }
    // The h-subsets of the prediction, C(n, h).
    std::uint64_t subsets(int h) const;
    // The lowest score of any h-subset: what h drawn numbers are sure to win.
    int lowestScore(int h) const;
};

// Receives the work done so far, in the units of guaranteeWork.
using GuaranteeProgress = std::function<void(std::uint64_t done)>;

// The whole work of an analysis of `columns` columns over n numbers.
std::uint64_t guaranteeWork(int n, std::uint64_t columns);

// The analysis of the development over the prediction (ascending, 6 to 55 numbers). The scores
// are built level by level over the m-subsets of the prediction, m = 1..6, one byte each in
// colex order: a subset held whole by a column scores m, any other the best of its (m-1)-subsets.
// `stop` is read every few thousand subsets; a stopped analysis says so and holds no counts.
GuaranteeAnalysis analyseGuarantees(const std::vector<std::uint8_t>& pronostico, const Development& development,
                                    const std::atomic<bool>& stop, const GuaranteeProgress& progress = {});

// The guarantee the catalogue entry promises: 6 se 6 for a full system, that of its level for a
// reduced one, that of its title for an immediate one; none for a text outside the catalogue.
std::optional<Guarantee> statedGuarantee(const std::string& entryText);

// The drawn sets of `g.drawn` numbers that some column meets in `g.matched` or more, of all of them.
struct GuaranteeShare {
    std::uint64_t reached = 0;
    std::uint64_t total = 0;
    bool holds() const { return reached == total; }
};
GuaranteeShare guaranteeShare(const GuaranteeAnalysis& analysis, const Guarantee& g);

// The decimals a percentage part/whole is shown with: none for nothing or all, else one, or as
// many more as it takes (up to nine) for a share that is neither not to read as 0 or 100.
int shareDecimals(std::uint64_t part, std::uint64_t whole);

// Writes a number with the given decimals as the player reads it: the window passes its locale.
using NumberText = std::function<std::string(double value, int decimals)>;

// The texts of the guarantees window.
extern const char* const kTitoloGaranzie;     // "Garanzie"
extern const char* const kColonnaGaranzia;    // "Garanzia"
extern const char* const kNotaJolly;          // the bonus number is left out
extern const char* const kMsgSviluppoCambiato; // the analysis on show is of a development no more
std::string rowCaption(int h);                // "Se escono 6 dei tuoi numeri"
std::string pointsText(int points);           // "5 punti", "1 punto"
// How often one draw reaches k points when `draws` of the kAllDraws do: "Almeno 5 punti: 1 volta
// su 36.620", the number with one decimal below 10 and more while it would read as 1; "a ogni
// estrazione" only when every draw does, "mai" when none does.
std::string atLeastText(int k, std::uint64_t draws, const NumberText& number);
// Its second half: "1 volta su 36.620", "a ogni estrazione" or "mai".
std::string oneInText(std::uint64_t draws, const NumberText& number);
// The exact share behind it: "In 112.429.955 delle 622.614.630 estrazioni possibili (18,1 %)".
std::string atLeastTip(std::uint64_t draws, const NumberText& number);
// "Garanzia del sistema rispettata: 5 se 6", or "Le condizioni hanno ridotto la garanzia: 5 se 6
// solo nel 87,7 % dei casi" with the share as shown.
std::string guaranteeLine(const Guarantee& g, bool holds, const std::string& shareText);

} // namespace sestara
