#pragma once

// Simulated annealing at a fixed number of columns, on the "cells" view of a problem: an s-set
// is covered when one of its m-subsets (its cells) lies inside some column. Cover counts are kept
// per cell and, per s-set, the number of its covered cells; a one-point change of a column touches
// only the cells holding the changed point and the s-sets above the cells that appear or vanish,
// all found through a table, so a move costs a few hundred look-ups.

#include "core/design/groups.h"
#include "core/design/search.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace sestara::design {

struct AnnealSettings {
    std::uint64_t moves = 0;    // moves per size tried
    double hot = 0.6;           // temperature at the start of every cooling cycle
    double cold = 0.04;         // and at its end
    std::uint64_t cycle = 0;    // moves per cycle (0: a quarter of the budget)
    std::uint64_t seed = 1;
    std::size_t sample = 0;     // above 0: weighted search scoring this many changes a move
    bool jump = false;          // drop straight to the target and search there once
    std::uint64_t refine = 0;   // after a completion: moves per column dropped (0: `moves`)
    bool exchange = false;      // when a search stops short, exact exchanges of two columns for two
};

class CellAnnealer;

// The annealer of annealDown on its own, for searches that drive it themselves: the columns of a
// design with the sets they leave uncovered, changed one point at a time.
class CellSearch {
public:
    CellSearch(const Problem& p, const Design& d);
    ~CellSearch();
    CellSearch(const CellSearch&) = delete;
    CellSearch& operator=(const CellSearch&) = delete;

    std::size_t uncovered() const;
    const std::vector<std::uint32_t>& uncoveredSets() const; // by rank
    std::size_t size() const;
    Design design() const;
    void add(const Set& b);
    void remove(std::size_t i);
    std::size_t alone(std::size_t i); // sets only column i covers
    // The cells counted and the sets visited so far: work that costs the same time on a machine
    // whatever the problem, and the same count on every machine.
    std::uint64_t work() const;
    // Anneals (s.hot to s.cold over s.moves) until nothing is uncovered or s.moves are made;
    // returns the moves made.
    std::uint64_t run(const AnnealSettings& s, Rng& rng);

private:
    std::unique_ptr<CellAnnealer> a_;
};

// Starting from a covering design, drops its weakest column and anneals until everything is
// covered again, over and over, down to `target` columns or until a size cannot be reached within
// the budget (with `jump`, drops straight to `target` and searches once; with `exchange`, a search
// that stops short hands its design to exchangeToCover). `onSmaller` sees each new covering
// design. Returns the smallest one found.
Design annealDown(Design d, const Problem& p, std::size_t target, const AnnealSettings& s,
                  const std::function<void(const Design&)>& onSmaller, const Log& log);

// A design made of whole orbits of columns under the group the generators make: `orbits`
// representatives annealed until everything is covered, then the weakest orbit dropped and the
// rest annealed again, over and over. The representatives are one column of every orbit the
// columns of `start` meet, then random ones. `onSmaller` sees each covering design; returns the
// smallest, empty when the first search fails.
Design annealOrbits(const Problem& p, const Group& generators, std::size_t orbits, const AnnealSettings& s,
                    const std::function<void(const Design&)>& onSmaller, const Log& log, const Design& start = {});

// The first search of annealOrbits alone: the design it ends with, covering or not, and in
// `uncovered` the orbits of sets it leaves uncovered (both also in one line of `log`).
Design annealOrbitsOnce(const Problem& p, const Group& generators, std::size_t orbits, const AnnealSettings& s,
                        std::size_t* uncovered, const Log& log, const Design& start = {});

// Every column of the orbits of `reps` under the group elements, point-sorted, in order, once.
Design orbitColumns(const Design& reps, const std::vector<Perm>& elements);

// One column (the least) of every orbit under the group elements that `d` holds whole.
Design wholeOrbits(const Design& d, const std::vector<Perm>& elements);

// One search of orbit representatives as above; whatever it leaves uncovered is then covered by
// single columns grown greedily, and the whole design, no longer bound to the orbits, is annealed
// down column by column towards `target`. `onSmaller` sees the completed design and every smaller
// one; returns the smallest.
Design annealOrbitsCompleted(const Problem& p, const Group& generators, std::size_t orbits, std::size_t target,
                             const AnnealSettings& s, const std::function<void(const Design&)>& onSmaller,
                             const Log& log, const Design& start = {});

// Covers what `start` leaves uncovered by single columns grown greedily (each from a cell of the
// first set still uncovered, by the point that covers the most), then anneals the whole design down
// column by column towards `target`. `onSmaller` sees the completed design and every smaller one.
Design completeAndAnneal(const Design& start, const Problem& p, std::size_t target, const AnnealSettings& s,
                         const std::function<void(const Design&)>& onSmaller, const Log& log);

// A tre con 4 design on n points from Turan's triple system: the points fall into three parts (the
// first `first` points, the next `second` and the rest; as equal as can be when `first` is 0) and
// the columns cover every triple inside a part and every triple with two points in one part and
// the third in the next (cyclically); found by a greedy start and the weighted search.
Design turanCover(int n, const AnnealSettings& s, const Log& log, int first = 0, int second = 0);

// Bytes the cell tables of a problem take, to refuse problems too large for them.
std::uint64_t annealMemory(const Problem& p);

} // namespace sestara::design
