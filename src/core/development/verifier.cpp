#include "core/development/verifier.h"

#include <algorithm>
#include <array>

namespace sestara {

namespace {

constexpr int kMaxN = 64;
constexpr int kMaxK = 8;

struct BinomialTable {
    std::uint64_t c[kMaxN + 1][kMaxK + 1] = {};
    BinomialTable()
    {
        for (int n = 0; n <= kMaxN; ++n) {
            c[n][0] = 1;
            for (int k = 1; k <= kMaxK; ++k)
                c[n][k] = n == 0 ? 0 : c[n - 1][k - 1] + c[n - 1][k];
        }
    }
};

const BinomialTable& table()
{
    static const BinomialTable t;
    return t;
}

// Depth-first walk over the drawn sets with pruning on marked subsets.
class CoverageSearch {
public:
    CoverageSearch(const std::vector<std::uint64_t>& marked, int n, const Guarantee& g, CoverageReport& report)
        : marked_(marked), n_(n), g_(g), report_(report), bin_(table())
    {
    }

    void run() { extend(0, 0); }

private:
    bool isMarked(std::uint64_t rank) const { return marked_[rank >> 6] >> (rank & 63) & 1u; }

    // True when some (matched - 1)-subset of the current partial set, with e added on top, is marked.
    bool closesMarked(int size, int e) const
    {
        const int want = g_.matched - 1;
        const std::uint64_t top = bin_.c[e][g_.matched];
        if (want == 0)
            return isMarked(top);
        // Walk the want-subsets of set_[0..size) in lexicographic order of their indices.
        std::array<int, kMaxK> idx{};
        for (int i = 0; i < want; ++i)
            idx[static_cast<std::size_t>(i)] = i;
        for (;;) {
            std::uint64_t rank = top;
            for (int i = 0; i < want; ++i)
                rank += bin_.c[set_[static_cast<std::size_t>(idx[static_cast<std::size_t>(i)])]][i + 1];
            if (isMarked(rank))
                return true;
            int i = want - 1;
            while (i >= 0 && idx[static_cast<std::size_t>(i)] == size - want + i)
                --i;
            if (i < 0)
                return false;
            ++idx[static_cast<std::size_t>(i)];
            for (int j = i + 1; j < want; ++j)
                idx[static_cast<std::size_t>(j)] = idx[static_cast<std::size_t>(j - 1)] + 1;
        }
    }

    void extend(int size, int from)
    {
        for (int e = from; e <= n_ - (g_.drawn - size); ++e) {
            if (size + 1 >= g_.matched && closesMarked(size, e))
                continue;
            set_[static_cast<std::size_t>(size)] = e;
            if (size + 1 == g_.drawn) {
                if (report_.uncovered++ == 0)
                    for (int i = 0; i < g_.drawn; ++i)
                        report_.firstUncovered.push_back(set_[static_cast<std::size_t>(i)] + 1);
            } else {
                extend(size + 1, e + 1);
            }
        }
    }

    const std::vector<std::uint64_t>& marked_;
    int n_;
    Guarantee g_;
    CoverageReport& report_;
    const BinomialTable& bin_;
    std::array<int, kMaxK> set_{};
};

} // namespace

std::uint64_t binomial(int n, int k)
{
    if (n < 0 || k < 0 || n > kMaxN || k > kMaxK)
        return 0;
    return table().c[n][k];
}

Guarantee reducedGuarantee(int level)
{
    return Guarantee{6, 6 - level};
}

Guarantee immediateGuarantee(ImmediateGuarantee kind)
{
    switch (kind) {
    case ImmediateGuarantee::TreCon3:
        return Guarantee{3, 3};
    case ImmediateGuarantee::TreCon4:
        return Guarantee{4, 3};
    case ImmediateGuarantee::QuattroCon4:
        return Guarantee{4, 4};
    }
    return Guarantee{};
}

std::string guaranteeText(const Guarantee& g)
{
    return std::to_string(g.matched) + " se " + std::to_string(g.drawn);
}

CoverageReport verifyCoverage(const std::vector<Positions>& columns, int n, const Guarantee& g)
{
    CoverageReport report;
    if (n < 1 || n > 60 || g.drawn < 1 || g.drawn > 6 || g.matched < 1 || g.matched > g.drawn || g.drawn > n) {
        report.error = "Garanzia " + guaranteeText(g) + " non verificabile con " + std::to_string(n) + " numeri.";
        return report;
    }
    const BinomialTable& bin = table();
    report.subsets = bin.c[n][g.drawn];
    std::vector<std::uint64_t> marked(bin.c[n][g.matched] / 64 + 1, 0);

    std::size_t index = 0;
    for (const Positions& column : columns) {
        ++index;
        std::array<int, 6> sorted{};
        std::uint64_t seen = 0;
        for (std::size_t i = 0; i < 6; ++i) {
            const int p = column[i];
            if (p < 1 || p > n || (seen >> p & 1u)) {
                report.error = "La colonna " + std::to_string(index) + " non contiene sei posizioni diverse da 1 a " +
                               std::to_string(n) + ".";
                return report;
            }
            seen |= std::uint64_t{1} << p;
            sorted[i] = p - 1;
        }
        std::sort(sorted.begin(), sorted.end());
        // Mark every matched-subset of the column.
        const int k = g.matched;
        std::array<int, 6> idx{};
        for (int i = 0; i < k; ++i)
            idx[static_cast<std::size_t>(i)] = i;
        for (;;) {
            std::uint64_t rank = 0;
            for (int i = 0; i < k; ++i)
                rank += bin.c[sorted[static_cast<std::size_t>(idx[static_cast<std::size_t>(i)])]][i + 1];
            marked[rank >> 6] |= std::uint64_t{1} << (rank & 63);
            int i = k - 1;
            while (i >= 0 && idx[static_cast<std::size_t>(i)] == 6 - k + i)
                --i;
            if (i < 0)
                break;
            ++idx[static_cast<std::size_t>(i)];
            for (int j = i + 1; j < k; ++j)
                idx[static_cast<std::size_t>(j)] = idx[static_cast<std::size_t>(j - 1)] + 1;
        }
    }

    CoverageSearch(marked, n, g, report).run();
    return report;
}

} // namespace sestara
