#include "core/development/developers.h"

#include "core/conditions/filter.h"
#include "core/development/prediction.h"

namespace sestara {

RunResult integrale(const std::vector<std::uint8_t>& pronostico, const ConditionSet& conditions,
                    const std::atomic<bool>& interrupt, const ProgressFn& progress)
{
    RunResult result;
    const int n = static_cast<int>(pronostico.size());
    if (n < 6)
        return result;
    const ConditionFilter filter(conditions);
    const bool filtering = filter.active();
    const std::uint64_t total = combinazioniIntegrali(n);
    const std::uint8_t* p = pronostico.data();
    NumberMask bit[56];
    for (int i = 0; i < n; ++i)
        bit[i] = numberBit(p[i]);

    Development& dev = result.development;
    std::uint64_t examined = 0;
    std::uint64_t nextReport = kProgressEvery;
    std::uint8_t col[6];
    std::uint8_t sixths[56]; // the accepted sixth numbers of one row, as offsets past the fifth
    // Masks and sums are carried down the loops; the filter takes a whole row of sixth numbers.
    for (int i1 = 0; i1 < n - 5; ++i1) {
        col[0] = p[i1];
        const NumberMask m1 = bit[i1];
        const int s1 = p[i1];
        for (int i2 = i1 + 1; i2 < n - 4; ++i2) {
            col[1] = p[i2];
            const NumberMask m2 = m1 | bit[i2];
            const int s2 = s1 + p[i2];
            for (int i3 = i2 + 1; i3 < n - 3; ++i3) {
                col[2] = p[i3];
                const NumberMask m3 = m2 | bit[i3];
                const int s3 = s2 + p[i3];
                for (int i4 = i3 + 1; i4 < n - 2; ++i4) {
                    col[3] = p[i4];
                    const NumberMask m4 = m3 | bit[i4];
                    const int s4 = s3 + p[i4];
                    if (interrupt.load(std::memory_order_relaxed)) {
                        result.status = RunStatus::Interrupted;
                        result.development.clear();
                        return result;
                    }
                    for (int i5 = i4 + 1; i5 < n - 1; ++i5) {
                        col[4] = p[i5];
                        if (filtering) {
                            const int accepted =
                                filter.acceptedSixths(m4 | bit[i5], s4 + p[i5], bit + i5 + 1, n - 1 - i5, sixths);
                            for (int k = 0; k < accepted; ++k) {
                                col[5] = p[i5 + 1 + sixths[k]];
                                dev.append(col);
                            }
                        } else {
                            for (int i6 = i5 + 1; i6 < n; ++i6) {
                                col[5] = p[i6];
                                dev.append(col);
                            }
                        }
                        examined += static_cast<std::uint64_t>(n - 1 - i5);
                    }
                    if (progress && examined >= nextReport) {
                        progress({examined, total, dev.size()});
                        nextReport = examined + kProgressEvery;
                    }
                }
            }
        }
    }
    if (progress)
        progress({examined, total, dev.size()});
    return result;
}

RunResult developStored(const std::vector<std::uint8_t>& pronostico, const std::vector<Positions>& stored,
                        const ConditionSet& conditions, const std::atomic<bool>& interrupt,
                        const ProgressFn& progress)
{
    RunResult result;
    const ConditionFilter filter(conditions);
    const std::uint64_t total = stored.size();
    std::uint64_t examined = 0;
    std::uint8_t col[6];
    for (const Positions& pos : stored) {
        if (interrupt.load(std::memory_order_relaxed)) {
            result.status = RunStatus::Interrupted;
            result.development.clear();
            return result;
        }
        for (int i = 0; i < 6; ++i)
            col[i] = pronostico[pos[static_cast<std::size_t>(i)] - 1u];
        if (filter.accepts(col))
            result.development.append(col);
        if (++examined % kProgressEvery == 0 && progress)
            progress({examined, total, result.development.size()});
    }
    if (progress)
        progress({examined, total, result.development.size()});
    return result;
}

RunResult execute(const DevelopmentPlan& plan, const ConditionSet& conditions, const std::atomic<bool>& interrupt,
                  const ProgressFn& progress)
{
    if (plan.choice.kind == DeveloperKind::Integrale)
        return integrale(plan.pronostico, conditions, interrupt, progress);
    return developStored(plan.pronostico, plan.stored, conditions, interrupt, progress);
}

} // namespace sestara
