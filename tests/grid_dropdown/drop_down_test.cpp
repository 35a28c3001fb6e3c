// A list cell's drop-down driven by injected mouse and keys in virtual time: opening by the combo
// button, placement, choosing by click, keys and typed search, cancelling, the events, and a list
// removed while it is open.
#include <gtest/gtest.h>

#include "grid/objects/combo_objects.h"
#include "grid/objects/font_object.h"
#include "platform/controls/drop_down_list.h"
#include "tests/grid_mouse/mouse_test_support.h"
#include "tests/picture_check.h"

using namespace mouse_test;
using lattix::controls::DropDownList;
namespace ui = lattix::ui;

namespace {

// Grid 4 x 6 (cells 50 x 20); cell (2, 2) is a list cell of the list "kinds".
struct DropGrid : MouseGrid {
    std::shared_ptr<lattix::ComboObject> list;
    DropGrid(std::initializer_list<const char*> texts = {"Apple", "apricot", "Banana"}) : MouseGrid(4, 6) {
        list = grid->Combos()->Add("kinds");
        int v = 10;
        for (const char* t : texts) list->AddItem(t, Variant(int32_t{v++}));
        grid->SetCellType(Variant(2), Variant(2), 1);
        grid->SetCellCtrlKey(Variant(2), Variant(2), "kinds");
        grid->SetCurCell(Variant(2), Variant(2));
        ui::Wm().SetFocus(grid->WindowHandle());
    }
    DropDownList* Window() const { return DropDownList::FromWindow(grid->DropDownWindow()); }
    bool Open() const { return Window() != nullptr && Window()->IsOpen(); }
    // The combo button of cell (2, 2), shown while it is current.
    lattix::gfx::Point Button() {
        auto parts = grid->LayoutCellParts(2, 2, grid->CellRectInWindow(2, 2));
        EXPECT_TRUE(parts.hasComboButton);
        return {(parts.comboButton.left + parts.comboButton.right) / 2, (parts.comboButton.top + parts.comboButton.bottom) / 2};
    }
    void ClickButton() {
        auto p = Button();
        host.Click(p.x, p.y);
    }
    // Host client point of the centre of item k (visible from the top) of the open list.
    lattix::gfx::Point Item(int k) const {
        ui::Rect r = ui::Wm().GetWindowRect(grid->DropDownWindow());
        ui::Point origin = host.ToScreen(0, 0);
        return {r.left + 10 - origin.x, r.top + 1 + k * Window()->ItemHeight() + Window()->ItemHeight() / 2 - origin.y};
    }
};

const std::set<std::string> kQuiet{"CellSelectionChange", "MouseMove", "MouseEnter", "MouseLeave", "MouseDown",
                                   "MouseUp", "Click", "ClickNoDblClick", "BeforeSelectionChange",
                                   "AfterSelectionChange", "CurCellChange", "CurRowChange", "CurColChange",
                                   "KeyDown", "KeyUp", "KeyPress"};

TEST(DropDown, TheComboButtonOpensTheListBelowTheCellWithTheCellsItemLit) {
    DropGrid g;
    g->SetCellComboListIndex(Variant(2), Variant(2), 1);
    EventLog log(*g.grid, kQuiet);
    g.ClickButton();
    ASSERT_TRUE(g.Open());
    EXPECT_TRUE(g->IsEditing());
    EXPECT_EQ(g->DropDownHighlighted(), 1);
    EXPECT_EQ(log.take(), (Strings{"RequestEdit(2,2,0,False,apricot,0,0)"}));
    // Below the cell, the cell's width, three items high plus the border.
    ui::Rect cell = g->CellRectInWindow(2, 2);
    ui::Point topLeft = g.host.ToScreen(cell.left, cell.bottom);
    EXPECT_EQ(ui::Wm().GetWindowRect(g->DropDownWindow()),
              ui::rectOfSize(topLeft.x, topLeft.y, cell.width(), 3 * g.list->ItemHeight() + 2));
    // The focus stays with the grid.
    EXPECT_EQ(ui::Wm().GetFocus(), g->WindowHandle());
}

TEST(DropDown, AClickOnAnItemCommitsItsValueWithTheEvents) {
    DropGrid g;
    g->SetCellValue(Variant(2), Variant(2), Variant(int32_t{12}));
    g.ClickButton();
    ASSERT_TRUE(g.Open());
    EventLog log(*g.grid, kQuiet);
    auto p = g.Item(0);
    g.host.Click(p.x, p.y);
    EXPECT_FALSE(g.Open());
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(log.take(), (Strings{"BeforeCommitEdit(2,2,1,Apple,10,0,False,0)", "AfterCommitEdit(2,2,12)"}));
    EXPECT_EQ(lattix::ToInt32(g->CellValue(Variant(2), Variant(2))), 10);
    EXPECT_EQ(g->CellComboListIndex(Variant(2), Variant(2)), 0);
    EXPECT_EQ(g->CellText(Variant(2), Variant(2)), "Apple");
}

TEST(DropDown, KeysMoveTheHighlightAndEnterTakesItWithoutStartingAnotherEdit) {
    DropGrid g;
    g.ClickButton();
    EventLog log(*g.grid, kQuiet);
    g.host.KeyPress(ui::VK_DOWN);
    g.host.KeyPress(ui::VK_DOWN);
    g.host.KeyPress(ui::VK_DOWN);
    EXPECT_EQ(g->DropDownHighlighted(), 2);
    g.host.KeyPress(ui::VK_UP);
    g.host.KeyPress(ui::VK_RETURN);
    EXPECT_FALSE(g.Open());
    EXPECT_EQ(log.take(), (Strings{"BeforeCommitEdit(2,2,1,apricot,11,0,False,1)", "AfterCommitEdit(2,2,)"}));
    EXPECT_FALSE(g->IsEditing()); // the Enter character did not open the list again
    EXPECT_EQ(g->CellComboListIndex(Variant(2), Variant(2)), 1);
}

TEST(DropDown, TypingSearchesTheItemsIgnoringCase) {
    DropGrid g;
    g.ClickButton();
    g.host.TypeText("a");
    EXPECT_EQ(g->DropDownHighlighted(), 0);
    g.host.TypeText("p");
    EXPECT_EQ(g->DropDownHighlighted(), 0); // Apple
    EXPECT_EQ(g->DropDownSearchString(), "ap");
    g.host.TypeText("r");
    EXPECT_EQ(g->DropDownHighlighted(), 1); // apricot
    g.host.TypeText("x");                   // no match: nothing changes
    EXPECT_EQ(g->DropDownSearchString(), "apr");
    EXPECT_EQ(g->DropDownHighlighted(), 1);
    g.host.KeyPress(ui::VK_BACK);
    EXPECT_EQ(g->DropDownSearchString(), "ap");
    EXPECT_EQ(g->DropDownHighlighted(), 0);
    g.host.KeyPress(ui::VK_DOWN, kCtrl); // next item starting with "ap"
    EXPECT_EQ(g->DropDownHighlighted(), 1);
    g.host.KeyPress(ui::VK_DOWN, kCtrl); // none further down
    EXPECT_EQ(g->DropDownHighlighted(), 1);
    g.host.KeyPress(ui::VK_UP, kCtrl);
    EXPECT_EQ(g->DropDownHighlighted(), 0);
    g.host.KeyPress(ui::VK_BACK);
    g.host.KeyPress(ui::VK_BACK); // one character left: cleared, the highlight stays
    EXPECT_EQ(g->DropDownSearchString(), "");
    EXPECT_EQ(g->DropDownHighlighted(), 0);
    g.host.TypeText("b");
    EXPECT_EQ(g->DropDownHighlighted(), 2);
    g.host.KeyPress(ui::VK_END); // navigation clears the search text
    EXPECT_EQ(g->DropDownSearchString(), "");
    // The pointer over another item lights it and clears the search text too.
    g.host.TypeText("a");
    auto p = g.Item(1);
    g.host.MouseMove(p.x, p.y);
    EXPECT_EQ(g->DropDownHighlighted(), 1);
    EXPECT_EQ(g->DropDownSearchString(), "");
    EXPECT_TRUE(g.Open());
}

TEST(DropDown, EscapeAPressElsewhereAndFocusLossCancelWithoutChangingTheValue) {
    DropGrid g;
    g->SetCellValue(Variant(2), Variant(2), Variant(int32_t{11}));
    EventLog log(*g.grid, kQuiet);
    g.ClickButton();
    g.host.KeyPress(ui::VK_DOWN);
    g.host.KeyPress(ui::VK_ESCAPE);
    EXPECT_FALSE(g.Open());
    EXPECT_FALSE(g->IsEditing());
    Strings events = log.take();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "CancelEdit(2,2)");
    EXPECT_EQ(lattix::ToInt32(g->CellValue(Variant(2), Variant(2))), 11);

