#pragma once

#include "core/conditions/conditionset.h"

#include <cstdint>
#include <vector>

namespace sestara {

// A set of numbers 0..127 in two 64-bit halves, bit n for number n; columns use 1..90.
struct NumberMask {
    std::uint64_t low = 0;  // numbers 0..63
    std::uint64_t high = 0; // numbers 64..127

    constexpr NumberMask() = default;
    constexpr NumberMask(std::uint64_t lowBits, std::uint64_t highBits) : low(lowBits), high(highBits) {}

    constexpr bool empty() const { return (low | high) == 0; }
    constexpr bool contains(unsigned n) const { return ((n < 64 ? low >> n : high >> (n - 64)) & 1u) != 0; }

    constexpr NumberMask& operator|=(NumberMask o)
    {
        low |= o.low;
        high |= o.high;
        return *this;
    }
    constexpr NumberMask& operator&=(NumberMask o)
    {
        low &= o.low;
        high &= o.high;
        return *this;
    }
};

constexpr NumberMask operator|(NumberMask a, NumberMask b)
{
    return {a.low | b.low, a.high | b.high};
}

constexpr NumberMask operator&(NumberMask a, NumberMask b)
{
    return {a.low & b.low, a.high & b.high};
}

constexpr bool operator==(NumberMask a, NumberMask b)
{
    return a.low == b.low && a.high == b.high;
}

constexpr bool operator!=(NumberMask a, NumberMask b)
{
    return !(a == b);
}

// Every number moved down by s (0..127): number n becomes n - s, numbers below s drop out.
constexpr NumberMask operator>>(NumberMask m, unsigned s)
{
    if (s == 0)
        return m;
    if (s >= 64)
        return {m.high >> (s - 64), 0};
    return {(m.low >> s) | (m.high << (64 - s)), m.high >> s};
}

// The set holding the number n alone (0..127).
constexpr NumberMask numberBit(unsigned n)
{
    return n < 64 ? NumberMask{std::uint64_t{1} << n, 0} : NumberMask{0, std::uint64_t{1} << (n - 64)};
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
    bool filtraPariDispari(NumberMask column) const;
    bool filtraConsecutivi(NumberMask column) const;
    bool filtraSomma(int sum) const { return sum >= sommaMin_ && sum <= sommaMax_; }
    bool prelevaGruppi(NumberMask column) const;

    // The active tests in their fixed order; the first rejection ends the evaluation.
    Verdict filtraCondizioni(NumberMask column, int sum) const;

    // The columns made of five numbers (their mask and sum) and each of `count` candidate sixth
    // numbers 1..90 not among the five (their bits): the indexes of the accepted candidates go
    // to `accepted` in order, and their count is returned. One call a row keeps a full
    // development's loop tight.
    int acceptedSixths(NumberMask five, int fiveSum, const NumberMask* sixthBits, int count,
                       std::uint8_t* accepted) const;

    Verdict filtraCondizioni(const std::uint8_t* six) const;
    bool accepts(const std::uint8_t* six) const { return filtraCondizioni(six) == Verdict::Accepted; }

    // The even numbers 2..90.
    static constexpr NumberMask kEvenMask{0x5555555555555554u, 0x5555555u};

private:
    struct CompiledGroup {
        NumberMask mask;
        std::vector<int> weights; // per number 0..90, only when the group repeats a number
        int min = 0, max = 0;
    };
    Verdict evaluate(NumberMask column, int sum) const;
    static bool filtraGruppi(const CompiledGroup& g, NumberMask column);
    static int weightedHits(const CompiledGroup& g, NumberMask column);

    bool active_ = false;
    bool presenze_ = false, presenzeImpossible_ = false;
    NumberMask presenzeMask_;
    bool pariDispari_ = false;
    bool pariDispariAllowed_[7] = {};
    bool consecutivi_ = false;
    bool consecutiviAllowed_[6] = {};
    bool somma_ = false;
    int sommaMin_ = 0, sommaMax_ = 0;
    std::vector<CompiledGroup> groups_;
};

} // namespace sestara
