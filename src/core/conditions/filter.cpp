#include "core/conditions/filter.h"

namespace sestara {
namespace {

// How many numbers the set holds: one instruction where the compiler offers it.
inline int countNumbers(NumberMask m)
{
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_popcountll(m.low) + __builtin_popcountll(m.high);
#else
    auto count = [](std::uint64_t x) {
        x = x - ((x >> 1) & 0x5555555555555555u);
        x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
        x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0fu;
        return static_cast<int>((x * 0x0101010101010101u) >> 56);
    };
    return count(m.low) + count(m.high);
#endif
}

NumberMask complement(NumberMask m)
{
    return {~m.low, ~m.high};
}

// Every number moved up by one.
NumberMask shiftedUp(NumberMask m)
{
    return {m.low << 1, (m.high << 1) | (m.low >> 63)};
}

// The numbers from `first` up, and the numbers up to `last`, within 0..127.
NumberMask numbersFrom(int first)
{
    constexpr std::uint64_t all = ~std::uint64_t{0};
    if (first <= 0)
        return {all, all};
    if (first >= 128)
        return {};
    if (first < 64)
        return {all << first, all};
    return {0, all << (first - 64)};
}

NumberMask numbersUpTo(int last)
{
    return complement(numbersFrom(last + 1));
}

} // namespace

ConditionFilter::ConditionFilter(const ConditionSet& c)
{
    if (c.presenzeAttive) {
        // The fixed numbers fill slots 1..n, n being the count of non-zero slots; a gap inside
        // 1..n is a slot no number matches, so no column can pass.
        int n = 0;
        for (int i = 1; i <= 90; ++i)
            if (c.presenze[static_cast<std::size_t>(i)] > 0)
                ++n;
        if (n > 0) {
            presenze_ = true;
            for (int i = 1; i <= n; ++i) {
                const int v = c.presenze[static_cast<std::size_t>(i)];
                if (v < 1 || v > 90)
                    presenzeImpossible_ = true;
                else
                    presenzeMask_ |= numberBit(static_cast<unsigned>(v));
            }
        }
    }
    if (c.pariDispariAttivo) {
        pariDispari_ = true;
        for (int k = 0; k <= 6; ++k)
            pariDispariAllowed_[k] = c.pariDispari[static_cast<std::size_t>(k)];
    }
    if (c.consecutiviAttivo) {
        consecutivi_ = true;
        for (int k = 0; k <= 5; ++k)
            consecutiviAllowed_[k] = c.consecutivi[static_cast<std::size_t>(k)];
    }
    if (c.sommaAttiva) {
        somma_ = true;
        sommaMin_ = c.sommaMin;
        sommaMax_ = c.sommaMax;
    }
    if (c.gruppiAttivi) {
        for (const Group& group : c.gruppi) {
            CompiledGroup g;
            g.min = group.puntiMin;
            g.max = group.puntiMax;
            std::vector<int> weights(91, 0);
            bool repeats = false;
            for (int v : groupNumbers(group.numeri)) {
                if (v < 1 || v > 90)
                    continue; // never a column number
                if (weights[static_cast<std::size_t>(v)]++ > 0)
                    repeats = true;
                g.mask |= numberBit(static_cast<unsigned>(v));
            }
            if (repeats)
                g.weights = std::move(weights);
            groups_.push_back(std::move(g));
        }
    }
    active_ = presenze_ || pariDispari_ || consecutivi_ || somma_ || !groups_.empty();
}

bool ConditionFilter::filtraPariDispari(NumberMask column) const
{
    return pariDispariAllowed_[countNumbers(column & kEvenMask)];
}

bool ConditionFilter::filtraConsecutivi(NumberMask column) const
{
    return consecutiviAllowed_[countNumbers(column & (column >> 1))];
}

bool ConditionFilter::filtraGruppi(const CompiledGroup& g, NumberMask column)
{
    const int hits = g.weights.empty() ? countNumbers(column & g.mask) : weightedHits(g, column);
    return hits >= g.min && hits <= g.max;
}

bool ConditionFilter::prelevaGruppi(NumberMask column) const
{
    for (const auto& g : groups_)
        if (!filtraGruppi(g, column))
            return false; // the first group that fails ends the test
    return true;
}

int ConditionFilter::weightedHits(const CompiledGroup& g, NumberMask column)
{
    int hits = 0;
    for (unsigned n = 1; n <= 90; ++n)
        if (column.contains(n))
            hits += g.weights[n];
    return hits;
}

// Both forms of filtraCondizioni share it, each with its own inlined copy.
inline Verdict ConditionFilter::evaluate(NumberMask column, int sum) const
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

Verdict ConditionFilter::filtraCondizioni(NumberMask column, int sum) const
{
    return evaluate(column, sum);
}

int ConditionFilter::acceptedSixths(NumberMask five, int fiveSum, const NumberMask* sixthBits, int count,
                                    std::uint8_t* accepted) const
{
    // The five numbers are shared by the whole row, so the tests are turned into one set: the
    // sixth numbers that complete a column passing presenze, even/odd, consecutive pairs and
    // sum. Each column is then one intersection; the groups, rarely set, take the whole column.
    NumberMask allowed = complement(NumberMask{});
    if (presenze_) {
        const NumberMask lacking = presenzeMask_ & complement(five);
        const int missing = countNumbers(lacking);
        if (presenzeImpossible_ || missing > 1)
            return 0;
        if (missing == 1)
            allowed = lacking; // the sixth number must be the fixed one the five lack
    }
    if (pariDispari_) {
        const int evens = countNumbers(five & kEvenMask);
        NumberMask parity;
        if (pariDispariAllowed_[evens])
            parity |= complement(kEvenMask); // an odd sixth number keeps the count
        if (evens < 6 && pariDispariAllowed_[evens + 1])
            parity |= kEvenMask;
        allowed &= parity;
    }
    if (consecutivi_) {
        const int pairs = countNumbers(five & (five >> 1));
        const NumberMask above = shiftedUp(five); // one more than a number of the five
        const NumberMask below = five >> 1;       // one less than a number of the five
        NumberMask joins;
        if (consecutiviAllowed_[pairs])
            joins |= complement(above | below);
        if (pairs + 1 <= 5 && consecutiviAllowed_[pairs + 1])
            joins |= (above | below) & complement(above & below);
        if (pairs + 2 <= 5 && consecutiviAllowed_[pairs + 2])
            joins |= above & below;
        allowed &= joins;
    }
    if (somma_)
        allowed &= numbersFrom(sommaMin_ - fiveSum) & numbersUpTo(sommaMax_ - fiveSum);
    if (allowed.empty())
        return 0;

    int k = 0;
    if (groups_.empty()) {
        for (int j = 0; j < count; ++j)
            if (!(allowed & sixthBits[j]).empty())
                accepted[k++] = static_cast<std::uint8_t>(j);
    } else {
        for (int j = 0; j < count; ++j)
            if (!(allowed & sixthBits[j]).empty() && prelevaGruppi(five | sixthBits[j]))
                accepted[k++] = static_cast<std::uint8_t>(j);
    }
    return k;
}

Verdict ConditionFilter::filtraCondizioni(const std::uint8_t* six) const
{
    NumberMask mask;
    int sum = 0;
    for (int i = 0; i < 6; ++i) {
        mask |= numberBit(six[i]);
        sum += six[i];
    }
    return evaluate(mask, sum);
}

} // namespace sestara
