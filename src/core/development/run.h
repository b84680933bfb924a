#pragma once

#include "core/development/customdesign.h"
#include "core/development/developers.h"
#include "core/development/prediction.h"

#include <cstdint>
#include <string>

namespace sestara {

struct Settings;

extern const char* const kMsgAlmeno10;
extern const char* const kMsgQuantitaNonConforme;
extern const char* const kMsgAltraElaborazione;
extern const char* const kMsgMemoriaInsufficiente;
extern const char* const kMsgErroreElaborazione;
// Anything that needs a developed system, asked for before one exists.
extern const char* const kMsgElaborareSistema;

// What the "Sistemi" tab has selected when "Elabora" is pressed.
struct RunSelection {
    std::string sizeText;  // the size list's text, "10".."55"
    int selectedIndex = 0; // the type list's selected index
    std::string entryText; // the type list's text at that index
};

struct PlanOutcome {
    std::string refusal; // the message shown when the run is refused; empty otherwise
    DevelopmentPlan plan;
    bool ok() const { return refusal.empty(); }
};

// The checks of "Elabora" in their order, the choice of developer, and the reading of the stored
// columns it needs from the data folder.
PlanOutcome planDevelopment(const Prediction& prediction, const RunSelection& selection, const std::string& dataDir);

// The same checks for a design the window holds: its columns developed as a stored system's. A
// design with no columns yet (to be made first) gives a plan without stored columns.
PlanOutcome planCustomDevelopment(const Prediction& prediction, const std::string& sizeText, const CustomDesign& design);

// The figures of the cost labels.
struct Costs {
    std::uint64_t columns = 0;          // columns played
    std::uint64_t fullCombinations = 0; // columns of the full system
    double developedCents = 0;          // cost of the developed system, SuperStar included
    double fullCents = 0;               // cost of the full system, SuperStar included
    double savingCents = 0;
    double percent = 0;                 // reduction, 100 - columns * 100 / full
    std::uint64_t slips = 0;            // betting slips of five columns
    double superStarCents = 0;          // SuperStar's share of the developed system's cost
    std::uint64_t receipts = 0;         // receipts the columns take, 0 while one is enough
};

// The price of one column and of SuperStar, in euro cents.
struct ColumnPrices {
    double colonnaCents = 0;
    double superStarCents = 0;
};

// "%1" the SuperStar played, "%2" its share of the developed system's cost.
extern const char* const kMsgQuotaSuperStar;

// The prices the settings hold.
ColumnPrices columnPrices(const Settings& settings);

// The one rule for what a play costs, in euro cents: every column costs the column price, plus
// the SuperStar price when the play has a SuperStar (which covers every column of the play).
double costoGiocataCents(std::uint64_t columns, const ColumnPrices& prices, bool superStar);

// A receipt of the game holds at most this many columns.
constexpr std::uint64_t kMaxColonneRicevuta = 27132;
// "%1" receipts, "%2" columns at most on each: the numbers in the user's locale.
extern const char* const kMsgRicevute;
// The receipts a play of that many columns takes: 0 while it fits on one.
std::uint64_t ricevuteNecessarie(std::uint64_t columns);

std::uint64_t caricaQuanteSchedine(std::uint64_t columns);
// The cost labels' figures; `superStar` when the system plays a SuperStar.
Costs visualizzaCosti(std::uint64_t columns, std::uint64_t fullCombinations, const ColumnPrices& prices,
                      bool superStar = false);

} // namespace sestara
