#include "test_support.h"

using namespace lattix;
using namespace lattix_test;

namespace {
// Levels 0, 1, 2, 1, 0.
std::shared_ptr<Lattix> SmallTree() {
    auto g = Lattix::Create();
    g->SetColCount(2);
    for (int level : {0, 1, 2, 1, 0}) AddTreeRow(*g, level);
    return g;
}

struct EventLog {
    std::vector<std::string> names;
    std::vector<std::vector<Variant>> args;
    bool cancel = false;
    void onEvent(const EventInfo& e, std::span<Variant> a) {
        names.push_back(e.name);
        std::vector<Variant> copy;
        for (Variant& v : a) copy.push_back(v.deref());
        args.push_back(copy);
        if (cancel && e.name == "BeforeRowCollapseExpand") *a[2].slot() = Variant(false);
    }
};
} // namespace

TEST(RowTree, ParentsLastNestedAndChildrenAreReadFromTheOrder) {
    auto g = SmallTree();
    EXPECT_EQ(Levels(*g), (std::vector<int32_t>{0, 1, 2, 1, 0}));
    EXPECT_EQ(g->RowParent(Variant(1)), 0);
    EXPECT_EQ(g->RowParent(Variant(2)), 1);
    EXPECT_EQ(g->RowParent(Variant(3)), 2);
    EXPECT_EQ(g->RowParent(Variant(4)), 1);
    EXPECT_EQ(g->RowLastNested(Variant(1)), 4);
    EXPECT_EQ(g->RowLastNested(Variant(3)), 3);
    EXPECT_EQ(g->RowLastNested(Variant(5)), 5);
    EXPECT_EQ(g->RowChildCount(Variant(1)), 2);
    EXPECT_EQ(g->RowChildCount(Variant(2)), 1);
    EXPECT_TRUE(g->RowHasChildren(Variant(1)));
    EXPECT_FALSE(g->RowHasChildren(Variant(4)));
    EXPECT_FALSE(g->RowHasChildren(Variant(5)));
    EXPECT_EQ(LattixCode([&] { g->RowParent(Variant(6)); }), 513);

    // A row more than one level deeper than the row above it has no parent.
    g->SetRowLevel(Variant(5), 3);
    EXPECT_EQ(g->RowParent(Variant(5)), 0);
    EXPECT_EQ(g->RowLastNested(Variant(4)), 5);
    // RowLevel changes neither the nested rows nor the tree buttons.
    EXPECT_EQ(g->RowLevel(Variant(4)), 1);
    EXPECT_EQ(g->RowTreeButton(Variant(4)), 0);
}

TEST(RowTree, CollapsingHidesNestedRowsAndExpandingRespectsCollapsedChildren) {
    auto g = SmallTree();
    EXPECT_EQ(g->DisplayedRowCount(), 5);
    g->SetRowExpanded(Variant(1), false);
    EXPECT_EQ(Displayed(*g), (std::vector<bool>{true, false, false, false, true}));
    EXPECT_EQ(g->DisplayedRowCount(), 2);
    EXPECT_EQ(g->RowVisibleIndex(Variant(5)), 2);
    g->SetRowExpanded(Variant(1), true);
    EXPECT_EQ(g->DisplayedRowCount(), 5);
    g->SetRowExpanded(Variant(2), false);
    g->SetRowExpanded(Variant(1), false);
    g->SetRowExpanded(Variant(1), true);
    EXPECT_EQ(Displayed(*g), (std::vector<bool>{true, true, false, true, true}));
    EXPECT_EQ(g->DisplayedRowCount(), 4);
    EXPECT_EQ(g->RowVisibleIndex(Variant(4)), 3);
}