    g.host.Advance(1000);
    g.ClickButton();
    ASSERT_TRUE(g.Open());
    log.take();
    g.host.Click(g.X(4), g.Y(5)); // on another cell: the press only closes the list
    EXPECT_EQ(log.take(), (Strings{"CancelEdit(2,2)"}));
    EXPECT_EQ(g->CurRow(), 2);

    g.host.Advance(1000);
    g.ClickButton();
    ASSERT_TRUE(g.Open());
    log.take();
    ui::Wm().SetFocus(0);
    EXPECT_FALSE(g.Open());
    EXPECT_EQ(log.take(), (Strings{"CancelEdit(2,2)"}));
    EXPECT_EQ(lattix::ToInt32(g->CellValue(Variant(2), Variant(2))), 11);
}

TEST(DropDown, HandlersMayCancelReplaceTheValueOrAnswerNonsense) {
    DropGrid g;
    g->SetCellValue(Variant(2), Variant(2), Variant(int32_t{11}));
    int32_t answer = 0;
    Variant replacement;
    g->events()->connect([&](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name != "BeforeCommitEdit") return;
        if (answer != 1) *a[2].slot() = Variant(answer);
        if (!replacement.isEmpty()) *a[4].slot() = replacement;
    });
    EventLog log(*g.grid, kQuiet);
    for (int32_t a : {0, 7, -1, 2}) { // cancel; unknown results count as cancel; proceeding is not offered
        answer = a;
        g.host.Advance(1000);
        g.ClickButton();
        g.host.KeyPress(ui::VK_HOME);
        g.host.KeyPress(ui::VK_RETURN);
        Strings events = log.take();
        ASSERT_FALSE(events.empty());
        if (a == 2) EXPECT_EQ(events.back().substr(0, 16), "BeforeCommitEdit") << a;
        else EXPECT_EQ(events.back(), "CancelEdit(2,2)") << a;
        EXPECT_EQ(lattix::ToInt32(g->CellValue(Variant(2), Variant(2))), 11) << a;
        EXPECT_FALSE(g->IsEditing());
    }
    answer = 1;
    replacement = Variant("hand-picked");
    g.host.Advance(1000);
    g.ClickButton();
    g.host.KeyPress(ui::VK_HOME);
    g.host.KeyPress(ui::VK_RETURN);
    EXPECT_EQ(lattix::ToString(g->CellValue(Variant(2), Variant(2))), "hand-picked");
    EXPECT_EQ(log.take().back(), "AfterCommitEdit(2,2,11)");
}

