// The built-in header and cell menus, answered by script: their items, states, events and commands.
#include "clipboard_test_support.h"

#include "grid/objects/context_menu_items_object.h"
#include "grid/objects/sort_group_object.h"
#include "platform/ui/message_box.h"
#include "runtime/automation_error.h"

using namespace clipboard_test;
using lattix::ui::MenuItem;

namespace {
constexpr int kCmd = 0x2000;

// The menu as "text" / "text*" (disabled) / "[x]text" (checked) / "-" lines.
Strings Describe(const lattix::ui::PopupMenu& menu) {
    Strings out;
    for (const MenuItem& i : menu.Items()) {
        if (i.separator) {
            out.push_back("-");
            continue;
        }
        out.push_back((i.checked ? "[x]" : "") + i.text + (i.enabled ? "" : "*") + "=" + std::to_string(i.command - kCmd));
    }
    return out;
}

void RightClickHeader(ClipGrid& g, int col) { g.host.Click(g.X(col), 10, MouseButton::Right); }
void RightClickCell(ClipGrid& g, int row, int col) { g.host.Click(g.X(col), g.Y(row), MouseButton::Right); }
} // namespace

TEST(HeaderMenu, SortAndGroupItemsFollowTheColumnAndTheGrouping) {
    ClipGrid g(3, 3);
    g->SetAllowGrouping(true);
    g->SetColSortType(Variant(3), 99); // lxSortNone
    EventLog log(*g.grid, {"HeaderRightClick", "ContextMenuPopup"});
    RightClickHeader(g, 1);
    ASSERT_EQ(g.host.MenusShown().size(), 1u);
    EXPECT_EQ(log.take(), (Strings{"HeaderRightClick(1,0,25,10)", "ContextMenuPopup(2,0,1,False,False)"}));
    EXPECT_EQ(Describe(g.LastMenu()), (Strings{"Sort Ascending=1", "Sort Descending=2", "-", "Group By This Column=3",
                                               "Remove Grouping*=5"}));
    RightClickHeader(g, 3);
    EXPECT_EQ(Describe(g.LastMenu()), (Strings{"Sort Ascending*=1", "Sort Descending*=2", "-",
                                               "Group By This Column*=3", "Remove Grouping*=5"}));
    // Without sorting the group items come alone, without a separator.
    g->SetAllowSorting(false);
    RightClickHeader(g, 2);
    EXPECT_EQ(Describe(g.LastMenu()), (Strings{"Group By This Column=3", "Remove Grouping*=5"}));
}

TEST(HeaderMenu, SortCommandsSortByTheMenusColumn) {
    ClipGrid g(2, 3);
    for (int r = 1; r <= 3; ++r) g.Set(r, 2, Variant(int32_t{r * 10}));
    g.host.AnswerNextMenu(kCmd + 2);
    RightClickHeader(g, 2);
    EXPECT_EQ(g.Get(1, 2), Variant(int32_t{30}));
    EXPECT_EQ(g.Get(3, 2), Variant(int32_t{10}));
    g.host.AnswerNext("Sort Ascending");
    RightClickHeader(g, 2);
    EXPECT_EQ(g.Get(1, 2), Variant(int32_t{10}));
}

TEST(HeaderMenu, GroupByThenDontGroupByThenRemoveGrouping) {
    ClipGrid g(2, 4);
    g->SetAllowGrouping(true);
    for (int r = 1; r <= 4; ++r) g.Set(r, 1, Variant(std::string(r % 2 ? "x" : "y")));
    g.host.AnswerNext("Group By This Column");
    RightClickHeader(g, 1);
    EXPECT_GT(g->GroupRowCount(), 0);
    EXPECT_EQ(g->GroupObject()->ColCount(), 1);
    RightClickHeader(g, 1);
    EXPECT_EQ(Describe(g.LastMenu()), (Strings{"Sort Ascending=1", "Sort Descending=2", "-",
                                               "Don't Group By This Column=4", "Remove Grouping=5"}));
    g.host.AnswerNextMenu(kCmd + 4);
    RightClickHeader(g, 1);
    EXPECT_EQ(g->GroupObject()->ColCount(), 0);
    g.host.AnswerNext("Group By This Column");
    RightClickHeader(g, 1);
    g.host.AnswerNext("Remove Grouping");
    RightClickHeader(g, 1);
    EXPECT_EQ(g->GroupRowCount(), 0);
    EXPECT_EQ(g->RowCount(), 4);
}

TEST(HeaderMenu, PopupEventCancelsOrHidesAndCustomItemsFollow) {
    ClipGrid g(2, 2);
    g->SetAllowGrouping(false);
    auto items = g->ContextMenuCustomItems(2);
    items->Add("Mine");
    items->Add("-");
    items->Add("Off", false, true);
    EventLog log(*g.grid, {"ContextMenuCustomItemClick"});
    bool cancel = true, hide = false;
    log.handlers["ContextMenuPopup"] = [&](std::span<Variant> a) {
        *a[3].slot() = Variant(cancel);
        *a[4].slot() = Variant(hide);
    };
    RightClickHeader(g, 1);
    EXPECT_TRUE(g.host.MenusShown().empty());
    cancel = false;
    RightClickHeader(g, 1);
    EXPECT_EQ(Describe(g.LastMenu()), (Strings{"Sort Ascending=1", "Sort Descending=2", "-", "Mine=16", "-",
                                               "[x]Off*=18"}));
    hide = true;
    g.host.AnswerNext("Mine");
    RightClickHeader(g, 2);
    EXPECT_EQ(Describe(g.LastMenu()), (Strings{"Mine=16", "-", "[x]Off*=18"}));
    EXPECT_EQ(log.take(), (Strings{"ContextMenuCustomItemClick(2,0,2,1)"}));
    // Right of the last column: the extra-area context, with its own (empty) list: no menu.
    g.host.Backend().ClearShown();
    g.host.Click(350, 10, MouseButton::Right);
    EXPECT_TRUE(g.host.MenusShown().empty());
}