TEST(RowTree, ExpandingARowUnderACollapsedAncestorShowsNothing) {
    auto g = SmallTree();
    g->SetRowExpanded(Variant(2), false);
    g->SetRowExpanded(Variant(1), false);
    // Row 2 is hidden behind row 1: expanding it must not show row 3.
    g->SetRowExpanded(Variant(2), true);
    EXPECT_FALSE(g->RowVisibleAsChild(Variant(3)));
    EXPECT_EQ(g->DisplayedRowCount(), 2);
    g->SetRowExpanded(Variant(1), true);
    EXPECT_EQ(g->DisplayedRowCount(), 5);

    // The same through the child forms.
    g->SetRowExpanded(Variant(1), false);
    g->ExpandAllChildRows(Variant(2));
    EXPECT_FALSE(g->RowVisibleAsChild(Variant(3)));
    EXPECT_EQ(g->DisplayedRowCount(), 2);
    g->SetRowExpanded(Variant(1), true);
    EXPECT_EQ(g->DisplayedRowCount(), 5);
    g->CollapseAllChildRows(Variant(1));
    EXPECT_EQ(Displayed(*g), (std::vector<bool>{true, false, false, false, true}));
    EXPECT_FALSE(g->RowExpanded(Variant(2)));
    g->ExpandAllChildRows(Variant(1));
    EXPECT_EQ(g->DisplayedRowCount(), 5);
    EXPECT_TRUE(g->RowExpanded(Variant(2)));
}

TEST(RowTree, AllRowsFormsAndTheirEvents) {
    auto g = SmallTree();
    auto log = std::make_shared<EventLog>();
    g->events()->connect([log](const EventInfo& e, std::span<Variant> a) { log->onEvent(e, a); });
    g->SetRowExpanded(Variant(1), true); // its current value: nothing at all
    EXPECT_TRUE(log->names.empty());
    g->CollapseAllRows();
    EXPECT_EQ(Displayed(*g), (std::vector<bool>{true, false, false, false, true}));
    EXPECT_EQ(g->DisplayedRowCount(), 2);
    // The rows' structure changes: a host's own editor is told to close in between.
    ASSERT_EQ(log->names, (std::vector<std::string>{"BeforeRowCollapseExpand", "QuitCustomEdit", "AfterRowCollapseExpand"}));
    EXPECT_EQ(log->args[0][0], Variant(0));
    EXPECT_EQ(log->args[2][1], Variant(false));
    log->cancel = true;
    g->ExpandAllRows();
    EXPECT_EQ(log->names.size(), 4u); // BeforeRowCollapseExpand, refused
    EXPECT_EQ(g->DisplayedRowCount(), 2);
    log->cancel = false;
    g->ExpandAllRows();
    EXPECT_EQ(g->DisplayedRowCount(), 5);
    EXPECT_EQ(log->names.back(), "AfterRowCollapseExpand");
    EXPECT_EQ(log->args.back()[1], Variant(true));
    g->CollapseAllChildRows(Variant(2));
    EXPECT_EQ(log->args.back()[0], Variant(2));
    EXPECT_EQ(LattixCode([&] { g->ExpandAllChildRows(Variant(9)); }), 513);
}

TEST(RowVisibility, HidingAParentLeavesItsChildrenAndHeightsCountDisplayedRows) {
    auto g = SmallTree();
    g->SetRowVisible(Variant(1), false);
    EXPECT_EQ(Displayed(*g), (std::vector<bool>{false, true, true, true, true}));
    EXPECT_EQ(g->RowVisibleIndex(Variant(2)), 1);
    g->SetRowVisible(Variant(1), true);
    g->SetRowHeight(Variant(2), 0);
    EXPECT_EQ(g->DisplayedRowCount(), 4);
    EXPECT_EQ(g->RowVisibleIndex(Variant(3)), 2);
    EXPECT_EQ(g->Row(3).top, g->Row(1).height);
    EXPECT_EQ(LattixCode([&] { g->SetRowHeight(Variant(2), -1); }), 514);
    EXPECT_EQ(g->RowHeight(Variant(2)), 0);

    // SetRowHeights keeps the displayed row count right.
    g->SetRowHeights(0, Variant(1), Variant(3));
    EXPECT_EQ(g->DisplayedRowCount(), 2);
    g->SetRowHeights(12);
    EXPECT_EQ(g->DisplayedRowCount(), 5);
    EXPECT_EQ(g->Row(5).top, 48);
    EXPECT_EQ(LattixCode([&] { g->SetRowHeights(-1); }), 514);
    EXPECT_EQ(LattixCode([&] { g->SetRowHeights(3, Variant(9)); }), 513);
    EXPECT_EQ(g->RowHeight(Variant(1)), 12);

    g->SetRowVisibleAsChild(Variant(5), false);
    EXPECT_EQ(g->DisplayedRowCount(), 4);
    EXPECT_FALSE(g->RowVisibleAsChild(Variant(5)));
}

