// Randomized comparison with a reference model: a plain stable sort of the same keys, flat and as
// trees, over thousands of random grids.
#include <algorithm>
#include <array>
#include <cmath>
#include <random>

#include "sort_test_support.h"

using namespace sort_test;

namespace {

struct Criterion {
    int32_t col;
    int32_t order;
    int32_t type; // 0 general, 1 text with case, 2 text without case
};

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The reference comparison, written from the rules rather than from the grid's code.
int CompareValues(const Variant& a, const Variant& b, int32_t type) {
    auto sign = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    if (type == 0) {
        auto rank = [](const Variant& v) { return v.isNull() ? 0 : v.isEmpty() ? 1 : v.isString() ? 3 : 2; };
        if (rank(a) != rank(b)) return sign(rank(a), rank(b));
        if (a.isString()) return sign(Lower(a.str()), Lower(b.str()));
        if (rank(a) == 2) return sign(lattix::ToDouble(a), lattix::ToDouble(b));
        return 0;
    }
    if (a.isNull() || b.isNull()) return sign(!a.isNull(), !b.isNull());
    std::string x = lattix::TextOf(a), y = lattix::TextOf(b);
    if (type == 2) {
        x = Lower(x);
        y = Lower(y);
    }
    return sign(x, y);
}

Variant RandomValue(std::mt19937& rng) {
    static const char* texts[] = {"", "a", "A", "b", "B", "ab", "Ab", "aB", "ba", "10", "9", "z"};
    switch (rng() % 6) {
    case 0: return Variant::null();
    case 1: return Variant();
    case 2: return Variant(static_cast<int32_t>(rng() % 7) - 3);
    case 3: return Variant(static_cast<double>(rng() % 9) / 2.0 - 2.0);
    default: return Variant(texts[rng() % 12]);
    }
}

struct Model {
    std::vector<std::vector<Variant>> values; // by original row, then column
    std::vector<int> levels;
};

// The reference order of rows lo..hi (original indices in current order), as a tree: children
// sorted stably within each parent, each with its subtree.
void ReferenceTree(const Model& m, const std::vector<int>& seq, size_t lo, size_t hi, const std::vector<Criterion>& crit,
                   std::vector<int>& out) {
    if (lo >= hi) return;
    int level = 255;
    for (size_t i = lo; i < hi; ++i) level = std::min(level, m.levels[static_cast<size_t>(seq[i])]);
    size_t p = lo;
    while (m.levels[static_cast<size_t>(seq[p])] != level) ++p;
    ReferenceTree(m, seq, lo, p, crit, out);
    std::vector<std::pair<size_t, size_t>> blocks;
    for (size_t i = p; i < hi; ++i) {
        if (m.levels[static_cast<size_t>(seq[i])] != level) continue;
        if (!blocks.empty()) blocks.back().second = i;
        blocks.emplace_back(i, hi);
    }
    auto less = [&](const std::pair<size_t, size_t>& x, const std::pair<size_t, size_t>& y) {
        const auto& a = m.values[static_cast<size_t>(seq[x.first])];
        const auto& b = m.values[static_cast<size_t>(seq[y.first])];
        for (const Criterion& c : crit) {
            int r = CompareValues(a[static_cast<size_t>(c.col - 1)], b[static_cast<size_t>(c.col - 1)], c.type);
            if (r) return (c.order ? -r : r) < 0;
        }
        return false;
    };
    std::stable_sort(blocks.begin(), blocks.end(), less);
    for (const auto& bl : blocks) {
        out.push_back(seq[bl.first]);
        ReferenceTree(m, seq, bl.first + 1, bl.second, crit, out);
    }
}

void RunRandomGrids(bool tree, int grids, uint32_t seed) {
    std::mt19937 rng(seed);
    for (int n = 0; n < grids; ++n) {
        const int cols = 1 + static_cast<int>(rng() % 3);
        const int rows = static_cast<int>(rng() % 40);
        Model m;
        auto g = Lattix::Create();
        g->SetColCount(cols);
        if (tree) g->SetTreeCol(1);
        for (int r = 0; r < rows; ++r) {
            int level = 0;
            if (tree && r > 0) { level = static_cast<int>(rng() % static_cast<uint32_t>(m.levels.back() + 2)); }
            level = std::min(level, 3);
            m.levels.push_back(level);
            lattix::AddRowArgs a;
            a.sKey = std::to_string(r);
            a.btLevel = level;
            a.bVisible = rng() % 5 != 0;
            const int32_t row = g->AddRow(a);
            std::vector<Variant> vals;
            for (int c = 1; c <= cols; ++c) {
                vals.push_back(RandomValue(rng));
                g->SetCellValue(Variant(row), Variant(c), vals.back());
            }
            m.values.push_back(vals);
        }
        std::vector<int> seq(static_cast<size_t>(rows));
        for (int r = 0; r < rows; ++r) seq[static_cast<size_t>(r)] = r;
        if (rows > 0) g->SetCurRow(static_cast<int32_t>(rng() % static_cast<uint32_t>(rows)) + 1);
        // Several sorts in a row: each starts from the order the previous one left.
        for (int round = 0; round < 3; ++round) {
            std::vector<Criterion> crit;
            const int k = 1 + static_cast<int>(rng() % 3);
            auto s = g->SortObject();
            s->Clear();
            for (int i = 0; i < k; ++i) {
                Criterion c{1 + static_cast<int32_t>(rng() % static_cast<uint32_t>(cols)), static_cast<int32_t>(rng() % 2),
                            static_cast<int32_t>(rng() % 3)};
                crit.push_back(c);
                s->AddItem(Variant(c.col), c.order, c.type);
            }
            const std::string current = rows > 0 ? g->RowKey(g->CurRow()) : std::string();
            std::vector<int> expected;
            ReferenceTree(m, seq, 0, seq.size(), crit, expected);
            g->Sort();
            std::string want, got;
            for (size_t i = 0; i < expected.size(); ++i) {
                want += std::to_string(expected[i]) + ' ';
                got += g->RowKey(static_cast<int32_t>(i + 1)) + ' ';
            }
            ASSERT_EQ(got, want) << "grid " << n << " round " << round;
            for (int32_t r = 1; r <= rows; ++r) {
                ASSERT_EQ(g->Row(r).level, m.levels[static_cast<size_t>(expected[static_cast<size_t>(r - 1)])]);
                ASSERT_EQ(g->RowIndex(std::to_string(expected[static_cast<size_t>(r - 1)])), r);
            }
            if (rows > 0) {
                ASSERT_EQ(g->RowKey(g->CurRow()), current);
            }
            seq = expected;
        }
    }
}

} // namespace

