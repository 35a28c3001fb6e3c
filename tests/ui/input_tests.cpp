// Focus, capture, mouse-leave tracking, double clicks, the wheel and the keyboard.
#include <gtest/gtest.h>

#include "platform/gfx/system_metrics.h"
#include "tests/ui/probe_window.h"

using namespace lattix::ui;
using namespace lattix::ui::testing;
using lattix::ui::headless::HeadlessHost;
using lattix::ui::headless::MouseButton;

namespace {

TEST(Focus, ChangesSendKillThenSetWithTheOtherWindow) {
    HeadlessHost host(200, 100);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd a = probe.Create(host.TopLevel(), rectOfSize(0, 0, 50, 50));
    Hwnd b = probe.Create(host.TopLevel(), rectOfSize(60, 0, 50, 50));
    wm.SetFocus(a);
    probe.Clear();
    EXPECT_EQ(wm.SetFocus(b), a);
    std::vector<Received> log = probe.Log({WM_KILLFOCUS, WM_SETFOCUS});
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].hwnd, a);
    EXPECT_EQ(log[0].message, WM_KILLFOCUS);
    EXPECT_EQ(log[0].wParam, b);
    EXPECT_EQ(log[1].hwnd, b);
    EXPECT_EQ(log[1].message, WM_SETFOCUS);
    EXPECT_EQ(log[1].wParam, a);
    EXPECT_EQ(wm.GetFocus(), b);

    // Keys go to the focus window.
    probe.Clear();
    host.KeyPress(VK_RETURN);
    EXPECT_EQ(probe.Ids(b, {WM_KEYDOWN, WM_CHAR, WM_KEYUP}), (std::vector<MessageId>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    EXPECT_EQ(probe.Log({WM_CHAR})[0].wParam, 13u);

    // Hiding the focus window takes the focus away; a dead handle changes nothing.
    wm.ShowWindow(b, SW_HIDE);
    EXPECT_EQ(wm.GetFocus(), 0u);
    EXPECT_EQ(wm.SetFocus(0xDEAD), 0u);
    EXPECT_EQ(wm.GetFocus(), 0u);
    wm.SetFocus(a);
    wm.DestroyWindow(a);
    EXPECT_EQ(wm.GetFocus(), 0u);
}

TEST(Capture, CapturedWindowGetsMovesOutsideAndHearsWhenCaptureEnds) {
    HeadlessHost host(300, 200);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd a = probe.Create(host.TopLevel(), rectOfSize(10, 10, 50, 50));
    Hwnd b = probe.Create(host.TopLevel(), rectOfSize(100, 10, 50, 50));
    probe.Handle(a, [&](Hwnd h, MessageId m, WParam, LParam) -> std::optional<LResult> {
        if (m == WM_LBUTTONDOWN) wm.SetCapture(h);
        if (m == WM_LBUTTONUP) wm.ReleaseCapture();
        return std::nullopt;
    });
    host.MouseDown(20, 20);
    EXPECT_EQ(wm.GetCapture(), a);
    probe.Clear();
    host.MouseMove(5, 120); // outside a, left of and below it
    host.MouseMove(110, 20); // over b
    std::vector<Received> moves = probe.Log({WM_MOUSEMOVE});
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].hwnd, a);
    EXPECT_EQ(GetXLParam(moves[0].lParam), -5);
    EXPECT_EQ(GetYLParam(moves[0].lParam), 110);
    EXPECT_EQ(moves[0].wParam & MK_LBUTTON, MK_LBUTTON);
    EXPECT_EQ(moves[1].hwnd, a);
    EXPECT_TRUE(probe.Ids(b, {WM_MOUSEMOVE}).empty());
    host.MouseUp(110, 20);
    EXPECT_EQ(probe.Ids(a, {WM_LBUTTONUP, WM_CAPTURECHANGED}),
              (std::vector<MessageId>{WM_LBUTTONUP, WM_CAPTURECHANGED}));
    EXPECT_EQ(wm.GetCapture(), 0u);

    // Taking capture away tells the old holder who has it now.
    wm.SetCapture(a);
    probe.Clear();
    wm.SetCapture(b);
    std::vector<Received> changed = probe.Log({WM_CAPTURECHANGED});
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].hwnd, a);
    EXPECT_EQ(static_cast<Hwnd>(changed[0].lParam), b);
    // A modal message box takes the capture too.
    wm.MessageBox(b, "text", "caption", MB_OK);
    EXPECT_EQ(wm.GetCapture(), 0u);
    EXPECT_EQ(probe.Ids(b, {WM_CAPTURECHANGED}).size(), 1u);
}

