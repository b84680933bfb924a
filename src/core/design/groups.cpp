#include "core/design/groups.h"

#include <algorithm>
#include <numeric>
#include <set>

namespace sestara::design {

Group cycleGroup(int n, int parts, int fixed, int multiplier, int step)
{
    if (parts < 1 || fixed < 0 || fixed >= n)
        return {};
    const int len = (n - fixed) / parts;
    if (len * parts + fixed != n || len < 2 || step < 1 || step >= len)
        return {};
    Perm perm(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        perm[static_cast<std::size_t>(i)] = i >= len * parts ? i : (i / len) * len + (i % len + step) % len;
    if (multiplier == 1)
        return Group{perm};
    // Multiplying by a unit modulo the length maps every cycle onto itself, keeping its point 0.
    if (multiplier < 2 || std::gcd(multiplier, len) != 1)
        return {};
    Perm scale(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        scale[static_cast<std::size_t>(i)] = i >= len * parts ? i : (i / len) * len + (i % len) * multiplier % len;
    return Group{perm, scale};
}

Group translationGroup(int n, int base, int dims)
{
    bool prime = base >= 2;
    for (int d = 2; d * d <= base; ++d)
        prime = prime && base % d != 0;
    if (!prime || dims < 1)
        return {};
    int size = 1;
    for (int k = 0; k < dims; ++k) {
        size *= base;
        if (size > n)
            return {};
    }
    // One generator a digit: adds 1 to that digit, modulo the base.
    Group out;
    for (int k = 0, step = 1; k < dims; ++k, step *= base) {
        Perm perm(static_cast<std::size_t>(n));
        for (int x = 0; x < n; ++x) {
            const int digit = x / step % base;
            perm[static_cast<std::size_t>(x)] = x >= size ? x : x + ((digit + 1) % base - digit) * step;
        }
        out.push_back(std::move(perm));
    }
    return out;
}

std::vector<Group> searchGroups(int n)
{
    std::vector<Group> out;
    auto cycles = [&](int parts, int fixed) {
        Group g = cycleGroup(n, parts, fixed);
        if (!g.empty())
            out.push_back(std::move(g));
    };
    auto affine = [&](int q) {
        bool prime = q >= 5;
        for (int d = 2; d * d <= q; ++d)
            prime = prime && q % d != 0;
        if (!prime)
            return;
        for (int order = 2; order < q - 1; ++order) {
            if ((q - 1) % order)
                continue;
            // a generator of the subgroup of units of this order
            int a = 0;
            for (int c = 2; c < q && !a; ++c) {
                int v = 1, ord = 0;
                do {
                    v = v * c % q;
                    ++ord;
                } while (v != 1);
                if (ord == order)
                    a = c;
            }
            Perm shift(static_cast<std::size_t>(n)), scale(static_cast<std::size_t>(n));
            for (int i = 0; i < n; ++i) {
                shift[static_cast<std::size_t>(i)] = i < q ? (i + 1) % q : i;
                scale[static_cast<std::size_t>(i)] = i < q ? i * a % q : i;
            }
            out.push_back(Group{shift, scale});
        }
    };
    cycles(1, 0);
    cycles(1, 1);
    cycles(2, 0);
    cycles(1, 2);
    cycles(3, 0);
    cycles(2, 1);
    cycles(3, 1);
    affine(n);
    affine(n - 1);
    return out;
}

std::vector<Perm> groupElements(const Group& generators, int n)
{
    Perm identity(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        identity[static_cast<std::size_t>(i)] = i;
    std::vector<Perm> out{identity};
    std::set<Perm> seen{identity};
    // Closure: every element times every generator, until nothing new appears.
    for (std::size_t k = 0; k < out.size(); ++k) {
        for (const Perm& g : generators) {
            Perm h(static_cast<std::size_t>(n));
            for (int i = 0; i < n; ++i)
                h[static_cast<std::size_t>(i)] = g[static_cast<std::size_t>(out[k][static_cast<std::size_t>(i)])];
            if (seen.insert(h).second)
                out.push_back(std::move(h));
        }
    }
    return out;
}

} // namespace sestara::design
