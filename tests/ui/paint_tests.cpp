// Invalidation, paint order and the rendering of a window tree (the demo window).
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/gfx/device_context.h"
#include "platform/gfx/png_reader.h"
#include "platform/gfx/system_colors.h"
#include "tests/ui/probe_window.h"

using namespace lattix::ui;
using namespace lattix::ui::testing;
using lattix::ui::headless::HeadlessHost;
namespace gfx = lattix::gfx;

namespace {

TEST(Painting, InvalidationCollectsAnUpdateAreaPaintedOnce) {
    HeadlessHost host(200, 200);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd w = probe.Create(host.TopLevel(), rectOfSize(0, 0, 100, 100));
    host.Pump();
    probe.Clear();
    Rect a{10, 10, 20, 20}, b{50, 40, 60, 70};
    std::vector<Rect> painted;
    probe.Handle(w, [&](Hwnd h, MessageId m, WParam, LParam) -> std::optional<LResult> {
        if (m != WM_PAINT) return std::nullopt;
        PaintStruct ps;
        gfx::DeviceContext* dc = wm.BeginPaint(h, ps);
        EXPECT_NE(dc, nullptr);
        EXPECT_EQ(wm.BeginPaint(h, ps), nullptr); // not twice
        painted.push_back(ps.rcPaint);
        dc->fillRect(Rect{0, 0, 100, 100}, gfx::rgb(0, 0, 255)); // clipped to the update area
        wm.EndPaint(h, ps);
        return 0;
    });
    wm.InvalidateRect(w, &a, false);
    wm.InvalidateRect(w, &b, true);
    EXPECT_EQ(wm.GetUpdateRect(w), (Rect{10, 10, 60, 70}));
    host.Pump();
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_EQ(painted[0], (Rect{10, 10, 60, 70}));
    EXPECT_EQ(probe.Ids(w, {WM_ERASEBKGND, WM_PAINT}), (std::vector<MessageId>{WM_PAINT, WM_ERASEBKGND}));
    const gfx::Bitmap* surface = wm.GetClientBitmap(w);
    EXPECT_EQ(surface->colorAt(15, 15), gfx::rgb(0, 0, 255));
    EXPECT_EQ(surface->colorAt(5, 5), gfx::rgb(255, 255, 255));
    EXPECT_TRUE(wm.GetUpdateRect(w).isEmpty());

    // With redraw off nothing paints; the area waits.
    wm.SendMessage(w, WM_SETREDRAW, 0);
    wm.InvalidateRect(w, nullptr, false);
    host.Pump();
    EXPECT_EQ(painted.size(), 1u);
    wm.SendMessage(w, WM_SETREDRAW, 1);
    wm.UpdateWindow(w);
    EXPECT_EQ(painted.size(), 2u);
    // A handler that never validates is not asked forever.
    probe.Handle(w, [](Hwnd, MessageId, WParam, LParam) -> std::optional<LResult> { return 0; });
    wm.InvalidateRect(w, nullptr, false);
    host.Pump();
    EXPECT_TRUE(wm.GetUpdateRect(w).isEmpty());
}

// The demo window: two children side by side, the right one framed and with both scroll bars.
LResult DemoProc(Hwnd h, MessageId m, WParam w, LParam l) {
    WindowManager& wm = Wm();
    if (m == WM_PAINT) {
        PaintStruct ps;
        gfx::DeviceContext* dc = wm.BeginPaint(h, ps);
        Rect client = wm.GetClientRect(h);
        bool right = wm.GetStyle(h) & WS_VSCROLL;
        dc->fillRect(client, right ? gfx::rgb(0xFF, 0xFF, 0xFF) : gfx::rgb(0xFF, 0xF4, 0xC0));
        dc->setBkMode(gfx::BackgroundMode::Transparent);
        if (right) {
            for (int i = 0; i < 8; ++i) {
                dc->fillRect(Rect{0, i * 20 + 19, client.right, i * 20 + 20}, gfx::rgb(0xC0, 0xC0, 0xC0));
                dc->textOut(4, i * 20 + 3, "Row " + std::to_string(i + 1 + wm.GetScrollPos(h, SB_VERT)));
            }
        } else {
            dc->fillRect(Rect{20, 20, 80, 60}, gfx::rgb(0x20, 0x60, 0xC0));
            dc->textOut(10, 70, "Left pane");
        }
        wm.EndPaint(h, ps);
        return 0;
    }
    return wm.DefWindowProc(h, m, w, l);
}

TEST(Painting, DemoWindowRendersChildrenAndScrollBarsToPng) {
    HeadlessHost host(320, 200, "Demo");
    WindowManager& wm = Wm();
    if (!wm.IsClassRegistered("TestDemoPane")) wm.RegisterClass(WindowClass{"TestDemoPane", &DemoProc});
    CreateParams left;
    left.className = "TestDemoPane";
    left.style = WS_CHILD | WS_VISIBLE;
    left.rect = rectOfSize(10, 10, 140, 180);
    left.parent = host.TopLevel();
    Hwnd leftPane = wm.CreateWindow(left);
    CreateParams right = left;
    right.style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_BORDER;
    right.rect = rectOfSize(160, 10, 150, 180);
    Hwnd rightPane = wm.CreateWindow(right);
    ASSERT_NE(leftPane, 0u);
    ASSERT_NE(rightPane, 0u);
    ScrollInfo info;
    info.mask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.max = 99;
    info.page = 25;
    info.pos = 30;
    wm.SetScrollInfo(rightPane, SB_VERT, info);
    info.pos = 0;
    wm.SetScrollInfo(rightPane, SB_HORZ, info);

    gfx::Bitmap picture = host.Render();
    ASSERT_EQ(picture.width(), 320);
    ASSERT_EQ(picture.height(), 200);
    int t = wm.ScrollBarThickness();
    EXPECT_EQ(picture.colorAt(5, 5), gfx::sysColor(gfx::COLOR_BTNFACE)); // the frame's background
    EXPECT_EQ(picture.colorAt(50, 50), gfx::rgb(0x20, 0x60, 0xC0)); // left pane's block
    EXPECT_EQ(picture.colorAt(12, 12), gfx::rgb(0xFF, 0xF4, 0xC0));
    EXPECT_EQ(picture.colorAt(160, 100), gfx::sysColor(gfx::COLOR_WINDOWFRAME)); // right pane's border
    EXPECT_EQ(picture.colorAt(161 + 120 - t - 1, 15), gfx::rgb(0xFF, 0xFF, 0xFF)); // its client
    // The vertical bar: not the client's white, and its thumb sits below the top arrow.
    gfx::Color bar = picture.colorAt(310 - 1 - t / 2, 10 + 1 + t + 2);
    EXPECT_NE(bar, gfx::rgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(wm.GetClientRect(rightPane), (Rect{0, 0, 148 - t, 178 - t}));

    // The picture on disk is the same picture.
    std::string path = ::testing::TempDir() + "lattix_ui_demo.png";
    host.SavePng(path);
    ASSERT_TRUE(std::filesystem::exists(path));
    gfx::Bitmap back = gfx::readPng(path);
    EXPECT_EQ(back.width(), 320);
    EXPECT_EQ(back.colorAt(50, 50), gfx::rgb(0x20, 0x60, 0xC0));
    if (const char* keep = std::getenv("LATTIX_UI_DEMO_PNG")) host.SavePng(keep);

    // Scrolling repaints only the pane that changed.
    std::size_t before = host.Backend().PresentRequests(host.TopLevel());
    wm.SetScrollPos(rightPane, SB_VERT, 40);
    wm.InvalidateRect(rightPane, nullptr, true);
    host.Pump();
    EXPECT_GT(host.Backend().PresentRequests(host.TopLevel()), before);
}

TEST(Painting, RenderIncludesOwnedPopupsBeyondTheWindow) {
    HeadlessHost host(100, 100);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd popup = probe.Create(host.TopLevel(), rectOfSize(80, 50, 60, 80), WS_POPUP | WS_VISIBLE | WS_BORDER,
                              false, WS_EX_TOPMOST);
    ASSERT_NE(popup, 0u);
    EXPECT_EQ(wm.GetOwner(popup), host.TopLevel());
    Point origin;
    gfx::Bitmap picture = wm.RenderWindow(host.TopLevel(), &origin);
    EXPECT_EQ(origin, (Point{0, 0}));
    EXPECT_EQ(picture.width(), 140);
    EXPECT_EQ(picture.height(), 130);
    EXPECT_EQ(picture.colorAt(100, 100), gfx::rgb(0xFF, 0xFF, 0xFF)); // the popup's client
    EXPECT_EQ(picture.colorAt(120, 10), gfx::sysColor(gfx::COLOR_BACKGROUND)); // outside both: desktop
    EXPECT_EQ(wm.WindowFromPoint(Point{90, 60}), popup);
    // The popup goes with its owner.
    wm.DestroyWindow(host.TopLevel());
    EXPECT_FALSE(wm.IsWindow(popup));
}

} // namespace
