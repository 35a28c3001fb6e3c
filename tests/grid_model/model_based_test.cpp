// Long random sequences of structural operations checked against a plain reference model after
// every step: a list of rows (identity, key, level, flags, height, cell values by column identity)
// and two lists of column identities (by index and by display position).
#include <algorithm>
#include <map>
#include <optional>
#include <random>

#include "test_support.h"

using namespace lattix;
using namespace lattix_test;

namespace {

struct RefRow {
    int id = 0;
    std::string key;
    int level = 0;
    bool expanded = true, visible = true, vac = true;
    int button = 0;
    int height = 17;
    std::map<int, int> values; // column identity -> value; absent = the default cell value
};

class Reference {
public:
    std::vector<RefRow> rows;
    std::vector<int> byIndex; // column identities by index - 1
    std::vector<int> display; // column identities in display order
    int currentId = 0;
    int nextRow = 1, nextCol = 1;

    int count() const { return static_cast<int>(rows.size()); }
    int posOf(int id) const {
        for (int i = 0; i < count(); ++i)
            if (rows[static_cast<size_t>(i)].id == id) return i + 1;
        return 0;
    }
    RefRow& at(int pos) { return rows[static_cast<size_t>(pos - 1)]; }
    const RefRow& at(int pos) const { return rows[static_cast<size_t>(pos - 1)]; }
    int parent(int pos) const {
        for (int r = pos - 1; r >= 1; --r)
            if (at(r).level == at(pos).level - 1) return r;
        return 0;
    }
    int lastNested(int pos) const {
        int r = pos;
        while (r < count() && at(r + 1).level > at(pos).level) ++r;
        return r;
    }
    int directChildren(int pos) const {
        int n = 0;
        for (int r = pos + 1; r <= lastNested(pos); ++r) n += at(r).level == at(pos).level + 1;
        return n;
    }
    bool allAncestorsExpanded(int pos) const {
        for (int p = parent(pos); p; p = parent(p))
            if (!at(p).expanded) return false;
        return true;
    }
    // The sound rule: a nested row is visible as child exactly when every ancestor is expanded.
    void deriveVisibility() {
        for (int r = 1; r <= count(); ++r)
            if (at(r).level > 0) at(r).vac = allAncestorsExpanded(r);
    }
    static bool displayed(const RefRow& r) { return r.height > 0 && r.visible && r.vac; }
    bool hasKey(const std::string& k) const {
        return std::any_of(rows.begin(), rows.end(), [&](const RefRow& r) { return r.key == k; });
    }
};

class ModelRun {
public:
    ModelRun(unsigned seed, bool tree) : rng_(seed), tree_(tree), g_(Lattix::Create()) {
        g_->SetColCount(3);
        for (int i = 0; i < 3; ++i) {
            ref_.byIndex.push_back(ref_.nextCol);
            ref_.display.push_back(ref_.nextCol++);
        }
        if (tree_) {
            g_->SetTreeCol(1);
            g_->SetAddRowAutoTreeButton(true);
        }
        g_->SetRowCount(1);
        defaultValue_ = g_->CellValue(Variant(1), Variant(1));
        g_->SetRowCount(0);
    }

    void run(int steps) {
        for (step_ = 0; step_ < steps; ++step_) {
            doRandomOperation();
            compare();
            if (::testing::Test::HasFailure()) {
                ADD_FAILURE() << "first difference after step " << step_ << ": " << last_;
                return;
            }
        }
    }

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(int percent) { return pick(1, 100) <= percent; }

    // Runs a grid call and checks its error code against the reference's expectation.
    void call(int expected, const std::function<void()>& f) {
        int got = LattixCode(f);
        EXPECT_EQ(got, expected) << last_;
    }

    void doRandomOperation() {
        const int n = ref_.count();
        int op = pick(0, 15);
        if (n == 0) op = 0;
        switch (op) {
        case 0:
        case 1:
        case 2: addRow(); break;
        case 3: removeRow(); break;
        case 4:
        case 5: moveRow(); break;
        case 6: setExpanded(); break;
        case 7: manyRows(); break;
        case 8: setVisible(); break;
        case 9: setCell(); break;
        case 10: addCol(); break;
        case 11: removeCol(); break;
        case 12: colPos(); break;
        case 13: rowCount(); break;
        case 14: current(); break;
        default: setHeight(); break;
        }
    }

