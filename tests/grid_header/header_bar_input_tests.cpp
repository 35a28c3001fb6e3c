// The grid's header bar driven with the mouse in virtual time: clicks and the sort hook, resizing
// with limits, auto-size, reordering with the frozen-area rules and vetoes, hot items and tips.
#include "tests/grid_header/grid_chrome_support.h"

namespace chrome_test {
namespace {

using lattix::ui::headless::MouseButton;
namespace ui = lattix::ui;

TEST(HeaderBar, ItemsFollowTheLaidOutColumnsAndTheHeaderSitsOnTop) {
    ChromeGrid g;
    EXPECT_EQ(g.chrome().ItemPositions(), (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(g.chrome().HeaderBar()->ItemCount(), 4);
    g->SetColVisible(Variant(2), false);
    g.host.Pump();
    EXPECT_EQ(g.chrome().ItemPositions(), (std::vector<int32_t>{1, 3, 4}));
    ui::Rect r = ui::Wm().GetWindowRect(g.HeaderHwnd());
    EXPECT_EQ(r.height(), 20);
    g->Header()->SetVisible(false);
    EXPECT_EQ(g->CellsAreaTop(), 0);
    EXPECT_FALSE(ui::Wm().IsWindowVisible(g.HeaderHwnd()));
}

TEST(HeaderBar, ClickRaisesColHeaderClickAndSortsUnlessRefused) {
    ChromeGrid g(400, 300, 2, 3);
    g->SetCellValue(Variant(1), Variant(1), Variant(3));
    g->SetCellValue(Variant(2), Variant(1), Variant(1));
    g->SetCellValue(Variant(3), Variant(1), Variant(2));
    g.host.Click(40, 10, MouseButton::Left, ui::kModShift);
    const Fired* click = g.Find("ColHeaderClick");
    ASSERT_NE(click, nullptr);
    EXPECT_EQ(click->I(0), 1);
    EXPECT_EQ(click->I(2), 1); // Shift
    EXPECT_EQ(lattix::ToInt32(g->CellValue(Variant(1), Variant(1))), 1);
    EXPECT_EQ(g.Count("BeforeContentsSorted"), 1);
    // The host keeps the default from happening.
    g.log.clear();
    g.host.Advance(1000);
    g.answers["ColHeaderClick"] = [](std::span<Variant> a) { SetRef(a, 1, Variant(false)); };
    g.host.Click(40, 10);
    EXPECT_EQ(g.Count("ColHeaderClick"), 1);
    EXPECT_EQ(g.Count("BeforeContentsSorted"), 0);
    // AllowSorting off: the click is reported, nothing sorts.
    g.answers.clear();
    g.log.clear();
    g->SetAllowSorting(false);
    g.host.Advance(1000);
    g.host.Click(120, 10);
    EXPECT_EQ(g.Count("ColHeaderClick"), 1);
    EXPECT_EQ(g.Count("BeforeContentsSorted"), 0);
}

TEST(HeaderBar, DoubleClicksOnItemsAndDividers) {
    ChromeGrid g(400, 300, 3, 2);
    g->SetCellValue(Variant(1), Variant(2), Variant("a rather long cell text"));
    g.host.DoubleClick(100, 10);
    const Fired* dbl = g.Find("ColHeaderDblClick");
    ASSERT_NE(dbl, nullptr);
    EXPECT_EQ(dbl->I(0), 2);
    g.log.clear();
    g.host.Advance(1000);
    g.host.DoubleClick(160, 10); // divider after column 2
    const Fired* div = g.Find("ColDividerDblClick");
    ASSERT_NE(div, nullptr);
    EXPECT_EQ(div->I(0), 2);
    // (The first click of the pair is a press and release on the divider: a resize by nothing.)
    ASSERT_EQ(g.log.back().name, "ColWidthChanged");
    EXPECT_GT(g->ColWidth(Variant(2)), 80);
    EXPECT_EQ(g.log.back().I(1), g->ColWidth(Variant(2)));
    // Refused: the width stays.
    g.log.clear();
    g.host.Advance(1000);
    g.answers["ColDividerDblClick"] = [](std::span<Variant> a) { SetRef(a, 1, Variant(false)); };
    g->SetColWidth(Variant(1), 80);
    g.host.DoubleClick(80, 10);
    EXPECT_EQ(g->ColWidth(Variant(1)), 80);
    EXPECT_EQ(g.log.back().name, "ColDividerDblClick");
}

TEST(HeaderBar, DividerDragResizesLiveWithinTheLimits) {
    ChromeGrid g(400, 300, 3, 2);
    g->SetColMaxWidth(Variant(1), 120);
    g->SetColMinWidth(Variant(1), 40);
    g.host.MouseDown(80, 10);
    g.host.MouseMove(100, 10);
    EXPECT_EQ(g->ColWidth(Variant(1)), 100); // the cells follow at once
    g.host.MouseMove(300, 10);
    EXPECT_EQ(g->ColWidth(Variant(1)), 120);
    g.host.MouseMove(5, 10);
    g.host.MouseUp(5, 10);
    EXPECT_EQ(g->ColWidth(Variant(1)), 40);
    std::vector<std::string> names = g.Names("ColWidth");
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names.front(), "ColWidthStartChange");
    EXPECT_EQ(names.back(), "ColWidthChanged");
    EXPECT_EQ(g.log.back().I(1), 40);
    EXPECT_EQ(g->ColStartX(Variant(2)), 40);
}

TEST(HeaderBar, ColumnsThatMayNotBeSizedKeepTheirWidth) {
    ChromeGrid g(400, 300, 3, 2);
    g->SetColAllowSizing(Variant(1), false);
    g.host.Drag(80, 10, 150, 10);
    EXPECT_EQ(g->ColWidth(Variant(1)), 80);
    EXPECT_EQ(g.Count("ColWidthStartChange"), 0);
}

TEST(HeaderBar, DragReordersColumnsAndTheHostMayVeto) {
    ChromeGrid g(400, 300, 4, 2);
    g.host.Drag(40, 10, 260, 10, 6); // column 1 dropped after column 3
    EXPECT_EQ(g->ColPos(Variant(1)), 3);
    const Fired* end = g.Find("ColHeaderEndDrag");
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end->I(0), 1);
    EXPECT_EQ(end->I(1), 3); // the column standing at the target position
    EXPECT_NE(g.Find("ColHeaderEndDragComplete"), nullptr);
    g.log.clear();
    g.host.Advance(1000);
    g.answers["ColHeaderEndDrag"] = [](std::span<Variant> a) { SetRef(a, 2, Variant(true)); };
    g.host.Drag(40, 10, 300, 10, 6);
    EXPECT_EQ(g.Count("ColHeaderEndDrag"), 1);
    EXPECT_EQ(g.Count("ColHeaderEndDragComplete"), 0);
    EXPECT_EQ(g->ColPos(Variant(2)), 1);
    g.answers.clear();
    g.host.Advance(1000);
    g.answers["ColHeaderBeginDrag"] = [](std::span<Variant> a) { SetRef(a, 1, Variant(true)); };
    g.log.clear();
    g.host.Drag(40, 10, 300, 10, 6);
    EXPECT_EQ(g.Count("ColHeaderEndDrag"), 0);
    EXPECT_EQ(g->ColPos(Variant(2)), 1);
}

// A column far wider than any bitmap: the copy that follows the pointer is drawn as wide as the
// grid shows, and the drag ends like any other.
TEST(HeaderBar, AColumnWiderThanAnyBitmapCanBeDragged) {
    ChromeGrid g(400, 300, 3, 2);
    g->SetColWidth(Variant(1), 1000000000);
    g.host.MouseDown(40, 10);
    g.host.MouseMove(120, 10);
    g.host.MouseMove(200, 10);
    const lattix::gfx::Bitmap during = g.host.Render();
    EXPECT_EQ(during.width(), 400);
    g.host.MouseUp(200, 10);
    g.host.Pump();
    EXPECT_NE(g.Find("ColHeaderBeginDrag"), nullptr);
    EXPECT_EQ(g->ColWidth(Variant(1)), 1000000000);
}

TEST(HeaderBar, ADropOnAColumnRemovedWhileUpdatesAreHeldBackMovesNothing) {
    ChromeGrid g(400, 300, 4, 2);
    g->BeginUpdate();
    g->SetColCount(2); // the header still shows four items until EndUpdate
    g.host.Drag(40, 10, 300, 10, 6);
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->ColPos(Variant(1)), 1);
    EXPECT_EQ(g.Count("ColHeaderEndDragComplete"), 0);
    g->EndUpdate();
}

TEST(HeaderBar, TheOnlyFrozenColumnCannotBeDraggedWhateverTheHostSays) {
    ChromeGrid g(400, 300, 4, 2);
    g->SetFrozenCols(1);
    g.answers["ColHeaderBeginDrag"] = [](std::span<Variant> a) { SetRef(a, 1, Variant(false)); };
    g.host.Drag(40, 10, 260, 10, 6);
    const Fired* begin = g.Find("ColHeaderBeginDrag");
    ASSERT_NE(begin, nullptr);
    EXPECT_TRUE(lattix::ToBool(begin->args[2]));
    EXPECT_EQ(g.Count("ColHeaderEndDrag"), 0);
    EXPECT_EQ(g->ColPos(Variant(1)), 1);
}

TEST(HeaderBar, DroppingOntoTheFrozenAreaGrowsIt) {
    ChromeGrid g(500, 300, 5, 2);
    g->SetFrozenCols(2);
    g.host.Drag(280, 10, 5, 10, 6); // column 4 onto the first position
    EXPECT_EQ(g->ColPos(Variant(4)), 1);
    EXPECT_EQ(g->FrozenCols(), 3);
    const Fired* done = g.Find("ColHeaderEndDragComplete");
    ASSERT_NE(done, nullptr);
    EXPECT_TRUE(lattix::ToBool(done->args[1]));
}

TEST(HeaderBar, HotItemsRaiseEnterAndLeave) {
    ChromeGrid g(400, 300, 3, 2);
    g.host.MouseMove(100, 10);
    g.host.MouseMove(200, 10);
    g.host.MouseMove(200, 200);
    g.host.Pump();
    std::vector<std::string> names = g.Names("ColHeaderMouse");
    EXPECT_EQ(names, (std::vector<std::string>{"ColHeaderMouseEnter", "ColHeaderMouseLeave", "ColHeaderMouseEnter",
                                               "ColHeaderMouseLeave"}));
}

TEST(HeaderBar, ClippedHeaderTextShowsItsTipAfterTheDelay) {
    ChromeGrid g(400, 300, 3, 2);
    g->SetColHeaderText(Variant(2), "A header text far too long for its column");
    g->SetToolTipDelayTime(300);
    g->SetToolTipVisibleTime(2000);
    EXPECT_TRUE(g->IsColHeaderTextClipped(Variant(2)));
    EXPECT_FALSE(g->IsColHeaderTextClipped(Variant(1)));
    g.host.MouseMove(100, 10);
    ASSERT_EQ(g.Count("RequestColHeaderToolTip"), 1);
    lattix::controls::TooltipWindow* tip = g.chrome().Tooltip().Window();
    ASSERT_NE(tip, nullptr);
    g.host.MouseMove(101, 10);
    g.host.Advance(299);
    EXPECT_FALSE(tip->IsShown());
    g.host.Advance(1);
    EXPECT_TRUE(tip->IsShown());
    EXPECT_EQ(tip->Text(), "A header text far too long for its column");
    g.host.Advance(2000);
    EXPECT_FALSE(tip->IsShown());
}

TEST(HeaderBar, HeaderObjectSettersCheckTheirValues) {
    ChromeGrid g;
    auto h = g->Header();
    EXPECT_EQ(LattixCode([&] { h->Set(lattix::HeaderObject::Field::SortInfoStyle, 3); }), 514);
    EXPECT_EQ(LattixCode([&] { h->Set(lattix::HeaderObject::Field::ForeColor, static_cast<int32_t>(0x80000040)); }), 514);
    EXPECT_EQ(LattixCode([&] { h->Set(lattix::HeaderObject::Field::MinHeight, -1); }), 514);
    EXPECT_EQ(LattixCode([&] { h->SetImageList(Variant("x")); }), 518);
    EXPECT_EQ(LattixCode([&] { h->SetImageList(Variant(5)); }), 518);
    EXPECT_EQ(h->Get(lattix::HeaderObject::Field::SortInfoStyle), lattix::lxSortInfoNumIcons);
    h->Set(lattix::HeaderObject::Field::MinHeight, 30);
    EXPECT_EQ(h->Height(), 30);
    h->invoke("HotTrackForeColor", lattix::InvokeKind::Let, std::vector<Variant>{Variant(0x0000FF)});
    EXPECT_EQ(lattix::ToInt32(h->invoke("HotTrackForeColor", lattix::InvokeKind::Get)), 0x0000FF);
    EXPECT_NE(lattix::ToInt32(h->invoke("hWnd", lattix::InvokeKind::Get)), 0);
}

TEST(HeaderBar, AutoHeightFitsMultiLineTitlesButNotBelowMinHeight) {
    ChromeGrid g;
    g->SetColHeaderText(Variant(1), "Two\nlines");
    g->Header()->AutoHeight();
    int32_t two = g->HeaderHeight();
    g->SetColHeaderText(Variant(1), "One");
    g->Header()->AutoHeight();
    int32_t one = g->HeaderHeight();
    EXPECT_GT(two, one);
    g->Header()->Set(lattix::HeaderObject::Field::MinHeight, 40);
    g->Header()->AutoHeight();
    EXPECT_EQ(g->HeaderHeight(), 40);
}

} // namespace
} // namespace chrome_test

