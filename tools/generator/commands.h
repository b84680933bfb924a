#pragma once

// The commands of sestara-genera, each returning the program's exit status, and what they share.

#include "generator/designs.h"
#include "generator/options.h"
#include "core/design/search.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gen {

// How "migliora", "ricottura" and "turan" shrink a design.
enum class Shrink { LocalSearch, Annealing, Turan };

int genera(const Options& o);
int migliora(const Options& o, Shrink how);
int orbite(const Options& o);
int assembla(const Options& o);
int tabella(const Options& o);

void say(const std::string& text);
double secondsSince(std::chrono::steady_clock::time_point t0);

// A design that is not empty and keeps the guarantee, checked by the verifier of the core.
bool verified(const Design& d, const Problem& p);

// The catalogue size K of an immediate design, 0 for the parts that only feed other designs.
std::size_t catalogueTarget(const DesignName& name);

// Moves per removed column, so that one step costs about the same whatever the problem.
std::uint64_t defaultMoves(const Problem& p);

// The designs named on the command line, all of them when none is; `ok` false for a wrong name.
std::vector<DesignName> selected(const Options& o, bool& ok);

} // namespace gen