TEST(MouseLeave, TrackedWindowHearsOnceWhenThePointerLeaves) {
    HeadlessHost host(300, 200);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd a = probe.Create(host.TopLevel(), rectOfSize(10, 10, 50, 50));
    Hwnd b = probe.Create(host.TopLevel(), rectOfSize(100, 10, 50, 50));
    probe.Handle(a, [&](Hwnd h, MessageId m, WParam, LParam) -> std::optional<LResult> {
        if (m == WM_MOUSEMOVE && !wm.IsTrackingMouseLeave(h)) wm.TrackMouseEvent(TME_LEAVE, h);
        return std::nullopt;
    });
    host.MouseMove(20, 20);
    host.MouseMove(25, 20);
    EXPECT_TRUE(wm.IsTrackingMouseLeave(a));
    EXPECT_TRUE(probe.Ids(a, {WM_MOUSELEAVE}).empty());
    host.MouseMove(110, 20); // onto b
    host.MouseMove(120, 20);
    EXPECT_EQ(probe.Ids(a, {WM_MOUSELEAVE}).size(), 1u);
    EXPECT_FALSE(wm.IsTrackingMouseLeave(a));
    // Order: the leave arrives before b's first move is handled.
    std::vector<Received> log = probe.Log({WM_MOUSELEAVE, WM_MOUSEMOVE});
    auto leave = std::find_if(log.begin(), log.end(), [](const Received& r) { return r.message == WM_MOUSELEAVE; });
    auto firstB = std::find_if(log.begin(), log.end(), [&](const Received& r) { return r.hwnd == b; });
    EXPECT_LT(leave - log.begin(), firstB - log.begin());

    // Asking while the pointer is elsewhere answers at once; cancelling stops the tracking.
    probe.Clear();
    wm.TrackMouseEvent(TME_LEAVE, a);
    host.Pump();
    EXPECT_EQ(probe.Ids(a, {WM_MOUSELEAVE}).size(), 1u);
    host.MouseMove(20, 20);
    wm.TrackMouseEvent(TME_LEAVE | TME_CANCEL, a);
    probe.Handle(a, nullptr);
    probe.Clear();
    host.MouseMove(200, 150);
    EXPECT_TRUE(probe.Ids(a, {WM_MOUSELEAVE}).empty());
}

TEST(MouseHover, ArrivesAfterThePointerRestsForTheHoverTime) {
    HeadlessHost host(300, 200);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd a = probe.Create(host.TopLevel(), rectOfSize(10, 10, 50, 50));
    host.MouseMove(20, 20);
    wm.TrackMouseEvent(TME_HOVER, a, 100);
    host.Advance(60);
    host.MouseMove(22, 20); // the wait starts again
    host.Advance(60);
    EXPECT_TRUE(probe.Ids(a, {WM_MOUSEHOVER}).empty());
    host.Advance(40);
    ASSERT_EQ(probe.Ids(a, {WM_MOUSEHOVER}).size(), 1u);
    EXPECT_EQ(GetXLParam(probe.Log({WM_MOUSEHOVER})[0].lParam), 12);
    host.Advance(500);
    EXPECT_EQ(probe.Ids(a, {WM_MOUSEHOVER}).size(), 1u);
}

TEST(Mouse, DoubleClickNeedsTheClassStyleTheTimeAndTheSameSpot) {
    HeadlessHost host(300, 200);
    Probe probe;
    Hwnd dbl = probe.Create(host.TopLevel(), rectOfSize(0, 0, 100, 100), WS_CHILD | WS_VISIBLE, true);
    Hwnd plain = probe.Create(host.TopLevel(), rectOfSize(150, 0, 100, 100));
    std::vector<MessageId> buttons{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK};

    host.DoubleClick(10, 10);
    EXPECT_EQ(probe.Ids(dbl, buttons), (std::vector<MessageId>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}));
    probe.Clear();
    host.Click(10, 10);
    host.Advance(501); // past the double-click time
    host.Click(10, 10);
    host.Click(30, 10); // too far away
    host.Click(30, 10, MouseButton::Right); // another button
    EXPECT_EQ(probe.Ids(dbl, buttons),
              (std::vector<MessageId>{WM_LBUTTONDOWN, WM_LBUTTONDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN}));
    probe.Clear();
    host.DoubleClick(160, 10);
    EXPECT_EQ(probe.Ids(plain, buttons), (std::vector<MessageId>{WM_LBUTTONDOWN, WM_LBUTTONDOWN}));

    // Modifier keys show in the button state; a right release offers the context menu.
    probe.Clear();
    host.Click(20, 20, MouseButton::Right, kModShift | kModCtrl);
    std::vector<Received> down = probe.Log({WM_RBUTTONDOWN});
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].wParam, MK_RBUTTON | MK_SHIFT | MK_CONTROL);
    std::vector<Received> menu = probe.Log({WM_CONTEXTMENU});
    ASSERT_FALSE(menu.empty());
    EXPECT_EQ(menu[0].hwnd, dbl);
    EXPECT_EQ(GetXLParam(menu[0].lParam), 20); // screen coordinates
}

