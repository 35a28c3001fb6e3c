// Input methods in the edit box: text being composed shows at the caret but stays out of the
// text, a commit is typed once (styles, limit and change notification apply), a cancel leaves
// everything as it was, and the box answers an input method's questions. One picture shows the
// underlined composition.
#include "tests/controls/edit_box_fixture.h"
#include "tests/picture_check.h"

using namespace edit_box_test;

namespace {

struct CompositionFixture : EditFixture {
    CompositionFixture() { boxWidth = 150; }
    int Width(EditBox& b, const std::string& s) { return b.Font()->textExtent(s).cx; }
};

} // namespace

TEST_F(CompositionFixture, ComposedTextShowsAtTheCaretAndIsTypedOnceWhenCommitted) {
    EditBox& b = Box(Make(controls::ES_AUTOHSCROLL));
    b.SetText("ad");
    b.SetSel(1, 1);
    const int caretX = b.PosFromChar(1).x;
    host.UpdateComposition("b");
    host.UpdateComposition("bc");
    EXPECT_EQ(b.Preedit(), "bc");
    EXPECT_EQ(b.PreeditCursor(), 2);
    EXPECT_EQ(b.Text(), "ad");
    EXPECT_EQ(b.Length(), 2);
    EXPECT_EQ(b.Caret(), 1);
    EXPECT_EQ(g_changes, 0);
    // The composition's caret follows its cursor; the text after it moves aside.
    EXPECT_EQ(b.CaretRect().left, caretX + Width(b, "bc"));
    host.UpdateComposition("bc", 1);
    EXPECT_EQ(b.CaretRect().left, caretX + Width(b, "b"));
    EXPECT_THROW(host.UpdateComposition("bc", 3), std::invalid_argument);
    EXPECT_EQ(b.Preedit(), "bc");
    host.CommitComposition("bc");
    EXPECT_EQ(b.Text(), "abcd");
    EXPECT_EQ(b.Preedit(), "");
    EXPECT_EQ(b.Caret(), 3);
    EXPECT_EQ(g_changes, 1);
    EXPECT_FALSE(Wm().Composing());
    // Committed text with more being composed: the commit goes in, the rest stays composed.
    Wm().InjectComposition(CompositionText{"x", "yz", 1});
    EXPECT_EQ(b.Text(), "abcxd");
    EXPECT_EQ(b.Preedit(), "yz");
    EXPECT_EQ(b.PreeditCursor(), 1);
    EXPECT_TRUE(Wm().Composing());
    // Text as typing would leave it: control characters are no text.
    host.CommitComposition("y\tz\x01");
    EXPECT_EQ(b.Text(), "abcxyzd");
    EXPECT_EQ(g_changes, 3);
}

TEST_F(CompositionFixture, TheSelectionIsReplacedOnlyAtTheCommit) {
    EditBox& b = Box(Make(controls::ES_AUTOHSCROLL));
    b.SetText("one two");
    b.SetSel(4, 7);
    host.UpdateComposition("2");
    EXPECT_EQ(b.SelText(), "two");
    EXPECT_EQ(b.Text(), "one two");
    // The composition shows where the selection starts.
    EXPECT_EQ(b.CaretRect().left, b.PosFromChar(4).x + Width(b, "2"));
    host.CommitComposition("2");
    EXPECT_EQ(b.Text(), "one 2");
    EXPECT_EQ(b.SelText(), "");
}

TEST_F(CompositionFixture, CancelLeavesTextSelectionAndParentAlone) {
    EditBox& b = Box(Make(controls::ES_AUTOHSCROLL));
    b.SetText("keep");
    b.SetSel(1, 3);
    host.StartComposition();
    host.UpdateComposition("zz");
    host.CancelComposition();
    EXPECT_EQ(b.Text(), "keep");
    EXPECT_EQ(b.Preedit(), "");
    EXPECT_EQ(b.SelStart(), 1);
    EXPECT_EQ(b.SelEnd(), 3);
    EXPECT_EQ(g_changes, 0);
    // An empty update or commit ends the composition the same way.
    host.UpdateComposition("q");
    host.UpdateComposition("");
    EXPECT_EQ(b.Preedit(), "");
    host.UpdateComposition("q");
    host.CommitComposition("");
    EXPECT_EQ(b.Text(), "keep");
    EXPECT_FALSE(Wm().Composing());
    // The focus moving away drops what was being composed.
    host.UpdateComposition("w");
    Wm().SetFocus(host.TopLevel());
    EXPECT_EQ(b.Preedit(), "");
    EXPECT_EQ(g_changes, 0);
}

