// Clicks and double clicks: the events with their arguments and order, the selection modes, the
// vetoes of MouseDown, MouseUp and DblClick.
#include <algorithm>

#include "mouse_test_support.h"

using namespace mouse_test;

TEST(MouseClicks, SingleClickRaisesItsEventsInOrderAndClickNoDblClickLater) {
    MouseGrid g(5, 10);
    EventLog log(*g.grid);
    g.Click(2, 3);
    EXPECT_EQ(log.take(), (Strings{"MouseDown(1,0,125,50,2,3,1,True)", "BeforeSelectionChange()",
                                   "CurCellChange(2,3,0,0)", "CurRowChange(2,0)", "CurColChange(3,0)",
                                   "AfterSelectionChange(True)", "MouseUp(1,0,125,50,2,3,True)", "Click(2,3)"}));
    EXPECT_EQ(Selected(*g.grid), "(2,3)");
    g.host.Advance(g.DoubleClickTime() - 1);
    EXPECT_TRUE(log.take().empty());
    g.host.Advance(1);
    EXPECT_EQ(log.take(), (Strings{"ClickNoDblClick(2,3)"}));
    g.host.Advance(5000);
    EXPECT_TRUE(log.take().empty());
}

TEST(MouseClicks, CoordinatesArriveAsSingles) {
    MouseGrid g(5, 10);
    std::vector<lattix::VarType> types;
    g->events()->connect([&](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name == "MouseDown" || e.name == "MouseUp" || e.name == "MouseMove") {
            types.push_back(a[2].deref().type());
            types.push_back(a[3].deref().type());
        }
    });
    g.Click(1, 1);
    ASSERT_FALSE(types.empty());
    for (auto t : types) EXPECT_EQ(t, lattix::VarType::Single);
}

TEST(MouseClicks, DoubleClickStartsTheDefaultActionAndSuppressesClickNoDblClick) {
    MouseGrid g(5, 10);
    EventLog log(*g.grid);
    g.host.DoubleClick(g.X(3), g.Y(4));
    Strings events = log.take();
    ASSERT_GE(events.size(), 2u);
    // The first press and release as a click, then the double click, which opens the editor over
    // the cell: the release reaches the editor.
    auto at = [&](const std::string& s) { return std::find(events.begin(), events.end(), s) - events.begin(); };
    ASSERT_LT(at("Click(4,3)"), at("DblClick(1,0,125,90,4,3,1)")); // editable grid: edit
    ASSERT_LT(at("DblClick(1,0,125,90,4,3,1)"), at("TextEditStarted()"));
    EXPECT_EQ(events.back(), "TextEditMouseUp(4,3,1,0,23,9)");
    EXPECT_TRUE(g->IsEditing());
    g->CancelEditCurCell();
    g.host.Advance(g.DoubleClickTime() * 2);
    EXPECT_EQ(log.counts["ClickNoDblClick"], 0);
    auto contains = [](const Strings& v, const std::string& s) { return std::find(v.begin(), v.end(), s) != v.end(); };
    // Row mode: collapse/expand; the right button: none.
    g->SetRowMode(true);
    g.host.DoubleClick(g.X(3), g.Y(4));
    EXPECT_TRUE(contains(log.take(), "DblClick(1,0,125,90,4,3,2)"));
    g.host.Advance(1000);
    g.host.DoubleClick(g.X(3), g.Y(4), MouseButton::Right);
    EXPECT_TRUE(contains(log.take(), "DblClick(2,0,125,90,4,3,0)"));
    // The tree column: collapse/expand even when editable.
    g->SetRowMode(false);
    g->SetTreeCol(3);
    g.host.Advance(1000);
    g.host.DoubleClick(g.X(3), g.Y(4));
    EXPECT_TRUE(contains(log.take(), "DblClick(1,0,125,90,4,3,2)"));
}