TEST(Mouse, WheelGoesToTheWindowUnderThePointerAndUpToItsParent) {
    HeadlessHost host(300, 200);
    Probe probe;
    Hwnd outer = probe.Create(host.TopLevel(), rectOfSize(0, 0, 200, 200));
    Hwnd inner = probe.Create(outer, rectOfSize(10, 10, 50, 50));
    host.Wheel(20, 20, -120, kModShift);
    std::vector<Received> wheels = probe.Log({WM_MOUSEWHEEL});
    ASSERT_EQ(wheels.size(), 2u); // the child's default handling passes it on
    EXPECT_EQ(wheels[0].hwnd, inner);
    EXPECT_EQ(wheels[1].hwnd, outer);
    EXPECT_EQ(GetWheelDeltaWParam(wheels[0].wParam), -120);
    EXPECT_EQ(GetKeyStateWParam(wheels[0].wParam), static_cast<int>(MK_SHIFT));
}

TEST(Mouse, DisabledWindowsGetNoInputAndSetCursorAsksTheParent) {
    HeadlessHost host(300, 200);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd outer = probe.Create(host.TopLevel(), rectOfSize(0, 0, 200, 200));
    Hwnd inner = probe.Create(outer, rectOfSize(10, 10, 50, 50));
    probe.Handle(outer, [&](Hwnd, MessageId m, WParam, LParam) -> std::optional<LResult> {
        if (m == WM_SETCURSOR) {
            wm.SetCursor(Cursor::Hand);
            return 1;
        }
        return std::nullopt;
    });
    host.MouseMove(20, 20);
    EXPECT_EQ(wm.GetCursor(), Cursor::Hand);
    EXPECT_EQ(host.Backend().LastCursor(), Cursor::Hand);
    wm.EnableWindow(inner, false);
    probe.Clear();
    host.Click(25, 25);
    EXPECT_TRUE(probe.Ids(inner, {WM_LBUTTONDOWN, WM_LBUTTONUP}).empty());
}

TEST(Keyboard, KeyStateTranslationAndSystemKeys) {
    HeadlessHost host(100, 100);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd w = probe.Create(host.TopLevel(), rectOfSize(0, 0, 50, 50));
    wm.SetFocus(w);
    unsigned modsSeen = 0;
    probe.Handle(w, [&](Hwnd, MessageId m, WParam, LParam) -> std::optional<LResult> {
        if (m == WM_KEYDOWN && modsSeen == 0) modsSeen = wm.ModifierState();
        return std::nullopt;
    });
    host.TypeText("aB");
    std::vector<Received> chars = probe.Log({WM_CHAR});
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].wParam, static_cast<WParam>('a'));
    EXPECT_EQ(chars[1].wParam, static_cast<WParam>('B'));
    std::vector<Received> downs = probe.Log({WM_KEYDOWN});
    EXPECT_EQ(downs[0].wParam, VK_A);
    EXPECT_EQ(downs.back().wParam, VK_A + 1); // Shift went down before B
    EXPECT_GE(wm.GetKeyState(VK_SHIFT), 0);   // and is up again

    probe.Clear();
    host.KeyPress(VK_A + 2, kModCtrl); // C
    ASSERT_EQ(probe.Log({WM_CHAR}).size(), 1u);
    EXPECT_EQ(probe.Log({WM_CHAR})[0].wParam, 3u); // Ctrl+C
    probe.Clear();
    host.KeyPress(VK_DOWN, kModAlt);
    std::vector<Received> sys = probe.Log({WM_SYSKEYDOWN});
    ASSERT_EQ(sys.size(), 2u); // Alt itself, then Down
    EXPECT_EQ(sys[1].wParam, VK_DOWN);
    EXPECT_NE(sys[1].lParam & (1 << 29), 0);
    EXPECT_TRUE(probe.Log({WM_CHAR}).empty());

    host.KeyDown(VK_SHIFT);
    EXPECT_LT(wm.GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(wm.ModifierState(), kModShift);
    host.KeyUp(VK_SHIFT);
    EXPECT_EQ(wm.ModifierState(), 0u);
    EXPECT_EQ(WindowManager::CharForKey(VK_F2, false, false), 0u);
    EXPECT_EQ(WindowManager::CharForKey(VK_0 + 5, false, false), U'5');
}

