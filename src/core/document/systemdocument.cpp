#include "core/document/systemdocument.h"

#include "core/development/catalogue.h"
#include "core/development/run.h"

#include <algorithm>
#include <optional>

namespace sestara {

const char* const kMsgScegliSuMisura = "Scegliere la garanzia del sistema su misura.";

std::string CatalogueSelection::entryText() const
{
    if (typeIndex < 0 || static_cast<std::size_t>(typeIndex) >= types.size())
        return "";
    return types[static_cast<std::size_t>(typeIndex)];
}

std::string DevelopedSystem::predictionText() const
{
    return sestara::predictionText(pronostico);
}

std::uint64_t DevelopedSystem::fullCombinations() const
{
    return combinazioniIntegrali(static_cast<int>(pronostico.size()));
}

bool hasColumns(const DevelopedSystem* system)
{
    return system && system->development && !system->development->empty();
}

Costs DevelopedSystem::costs(double costoColonna) const
{
    const std::uint64_t columns = development ? development->size() : 0;
    return visualizzaCosti(columns, fullCombinations(), costoColonna);
}

SavedSystem DevelopedSystem::savedSystem() const
{
    return SavedSystem{entryText, pronostico, conditions, designColumns};
}

int gridNumberAt(int row, int column)
{
    if (row < 1 || row > 9 || column < 1 || column > 10)
        return 0;
    return 10 * (row - 1) + column;
}

std::vector<int> numbersOfGridCell(int row, int column)
{
    std::vector<int> numbers;
    if (row < 0 || row > 9 || column < 0 || column > 10)
        return numbers;
    if (row == 0 && column == 0) {
        for (int k = 1; k <= 9; ++k)
            numbers.push_back(gridNumberAt(k, k));
    } else if (row == 0) {
        for (int r = 1; r <= 9; ++r)
            numbers.push_back(gridNumberAt(r, column));
    } else if (column == 0) {
        for (int c = 1; c <= 10; ++c)
            numbers.push_back(gridNumberAt(row, c));
    } else {
        numbers.push_back(gridNumberAt(row, column));
    }
    return numbers;
}

SystemDocument::SystemDocument()
{
    reset();
}

void SystemDocument::reset()
{
    prediction_.clear();
    conditions_ = ConditionSet();
    developed_.reset();
    interrupted_ = false;
    selectSize(catalogueSizes().front());
}

GridClickOutcome SystemDocument::clickGrid(int row, int column)
{
    GridClickOutcome outcome;
    const std::vector<int> numbers = numbersOfGridCell(row, column);
    if (numbers.empty())
        return outcome;
    conditions_.azzeraGrupeFis();
    const int countBefore = prediction_.count();
    for (int n : numbers) {
        if (prediction_.isSelected(n)) {
            prediction_.deselect(n);
        } else if (!prediction_.select(n)) {
            outcome.limitReached = true;
            break;
        }
        outcome.toggled.push_back(n);
    }
    if (prediction_.count() != countBefore)
        outcome.sizeSelected = sizeFollowsCount();
    return outcome;
}

void SystemDocument::deseleziona()
{
    prediction_.clear();
    conditions_.azzeraGrupeFis();
}

bool SystemDocument::setPrediction(const std::vector<int>& numbers)
{
    std::vector<int> sorted = numbers;
    std::sort(sorted.begin(), sorted.end());
    if (sorted.size() < static_cast<std::size_t>(kMinPredictionSize) ||
        sorted.size() > static_cast<std::size_t>(kMaxPredictionSize) ||
        std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end())
        return false;
    const std::optional<Prediction> prediction = Prediction::fromNumbers(numbers);
    if (!prediction)
        return false;
    prediction_ = *prediction;
    conditions_.azzeraGrupeFis();
    sizeFollowsCount();
    return true;
}

void SystemDocument::selectSize(const std::string& sizeText)
{
    selection_.sizeText = sizeText;
    selection_.types = catalogueEntriesForSizeText(sizeText);
    if (!selection_.types.empty())
        selection_.types.push_back(custom_.numbers && std::to_string(custom_.numbers) == sizeText ? custom_.entryText
                                                                                                 : kVoceSuMisura);
    selection_.typeIndex = selection_.types.empty() ? -1 : 0;
}

bool SystemDocument::customSelected() const
{
    return selection_.typeIndex >= 0 && static_cast<std::size_t>(selection_.typeIndex) + 1 == selection_.types.size();
}

void SystemDocument::setCustomDesign(CustomDesign design)
{
    custom_ = std::move(design);
    request_ = SuMisuraRequest{};
    selectSize(std::to_string(custom_.numbers));
    selectType(static_cast<int>(selection_.types.size()) - 1);
}

void SystemDocument::setSuMisuraRequest(const SuMisuraRequest& request)
{
    setCustomDesign(CustomDesign{suMisuraEntryText(request.numbers, request.k, request.m), request.numbers, {}});
    request_ = request;
}

const SuMisuraRequest* SystemDocument::pendingRequest() const
{
    return customSelected() && selection_.entryText() == custom_.entryText && custom_.columns.empty() &&
                   request_.numbers == custom_.numbers
               ? &request_
               : nullptr;
}

void SystemDocument::setCustomColumns(std::vector<Positions> columns)
{
    custom_.columns = std::move(columns);
}

void SystemDocument::selectType(int index)
{
    if (index >= 0 && static_cast<std::size_t>(index) < selection_.types.size())
        selection_.typeIndex = index;
}

bool SystemDocument::sizeFollowsCount()
{
    const int count = prediction_.count();
    if (count < kMinPredictionSize)
        return false;
    selectSize(std::to_string(count > kMaxPredictionSize ? kMaxPredictionSize : count));
    return true;
}

void SystemDocument::load(const LoadedSystem& system)
{
    if (!system.custom.entryText.empty()) {
        setCustomDesign(system.custom);
    } else {
        selectSize(std::to_string(system.size));
        selectType(system.selectedIndex);
    }
    prediction_ = system.prediction;
    conditions_ = system.conditions;
}

PlanOutcome SystemDocument::plan(const std::string& dataDir) const
{
    if (customSelected()) {
        if (selection_.entryText() != custom_.entryText) {
            PlanOutcome none;
            none.refusal = kMsgScegliSuMisura;
            return none;
        }
        return planCustomDevelopment(prediction_, selection_.sizeText, custom_);
    }
    RunSelection run;
    run.sizeText = selection_.sizeText;
    run.selectedIndex = selection_.typeIndex;
    run.entryText = selection_.entryText();
    return planDevelopment(prediction_, run, dataDir);
}

void SystemDocument::beginRun()
{
    developed_.reset();
    interrupted_ = false;
}

void SystemDocument::setDeveloped(DevelopedSystem system)
{
    developed_ = std::make_shared<const DevelopedSystem>(std::move(system));
    interrupted_ = false;
}

void SystemDocument::setInterrupted()
{
    developed_.reset();
    interrupted_ = true;
}

} // namespace sestara
