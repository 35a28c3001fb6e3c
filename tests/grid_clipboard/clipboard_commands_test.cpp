// Copy, cut, clear and paste on a grid in a headless host, with the edit events a host sees.
#include "clipboard_test_support.h"
#include "grid/objects/sel_items_object.h"

#include "platform/ui/keys.h"
#include "platform/ui/message_box.h"

using namespace clipboard_test;

namespace {
const std::vector<std::string> kEditEvents{"RequestEdit", "BeforeCommitEdit", "AfterCommitEdit", "CancelEdit",
                                           "InputValidationError"};

void FillText(ClipGrid& g, int rows, int cols) {
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c) g.Set(r, c, Variant(std::string(1, char('a' + (r - 1) * cols + c - 1))));
}
} // namespace

TEST(ClipboardCopy, ScatteredSelectionLeavesEmptyTextsInItsHoles) {
    ClipGrid g(3, 3);
    FillText(g, 3, 3);
    g->SetMultiSelect(true);
    g.Select(1, 1);
    g.Select(1, 3);
    g.Select(2, 2);
    g->CopySelectedCells(false);
    EXPECT_EQ(g.ClipboardText(), "a\t\tc\r\n\te\t\r\n");
    g->CopySelectedCells(true);
    EXPECT_EQ(g.ClipboardText(), "Col 1\tCol 2\tCol 3\r\na\t\tc\r\n\te\t\r\n");
}

TEST(ClipboardCopy, FieldsWithTabsQuotesAndLineBreaksAreQuotedAsSpreadsheetsWriteThem) {
    ClipGrid g(3, 1);
    g.Set(1, 1, Variant(std::string("two\r\nlines")));
    g.Set(1, 2, Variant(std::string("say \"hi\"")));
    g.Set(1, 3, Variant(std::string("a\tb")));
    g->SetColHeaderText(Variant(1), "Name\tx");
    g->SetMultiSelect(true);
    g->SelectAll();
    g->CopySelectedCells(true);
    EXPECT_EQ(g.ClipboardText(), "\"Name\tx\"\tCol 2\tCol 3\r\n\"two\nlines\"\t\"say \"\"hi\"\"\"\t\"a\tb\"\r\n");
}

TEST(ClipboardCopy, EmptySelectionCopiesNothing) {
    ClipGrid g(2, 2);
    g.ExternalClipboard("kept");
    g->ClearSelection();
    g->CopySelectedCells(false);
    g->CutSelectedCells();
    EXPECT_EQ(g.ClipboardText(), "kept");
}

TEST(ClipboardPaste, SpreadsheetTextLandsAsTheSpreadsheetShowedIt) {
    ClipGrid g(3, 4);
    g->SetCurCell(Variant(1), Variant(1));
    // What a spreadsheet puts on the clipboard: CR LF line ends, a trailing one, and a quoted cell
    // holding a line break and quotes.
    g.ExternalClipboard("Breast\t1.25\t\"two\nlines \"\"q\"\"\"\r\nLegs\t\t3\r\n");
    g->PasteFromClipboard();
    EXPECT_EQ(g.Get(1, 1), Variant(std::string("Breast")));
    EXPECT_EQ(g.Get(1, 2), Variant(std::string("1.25")));
    EXPECT_EQ(g.Get(1, 3), Variant(std::string("two\r\nlines \"q\"")));
    EXPECT_EQ(g.Get(2, 1), Variant(std::string("Legs")));
    EXPECT_EQ(g.Get(2, 3), Variant(std::string("3")));
    EXPECT_EQ(g.Text(3, 1), ""); // the trailing line end adds no row
    // The same table with LF line ends.
    ClipGrid h(3, 4);
    h->SetCurCell(Variant(2), Variant(2));
    h.ExternalClipboard("x\ty\nz\tw\n");
    h->PasteFromClipboard();
    EXPECT_EQ(h.Get(2, 2), Variant(std::string("x")));
    EXPECT_EQ(h.Get(3, 3), Variant(std::string("w")));
    EXPECT_EQ(h.Text(4, 2), "");
}