TEST(RowFlags, TreeButtonGroupFlagAndNormalCellHeight) {
    auto g = SmallTree();
    g->SetRowTreeButton(Variant(1), 2);
    EXPECT_EQ(g->RowTreeButton(Variant(1)), 2);
    EXPECT_EQ(LattixCode([&] { g->SetRowTreeButton(Variant(1), 3); }), 514);
    EXPECT_EQ(g->RowTreeButton(Variant(1)), 2);
    EXPECT_TRUE(g->RowExpanded(Variant(1))); // the other bits are kept

    g->SetRowIsGroup(Variant(2), true);
    EXPECT_TRUE(g->RowIsGroup(Variant(2)));
    EXPECT_EQ(g->GroupRowCount(), 1);
    EXPECT_TRUE(g->Cell(2, 1).changed());
    g->SetRowIsGroup(Variant(2), true);
    EXPECT_EQ(g->GroupRowCount(), 1);
    g->SetRowIsGroup(Variant(2), false);
    EXPECT_EQ(g->GroupRowCount(), 0);

    g->SetRowNormalCellHeight(Variant(3), 9);
    EXPECT_EQ(g->RowNormalCellHeight(Variant(3)), 9);
}

TEST(TreeSettings, ChecksDefaultsAndAutomaticButtons) {
    auto g = Lattix::Create();
    EXPECT_FALSE(g->AddRowAutoTreeButton());
    EXPECT_EQ(g->LevelIndent(), 16);
    EXPECT_EQ(g->TreeButtonSize(), 9);
    EXPECT_TRUE(g->DefaultAutoGroupRowExpanded());
    EXPECT_EQ(LattixCode([&] { g->SetTreeCol(-1); }), 514);
    EXPECT_EQ(LattixCode([&] { g->SetLevelIndent(-1); }), 514);
    EXPECT_EQ(LattixCode([&] { g->SetTreeButtonSize(-1); }), 514);
    EXPECT_EQ(LattixCode([&] { g->SetDefaultRowHeight(0); }), 514);
    EXPECT_EQ(LattixCode([&] { g->SetDefaultRowNormalCellHeight(0); }), 514);
    // Sizes that would make painting allocate without bound, or coordinates overflow, are refused
    // and leave the setting as it was.
    g->SetTreeButtonSize(255);
    g->SetLevelIndent(32767);
    EXPECT_EQ(LattixCode([&] { g->SetTreeButtonSize(256); }), 514);
    EXPECT_EQ(LattixCode([&] { g->SetTreeButtonSize(1 << 30); }), 514);
    EXPECT_EQ(LattixCode([&] { g->SetLevelIndent(32768); }), 514);
    EXPECT_EQ(g->TreeButtonSize(), 255);
    EXPECT_EQ(g->LevelIndent(), 32767);
    g->SetColCount(1);
    g->SetTreeCol(1);
    g->SetAddRowAutoTreeButton(true);
    g->SetDefaultRowHeight(20);
    AddTreeRow(*g, 0);
    AddTreeRow(*g, 1);
    EXPECT_EQ(g->RowTreeButton(Variant(1)), 2);
    EXPECT_EQ(g->RowTreeButton(Variant(2)), 1);
    EXPECT_EQ(g->RowHeight(Variant(2)), 20);
}

TEST(RowBindings, PublishedMembersReachTheHierarchyFamily) {
    auto g = SmallTree();
    std::vector<Variant> a{Variant(1), Variant(false)};
    g->invoke("RowExpanded", InvokeKind::Let, a);
    EXPECT_EQ(g->DisplayedRowCount(), 2);
    std::vector<Variant> p{Variant(3)};
    EXPECT_EQ(g->invoke("RowParent", InvokeKind::Get, p), Variant(2));
    g->invoke("ExpandAllRows", InvokeKind::Method);
    EXPECT_EQ(g->DisplayedRowCount(), 5);
    std::vector<Variant> h{Variant(int16_t{0})};
    g->invoke("SetRowHeights", InvokeKind::Method, h);
    EXPECT_EQ(g->DisplayedRowCount(), 0);
    std::vector<Variant> lv{Variant(1), Variant(300)};
    EXPECT_EQ(LattixCode([&] { g->invoke("RowLevel", InvokeKind::Let, lv); }), -1); // overflow
    EXPECT_EQ(g->RowLevel(Variant(1)), 0);
}
