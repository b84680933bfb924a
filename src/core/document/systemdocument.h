#pragma once

#include "core/conditions/conditionset.h"
#include "core/design/sumisura.h"
#include "core/development/customdesign.h"
#include "core/development/development.h"
#include "core/development/prediction.h"
#include "core/development/run.h"
#include "core/systemfiles/systemfile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sestara {

// "Elabora" on "Su misura…" before a guarantee was chosen.
extern const char* const kMsgScegliSuMisura;

// The sizes and types offered by the catalogue lists, and which ones are selected.
struct CatalogueSelection {
    std::string sizeText;            // the size list's text, "10".."55"
    std::vector<std::string> types;  // the types offered for that size, in catalogue order
    int typeIndex = -1;              // the selected type, -1 when none

    std::string entryText() const;
};

// A completed development, as it was made: everything saving, the win check and printing read.
struct DevelopedSystem {
    std::string entryText;                // the catalogue entry developed
    std::vector<std::uint8_t> pronostico; // the prediction in order
    ConditionSet conditions;              // the conditions it was made with
    std::shared_ptr<const Development> development;
    // A design the window held (made to measure): its columns, saved with the system, and what
    // it reaches of the guarantee its entry text states, by the exact check (total 0: none stated).
    std::vector<Positions> designColumns;
    int guaranteeK = 0, guaranteeM = 0;
    std::uint64_t guaranteeCovered = 0, guaranteeTotal = 0;

    std::string predictionText() const;
    std::uint64_t fullCombinations() const;
    Costs costs(double costoColonna) const;
    SavedSystem savedSystem() const;
};

// A development with at least one column: what the win check, the slips and the prints need,
// else "Elaborare Sistema".
bool hasColumns(const DevelopedSystem* system);

// What a click on the prediction grid did.
struct GridClickOutcome {
    std::vector<int> toggled; // numbers whose state changed, in click order
    bool limitReached = false; // a number was refused: 55 are picked (message kMsgMassimo55)
    bool sizeSelected = false; // the count changed and the size list followed it
};

// The numbers a click on the prediction grid's cell toggles, in order: the corner the diagonal
// 1, 12, ... 89; a column header the column top to bottom; a row header the row left to right;
// a number cell its number. The grid has rows 0..9 and columns 0..10, row 0 and column 0 headers.
std::vector<int> numbersOfGridCell(int row, int column);
int gridNumberAt(int row, int column); // 0 for header cells and cells outside the grid

// One system window's state: the prediction, the catalogue selection, the condition set, and the
// developed system when the last run completed.
class SystemDocument {
public:
    SystemDocument();

    const Prediction& prediction() const { return prediction_; }
    ConditionSet& conditions() { return conditions_; }
    const ConditionSet& conditions() const { return conditions_; }
    const CatalogueSelection& selection() const { return selection_; }

    // A new window: empty prediction, every condition off and emptied, size "10" selected.
    void reset();

    // A click on the grid: the fixed numbers, the sum and the groups go (any change of the
    // prediction drops them); the clicked numbers toggle in order until the 55th, and the size
    // list follows a changed count.
    GridClickOutcome clickGrid(int row, int column);
    // "Deseleziona": the prediction emptied, fixed numbers, sum and groups dropped.
    void deseleziona();
    // The prediction replaced by the numbers given (10 to 55 distinct numbers from 1 to 90, else
    // false and nothing changes), as clicking them one by one on an empty grid would.
    bool setPrediction(const std::vector<int>& numbers);

    // Selecting a size always rebuilds the type list and selects its first type.
    void selectSize(const std::string& sizeText);
    void selectType(int index);
    // The size list follows the prediction's count: its entry from 10 to 55, the last above 55,
    // no change below 10. True when a size was selected.
    bool sizeFollowsCount();

    // A system file read into the window: its size selected (the type list rebuilt), the type at
    // the file's index selected, the prediction and every condition replaced by the file's. The
    // last run's outcome stays until the next run.
    void load(const LoadedSystem& system);

    // The checks of "Elabora" and the developer's plan, reading stored columns from dataDir.
    PlanOutcome plan(const std::string& dataDir) const;

    // A design held beside the catalogue (see CustomDesign), its size selected and it as the last
    // entry of the type list, selected. Another window hands its designs over this way.
    void setCustomDesign(CustomDesign design);
    // The design held, null when none.
    const CustomDesign* customDesign() const { return custom_.numbers ? &custom_ : nullptr; }
    // The last entry of the type list ("Su misura…", or the design held for that size) is selected.
    bool customSelected() const;
    // A system made to measure asked for: held as a design without columns until "Elabora" makes
    // them (setCustomColumns).
    void setSuMisuraRequest(const SuMisuraRequest& request);
    // The request whose columns are still to be made, when the design held is selected; else null.
    const SuMisuraRequest* pendingRequest() const;
    const SuMisuraRequest& suMisuraRequest() const { return request_; }
    void setCustomColumns(std::vector<Positions> columns);

    // The last run: nothing yet, developed, or interrupted.
    const DevelopedSystem* developed() const { return developed_.get(); }
    bool interrupted() const { return interrupted_; }
    void beginRun();
    void setDeveloped(DevelopedSystem system);
    void setInterrupted();

private:
    Prediction prediction_;
    ConditionSet conditions_;
    CatalogueSelection selection_;
    std::shared_ptr<const DevelopedSystem> developed_;
    bool interrupted_ = false;
    CustomDesign custom_;
    SuMisuraRequest request_; // numbers 0 when the design held was not asked for here
};

} // namespace sestara
