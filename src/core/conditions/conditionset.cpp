#include "core/conditions/conditionset.h"

#include "core/util/text.h"

namespace sestara {

const char* const kMsgSommaMinSuperaMax = "Attenzione: il valore minimo supera il valore massimo";

std::vector<int> ConditionSet::fixedNumbers() const
{
    std::vector<int> numbers;
    for (int i = 1; i <= 90; ++i)
        if (presenze[static_cast<std::size_t>(i)] > 0)
            numbers.push_back(presenze[static_cast<std::size_t>(i)]);
    return numbers;
}

void ConditionSet::azzeraGrupeFis()
{
    sommaAttiva = false;
    presenzeAttive = false;
    gruppiAttivi = false;
    presenze.fill(0);
    gruppi.clear();
}

void ConditionSet::azzeraConePari()
{
    pariDispari.fill(false);
    consecutivi.fill(false);
}

void ConditionSet::annullaCondizioni()
{
    presenzeAttive = pariDispariAttivo = consecutiviAttivo = sommaAttiva = gruppiAttivi = false;
}

bool ConditionSet::salvaPresenze(const std::vector<int>& chosen, bool attiva)
{
    presenze.fill(0);
    if (chosen.empty()) {
        presenzeAttive = false;
        return false;
    }
    for (std::size_t k = 0; k < chosen.size() && k < 90; ++k)
        presenze[k + 1] = chosen[k];
    presenzeAttive = attiva;
    return attiva;
}

namespace {

template <std::size_t N>
bool storeCounts(std::array<bool, N>& slots, bool& flag, const std::vector<int>& chosen, bool attiva)
{
    slots.fill(false);
    if (chosen.empty()) {
        flag = false;
        return false;
    }
    for (int k : chosen)
        if (k >= 0 && static_cast<std::size_t>(k) < N)
            slots[static_cast<std::size_t>(k)] = true;
    flag = attiva;
    return attiva;
}

} // namespace

bool ConditionSet::salvaPariDispari(const std::vector<int>& chosenCounts, bool attiva)
{
    return storeCounts(pariDispari, pariDispariAttivo, chosenCounts, attiva);
}

bool ConditionSet::salvaConsecutivi(const std::vector<int>& chosenCounts, bool attiva)
{
    return storeCounts(consecutivi, consecutiviAttivo, chosenCounts, attiva);
}

void ConditionSet::salvaSomma(bool attiva, int minimo, int massimo, int sommaMinima, int sommaMassima)
{
    if (attiva) {
        sommaMin = minimo;
        sommaMax = massimo;
        // The full range restricts nothing.
        sommaAttiva = sommaMin != sommaMinima || sommaMax != sommaMassima;
    } else {
        sommaAttiva = false;
        sommaMin = sommaMinima;
        sommaMax = sommaMassima;
    }
}

bool ConditionSet::salvaGruppi(const std::vector<Group>& groups, bool attiva)
{
    gruppi.clear();
    if (groups.empty()) {
        gruppiAttivi = false;
        return false;
    }
    gruppi = groups;
    if (gruppi.size() > static_cast<std::size_t>(kMaxGroups))
        gruppi.resize(kMaxGroups);
    gruppiAttivi = attiva;
    return attiva;
}

bool ConditionSet::operator==(const ConditionSet& o) const
{
    return presenzeAttive == o.presenzeAttive && presenze == o.presenze &&
           pariDispariAttivo == o.pariDispariAttivo && pariDispari == o.pariDispari &&
           consecutiviAttivo == o.consecutiviAttivo && consecutivi == o.consecutivi &&
           sommaAttiva == o.sommaAttiva && sommaMin == o.sommaMin && sommaMax == o.sommaMax &&
           gruppiAttivi == o.gruppiAttivi && gruppi == o.gruppi;
}

std::string sommaOkError(bool attiva, int minimo, int massimo)
{
    return attiva && minimo > massimo ? kMsgSommaMinSuperaMax : "";
}

std::string groupText(const std::vector<int>& numbers)
{
    std::string text;
    for (int n : numbers) {
        text += '-';
        text += std::to_string(n);
    }
    return text;
}

std::vector<int> groupNumbers(const std::string& text)
{
    std::vector<int> slots;
    std::string token;
    for (char c : text) {
        if (c == '-') {
            slots.push_back(0);
            token.clear();
        } else {
            token += c;
            if (!slots.empty())
                slots.back() = static_cast<int>(std::min<std::int64_t>(numericValue(token), 1 << 30));
        }
    }
    return slots;
}

ConditionDisplay conditionDisplay(const ConditionSet& c)
{
    ConditionDisplay d;
    if (c.presenzeAttive) {
        d.fisseVisible = true;
        for (int n : c.fixedNumbers())
            d.fisse.push_back(std::to_string(n));
    }
    if (c.pariDispariAttivo) {
        d.pariDispariVisible = true;
        for (int k = 0; k <= 6; ++k)
            if (c.pariDispari[static_cast<std::size_t>(k)])
                d.pariDispari.push_back(std::to_string(k) + " - " + std::to_string(6 - k));
    }
    if (c.consecutiviAttivo) {
        d.consecutiviVisible = true;
        for (int k = 0; k <= 5; ++k)
            if (c.consecutivi[static_cast<std::size_t>(k)])
                d.consecutivi.push_back(std::to_string(k));
    }
    if (c.sommaAttiva) {
        d.sommaVisible = true;
        d.somma.push_back(std::to_string(c.sommaMin) + " - " + std::to_string(c.sommaMax));
    }
    if (c.gruppiAttivi && !c.gruppi.empty()) {
        d.gruppiVisible = true;
        for (std::size_t g = 0; g < c.gruppi.size(); ++g)
            d.gruppi.push_back("Gr_" + std::to_string(g + 1) + "  Punti: " + std::to_string(c.gruppi[g].puntiMin) +
                               " - " + std::to_string(c.gruppi[g].puntiMax));
    }
    return d;
}

std::string groupDisplayMessage(const ConditionSet& developed, int row)
{
    const ConditionDisplay d = conditionDisplay(developed);
    if (row < 0 || static_cast<std::size_t>(row) >= d.gruppi.size())
        return "";
    return d.gruppi[static_cast<std::size_t>(row)] + " -----> " + developed.gruppi[static_cast<std::size_t>(row)].numeri;
}

} // namespace sestara