TEST(MouseClicks, DoubleClickInAReadOnlyGridTogglesTheRowUnlessVetoed) {
    MouseGrid g(3, 0);
    g->AddRow();
    lattix::AddRowArgs child;
    child.vRowParent = Variant(1);
    g->AddRow(child);
    g->AddRow(child);
    g->SetEditable(false);
    ASSERT_TRUE(g->RowExpanded(Variant(1)));
    EventLog log(*g.grid);
    g.host.DoubleClick(g.X(2), g.Y(1));
    EXPECT_FALSE(g->RowExpanded(Variant(1)));
    EXPECT_EQ(log.counts["BeforeRowCollapseExpand"], 1);
    EXPECT_EQ(log.counts["AfterRowCollapseExpand"], 1);
    // A handler that sets eAction to none prevents it.
    g->events()->connect([](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name == "DblClick") *a[6].slot() = Variant(int32_t{0});
    });
    g.host.Advance(1000);
    g.host.DoubleClick(g.X(2), g.Y(1));
    EXPECT_FALSE(g->RowExpanded(Variant(1)));
}

TEST(MouseClicks, ShiftCtrlAndCtrlShiftClicksInMultiSelection) {
    MouseGrid g(5, 10);
    g->SetMultiSelect(true);
    g.Click(2, 2);
    g.Click(4, 3, kShift);
    EXPECT_EQ(Selected(*g.grid), "(2,2);(2,3);(3,2);(3,3);(4,2);(4,3)");
    EXPECT_EQ(g->CurRow(), 4);
    EXPECT_EQ(g->CurCol(), 3);
    g.Click(6, 1, kCtrl); // adds one cell, anchor moves there
    EXPECT_EQ(g->SelItems()->Count(), 7);
    g.Click(7, 2, kCtrl | kShift); // adds the block (6..7, 1..2)
    EXPECT_EQ(g->SelItems()->Count(), 10);
    g.Click(3, 3, kCtrl); // a selected cell: deselected on the press
    EXPECT_FALSE(g->CellSelected(Variant(3), Variant(3)));
    g.Click(5, 5, kCtrl | kShift); // anchor state False: clears (3..5, 3..5)
    EXPECT_EQ(Selected(*g.grid), "(2,2);(2,3);(3,2);(4,2);(6,1);(6,2);(7,1);(7,2)");
    // A plain click on an unselected cell keeps only it.
    g.Click(9, 4);
    EXPECT_EQ(Selected(*g.grid), "(9,4)");
}

TEST(MouseClicks, PressOnASelectedCellDefersTheSelectionToTheRelease) {
    MouseGrid g(5, 10);
    g->SetMultiSelect(true);
    g->SetDragSelect(false);
    g.Click(2, 2);
    g.Click(4, 4, kShift);
    EventLog log(*g.grid);
    // Pressing and dragging more than 2 pixels: StartCellDrag, and the selection stays.
    g.host.Drag(g.X(3), g.Y(3), g.X(3) + 3, g.Y(3), 1);
    EXPECT_EQ(log.counts["StartCellDrag"], 1);
    EXPECT_EQ(g->SelItems()->Count(), 9);
    EXPECT_EQ(g->CurRow(), 3); // the pressed cell became current at the press
    // Pressing and releasing within 2 pixels: only that cell stays.
    log.take();
    g.host.Advance(1000); // no double click
    g.host.Drag(g.X(3), g.Y(3), g.X(3) + 2, g.Y(3) + 2, 1);
    EXPECT_EQ(log.counts["StartCellDrag"], 0);
    EXPECT_EQ(Selected(*g.grid), "(3,3)");
}

TEST(MouseClicks, MouseUpVetoKeepsTheDeferredSelection) {
    MouseGrid g(5, 10);
    g->SetMultiSelect(true);
    g.Click(2, 2);
    g.Click(3, 3, kShift);
    g->events()->connect([](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name == "MouseUp") *a[6].slot() = Variant(false);
    });
    g.Click(3, 3);
    EXPECT_EQ(g->SelItems()->Count(), 4);
}

