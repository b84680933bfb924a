#pragma once

#include "conditions/conditionset.h"

#include <cstdint>
#include <vector>

namespace sestara {

using NumberMask = unsigned __int128; // bit n set for number n (1..90)

inline NumberMask numberBit(unsigned n)
{
    return static_cast<NumberMask>(1) << n;
}

inline int popcount128(NumberMask m)
{
    return __builtin_popcountll(static_cast<std::uint64_t>(m)) +
           __builtin_popcountll(static_cast<std::uint64_t>(m >> 64));
}

// Which condition turned a column down; the conditions are tried in this order and the first
// rejection ends the evaluation.
enum class Verdict { Accepted, Presenze, PariDispari, Consecutivi, Somma, Gruppi };

// The condition set compiled for one run: masks and tables, so a column costs a few popcounts.
class ConditionFilter {
public:
    explicit ConditionFilter(const ConditionSet& conditions);

    bool active() const { return active_; }

    // The tests, each on a column of six distinct numbers 1..90 given as its mask (and its sum).
    bool filtraPresenze(NumberMask column) const
    {
        return !presenzeImpossible_ && (column & presenzeMask_) == presenzeMask_;
    }
    bool filtraPariDispari(NumberMask column) const { return pariDispariAllowed_[popcount128(column & kEvenMask)]; }
    bool filtraConsecutivi(NumberMask column) const
    {
        return consecutiviAllowed_[popcount128(column & (column >> 1))];
    }
    bool filtraSomma(int sum) const { return sum >= sommaMin_ && sum <= sommaMax_; }
    bool prelevaGruppi(NumberMask column) const
    {
        for (const auto& g : groups_)
            if (!filtraGruppi(g, column))
                return false; // the first group that fails ends the test
        return true;
    }

    // The active tests in their fixed order; the first rejection ends the evaluation.
    Verdict filtraCondizioni(NumberMask column, int sum) const
    {
        if (presenze_ && !filtraPresenze(column))
            return Verdict::Presenze;
        if (pariDispari_ && !filtraPariDispari(column))
            return Verdict::PariDispari;
        if (consecutivi_ && !filtraConsecutivi(column))
            return Verdict::Consecutivi;
        if (somma_ && !filtraSomma(sum))
            return Verdict::Somma;
        if (!groups_.empty() && !prelevaGruppi(column))
            return Verdict::Gruppi;
        return Verdict::Accepted;
    }

    Verdict filtraCondizioni(const std::uint8_t* six) const;
    bool accepts(const std::uint8_t* six) const { return filtraCondizioni(six) == Verdict::Accepted; }

    static const NumberMask kEvenMask;

private:
    struct CompiledGroup {
        NumberMask mask = 0;
        std::vector<std::uint8_t> weights; // per number 0..90, only when the group repeats a number
        int min = 0, max = 0;
    };
    static bool filtraGruppi(const CompiledGroup& g, NumberMask column)
    {
        const int hits = g.weights.empty() ? popcount128(column & g.mask) : weightedHits(g, column);
        return hits >= g.min && hits <= g.max;
    }
    static int weightedHits(const CompiledGroup& g, NumberMask column);

    bool active_ = false;
    bool presenze_ = false, presenzeImpossible_ = false;
    NumberMask presenzeMask_ = 0;
    bool pariDispari_ = false;
    bool pariDispariAllowed_[7] = {};
    bool consecutivi_ = false;
    bool consecutiviAllowed_[6] = {};
    bool somma_ = false;
    int sommaMin_ = 0, sommaMax_ = 0;
    std::vector<CompiledGroup> groups_;
};

} // namespace sestara