    void addRow() {
        if (ref_.count() > 40) return removeRow();
        AddRowArgs a;
        RefRow row;
        row.id = ref_.nextRow;
        if (chance(60)) row.key = "r" + std::to_string(row.id);
        else if (chance(15) && ref_.count() > 0) row.key = ref_.at(pick(1, ref_.count())).key;
        a.sKey = row.key;
        a.bExpanded = row.expanded = chance(70);
        int insertAt = ref_.count() + 1; // position the new row takes
        int parent = 0;
        if (tree_ && ref_.count() > 0 && chance(60)) {
            parent = pick(1, ref_.count());
            if (ref_.at(parent).level >= 5) parent = 0;
        }
        if (parent) {
            a.vRowParent = Variant(parent);
            row.level = ref_.at(parent).level + 1;
            insertAt = ref_.lastNested(parent) + 1;
        } else if (ref_.count() > 0 && chance(50)) {
            // Before a top-level row, so that the new row holds no rows that were nested elsewhere.
            int before = pick(1, ref_.count());
            while (before > 1 && ref_.at(before).level > 0) --before;
            if (ref_.at(before).level == 0) {
                a.vRowBefore = Variant(before);
                insertAt = before;
            }
        }
        last_ = "AddRow key=" + row.key + " parent=" + std::to_string(parent) + " at " + std::to_string(insertAt);
        if (!row.key.empty() && ref_.hasKey(row.key)) return call(515, [&] { g_->AddRow(a); });
        if (tree_) {
            row.button = 1;
            if (parent) ref_.at(parent).button = 2;
        }
        row.height = g_->DefaultRowHeight();
        ref_.nextRow++;
        ref_.rows.insert(ref_.rows.begin() + (insertAt - 1), row);
        ref_.deriveVisibility();
        int got = 0;
        call(0, [&] { got = g_->AddRow(a); });
        EXPECT_EQ(got, insertAt) << last_;
    }

    void removeRow() {
        const int first = pick(1, ref_.count());
        int lCount = 1;
        const bool nested = ref_.lastNested(first) > first;
        int expected = 0;
        if (!nested) {
            int kind = pick(0, 9);
            if (kind == 0) lCount = 0, expected = 514;
            else if (kind == 1) lCount = ref_.count() - first + 2, expected = 514;
            else if (!tree_) lCount = pick(1, ref_.count() - first + 1);
        } else {
            lCount = pick(0, 3); // ignored
        }
        last_ = "RemoveRow " + std::to_string(first) + " count " + std::to_string(lCount);
        if (expected) return call(expected, [&] { g_->RemoveRow(Variant(first), lCount); });
        const int count = nested ? ref_.lastNested(first) - first + 1 : lCount;
        const int parent = ref_.at(first).level > 0 ? ref_.parent(first) : 0;
        const int parentId = parent ? ref_.at(parent).id : 0;
        const int curPos = ref_.posOf(ref_.currentId);
        if (curPos >= first && curPos < first + count) ref_.currentId = 0;
        ref_.rows.erase(ref_.rows.begin() + (first - 1), ref_.rows.begin() + (first - 1 + count));
        if (parentId) {
            const int p = ref_.posOf(parentId);
            if (ref_.at(p).button == 2 && ref_.lastNested(p) == p) ref_.at(p).button = 1;
        }
        call(0, [&] { g_->RemoveRow(Variant(first), lCount); });
    }

