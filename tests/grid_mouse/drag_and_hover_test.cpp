// Drag selection inside the view and beyond its edges (automatic scrolling on the clock), the cell
// under the pointer with its enter and leave events, and the end of a gesture by losing the capture.
#include "mouse_test_support.h"

using namespace mouse_test;

TEST(MouseDrag, DraggingSelectsTheBlockFromThePressedCell) {
    MouseGrid g(5, 10);
    g->SetMultiSelect(true);
    EventLog log(*g.grid);
    g.host.Drag(g.X(2), g.Y(2), g.X(3), g.Y(4), 6);
    EXPECT_EQ(Selected(*g.grid), "(2,2);(2,3);(3,2);(3,3);(4,2);(4,3)");
    EXPECT_EQ(g->CurRow(), 2); // the current cell stays where the press was
    EXPECT_EQ(g->CurCol(), 2);
    EXPECT_EQ(log.counts["StartCellDrag"], 1);
    // Each extension is its own operation: one pair each, never two Befores in a row.
    int open = 0;
    for (const auto& e : log.entries) {
        if (e == "BeforeSelectionChange()") EXPECT_EQ(open++, 0);
        if (e.rfind("AfterSelectionChange", 0) == 0) EXPECT_EQ(--open, 0);
    }
    EXPECT_FALSE(g.grid->Mouse().dragSelecting);
    EXPECT_EQ(lattix::ui::Wm().GetCapture(), 0u);
}

TEST(MouseDrag, WithoutDragSelectOnlyThePressedCellIsSelected) {
    MouseGrid g(5, 10);
    g->SetMultiSelect(true);
    g->SetDragSelect(false);
    g.host.Drag(g.X(2), g.Y(2), g.X(3), g.Y(4), 6);
    EXPECT_EQ(Selected(*g.grid), "(2,2)");
}

TEST(MouseDrag, DraggingBelowTheViewScrollsEvery50msAndExtendsToTheLastVisibleRow) {
    MouseGrid g(5, 100);
    g->SetMultiSelect(true);
    auto& wm = lattix::ui::Wm();
    g.host.MouseMove(g.X(2), g.Y(2));
    g.host.MouseDown(g.X(2), g.Y(2));
    g.host.MouseMove(g.X(3), g.Y(4));
    g.host.MouseMove(g.X(3), 310); // below the window: the grid holds the capture
    EXPECT_TRUE(wm.IsTimerRunning(g->WindowHandle(), lattix::mouse_timer::kCellAutoscroll));
    EXPECT_EQ(g->ScrollY(), 0);
    g.host.Advance(49);
    EXPECT_EQ(g->ScrollY(), 0);
    g.host.Advance(1);
    EXPECT_EQ(g->ScrollY(), 17); // one small change: the default row height
    g.host.Advance(50 * 9);
    EXPECT_EQ(g->ScrollY(), 170);
    const int32_t lastRow = g->VisRange().lastRow;
    EXPECT_GT(lastRow, 14);
    EXPECT_TRUE(g->CellSelected(Variant(lastRow), Variant(3)));
    EXPECT_FALSE(g->CellSelected(Variant(lastRow + 1), Variant(3)));
    EXPECT_EQ(g->SelItems()->Count(), 2 * (lastRow - 1));
    EXPECT_EQ(g->BeginUpdateCount(), 0);
    // Back inside: scrolling stops.
    g.host.MouseMove(g.X(3), 100);
    EXPECT_FALSE(wm.IsTimerRunning(g->WindowHandle(), lattix::mouse_timer::kCellAutoscroll));
    const int32_t y = g->ScrollY();
    g.host.Advance(500);
    EXPECT_EQ(g->ScrollY(), y);
    g.host.MouseUp(g.X(3), 100);
}

TEST(MouseDrag, DraggingAboveAndLeftScrollsBack) {
    MouseGrid g(20, 100);
    g->SetMultiSelect(true);
    g->SetScrollY(200);
    g->SetHScrollValue(300);
    const int32_t firstRow = g->VisRange().firstRow;
    g.host.MouseMove(200, 150);
    g.host.MouseDown(200, 150);
    g.host.MouseMove(-20, 5); // left of the cells and above them (over the header)
    g.host.Advance(50);
    EXPECT_LT(g->ScrollY(), 200);
    EXPECT_LT(g->HScrollValue(), 300);
    EXPECT_LT(g->VisRange().firstRow, firstRow);
    g.host.MouseUp(-20, 5);
    EXPECT_EQ(g->BeginUpdateCount(), 0);
}

