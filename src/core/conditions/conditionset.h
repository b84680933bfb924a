#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sestara {

constexpr int kMaxGroups = 100;

struct Group {
    std::string numeri; // "-5-17-23": each number preceded by "-"
    int puntiMin = 0;
    int puntiMax = 0;

    bool operator==(const Group& o) const
    {
        return numeri == o.numeri && puntiMin == o.puntiMin && puntiMax == o.puntiMax;
    }
};

// The five conditions of one system window, with their active flags.
struct ConditionSet {
    bool presenzeAttive = false;
    std::array<int, 91> presenze{}; // slots 1..90; the fixed numbers stand in slots 1..n

    bool pariDispariAttivo = false;
    std::array<bool, 7> pariDispari{}; // allowed counts of even numbers

    bool consecutiviAttivo = false;
    std::array<bool, 6> consecutivi{}; // allowed counts of consecutive pairs

    bool sommaAttiva = false;
    int sommaMin = 0;
    int sommaMax = 0;

    bool gruppiAttivi = false;
    std::vector<Group> gruppi; // QuantiGruppi = size()

    // The fixed numbers: the non-zero slots, in slot order.
    std::vector<int> fixedNumbers() const;

    bool anyActive() const
    {
        return presenzeAttive || pariDispariAttivo || consecutiviAttivo || sommaAttiva || gruppiAttivi;
    }

    // Fixed numbers, sum and groups off and emptied (a prediction change, a system file load).
    void azzeraGrupeFis();
    // Even/odd and consecutive choices cleared; flags untouched.
    void azzeraConePari();
    // "Annulla Condizioni": every flag off, data kept.
    void annullaCondizioni();

    // The store procedures of the dialogs. Each returns the state "Attiva" is left in.
    bool salvaPresenze(const std::vector<int>& chosen, bool attiva);
    bool salvaPariDispari(const std::vector<int>& chosenCounts, bool attiva);
    bool salvaConsecutivi(const std::vector<int>& chosenCounts, bool attiva);
    void salvaSomma(bool attiva, int minimo, int massimo, int sommaMinima, int sommaMassima);
    bool salvaGruppi(const std::vector<Group>& groups, bool attiva);

    bool operator==(const ConditionSet& o) const;
    bool operator!=(const ConditionSet& o) const { return !(*this == o); }
};

// The message the sum dialog shows on "OK", or empty when it may store.
std::string sommaOkError(bool attiva, int minimo, int massimo);

// The group text of numbers in the order given: "-5-17-23".
std::string groupText(const std::vector<int>& numbers);
// The numbers of a group text read as the groups test reads it: every "-" opens the next slot and
// the slot takes the numeric value of the characters that follow.
std::vector<int> groupNumbers(const std::string& text);

// What the "Sviluppo" tab shows of the conditions of a completed development.
struct ConditionDisplay {
    bool fisseVisible = false, pariDispariVisible = false, sommaVisible = false,
         consecutiviVisible = false, gruppiVisible = false;
    std::vector<std::string> fisse;       // Combo3 element 0
    std::vector<std::string> pariDispari; // Combo3 element 1
    std::vector<std::string> somma;       // Combo3 element 2
    std::vector<std::string> consecutivi; // Combo3 element 3
    std::vector<std::string> gruppi;      // List4
};

ConditionDisplay conditionDisplay(const ConditionSet& conditions);

// The message shown on clicking line `row` (0-based) of the groups display.
std::string groupDisplayMessage(const ConditionSet& developed, int row);

extern const char* const kMsgSommaMinSuperaMax;

} // namespace sestara
