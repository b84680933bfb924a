#pragma once

#include <string>
#include <vector>

namespace sestara {

extern const char* const kMsgInserirePronostico;
extern const char* const kMsgVoceGiaPresente;
extern const char* const kMsgInserireGruppo;
extern const char* const kMsgSelezionarePunteggio;
extern const char* const kMsgPunteggioMinSuperiore;
extern const char* const kMsgTroppiGruppi;

// The check before the fixed-numbers, sum and groups dialogs open: the message, or empty.
std::string predictionCheckForDialog(int predictionCount);

// "Aggiungi" of a list picker: appends the text unless the chosen list already holds it; returns
// the refusal message, or empty when appended.
std::string aggiungiVoce(std::vector<std::string>& chosen, const std::string& text);

// The score choices of a group of `size` numbers: "0" up to the size, at most "6".
std::vector<std::string> scoreChoices(int size);

// "Inserisci Gruppo": the information message refusing the group, or empty when it may be added.
std::string inserisciGruppoError(bool groupEmpty, int minimo, int massimo, int definedGroups);

// The name of the k-th defined group in the editor's list.
std::string groupName(int k);

// The message shown on clicking a defined group in the editor.
std::string groupEditorMessage(const std::string& name, const std::string& minText, const std::string& maxText,
                               const std::string& numbersText);

} // namespace sestara
