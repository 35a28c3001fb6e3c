// The in-place editor driven by real keys and mouse: the event order, starting by typing, F2,
// Enter and double click, commit, cancel, proceed, the RequestEdit answers, focus, and the
// TextEdit* properties.
#include "edit_test_support.h"
#include "tests/lattix_error_code.h"
#include "runtime/automation_error.h"
#include "runtime/locale.h"

using namespace edit_test;
using lattix::Locale;
using lattix::ScopedLocale;
using lattix::VarType;

namespace {
struct EditingGrid : EditGrid {
    EditingGrid() : EditGrid(4, 6) {
        Set(1, 1, Variant(3.0));
        Current(1, 1);
    }
};
} // namespace

TEST(InPlaceEditor, TypingADigitAndEnterRaiseTheEventsInOrder) {
    EditingGrid g;
    EventLog log(*g.grid);
    g.Type("5");
    ASSERT_TRUE(g->IsEditing());
    EXPECT_EQ(g->TextEditText(), "5");
    g.Key(ui::VK_RETURN);
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(log.take(), (Strings{"KeyDown(53,0,True)", "KeyPress(53)", "RequestEdit(1,1,53,False,5,0,0)",
                                   "TextEditStarted()", "TextEditChange(1,1)", "TextEditKeyUp(1,1,53,0)",
                                   "TextEditKeyDown(1,1,13,0)", "TextEditKeyPress(1,1,13)",
                                   "BeforeCommitEdit(1,1,1,5,5,0,True,-1)", "AfterCommitEdit(1,1,3)", "KeyUp(13,0)"}));
    EXPECT_EQ(g.Get(1, 1).type(), VarType::Double);
    EXPECT_EQ(lattix::ToDouble(g.Get(1, 1)), 5.0);
    // Enter commits without moving; the focus is back on the grid.
    EXPECT_EQ(g->CurRow(), 1);
    EXPECT_EQ(ui::Wm().GetFocus(), g->WindowHandle());
}

TEST(InPlaceEditor, KeyPressBehaviourDecidesTheStartingText) {
    EditingGrid g;
    g.Set(2, 1, Variant("ab"));
    g.Current(2, 1);
    g->SetKeyPressBehaviour(1); // append
    g.Type("c");
    EXPECT_EQ(g->TextEditText(), "abc");
    EXPECT_EQ(g->TextEditSelStart(), 3);
    EXPECT_EQ(g->TextEditSelLength(), 0);
    g.Key(ui::VK_ESCAPE);
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(lattix::ToString(g.Get(2, 1)), "ab");
    // F2 and Enter start with the displayed text all selected.
    for (ui::VirtualKey k : {ui::VK_F2, ui::VK_RETURN}) {
        g.Key(k);
        ASSERT_TRUE(g->IsEditing());
        EXPECT_EQ(g->TextEditSelText(), "ab");
        g.Key(ui::VK_ESCAPE);
    }
    // Backspace starts with an empty text; Space and lxKeyPressNone start nothing.
    g.Key(ui::VK_BACK);
    EXPECT_TRUE(g->IsEditing());
    EXPECT_EQ(g->TextEditText(), "");
    g.Key(ui::VK_ESCAPE);
    g.Key(ui::VK_SPACE);
    EXPECT_FALSE(g->IsEditing());
    g->SetKeyPressBehaviour(0);
    g.Type("x");
    EXPECT_FALSE(g->IsEditing());
    g.Key(ui::VK_RETURN);
    EXPECT_TRUE(g->IsEditing());
}

TEST(InPlaceEditor, EscapeCancelsAndTabCommitsAndMovesRight) {
    EditingGrid g;
    EventLog log(*g.grid);
    g.Type("7");
    g.Key(ui::VK_ESCAPE);
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(lattix::ToDouble(g.Get(1, 1)), 3.0);
    Strings names = log.names();
    EXPECT_NE(std::find(names.begin(), names.end(), "CancelEdit"), names.end());
    EXPECT_EQ(log.counts["BeforeCommitEdit"], 0);
    g.Type("8");
    g.Key(ui::VK_TAB);
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(lattix::ToDouble(g.Get(1, 1)), 8.0);
    EXPECT_EQ(g->CurCol(), 2);
    // Shift+Tab goes back.
    g.Key(ui::VK_TAB, kShift);
    EXPECT_EQ(g->CurCol(), 1);
}

