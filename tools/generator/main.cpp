// sestara-genera: builds, improves and assembles the stored reduced and immediate systems.
//
//   sestara-genera genera   [--cartella DIR] [NOME...]   builds every design that has no file yet
//   sestara-genera migliora [--cartella DIR] [--passi P] [--seme S] NOME...
//                                                        shrinks existing designs by local search
//   sestara-genera ricottura [--cartella DIR] [--passi P] [--seme S] [--colonne K] [--caldo T] NOME...
//                                                        shrinks them by simulated annealing
//                                                        (--caldo T, --freddo T: the temperatures at the
//                                                        start and end of each cooling, --giri G of them in
//                                                        the budget, four unless told)
//                                                        (--pesi M: by the weighted search, M changes scored a move;
//                                                        --salto: straight to --colonne K, one search there;
//                                                        --scambi: a search that stops short tries every
//                                                        pair of columns for two others covering all;
//                                                        --cicli C [--fissi F]: on whole orbits of C equal
//                                                        cycles of the points, F of them fixed, from random
//                                                        orbits making at most --colonne K columns;
//                                                        --passo S: the cycles turn S points at a time;
//                                                        --moltiplica A: point j of every cycle also to
//                                                        point A j, A a unit modulo the cycle length;
//                                                        --rilassa T: then on the orbits of the cycles
//                                                        alone, from those found, cooling from T to T / 4
//                                                        in --rifinitura P moves;
//                                                        --spazio B,D: on the orbits of the translations of
//                                                        the vectors of D digits in base B, the other points
//                                                        fixed; --completa: one orbit search, what it leaves
//                                                        uncovered covered greedily, then annealed column
//                                                        by column, --rifinitura P moves a column dropped;
//                                                        --riprendi: the orbit search starts from the
//                                                        orbits the stored design holds whole;
//                                                        --completa alone: the same from the design for
//                                                        one number fewer)
//   sestara-genera turan [--cartella DIR] [--passi P] [--seme S] [--pesi M | --caldo T] [--parti A,B] tre4-N...
//                                                        tre con 4 from Turan's triple system (--parti A,B:
//                                                        the sizes of the first two parts)
//   sestara-genera assembla [--cartella DIR] --uscita DIR
//                                                        writes "Riduttore" and "Immediati"
//   sestara-genera tabella  [--cartella DIR]             the size table of the documentation
//
// Every run is deterministic: the seeds are fixed and the budgets are counted in moves, not time.

#include "generator/anneal.h"
#include "generator/designs.h"
#include "generator/groups.h"
#include "generator/search.h"

#include "core/development/catalogue.h"
#include "core/development/storedsystems.h"
#include "core/development/verifier.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <system_error>
#include <vector>

using namespace gen;

