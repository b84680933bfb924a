#pragma once

// The command line of sestara-genera.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gen {

constexpr std::uint64_t kSeed = 20261206;

struct Options {
    std::string folder = "tools/designs";
    std::string output;
    std::uint64_t moves = 0;
    std::uint64_t seed = kSeed;
    std::size_t columns = 0;
    double hot = 0.6;
    bool hotGiven = false; // --caldo on the command line
    double cold = 0;       // --freddo (0: a quarter of the start, at most 0.04)
    int rounds = 0;        // --giri: cooling cycles in the budget (0: four)
    std::uint64_t refine = 0; // --rifinitura: moves per column after a completion (0: --passi)
    bool jump = false;     // --salto
    bool exchange = false; // --scambi
    std::size_t sample = 0;
    int group = -1; // orbit search: only this group of the list, all when negative
    int cycles = 0; // annealing on the orbits of this many equal cycles of the points
    int fixed = 0;  // and this many fixed points
    int multiplier = 1; // --moltiplica: the cycles also multiplied by this unit
    int step = 1;       // --passo: the cycles turn by this many points at a time
    double relax = 0;   // --rilassa: then the rotations alone, from this temperature
    int space[2] = {0, 0}; // annealing on the orbits of the translations of base^dims vectors
    bool complete = false; // --completa
    bool resume = false;   // --riprendi: the orbit search starts from the orbits the stored design holds
    int parts[2] = {0, 0}; // Turan: sizes of the first two parts (0: three equal parts)
    std::vector<std::string> names;
};

// Prints how the program is called; returns the exit status of a wrong command line.
int usage();

// Reads what follows the command (argv[2] on) into `o`; false when the command line is wrong.
bool readOptions(int argc, char** argv, Options& o);

} // namespace gen
