// Text-with-list cells: the text editor with the cell's list, auto-completion while typing, F4 and
// the combo button opening the list over the editor, and choices from it; F4 on a list cell.
#include <gtest/gtest.h>

#include "grid/objects/combo_objects.h"
#include "platform/controls/drop_down_list.h"
#include "tests/grid_mouse/mouse_test_support.h"

using namespace mouse_test;
using lattix::controls::DropDownList;
namespace ui = lattix::ui;

namespace {

// Cell (2, 3) is a text-with-list cell of the list "kinds"; cell (3, 3) a list cell of it.
struct TextComboGrid : MouseGrid {
    std::shared_ptr<lattix::ComboObject> list;
    TextComboGrid() : MouseGrid(4, 6) {
        list = grid->Combos()->Add("kinds");
        list->AddItem("Apple", Variant(int32_t{1}), 2);
        list->AddItem("apricot", Variant(int32_t{2}));
        list->AddItem("Banana", Variant(int32_t{3}));
        list->SetAutoExpand(true);
        grid->SetCellType(Variant(2), Variant(3), 2);
        grid->SetCellCtrlKey(Variant(2), Variant(3), "kinds");
        grid->SetCellType(Variant(3), Variant(3), 1);
        grid->SetCellCtrlKey(Variant(3), Variant(3), "kinds");
        grid->SetCurCell(Variant(2), Variant(3));
        ui::Wm().SetFocus(grid->WindowHandle());
    }
    bool Open() const {
        const DropDownList* w = DropDownList::FromWindow(grid->DropDownWindow());
        return w != nullptr && w->IsOpen();
    }
};

TEST(TextCombo, TypingCompletesFromTheListAndEnterStoresTheTextWithItsIndex) {
    TextComboGrid g;
    g.host.TypeText("b");
    ASSERT_TRUE(g->IsEditing());
    EXPECT_EQ(g->TextEditText(), "banana"); // the typed part keeps its case
    EXPECT_EQ(g->TextEditSelStart(), 1);
    EXPECT_EQ(g->TextEditSelLength(), 5);
    g.host.KeyPress(ui::VK_RETURN);
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(lattix::ToString(g->CellValue(Variant(2), Variant(3))), "banana");
    EXPECT_EQ(g->CellComboListIndex(Variant(2), Variant(3)), 2);

    // Typing over the completion replaces it; Backspace does not complete again.
    g.host.TypeText("ap");
    EXPECT_EQ(g->TextEditText(), "apple");
    g.host.TypeText("r");
    EXPECT_EQ(g->TextEditText(), "apricot");
    g.host.KeyPress(ui::VK_BACK);
    EXPECT_EQ(g->TextEditText(), "apr");
    g.host.TypeText("x");
    EXPECT_EQ(g->TextEditText(), "aprx"); // no item starts so
    g.host.KeyPress(ui::VK_RETURN);
    EXPECT_EQ(lattix::ToString(g->CellValue(Variant(2), Variant(3))), "aprx");
    EXPECT_EQ(g->CellComboListIndex(Variant(2), Variant(3)), -1);
    EXPECT_EQ(g->CellIcon(Variant(2), Variant(3)), 0);
}

TEST(TextCombo, F4OpensTheListOverTheEditorWhoseTextFollowsTheHighlight) {
    TextComboGrid g;
    g->SetCellValue(Variant(2), Variant(3), Variant("APPLE"));
    g.host.KeyPress(ui::VK_F4);
    ASSERT_TRUE(g->IsEditing());
    ASSERT_TRUE(g.Open());
    EXPECT_EQ(g->DropDownHighlighted(), 0); // equal text, ignoring case
    g.host.KeyPress(ui::VK_DOWN);
    EXPECT_EQ(g->TextEditText(), "apricot");
    EXPECT_EQ(g->TextEditSelLength(), 7);
    // Escape folds the list only; the edit goes on.
    g.host.KeyPress(ui::VK_ESCAPE);
    EXPECT_FALSE(g.Open());
    EXPECT_TRUE(g->IsEditing());
    g.host.KeyPress(ui::VK_F4);
    ASSERT_TRUE(g.Open());
    EventLog log(*g.grid, {"CellSelectionChange", "MouseMove", "MouseEnter", "MouseLeave", "KeyDown", "KeyUp",
                           "KeyPress", "TextEditKeyDown", "TextEditKeyUp", "TextEditKeyPress", "TextEditChange"});
    g.host.KeyPress(ui::VK_DOWN);
    g.host.KeyPress(ui::VK_DOWN);
    g.host.KeyPress(ui::VK_RETURN);
    EXPECT_FALSE(g.Open());
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(lattix::ToString(g->CellValue(Variant(2), Variant(3))), "Banana");
    EXPECT_EQ(g->CellComboListIndex(Variant(2), Variant(3)), 2);
    Strings events = log.take();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[events.size() - 2].substr(0, 30), "BeforeCommitEdit(2,3,1,Banana,");
    EXPECT_EQ(events.back(), "AfterCommitEdit(2,3,APPLE)");
}