namespace chrome_test {
namespace {

TEST(HeaderBar, DraggingAnItemNearTheEdgeScrollsOnTheClockAndDropsBeyondTheFirstView) {
    ChromeGrid g(300, 200, 8, 2); // 640 pixels of columns in a 300 pixel view
    auto h = g->HScrollBar();
    ASSERT_TRUE(h->Visible());
    g.host.MouseDown(40, 10);
    g.host.MouseMove(60, 10);
    g.host.MouseMove(150, 10);
    g.host.Advance(200);
    EXPECT_EQ(h->Value(), 0); // away from the edges nothing scrolls
    g.host.MouseMove(295, 10);
    g.host.Advance(50);
    const int32_t once = h->Value();
    EXPECT_EQ(once, h->SmallChange());
    g.host.Advance(1000); // 5 pixels every 50 ms
    EXPECT_EQ(h->Value(), once + 20 * h->SmallChange());
    g.host.Advance(5000);
    EXPECT_EQ(h->Value(), h->Max()); // it stops at the end
    g.host.MouseUp(295, 10);
    const Fired* end = g.Find("ColHeaderEndDrag");
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end->I(0), 1);
    EXPECT_EQ(g->ColPos(Variant(1)), 8); // dropped at the far end, beyond the first view
    // The clock no longer scrolls once the drag is over.
    g.host.MouseMove(5, 10);
    g.host.Advance(500);
    EXPECT_EQ(h->Value(), h->Max());
}

} // namespace
} // namespace chrome_test