TEST(ClipboardPaste, ShortLinesLeaveTheRestOfTheirRowUntouchedAndHiddenCellsAreSkipped) {
    ClipGrid g(3, 4);
    FillText(g, 4, 3);
    g->SetRowVisible(Variant(2), false);
    g->SetColVisible(Variant(2), false);
    g->SetCurCell(Variant(1), Variant(1));
    g.ExternalClipboard("1\t2\r\n3");
    g->PasteFromClipboard();
    EXPECT_EQ(g.Text(1, 1), "1");
    EXPECT_EQ(g.Text(1, 2), "b"); // hidden column
    EXPECT_EQ(g.Text(1, 3), "2");
    EXPECT_EQ(g.Text(2, 1), "d"); // hidden row
    EXPECT_EQ(g.Text(3, 1), "3");
    EXPECT_EQ(g.Text(3, 3), "i"); // the short line stops before it
}

TEST(ClipboardPaste, OneValueFillsEverySelectedCell) {
    ClipGrid g(2, 5);
    g->SetMultiSelect(true);
    g->SetCurCell(Variant(1), Variant(1));
    g->SelectAll();
    g.ExternalClipboard("z\r\n");
    g->PasteFromClipboard();
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 2; ++c) EXPECT_EQ(g.Text(r, c), "z");
}

TEST(ClipboardPaste, SelectingThePastedBlockReportsAChangedSelection) {
    ClipGrid g(3, 4);
    g->SetMultiSelect(true);
    g->SetCurCell(Variant(2), Variant(2));
    EventLog log(*g.grid, {"BeforeSelectionChange", "AfterSelectionChange"});
    g.ExternalClipboard("a\tb\r\nc\td\r\n");
    g->PasteFromClipboard();
    EXPECT_EQ(log.take(), (Strings{"BeforeSelectionChange()", "AfterSelectionChange(True)"}));
    EXPECT_EQ(g->SelItems()->Count(), 4);
    // Pasting over the same, already selected block changes no selection and raises no pair.
    g->PasteFromClipboard();
    EXPECT_EQ(log.take(), Strings{});
}

TEST(ClipboardPaste, TooSmallAreaAsksFirstAndNoLeavesTheGridUnchanged) {
    ClipGrid g(3, 3);
    FillText(g, 3, 3);
    g->SetCurCell(Variant(3), Variant(1));
    g.ExternalClipboard("1\t2\t3\r\n4\t5\t6\r\n7\t8\t9");
    g.host.AnswerNextMessageBox(lattix::ui::IDNO);
    g->PasteFromClipboard();
    ASSERT_EQ(g.host.MessageBoxesShown().size(), 1u);
    const lattix::ui::MessageBoxRequest& q = g.host.MessageBoxesShown()[0].request;
    EXPECT_EQ(q.text, "Not enough rows/columns to paste all data.\nProceed (some data won't be pasted)?");
    EXPECT_EQ(q.caption, "Paste Operation");
    EXPECT_EQ(q.style & lattix::ui::MB_TYPEMASK, lattix::ui::MB_YESNO);
    EXPECT_EQ(g.Text(3, 1), "g");
    // Yes pastes what fits: the first row only.
    g->SetUIStrings(16, "Too small. Go on?");
    g.host.AnswerNextMessageBox(lattix::ui::IDYES);
    g->PasteFromClipboard();
    EXPECT_EQ(g.host.MessageBoxesShown().back().request.text, "Too small. Go on?");
    EXPECT_EQ(g.Text(3, 1), "1");
    EXPECT_EQ(g.Text(3, 3), "3");
    EXPECT_EQ(g.Text(2, 1), "d");
}

TEST(ClipboardPaste, NothingHappensWithoutCurrentCellOrText) {
    ClipGrid g(2, 2);
    EventLog log(*g.grid, kEditEvents);
    g.ExternalClipboard("x");
    g->PasteFromClipboard(); // no current cell
    g->SetCurCell(Variant(1), Variant(1));
    g.ExternalClipboard("");
    g->PasteFromClipboard();
    g.host.SetClipboardDataExternally(99, "binary");
    g->PasteFromClipboard();
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(g.Text(1, 1), "");
}