TEST_F(CompositionFixture, CommitsKeepTheStylesAndTheLimit) {
    EditBox& upper = Box(Make(controls::ES_UPPERCASE));
    upper.SetLimit(4);
    upper.SetText("ab");
    upper.SetSel(2, 2);
    host.UpdateComposition("cdef");
    EXPECT_EQ(upper.Preedit(), "cdef"); // shown as composed; the box decides at the commit
    host.CommitComposition("cdef");
    EXPECT_EQ(upper.Text(), "abCD");
    EXPECT_EQ(g_changes, 1);
    host.CommitComposition("g");
    EXPECT_EQ(upper.Text(), "abCD");
    EXPECT_EQ(g_changes, 1);
    // A number-only box takes the digits, as typing them one by one would.
    EditBox& digits = Box(Make(controls::ES_NUMBER, {10, 50, 160, 80}));
    host.CommitComposition("1a2");
    EXPECT_EQ(digits.Text(), "12");
    EditBox& lower = Box(Make(controls::ES_LOWERCASE, {10, 90, 160, 120}));
    host.CommitComposition("ÄB");
    EXPECT_EQ(lower.Text(), "Äb");
}

TEST_F(CompositionFixture, ACommitMayReplaceTextAroundTheCaret) {
    EditBox& b = Box(Make(controls::ES_AUTOHSCROLL));
    b.SetText("the cta\r\nnext");
    b.SetSel(7, 7);
    CompositionText correction{"cat", ""};
    correction.replaceFrom = -3;
    correction.replaceLength = 3;
    Wm().InjectComposition(correction);
    EXPECT_EQ(b.Text(), "the cat\r\nnext");
    // The range never reaches past the caret's line.
    correction.commit = "X";
    correction.replaceFrom = -100;
    correction.replaceLength = 1000;
    Wm().InjectComposition(correction);
    EXPECT_EQ(b.Text(), "X\r\nnext");
}

TEST_F(CompositionFixture, AnswersTheInputMethodsQuestions) {
    Hwnd h = Make(controls::ES_AUTOHSCROLL | controls::ES_NUMBER);
    EditBox& b = Box(h);
    b.SetText("12\r\n345");
    b.SetSel(7, 5);
    InputMethodQuery q;
    ASSERT_TRUE(host.QueryInputMethod(q));
    EXPECT_TRUE(q.enabled);
    EXPECT_EQ(q.surroundingText, "345");
    EXPECT_EQ(q.cursor, 1);
    EXPECT_EQ(q.anchor, 3);
    EXPECT_EQ(q.selectedText, "45");
    EXPECT_EQ(q.hints, IMH_DIGITS_ONLY | IMH_MULTILINE);
    // The caret in the host window's coordinates: the box sits at (10, 10).
    const Point p = b.PosFromChar(5);
    EXPECT_EQ(q.caret.left, 10 + p.x);
    EXPECT_EQ(q.caret.top, 10 + p.y);
    EXPECT_EQ(q.caret.width(), 1);
    EXPECT_EQ(q.caret.height(), b.Font()->metrics().height);
    // While composing, the composition's caret.
    b.SetSel(7, 7);
    host.UpdateComposition("67", 1);
    ASSERT_TRUE(host.QueryInputMethod(q));
    EXPECT_EQ(q.caret.left, 10 + b.PosFromChar(7).x + Width(b, "6"));
    EXPECT_EQ(q.surroundingText, "345");
    // A window that does not answer: no caret, nothing enabled.
    Wm().SetFocus(host.TopLevel());
    EXPECT_FALSE(host.QueryInputMethod(q));
    EXPECT_FALSE(q.enabled);
}

TEST_F(CompositionFixture, RightAlignedAndLongCompositionsStayInView) {
    // A right-aligned line grows to the left: the caret after the composition stays at the edge.
    Hwnd r = Make(controls::ES_RIGHT, {10, 10, 110, 40});
    EditBox& right = Box(r);
    right.SetMargins(0, 0);
    right.SetText("abc");
    right.SetSel(3, 3);
    const int edge = right.CaretRect().left;
    host.UpdateComposition("xy");
    EXPECT_EQ(right.CaretRect().left, edge);
    host.CancelComposition();
    // A long composition scrolls a box that scrolls sideways, as typing does.
    Hwnd s = Make(controls::ES_AUTOHSCROLL, {10, 50, 110, 80});
    EditBox& scrolling = Box(s);
    host.UpdateComposition("a composition far too long for the box");
    EXPECT_GT(scrolling.ScrollOffsetX(), 0);
    const int width = Wm().GetClientRect(s).width();
    EXPECT_GE(scrolling.CaretRect().left, 0);
    EXPECT_LT(scrolling.CaretRect().left, width);
}

TEST_F(CompositionFixture, PictureOfAnUnderlinedComposition) {
    Hwnd h = Make(controls::ES_AUTOHSCROLL, {10, 10, 130, 30});
    EditBox& b = Box(h);
    b.SetText("Type here");
    b.SetSel(5, 5);
    host.UpdateComposition("new ", 2);
    const Rect r = Wm().GetWindowRect(h);
    const Point origin = host.ToScreen(0, 0);
    const gfx::Bitmap shot = host.Render().copyRect(Rect{r.left - origin.x, r.top - origin.y, r.right - origin.x,
                                                         r.bottom - origin.y});
    EXPECT_TRUE(test::MatchesReference(shot, "tests/controls/reference/edit_box_composition.png"));
}