    void moveRow() {
        const int n = ref_.count();
        const int src = pick(1, n), dst = pick(1, n);
        int mode = pick(0, tree_ ? 2 : 1);
        int lCount = tree_ ? 1 : pick(1, 3);
        if (chance(5)) mode = chance(50) ? 3 : -1;
        if (chance(5) && !tree_) lCount = 0;
        last_ = "MoveRow " + std::to_string(src) + " -> " + std::to_string(dst) + " count " +
                std::to_string(lCount) + " mode " + std::to_string(mode);
        if (mode < 0 || mode > 2) return call(514, [&] { g_->MoveRow(Variant(src), Variant(dst), lCount, mode); });
        if (src == dst) return call(0, [&] { g_->MoveRow(Variant(src), Variant(dst), lCount, mode); });
        int count = 0;
        if (tree_) {
            const int last = ref_.lastNested(src);
            if (dst > src && dst <= last) return call(513, [&] { g_->MoveRow(Variant(src), Variant(dst), lCount, mode); });
            count = last - src + 1;
        } else {
            if (lCount < 1) return call(514, [&] { g_->MoveRow(Variant(src), Variant(dst), lCount, mode); });
            if (src + lCount - 1 > n) return call(513, [&] { g_->MoveRow(Variant(src), Variant(dst), lCount, mode); });
            if (dst > src && dst <= src + lCount - 1)
                return call(513, [&] { g_->MoveRow(Variant(src), Variant(dst), lCount, mode); });
            count = lCount;
        }
        const int dstId = ref_.at(dst).id;
        if (tree_) {
            const int levelChange = ref_.at(dst).level - ref_.at(src).level + (mode == 2 ? 1 : 0);
            const int oldParent = ref_.parent(src);
            if (oldParent && ref_.directChildren(oldParent) == 1) ref_.at(oldParent).button = 1;
            const int newParent = mode == 2 ? dst : ref_.parent(dst);
            if (newParent) ref_.at(newParent).button = 2;
            const bool newVac = ref_.at(dst).vac && (mode != 2 || ref_.at(dst).expanded);
            for (int r = src; r < src + count; ++r) ref_.at(r).level += levelChange;
            ref_.at(src).vac = newVac;
        }
        std::vector<RefRow> block(ref_.rows.begin() + (src - 1), ref_.rows.begin() + (src - 1 + count));
        ref_.rows.erase(ref_.rows.begin() + (src - 1), ref_.rows.begin() + (src - 1 + count));
        int at = ref_.posOf(dstId) - 1 + (mode == 0 ? 0 : 1);
        ref_.rows.insert(ref_.rows.begin() + at, block.begin(), block.end());
        if (tree_) ref_.deriveVisibility();
        call(0, [&] { g_->MoveRow(Variant(src), Variant(dst), lCount, mode); });
    }

    void setExpanded() {
        const int r = pick(1, ref_.count());
        const bool v = chance(50);
        last_ = "RowExpanded " + std::to_string(r) + " = " + std::to_string(v);
        ref_.at(r).expanded = v;
        ref_.deriveVisibility();
        g_->SetRowExpanded(Variant(r), v);
    }

    void manyRows() {
        const bool v = chance(50);
        if (chance(50)) {
            const int r = pick(1, ref_.count());
            last_ = std::string(v ? "Expand" : "Collapse") + "AllChildRows " + std::to_string(r);
            for (int k = r; k <= ref_.lastNested(r); ++k) ref_.at(k).expanded = v;
            ref_.deriveVisibility();
            if (v) g_->ExpandAllChildRows(Variant(r));
            else g_->CollapseAllChildRows(Variant(r));
        } else {
            last_ = std::string(v ? "Expand" : "Collapse") + "AllRows";
            for (RefRow& row : ref_.rows) {
                row.expanded = v;
                if (row.level > 0) row.vac = v;
            }
            if (v) g_->ExpandAllRows();
            else g_->CollapseAllRows();
        }
    }

    void setVisible() {
        const int r = pick(1, ref_.count());
        const bool v = chance(60);
        last_ = "RowVisible " + std::to_string(r);
        ref_.at(r).visible = v;
        g_->SetRowVisible(Variant(r), v);
    }

    void setHeight() {
        const int r = pick(1, ref_.count());
        const int h = chance(30) ? 0 : pick(1, 30);
        last_ = "RowHeight " + std::to_string(r);
        ref_.at(r).height = h;
        g_->SetRowHeight(Variant(r), h);
    }

