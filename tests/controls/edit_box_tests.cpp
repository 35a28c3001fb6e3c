// The edit box: typing with its styles and limit, the caret and selection keys, line breaks,
// the clipboard and its context menu, change notifications, automatic scrolling, alignment and
// the mouse.
#include "tests/controls/edit_box_fixture.h"

using namespace edit_box_test;

TEST_F(EditFixture, TypingStylesAndLimit) {
    Hwnd h = Make(controls::ES_AUTOHSCROLL | controls::ES_UPPERCASE);
    host.TypeText("abC1");
    EXPECT_EQ(Box(h).Text(), "ABC1");
    EXPECT_EQ(g_changes, 4);
    Hwnd n = Make(controls::ES_NUMBER);
    host.TypeText("1a2 3");
    EXPECT_EQ(Box(n).Text(), "123");
    Hwnd l = Make(controls::ES_LOWERCASE);
    Box(l).SetLimit(3);
    host.TypeText("XYZW");
    EXPECT_EQ(Box(l).Text(), "xyz");
    // SetText cuts to the limit and makes line breaks CR LF.
    Box(l).SetLimit(0);
    Box(l).SetText("a\nb");
    EXPECT_EQ(Box(l).Text(), "a\r\nb");
    EXPECT_EQ(Box(l).LineCount(), 2);
}

TEST_F(EditFixture, CaretSelectionAndLineBreaks) {
    Hwnd h = Make(controls::ES_AUTOHSCROLL);
    EditBox& b = Box(h);
    host.TypeText("hello world");
    host.KeyPress(VK_HOME);
    EXPECT_EQ(b.Caret(), 0);
    host.KeyPress(VK_RIGHT, kModCtrl | kModShift);
    EXPECT_EQ(b.SelText(), "hello ");
    host.KeyPress(VK_DELETE);
    EXPECT_EQ(b.Text(), "world");
    host.KeyPress(VK_END);
    host.KeyPress(VK_BACK);
    EXPECT_EQ(b.Text(), "worl");
    // Enter is the owner's; Ctrl+Enter breaks the line; Backspace removes the whole break.
    host.KeyPress(VK_RETURN);
    EXPECT_EQ(b.Text(), "worl");
    host.KeyPress(VK_RETURN, kModCtrl);
    host.TypeText("x");
    EXPECT_EQ(b.Text(), "worl\r\nx");
    host.KeyPress(VK_UP);
    EXPECT_EQ(b.Caret(), 1);
    host.KeyPress(VK_DOWN);
    host.KeyPress(VK_HOME);
    host.KeyPress(VK_BACK);
    EXPECT_EQ(b.Text(), "worlx");
    host.KeyPress(VK_A, kModCtrl);
    EXPECT_EQ(b.SelText(), "worlx");
    b.ReplaceSel("new");
    EXPECT_EQ(b.Text(), "new");
}

TEST_F(EditFixture, ClipboardKeysAndContextMenu) {
    Hwnd h = Make(controls::ES_AUTOHSCROLL);
    EditBox& b = Box(h);
    host.TypeText("copy me");
    b.SetSel(0, 4);
    host.KeyPress(VK_A + 2, kModCtrl); // Ctrl+C
    EXPECT_EQ(Wm().GetClipboard().GetText(0).value_or(""), "copy");
    host.KeyPress(VK_A + ('X' - 'A'), kModCtrl);
    EXPECT_EQ(b.Text(), " me");
    b.SetSel(3, 3);
    host.KeyPress(VK_A + ('V' - 'A'), kModCtrl);
    EXPECT_EQ(b.Text(), " mecopy");
    // The context menu: Undo, Cut, Copy, Paste, Delete, Select All.
    host.AnswerNextMenu(controls::kEditMenuUndo);
    host.Click(20, 20, headless::MouseButton::Right);
    ASSERT_EQ(host.MenusShown().size(), 1u);
    EXPECT_EQ(b.Text(), " me");
    host.AnswerNextMenu(controls::kEditMenuSelectAll);
    host.Click(20, 20, headless::MouseButton::Right);
    host.AnswerNextMenu(controls::kEditMenuDelete);
    host.Click(20, 20, headless::MouseButton::Right);
    EXPECT_EQ(b.Text(), "");
}

