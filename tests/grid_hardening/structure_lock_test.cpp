// Handlers that change the grid's structure while the grid is in the middle of an operation: inside
// a walk (selection changes, measuring, clipboard passes) the change is refused with 522 and the
// operation finishes as if nothing had been asked; from the events that close an operation (the
// current-cell and after-events, mouse and commit events) the change is made and the operation ends
// on what is left.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <span>
#include <string>

#include "grid/objects/sel_items_object.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_manager.h"
#include "tests/cell_grid_host.h"
#include "tests/lattix_error_code.h"

using lattix::EventInfo;
using lattix::Variant;
using lattix::test::CellGridHost;
using lattix::test::LattixCode;

namespace {
// Runs `change` from the first `eventName` event and keeps the Lattix error code it got.
struct OnEvent {
    OnEvent(CellGridHost& g, std::string eventName, std::function<void()> change) : grid(g) {
        cookie = g->events()->connect([this, eventName, change](const EventInfo& e, std::span<Variant>) {
            if (e.name != eventName || fired) return;
            fired = true;
            code = LattixCode(change);
        });
    }
    ~OnEvent() { grid->events()->disconnect(cookie); }
    OnEvent(const OnEvent&) = delete;
    OnEvent& operator=(const OnEvent&) = delete;
    CellGridHost& grid;
    int cookie = 0;
    bool fired = false;
    int code = -1;
};

// Keys go to the focused window.
void Focus(CellGridHost& g) { lattix::ui::Wm().SetFocus(g->WindowHandle()); }

// The current cell and every selected item lie inside the grid.
void ExpectWhole(CellGridHost& g) {
    EXPECT_LE(g->CurRow(), g->RowCount());
    EXPECT_LE(g->CurCol(), g->ColCount() + 1);
    for (const auto& it : g->SelItems()->GetArray()) {
        EXPECT_LE(it.Row, g->RowCount());
        EXPECT_LE(it.Col, g->ColCount() + 1);
    }
    g.host.Render();
}
} // namespace

TEST(StructureLock, ColCountFromBeforeSelectionChangeWhileTabMovesADragSelectedBlock) {
    CellGridHost g(5, 6, 400, 200);
    g->SetMultiSelect(true);
    g->SetDragSelect(true);
    g->SetUseTabKey(true);
    Focus(g);
    g.host.Drag(g.X(2), g.Y(2), g.X(4), g.Y(4), 4);
    ASSERT_EQ(g->SelItems()->Count(), 9);
    const int row = g->CurRow(), col = g->CurCol();
    ASSERT_GE(col, 1);
    OnEvent handler(g, "BeforeSelectionChange", [&] { g->SetColCount(0); });
    g.host.KeyPress(lattix::ui::VK_TAB);
    EXPECT_TRUE(handler.fired);
    EXPECT_EQ(handler.code, 522);
    EXPECT_EQ(g->ColCount(), 5);
    // The move went on as without the handler: one cell further, the block given up for it.
    EXPECT_EQ(g->CurRow(), row);
    EXPECT_EQ(g->CurCol(), col + 1);
    EXPECT_EQ(g->SelItems()->GetString(), "(" + std::to_string(row) + "," + std::to_string(col + 1) + ")");
    ExpectWhole(g);
}

TEST(StructureLock, ColCountFromCellDynamicIconsWhileIsCellTextClippedMeasures) {
    CellGridHost g(5, 6, 400, 200);
    g.Set(2, 3, Variant(std::string("a text far too long for fifty pixels")));
    g->SetDynamicContentEvents(2); // CellDynamicIcons
    OnEvent handler(g, "CellDynamicIcons", [&] { g->SetColCount(0); });
    bool clipped = false;
    EXPECT_EQ(LattixCode([&] { clipped = g->IsCellTextClipped(Variant(2), Variant(3)); }), 0);
    EXPECT_TRUE(handler.fired);
    EXPECT_EQ(handler.code, 522);
    EXPECT_TRUE(clipped);
    EXPECT_EQ(g->ColCount(), 5);
    // The other measures hold the same lock.
    OnEvent again(g, "CellDynamicIcons", [&] { g->RemoveCol(Variant(3)); });
    EXPECT_GT(g->EvaluateTextWidth(Variant(2), Variant(3)), 50);
    EXPECT_EQ(again.code, 522);
    ExpectWhole(g);
}

TEST(StructureLock, ClearFromBeforeSelectionChangeWhileCurRowMovesInRowModeWithMultiSelect) {
    CellGridHost g(4, 8, 300, 250);
    g->SetRowMode(true);
    g->SetMultiSelect(true);
    g->SetCurRow(2);
    OnEvent handler(g, "BeforeSelectionChange", [&] { g->Clear(true); });
    g->SetCurRow(5);
    EXPECT_TRUE(handler.fired);
    EXPECT_EQ(handler.code, 522);
    EXPECT_EQ(g->RowCount(), 8);
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->CurRow(), 5);
    EXPECT_EQ(g->SelItems()->GetString(), "(5,1)");
    ExpectWhole(g);
}