namespace {

constexpr std::uint64_t kSeed = 20261206;

void say(const std::string& text)
{
    std::cout << text << std::endl;
}

double secondsSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

sestara::Guarantee guaranteeOf(const Problem& p)
{
    return sestara::Guarantee{p.s, p.m};
}

std::vector<sestara::Positions> toPositions(const Design& d)
{
    std::vector<sestara::Positions> out;
    out.reserve(d.size());
    for (const Set& s : d) {
        sestara::Positions p{};
        for (std::size_t i = 0; i < 6; ++i)
            p[i] = static_cast<std::uint8_t>(s[i] + 1);
        out.push_back(p);
    }
    return out;
}

bool verified(const Design& d, const Problem& p)
{
    return !d.empty() && sestara::verifyCoverage(toPositions(d), p.n, guaranteeOf(p)).ok();
}

// The 77 blocks of the Steiner system S(3,6,22): the weight-8 words of the extended binary Golay
// code that contain the two last coordinates, with those two removed.
Design steiner22()
{
    const std::uint32_t g = (1u << 11) | (1u << 10) | (1u << 6) | (1u << 5) | (1u << 4) | (1u << 2) | 1u;
    Design d;
    for (std::uint32_t m = 0; m < (1u << 12); ++m) {
        std::uint32_t word = 0;
        for (int i = 0; i < 12; ++i)
            if (m >> i & 1u)
                word ^= g << i;
        if (__builtin_popcount(word) & 1)
            word |= 1u << 23;
        if (__builtin_popcount(word) != 8 || !(word >> 22 & 1u) || !(word >> 23 & 1u))
            continue;
        Set s{};
        int k = 0;
        for (int i = 0; i < 22; ++i)
            if (word >> i & 1u)
                s[static_cast<std::size_t>(k++)] = static_cast<std::uint8_t>(i);
        d.push_back(s);
    }
    return d;
}

// The orbit of the k-set x under the group: f(rank, sorted set) for each member not yet seen.
template <class Seen, class F>
void forEachInOrbit(const Group& group, const std::uint8_t* x, int k, Seen&& seen, F&& f)
{
    std::vector<std::array<std::uint8_t, 8>> todo;
    std::array<std::uint8_t, 8> a{};
    std::copy(x, x + k, a.begin());
    if (seen(rankOf(a.data(), k)))
        return;
    f(rankOf(a.data(), k), a.data());
    todo.push_back(a);
    while (!todo.empty()) {
        const auto cur = todo.back();
        todo.pop_back();
        for (const auto& perm : group) {
            std::array<std::uint8_t, 8> b{};
            for (int i = 0; i < k; ++i)
                b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(perm[cur[static_cast<std::size_t>(i)]]);
            std::sort(b.begin(), b.begin() + k);
            const std::uint64_t q = rankOf(b.data(), k);
            if (seen(q))
                continue;
            f(q, b.data());
            todo.push_back(b);
        }
    }
}

// Exhaustive search among the designs made of whole orbits of a permutation group of the points, at
// most k columns in all: depth first, always branching on the first orbit of drawn sets still
// uncovered, with the orbits as bit sets. Gives up after `limit` nodes.
Design orbitSearch(const Problem& p, const Group& group, std::size_t k, std::uint64_t limit)
{
    // Orbits of the drawn sets.
    const std::uint64_t total = choose(p.n, p.s);
    std::vector<std::uint32_t> uid(total, UINT32_MAX);
    std::uint32_t uorbits = 0;
    std::uint8_t x[8];
    for (std::uint64_t r = 0; r < total; ++r) {
        if (uid[r] != UINT32_MAX)
            continue;
        unrank(r, p.s, x);
        forEachInOrbit(
            group, x, p.s, [&](std::uint64_t q) { return uid[q] != UINT32_MAX; },
            [&](std::uint64_t q, const std::uint8_t*) { uid[q] = uorbits; });
        ++uorbits;
    }
    const std::size_t words = (uorbits + 63) / 64;
    struct Orbit {
        Design columns;
        std::vector<std::uint64_t> covers;
        std::uint32_t weight = 0;
    };
    std::vector<Orbit> orbits;
    std::vector<char> seen(choose(p.n, 6), 0);
    for (std::uint64_t r = 0; r < seen.size(); ++r) {
        if (seen[r])
            continue;
        Orbit o;
        unrank(r, 6, x);
        forEachInOrbit(
            group, x, 6, [&](std::uint64_t q) { return seen[q] != 0; },
            [&](std::uint64_t q, const std::uint8_t* y) {
                seen[q] = 1;
                Set s{};
                std::copy(y, y + 6, s.begin());
                o.columns.push_back(s);
            });
        if (o.columns.size() > k)
            continue;
        o.covers.assign(words, 0);
        forEachMeeting(p.n, o.columns[0].data(), 6, p.s, p.m, [&](std::uint64_t z, const std::uint8_t*) {
            o.covers[uid[z] / 64] |= std::uint64_t{1} << (uid[z] % 64);
        });
        for (auto w : o.covers)
            o.weight += static_cast<std::uint32_t>(__builtin_popcountll(w));
        orbits.push_back(std::move(o));
    }
    // For every orbit of drawn sets, the column orbits that cover it, the widest first.
    std::vector<std::vector<std::uint32_t>> coverers(uorbits);
    for (std::uint32_t i = 0; i < orbits.size(); ++i)
        for (std::uint32_t u = 0; u < uorbits; ++u)
            if (orbits[i].covers[u / 64] >> (u % 64) & 1u)
                coverers[u].push_back(i);
    for (auto& list : coverers)
        std::stable_sort(list.begin(), list.end(), [&](std::uint32_t a, std::uint32_t b) {
            return orbits[a].weight * orbits[b].columns.size() > orbits[b].weight * orbits[a].columns.size();
        });

    std::vector<std::uint32_t> chosen;
    std::uint64_t nodes = 0;
    const std::function<bool(const std::vector<std::uint64_t>&, std::size_t)> dfs =
        [&](const std::vector<std::uint64_t>& covered, std::size_t used) -> bool {
        if (++nodes > limit)
            return false;
        std::uint32_t first = UINT32_MAX;
        for (std::size_t w = 0; w < words; ++w) {
            std::uint64_t free = ~covered[w];
            if (w == words - 1 && uorbits % 64)
                free &= (std::uint64_t{1} << (uorbits % 64)) - 1;
            if (free) {
                first = static_cast<std::uint32_t>(w * 64 + static_cast<std::size_t>(__builtin_ctzll(free)));
                break;
            }
        }
        if (first == UINT32_MAX)
            return true;
        for (std::uint32_t i : coverers[first]) {
            if (used + orbits[i].columns.size() > k)
                continue;
            std::vector<std::uint64_t> next(covered);
            for (std::size_t w = 0; w < words; ++w)
                next[w] |= orbits[i].covers[w];
            chosen.push_back(i);
            if (dfs(next, used + orbits[i].columns.size()))
                return true;
            chosen.pop_back();
        }
        return false;
    };
    if (!dfs(std::vector<std::uint64_t>(words, 0), 0))
        return {};
    Design d;
    for (std::uint32_t i : chosen)
        d.insert(d.end(), orbits[i].columns.begin(), orbits[i].columns.end());
    return d;
}

// Six drawn numbers put three in the first a numbers or four in the last b: a tre-con-3 design on
// the first group plus a tre-con-4 design on the second guarantees 3 if 6.
Design splitDesign(const Design& tre3, int a, const Design& tre4)
{
    Design d = tre3;
    for (Set s : tre4) {
        for (auto& v : s)
            v = static_cast<std::uint8_t>(v + a);
        d.push_back(s);
    }
    return d;
}

// The catalogue size K of an immediate design, 0 for the parts that only feed other designs.
std::size_t catalogueTarget(const DesignName& name)
{
    for (const auto& e : sestara::immediateEntries()) {
        if (e.size != name.n)
            continue;
        if ((e.guarantee == sestara::ImmediateGuarantee::TreCon3 && name.kind == DesignName::Tre3) ||
            (e.guarantee == sestara::ImmediateGuarantee::TreCon4 && name.kind == DesignName::Tre4) ||
            (e.guarantee == sestara::ImmediateGuarantee::QuattroCon4 && name.kind == DesignName::Quattro4))
            return static_cast<std::size_t>(e.columns);
    }
    return 0;
}

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

// Moves per removed column, so that one step costs about the same whatever the problem.
std::uint64_t defaultMoves(const Problem& p)
{
    if (choose(p.n, p.s) > 4000000)
        return 0;
    const double change = 2.0 * static_cast<double>(choose(5, p.m - 1) * choose(p.n - 7, p.s - p.m));
    const double perMove = std::min(96.0 * change, 60000.0) + 2000.0;
    return static_cast<std::uint64_t>(std::clamp(6e8 / perMove, 2000.0, 40000.0));
}

DesignFile build(const DesignName& name, const std::string& folder)
{
    const auto t0 = std::chrono::steady_clock::now();
    const Problem p = name.problem();
    const std::uint64_t universe = choose(p.n, p.s);
    const std::uint64_t columns = choose(p.n, 6);
    const double work = static_cast<double>(universe) * static_cast<double>(columnsPerSet(p));
    DesignFile best;
    double extraSeconds = 0;
    auto consider = [&](Design d, const std::string& method) {
        normalise(d);
        if (!verified(d, p)) {
            say("  ERRORE: il disegno \"" + method + "\" non copre tutto, scartato");
            return;
        }
        say("  " + method + ": " + std::to_string(d.size()) + " colonne");
        if (!best.ok || d.size() < best.columns.size()) {
            best.columns = d;
            best.method = method;
            best.ok = true;
        }
    };
    const bool canPrune = universe <= 30000000 && static_cast<double>(coveredPerColumn(p)) * 1e4 < 3e9;

    if (name.kind == DesignName::Tre3 && p.n == 22)
        consider(steiner22(), "sistema di Steiner S(3,6,22) dal codice di Golay esteso");
    // For 3 se 6 on 25 numbers or more the split below is far smaller than any greedy cover.
    const bool splitOnly = name.kind == DesignName::Ridotto && name.level == 3 && p.n >= 25;
    if (!splitOnly && work <= 4e9 && columns <= 6000000) {
        Design d = greedy(p, 1, kSeed, say);
        if (canPrune)
            prune(d, p);
        consider(d, "greedy esatto");
    }
    if (!splitOnly && p.n >= 16 && work / p.n <= 6e9 && columns <= 30000000) {
        Design d = greedy(p, p.n, kSeed, say);
        if (canPrune)
            prune(d, p);
        consider(d, "greedy ciclico (rotazioni di " + std::to_string(p.n) + " numeri)");
        if (p.n >= 20 && work / p.n <= 5e8) {
            Design e = greedy(p, p.n - 1, kSeed, say);
            if (canPrune)
                prune(e, p);
            consider(e, "greedy ciclico (rotazioni di " + std::to_string(p.n - 1) + " numeri, uno fisso)");
        }
    }
    if (name.kind == DesignName::Ridotto && name.level == 3) {
        int bestA = 0;
        std::size_t bestSize = SIZE_MAX;
        double partSeconds = 0;
        Design t3, t4;
        for (int a = 6; a <= p.n - 6; ++a) {
            const DesignFile x = loadDesign(folder, DesignName{DesignName::Tre3, a, 0});
            const DesignFile y = loadDesign(folder, DesignName{DesignName::Tre4, p.n - a, 0});
            if (x.ok && y.ok && x.columns.size() + y.columns.size() < bestSize) {
                bestSize = x.columns.size() + y.columns.size();
                bestA = a;
                t3 = x.columns;
                t4 = y.columns;
                partSeconds = x.seconds + y.seconds;
            }
        }
        if (bestA) {
            const std::string method = "tre con 3 su " + std::to_string(bestA) + " numeri + tre con 4 su " +
                                       std::to_string(p.n - bestA) + " numeri";
            consider(splitDesign(t3, bestA, t4), method);
            // The split costs what its two parts cost.
            if (best.method == method)
                extraSeconds = partSeconds;
        }
    }
    const std::size_t target = catalogueTarget(name);
    if (!best.ok)
        return best;
    std::uint64_t moves = defaultMoves(p);
    // Parts that only feed larger designs get a short search here; "migliora" can go on later.
    if (name.kind != DesignName::Ridotto && !catalogueTarget(name))
        moves = std::min<std::uint64_t>(moves, 20000);
    if (moves && !splitOnly && best.columns.size() <= 1500) {
        const std::size_t before = best.columns.size();
        Design d = shrink(best.columns, p, 0, moves, kSeed, nullptr, say);
        normalise(d);
        if (d.size() < before && verified(d, p)) {
            best.columns = d;
            best.method += " + ricerca locale";
        }
    }
    if (best.ok && target && best.columns.size() > target) {
        for (const auto& group : searchGroups(p.n)) {
            Design d = orbitSearch(p, group, target, 20000000);
            if (!d.empty()) {
                consider(d, "ricerca esaustiva tra le orbite di una permutazione");
                break;
            }
        }
    }
    best.seconds = secondsSince(t0) + extraSeconds;
    return best;
}

std::vector<DesignName> allNames()
{
    std::vector<DesignName> names;
    names.push_back(DesignName{DesignName::Quattro4, 10, 0});
    for (int v = 10; v <= 27; ++v)
        names.push_back(DesignName{DesignName::Tre3, v, 0});
    for (int v = 10; v <= 36; ++v)
        names.push_back(DesignName{DesignName::Tre4, v, 0});
    for (int n = 10; n <= 55; ++n)
        for (int level = 3; level >= 1; --level)
            if (sestara::reducedSystemOffered(n, level))
                names.push_back(DesignName{DesignName::Ridotto, n, level});
    return names;
}

std::vector<DesignName> selected(const Options& o, bool& ok)
{
    ok = true;
    if (o.names.empty())
        return allNames();
    std::vector<DesignName> out;
    for (const auto& text : o.names) {
        DesignName n;
        if (!DesignName::parse(text, n)) {
            std::cerr << "Nome di disegno non valido: " << text << "\n";
            ok = false;
        }
        out.push_back(n);
    }
    return out;
}

int genera(const Options& o)
{
    bool ok;
    const auto names = selected(o, ok);
    if (!ok)
        return 2;
    for (const auto& name : names) {
        if (loadDesign(o.folder, name).ok)
            continue;
        say(name.text() + ":");
        DesignFile f = build(name, o.folder);
        if (!f.ok) {
            say("  nessun disegno");
            continue;
        }
        if (!saveDesign(o.folder, name, f)) {
            std::cerr << "Impossibile scrivere il disegno " << name.text() << "\n";
            return 1;
        }
        say("  salvato: " + std::to_string(f.columns.size()) + " colonne in " + std::to_string(f.seconds) + " s");
    }
    return 0;
}

// How "migliora", "ricottura" and "turan" shrink a design.
enum class Shrink { LocalSearch, Annealing, Turan };

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

// Orbit search for a design of at most --colonne columns (default: one less than the stored one).
int orbite(const Options& o)
{
    bool ok;
    const auto names = selected(o, ok);
    if (!ok)
        return 2;
    for (const auto& name : names) {
        const Problem p = name.problem();
        const DesignFile f = loadDesign(o.folder, name);
        std::size_t k = o.columns ? o.columns : (f.ok ? f.columns.size() - 1 : catalogueTarget(name));
        const auto t0 = std::chrono::steady_clock::now();
        Design found;
        const auto groups = searchGroups(p.n);
        for (std::size_t g = 0; g < groups.size(); ++g) {
            if (o.group >= 0 && static_cast<std::size_t>(o.group) != g)
                continue;
            found = orbitSearch(p, groups[g], k, o.moves ? o.moves : 20000000);
            if (!found.empty())
                break;
        }
        normalise(found);
        if (found.empty() || !verified(found, p)) {
            say(name.text() + ": nessun disegno a orbite con al massimo " + std::to_string(k) + " colonne");
            continue;
        }
        if (f.ok && found.size() >= f.columns.size()) {
            say(name.text() + ": " + std::to_string(found.size()) + " colonne, non meglio di prima");
            continue;
        }
        DesignFile g{found, "ricerca esaustiva tra le orbite di una permutazione", secondsSince(t0), true};
        if (!saveDesign(o.folder, name, g)) {
            std::cerr << "Impossibile scrivere il disegno " << name.text() << "\n";
            return 1;
        }
        say(name.text() + ": salvato con " + std::to_string(found.size()) + " colonne");
    }
    return 0;
}

// A design for n numbers from one for n + 1: the last number is replaced in every column by the
// smallest number the column lacks; duplicates go. Whatever the guarantee was, it still holds.
Design restrict(const Design& d, int n)
{
    Design out;
    for (Set s : d) {
        std::uint64_t mask = maskOf(s.data(), 6);
        for (auto& v : s)
            if (v == n) {
                int r = 0;
                while (mask >> r & 1u)
                    ++r;
                v = static_cast<std::uint8_t>(r);
                mask |= std::uint64_t{1} << r;
            }
        out.push_back(s);
    }
    normalise(out);
    return out;
}

struct Shipped {
    DesignName name;
    Design columns;
    std::string method;
    double seconds = 0;
    bool restricted = false;
};

// The reduced systems to ship: for each level, from the largest size down, a design is never larger
// than the one for one number more (which is restricted when it is smaller).
bool shippedReduced(const std::string& folder, std::map<std::pair<int, int>, Shipped>& out)
{
    bool ok = true;
    for (int level = 1; level <= 3; ++level) {
        for (int n = 55; n >= 10; --n) {
            if (!sestara::reducedSystemOffered(n, level))
                continue;
            const DesignName name{DesignName::Ridotto, n, level};
            const DesignFile f = loadDesign(folder, name);
            Shipped s{name, f.columns, f.method, f.seconds, false};
            auto up = out.find({n + 1, level});
            if (up != out.end() && (!f.ok || up->second.columns.size() < f.columns.size())) {
                s.columns = restrict(up->second.columns, n);
                s.method = "ridotto da " + std::to_string(n + 1) + " numeri";
                s.restricted = true;
            }
            if (s.columns.empty()) {
                std::cerr << "Manca il disegno " << name.text() << "\n";
                ok = false;
            }
            out[{n, level}] = s;
        }
    }
    return ok;
}

// Why a file could not be written, from the system's error number.
std::string writeFailure(int error)
{
    switch (error) {
    case ENOTDIR:
        return "una parte del percorso non è una cartella";
    case ENOENT:
        return "la cartella non esiste";
    case EACCES:
    case EPERM:
        return "accesso negato";
    case EISDIR:
        return "al suo posto c'è una cartella";
    case ENOSPC:
        return "spazio esaurito sul disco";
    case EROFS:
        return "il disco è in sola lettura";
    case 0:
        return "errore di scrittura";
    default:
        return std::generic_category().message(error);
    }
}

// Writes the bytes to a file at `path`, flushed and closed; false with the reason otherwise.
bool writeWhole(const std::string& path, const std::string& bytes, std::string& error)
{
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const bool created = out.is_open();
    if (created) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        out.close();
    }
    if (!out) {
        error = "Impossibile scrivere il file " + path + ": " + writeFailure(errno) + ".";
        // What was written in part goes; whatever stood in the way of opening it stays.
        if (created) {
            std::error_code ignored;
            std::filesystem::remove(path, ignored);
        }
        return false;
    }
    return true;
}