TEST(ClipboardPaste, OwnCopyKeepsItsHolesWhileTheClipboardStillHoldsIt) {
    ClipGrid g(3, 4);
    FillText(g, 2, 3);
    g->SetMultiSelect(true);
    g.Select(1, 1);
    g.Select(2, 2);
    g->CopySelectedCells(false);
    g.Set(3, 2, Variant(std::string("keep")));
    g->SetCurCell(Variant(3), Variant(1));
    g->PasteFromClipboard();
    EXPECT_EQ(g.Text(3, 1), "a");
    EXPECT_EQ(g.Text(3, 2), "keep"); // a hole of the copy
    EXPECT_EQ(g.Text(4, 2), "e");
    // The same text from another program has no holes: its empty fields are pasted.
    g.ExternalClipboard(g.ClipboardText());
    g->SetCurCell(Variant(3), Variant(1));
    g->PasteFromClipboard();
    EXPECT_EQ(g.Text(3, 2), "");
}

TEST(ClipboardEdits, EveryPastedCellGoesThroughTheEditEvents) {
    ClipGrid g(2, 2);
    g.Set(1, 1, Variant(int32_t{3}));
    g->SetCurCell(Variant(1), Variant(1));
    EventLog log(*g.grid, kEditEvents);
    g.ExternalClipboard("5");
    g->PasteFromClipboard();
    EXPECT_EQ(log.take(), (Strings{"RequestEdit(1,1,0,False,5,0,0)", "BeforeCommitEdit(1,1,1,5,5,0,False,-1)",
                                   "AfterCommitEdit(1,1,3)"}));
    EXPECT_EQ(g.Get(1, 1), Variant(int32_t{5}));
}

TEST(ClipboardEdits, HandlersCanCancelAdjustOrReplaceEachValue) {
    ClipGrid g(4, 1);
    g->SetCurCell(Variant(1), Variant(1));
    EventLog log(*g.grid, {"CancelEdit"});
    log.handlers["RequestEdit"] = [](std::span<Variant> a) {
        const int32_t col = lattix::ToInt32(a[1]);
        if (col == 1) *a[3].slot() = Variant(true);                          // cancelled
        if (col == 2) *a[6].slot() = Variant(int32_t{8});                    // upper case
        if (col == 3) { // digits only, at most 2
            *a[6].slot() = Variant(int32_t{8192});
            *a[5].slot() = Variant(int32_t{2});
        }
    };
    log.handlers["BeforeCommitEdit"] = [](std::span<Variant> a) {
        if (lattix::ToInt32(a[1]) == 4) *a[2].slot() = Variant(int32_t{0});
    };
    g.ExternalClipboard("one\tabc\ta1b2c3\tfour");
    g->PasteFromClipboard();
    EXPECT_EQ(g.Text(1, 1), "");
    EXPECT_EQ(g.Text(1, 2), "ABC");
    EXPECT_EQ(g.Text(1, 3), "12");
    EXPECT_EQ(g.Text(1, 4), "");
    EXPECT_EQ(log.take(), (Strings{"CancelEdit(1,4)"}));
    // A handler may also replace the value.
    log.handlers.clear();
    log.handlers["BeforeCommitEdit"] = [](std::span<Variant> a) { *a[4].slot() = Variant(std::string("mine")); };
    g->PasteFromClipboard();
    EXPECT_EQ(g.Text(1, 1), "mine");
}

TEST(ClipboardEdits, TextThatDoesNotConvertShowsTheValidationMessageAndSkipsTheCell) {
    ClipGrid g(2, 1);
    g.Set(1, 1, Variant(int32_t{1}));
    g.Set(1, 2, Variant(int32_t{2}));
    g->SetCurCell(Variant(1), Variant(1));
    EventLog log(*g.grid, {"InputValidationError", "BeforeCommitEdit"});
    g.ExternalClipboard("abc\t7");
    g->PasteFromClipboard();
    ASSERT_EQ(g.host.MessageBoxesShown().size(), 1u);
    EXPECT_EQ(g.host.MessageBoxesShown()[0].request.text, "Invalid value:\r\nType mismatch.");
    EXPECT_EQ(g.host.MessageBoxesShown()[0].request.caption, "Input Validation");
    EXPECT_EQ(log.take(), (Strings{"InputValidationError(13,Type mismatch.)", "BeforeCommitEdit(1,2,1,7,7,0,False,-1)"}));
    EXPECT_EQ(g.Get(1, 1), Variant(int32_t{1}));
    EXPECT_EQ(g.Get(1, 2), Variant(int32_t{7}));
    // Silently, the host decides in BeforeCommitEdit; committing stores the empty value.
    g->SetSilentValidation(true);
    g->PasteFromClipboard();
    EXPECT_EQ(g.host.MessageBoxesShown().size(), 1u);
    EXPECT_EQ(log.take().front(), "BeforeCommitEdit(1,1,1,abc,,13,False,-1)");
    EXPECT_TRUE(g.Get(1, 1).isEmpty());
}

