// Pictures of an open editor over a cell (its font, colours and right alignment, the selection
// and the caret) and of the key search's echo in the current cell.
#include "edit_test_support.h"
#include "tests/picture_check.h"

using namespace edit_test;

namespace {
struct PictureGrid : EditGrid {
    PictureGrid() : EditGrid(4, 4, 210, 105) {
        const char* names[] = {"pear", "apple", "plum", "apricot"};
        for (int r = 1; r <= 4; ++r) {
            Set(r, 1, Variant(names[r - 1]));
            Set(r, 2, Variant(r * 1.5));
        }
        for (int r = 1; r <= 4; ++r) grid->SetCellAlignH(Variant(r), Variant(2), 2);
    }
};
} // namespace

TEST(EditorPicture, OpenEditorLiesOverTheCellWithItsLook) {
    PictureGrid g;
    g->SetCellBackColor(Variant(2), Variant(2), 0xC0FFFF);
    g.Current(2, 2);
    g.Key(ui::VK_F2); // "3" all selected, right-aligned on the cell's yellow
    ASSERT_TRUE(g->IsEditing());
    g.Type("12.75");
    g.Key(ui::VK_LEFT, kShift);
    g.Key(ui::VK_LEFT, kShift);
    EXPECT_EQ(g->TextEditSelText(), "75");
    EXPECT_TRUE(lattix::test::MatchesReference(g.host.Render(), "tests/grid_edit/reference/open_editor.png"));
}

TEST(EditorPicture, KeySearchEchoMarksTheMatchedPrefix) {
    PictureGrid g;
    g->SetKeyPressBehaviour(3);
    g.Current(1, 1);
    g.Type("apr");
    ASSERT_EQ(g->CurRow(), 4);
    EXPECT_TRUE(lattix::test::MatchesReference(g.host.Render(), "tests/grid_edit/reference/search_echo.png"));
}
