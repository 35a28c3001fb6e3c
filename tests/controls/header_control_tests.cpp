// The header control through the headless host: items, hit testing, clicks, divider resizing,
// drag and drop with vetoes, hot tracking, and pictures of its looks.
#include <gtest/gtest.h>

#include "platform/headless/headless_host.h"
#include "tests/controls/notify_recorder.h"
#include "tests/picture_check.h"

namespace lattix::controls {
namespace {

using ui::headless::HeadlessHost;
using ui::headless::MouseButton;

struct HeaderFixture : ::testing::Test {
    HeadlessHost host{400, 120};
    test::NotifyRecorder rec{host.TopLevel()};
    Hwnd hwnd = HeaderControl::Create(host.TopLevel(), {0, 0, 400, 24},
                                      ui::WS_VISIBLE | HDS_BUTTONS | HDS_HOTTRACK | HDS_DRAGDROP);
    HeaderControl* header = HeaderControl::FromWindow(hwnd);

    void SetUp() override {
        ASSERT_NE(header, nullptr);
        header->InsertItem(0, {80, "Name"});
        header->InsertItem(1, {60, "Weight"});
        header->InsertItem(2, {70, "Age"});
        host.Pump();
        rec.log.clear();
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> t;
        for (int i = 0; i < header->ItemCount(); ++i) t.push_back(header->Item(i)->text);
        return t;
    }
};

TEST_F(HeaderFixture, ItemsAreLaidOutLeftToRightAndBadIndexesChangeNothing) {
    EXPECT_EQ(header->ItemRect(1), (Rect{80, 0, 140, 24}));
    EXPECT_EQ(header->InsertItem(99, {10, "Last"}), 3);
    EXPECT_EQ(header->InsertItem(-5, {10, "First"}), 0);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"First", "Name", "Weight", "Age", "Last"}));
    EXPECT_FALSE(header->DeleteItem(5));
    EXPECT_FALSE(header->SetItemWidth(-1, 10));
    EXPECT_FALSE(header->MoveItem(0, 5));
    EXPECT_EQ(header->Item(5), nullptr);
    EXPECT_TRUE(header->ItemRect(5).isEmpty());
    EXPECT_TRUE(header->SetItemWidth(0, -4)); // negative widths become 0
    EXPECT_EQ(header->Item(0)->width, 0);
    EXPECT_TRUE(header->MoveItem(0, 4));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Name", "Weight", "Age", "Last", "First"}));
    EXPECT_EQ(HeaderControl::FromWindow(host.TopLevel()), nullptr);
}

TEST_F(HeaderFixture, HitTestFindsDividersItemsAndTheWidenableZeroWidthItem) {
    EXPECT_EQ(header->HitTest({10, 5}).part, HeaderHitPart::Item);
    EXPECT_EQ(header->HitTest({10, 5}).item, 0);
    HeaderHit d = header->HitTest({83, 5});
    EXPECT_EQ(d.part, HeaderHitPart::Divider);
    EXPECT_EQ(d.item, 0);
    EXPECT_EQ(header->HitTest({137, 5}).item, 1);
    EXPECT_EQ(header->HitTest({300, 5}).part, HeaderHitPart::Nowhere);
    EXPECT_EQ(header->HitTest({10, 30}).part, HeaderHitPart::Nowhere);
    header->SetItemWidth(1, 0);
    d = header->HitTest({81, 5});
    EXPECT_EQ(d.part, HeaderHitPart::Divider);
    EXPECT_EQ(d.item, 1);
}

TEST_F(HeaderFixture, ClickReportsItemModifiersAndPointAndShowsThePressedItem) {
    host.MouseDown(100, 10);
    EXPECT_EQ(header->PressedItem(), 1);
    host.MouseUp(100, 10);
    host.Click(20, 12, MouseButton::Left, ui::kModShift | ui::kModCtrl);
    ASSERT_EQ(rec.Codes(), (std::vector<int>{kHeaderItemClick, kHeaderItemClick}));
    EXPECT_EQ(rec.log[0].item, 1);
    EXPECT_EQ(rec.log[0].modifiers, 0u);
    EXPECT_EQ(rec.log[1].item, 0);
    EXPECT_EQ(rec.log[1].modifiers, ui::kModShift | ui::kModCtrl);
    EXPECT_EQ(rec.log[1].pt, (Point{20, 12}));
    EXPECT_EQ(header->PressedItem(), -1);
}

TEST_F(HeaderFixture, ReleaseAwayFromThePressedItemIsNoClick) {
    host.MouseDown(100, 10);
    host.MouseMove(100, 60);
    host.MouseUp(100, 60);
    EXPECT_TRUE(rec.log.empty());
}

