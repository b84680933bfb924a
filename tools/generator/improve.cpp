#include "generator/commands.h"

#include "core/design/anneal.h"
#include "generator/designs.h"
#include "core/design/groups.h"
#include "core/design/search.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <iostream>
#include <string>

namespace gen {

int migliora(const Options& o, Shrink how)
{
    bool ok;
    const auto names = selected(o, ok);
    if (!ok)
        return 2;
    bool unsaved = false; // a design found could not be written
    for (const auto& name : names) {
        DesignFile f = loadDesign(o.folder, name);
        const Problem p = name.problem();
        if (!f.ok || !verified(f.columns, p)) {
            say(name.text() + ": nessun disegno valido da migliorare");
            continue;
        }
        say(name.text() + ": " + std::to_string(f.columns.size()) + " colonne");
        const auto t0 = std::chrono::steady_clock::now();
        const double before = f.seconds;
        const std::string step = how == Shrink::LocalSearch                  ? "ricerca locale"
                                 : o.sample || how == Shrink::Turan ? "ricerca pesata"
                                                                     : "ricottura";
        const std::string parts = o.parts[0] > 0 ? " (" + std::to_string(o.parts[0]) + ", " + std::to_string(o.parts[1]) +
                                                       ", " + std::to_string(p.n - o.parts[0] - o.parts[1]) + ")"
                                                 : "";
        const std::string method = how == Shrink::Turan ? "triple di Turan su tre parti" + parts + " + ricerca pesata"
                                   : f.method.find(step) == std::string::npos ? f.method + " + " + step
                                                                              : f.method;
        const std::uint64_t moves = o.moves ? o.moves : std::max<std::uint64_t>(defaultMoves(p), 2000);
        // Saves a design only once it has been checked; false when it was not kept.
        // A design found afresh (`fresh`) has its own method and does not add the time spent on
        // the stored one, unless the search resumed from it.
        auto keep = [&](Design d, const std::string* fresh = nullptr) {
            normalise(d);
            if (!verified(d, p))
                return false;
            const DesignFile g{d, fresh ? *fresh : method, (fresh && !o.resume ? 0 : before) + secondsSince(t0),
                               true};
            if (saveDesign(o.folder, name, g)) {
                say("  salvato: " + std::to_string(d.size()) + " colonne");
            } else {
                std::cerr << "Impossibile scrivere il disegno " << name.text() << "\n";
                unsaved = true;
            }
            return true;
        };
        const auto annealing = [&] {
            AnnealSettings s;
            s.moves = o.moves ? o.moves : 2000000;
            s.seed = o.seed;
            s.hot = o.hot;
            s.cold = o.cold > 0 ? o.cold : std::min(0.04, o.hot / 4);
            if (o.rounds > 0)
                s.cycle = std::max<std::uint64_t>(s.moves / static_cast<std::uint64_t>(o.rounds), 1000);
            s.sample = o.sample;
            s.refine = o.refine;
            s.exchange = o.exchange;
            return s;
        };
        if (how == Shrink::Turan) {
            if (name.kind != DesignName::Tre4) {
                say("  solo per i disegni tre4-N");
                continue;
            }
            AnnealSettings s = annealing();
            s.moves = o.moves ? o.moves : 200000;
            // The weighted search unless a temperature asks for annealing.
            s.sample = o.sample ? o.sample : o.hotGiven ? 0 : 64;
            if (o.parts[0] < 0 || o.parts[1] < 0 || (o.parts[0] > 0) != (o.parts[1] > 0) ||
                o.parts[0] + o.parts[1] >= p.n) {
                say("  parti non valide per " + std::to_string(p.n) + " numeri");
                continue;
            }
            Design d = turanCover(p.n, s, say, o.parts[0], o.parts[1]);
            if (!verified(d, p))
                continue;
            say("  turan: " + std::to_string(d.size()) + " colonne");
            if (d.size() < f.columns.size())
                keep(d);
            annealDown(d, p, catalogueTarget(name), s,
                       [&](const Design& smaller) {
                           if (smaller.size() < f.columns.size())
                               keep(smaller);
                       },
                       say);
            continue;
        }
        if (how == Shrink::Annealing && o.complete && annealMemory(p) > (std::uint64_t{12} << 30)) {
            // The completed design is annealed column by column, with the tables of every set.
            say("  troppo grande per la ricottura");
            continue;
        }
        if (how == Shrink::Annealing && o.complete && o.cycles == 0 && o.space[0] == 0) {
            // From the design for one number fewer: the sets holding the new number are covered
            // greedily, then the whole design is annealed.
            const DesignName below{name.kind, name.n - 1, name.level};
            const DesignFile g = loadDesign(o.folder, below);
            if (!g.ok) {
                say("  manca il disegno " + below.text());
                continue;
            }
            const std::string fromBelow =
                "dal disegno per " + std::to_string(below.n) + " numeri, completato + ricottura";
            std::size_t stored = f.columns.size();
            completeAndAnneal(g.columns, p, catalogueTarget(name), annealing(),
                              [&](const Design& smaller) {
                                  if (smaller.size() < stored && keep(smaller, &fromBelow))
                                      stored = smaller.size();
                              },
                              say);
            continue;
        }
        if (how == Shrink::Annealing && (o.cycles > 0 || o.space[0] > 0)) {
            Group group;
            int len = 0, fixedPoints = 0; // orbit length (of most orbits) and points left alone
            std::string moved;
            if (o.cycles > 0) {
                group = cycleGroup(p.n, o.cycles, o.fixed, o.multiplier, o.step);
                if (group.empty()) {
                    say("  " + std::to_string(p.n) + " numeri non si dividono in " + std::to_string(o.cycles) +
                        " cicli uguali con " + std::to_string(o.fixed) + " fissi" +
                        (o.multiplier > 1 ? " da moltiplicare per " + std::to_string(o.multiplier) : "") +
                        (o.step > 1 ? " a passi di " + std::to_string(o.step) : ""));
                    continue;
                }
                const int cycle = (p.n - o.fixed) / o.cycles;
                len = static_cast<int>(groupElements(group, p.n).size());
                fixedPoints = o.fixed;
                moved = o.cycles == 1 ? "rotazioni di " + std::to_string(cycle) + " numeri"
                                      : std::to_string(o.cycles) + " cicli di " + std::to_string(cycle) + " numeri";
                if (o.step > 1)
                    moved += " a passi di " + std::to_string(o.step);
                if (o.multiplier > 1)
                    moved += " e moltiplicazione per " + std::to_string(o.multiplier);
            } else {
                group = translationGroup(p.n, o.space[0], o.space[1]);
                if (group.empty()) {
                    say("  nessuno spazio di vettori di " + std::to_string(o.space[1]) + " cifre in base " +
                        std::to_string(o.space[0]) + " in " + std::to_string(p.n) + " numeri");
                    continue;
                }
                len = static_cast<int>(groupElements(group, p.n).size());
                fixedPoints = p.n - len;
                moved = "traslazioni dei vettori di " + std::to_string(o.space[1]) + " cifre in base " +
                        std::to_string(o.space[0]);
            }
            const std::string fixed = fixedPoints == 0   ? ""
                                      : fixedPoints == 1 ? ", uno fisso"
                                                         : ", " + std::to_string(fixedPoints) + " fissi";
            const bool relax = o.relax > 0; // the options allow it only with a multiplier
            const std::string orbitMethod = "ricottura sulle orbite (" + moved + fixed + ")" +
                                            (o.resume ? " da quelle del disegno precedente" : "") +
                                            (relax ? ", poi delle sole rotazioni" : "") +
                                            (o.complete ? ", completata + ricottura" : "");
            const std::size_t k = o.columns ? o.columns : f.columns.size() - 1;
            const std::size_t orbits = std::max<std::size_t>(k / static_cast<std::size_t>(len), 1);
            std::size_t stored = f.columns.size();
            const auto onSmaller = [&](const Design& smaller) {
                if (smaller.size() < stored && keep(smaller, &orbitMethod))
                    stored = smaller.size();
            };
            AnnealSettings s = annealing();
            Design start;
            if (o.resume) {
                start = wholeOrbits(f.columns, groupElements(group, p.n));
                say("  riprese: " + std::to_string(start.size()) + " orbite intere");
            }
            if (relax) {
                // The orbits found with the multiplication are split into orbits of the rotations
                // alone, and the search goes on there, from a temperature of its own.
                start = annealOrbitsOnce(p, group, orbits, s, nullptr, say, start);
                group = cycleGroup(p.n, o.cycles, o.fixed, 1, o.step);
                len = static_cast<int>(groupElements(group, p.n).size());
                if (o.refine > 0)
                    s.moves = o.refine;
                s.hot = o.relax;
                s.cold = o.relax / 4;
                s.cycle = 0;
            }
            const std::size_t relaxed = std::max<std::size_t>(k / static_cast<std::size_t>(len), 1);
            if (o.complete)
                annealOrbitsCompleted(p, group, relaxed, catalogueTarget(name), s, onSmaller, say, start);
            else
                annealOrbits(p, group, relaxed, s, onSmaller, say, start);
            continue;
        }
        if (how == Shrink::Annealing) {
            if (annealMemory(p) > (std::uint64_t{12} << 30)) {
                say("  troppo grande per la ricottura");
                continue;
            }
            AnnealSettings s = annealing();
            s.jump = o.jump;
            annealDown(f.columns, p, o.columns ? o.columns : catalogueTarget(name), s,
                       [&](const Design& smaller) { keep(smaller); }, say);
            continue;
        }
        if (o.columns && o.columns < f.columns.size()) {
            // Straight to the requested size, with the whole budget for one search.
            Design d = searchAt(f.columns, p, o.columns, moves, o.seed);
            if (d.size() != o.columns || !keep(std::move(d)))
                say("  nessun disegno con " + std::to_string(o.columns) + " colonne");
            continue;
        }
        shrink(f.columns, p, catalogueTarget(name), moves, o.seed, [&](const Design& smaller) { keep(smaller); }, say);
    }
    return unsaved ? 1 : 0;
}

} // namespace gen