TEST(InPlaceEditor, InvalidTextKeepsTheEditorOpenWithTheMessage) {
    EditingGrid g;
    g.Type("abc");
    g.Key(ui::VK_RETURN);
    ASSERT_EQ(g.Boxes().size(), 1u);
    EXPECT_EQ(g.Boxes()[0].request.text, "Invalid value:\r\nType mismatch.");
    EXPECT_TRUE(g->IsEditing());
    EXPECT_EQ(g->TextEditText(), "abc");
    EXPECT_EQ(ui::Wm().GetFocus(), g->TextEditHwnd());
    // Going elsewhere with the mouse is stopped too.
    g.host.Click(g.X(3), g.Y(4));
    EXPECT_TRUE(g->IsEditing());
    EXPECT_EQ(g->CurRow(), 1);
    EXPECT_EQ(g.Boxes().size(), 2u);
    // A programmatic move may not proceed: message, editor closed, nothing stored.
    g->SetCurRow(3);
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(g.Boxes().size(), 3u);
    EXPECT_EQ(lattix::ToDouble(g.Get(1, 1)), 3.0);
    EXPECT_EQ(g->TextEditHwnd(), 0u);
}

TEST(InPlaceEditor, ProceedFromBeforeCommitEditKeepsOrClosesTheEditor) {
    EditingGrid g;
    OnEvent(*g.grid, "BeforeCommitEdit", [](std::span<Variant> a) { SetRef(a[2], Variant(int32_t{2})); });
    EventLog log(*g.grid);
    g.Type("9");
    g.Key(ui::VK_RETURN);
    EXPECT_TRUE(g->IsEditing());
    // Losing the focus to another window may not proceed: closed without storing or an event.
    const ui::Hwnd other = g.host.TopLevel();
    log.take();
    ui::Wm().SetFocus(other);
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(lattix::ToDouble(g.Get(1, 1)), 3.0);
    EXPECT_EQ(log.names(), (Strings{"BeforeCommitEdit"}));
}

TEST(InPlaceEditor, RequestEditVetoesTextLimitAndNumberOnly) {
    EditingGrid g;
    Variant cancel(false), maxLength(int32_t{0}), options(int32_t{0});
    OnEvent(*g.grid, "RequestEdit", [&](std::span<Variant> a) {
        SetRef(a[3], cancel);
        SetRef(a[5], maxLength);
        SetRef(a[6], options);
    });
    cancel = Variant(true);
    g.Key(ui::VK_F2);
    EXPECT_FALSE(g->IsEditing());
    cancel = Variant(false);
    maxLength = Variant(int32_t{3});
    g.Set(1, 1, Variant("abcdef"));
    g.Key(ui::VK_F2);
    ASSERT_TRUE(g->IsEditing());
    EXPECT_EQ(g->TextEditText(), "abc");
    g->SetTextEditSelStart(3);
    g.Type("xy");
    EXPECT_EQ(g->TextEditText(), "abc");
    // Paste obeys the limit as typing does.
    g->SetTextEditSelStart(1);
    g->SetTextEditSelLength(2);
    g.host.SetClipboardTextExternally("12345");
    g.Key(ui::VK_A + ('V' - 'A'), kCtrl);
    EXPECT_EQ(g->TextEditText(), "a12");
    g.Key(ui::VK_ESCAPE);
    // Number-only: a letter starts nothing; digits start; pasted letters are refused.
    maxLength = Variant(int32_t{0});
    options = Variant(int32_t{8192});
    g.Type("q");
    EXPECT_FALSE(g->IsEditing());
    g.Type("4");
    ASSERT_TRUE(g->IsEditing());
    g.Type("x2");
    EXPECT_EQ(g->TextEditText(), "42");
    g.host.SetClipboardTextExternally("9a");
    g.Key(ui::VK_A + ('V' - 'A'), kCtrl);
    EXPECT_EQ(g->TextEditText(), "42");
    g.Key(ui::VK_ESCAPE);
    // Upper case for typing and pasting.
    options = Variant(int32_t{8});
    g.Type("k");
    g.host.SetClipboardTextExternally("mn");
    g.Key(ui::VK_A + ('V' - 'A'), kCtrl);
    EXPECT_EQ(g->TextEditText(), "KMN");
}

