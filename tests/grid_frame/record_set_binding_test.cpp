// A record set shown in a grid without copying it: rows arrive from the cursor as they come into
// view, keys and scrolling reach rows not read yet, and a failing cursor adds nothing.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "grid/lattix.h"
#include "grid/model/record_set.h"
#include "grid/model/record_set_binding.h"
#include "grid/model/sqlite_record_set.h"
#include "platform/headless/headless_host.h"
#include "platform/ui/keys.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace {

using lattix::AutomationError;
using lattix::Lattix;
using lattix::Variant;

// Records 1..count of (n, n / 2, "row n"); fails on record `failAt` (0: never), counting reads.
class CountingRecords final : public lattix::RecordSet {
public:
    explicit CountingRecords(int64_t count, int64_t failAt = 0) : count_(count), failAt_(failAt) {}
    int32_t FieldCount() const override { return 3; }
    std::string FieldName(int32_t f) const override { return f == 0 ? "n" : f == 1 ? "half" : "label"; }
    lattix::FieldKind FieldKindOf(int32_t f) const override {
        return f == 2 ? lattix::FieldKind::Text : f == 0 ? lattix::FieldKind::Integer : lattix::FieldKind::Real;
    }
    bool MoveNext() override {
        if (current_ >= count_) return false;
        ++current_;
        return true;
    }
    Variant Value(int32_t f) const override {
        if (current_ == failAt_ && f == 1) throw AutomationError(0x80004005, "Cursor", "disk I/O error");
        if (f == 0) return Variant(static_cast<int32_t>(current_));
        if (f == 1) return Variant(current_ / 2.0);
        return Variant("row " + std::to_string(current_));
    }
    int64_t read() const { return current_; }

private:
    int64_t count_, failAt_;
    int64_t current_ = 0;
};

struct BoundGrid {
    lattix::ui::headless::HeadlessHost host{400, 300};
    std::shared_ptr<Lattix> g = Lattix::Create();
    std::shared_ptr<CountingRecords> records;
    explicit BoundGrid(int64_t count, int64_t failAt = 0) : records(std::make_shared<CountingRecords>(count, failAt)) {
        g->SetBorderType(0);
        g->AttachToWindow(host.TopLevel());
        g->BindRecordSet(records);
        host.Pump();
        g->FocusGridWindow();
    }
    int32_t topRow() const { return g->RowAtContentY(g->ScrollY()); }
    void key(lattix::ui::VirtualKey k, unsigned mods = 0) {
        host.KeyPress(k, mods);
        host.Pump();
    }
};

TEST(BoundRecordSet, TheFirstScreenReadsOnlyTheRowsInViewAndKeysReadOnAsNeeded) {
    BoundGrid b(1000000);
    Lattix& g = *b.g;
    ASSERT_EQ(g.ColCount(), 3);
    EXPECT_EQ(g.ColKey(2), "half");
    EXPECT_EQ(g.ColHeaderText(Variant(3)), "label");
    EXPECT_TRUE(g.Virtual());
    // One screen of rows, read from the cursor: a few more than fit, never the whole result.
    const int32_t screen = g.RowCount();
    EXPECT_GT(screen, 5);
    EXPECT_LT(screen, 40);
    EXPECT_EQ(b.records->read(), screen);
    EXPECT_EQ(lattix::ToString(g.CellValue(Variant(4), Variant(3))), "row 4");
    EXPECT_EQ(lattix::ToDouble(g.CellValue(Variant(5), Variant("half"))), 2.5);

    // Page Down and the arrow keys reach rows that were not read yet.
    g.SetCurRow(1);
    g.SetCurCol(1);
    b.key(lattix::ui::VK_NEXT);
    // The page of rows read for the next Page Down is painted once, not once a row.
    const int32_t redrawsBefore = lattix::ToInt32(g.DevDbg(15, Variant()));
    b.key(lattix::ui::VK_NEXT);
    EXPECT_LE(lattix::ToInt32(g.DevDbg(15, Variant())) - redrawsBefore, 2);
    EXPECT_GT(g.CurRow(), screen);
    EXPECT_EQ(g.RowCount(), b.records->read());
    const int32_t before = g.RowCount();
    for (int i = 0; i < 40; ++i) b.key(lattix::ui::VK_DOWN);
    EXPECT_GE(g.RowCount(), before + 30);
    EXPECT_LT(g.RowCount(), 1000);
    EXPECT_EQ(lattix::ToString(g.CellValue(Variant(g.CurRow()), Variant(3))), "row " + std::to_string(g.CurRow()));
    EXPECT_GT(b.topRow(), 1);

    // Selecting with Shift over rows that arrive lazily keeps every row selected.
    g.SetMultiSelect(true);
    const int32_t from = g.CurRow();
    for (int i = 0; i < 5; ++i) b.key(lattix::ui::VK_DOWN, lattix::ui::kModShift);
    EXPECT_EQ(g.CurRow(), from + 5);
    for (int32_t r = from; r <= from + 5; ++r) EXPECT_TRUE(g.CellSelected(Variant(r), Variant(1))) << r;
}

