// The drop-down list window driven by injected keys and mouse: highlight, choice, closing, scroll
// bar and its picture.
#include <gtest/gtest.h>

#include "platform/controls/drop_down_list.h"
#include "platform/gfx/system_colors.h"
#include "platform/headless/headless_host.h"
#include "platform/theme/theme_data.h"
#include "tests/picture_check.h"
#include "tests/ui/probe_window.h"

namespace lattix::controls {
namespace {

using ui::headless::HeadlessHost;
using ui::VirtualKey;

struct DropDownFixture : ::testing::Test {
    HeadlessHost host{400, 300};
    ui::testing::Probe probe;
    // The window that keeps the focus while the list is open.
    Hwnd field = probe.Create(host.TopLevel(), {20, 20, 120, 40});
    Hwnd other = probe.Create(host.TopLevel(), {200, 20, 300, 40});
    Hwnd listHwnd = DropDownList::Create(field);
    DropDownList* list = DropDownList::FromWindow(listHwnd);
    std::vector<std::string> heard;

    void SetUp() override {
        ASSERT_NE(list, nullptr);
        list->SetItemHeight(16);
        std::vector<DropDownItem> items;
        for (const char* t : {"Broiler", "Capon", "Cockerel", "Hen", "Pullet", "Rooster", "Spring", "Stewing", "Turkey", "Yearling"})
            items.push_back({t, -1});
        list->SetItems(items);
        list->SetListener([this](const DropDownEvent& e) {
            const char* kind = e.kind == DropDownEvent::Chosen ? "chosen" : e.kind == DropDownEvent::Closed ? "closed" : "lit";
            heard.push_back(std::string(kind) + ":" + std::to_string(e.index) + (e.byMouse ? "m" : ""));
        });
        ui::Wm().SetFocus(field);
    }
    // Opens 4 items high below the field (border included): items at client y 1, 17, 33, 49.
    void Open() { list->Show(ui::rectOfSize(host.ToScreen(20, 40).x, host.ToScreen(20, 40).y, 100, 4 * 16 + 2), field); }
    // Host client point of the centre of visible row k of the open list.
    ui::Point RowPoint(int k) const {
        ui::Rect r = ui::Wm().GetWindowRect(listHwnd);
        ui::Point origin = host.ToScreen(0, 0);
        return {r.left + 1 + 30 - origin.x, r.top + 1 + k * 16 + 8 - origin.y};
    }
    void Key(VirtualKey k) { ui::Wm().SendMessage(listHwnd, ui::WM_KEYDOWN, k, 0); }
    // The list window as the screen shows it.
    gfx::Bitmap Shot() {
        ui::Rect r = ui::Wm().GetWindowRect(listHwnd);
        gfx::Bitmap all = host.Render();
        ui::Point origin = host.ToScreen(0, 0);
        gfx::Bitmap crop(r.width(), r.height());
        for (int y = 0; y < r.height(); ++y)
            for (int x = 0; x < r.width(); ++x) crop.setPixel(x, y, all.pixel(r.left - origin.x + x, r.top - origin.y + y));
        return crop;
    }
    // Two items with icons, the second lit, in a list that scrolls.
    void OpenWithIconsAndHighlight() {
        auto images = std::make_shared<gfx::ImageList>(12, 12);
        gfx::Bitmap strip(24, 12, 0xFF2E7D32);
        for (int y = 0; y < 12; ++y)
            for (int x = 12; x < 24; ++x) strip.setPixel(x, y, 0xFFC62828);
        images->add(strip);
        list->SetImageList(images);
        std::vector<DropDownItem> items = list->Items();
        items[0].icon = 0;
        items[1].icon = 1;
        list->SetItems(items);
        Open();
        list->SetHighlighted(1);
    }
};

TEST_F(DropDownFixture, OpensAsATopmostPopupHoldingTheCaptureButNotTheFocus) {
    EXPECT_FALSE(list->IsOpen());
    EXPECT_FALSE(ui::Wm().IsWindowVisible(listHwnd));
    Open();
    EXPECT_TRUE(list->IsOpen());
    EXPECT_TRUE(ui::Wm().IsWindowVisible(listHwnd));
    EXPECT_EQ(ui::Wm().GetCapture(), listHwnd);
    EXPECT_EQ(ui::Wm().GetFocus(), field);
    EXPECT_EQ(ui::Wm().GetWindowRect(listHwnd), ui::rectOfSize(host.ToScreen(20, 40).x, host.ToScreen(20, 40).y, 100, 66));
    EXPECT_EQ(list->VisibleItemCount(), 4);
    EXPECT_TRUE(list->HasScrollBar());
    // The list stands above the host window at its point.
    ui::Point p = RowPoint(0);
    EXPECT_EQ(ui::Wm().WindowFromPoint(host.ToScreen(p.x, p.y)), listHwnd);
    list->Hide();
    EXPECT_FALSE(ui::Wm().IsWindowVisible(listHwnd));
    EXPECT_EQ(ui::Wm().GetCapture(), 0u);
    EXPECT_TRUE(heard.empty()); // hiding from code tells nobody
}

TEST_F(DropDownFixture, KeysMoveTheHighlightAsAListBoxDoes) {
    Open();
    Key(ui::VK_DOWN);
    EXPECT_EQ(list->Highlighted(), 0);
    Key(ui::VK_DOWN);
    Key(ui::VK_RIGHT);
    EXPECT_EQ(list->Highlighted(), 2);
    Key(ui::VK_LEFT);
    EXPECT_EQ(list->Highlighted(), 1);
    // PgDn goes to the bottom of the page first, then a page on; the view follows.
    Key(ui::VK_NEXT);
    EXPECT_EQ(list->Highlighted(), 3);
    EXPECT_EQ(list->TopIndex(), 0);
    Key(ui::VK_NEXT);
    EXPECT_EQ(list->Highlighted(), 6);
    EXPECT_EQ(list->TopIndex(), 3);
    Key(ui::VK_END);
    EXPECT_EQ(list->Highlighted(), 9);
    EXPECT_EQ(list->TopIndex(), 6);
    Key(ui::VK_DOWN); // stays on the last
    EXPECT_EQ(list->Highlighted(), 9);
    Key(ui::VK_PRIOR);
    EXPECT_EQ(list->Highlighted(), 6);
    Key(ui::VK_PRIOR);
    EXPECT_EQ(list->Highlighted(), 3);
    Key(ui::VK_HOME);
    EXPECT_EQ(list->Highlighted(), 0);
    EXPECT_EQ(list->TopIndex(), 0);
    Key(ui::VK_UP);
    EXPECT_EQ(list->Highlighted(), 0);
    EXPECT_EQ(heard, (std::vector<std::string>{"lit:0", "lit:1", "lit:2", "lit:1", "lit:3", "lit:6", "lit:9", "lit:6",
                                               "lit:3", "lit:0"}));
    EXPECT_FALSE(list->HandleKey(ui::VK_F2, 0));
    EXPECT_FALSE(list->HandleKey('A', 0));
}

TEST_F(DropDownFixture, EnterChoosesThenCloses_EscapeClosesWithoutAChoice) {
    Open();
    Key(ui::VK_DOWN);
    Key(ui::VK_DOWN);
    heard.clear();
    Key(ui::VK_RETURN);
    EXPECT_EQ(heard, (std::vector<std::string>{"chosen:1", "closed:1"}));
    EXPECT_FALSE(list->IsOpen());
    EXPECT_EQ(ui::Wm().GetCapture(), 0u);
    heard.clear();
    Open();
    Key(ui::VK_ESCAPE);
    EXPECT_EQ(heard, (std::vector<std::string>{"closed:-1"}));
    // Closed: keys are not the list's.
    EXPECT_FALSE(list->HandleKey(ui::VK_DOWN, 0));
}

TEST_F(DropDownFixture, HoverHighlightsAndAClickChooses) {
    Open();
    ui::Point p = RowPoint(2);
    host.MouseMove(p.x, p.y);
    EXPECT_EQ(list->Highlighted(), 2);
    host.MouseMove(p.x, p.y + 16);
    EXPECT_EQ(list->Highlighted(), 3);
    EXPECT_EQ(heard, (std::vector<std::string>{"lit:2m", "lit:3m"}));
    heard.clear();
    host.Click(p.x, p.y);
    EXPECT_EQ(heard, (std::vector<std::string>{"lit:2m", "chosen:2m", "closed:2m"}));
    EXPECT_FALSE(list->IsOpen());
    EXPECT_EQ(ui::Wm().GetFocus(), field);
}

TEST_F(DropDownFixture, APressOutsideTheFocusLeavingOrALostCaptureClose) {
    Open();
    probe.Clear();
    host.Click(250, 30); // on the other window
    EXPECT_EQ(heard, (std::vector<std::string>{"closed:-1m"}));
    EXPECT_FALSE(list->IsOpen());
    // The press that closed the list is not passed on.
    EXPECT_TRUE(probe.Ids(other, {ui::WM_LBUTTONDOWN}).empty());

    heard.clear();
    Open();
    ui::Wm().SetFocus(other);
    EXPECT_EQ(heard, (std::vector<std::string>{"closed:-1"}));
    EXPECT_FALSE(list->IsOpen());

    heard.clear();
    ui::Wm().SetFocus(field);
    Open();
    ui::Wm().SetCapture(other);
    EXPECT_EQ(heard, (std::vector<std::string>{"closed:-1"}));
    ui::Wm().ReleaseCapture();
    // Once closed the field's focus changes mean nothing to it.
    heard.clear();
    ui::Wm().SetFocus(other);
    EXPECT_TRUE(heard.empty());
}

TEST_F(DropDownFixture, TheScrollBarArrowsPagesThumbAndWheelScroll) {
    Open();
    ui::Rect r = ui::Wm().GetWindowRect(listHwnd);
    ui::Point origin = host.ToScreen(0, 0);
    const int barX = r.right - 1 - 8 - origin.x;
    const int top = r.top + 1 - origin.y, bottom = r.bottom - 1 - origin.y;
    host.Click(barX, bottom - 5); // down arrow
    EXPECT_EQ(list->TopIndex(), 1);
    host.Click(barX, top + 5); // up arrow
    EXPECT_EQ(list->TopIndex(), 0);
    host.Click(barX, bottom - 20); // track below the thumb
    EXPECT_EQ(list->TopIndex(), 4);
    host.Wheel(RowPoint(1).x, RowPoint(1).y, 120);
    EXPECT_EQ(list->TopIndex(), 1);
    host.Wheel(RowPoint(1).x, RowPoint(1).y, -240);
    EXPECT_EQ(list->TopIndex(), 6); // no further than the last page
    // Dragging the thumb to the top.
    host.Drag(barX, bottom - 22, barX, top, 4);
    EXPECT_EQ(list->TopIndex(), 0);
    EXPECT_TRUE(list->IsOpen()); // scrolling chooses nothing (the pointer over the items only lights them)
    for (const std::string& h : heard) EXPECT_EQ(h.rfind("lit:", 0), 0u) << h;
}

TEST_F(DropDownFixture, AListenerMayDestroyTheListInsideAChoice) {
    list->SetListener([this](const DropDownEvent& e) {
        heard.push_back(e.kind == DropDownEvent::Chosen ? "chosen" : "other");
        ui::Wm().DestroyWindow(listHwnd);
    });
    Open();
    Key(ui::VK_DOWN); // "other", and the list is gone
    EXPECT_FALSE(ui::Wm().IsWindow(listHwnd));
    EXPECT_EQ(ui::Wm().GetCapture(), 0u);
    EXPECT_EQ(DropDownList::FromWindow(listHwnd), nullptr);
    host.Click(50, 30); // the field still works
}

TEST_F(DropDownFixture, ItemsWithoutScrollBarAndEmptyLists) {
    list->SetItems({{"Hen", -1}, {"Capon", -1}});
    list->SetHighlighted(5);
    EXPECT_EQ(list->Highlighted(), -1);
    Open();
    EXPECT_FALSE(list->HasScrollBar());
    EXPECT_EQ(list->ItemAt(10, 20), 1);
    EXPECT_EQ(list->ItemAt(10, 40), -1); // below the last item
    list->SetItems({});
    Key(ui::VK_DOWN);
    EXPECT_EQ(list->Highlighted(), -1);
    Key(ui::VK_RETURN); // nothing to choose: it closes
    EXPECT_EQ(heard, (std::vector<std::string>{"closed:-1"}));
}

TEST_F(DropDownFixture, PictureOfAnOpenListWithHighlightAndScrollBar) {
    OpenWithIconsAndHighlight();
    EXPECT_FALSE(list->IsThemed());
    EXPECT_TRUE(test::MatchesReference(Shot(), "tests/controls/reference/drop_down_list.png"));
}

TEST_F(DropDownFixture, PictureOfAnOpenThemedList) {
    list->SetThemed(true);
    OpenWithIconsAndHighlight();
    EXPECT_TRUE(test::MatchesReference(Shot(), "tests/controls/reference/drop_down_list_themed.png"));
}

TEST_F(DropDownFixture, ThemedAndClassicListsDifferInBorderAndHighlightOnly) {
    OpenWithIconsAndHighlight();
    const gfx::Bitmap classic = Shot();
    list->SetThemed(true); // the open list repaints in the new look
    const gfx::Bitmap themed = Shot();
    ASSERT_EQ(classic.width(), themed.width());
    const int w = classic.width(), h = classic.height();
    const gfx::Color frame = gfx::sysColor(gfx::COLOR_WINDOWFRAME);
    const gfx::Color soft = theme::themedPalette().border;
    ASSERT_NE(frame, soft);
    for (int x = 0; x < w; ++x)
        for (int y : {0, h - 1}) {
            EXPECT_EQ(classic.colorAt(x, y), frame) << x << "," << y;
            EXPECT_EQ(themed.colorAt(x, y), soft) << x << "," << y;
        }
    for (int y = 0; y < h; ++y)
        for (int x : {0, w - 1}) {
            EXPECT_EQ(classic.colorAt(x, y), frame) << x << "," << y;
            EXPECT_EQ(themed.colorAt(x, y), soft) << x << "," << y;
        }
    // Inside the border the items lie at the same place; the lit one (client y 17..32) takes the
    // accent, an unlit one keeps the window colour in both looks.
    EXPECT_EQ(list->ItemRect(1), (ui::Rect{1, 17, list->ItemRect(1).right, 33}));
    EXPECT_EQ(classic.colorAt(w - 30, 20), gfx::sysColor(gfx::COLOR_HIGHLIGHT));
    EXPECT_EQ(themed.colorAt(w - 30, 20), theme::themedPalette().accent);
    EXPECT_EQ(classic.colorAt(w - 30, 40), gfx::sysColor(gfx::COLOR_WINDOW));
    EXPECT_EQ(themed.colorAt(w - 30, 40), gfx::sysColor(gfx::COLOR_WINDOW));
    // A click still finds the item under it.
    ui::Point p = RowPoint(2);
    host.Click(p.x, p.y);
    EXPECT_EQ(heard, (std::vector<std::string>{"lit:2m", "chosen:2m", "closed:2m"}));
}

} // namespace
} // namespace lattix::controls