TEST(InPlaceEditor, DoubleClickEditsAndTheEditorLiesOverTheCell) {
    EditingGrid g;
    g.Set(3, 2, Variant("hello"));
    g->SetCellAlignH(Variant(3), Variant(2), 2);
    g->SetCellBackColor(Variant(3), Variant(2), 0x00FFFF);
    g.host.DoubleClick(g.X(2), g.Y(3));
    ASSERT_TRUE(g->IsEditing());
    EXPECT_EQ(g->TextEditSelText(), "hello");
    const lattix::gfx::Rect text = g->CellTextBoundary(Variant(3), Variant(2));
    ui::Rect r = ui::Wm().GetWindowRect(g->TextEditHwnd());
    ui::Point origin{0, 0};
    ui::Wm().ClientToScreen(g->WindowHandle(), origin);
    EXPECT_EQ(r.left - origin.x, text.left);
    EXPECT_EQ(r.top - origin.y, text.top);
    EXPECT_EQ(r.width(), text.width());
    EXPECT_TRUE(ui::Wm().GetStyle(g->TextEditHwnd()) & lattix::controls::ES_RIGHT);
    EXPECT_EQ(g.Editor()->BackColor(), 0x00FFFFu);
    EXPECT_EQ(ui::Wm().GetFocus(), g->TextEditHwnd());
    // The cell is unselected while edited and selected again after.
    EXPECT_FALSE(g->CellSelected(Variant(3), Variant(2)));
    g.Key(ui::VK_ESCAPE);
    EXPECT_TRUE(g->CellSelected(Variant(3), Variant(2)));
}

TEST(InPlaceEditor, TextEditPropertiesAndTheirChecks) {
    EditingGrid g;
    EXPECT_EQ(g->TextEditText(), "");
    g->SetTextEditText("ignored");
    EXPECT_EQ(g->TextEditHwnd(), 0u);
    g.Set(1, 1, Variant("abcdef"));
    g->RequestEditCurCell();
    ASSERT_TRUE(g->IsEditing());
    g->SetTextEditSelStart(2);
    EXPECT_EQ(g->TextEditSelLength(), 0);
    g->SetTextEditSelLength(3);
    EXPECT_EQ(g->TextEditSelText(), "cde");
    g->SetTextEditSelText("X");
    EXPECT_EQ(g->TextEditText(), "abXf");
    for (auto f : {&Lattix::SetTextEditSelStart, &Lattix::SetTextEditSelLength}) {
        try {
            (g.grid.get()->*f)(-1);
            ADD_FAILURE();
        } catch (const lattix::AutomationError& e) {
            EXPECT_EQ(e.unsignedNumber(), 0x80040000u + 514);
        }
    }
    EXPECT_EQ(g->TextEditText(), "abXf");
    g->SetTextEditText("new");
    g->CommitEditCurCell();
    EXPECT_EQ(lattix::ToString(g.Get(1, 1)), "new");
    // CancelEditCurCell raises QuitCustomEdit, then CancelEdit.
    g->RequestEditCurCell();
    EventLog log(*g.grid);
    g->CancelEditCurCell();
    EXPECT_EQ(log.take(), (Strings{"QuitCustomEdit()", "CancelEdit(1,1)"}));
}

TEST(InPlaceEditor, ProgrammaticMovesAndClearSelectionEndTheEditOnce) {
    EditingGrid g;
    g.Type("6");
    EventLog log(*g.grid);
    g->SetCurRow(2);
    Strings names = log.names();
    EXPECT_EQ(std::count(names.begin(), names.end(), "QuitCustomEdit"), 1);
    EXPECT_EQ(names[0], "QuitCustomEdit");
    EXPECT_EQ(lattix::ToDouble(g.Get(1, 1)), 6.0);
    // ClearSelection with nothing selected still ends the edit.
    g.Type("4");
    g->ClearSelection();
    ASSERT_FALSE(g->IsEditing());
    g->ClearSelection();
    g.Key(ui::VK_F2);
    g->ClearSelection();
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(lattix::ToString(g.Get(2, 1)), "4");
}

