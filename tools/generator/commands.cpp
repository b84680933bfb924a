#include "generator/commands.h"

#include "generator/designs.h"
#include "core/design/groups.h"
#include "core/design/search.h"

#include "core/development/catalogue.h"
#include "core/development/storedsystems.h"
#include "core/development/verifier.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace gen {

namespace {

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

} // namespace

void say(const std::string& text)
{
    std::cout << text << std::endl;
}

double secondsSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

bool verified(const Design& d, const Problem& p)
{
    return !d.empty() && sestara::verifyCoverage(toPositions(d), p.n, guaranteeOf(p)).ok();
}

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

std::uint64_t defaultMoves(const Problem& p)
{
    if (choose(p.n, p.s) > 4000000)
        return 0;
    const double change = 2.0 * static_cast<double>(choose(5, p.m - 1) * choose(p.n - 7, p.s - p.m));
    const double perMove = std::min(96.0 * change, 60000.0) + 2000.0;
    return static_cast<std::uint64_t>(std::clamp(6e8 / perMove, 2000.0, 40000.0));
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

} // namespace gen