TEST(CellMenu, FlatGridShowsTheClipboardItemsAndTheirStates) {
    ClipGrid g(2, 2);
    g.Set(1, 1, Variant(std::string("v")));
    g.ExternalClipboard("");
    g.host.Backend().Clipboard().Clear();
    RightClickCell(g, 1, 1);
    EXPECT_EQ(Describe(g.LastMenu()), (Strings{"Cut=12", "Copy=13", "Copy with Headers=14", "Paste*=15"}));
    g->SetEditable(false);
    g.ExternalClipboard("x");
    RightClickCell(g, 1, 1);
    EXPECT_EQ(Describe(g.LastMenu()), (Strings{"Cut*=12", "Copy=13", "Copy with Headers=14", "Paste*=15"}));
    g->SetEditable(true);
    RightClickCell(g, 1, 1);
    EXPECT_EQ(Describe(g.LastMenu()).back(), "Paste=15");
    g->SetCopyPasteEnabled(false);
    g.host.Backend().ClearShown();
    RightClickCell(g, 1, 1);
    EXPECT_TRUE(g.host.MenusShown().empty()); // nothing to show
}

TEST(CellMenu, ClipboardCommandsRunOnTheSelection) {
    ClipGrid g(2, 2);
    g.Set(1, 1, Variant(std::string("v")));
    g.host.AnswerNext("Copy");
    RightClickCell(g, 1, 1);
    EXPECT_EQ(g.ClipboardText(), "v\r\n");
    g.host.AnswerNext("Copy with Headers");
    RightClickCell(g, 1, 1);
    EXPECT_EQ(g.ClipboardText(), "Col 1\r\nv\r\n");
    g.host.AnswerNext("Cut");
    RightClickCell(g, 1, 1);
    EXPECT_EQ(g.Text(1, 1), "");
    g.ExternalClipboard("p");
    g.host.AnswerNext("Paste");
    RightClickCell(g, 2, 2);
    EXPECT_EQ(g.Text(2, 2), "p");
}

TEST(CellMenu, TreeGridAddsCollapseAndExpandItemsAfterCustomRules) {
    ClipGrid g(2, 0);
    g->AddRow();
    lattix::AddRowArgs child;
    child.vRowParent = Variant(1);
    g->AddRow(child);
    g->AddRow(child);
    g->SetRowHeights(20);
    g->SetTreeCol(1);
    g->SetBuiltinContextMenus(true);
    g->ContextMenuCustomItems(1)->Add("Extra");
    RightClickCell(g, 1, 2);
    EXPECT_EQ(Describe(g.LastMenu()),
              (Strings{"Cut=12", "Copy=13", "Copy with Headers=14", "Paste*=15", "-", "Collapse All Rows=6",
                       "Expand All Rows=7", "-", "Collapse All Child Rows=8", "Expand All Child Rows=9", "-", "Extra=16"}));
    g.host.AnswerNext("Collapse All Rows");
    RightClickCell(g, 1, 2);
    EXPECT_FALSE(g->RowExpanded(Variant(1)));
    g.host.AnswerNext("Expand All Child Rows");
    RightClickCell(g, 1, 2);
    EXPECT_TRUE(g->RowExpanded(Variant(1)));
    // Without the default items only the custom ones show, without a leading separator.
    g->SetBuiltinContextMenus(false);
    RightClickCell(g, 1, 2);
    EXPECT_EQ(Describe(g.LastMenu()), (Strings{"Extra=16"}));
}

TEST(MenuCommands, AnErrorInACommandIsShownAndTheGridStaysUsable) {
    ClipGrid g(2, 2);
    g->ContextMenuCustomItems(1)->Add("Fails");
    EventLog log(*g.grid, {});
    log.handlers["ContextMenuCustomItemClick"] = [](std::span<Variant>) {
        throw lattix::AutomationError(static_cast<int32_t>(0x80040201u), "Host", "Something broke.");
    };
    g.host.AnswerNext("Fails");
    EXPECT_NO_THROW(RightClickCell(g, 1, 1));
    ASSERT_EQ(g.host.MessageBoxesShown().size(), 1u);
    EXPECT_EQ(g.host.MessageBoxesShown()[0].request.text, "Something broke.");
    // A sort that fails inside its own events is shown the same way.
    log.handlers["BeforeContentsSorted"] = [](std::span<Variant>) { throw std::runtime_error("no sorting today"); };
    g.host.AnswerNext("Sort Ascending");
    EXPECT_NO_THROW(RightClickHeader(g, 1));
    EXPECT_EQ(g.host.MessageBoxesShown().back().request.text, "no sorting today");
    g.Set(1, 1, Variant(std::string("still")));
    EXPECT_EQ(g.Text(1, 1), "still");
}

TEST(ContextMenuItems, ListMembersCheckTheirIndex) {
    ClipGrid g(1, 1);
    auto items = g->ContextMenuCustomItems(3);
    items->Add("A", true, false, Variant(int32_t{5}));
    items->Add("B");
    EXPECT_EQ(items->Count(), 2);
    EXPECT_EQ(items->ItemTag(1), Variant(int32_t{5}));
    EXPECT_THROW(items->ItemCaption(3), lattix::AutomationError);
    EXPECT_THROW(items->Remove(0), lattix::AutomationError);
    items->Remove(1);
    EXPECT_EQ(items->ItemCaption(1), "B");
    EXPECT_THROW(g->ContextMenuCustomItems(6), lattix::AutomationError);
}