TEST(InPlaceEditor, StructuralChangesTellAHostsOwnEditorToCloseFirst) {
    EditGrid g(3, 5);
    g->SetCurCell(Variant(2), Variant(2));
    // The host's editor is open over (2, 2): the grid's own is not.
    int quits = 0, refused = 0;
    OnEvent(*g.grid, "QuitCustomEdit", [&](std::span<Variant>) {
        ++quits;
        // The closing editor may store its value, but the structure is not the handler's to change.
        if (g->RowCount() >= 2) g->SetCellValue(Variant(2), Variant(2), Variant("kept"));
        refused += lattix::test::LattixCode([&] { g->AddRow(); }) == 522;
    });
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"RowCount", [&] { g->SetRowCount(7); }},
        {"RemoveRow", [&] { g->RemoveRow(Variant(7)); }},
        {"ColWidth", [&] { g->SetColWidth(Variant(1), 70); }},
        {"RowHeight", [&] { g->SetRowHeight(Variant(1), 30); }},
        {"Sort", [&] { g->Sort(Variant(1)); }},
        {"Clear", [&] { g->Clear(); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        quits = refused = 0;
        ASSERT_FALSE(g->IsEditing());
        change();
        EXPECT_EQ(quits, 1);
        EXPECT_EQ(refused, 1);
    }
    EXPECT_EQ(g->RowCount(), 0);
    // Scrolling a cell into view is no structural change: the host's editor stays.
    g->SetRowCount(40);
    quits = 0;
    g->EnsureVisibleRow(Variant(40));
    EXPECT_EQ(quits, 0);
}

TEST(InPlaceEditor, EditableAndGroupRowsAndEditCell) {
    EditingGrid g;
    g->SetEditable(false);
    g.Type("1");
    g.Key(ui::VK_F2);
    EXPECT_FALSE(g->IsEditing());
    g->SetEditable(true);
    g->SetRowIsGroup(Variant(4), true);
    g.Current(4, g->RowTextCol());
    g.Key(ui::VK_F2);
    EXPECT_FALSE(g->IsEditing());
    g->SetAllowGroupRowEditing(true);
    g.Key(ui::VK_F2);
    EXPECT_TRUE(g->IsEditing());
    g.Key(ui::VK_ESCAPE);
    g->EditCell(Variant(2), Variant(3));
    EXPECT_TRUE(g->IsEditing());
    EXPECT_EQ(g->CurRow(), 2);
    EXPECT_EQ(g->CurCol(), 3);
    // Setting Editable ends the edit.
    g->SetTextEditText("z");
    g->SetEditable(false);
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(lattix::ToString(g.Get(2, 3)), "z");
}

TEST(InPlaceEditor, KeyHandlersSeeAndChangeEditorKeys) {
    EditingGrid g;
    g.Set(1, 1, Variant(""));
    OnEvent(*g.grid, "TextEditKeyPress", [](std::span<Variant> a) {
        const int32_t c = lattix::ToInt32(a[2]);
        if (c == 'x') SetRef(a[2], Variant(int32_t{0}));
        if (c == 'a') SetRef(a[2], Variant(int32_t{'b'}));
        if (c == 13) SetRef(a[2], Variant(int32_t{0})); // Enter does not commit
    });
    g->RequestEditCurCell();
    g.Type("axa");
    EXPECT_EQ(g->TextEditText(), "bb");
    g.Key(ui::VK_RETURN);
    EXPECT_TRUE(g->IsEditing());
    // Ctrl+Enter breaks the line.
    g.Key(ui::VK_RETURN, kCtrl);
    g.Type("c");
    EXPECT_EQ(g->TextEditText(), "bb\r\nc");
    g->CommitEditCurCell();
    EXPECT_EQ(lattix::ToString(g.Get(1, 1)), "bb\r\nc");
}