TEST_F(HeaderFixture, DoubleClicksOnItemsAndDividers) {
    host.DoubleClick(30, 10);
    host.Advance(1000);
    host.DoubleClick(141, 10);
    std::vector<int> codes = rec.Codes();
    ASSERT_FALSE(codes.empty());
    EXPECT_NE(std::find(codes.begin(), codes.end(), kHeaderItemDblClick), codes.end());
    EXPECT_EQ(codes.back(), kHeaderDividerDblClick);
    EXPECT_EQ(rec.log.back().item, 1);
}

TEST_F(HeaderFixture, DividerDragResizesWithinTheOwnersLimits) {
    rec.answer = [](HeaderNotify& n) -> ui::LResult {
        if (n.hdr.code == kHeaderTrack) n.width = std::clamp(n.width, 30, 120);
        return 0;
    };
    host.MouseDown(140, 10); // the divider after "Weight"
    EXPECT_TRUE(header->IsTracking());
    host.MouseMove(170, 10);
    EXPECT_EQ(header->Item(1)->width, 90);
    host.MouseMove(260, 10);
    EXPECT_EQ(header->Item(1)->width, 120);
    host.MouseMove(20, 10);
    EXPECT_EQ(header->Item(1)->width, 30);
    host.MouseUp(20, 10);
    ASSERT_GE(rec.log.size(), 5u);
    EXPECT_EQ(rec.log.front().hdr.code, kHeaderBeginTrack);
    EXPECT_EQ(rec.log.front().width, 60);
    EXPECT_EQ(rec.log.back().hdr.code, kHeaderEndTrack);
    EXPECT_EQ(rec.log.back().width, 30);
    EXPECT_FALSE(header->IsTracking());
    EXPECT_EQ(header->ItemRect(2).left, 110);
}

TEST_F(HeaderFixture, RefusedResizeLeavesTheWidth) {
    rec.answer = [](HeaderNotify& n) -> ui::LResult { return n.hdr.code == kHeaderBeginTrack ? 1 : 0; };
    host.Drag(140, 10, 200, 10);
    EXPECT_EQ(header->Item(1)->width, 60);
    EXPECT_EQ(rec.Codes(), (std::vector<int>{kHeaderBeginTrack}));
}

TEST_F(HeaderFixture, DragAndDropReordersAndReportsTheNewOrder) {
    host.MouseDown(20, 10);
    host.MouseMove(60, 10);
    host.MouseMove(200, 10);
    EXPECT_TRUE(header->IsDragging());
    EXPECT_EQ(header->DropOrder(), 2);
    host.MouseUp(200, 10);
    ASSERT_EQ(rec.Codes(), (std::vector<int>{kHeaderBeginDrag, kHeaderEndDrag}));
    EXPECT_EQ(rec.log[1].item, 0);
    EXPECT_EQ(rec.log[1].order, 2);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Weight", "Age", "Name"}));
    // Dropped onto its own place: reported, nothing moves, and no click.
    rec.log.clear();
    host.Drag(100, 10, 95, 10, 2);
    host.Drag(40, 10, 50, 10, 3);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Weight", "Age", "Name"}));
    ASSERT_EQ(rec.Codes(), (std::vector<int>{kHeaderBeginDrag, kHeaderEndDrag, kHeaderBeginDrag, kHeaderEndDrag}));
    EXPECT_EQ(rec.log[1].order, rec.log[1].item);
    EXPECT_EQ(rec.log[3].order, rec.log[3].item);
}

TEST_F(HeaderFixture, VetoedDropOrDragKeepsTheOrder) {
    rec.answer = [](HeaderNotify& n) -> ui::LResult { return n.hdr.code == kHeaderEndDrag ? 1 : 0; };
    host.Drag(20, 10, 200, 10);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Name", "Weight", "Age"}));
    rec.log.clear();
    host.Advance(1000); // not a double click
    rec.answer = [](HeaderNotify& n) -> ui::LResult { return n.hdr.code == kHeaderBeginDrag ? 1 : 0; };
    host.Drag(20, 10, 200, 10);
    EXPECT_EQ(rec.Codes(), (std::vector<int>{kHeaderBeginDrag}));
    EXPECT_FALSE(header->IsDragging());
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Name", "Weight", "Age"}));
}

TEST_F(HeaderFixture, WithoutDragDropStyleAPressAndMoveIsNoDrag) {
    ui::Wm().SetStyle(hwnd, ui::Wm().GetStyle(hwnd) & ~HDS_DRAGDROP);
    host.Drag(20, 10, 200, 10);
    EXPECT_TRUE(rec.log.empty());
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Name", "Weight", "Age"}));
}

TEST_F(HeaderFixture, RightClickNamesTheItemUnderThePointer) {
    host.Click(150, 10, MouseButton::Right);
    host.Click(300, 10, MouseButton::Right);
    ASSERT_EQ(rec.Codes(), (std::vector<int>{kHeaderRightClick, kHeaderRightClick}));
    EXPECT_EQ(rec.log[0].item, 2);
    EXPECT_EQ(rec.log[0].button, 2);
    EXPECT_EQ(rec.log[1].item, -1);
    EXPECT_EQ(rec.log[1].pt, (Point{300, 10}));
}