TEST(DropDown, AnItemWhoseValueIsAnObjectStoresTheReferenceItself) {
    DropGrid g({});
    auto font = lattix::FontObject::Create();
    g.list->AddItem("Font", Variant(std::static_pointer_cast<lattix::AutomationObject>(font)));
    g.ClickButton();
    g.host.KeyPress(ui::VK_DOWN);
    g.host.KeyPress(ui::VK_RETURN);
    Variant v = g->CellValue(Variant(2), Variant(2));
    ASSERT_TRUE(v.isObject());
    EXPECT_EQ(v.object().get(), font.get());
}

TEST(DropDown, RemovingOrClearingTheOpenListCancelsTheEditFirst) {
    DropGrid g;
    g.ClickButton();
    ASSERT_TRUE(g.Open());
    EventLog log(*g.grid, kQuiet);
    g->Combos()->Remove(Variant("kinds"));
    EXPECT_FALSE(g.Open());
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(log.take(), (Strings{"CancelEdit(2,2)"}));
    EXPECT_EQ(g->CellCtrlKey(Variant(2), Variant(2)), "");
    // Without a list the button opens nothing.
    g.host.Advance(1000);
    g.host.Click(g.X(2) + 20, g.Y(2));
    EXPECT_FALSE(g->IsEditing());

    auto again = g->Combos()->Add("kinds");
    again->AddItem("Hen");
    g->SetCellCtrlKey(Variant(2), Variant(2), "kinds");
    g.host.Advance(1000);
    g.ClickButton();
    ASSERT_TRUE(g.Open());
    g->Combos()->Clear();
    EXPECT_FALSE(g.Open());
    // (The press on the button of the unbound cell asked for an edit too; no list opened.)
    EXPECT_EQ(log.take(), (Strings{"RequestEdit(2,2,0,False,,0,0)", "RequestEdit(2,2,0,False,,0,0)", "CancelEdit(2,2)"}));
}