    void setCell() {
        if (ref_.byIndex.empty()) return;
        const int r = pick(1, ref_.count());
        const int c = pick(1, static_cast<int>(ref_.byIndex.size()));
        const int v = pick(1, 100000);
        last_ = "CellValue";
        ref_.at(r).values[ref_.byIndex[static_cast<size_t>(c - 1)]] = v;
        g_->SetCellValue(Variant(r), Variant(c), Variant(v));
    }

    void addCol() {
        if (ref_.byIndex.size() > 6) return removeCol();
        const int cols = static_cast<int>(ref_.byIndex.size());
        const int p = pick(1, cols + 1);
        last_ = "AddCol before position " + std::to_string(p);
        AddColArgs a;
        const int id = ref_.nextCol++;
        if (p <= cols) {
            // vColBefore addresses a column by index: the index of the column displayed at p.
            const int I = indexOfId(ref_.display[static_cast<size_t>(p - 1)]);
            a.vColBefore = Variant(I);
            ref_.byIndex.insert(ref_.byIndex.begin() + (I - 1), id);
            ref_.display.insert(ref_.display.begin() + (p - 1), id);
        } else {
            ref_.byIndex.push_back(id);
            ref_.display.push_back(id);
        }
        g_->AddCol(a);
    }

    void removeCol() {
        const int cols = static_cast<int>(ref_.byIndex.size());
        if (cols == 0) return addCol();
        const int I = pick(1, cols + 1);
        const int k = pick(0, 2);
        last_ = "RemoveCol " + std::to_string(I) + " count " + std::to_string(k);
        if (k < 1 || I + k - 1 > cols) return call(514, [&] { g_->RemoveCol(Variant(I), k); });
        if (k == cols) {
            // The last columns take every row with them.
            ref_.rows.clear();
            ref_.currentId = 0;
        }
        for (int i = I; i < I + k; ++i) {
            const int id = ref_.byIndex[static_cast<size_t>(i - 1)];
            ref_.display.erase(std::find(ref_.display.begin(), ref_.display.end(), id));
            for (RefRow& row : ref_.rows) row.values.erase(id);
        }
        ref_.byIndex.erase(ref_.byIndex.begin() + (I - 1), ref_.byIndex.begin() + (I - 1 + k));
        call(0, [&] { g_->RemoveCol(Variant(I), k); });
        if (ref_.byIndex.empty()) {
            // Keep some columns to work with.
            g_->SetColCount(2);
            for (int i = 0; i < 2; ++i) {
                ref_.byIndex.push_back(ref_.nextCol);
                ref_.display.push_back(ref_.nextCol++);
            }
        }
    }

    void colPos() {
        const int cols = static_cast<int>(ref_.byIndex.size());
        const int I = pick(1, cols + 1);
        const int pos = pick(0, cols + 1);
        last_ = "ColPos " + std::to_string(I) + " = " + std::to_string(pos);
        if (pos < 1 || pos > cols || I == cols + 1) return call(514, [&] { g_->SetColPos(Variant(I), pos); });
        const int id = ref_.byIndex[static_cast<size_t>(I - 1)];
        ref_.display.erase(std::find(ref_.display.begin(), ref_.display.end(), id));
        ref_.display.insert(ref_.display.begin() + (pos - 1), id);
        call(0, [&] { g_->SetColPos(Variant(I), pos); });
    }

    void rowCount() {
        const int n = std::max(0, ref_.count() + pick(-3, 3));
        last_ = "RowCount " + std::to_string(n);
        while (ref_.count() > n) {
            if (ref_.rows.back().id == ref_.currentId) ref_.currentId = 0;
            ref_.rows.pop_back();
        }
        while (ref_.count() < n) {
            RefRow row;
            row.id = ref_.nextRow++;
            row.height = g_->DefaultRowHeight();
            ref_.rows.push_back(row);
        }
        g_->SetRowCount(n);
    }

    void current() {
        const int r = pick(0, ref_.count());
        last_ = "CurRow " + std::to_string(r);
        ref_.currentId = r ? ref_.at(r).id : 0;
        g_->SetCurRow(r);
    }