TEST(MouseDrag, LosingTheCaptureEndsTheDrag) {
    MouseGrid g(5, 100);
    g->SetMultiSelect(true);
    auto& wm = lattix::ui::Wm();
    g.host.MouseDown(g.X(2), g.Y(2));
    EXPECT_EQ(wm.GetCapture(), g->WindowHandle());
    g.host.MouseMove(g.X(2), 320);
    EXPECT_TRUE(wm.IsTimerRunning(g->WindowHandle(), lattix::mouse_timer::kCellAutoscroll));
    wm.ReleaseCapture();
    EXPECT_FALSE(wm.IsTimerRunning(g->WindowHandle(), lattix::mouse_timer::kCellAutoscroll));
    EXPECT_FALSE(g.grid->Mouse().dragSelecting);
    const int32_t count = g->SelItems()->Count();
    g.host.MouseMove(g.X(4), g.Y(6));
    g.host.Advance(500);
    EXPECT_EQ(g->SelItems()->Count(), count);
    g.host.MouseUp(g.X(4), g.Y(6));
}

TEST(MouseDrag, AutoscrollResumesRepaintingWhenAHandlerRaises) {
    MouseGrid g(5, 100);
    g->SetMultiSelect(true);
    g.host.MouseDown(g.X(2), g.Y(2));
    g.host.MouseMove(g.X(2), 310);
    g->events()->connect([](const lattix::EventInfo& e, std::span<Variant>) {
        if (e.name == "BeforeSelectionChange") throw std::runtime_error("handler failed");
    });
    try {
        g.host.Advance(50);
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(g->BeginUpdateCount(), 0);
}

TEST(MouseHover, EnterAndLeaveFollowThePointerAndThePollNoticesItLeaving) {
    MouseGrid g(5, 10, 300, 300);
    // The header bar's own hover events are not the cells' business here.
    EventLog log(*g.grid, {"MouseMove", "ColHeaderMouseEnter", "ColHeaderMouseLeave", "RequestColHeaderToolTip"});
    g.host.MouseMove(g.X(2), g.Y(2));
    g.host.MouseMove(g.X(2) + 5, g.Y(2)); // same cell: nothing
    g.host.MouseMove(g.X(3), g.Y(2));
    EXPECT_EQ(log.take(), (Strings{"MouseEnter(2,2)", "MouseLeave(2,2)", "MouseEnter(2,3)"}));
    // Over the header (a window of its own, so the grid's poll notices): no cell.
    g.host.MouseMove(g.X(3), 5);
    g.host.Advance(20);
    EXPECT_EQ(log.take(), (Strings{"MouseLeave(2,3)"}));
    // The pointer leaves the window without a move message reaching the grid: the 20 ms poll.
    g.host.MouseMove(g.X(4), g.Y(3));
    log.take();
    lattix::ui::Wm().InjectMouseMove(g.host.ToScreen(1000, 1000));
    EXPECT_TRUE(log.take().empty());
    g.host.Advance(20);
    EXPECT_EQ(log.take(), (Strings{"MouseLeave(3,4)"}));
    EXPECT_EQ(g.grid->Mouse().hoverRow, 0);
    g.host.Advance(100);
    EXPECT_TRUE(log.take().empty());
}

TEST(MouseHover, MouseMoveCarriesTheButtonsAndTheCell) {
    MouseGrid g(5, 10);
    EventLog log(*g.grid, {"MouseEnter", "MouseLeave", "CellSelectionChange", "BeforeSelectionChange",
                           "AfterSelectionChange", "CurCellChange", "CurRowChange", "CurColChange", "MouseDown",
                           "MouseUp", "Click", "StartCellDrag", "QuitCustomEdit"});
    g.host.Drag(g.X(1), g.Y(1), g.X(2), g.Y(1), 1);
    EXPECT_EQ(log.take(), (Strings{"MouseMove(0,0,25,30,1,1)", "MouseMove(1,0,75,30,1,2)"}));
}
