#include "platform/headless/headless_host.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "platform/gfx/png_writer.h"
#include "platform/gfx/system_colors.h"
#include "platform/gfx/system_metrics.h"
#include "platform/gfx/utf8.h"

namespace lattix::ui::headless {

namespace {

constexpr const char* kFrameClass = "LattixHeadlessFrame";

// The desktop the hosts of this process share.
struct Desktop {
    std::unique_ptr<HeadlessBackend> backend;
    int hosts = 0;
};

Desktop& TheDesktop() {
    static Desktop desktop;
    return desktop;
}

LResult FrameProc(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam) {
    return Wm().DefWindowProc(hwnd, message, wParam, lParam);
}

VirtualKey ButtonKey(MouseButton b) {
    return b == MouseButton::Left ? VK_LBUTTON : b == MouseButton::Right ? VK_RBUTTON : VK_MBUTTON;
}

} // namespace

void InstallHeadlessDragPerformer();

HeadlessHost::HeadlessHost(int width, int height, const std::string& title, int dpi) {
    if (width < 1 || height < 1 || width > 16384 || height > 16384)
        throw std::invalid_argument("host window size out of range");
    if (dpi != 0 && (dpi < 24 || dpi > 1200)) throw std::invalid_argument("host dpi out of range");
    WindowManager& wm = Wm();
    Desktop& desktop = TheDesktop();
    if (desktop.hosts == 0) {
        if (wm.HasBackend()) throw std::logic_error("the window manager runs on another backend");
        // A fresh desktop has the classic colours and the 96-dpi metrics, so that pictures are
        // the same on every machine.
        gfx::systemColors().resetToDefaults();
        gfx::systemMetrics() = gfx::SystemMetrics{};
        auto backend = std::make_unique<HeadlessBackend>();
        wm.AttachBackend(backend.get());
        desktop.backend = std::move(backend);
        InstallHeadlessDragPerformer();
    }
    if (!wm.IsClassRegistered(kFrameClass)) {
        WindowClass frame;
        frame.name = kFrameClass;
        frame.proc = &FrameProc;
        frame.background = gfx::kSystemColorFlag | gfx::COLOR_BTNFACE;
        wm.RegisterClass(frame);
    }
    CreateParams params;
    params.className = kFrameClass;
    params.text = title;
    params.style = WS_OVERLAPPED | WS_CLIPCHILDREN;
    params.rect = rectOfSize(0, 0, width, height);
    topLevel_ = wm.CreateWindow(params);
    if (topLevel_ == 0) {
        if (desktop.hosts == 0) {
            wm.Reset();
            desktop.backend.reset();
        }
        throw std::runtime_error("the host window could not be created");
    }
    ++desktop.hosts;
    if (dpi != 0 && dpi != Backend().GetSystemInfo().dpiX) {
        SystemInfo info = Backend().GetSystemInfo();
        info.dpiX = info.dpiY = dpi;
        SetSystemInfo(info);
    }
    wm.ShowWindow(topLevel_, SW_SHOW);
    wm.PumpMessages();
}

HeadlessHost::~HeadlessHost() {
    WindowManager& wm = Wm();
    Desktop& desktop = TheDesktop();
    wm.DestroyWindow(topLevel_);
    if (--desktop.hosts == 0) {
        wm.Reset();
        desktop.backend.reset();
    }
}

HeadlessBackend& HeadlessHost::Backend() const { return *TheDesktop().backend; }

Point HeadlessHost::ToScreen(int x, int y) const {
    Point p{x, y};
    Wm().ClientToScreen(topLevel_, p);
    return p;
}

void HeadlessHost::BringToFront() {
    WindowManager& wm = Wm();
    std::vector<Hwnd> tops = wm.GetTopLevelWindows();
    // Another host's window above this one would take the input: raise this one, keeping its own
    // popups above it.
    bool covered = false;
    for (Hwnd h : tops) {
        if (h == topLevel_) break;
        if (wm.GetOwner(h) != topLevel_ && (wm.GetExStyle(h) & WS_EX_TOPMOST) == 0) covered = true;
    }
    if (!covered) return;
    wm.SetWindowPos(topLevel_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (auto it = tops.rbegin(); it != tops.rend(); ++it)
        if (wm.GetOwner(*it) == topLevel_)
            wm.SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void HeadlessHost::PressModifiers(unsigned mods, std::vector<VirtualKey>& pressed) {
    WindowManager& wm = Wm();
    const std::pair<unsigned, VirtualKey> keys[] = {{kModShift, VK_SHIFT}, {kModCtrl, VK_CONTROL}, {kModAlt, VK_MENU}};
    for (auto [bit, key] : keys)
        if ((mods & bit) && wm.GetKeyState(key) >= 0) {
            wm.InjectKey(key, true);
            pressed.push_back(key);
        }
}

void HeadlessHost::ReleaseModifiers(std::vector<VirtualKey>& pressed) {
    for (auto it = pressed.rbegin(); it != pressed.rend(); ++it) Wm().InjectKey(*it, false);
    pressed.clear();
}

void HeadlessHost::MouseMove(int x, int y, unsigned mods) {
    BringToFront();
    std::vector<VirtualKey> pressed;
    PressModifiers(mods, pressed);
    Wm().InjectMouseMove(ToScreen(x, y));
    ReleaseModifiers(pressed);
}

void HeadlessHost::MouseDown(int x, int y, MouseButton button, unsigned mods) {
    BringToFront();
    std::vector<VirtualKey> pressed;
    PressModifiers(mods, pressed);
    Wm().InjectMouseButton(ButtonKey(button), true, ToScreen(x, y));
    ReleaseModifiers(pressed);
}

void HeadlessHost::MouseUp(int x, int y, MouseButton button, unsigned mods) {
    BringToFront();
    std::vector<VirtualKey> pressed;
    PressModifiers(mods, pressed);
    Wm().InjectMouseButton(ButtonKey(button), false, ToScreen(x, y));
    ReleaseModifiers(pressed);
}

void HeadlessHost::Click(int x, int y, MouseButton button, unsigned mods) {
    BringToFront();
    std::vector<VirtualKey> pressed;
    PressModifiers(mods, pressed);
    Point p = ToScreen(x, y);
    Wm().InjectMouseButton(ButtonKey(button), true, p);
    Wm().InjectMouseButton(ButtonKey(button), false, p);
    ReleaseModifiers(pressed);
}

void HeadlessHost::DoubleClick(int x, int y, MouseButton button, unsigned mods) {
    Click(x, y, button, mods);
    Click(x, y, button, mods);
}

void HeadlessHost::Drag(int x1, int y1, int x2, int y2, int steps, MouseButton button, unsigned mods) {
    if (steps < 1) throw std::invalid_argument("a drag needs at least one step");
    BringToFront();
    std::vector<VirtualKey> pressed;
    PressModifiers(mods, pressed);
    WindowManager& wm = Wm();
    wm.InjectMouseMove(ToScreen(x1, y1));
    wm.InjectMouseButton(ButtonKey(button), true, ToScreen(x1, y1));
    for (int i = 1; i <= steps; ++i)
        wm.InjectMouseMove(ToScreen(x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps));
    wm.InjectMouseButton(ButtonKey(button), false, ToScreen(x2, y2));
    ReleaseModifiers(pressed);
}

void HeadlessHost::Wheel(int x, int y, int delta, unsigned mods) {
    BringToFront();
    std::vector<VirtualKey> pressed;
    PressModifiers(mods, pressed);
    Wm().InjectMouseWheel(delta, ToScreen(x, y));
    ReleaseModifiers(pressed);
}

void HeadlessHost::HWheel(int x, int y, int delta, unsigned mods) {
    BringToFront();
    std::vector<VirtualKey> pressed;
    PressModifiers(mods, pressed);
    Wm().InjectMouseWheel(delta, ToScreen(x, y), true);
    ReleaseModifiers(pressed);
}

void HeadlessHost::KeyDown(VirtualKey key, unsigned mods) {
    std::vector<VirtualKey> pressed;
    PressModifiers(mods, pressed);
    Wm().InjectKey(key, true);
    ReleaseModifiers(pressed);
}

void HeadlessHost::KeyUp(VirtualKey key, unsigned mods) {
    std::vector<VirtualKey> pressed;
    PressModifiers(mods, pressed);
    Wm().InjectKey(key, false);
    ReleaseModifiers(pressed);
}

void HeadlessHost::KeyPress(VirtualKey key, unsigned mods) {
    WindowManager& wm = Wm();
    std::vector<VirtualKey> pressed;
    PressModifiers(mods, pressed);
    wm.InjectKey(key, true);
    bool shift = wm.GetKeyState(VK_SHIFT) < 0, ctrl = wm.GetKeyState(VK_CONTROL) < 0;
    bool alt = wm.GetKeyState(VK_MENU) < 0;
    if (char32_t ch = WindowManager::CharForKey(key, shift, ctrl); ch != 0 && !alt) wm.InjectChar(ch);
    wm.InjectKey(key, false);
    ReleaseModifiers(pressed);
}

void HeadlessHost::TypeText(const std::string& utf8) {
    WindowManager& wm = Wm();
    for (char32_t ch : gfx::decodeUtf8(utf8)) {
        VirtualKey key = VK_PACKET;
        unsigned mods = 0;
        if (ch >= U'a' && ch <= U'z') {
            key = VK_A + (ch - U'a');
        } else if (ch >= U'A' && ch <= U'Z') {
            key = VK_A + (ch - U'A');
            mods = kModShift;
        } else if (ch >= U'0' && ch <= U'9') {
            key = VK_0 + (ch - U'0');
        } else if (ch == U' ') {
            key = VK_SPACE;
        } else if (ch == U'\r' || ch == U'\n') {
            key = VK_RETURN;
            ch = U'\r';
        } else if (ch == U'\t') {
            key = VK_TAB;
        }
        std::vector<VirtualKey> pressed;
        PressModifiers(mods, pressed);
        wm.InjectKey(key, true);
        wm.InjectChar(ch);
        wm.InjectKey(key, false);
        ReleaseModifiers(pressed);
    }
}

void HeadlessHost::Advance(std::uint64_t ms) {
    WindowManager& wm = Wm();
    HeadlessBackend& backend = Backend();
    std::uint64_t target = backend.NowMs() + ms;
    wm.PumpMessages();
    for (;;) {
        std::optional<std::uint64_t> due = wm.NextTimerDue();
        if (!due || *due > target) break;
        backend.SetNow(std::max(backend.NowMs(), *due));
        wm.RunDueTimers();
        wm.PumpMessages();
    }
    backend.SetNow(target);
    wm.PumpMessages();
}

std::uint64_t HeadlessHost::Now() const { return Backend().NowMs(); }

void HeadlessHost::Pump() { Wm().PumpMessages(); }

void HeadlessHost::AnswerNext(int value) { Backend().Script(ScriptedAnswer{ScriptedAnswer::Kind::Any, value, std::nullopt}); }

void HeadlessHost::AnswerNext(const std::string& text) {
    Backend().Script(ScriptedAnswer{ScriptedAnswer::Kind::Any, 0, text});
}

void HeadlessHost::AnswerNextMessageBox(int button) {
    Backend().Script(ScriptedAnswer{ScriptedAnswer::Kind::MessageBox, button, std::nullopt});
}

void HeadlessHost::AnswerNextMenu(int command) {
    Backend().Script(ScriptedAnswer{ScriptedAnswer::Kind::Menu, command, std::nullopt});
}

void HeadlessHost::SetSystemInfo(const SystemInfo& info) {
    if (info.dpiX < 24 || info.dpiX > 1200 || info.dpiY < 24 || info.dpiY > 1200 || info.bitsPerPixel < 1)
        throw std::invalid_argument("system information out of range");
    SystemInfo old = Backend().GetSystemInfo();
    Backend().SetSystemInfo(info);
    // The metrics follow the screen: sizes scale with the dpi, the colour depth is the screen's.
    if (old.dpiX != info.dpiX) {
        gfx::SystemMetrics scaled = gfx::SystemMetrics::forDpi(info.dpiX);
        const gfx::SystemMetrics& current = gfx::systemMetrics();
        scaled.doubleClickTimeMs = current.doubleClickTimeMs;
        scaled.mouseHoverTimeMs = current.mouseHoverTimeMs;
        scaled.wheelScrollLines = current.wheelScrollLines;
        gfx::systemMetrics() = scaled;
    }
    gfx::systemMetrics().bitsPerPixel = info.bitsPerPixel;
    if (old.visualStylesAvailable != info.visualStylesAvailable || old.visualStylesInUse != info.visualStylesInUse)
        Wm().BroadcastThemeChanged();
    // As when the window moves to a screen of another scale.
    if (old.dpiX != info.dpiX) Wm().BroadcastMessage(WM_DPICHANGED, static_cast<WParam>(info.dpiX), 0);
    Wm().PumpMessages();
}

void HeadlessHost::SetClipboardTextExternally(const std::string& utf8) {
    MemoryClipboardStore& store = Backend().Clipboard();
    store.Clear();
    store.Set(CF_UNICODETEXT, utf8);
}

void HeadlessHost::SetClipboardDataExternally(unsigned format, const std::string& bytes) {
    if (format == 0) throw std::invalid_argument("clipboard format 0 does not exist");
    MemoryClipboardStore& store = Backend().Clipboard();
    store.Clear();
    store.Set(format, bytes);
}

void HeadlessHost::HoldClipboardElsewhere(bool held) { Backend().Clipboard().SetHeldElsewhere(held); }

gfx::Bitmap HeadlessHost::Render() { return Wm().RenderWindow(topLevel_); }

void HeadlessHost::SavePng(const std::string& path) { gfx::writePng(Render(), path); }

} // namespace lattix::ui::headless