TEST(TextCombo, AClickOnAnItemStoresItsTextIndexAndIcon) {
    TextComboGrid g;
    auto parts = g->LayoutCellParts(2, 3, g->CellRectInWindow(2, 3));
    ASSERT_TRUE(parts.hasComboButton);
    g.host.Click((parts.comboButton.left + parts.comboButton.right) / 2, (parts.comboButton.top + parts.comboButton.bottom) / 2);
    ASSERT_TRUE(g->IsEditing());
    ASSERT_TRUE(g.Open());
    ui::Rect r = ui::Wm().GetWindowRect(g->DropDownWindow());
    ui::Point origin = g.host.ToScreen(0, 0);
    const int itemHeight = DropDownList::FromWindow(g->DropDownWindow())->ItemHeight();
    g.host.Click(r.left + 10 - origin.x, r.top + 1 + itemHeight / 2 - origin.y);
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(lattix::ToString(g->CellValue(Variant(2), Variant(3))), "Apple");
    EXPECT_EQ(g->CellComboListIndex(Variant(2), Variant(3)), 0);
    EXPECT_EQ(g->CellIcon(Variant(2), Variant(3)), 2);
    EXPECT_EQ(ui::Wm().GetFocus(), g->WindowHandle());
}

TEST(TextCombo, F4AndTypingOnAListCellOpenItsListAndTabTakesTheItemAndMovesOn) {
    TextComboGrid g;
    g->SetCurCell(Variant(3), Variant(3));
    g.host.KeyPress(ui::VK_F4);
    ASSERT_TRUE(g.Open());
    EXPECT_EQ(g->DropDownHighlighted(), -1);
    g.host.KeyPress(ui::VK_F4); // folds it again, without a choice
    EXPECT_FALSE(g.Open());
    EXPECT_FALSE(g->IsEditing());
    // A typed character opens the list on the first item starting with it.
    g.host.TypeText("b");
    ASSERT_TRUE(g.Open());
    EXPECT_EQ(g->DropDownHighlighted(), 2);
    g.host.KeyPress(ui::VK_TAB);
    EXPECT_FALSE(g.Open());
    EXPECT_EQ(g->CellComboListIndex(Variant(3), Variant(3)), 2);
    EXPECT_EQ(g->CurCol(), 4); // Tab moved on
    // DoKeyboardCommand from code ends the edit as the keys do.
    g->SetCurCell(Variant(3), Variant(3));
    g.host.KeyPress(ui::VK_F4);
    g.host.KeyPress(ui::VK_HOME);
    g->DoKeyboardCommand(ui::VK_RETURN, 0);
    EXPECT_FALSE(g.Open());
    EXPECT_EQ(g->CellComboListIndex(Variant(3), Variant(3)), 0);
}

} // namespace
