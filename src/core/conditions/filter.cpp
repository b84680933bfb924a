#include "conditions/filter.h"

namespace sestara {
namespace {

NumberMask evenMask()
{
    NumberMask m = 0;
    for (unsigned n = 2; n <= 90; n += 2)
        m |= numberBit(n);
    return m;
}

} // namespace

const NumberMask ConditionFilter::kEvenMask = evenMask();

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
            std::vector<std::uint8_t> weights(91, 0);
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

int ConditionFilter::weightedHits(const CompiledGroup& g, NumberMask column)
{
    int hits = 0;
    for (unsigned n = 1; n <= 90; ++n)
        if (column & numberBit(n))
            hits += g.weights[n];
    return hits;
}

Verdict ConditionFilter::filtraCondizioni(const std::uint8_t* six) const
{
    NumberMask mask = 0;
    int sum = 0;
    for (int i = 0; i < 6; ++i) {
        mask |= numberBit(six[i]);
        sum += six[i];
    }
    return filtraCondizioni(mask, sum);
}

} // namespace sestara
