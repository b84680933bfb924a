#include "core/conditions/dialogrules.h"

#include "core/conditions/conditionset.h"

#include "core/development/catalogue.h"
#include "core/development/run.h"

#include <algorithm>

namespace sestara {

const char* const kMsgInserirePronostico = "Inserire Pronostico";
const char* const kMsgVoceGiaPresente = "La voce selezionata è gia presente";
const char* const kMsgInserireGruppo = "Inserire un Gruppo";
const char* const kMsgSelezionarePunteggio = "Selezionare Punteggio: Min e Max";
const char* const kMsgPunteggioMinSuperiore = "Attenzione il Punteggio Min è superiore al Max";
const char* const kMsgTroppiGruppi = "Non si possono inserire più di 100 gruppi";

std::string predictionCheckForDialog(int predictionCount)
{
    if (predictionCount == 0)
        return kMsgInserirePronostico;
    if (predictionCount < kMinPredictionSize)
        return kMsgAlmeno10;
    return "";
}

std::string aggiungiVoce(std::vector<std::string>& chosen, const std::string& text)
{
    if (std::find(chosen.begin(), chosen.end(), text) != chosen.end())
        return kMsgVoceGiaPresente;
    chosen.push_back(text);
    return "";
}

std::vector<std::string> scoreChoices(int size)
{
    std::vector<std::string> choices;
    for (int s = 0; s <= std::min(size, 6); ++s)
        choices.push_back(std::to_string(s));
    return choices;
}

std::string inserisciGruppoError(bool groupEmpty, int minimo, int massimo, int definedGroups)
{
    // A condition keeps at most 100 groups: a further one would be lost when stored.
    if (definedGroups >= kMaxGroups)
        return kMsgTroppiGruppi;
    if (groupEmpty)
        return kMsgInserireGruppo;
    if (minimo == 0 && massimo == 0)
        return kMsgSelezionarePunteggio;
    if (massimo < minimo)
        return kMsgPunteggioMinSuperiore;
    return "";
}

std::string groupName(int k)
{
    return "Gruppo_" + std::to_string(k);
}

std::string groupEditorMessage(const std::string& name, const std::string& minText, const std::string& maxText,
                               const std::string& numbersText)
{
    return name + "----> Punti " + minText + " - " + maxText + "   " + numbersText;
}

} // namespace sestara