TEST(BoundRecordSet, CtrlEndSortingAndGroupingReadTheRestFirst) {
    BoundGrid b(5000);
    Lattix& g = *b.g;
    b.key(lattix::ui::VK_END, lattix::ui::kModCtrl);
    EXPECT_EQ(g.RowCount(), 5000);
    EXPECT_EQ(g.CurRow(), 5000);
    EXPECT_EQ(lattix::ToString(g.CellValue(Variant(5000), Variant(3))), "row 5000");
    EXPECT_GT(b.topRow(), 4900);
    // At the end nothing more is asked for.
    b.key(lattix::ui::VK_DOWN);
    EXPECT_EQ(g.RowCount(), 5000);

    BoundGrid s(3000);
    s.g->Sort(Variant(1));
    EXPECT_EQ(s.g->RowCount(), 3000);
    BoundGrid d(3000);
    d.g->DoDefaultSort(Variant(1), 0, 1); // descending: the last record comes first
    EXPECT_EQ(d.g->RowCount(), 3000);
    EXPECT_EQ(lattix::ToInt32(d.g->CellValue(Variant(1), Variant(1))), 3000);
}

TEST(BoundRecordSet, AFailingCursorRaisesItsMessageAndAddsNothing) {
    BoundGrid b(1000, 60);
    Lattix& g = *b.g;
    const int32_t shown = g.RowCount();
    ASSERT_LT(shown, 59);
    try {
        g.ReadBoundRecordsToEnd();
        FAIL() << "the cursor's error was swallowed";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.description(), "disk I/O error");
        EXPECT_EQ(e.source(), "Cursor");
    }
    EXPECT_EQ(g.RowCount(), 59) << "rows before the failing record stay, none is half added";
    EXPECT_EQ(lattix::ToString(g.CellValue(Variant(59), Variant(3))), "row 59");
    // Unbinding keeps the rows read and reads no more; the record set is the host's.
    g.UnbindRecordSet();
    EXPECT_EQ(g.BoundRecordSet(), nullptr);
    g.ReadBoundRecordsToEnd();
    EXPECT_EQ(g.RowCount(), 59);
    EXPECT_EQ(b.records.use_count(), 1);
}

TEST(BoundRecordSet, ASqliteQueryOfAHundredMillionRowsShowsItsFirstScreen) {
    lattix::ui::headless::HeadlessHost host(400, 300);
    auto g = Lattix::Create();
    g->AttachToWindow(host.TopLevel());
    auto rs = lattix::SqliteRecordSet::Open(
        ":memory:",
        "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c LIMIT 100000000) SELECT x AS id, x * 0.25 AS w FROM c");
    g->BindRecordSet(rs);
    host.Pump();
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_GT(g->RowCount(), 5);
    EXPECT_LT(g->RowCount(), 40);
    EXPECT_EQ(lattix::ToDouble(g->CellValue(Variant(4), Variant("w"))), 1.0);
    // A second binding ends the first; destroying the grid leaves the record set to its owner.
    std::weak_ptr<lattix::RecordSet> first = rs;
    g->BindRecordSet(std::make_shared<CountingRecords>(10));
    rs.reset();
    EXPECT_TRUE(first.expired()) << "the grid let go of the record set it no longer shows";
    host.Pump();
    EXPECT_EQ(g->RowCount(), 10);
}

} // namespace