TEST_F(EditFixture, AutomaticScrollingFollowsTheCaret) {
    Hwnd h = Make(controls::ES_AUTOHSCROLL | controls::ES_AUTOVSCROLL);
    EditBox& b = Box(h);
    host.TypeText("a rather long line of text that does not fit");
    EXPECT_GT(b.ScrollOffsetX(), 0);
    host.KeyPress(VK_HOME);
    EXPECT_EQ(b.ScrollOffsetX(), 0);
    for (int i = 0; i < 5; ++i) host.KeyPress(VK_RETURN, kModCtrl);
    EXPECT_GT(b.FirstVisibleLine(), 0);
    host.KeyPress(VK_HOME, kModCtrl);
    EXPECT_EQ(b.FirstVisibleLine(), 0);
    // Without automatic horizontal scrolling the text is never scrolled sideways.
    Hwnd w = Make(0);
    host.TypeText("a rather long line of text that does not fit");
    EXPECT_EQ(Box(w).ScrollOffsetX(), 0);
}

TEST_F(EditFixture, AlignmentAndTheMouse) {
    Hwnd h = Make(controls::ES_RIGHT, {10, 10, 110, 40});
    EditBox& b = Box(h);
    b.SetMargins(0, 0);
    b.SetText("abc");
    const int width = Wm().GetClientRect(h).width();
    EXPECT_EQ(b.PosFromChar(3).x, width - 1);
    EXPECT_LT(b.PosFromChar(0).x, width - 1);
    // A click puts the caret at the nearest character; a drag selects.
    const Point start = b.PosFromChar(1);
    host.Click(10 + start.x, 10 + 5);
    EXPECT_EQ(b.Caret(), 1);
    const Point end = b.PosFromChar(3);
    host.Drag(10 + start.x, 15, 10 + end.x, 15, 2);
    EXPECT_EQ(b.SelText(), "bc");
    Hwnd rtl = Make(0, {10, 50, 110, 80}, controls::WS_EX_RTLREADING);
    Box(rtl).SetText("x");
    EXPECT_GT(Box(rtl).PosFromChar(0).x, 50);
}

TEST_F(EditFixture, CaretMovesSelectsAndDeletesWholeClustersInLogicalOrder) {
    Hwnd h = Make(controls::ES_AUTOHSCROLL, {10, 10, 210, 40});
    EditBox& box = Box(h);
    // "é" as e + combining accent, a flag of two regional indicators, then "x".
    box.SetText("e\xCC\x81\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7x");
    ASSERT_EQ(box.Length(), 5);
    host.KeyPress(VK_RIGHT);
    EXPECT_EQ(box.Caret(), 2);
    host.KeyPress(VK_RIGHT);
    EXPECT_EQ(box.Caret(), 4);
    host.KeyPress(VK_LEFT, kModShift);
    EXPECT_EQ(box.SelStart(), 2);
    EXPECT_EQ(box.SelEnd(), 4);
    host.KeyPress(VK_END);
    host.KeyPress(VK_BACK);
    host.KeyPress(VK_BACK);
    EXPECT_EQ(box.Text(), "e\xCC\x81");
    host.KeyPress(VK_HOME);
    host.KeyPress(VK_DELETE);
    EXPECT_EQ(box.Text(), "");
    // The limit keeps clusters whole.
    box.SetLimit(3);
    host.TypeText("ae\xCC\x81" "b");
    EXPECT_EQ(box.Text(), "ae\xCC\x81");
    box.SetLimit(2);
    box.SetText("ae\xCC\x81");
    EXPECT_EQ(box.Text(), "a");
}

TEST_F(EditFixture, RightToLeftTextAlignsRightAndItsCaretIsWhereItShows) {
    Hwnd h = Make(controls::ES_AUTOHSCROLL, {10, 10, 210, 40});
    EditBox& box = Box(h);
    box.SetText("\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7"); // Arabic "marhaba", five letters
    // Reading starts at the right: the caret before the first letter is the rightmost.
    const int start = box.PosFromChar(0).x, end = box.PosFromChar(5).x;
    EXPECT_GT(start, end);
    EXPECT_GT(start, 150);
    for (int i = 1; i <= 5; ++i) EXPECT_LT(box.PosFromChar(i).x, box.PosFromChar(i - 1).x);
    // Clicking a point finds the position whose caret is there.
    EXPECT_EQ(box.CharFromPoint(box.PosFromChar(2).x, 5), 2);
    // Mixed text: the Latin word stays left to right inside the line.
    box.SetText("Flock \xD9\x85\xD8\xB2\xD8\xB1\xD8\xB9\xD8\xA9 3");
    EXPECT_LT(box.PosFromChar(0).x, box.PosFromChar(1).x);
    EXPECT_GT(box.PosFromChar(6).x, box.PosFromChar(8).x);
}
