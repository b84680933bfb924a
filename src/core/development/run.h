#pragma once

#include "core/development/customdesign.h"
#include "core/development/developers.h"
#include "core/development/prediction.h"

#include <cstdint>
#include <string>

namespace sestara {

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
    double developedCents = 0;          // cost of the developed system
    double fullCents = 0;               // cost of the full system
    double savingCents = 0;
    double percent = 0;                 // reduction, 100 - columns * 100 / full
    std::uint64_t slips = 0;            // betting slips of five columns
};

std::uint64_t caricaQuanteSchedine(std::uint64_t columns);
Costs visualizzaCosti(std::uint64_t columns, std::uint64_t fullCombinations, double costoColonnaCents);

} // namespace sestara