// Puts the written file in place of the target in one step: the target is either the old file or the new.
bool renameOver(const std::string& from, const std::string& to, std::string& error)
{
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    if (ec) {
        error = "Impossibile sostituire il file " + to + ": " + writeFailure(ec.value()) + ".";
        return false;
    }
    return true;
}

Design padded(Design d, std::size_t k, int n)
{
    normalise(d);
    // Distinct columns are added in the order of their combinatorial rank until there are k.
    std::uint8_t x[6] = {0, 1, 2, 3, 4, 5};
    for (std::uint64_t r = 0; d.size() < k && r < choose(n, 6); ++r) {
        unrank(r, 6, x);
        Set s{};
        std::copy(x, x + 6, s.begin());
        if (std::find(d.begin(), d.end(), s) == d.end())
            d.push_back(s);
    }
    return d;
}

int assembla(const Options& o)
{
    if (o.output.empty()) {
        std::cerr << "Manca --uscita CARTELLA\n";
        return 2;
    }
    std::map<std::pair<int, int>, Shipped> reduced;
    bool ok = shippedReduced(o.folder, reduced);

    // "Riduttore": systems in order of their start records; gaps are filled with headers of no system.
    struct Placed {
        long start;
        int n;
        int level;
        const Design* design;
    };
    std::vector<Placed> order;
    for (const auto& [key, s] : reduced)
        order.push_back(Placed{sestara::startRecord(key.first, key.second), key.first, key.second, &s.columns});
    std::sort(order.begin(), order.end(), [](const Placed& a, const Placed& b) {
        return a.start != b.start ? a.start < b.start : (a.n != b.n ? a.n < b.n : a.level < b.level);
    });
    std::string table;
    long record = 0;
    for (const Placed& pl : order) {
        const Problem p{pl.n, 6, 6 - pl.level};
        if (!verified(*pl.design, p)) {
            std::cerr << "Il sistema ridotto " << pl.n << "-" << pl.level << " non rispetta la garanzia\n";
            ok = false;
        }
        while (record < pl.start) {
            table += std::string("\xC8\xC8\0\0\0\0", 6);
            ++record;
        }
        std::uint8_t header[6] = {static_cast<std::uint8_t>(100 + pl.n), static_cast<std::uint8_t>(100 + pl.level)};
        if (!sestara::encodeColumnCount(pl.design->size(), header + 2)) {
            std::cerr << "Conteggio non codificabile\n";
            return 1;
        }
        table.append(reinterpret_cast<const char*>(header), 6);
        ++record;
        for (const Set& s : *pl.design) {
            for (int i = 0; i < 6; ++i)
                table += static_cast<char>(s[static_cast<std::size_t>(i)] + 1);
            ++record;
        }
    }

    std::string immediate;
    for (const auto& e : sestara::immediateEntries()) {
        DesignName name{DesignName::Tre3, e.size, 0};
        if (e.guarantee == sestara::ImmediateGuarantee::TreCon4)
            name.kind = DesignName::Tre4;
        else if (e.guarantee == sestara::ImmediateGuarantee::QuattroCon4)
            name.kind = DesignName::Quattro4;
        const DesignFile f = loadDesign(o.folder, name);
        const std::size_t k = static_cast<std::size_t>(e.columns);
        if (!f.ok || f.columns.size() > k || !verified(f.columns, name.problem())) {
            std::cerr << "Manca un disegno valido di al massimo " << k << " colonne per " << name.text() << "\n";
            ok = false;
            continue;
        }
        const Design d = padded(f.columns, k, e.size);
        immediate += sestara::immediateEntryText(e) + "\r\n";
        for (const Set& s : d)
            immediate += std::to_string(s[0] + 1) + " " + std::to_string(s[1] + 1) + " " + std::to_string(s[2] + 1) +
                         " " + std::to_string(s[3] + 1) + " " + std::to_string(s[4] + 1) + " " +
                         std::to_string(s[5] + 1) + "\r\n";
        immediate += "***\r\n";
    }
    if (!ok)
        return 1;
    const std::string riduttore = sestara::joinPath(o.output, sestara::kRiduttoreFileName);
    const std::string immediati = sestara::joinPath(o.output, sestara::kImmediatiFileName);
    // Both files are written whole beside their targets before either replaces the old one.
    const std::pair<std::string, const std::string*> outputs[] = {{riduttore, &table}, {immediati, &immediate}};
    std::string error;
    std::vector<std::string> written;
    bool done = true;
    for (const auto& [path, bytes] : outputs) {
        if (!writeWhole(path + ".tmp", *bytes, error)) {
            done = false;
            break;
        }
        written.push_back(path + ".tmp");
    }
    for (std::size_t i = 0; done && i < written.size(); ++i)
        done = renameOver(written[i], outputs[i].first, error);
    if (!done) {
        std::error_code ignored;
        for (const std::string& temp : written)
            std::filesystem::remove(temp, ignored);
        std::cerr << error << "\n";
        return 1;
    }
    say("Scritti " + riduttore + " (" + std::to_string(record) + " record) e " + immediati);
    return 0;
}