TEST(MouseClicks, MouseDownVetoAndPressesThatSelectNothing) {
    MouseGrid g(5, 3);
    EventLog log(*g.grid);
    // Below the last row: MouseDown with no cell, nothing else.
    g.host.Click(60, 200);
    EXPECT_EQ(log.take(), (Strings{"MouseDown(1,0,60,200,0,0,0,True)", "MouseUp(1,0,60,200,0,0,True)", "Click(0,0)"}));
    // A non-selectable cell: MouseDown and nothing else of the press.
    g->SetCellSelectable(Variant(2), Variant(2), false);
    g.Click(2, 2);
    EXPECT_EQ(g->CurRow(), 0);
    log.take();
    // bDoDefault cleared: no move, no selection.
    const int cookie = g->events()->connect([](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name == "MouseDown") *a[7].slot() = Variant(false);
    });
    g.Click(3, 1);
    EXPECT_EQ(g->CurRow(), 0);
    EXPECT_EQ(g->SelItems()->Count(), 0);
    g->events()->disconnect(cookie);
    // A handler may change Shift: the press then extends from the anchor.
    g->SetMultiSelect(true);
    g.Click(1, 1);
    g->events()->connect([](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name == "MouseDown") *a[1].slot() = Variant(int16_t{1});
    });
    g.Click(3, 2);
    EXPECT_EQ(g->SelItems()->Count(), 5); // rows 1..3 x columns 1..2 but the non-selectable (2,2)
}

TEST(MouseClicks, DisabledGridIgnoresTheMouse) {
    MouseGrid g(5, 3);
    lattix::ui::Wm().EnableWindow(g->WindowHandle(), false);
    g.Click(2, 2);
    EXPECT_EQ(g->CurRow(), 0);
}

TEST(MouseClicks, AGridWithEnabledFalseRaisesNoMouseEventsAndKeepsItsCell) {
    MouseGrid g(5, 3);
    g->SetCurCell(Variant(1), Variant(1));
    g->SetEnabled(false);
    EventLog log(*g.grid, {});
    g.Click(2, 2);
    g.host.Advance(g.DoubleClickTime() + 1);
    g.host.DoubleClick(g.X(3), g.Y(3));
    g.host.MouseMove(g.X(2), g.Y(3));
    EXPECT_EQ(log.take(), Strings{});
    EXPECT_EQ(g->CurRow(), 1);
    EXPECT_EQ(g->CurCol(), 1);
    g->SetEnabled(true);
    g.Click(2, 2);
    EXPECT_EQ(g->CurRow(), 2);
    EXPECT_EQ(log.counts["Click"], 1);
}

TEST(MouseClicks, RightClickSelectsAndAsksForTheContextMenu) {
    MouseGrid g(5, 4);
    EventLog log(*g.grid);
    g.Click(2, 2, 0, MouseButton::Right);
    EXPECT_EQ(g->CurRow(), 2);
    const Strings events = log.take();
    EXPECT_EQ(events.front(), "MouseDown(2,0,75,50,2,2,1,True)");
    EXPECT_EQ(events.back(), "ContextMenuPopup(1,2,2,False,False)");
    // Over the empty area below the rows: the no-cell menu.
    g.host.Click(100, 250, MouseButton::Right);
    EXPECT_EQ(log.take().back(), "ContextMenuPopup(3,0,0,False,False)");
    EXPECT_EQ(lattix::ui::Wm().GetFocus(), g->WindowHandle());
}

namespace {
// A container in design mode: keyboard and mouse belong to the container.
struct DesignSite : lattix::ControlSite {
    bool userMode() const override { return false; }
};
} // namespace

TEST(MouseClicks, DesignModeLeavesPressesAndMovesToTheContainer) {
    lattix::ui::headless::HeadlessHost host(300, 200);
    DesignSite site;
    Lattix::Options options;
    options.site = &site;
    auto g = Lattix::Create(options);
    g->AttachToWindow(host.TopLevel());
    g->SetColCount(3);
    g->SetRowCount(3);
    int events = 0;
    g->events()->connect([&](const lattix::EventInfo& e, std::span<Variant>) {
        events += e.name.rfind("Mouse", 0) == 0 || e.name == "Click";
    });
    host.Click(30, 30);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(g->CurRow(), 0);
    g.reset();
}