TEST(ClipboardClear, DeleteStoresEachTypesInitialValueWithTheOldValueReported) {
    ClipGrid g(4, 1);
    g.Set(1, 1, Variant(int32_t{42}));
    g.Set(1, 2, Variant(lattix::Date{44000}));
    g.Set(1, 3, Variant(true));
    g.Set(1, 4, Variant(std::string("text")));
    g->SetMultiSelect(true);
    g->SelectAll();
    EventLog log(*g.grid, {"AfterCommitEdit"});
    g->ClearSelectedCells();
    EXPECT_EQ(g.Get(1, 1), Variant(int32_t{0}));
    EXPECT_EQ(g.Get(1, 2), Variant(lattix::Date{0}));
    EXPECT_EQ(g.Get(1, 3), Variant(false));
    EXPECT_EQ(g.Get(1, 4), Variant(std::string()));
    EXPECT_EQ(log.entries.size(), 4u);
    EXPECT_NE(std::find(log.entries.begin(), log.entries.end(), "AfterCommitEdit(1,1,42)"), log.entries.end());
    EXPECT_TRUE(g.host.MessageBoxesShown().empty()); // no conversion failed
}

TEST(ClipboardClear, CutSkipsACellWhoseRequestEditIsCancelled) {
    ClipGrid g(3, 1);
    FillText(g, 1, 3);
    g->SetMultiSelect(true);
    g->SelectAll();
    EventLog log(*g.grid, {});
    log.handlers["RequestEdit"] = [](std::span<Variant> a) {
        if (lattix::ToInt32(a[1]) == 2) *a[3].slot() = Variant(true);
    };
    g->CutSelectedCells();
    EXPECT_EQ(g.ClipboardText(), "a\t\tc\r\n");
    EXPECT_EQ(g.Text(1, 1), "");
    EXPECT_EQ(g.Text(1, 2), "b");
    EXPECT_EQ(g.Text(1, 3), "");
}

TEST(ClipboardKeys, CtrlCCtrlShiftCCtrlXCtrlVAndDeleteRunTheCommands) {
    using lattix::ui::VK_DELETE;
    constexpr unsigned kCtrl = lattix::ui::kModCtrl, kShift = lattix::ui::kModShift;
    ClipGrid g(2, 3);
    FillText(g, 3, 2);
    g->FocusGridWindow();
    g->SetCurCell(Variant(1), Variant(1));
    g.host.KeyPress(lattix::ui::VirtualKey('C'), kCtrl);
    EXPECT_EQ(g.ClipboardText(), "a\r\n");
    g.host.KeyPress(lattix::ui::VirtualKey('C'), kCtrl | kShift);
    EXPECT_EQ(g.ClipboardText(), "Col 1\r\na\r\n");
    g.host.KeyPress(lattix::ui::VirtualKey('X'), kCtrl);
    EXPECT_EQ(g.Text(1, 1), "");
    g->SetCurCell(Variant(3), Variant(2));
    g.host.KeyPress(lattix::ui::VirtualKey('V'), kCtrl);
    EXPECT_EQ(g.Text(3, 2), "a");
    g.host.KeyPress(VK_DELETE);
    EXPECT_EQ(g.Text(3, 2), "");
    // Not editable: Ctrl+X, Ctrl+V and Delete do nothing; Ctrl+C still copies.
    g->SetEditable(false);
    g->SetCurCell(Variant(2), Variant(1));
    g.host.KeyPress(VK_DELETE);
    g.host.KeyPress(lattix::ui::VirtualKey('X'), kCtrl);
    g.host.KeyPress(lattix::ui::VirtualKey('V'), kCtrl);
    EXPECT_EQ(g.Text(2, 1), "c");
    g.host.KeyPress(lattix::ui::VirtualKey('C'), kCtrl);
    EXPECT_EQ(g.ClipboardText(), "c\r\n");
    // Without CopyPasteEnabled the clipboard keys are dead.
    g->SetCopyPasteEnabled(false);
    g->SetCurCell(Variant(2), Variant(2));
    g.host.KeyPress(lattix::ui::VirtualKey('C'), kCtrl);
    EXPECT_EQ(g.ClipboardText(), "c\r\n");
}