TEST(DropDown, AProgrammaticMoveOrARequestEditVetoEndsOrPreventsTheList) {
    DropGrid g;
    std::set<std::string> quiet = kQuiet;
    quiet.insert("QuitCustomEdit");
    EventLog log(*g.grid, quiet);
    g.ClickButton();
    ASSERT_TRUE(g.Open());
    log.take();
    g->SetCurCell(Variant(3), Variant(3));
    EXPECT_FALSE(g.Open());
    EXPECT_GE(log.counts["QuitCustomEdit"], 1);
    EXPECT_EQ(log.take(), (Strings{"CancelEdit(2,2)"}));
    EXPECT_FALSE(g->IsEditing());

    g->SetCurCell(Variant(2), Variant(2));
    g->events()->connect([](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name == "RequestEdit") *a[3].slot() = Variant(true);
    });
    g.host.Advance(1000);
    g.ClickButton();
    EXPECT_FALSE(g.Open());
    EXPECT_FALSE(g->IsEditing());
    // A read-only grid opens nothing either.
    g->SetEditable(false);
    g->RequestEditCurCell(0, false);
    EXPECT_FALSE(g.Open());
}

TEST(DropDown, PlacementKeepsTheListOnTheScreenArea) {
    using lattix::gfx::Rect;
    const Rect area{0, 0, 800, 600};
    const Rect cell{100, 200, 180, 220};
    // Below when it fits, the cell's width when none is set.
    EXPECT_EQ(Lattix::DropDownPlacement(cell, area, 0, 122, 15), (Rect{100, 220, 180, 342}));
    // A set width; moved left to end at the right edge; cut to the area's width.
    EXPECT_EQ(Lattix::DropDownPlacement({700, 200, 780, 220}, area, 200, 50, 15), (Rect{600, 220, 800, 270}));
    EXPECT_EQ(Lattix::DropDownPlacement(cell, area, 1000, 50, 15), (Rect{0, 220, 800, 270}));
    // A cell left of the area starts the list at the area's edge.
    EXPECT_EQ(Lattix::DropDownPlacement({-30, 200, 50, 220}, area, 0, 50, 15), (Rect{0, 220, 80, 270}));
    // Near the bottom: above the cell, its bottom one pixel above it.
    EXPECT_EQ(Lattix::DropDownPlacement({100, 550, 180, 570}, area, 0, 122, 15), (Rect{100, 427, 180, 549}));
    // Room on neither side: the roomier side, cut to whole items.
    EXPECT_EQ(Lattix::DropDownPlacement({100, 60, 180, 80}, {0, 0, 800, 200}, 0, 302, 15), (Rect{100, 80, 180, 187}));
    EXPECT_EQ(Lattix::DropDownPlacement({100, 130, 180, 150}, {0, 0, 800, 200}, 0, 302, 15), (Rect{100, 7, 180, 129}));
}

TEST(DropDown, ALongListScrollsAndShowsThePressedButtonInItsPicture) {
    DropGrid g({"Broiler", "Capon", "Cockerel", "Hen", "Pullet", "Rooster", "Spring", "Stewing", "Turkey", "Yearling"});
    g.list->SetMaxHeightInItems(5);
    g.list->AutoAdjustWidth();
    g->SetCellComboListIndex(Variant(2), Variant(2), 7);
    g.ClickButton();
    ASSERT_TRUE(g.Open());
    EXPECT_TRUE(g.Window()->HasScrollBar());
    EXPECT_EQ(g.Window()->VisibleItemCount(), 5);
    EXPECT_EQ(g.Window()->TopIndex(), 5); // the lit item as high as the items below it allow
    EXPECT_EQ(ui::Wm().GetWindowRect(g->DropDownWindow()).width(), g.list->Width());
    EXPECT_TRUE(lattix::test::MatchesReference(g.host.Render(), "tests/grid_dropdown/reference/open_list.png"));
}

TEST(DropDown, TheListTakesTheGridsLookAndFollowsItWhileOpen) {
    DropGrid g;
    g.ClickButton();
    ASSERT_TRUE(g.Open());
    EXPECT_TRUE(g->XPStylesInEffect());
    EXPECT_TRUE(g.Window()->IsThemed());
    g->SetUseXPStyles(false);
    EXPECT_TRUE(g.Open());
    EXPECT_FALSE(g.Window()->IsThemed());
    // Opened again, it keeps the classic look.
    g.host.KeyPress(ui::VK_ESCAPE);
    ASSERT_FALSE(g.Open());
    g.ClickButton();
    ASSERT_TRUE(g.Open());
    EXPECT_FALSE(g.Window()->IsThemed());
    g->SetUseXPStyles(true);
    EXPECT_TRUE(g.Window()->IsThemed());
}

} // namespace
