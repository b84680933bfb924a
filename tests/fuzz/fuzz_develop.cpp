// A system file read and, when it loads, developed the way "sviluppa" does it: the checks of the
// run, the stored columns read from the shipped data folder, then the developer with the file's
// conditions. Runs with more than kMaxCandidates candidates are planned but not developed, so one
// input stays well under a second.
#include "core/development/developers.h"
#include "core/development/development.h"
#include "core/development/run.h"
#include "core/systemfiles/systemfile.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#ifndef SESTARA_FUZZ_DATA_DIR
#error "SESTARA_FUZZ_DATA_DIR must name the folder with Riduttore and Immediati"
#endif

namespace {

constexpr std::uint64_t kMaxCandidates = 50000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const sestara::LoadOutcome loaded = sestara::readSystemFileText(text);
    if (!loaded.ok())
        return 0;
    const sestara::LoadedSystem& s = loaded.system;
    const sestara::RunSelection selection{std::to_string(s.size), s.selectedIndex, s.entryText};
    const sestara::PlanOutcome planned = sestara::planDevelopment(s.prediction, selection, SESTARA_FUZZ_DATA_DIR);
    if (!planned.ok() || planned.plan.totalCandidates > kMaxCandidates)
        return 0;
    const std::atomic<bool> never{false};
    const sestara::RunResult result = sestara::execute(planned.plan, s.conditions, never);
    if (result.status != sestara::RunStatus::Completed || result.development.size() > planned.plan.totalCandidates)
        std::abort();
    // Every developed column holds six different numbers of the prediction.
    bool inPrediction[91] = {};
    for (auto n : planned.plan.pronostico)
        inPrediction[n] = true;
    for (std::size_t k = 0; k < result.development.size(); ++k) {
        const sestara::Column c = result.development.column(k);
        for (std::size_t i = 0; i < 6; ++i) {
            if (c[i] < 1 || c[i] > 90 || !inPrediction[c[i]])
                std::abort();
            for (std::size_t j = 0; j < i; ++j)
                if (c[j] == c[i])
                    std::abort();
        }
    }
    return 0;
}