TEST_F(HeaderFixture, HotItemFollowsThePointerAndClearsWhenItLeaves) {
    host.MouseMove(100, 10);
    EXPECT_EQ(header->HotItem(), 1);
    host.MouseMove(20, 10);
    EXPECT_EQ(header->HotItem(), 0);
    host.MouseMove(20, 80); // off the header
    host.Pump();
    EXPECT_EQ(header->HotItem(), -1);
    ASSERT_EQ(rec.hot.size(), 3u);
    EXPECT_EQ(rec.hot[1].item, 0);
    EXPECT_EQ(rec.hot[1].oldItem, 1);
    EXPECT_EQ(rec.hot[2].item, -1);
}

TEST_F(HeaderFixture, RemovingTheItemBeingResizedEndsTheResize) {
    host.MouseDown(140, 10);
    ASSERT_TRUE(header->IsTracking());
    header->DeleteItem(1);
    EXPECT_FALSE(header->IsTracking());
    host.MouseMove(200, 10);
    host.MouseUp(200, 10);
    EXPECT_EQ(header->Item(1)->width, 70);
}

TEST_F(HeaderFixture, OwnerDrawnItemsAreNotDrawnByTheControl) {
    int drawn = 0;
    rec.answer = [&](HeaderNotify& n) -> ui::LResult {
        if (n.hdr.code != kHeaderDrawItem) return 0;
        ++drawn;
        n.dc->fillRect(n.rect, gfx::rgb(255, 0, 0));
        return 1;
    };
    ui::Wm().InvalidateRect(hwnd, nullptr, false);
    gfx::Bitmap b = host.Render();
    EXPECT_EQ(drawn, 3);
    EXPECT_EQ(b.colorAt(10, 10), gfx::rgb(255, 0, 0));
    EXPECT_EQ(b.colorAt(209, 23), gfx::rgb(255, 0, 0));
}

gfx::ImageList Icons() {
    gfx::ImageList list(16, 16);
    for (int k = 0; k < 2; ++k) {
        std::vector<std::uint32_t> px(256, 0);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                bool in = k == 0 ? (x - 7.5) * (x - 7.5) + (y - 7.5) * (y - 7.5) < 49 : (x >= 2 && x < 14 && y >= 2 && y < 14);
                if (in) px[y * 16 + x] = k == 0 ? 0xFF2E8B57u : 0xFFCD5C5Cu;
            }
        list.addPixels(px, 16, 16, 16);
    }
    return list;
}

// One look of the header. Top row: the pointer rests on "Weight" (hot). Middle row: the button
// is held on "Age" (pressed). Bottom row, when asked: "Name" dragged to the right.
gfx::Bitmap HeaderPicture(bool themed, bool withDrag) {
    HeadlessHost host{330, withDrag ? 120 : 80};
    gfx::ImageList icons = Icons();
    std::vector<HeaderControl*> rows;
    for (int row = 0; row < (withDrag ? 3 : 2); ++row) {
        Hwnd h = HeaderControl::Create(host.TopLevel(), {0, row * 40, 330, row * 40 + 36},
                                       ui::WS_VISIBLE | HDS_BUTTONS | HDS_HOTTRACK | HDS_DRAGDROP);
        ui::Wm().SetWindowTheme(h, themed);
        HeaderControl* c = HeaderControl::FromWindow(h);
        c->SetImageList(&icons);
        c->InsertItem(0, {90, "Name", 0});
        c->InsertItem(1, {80, "Weight", 1});
        c->InsertItem(2, {80, "Age\nin days"});
        rows.push_back(c);
    }
    host.MouseMove(120, 10);
    gfx::Bitmap hot = host.Render();
    host.MouseDown(200, 50);
    gfx::Bitmap pressed = host.Render();
    host.MouseUp(200, 50);
    gfx::Bitmap dragged;
    if (withDrag) {
        host.MouseDown(20, 90);
        host.MouseMove(40, 90);
        host.MouseMove(200, 90);
        dragged = host.Render();
        host.MouseUp(200, 90);
    }
    // Each row from the picture taken while it showed its state.
    gfx::Bitmap out = hot;
    for (int y = 40; y < 80; ++y)
        for (int x = 0; x < out.width(); ++x) out.setPixel(x, y, pressed.pixel(x, y));
    if (withDrag)
        for (int y = 80; y < 120; ++y)
            for (int x = 0; x < out.width(); ++x) out.setPixel(x, y, dragged.pixel(x, y));
    return out;
}

TEST(HeaderPictures, ThemedAndClassicItemsNormalHotPressedWithIcons) {
    EXPECT_TRUE(lattix::test::MatchesReference(HeaderPicture(true, true), "tests/controls/reference/header_themed.png"));
    EXPECT_TRUE(lattix::test::MatchesReference(HeaderPicture(false, false), "tests/controls/reference/header_classic.png"));
}

} // namespace
} // namespace lattix::controls
