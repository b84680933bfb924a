#pragma once

#include "core/conditions/conditionset.h"
#include "core/development/catalogue.h"
#include "core/development/development.h"
#include "core/development/storedsystems.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sestara {

struct Progress {
    std::uint64_t examined = 0; // candidates looked at
    std::uint64_t total = 0;    // candidates in all
    std::uint64_t accepted = 0; // columns kept so far
};
using ProgressFn = std::function<void(const Progress&)>;

// How often a developer reports progress, in candidates.
constexpr std::uint64_t kProgressEvery = 1u << 14;

enum class RunStatus { Completed, Interrupted };

struct RunResult {
    RunStatus status = RunStatus::Completed;
    Development development;
};

// Everything a developer needs, ready to run: the stored columns are read before anything else
// changes, so a missing or damaged data file refuses the run without touching the window.
struct DevelopmentPlan {
    DeveloperChoice choice;
    std::string entryText;              // the selected catalogue entry
    std::vector<std::uint8_t> pronostico; // ascending
    std::vector<Positions> stored;      // the stored columns for Ridotti and Immediati
    std::uint64_t totalCandidates = 0;
};

// The developers: each candidate through the filter, accepted ones numbered from 1. They stop
// promptly when `interrupt` is raised, and an interrupted run returns no columns.
RunResult integrale(const std::vector<std::uint8_t>& pronostico, const ConditionSet& conditions,
                    const std::atomic<bool>& interrupt, const ProgressFn& progress = {});
RunResult developStored(const std::vector<std::uint8_t>& pronostico, const std::vector<Positions>& stored,
                        const ConditionSet& conditions, const std::atomic<bool>& interrupt,
                        const ProgressFn& progress = {});
RunResult execute(const DevelopmentPlan& plan, const ConditionSet& conditions, const std::atomic<bool>& interrupt,
                  const ProgressFn& progress = {});

} // namespace sestara