std::string grouped(std::uint64_t v)
{
    std::string s = std::to_string(v);
    for (int i = static_cast<int>(s.size()) - 3; i > 0; i -= 3)
        s.insert(static_cast<std::size_t>(i), ",");
    return s;
}

// The sizes we set out to reach for the reduced systems (columns, at most).
struct Goal {
    int n;
    int level;
    std::size_t columns;
};
const Goal kGoals[] = {{20, 1, 1000}, {25, 1, 3700}, {30, 1, 10500}, {35, 1, 25000}, {39, 1, 45000},
                       {20, 2, 85},   {30, 2, 540},  {40, 2, 2200},   {50, 2, 6000},   {30, 3, 40},
                       {40, 3, 100},  {50, 3, 170},  {55, 3, 260}};

int tabella(const Options& o)
{
    std::map<std::pair<int, int>, Shipped> reduced;
    shippedReduced(o.folder, reduced);
    std::cout << "| System | Goal | Columns | Lower bound | Reached |\n|---|---:|---:|---:|---|\n";
    for (const Goal& g : kGoals) {
        auto it = reduced.find({g.n, g.level});
        const std::size_t cols = it == reduced.end() ? 0 : it->second.columns.size();
        const Problem p{g.n, 6, 6 - g.level};
        const std::uint64_t bound = (choose(p.n, p.s) + coveredPerColumn(p) - 1) / coveredPerColumn(p);
        std::cout << "| " << sestara::reducedEntryText(g.n, g.level) << " | " << grouped(g.columns) << " | "
                  << (cols ? grouped(cols) : "—") << " | " << grouped(bound) << " | "
                  << (cols && cols <= g.columns ? "yes" : "no") << " |\n";
    }
    std::cout << "\n";
    std::cout << "| System | Columns | Lower bound | Seconds | Method |\n|---|---:|---:|---:|---|\n";
    auto row = [](const std::string& entry, const Problem& p, std::size_t cols, double secs, const std::string& m) {
        const std::uint64_t bound =
            (choose(p.n, p.s) + coveredPerColumn(p) - 1) / coveredPerColumn(p);
        char t[32];
        std::snprintf(t, sizeof t, "%.1f", secs);
        std::cout << "| " << entry << " | " << (cols ? grouped(cols) : "—") << " | " << grouped(bound) << " | " << t
                  << " | " << m << " |\n";
    };
    for (const auto& e : sestara::immediateEntries()) {
        DesignName name{DesignName::Tre3, e.size, 0};
        if (e.guarantee == sestara::ImmediateGuarantee::TreCon4)
            name.kind = DesignName::Tre4;
        else if (e.guarantee == sestara::ImmediateGuarantee::QuattroCon4)
            name.kind = DesignName::Quattro4;
        const DesignFile f = loadDesign(o.folder, name);
        const std::string note = f.ok && f.columns.size() < static_cast<std::size_t>(e.columns)
                                     ? f.method + " (" + std::to_string(f.columns.size()) + " colonne, completate a " +
                                           std::to_string(e.columns) + ")"
                                     : f.method;
        row(sestara::immediateEntryText(e), name.problem(), f.ok ? static_cast<std::size_t>(e.columns) : 0, f.seconds,
            note);
    }
    for (int level = 1; level <= 3; ++level)
        for (int n = 10; n <= 55; ++n) {
            auto it = reduced.find({n, level});
            if (it == reduced.end())
                continue;
            row(sestara::reducedEntryText(n, level), Problem{n, 6, 6 - level}, it->second.columns.size(),
                it->second.restricted ? 0.0 : it->second.seconds, it->second.method);
        }
    return 0;
}