TEST(SortRandomized, FlatGridsMatchAStableSortOfTheSameKeys) { RunRandomGrids(false, 2500, 12345); }

TEST(SortRandomized, TreesMatchAStableSortOfSiblingsUnderEachParent) { RunRandomGrids(true, 1500, 777); }

// Columns of numbers only, where the order is decided by the numbers' images without comparing rows:
// large enough for every byte of the images to matter, with ties, signed zeros, infinities and NaN
// (which sorts before every number).
TEST(SortRandomized, NumberColumnsMatchAStableSortOfTheNumbers) {
    std::mt19937 rng(2024);
    auto number = [&]() -> double {
        static const double odd[] = {0.0, -0.0, INFINITY, -INFINITY, NAN, 1e-300, -1e300, 0.1, -0.1};
        switch (rng() % 4) {
        case 0: return odd[rng() % std::size(odd)];
        case 1: return static_cast<double>(static_cast<int32_t>(rng() % 7) - 3);
        case 2: return std::ldexp(static_cast<double>(rng()), static_cast<int>(rng() % 200) - 100);
        default: return -std::ldexp(static_cast<double>(rng()), static_cast<int>(rng() % 200) - 100);
        }
    };
    auto compare = [](double a, double b) {
        if (std::isnan(a) || std::isnan(b)) return int(!std::isnan(a)) - int(!std::isnan(b));
        return a < b ? -1 : (b < a ? 1 : 0);
    };
    for (int rows : {2, 30, 3000}) {
        std::vector<std::array<double, 2>> values(static_cast<size_t>(rows));
        auto g = Lattix::Create();
        g->SetColCount(2);
        for (int r = 0; r < rows; ++r) {
            lattix::AddRowArgs a;
            a.sKey = std::to_string(r);
            const int32_t row = g->AddRow(a);
            for (int c = 0; c < 2; ++c) {
                values[static_cast<size_t>(r)][static_cast<size_t>(c)] = number();
                g->SetCellValue(Variant(row), Variant(c + 1), Variant(values[static_cast<size_t>(r)][static_cast<size_t>(c)]));
            }
        }
        std::vector<int> seq(static_cast<size_t>(rows));
        for (int r = 0; r < rows; ++r) seq[static_cast<size_t>(r)] = r;
        for (int round = 0; round < 6; ++round) {
            std::vector<std::pair<int, int>> crit; // column index 0 or 1, descending
            crit.emplace_back(static_cast<int>(rng() % 2), static_cast<int>(rng() % 2));
            if (round % 2) crit.emplace_back(1 - crit[0].first, static_cast<int>(rng() % 2));
            auto s = g->SortObject();
            s->Clear();
            for (auto [col, desc] : crit) s->AddItem(Variant(col + 1), desc, 0);
            std::stable_sort(seq.begin(), seq.end(), [&](int x, int y) {
                for (auto [col, desc] : crit) {
                    const int r = compare(values[static_cast<size_t>(x)][static_cast<size_t>(col)],
                                          values[static_cast<size_t>(y)][static_cast<size_t>(col)]);
                    if (r) return (desc ? -r : r) < 0;
                }
                return false;
            });
            g->Sort();
            for (int r = 0; r < rows; ++r)
                ASSERT_EQ(g->RowKey(r + 1), std::to_string(seq[static_cast<size_t>(r)])) << rows << " rows, round " << round;
        }
    }
}
