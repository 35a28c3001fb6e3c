// Input methods on the grid: composing on a cell starts its edit where typing would and shows the
// composed text in the editor, committed text is typed (starting an edit or feeding the key
// search), and the grid and its editor tell the input method where the caret is.
#include "edit_test_support.h"

using namespace edit_test;

namespace {
struct ComposingGrid : EditGrid {
    ComposingGrid() : EditGrid(4, 6) {
        Set(1, 1, Variant("old"));
        Set(2, 1, Variant("ab"));
        Current(1, 1);
    }
    std::string Preedit() { return Editor() ? Editor()->Preedit() : std::string("<no editor>"); }
};
} // namespace

TEST(GridComposition, ComposingStartsTheEditAndTheCommitIsTheCellsNewValue) {
    ComposingGrid g;
    EventLog log(*g.grid);
    g.host.StartComposition();
    EXPECT_FALSE(g->IsEditing());
    g.host.UpdateComposition("ni");
    ASSERT_TRUE(g->IsEditing());
    // The edit starts as typing "n" would, but empty: the composed text is not text yet.
    EXPECT_EQ(log.take(), (Strings{"RequestEdit(1,1,110,False,,0,0)", "TextEditStarted()", "TextEditChange(1,1)"}));
    EXPECT_EQ(g->TextEditText(), "");
    EXPECT_EQ(g.Preedit(), "ni");
    EXPECT_EQ(ui::Wm().GetFocus(), g->TextEditHwnd());
    // Later updates go to the editor, which has the focus now.
    g.host.UpdateComposition("你好", 1);
    EXPECT_EQ(g.Preedit(), "你好");
    EXPECT_EQ(g.Editor()->PreeditCursor(), 1);
    EXPECT_EQ(g->TextEditText(), "");
    EXPECT_TRUE(log.take().empty());
    g.host.CommitComposition("你好");
    EXPECT_EQ(g->TextEditText(), "你好");
    EXPECT_EQ(g.Preedit(), "");
    EXPECT_EQ(log.take(), (Strings{"TextEditChange(1,1)"}));
    g.Key(ui::VK_RETURN);
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(lattix::ToString(g.Get(1, 1)), "你好");
}

TEST(GridComposition, TheEditFollowsKeyPressBehaviourAndTheRequestEditAnswer) {
    ComposingGrid g;
    g.Current(2, 1);
    g->SetKeyPressBehaviour(1); // append
    g.host.UpdateComposition("c");
    ASSERT_TRUE(g->IsEditing());
    EXPECT_EQ(g->TextEditText(), "ab");
    EXPECT_EQ(g->TextEditSelStart(), 2);
    EXPECT_EQ(g.Preedit(), "c");
    // A cancelled composition leaves the edit open with the text it started with.
    g.host.CancelComposition();
    EXPECT_TRUE(g->IsEditing());
    EXPECT_EQ(g->TextEditText(), "ab");
    g.Key(ui::VK_ESCAPE);
    EXPECT_EQ(lattix::ToString(g.Get(2, 1)), "ab");
    // A handler refusing the edit: nothing opens and the composed text goes nowhere.
    OnEvent(*g.grid, "RequestEdit", [](std::span<Variant> a) { SetRef(a[3], Variant(true)); });
    g.host.UpdateComposition("x");
    EXPECT_FALSE(g->IsEditing());
    g.host.CancelComposition();
    // A grid that takes no typing starts no edit either.
    ComposingGrid off;
    off->SetKeyPressBehaviour(0);
    off.host.UpdateComposition("x");
    EXPECT_FALSE(off->IsEditing());
    off.host.CommitComposition("x");
    EXPECT_FALSE(off->IsEditing());
    EXPECT_EQ(lattix::ToString(off.Get(1, 1)), "old");
}

TEST(GridComposition, CommittedTextWithoutEditorIsTypedCharacterByCharacter) {
    ComposingGrid g;
    EventLog log(*g.grid);
    g.host.CommitComposition("你好");
    ASSERT_TRUE(g->IsEditing());
    EXPECT_EQ(g->TextEditText(), "你好");
    // The first character starts the edit as a typed key's would; the second goes to the editor.
    EXPECT_EQ(log.names(), (Strings{"KeyPress", "RequestEdit", "TextEditStarted", "TextEditChange", "TextEditKeyPress",
                                    "TextEditChange"}));
    g.Key(ui::VK_RETURN);
    EXPECT_EQ(lattix::ToString(g.Get(1, 1)), "你好");
}

TEST(GridComposition, CommittedTextFeedsTheKeySearchWhenTypingSearches) {
    EditGrid g(3, 4);
    const char* names[] = {"张三", "李四", "李明", "王五"};
    for (int r = 1; r <= 4; ++r) g.Set(r, 2, Variant(names[r - 1]));
    g->SetKeyPressBehaviour(3); // search in the current column
    g.Current(1, 2);
    // Text being composed neither searches nor edits.
    g.host.UpdateComposition("li");
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(g->CurRow(), 1);
    g.host.CommitComposition("李");
    EXPECT_EQ(g->CurRow(), 2);
    EXPECT_EQ(g->SearchString(), "李");
    g.host.CommitComposition("明");
    EXPECT_EQ(g->CurRow(), 3);
    EXPECT_EQ(g->SearchString(), "李明");
    EXPECT_FALSE(g->IsEditing());
}

TEST(GridComposition, TheInputMethodFindsTheCaretOnTheCellAndThenInTheEditor) {
    ComposingGrid g;
    ui::InputMethodQuery q;
    ASSERT_TRUE(g.host.QueryInputMethod(q));
    EXPECT_TRUE(q.enabled);
    const lattix::gfx::Rect cell = g->CellTextRect(1, 1);
    const ui::Point origin = g.host.ToScreen(0, 0);
    ui::Point gridOrigin{0, 0};
    ui::Wm().ClientToScreen(g->WindowHandle(), gridOrigin);
    const int dx = gridOrigin.x - origin.x, dy = gridOrigin.y - origin.y;
    EXPECT_EQ(q.caret.left, cell.left + dx);
    EXPECT_EQ(q.caret.top, cell.top + dy);
    EXPECT_EQ(q.caret.bottom, cell.bottom + dy);
    g.host.UpdateComposition("ab", 1);
    ASSERT_TRUE(g.host.QueryInputMethod(q));
    const ui::Rect editor = ui::Wm().GetWindowRect(g->TextEditHwnd());
    EXPECT_GT(q.caret.left, editor.left - origin.x);
    EXPECT_LT(q.caret.right, editor.right - origin.x);
    EXPECT_GE(q.caret.top, editor.top - origin.y);
    EXPECT_LE(q.caret.bottom, editor.bottom - origin.y);
    // Past the composed "a".
    EXPECT_EQ(q.caret.left, editor.left - origin.x + g.Editor()->CaretRect().left);
    EXPECT_GT(g.Editor()->CaretRect().left, 0);
    // An edit ended while composing leaves nothing composed anywhere; the grid takes the next one.
    g.Key(ui::VK_ESCAPE);
    EXPECT_FALSE(g->IsEditing());
    EXPECT_FALSE(ui::Wm().Composing());
    g.host.UpdateComposition("q");
    EXPECT_TRUE(g->IsEditing());
    EXPECT_EQ(g.Preedit(), "q");
}