TEST(StructureLock, EverySelectionWalkRefusesStructuralChanges) {
    CellGridHost g(4, 6, 300, 200);
    g->SetMultiSelect(true);
    Focus(g);
    const std::pair<const char*, std::function<void()>> walks[] = {
        {"SelectAll", [&] { g->SelectAll(); }},
        {"InvertSelection", [&] { g->InvertSelection(); }},
        {"CellSelected", [&] { g->SetCellSelected(Variant(3), Variant(2), true); }},
        {"RowMode", [&] { g->SetRowMode(!g->RowMode()); }},
        {"Shift+Down", [&] { g.host.KeyPress(lattix::ui::VK_DOWN, lattix::ui::kModShift); }},
        {"Ctrl+click", [&] { g.host.Click(g.X(1), g.Y(5), lattix::ui::headless::MouseButton::Left, lattix::ui::kModCtrl); }},
    };
    for (const auto& [what, walk] : walks) {
        SCOPED_TRACE(what);
        g->ClearSelection();
        g->SetCurCell(Variant(1), Variant(1));
        OnEvent handler(g, "CellSelectionChange", [&] { g->RemoveRow(Variant(1), 3); });
        walk();
        EXPECT_EQ(handler.code, 522);
        EXPECT_EQ(g->RowCount(), 6);
        ExpectWhole(g);
    }
}

TEST(StructureLock, ClipboardPassesRefuseStructuralChangesAndStillFinish) {
    CellGridHost g(3, 5, 300, 200);
    g->SetMultiSelect(true);
    Focus(g);
    for (int r = 1; r <= 5; ++r) g.Set(r, 1, Variant(r * 10));
    g->SetCurCell(Variant(1), Variant(1));
    g.host.KeyPress(lattix::ui::VK_DOWN, lattix::ui::kModShift);
    g.host.KeyPress(lattix::ui::VK_DOWN, lattix::ui::kModShift);
    ASSERT_EQ(g->SelItems()->Count(), 3);
    OnEvent handler(g, "RequestEdit", [&] { g->RemoveRow(Variant(2)); });
    g->ClearSelectedCells();
    EXPECT_EQ(handler.code, 522);
    EXPECT_EQ(g->RowCount(), 5);
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(lattix::ToString(g.Get(r, 1)), "0") << r;
    EXPECT_EQ(lattix::ToString(g.Get(4, 1)), "40");

    g.host.SetClipboardTextExternally("7\t8\r\n9\t10\r\n");
    g->SetCurCell(Variant(4), Variant(2));
    OnEvent paste(g, "AfterCommitEdit", [&] { g->SetColCount(1); });
    g->PasteFromClipboard();
    EXPECT_EQ(paste.code, 522);
    EXPECT_EQ(lattix::ToString(g.Get(5, 3)), "10");
    ExpectWhole(g);
}

TEST(StructureLock, ChangesFromTheEventsThatCloseAnOperationAreMadeAndTheOperationEnds) {
    {
        // The move is done when CurCellChange comes: the handler may empty the grid.
        CellGridHost g(4, 6, 300, 200);
        Focus(g);
        g->SetCurCell(Variant(2), Variant(2));
        OnEvent handler(g, "CurCellChange", [&] { g->Clear(true); });
        g.host.KeyPress(lattix::ui::VK_DOWN);
        EXPECT_EQ(handler.code, 0);
        EXPECT_EQ(g->RowCount(), 0);
        EXPECT_EQ(g->ColCount(), 0);
        ExpectWhole(g);
    }
    {
        // After the selection of an incremental search, before its move: the row goes away.
        CellGridHost g(2, 6, 300, 200);
        g->SetMultiSelect(true);
        g->SetKeyPressBehaviour(3);
        for (int r = 1; r <= 6; ++r) g.Set(r, 1, Variant(std::string(1, static_cast<char>('a' + r))));
        g->SetCurCell(Variant(1), Variant(1));
        OnEvent handler(g, "AfterSelectionChange", [&] { g->SetRowCount(2); });
        g->SetSearchString("f"); // row 5
        EXPECT_EQ(handler.code, 0);
        EXPECT_EQ(g->RowCount(), 2);
        ExpectWhole(g);
    }
    {
        // A press whose MouseDown handler empties the grid selects nothing.
        CellGridHost g(4, 6, 300, 200);
        OnEvent handler(g, "MouseDown", [&] { g->Clear(true); });
        g.host.Click(g.X(3), g.Y(4));
        EXPECT_EQ(handler.code, 0);
        EXPECT_EQ(g->SelItems()->Count(), 0);
        ExpectWhole(g);
    }
}

TEST(StructureLock, AStructuralChangeKeepsTheSelectionItsOwnAndCompletesBeforeAHandlerErrorLeaves) {
    CellGridHost g(4, 6, 300, 200);
    g->SetMultiSelect(true);
    g->SetCellSelected(Variant(3), Variant(2), true);
    {
        OnEvent handler(g, "BeforeSelectionChange", [&] { g->SelectAll(); });
        g->RemoveRow(Variant(2));
        EXPECT_EQ(handler.code, 522);
        EXPECT_EQ(g->SelItems()->GetString(), "(2,2)");
    }
    // A handler whose own error runs out of it: the columns are added and renumbered first.
    const int cookie = g->events()->connect([&](const EventInfo& e, std::span<Variant>) {
        if (e.name == "BeforeSelectionChange") g->CellValue(Variant(99), Variant(1));
    });
    EXPECT_EQ(LattixCode([&] { g->AddCol({.vColBefore = Variant(1)}); }), 513);
    g->events()->disconnect(cookie);
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->SelItems()->GetString(), "(2,3)");
    EXPECT_TRUE(g->CellSelected(Variant(2), Variant(3)));
    ExpectWhole(g);
    // The added column's default cell object belongs to the grid alone: the error that left AddCol
    // kept no reference to it, so removing the column frees it.
    std::weak_ptr<lattix::CellObject> added = g->ColDefaultCell(Variant(1));
    ASSERT_FALSE(added.expired());
    g->RemoveCol(Variant(1));
    EXPECT_TRUE(added.expired());
}