TEST(Monitors, NearestMonitorAndWorkArea) {
    HeadlessHost host(100, 100);
    WindowManager& wm = Wm();
    EXPECT_EQ(wm.GetWorkArea(), (Rect{0, 0, 1920, 1040}));
    host.Backend().SetMonitors({MonitorInfo{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true},
                                MonitorInfo{{1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}, false}});
    EXPECT_EQ(wm.MonitorFromPoint(Point{2000, 10}, MONITOR_DEFAULTTONULL), 2u);
    EXPECT_EQ(wm.MonitorFromPoint(Point{5000, 500}, MONITOR_DEFAULTTONULL), 0u);
    EXPECT_EQ(wm.MonitorFromPoint(Point{5000, 500}, MONITOR_DEFAULTTONEAREST), 2u);
    EXPECT_EQ(wm.MonitorFromPoint(Point{5000, 500}, MONITOR_DEFAULTTOPRIMARY), 1u);
    EXPECT_EQ(wm.MonitorFromRect(Rect{1900, 0, 2100, 10}, MONITOR_DEFAULTTONULL), 2u);
    MonitorInfo info;
    EXPECT_TRUE(wm.GetMonitorInfo(2, info));
    EXPECT_EQ(info.work.left, 1920);
    EXPECT_FALSE(wm.GetMonitorInfo(3, info));
    EXPECT_THROW(host.Backend().SetMonitors({}), std::invalid_argument);
}

TEST(Host, HostsShareOneDesktopAndCheckTheirSize) {
    EXPECT_THROW(HeadlessHost(0, 10), std::invalid_argument);
    HeadlessHost first(100, 100);
    {
        HeadlessHost second(50, 50);
        first.Advance(10);
        EXPECT_EQ(second.Now(), 10u);
        EXPECT_EQ(&first.Backend(), &second.Backend());
    }
    EXPECT_TRUE(Wm().IsWindow(first.TopLevel()));
    EXPECT_EQ(first.Now(), 10u);
}

TEST(SystemInfoService, SettableAndThemeChangesAreAnnounced) {
    HeadlessHost host(100, 100);
    Probe probe;
    Hwnd w = probe.Create(host.TopLevel(), rectOfSize(0, 0, 50, 50));
    SystemInfo info = host.GetSystemInfo();
    EXPECT_TRUE(info.IsUnicode());
    info.osMajor = 5;
    info.osMinor = 1;
    info.commonControlsMajor = 5;
    info.commonControlsMinor = 82;
    info.bitsPerPixel = 8;
    host.SetSystemInfo(info);
    EXPECT_EQ(Wm().GetSystemInfo(), info);
    EXPECT_TRUE(probe.Ids(w, {WM_THEMECHANGED}).empty()); // the visual-styles flags did not change
    info.visualStylesInUse = false;
    host.SetSystemInfo(info);
    EXPECT_EQ(probe.Ids(w, {WM_THEMECHANGED}).size(), 1u);
    info.family = OsFamily::Windows9x;
    info.dpiX = info.dpiY = 144;
    host.SetSystemInfo(info);
    EXPECT_FALSE(Wm().GetSystemInfo().IsUnicode());
    EXPECT_EQ(Wm().ScrollBarThickness(), 26); // the metrics follow the dpi
    EXPECT_EQ(lattix::gfx::systemMetrics().bitsPerPixel, 8);
    info.dpiX = 10;
    EXPECT_THROW(host.SetSystemInfo(info), std::invalid_argument);
    EXPECT_EQ(Wm().GetSystemInfo().dpiX, 144);
    Wm().BroadcastSysColorChange();
    EXPECT_EQ(probe.Ids(w, {WM_SYSCOLORCHANGE}).size(), 1u);
}

} // namespace