    int indexOfId(int id) const {
        auto it = std::find(ref_.byIndex.begin(), ref_.byIndex.end(), id);
        return static_cast<int>(it - ref_.byIndex.begin()) + 1;
    }

    void compare() {
        const Lattix& g = *g_;
        ASSERT_EQ(g.RowCount(), ref_.count()) << last_;
        const int cols = static_cast<int>(ref_.byIndex.size());
        ASSERT_EQ(g.ColCount(), cols) << last_;
        for (int p = 1; p <= cols; ++p) {
            EXPECT_EQ(g.ColFromPos(p), indexOfId(ref_.display[static_cast<size_t>(p - 1)])) << last_;
            EXPECT_EQ(g.ColPos(Variant(g.ColFromPos(p))), p) << last_;
        }
        EXPECT_EQ(g.ColFromPos(cols + 1), cols + 1) << last_;
        int displayed = 0;
        for (int r = 1; r <= ref_.count(); ++r) {
            const RefRow& e = ref_.at(r);
            const RowRecord& rec = g.Row(r);
            EXPECT_EQ(g.RowKey(r), e.key) << last_ << " row " << r;
            if (!e.key.empty()) {
                EXPECT_EQ(g.RowIndex(e.key), r) << last_;
            }
            EXPECT_EQ(rec.level, e.level) << last_ << " row " << r;
            EXPECT_EQ(g.RowParent(Variant(r)), e.level > 0 ? ref_.parent(r) : 0) << last_ << " row " << r;
            EXPECT_EQ(g.RowLastNested(Variant(r)), ref_.lastNested(r)) << last_;
            EXPECT_EQ(g.RowExpanded(Variant(r)), e.expanded) << last_ << " row " << r;
            EXPECT_EQ(g.RowVisible(Variant(r)), e.visible) << last_ << " row " << r;
            EXPECT_EQ(g.RowVisibleAsChild(Variant(r)), e.vac) << last_ << " row " << r;
            EXPECT_EQ(g.RowTreeButton(Variant(r)), e.button) << last_ << " row " << r;
            EXPECT_EQ(g.RowHeight(Variant(r)), e.height) << last_ << " row " << r;
            const bool shown = Reference::displayed(e);
            EXPECT_EQ(rec.displayed(), shown) << last_ << " row " << r;
            EXPECT_EQ(g.RowVisibleIndex(Variant(r)), shown ? ++displayed : 0) << last_ << " row " << r;
            for (int c = 1; c <= cols; ++c) {
                auto it = e.values.find(ref_.byIndex[static_cast<size_t>(c - 1)]);
                EXPECT_EQ(g.CellValue(Variant(r), Variant(c)), it == e.values.end() ? defaultValue_ : Variant(it->second))
                    << last_ << " cell " << r << "," << c;
            }
            if (tree_ && e.level > 0) {
                EXPECT_EQ(e.vac, ref_.allAncestorsExpanded(r)) << "reference rule broken";
            }
        }
        EXPECT_EQ(g.DisplayedRowCount(), displayed) << last_;
        EXPECT_EQ(g.CurRow(), ref_.posOf(ref_.currentId)) << last_;
        EXPECT_EQ(static_cast<int>(g.KeyIndex().size()),
                  static_cast<int>(std::count_if(ref_.rows.begin(), ref_.rows.end(),
                                                 [](const RefRow& r) { return !r.key.empty(); })))
            << last_;
    }

    std::mt19937 rng_;
    bool tree_;
    std::shared_ptr<Lattix> g_;
    Reference ref_;
    Variant defaultValue_;
    int step_ = 0;
    std::string last_;
};

} // namespace

TEST(ModelBased, TreeRowsFollowTheReference) {
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        ModelRun(seed, true).run(2500);
        if (HasFailure()) break;
    }
}

TEST(ModelBased, FlatRowsFollowTheReference) {
    for (unsigned seed : {11u, 12u, 13u}) {
        ModelRun(seed, false).run(2500);
        if (HasFailure()) break;
    }
}
