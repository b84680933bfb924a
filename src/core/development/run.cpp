#include "core/development/run.h"

#include "core/util/text.h"

namespace sestara {

const char* const kMsgAlmeno10 = "Inserire almeno 10 elementi nel pronostico";
const char* const kMsgQuantitaNonConforme = "La quantità d'elementi inseriti non è conforme";
const char* const kMsgAltraElaborazione = "È già in corso un'elaborazione in un'altra finestra.\n"
                                          "Attendere che termini, o interromperla, prima di avviarne una nuova.";
const char* const kMsgMemoriaInsufficiente =
    "Memoria insufficiente per completare l'elaborazione.\nL'elaborazione è stata interrotta.";
const char* const kMsgElaborareSistema = "Elaborare Sistema";
const char* const kMsgErroreElaborazione = "Errore durante l'elaborazione; l'elaborazione è stata interrotta:\n";

namespace {

// The checks every run makes first: enough numbers, a valid prediction, the size list agreeing.
bool checkPrediction(const Prediction& prediction, const std::string& sizeText, PlanOutcome& out)
{
    if (prediction.count() < kMinPredictionSize) {
        out.refusal = kMsgAlmeno10;
        return false;
    }
    VerifiedPrediction verified = verificaElementi(prediction);
    if (!verified.error.empty()) {
        out.refusal = verified.error;
        return false;
    }
    if (numericValue(sizeText) != static_cast<std::int64_t>(verified.pronostico.size())) {
        out.refusal = kMsgQuantitaNonConforme;
        return false;
    }
    out.plan.pronostico = std::move(verified.pronostico);
    return true;
}

} // namespace

PlanOutcome planCustomDevelopment(const Prediction& prediction, const std::string& sizeText, const CustomDesign& design)
{
    PlanOutcome out;
    if (!checkPrediction(prediction, sizeText, out))
        return out;
    if (design.numbers != static_cast<int>(out.plan.pronostico.size())) {
        out.refusal = kMsgQuantitaNonConforme;
        return out;
    }
    out.plan.entryText = design.entryText;
    out.plan.choice.kind = DeveloperKind::Immediati; // stored columns, no catalogue file to read
    out.plan.stored = design.columns;
    out.plan.totalCandidates = design.columns.size();
    return out;
}

PlanOutcome planDevelopment(const Prediction& prediction, const RunSelection& selection, const std::string& dataDir)
{
    PlanOutcome out;
    if (!checkPrediction(prediction, selection.sizeText, out))
        return out;
    const int n = static_cast<int>(out.plan.pronostico.size());
    DevelopmentPlan& plan = out.plan;
    plan.entryText = selection.entryText;
    plan.choice = chooseDeveloper(selection.selectedIndex, n, selection.entryText);
    StoredSystem stored;
    switch (plan.choice.kind) {
    case DeveloperKind::Integrale:
        plan.totalCandidates = combinazioniIntegrali(n);
        return out;
    case DeveloperKind::Ridotti:
        stored = loadReducedSystem(dataDir, n, plan.choice.level);
        break;
    case DeveloperKind::Immediati:
        stored = loadImmediateSystem(dataDir, selection.entryText, n);
        break;
    }
    if (!stored.ok()) {
        out.refusal = stored.error;
        return out;
    }
    plan.stored = std::move(stored.columns);
    plan.totalCandidates = plan.stored.size();
    return out;
}

std::uint64_t caricaQuanteSchedine(std::uint64_t columns)
{
    return columns / 5 + (columns % 5 != 0 ? 1 : 0);
}

Costs visualizzaCosti(std::uint64_t columns, std::uint64_t fullCombinations, double costoColonnaCents)
{
    Costs c;
    c.columns = columns;
    c.fullCombinations = fullCombinations;
    c.developedCents = static_cast<double>(columns) * costoColonnaCents;
    c.fullCents = static_cast<double>(fullCombinations) * costoColonnaCents;
    c.savingCents = (static_cast<double>(fullCombinations) - static_cast<double>(columns)) * costoColonnaCents;
    c.percent = fullCombinations == 0
                    ? 0.0
                    : 100.0 - static_cast<double>(columns) * 100.0 / static_cast<double>(fullCombinations);
    c.slips = caricaQuanteSchedine(columns);
    return c;
}

} // namespace sestara