TEST(InPlaceEditor, EditorMouseEventsUseItsOwnCoordinatesAndOfferItsMenu) {
    EditingGrid g;
    g.Set(2, 2, Variant("text"));
    g.Current(2, 2);
    g->RequestEditCurCell();
    EventLog log(*g.grid);
    bool cancelMenu = true;
    OnEvent(*g.grid, "ContextMenuPopup", [&](std::span<Variant> a) { SetRef(a[3], Variant(cancelMenu)); });
    g.host.Click(g.X(2), g.Y(2), ui::headless::MouseButton::Right);
    const Strings events = log.take();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0], "TextEditMouseDown(2,2,2,0,23,9)");
    EXPECT_EQ(events[1], "TextEditMouseUp(2,2,2,0,23,9)");
    EXPECT_EQ(events[2], "ContextMenuPopup(5,2,2,False,False)");
    EXPECT_TRUE(g.host.MenusShown().empty());
    // Not cancelled: the editor's own menu; Select All then Cut.
    cancelMenu = false;
    g.host.AnswerNextMenu(lattix::controls::kEditMenuSelectAll);
    g.host.Click(g.X(2), g.Y(2), ui::headless::MouseButton::Right);
    ASSERT_EQ(g.host.MenusShown().size(), 1u);
    EXPECT_EQ(g->TextEditSelText(), "text");
    g.host.AnswerNextMenu(lattix::controls::kEditMenuCut);
    g.host.Click(g.X(2), g.Y(2), ui::headless::MouseButton::Right);
    EXPECT_EQ(g->TextEditText(), "");
}

TEST(InPlaceEditor, FocusMovedByACommitHandlerDoesNotCommitAgain) {
    EditingGrid g;
    int before = 0;
    OnEvent(*g.grid, "BeforeCommitEdit", [&](std::span<Variant>) {
        ++before;
        ui::Wm().SetFocus(g.host.TopLevel()); // the handler shows something of its own
    });
    g.Type("4");
    g.Key(ui::VK_RETURN);
    EXPECT_EQ(before, 1);
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(lattix::ToDouble(g.Get(1, 1)), 4.0);
    // The validation message box does not count as the grid losing the focus either: one box, the
    // editor still open afterwards.
    ui::Wm().SetFocus(g->WindowHandle());
    g.Type("z");
    g.Key(ui::VK_RETURN);
    EXPECT_EQ(g.Boxes().size(), 1u);
    EXPECT_TRUE(g->IsEditing());
    EXPECT_EQ(before, 1);
}

TEST(InPlaceEditor, TheEditorFollowsItsCellWhenTheViewScrolls) {
    EditGrid g(4, 40, 400, 200);
    g.Current(3, 2);
    g.Key(ui::VK_F2);
    ASSERT_TRUE(g->IsEditing());
    const ui::Hwnd edit = g->TextEditHwnd();
    const ui::Rect before = ui::Wm().GetWindowRect(edit);
    // One row down: the editor moves up with its cell and keeps its text.
    g->SetScrollY(20);
    ui::Rect after = ui::Wm().GetWindowRect(edit);
    EXPECT_EQ(after.top, before.top - 20);
    EXPECT_EQ(after.left, before.left);
    EXPECT_TRUE(ui::Wm().IsWindowVisible(edit));
    // The cell leaves the view: the editor goes out of sight below the grid and keeps the edit;
    // back in view it stands where the cell is.
    g->SetScrollY(200);
    EXPECT_TRUE(g->IsEditing());
    EXPECT_EQ(ui::Wm().GetFocus(), edit);
    ui::Point corner{0, ui::Wm().GetWindowRect(edit).top};
    ui::Wm().ScreenToClient(g->WindowHandle(), corner);
    EXPECT_GE(corner.y, ui::Wm().GetClientRect(g->WindowHandle()).bottom);
    g->SetScrollY(0);
    EXPECT_EQ(ui::Wm().GetWindowRect(edit).top, before.top);
    g.Key(ui::VK_ESCAPE);
    EXPECT_FALSE(g->IsEditing());
}

TEST(InPlaceEditor, TheFocusLeavingTheGridCommitsTheEdit) {
    EditingGrid g;
    g.Type("7");
    ASSERT_TRUE(g->IsEditing());
    EXPECT_TRUE(g->IsFocused()); // the editor is the grid's own
    ui::Wm().SetFocus(g.host.TopLevel());
    EXPECT_FALSE(g->IsEditing());
    EXPECT_FALSE(g->IsFocused());
    EXPECT_EQ(lattix::ToDouble(g.Get(1, 1)), 7.0);
}
