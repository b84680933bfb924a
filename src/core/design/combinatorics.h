#pragma once

// Subsets of {0..n-1} as sorted arrays, their colex ranks, and the enumerations the searches need.

#include <array>
#include <cstdint>
#include <vector>

namespace sestara::design {

constexpr int kMaxPoints = 56;

struct Binomials {
    std::uint64_t c[kMaxPoints + 8][9] = {};
    Binomials();
};
extern const Binomials kBin;

inline std::uint64_t choose(int n, int k)
{
    return (n < 0 || k < 0 || k > 8 || n >= kMaxPoints + 8) ? 0 : kBin.c[n][k];
}

using Set = std::array<std::uint8_t, 6>; // sorted, only the first k entries used

inline std::uint64_t rankOf(const std::uint8_t* x, int k)
{
    std::uint64_t r = 0;
    for (int i = 0; i < k; ++i)
        r += kBin.c[x[i]][i + 1];
    return r;
}

void unrank(std::uint64_t rank, int k, std::uint8_t* out);

inline std::uint64_t maskOf(const std::uint8_t* x, int k)
{
    std::uint64_t m = 0;
    for (int i = 0; i < k; ++i)
        m |= std::uint64_t{1} << x[i];
    return m;
}

// The points of a six-point mask, ascending.
inline Set setOfMask(std::uint64_t m)
{
    Set c{};
    std::size_t k = 0;
    for (std::uint8_t v = 0; m && k < c.size(); ++v, m >>= 1)
        if (m & 1u)
            c[k++] = v;
    return c;
}

// Insertion sort of a few points.
inline void sortPoints(std::uint8_t* z, int k)
{
    for (int i = 1; i < k; ++i) {
        const std::uint8_t v = z[i];
        int j = i - 1;
        while (j >= 0 && z[j] > v) {
            z[j + 1] = z[j];
            --j;
        }
        z[j + 1] = v;
    }
}

// Calls f(idx) for every k-subset of {0..n-1} given as ascending indices.
template <class F>
void forEachCombo(int n, int k, F&& f)
{
    if (k > n || k < 0)
        return;
    int idx[8] = {};
    for (int i = 0; i < k; ++i)
        idx[i] = i;
    for (;;) {
        f(static_cast<const int*>(idx));
        int i = k - 1;
        while (i >= 0 && idx[i] == n - k + i)
            --i;
        if (i < 0)
            return;
        ++idx[i];
        for (int j = i + 1; j < k; ++j)
            idx[j] = idx[j - 1] + 1;
    }
}

// Every k-subset z of {0..n-1} with |z & a| >= m, where a holds `as` sorted points: f(rank, sorted z).
template <class F>
void forEachMeeting(int n, const std::uint8_t* a, int as, int k, int m, F&& f)
{
    std::uint8_t rest[kMaxPoints];
    int rs = 0;
    {
        int j = 0;
        for (int p = 0; p < n; ++p) {
            if (j < as && a[j] == p)
                ++j;
            else
                rest[rs++] = static_cast<std::uint8_t>(p);
        }
    }
    const int hi = as < k ? as : k;
    for (int j = m; j <= hi; ++j) {
        if (k - j > rs)
            continue;
        forEachCombo(as, j, [&](const int* ia) {
            forEachCombo(rs, k - j, [&](const int* ib) {
                std::uint8_t z[8];
                int x = 0, y = 0, o = 0;
                while (x < j && y < k - j) {
                    const std::uint8_t u = a[ia[x]], v = rest[ib[y]];
                    if (u < v) {
                        z[o++] = u;
                        ++x;
                    } else {
                        z[o++] = v;
                        ++y;
                    }
                }
                while (x < j)
                    z[o++] = a[ia[x++]];
                while (y < k - j)
                    z[o++] = rest[ib[y++]];
                f(rankOf(z, k), static_cast<const std::uint8_t*>(z));
            });
        });
    }
}

// Sets z = fixed + (c points of `from`) + (d points of `other`), all disjoint, as f(rank).
// Used for the sets a single-point change of a column gains or loses.
template <class F>
void forEachUnion(const std::uint8_t* fixed, int fs, const std::uint8_t* from, int fromSize, int c,
                  const std::uint8_t* other, int otherSize, int d, F&& f)
{
    const int k = fs + c + d;
    forEachCombo(fromSize, c, [&](const int* ia) {
        forEachCombo(otherSize, d, [&](const int* ib) {
            std::uint8_t z[8];
            int o = 0;
            for (int i = 0; i < fs; ++i)
                z[o++] = fixed[i];
            for (int i = 0; i < c; ++i)
                z[o++] = from[ia[i]];
            for (int i = 0; i < d; ++i)
                z[o++] = other[ib[i]];
            sortPoints(z, k);
            f(rankOf(z, k));
        });
    });
}

// Deterministic random numbers (splitmix64 seeded xorshift), identical on every platform.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}
    std::uint64_t next()
    {
        std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::uint64_t below(std::uint64_t n) { return n ? next() % n : 0; }
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

private:
    std::uint64_t s_;
};

// A random set bit of a non-empty mask.
inline int pickBit(std::uint64_t mask, Rng& rng)
{
    int k = static_cast<int>(rng.below(static_cast<std::uint64_t>(__builtin_popcountll(mask))));
    while (k-- > 0)
        mask &= mask - 1;
    return __builtin_ctzll(mask);
}

// Columns filed under each of their k-point subsets, to find the columns holding given k points.
class SubsetIndex {
public:
    SubsetIndex(int n, int k) : k_(k), lists_(choose(n, k)) {}

    const std::vector<std::uint32_t>& holding(std::uint64_t rank) const { return lists_[rank]; }

    // Files column i (points b[0..5], in any order) under its k-subsets, or takes it out.
    void file(const std::uint8_t* b, std::uint32_t i, bool add)
    {
        forEachCombo(6, k_, [&](const int* idx) {
            std::uint8_t z[8];
            for (int j = 0; j < k_; ++j)
                z[j] = b[idx[j]];
            edit(z, i, add);
        });
    }

    // The same, only under the k-subsets that hold point a (the column's other points in rest[0..4]):
    // all a one-point change of a column moves.
    void fileWith(std::uint8_t a, const std::uint8_t* rest, std::uint32_t i, bool add)
    {
        forEachCombo(5, k_ - 1, [&](const int* idx) {
            std::uint8_t z[8];
            z[0] = a;
            for (int j = 0; j < k_ - 1; ++j)
                z[j + 1] = rest[idx[j]];
            edit(z, i, add);
        });
    }

private:
    void edit(std::uint8_t* z, std::uint32_t i, bool add)
    {
        sortPoints(z, k_);
        auto& list = lists_[rankOf(z, k_)];
        if (add) {
            list.push_back(i);
            return;
        }
        for (auto& v : list)
            if (v == i) {
                v = list.back();
                break;
            }
        list.pop_back();
    }

    int k_;
    std::vector<std::vector<std::uint32_t>> lists_;
};

} // namespace sestara::design
