// Check boxes and tree buttons by click, with their events and vetoes.
#include "mouse_test_support.h"

using namespace mouse_test;

namespace {
lattix::gfx::Point Centre(const lattix::gfx::Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
} // namespace

TEST(CellControls, ClickingACheckBoxTogglesItWithVetoAndThreeStates) {
    MouseGrid g(4, 5);
    g->SetCellCheckVisible(Variant(2), Variant(2), true);
    auto parts = g->LayoutCellParts(2, 2, g->CellRectInWindow(2, 2));
    ASSERT_TRUE(parts.hasCheckBox);
    const auto p = Centre(parts.checkBox);
    EventLog log(*g.grid, {"CellSelectionChange", "MouseMove", "MouseEnter", "MouseLeave", "QuitCustomEdit",
                           "BeforeSelectionChange", "AfterSelectionChange", "CurCellChange", "CurRowChange",
                           "CurColChange", "MouseUp", "Click"});
    g.host.Click(p.x, p.y);
    EXPECT_EQ(g->CellCheckState(Variant(2), Variant(2)), 1);
    Strings events = log.take();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].substr(0, 9), "MouseDown");
    EXPECT_EQ(events[0].substr(events[0].size() - 12), ",2,2,5,True)"); // part: check box
    EXPECT_EQ(events[1], "CellCheckChange(2,2,1,False)");
    EXPECT_EQ(events[2], "AfterCellCheckChange(2,2,0)");
    EXPECT_EQ(g->CurRow(), 2); // the press also made the cell current
    g.host.Advance(1000);
    g.host.Click(p.x, p.y);
    EXPECT_EQ(g->CellCheckState(Variant(2), Variant(2)), 0);
    // Three states: unchecked, checked, grayed, unchecked.
    g->SetCellTypeFlags(Variant(2), Variant(2), 16);
    for (int expected : {1, 2, 0}) {
        g.host.Advance(1000);
        g.host.Click(p.x, p.y);
        EXPECT_EQ(g->CellCheckState(Variant(2), Variant(2)), expected);
    }
    // A handler may cancel or choose the state.
    const int cookie = g->events()->connect([](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name == "CellCheckChange") *a[3].slot() = Variant(true);
    });
    g.host.Advance(1000);
    g.host.Click(p.x, p.y);
    EXPECT_EQ(g->CellCheckState(Variant(2), Variant(2)), 0);
    g->events()->disconnect(cookie);
    g->events()->connect([](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name == "CellCheckChange") *a[2].slot() = Variant(int32_t{2});
    });
    g.host.Advance(1000);
    g.host.Click(p.x, p.y);
    EXPECT_EQ(g->CellCheckState(Variant(2), Variant(2)), 2);
    // A read-only grid leaves check boxes alone.
    g->SetEditable(false);
    g.host.Advance(1000);
    g.host.Click(p.x, p.y);
    EXPECT_EQ(g->CellCheckState(Variant(2), Variant(2)), 2);
}

TEST(CellControls, ClickingATreeButtonCollapsesAndExpandsUnlessVetoed) {
    MouseGrid g(3, 0);
    g->SetTreeCol(1);
    lattix::AddRowArgs parent;
    parent.eTreeButton = 2;
    g->AddRow(parent);
    lattix::AddRowArgs child;
    child.vRowParent = Variant(1);
    g->AddRow(child);
    g->AddRow(child);
    auto parts = g->LayoutCellParts(1, 1, g->CellRectInWindow(1, 1));
    ASSERT_TRUE(parts.hasTreeButton);
    const auto p = Centre(parts.treeButton);
    EventLog log(*g.grid, {"MouseMove", "MouseEnter", "MouseLeave", "MouseUp", "Click", "QuitCustomEdit",
                           "CustomDrawTreeButtonRequest"});
    g.host.Click(p.x, p.y);
    EXPECT_FALSE(g->RowExpanded(Variant(1)));
    EXPECT_FALSE(g->Row(2).displayed());
    Strings events = log.take();
    ASSERT_EQ(events.size(), 3u) << ::testing::PrintToString(events);
    EXPECT_EQ(events[1], "BeforeRowCollapseExpand(1,True,True)");
    EXPECT_EQ(events[2], "AfterRowCollapseExpand(1,False)");
    EXPECT_EQ(g->CurRow(), 0); // a tree-button press selects nothing
    g->events()->connect([](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name == "BeforeRowCollapseExpand") *a[2].slot() = Variant(false);
    });
    g.host.Advance(1000);
    g.host.Click(p.x, p.y);
    EXPECT_FALSE(g->RowExpanded(Variant(1)));
}