int usage()
{
    std::cerr << "Uso:\n"
                 "  sestara-genera genera   [--cartella DIR] [NOME...]\n"
                 "  sestara-genera migliora [--cartella DIR] [--passi P] [--seme S] [--colonne K] NOME...\n"
                 "  sestara-genera ricottura [--cartella DIR] [--passi P] [--seme S] [--colonne K [--salto]] [--caldo T] [--freddo T]\n"
                 "                           [--giri G] [--pesi M] [--rifinitura P] [--scambi]\n"
                 "                           [--cicli C [--fissi F] [--passo S] [--moltiplica A [--rilassa T]] | --spazio B,D]\n"
                 "                           [--riprendi] [--completa]\n"
                 "                           NOME...\n"
                 "  sestara-genera turan     [--cartella DIR] [--passi P] [--seme S] [--pesi M | --caldo T] [--parti A,B]\n"
                 "                           tre4-N...\n"
                 "  sestara-genera orbite   [--cartella DIR] [--colonne K] [--passi NODI] [--gruppo I] NOME...\n"
                 "  sestara-genera assembla [--cartella DIR] --uscita DIR\n"
                 "  sestara-genera tabella  [--cartella DIR]\n"
                 "NOME: ridotto-N-L, tre3-N, tre4-N, quattro4-N\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    Options o;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        std::string v;
        if (a == "--cartella") {
            if (!value(o.folder))
                return usage();
        } else if (a == "--uscita") {
            if (!value(o.output))
                return usage();
        } else if (a == "--passi") {
            if (!value(v))
                return usage();
            o.moves = std::strtoull(v.c_str(), nullptr, 10);
        } else if (a == "--gruppo") {
            if (!value(v))
                return usage();
            o.group = std::atoi(v.c_str());
        } else if (a == "--cicli" || a == "--fissi") {
            if (!value(v))
                return usage();
            int& out = a == "--cicli" ? o.cycles : o.fixed;
            out = std::atoi(v.c_str());
            if (out < 0)
                return usage();
        } else if (a == "--moltiplica") {
            if (!value(v))
                return usage();
            o.multiplier = std::atoi(v.c_str());
            if (o.multiplier < 2)
                return usage();
        } else if (a == "--passo") {
            if (!value(v))
                return usage();
            o.step = std::atoi(v.c_str());
            if (o.step < 2)
                return usage();
        } else if (a == "--rilassa") {
            if (!value(v))
                return usage();
            o.relax = std::strtod(v.c_str(), nullptr);
            if (!(o.relax > 0))
                return usage();
        } else if (a == "--spazio") {
            if (!value(v) || std::sscanf(v.c_str(), "%d,%d", &o.space[0], &o.space[1]) != 2 || o.space[0] < 2 ||
                o.space[1] < 1)
                return usage();
        } else if (a == "--completa") {
            o.complete = true;
        } else if (a == "--riprendi") {
            o.resume = true;
        } else if (a == "--parti") {
            if (!value(v) || std::sscanf(v.c_str(), "%d,%d", &o.parts[0], &o.parts[1]) != 2)
                return usage();
        } else if (a == "--colonne") {
            if (!value(v))
                return usage();
            o.columns = std::strtoull(v.c_str(), nullptr, 10);
        } else if (a == "--salto") {
            o.jump = true;
        } else if (a == "--scambi") {
            o.exchange = true;
        } else if (a == "--pesi") {
            if (!value(v))
                return usage();
            o.sample = std::strtoull(v.c_str(), nullptr, 10);
        } else if (a == "--caldo") {
            if (!value(v))
                return usage();
            o.hot = std::strtod(v.c_str(), nullptr);
            o.hotGiven = true;
            if (!(o.hot > 0))
                return usage();
        } else if (a == "--freddo") {
            if (!value(v))
                return usage();
            o.cold = std::strtod(v.c_str(), nullptr);
            if (!(o.cold > 0))
                return usage();
        } else if (a == "--rifinitura") {
            if (!value(v))
                return usage();
            o.refine = std::strtoull(v.c_str(), nullptr, 10);
        } else if (a == "--giri") {
            if (!value(v))
                return usage();
            o.rounds = std::atoi(v.c_str());
            if (o.rounds < 1)
                return usage();
        } else if (a == "--seme") {
            if (!value(v))
                return usage();
            o.seed = std::strtoull(v.c_str(), nullptr, 10);
        } else {
            o.names.push_back(a);
        }
    }
    // One group at a time; a multiplier or a step needs the cycles, relaxing a multiplier, resuming
    // a group.
    const bool onOrbits = o.cycles > 0 || o.space[0] > 0;
    if ((o.cycles > 0 && o.space[0] > 0) || ((o.multiplier > 1 || o.step > 1) && o.cycles == 0) ||
        (o.relax > 0 && o.multiplier < 2) || (o.resume && !onOrbits))
        return usage();
    if (command == "genera")
        return genera(o);
    if (command == "migliora")
        return migliora(o, Shrink::LocalSearch);
    if (command == "ricottura")
        return migliora(o, Shrink::Annealing);
    if (command == "turan")
        return migliora(o, Shrink::Turan);
    if (command == "orbite")
        return orbite(o);
    if (command == "assembla")
        return assembla(o);
    if (command == "tabella")
        return tabella(o);
    return usage();
}
