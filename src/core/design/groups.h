#pragma once

// Permutation groups of the points, for designs made of whole orbits of columns.

#include <cstdint>
#include <vector>

namespace sestara::design {

using Perm = std::vector<int>;   // the image of every point
using Group = std::vector<Perm>; // generators

// `parts` equal cycles over the first n - fixed points (they must divide evenly), the last
// `fixed` points fixed: point j of every cycle goes to point j + step of the same cycle (so with a
// step above 1 a cycle may fall into several orbits of points); with a multiplier above 1 (a unit
// modulo the cycle length), also point j of every cycle to point multiplier * j. Empty when the
// numbers do not fit.
Group cycleGroup(int n, int parts, int fixed, int multiplier = 1, int step = 1);

// The translations of the vectors of `dims` digits in base `base` (a prime) on the first base^dims
// points, point x standing for the digits of x; the other points fixed. Empty when they do not fit.
Group translationGroup(int n, int base, int dims);

// Groups whose orbits the exhaustive search tries: one cycle of all the points, one of all but one
// or two, two or three equal cycles; for a prime number of points q (possibly with one point fixed),
// the affine maps x -> a x + b with a in a subgroup of the units.
std::vector<Group> searchGroups(int n);

// Every element of the group the generators make, the identity first.
std::vector<Perm> groupElements(const Group& generators, int n);

} // namespace sestara::design
