#include "platform/controls/tooltip_window.h"
#include "platform/controls/control_window.h"
#include "platform/controls/owned_popup.h"

#include <algorithm>

#include "platform/gfx/system_colors.h"
#include "platform/gfx/text_draw.h"
#include "platform/theme/theme_data.h"

namespace lattix::controls {

using namespace ui;

namespace {

constexpr int kPadding = 5;
constexpr int kIconGap = 4;
constexpr int kTitleGap = 3;
// The tip stands this far below the pointer's hot spot, clear of the pointer.
constexpr int kBelowPointer = 20;
constexpr std::uintptr_t kSubclassId = 0x7440;

constexpr std::uint32_t kTextFlags = gfx::DT_LEFT | gfx::DT_TOP | gfx::DT_NOPREFIX | gfx::DT_EXPANDTABS;

gfx::FontPtr TitleFont() {
    gfx::FontSpec request;
    request.weight = gfx::FW_BOLD;
    return gfx::Font::create(request);
}

Size TextSize(const gfx::FontPtr& font, const std::string& text) {
    if (text.empty()) return {0, 0};
    gfx::TextLayout l = gfx::layoutText(*font, text, {0, 0, 100000, 100000}, kTextFlags);
    return {l.maxWidth, static_cast<int>(l.lines.size()) * l.lineHeight};
}

} // namespace

Hwnd TooltipWindow::Create(Hwnd tool, std::uint32_t style) {
    Hwnd hwnd = CreateOwnedPopup(kTooltipClassName, &TooltipWindow::Proc, tool, style);
    TooltipWindow* self = FromWindow(hwnd);
    if (self == nullptr) return 0;
    self->tool_ = tool;
    WindowManager& wm = Wm();
    if (!wm.SetWindowSubclass(tool, &TooltipWindow::ToolSubclass, kSubclassId, static_cast<std::uintptr_t>(hwnd))) {
        wm.DestroyWindow(hwnd);
        return 0;
    }
    return hwnd;
}

TooltipWindow* TooltipWindow::FromWindow(Hwnd hwnd) { return ControlOf<TooltipWindow>(hwnd, kTooltipClassName); }

LResult TooltipWindow::Proc(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam) {
    return RunControlProc<TooltipWindow>(hwnd, message, wParam, lParam, [hwnd] { return new TooltipWindow(hwnd); },
                                         [&](TooltipWindow* self) { return self->Handle(message, wParam, lParam); });
}

LResult TooltipWindow::Handle(MessageId message, WParam wParam, LParam lParam) {
    WindowManager& wm = Wm();
    const Hwnd hwnd = hwnd_;
    switch (message) {
    case WM_DESTROY:
        StopTimers();
        Detach();
        break;
    case WM_PAINT: {
        PaintStruct ps;
        if (gfx::DeviceContext* dc = wm.BeginPaint(hwnd, ps)) {
            Paint(*dc);
            wm.EndPaint(hwnd, ps);
        }
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        return HTTRANSPARENT; // the pointer passes through to the tool
    default:
        break;
    }
    return wm.DefWindowProc(hwnd, message, wParam, lParam);
}

LResult TooltipWindow::ToolSubclass(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam, std::uintptr_t,
                                    std::uintptr_t refData) {
    if (TooltipWindow* self = FromWindow(static_cast<Hwnd>(refData))) self->OnToolMessage(message);
    return Wm().DefSubclassProc(hwnd, message, wParam, lParam);
}

void TooltipWindow::Detach() {
    if (tool_ != 0) Wm().RemoveWindowSubclass(tool_, &TooltipWindow::ToolSubclass, kSubclassId);
    tool_ = 0;
}

bool TooltipWindow::Themed() const { return Wm().GetSystemInfo().visualStylesInUse; }

void TooltipWindow::OnToolMessage(MessageId message) {
    switch (message) {
    case WM_MOUSEMOVE:
        Wm().TrackMouseEvent(TME_LEAVE, tool_);
        if (!IsShown() && active_ && !poppedUntilLeave_) StartDelay();
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL:
        // A press ends the tip; it returns after the pointer leaves and comes back.
        Hide();
        poppedUntilLeave_ = true;
        break;
    case WM_MOUSELEAVE:
        Hide();
        poppedUntilLeave_ = false;
        break;
    case WM_DESTROY:
        // The tip goes with its tool.
        Wm().DestroyWindow(hwnd_);
        break;
    default:
        break;
    }
}

void TooltipWindow::StartDelay() {
    WindowManager& wm = Wm();
    if (delayTimer_ != 0) wm.KillTimer(0, delayTimer_);
    Hwnd self = hwnd_;
    delayTimer_ = wm.SetTimer(0, 0, static_cast<unsigned>(std::max(1, initialDelay_)), [self](Hwnd, TimerId, std::uint32_t) {
        if (TooltipWindow* t = FromWindow(self)) {
            Wm().KillTimer(0, t->delayTimer_);
            t->delayTimer_ = 0;
            t->Show();
        }
    });
}

void TooltipWindow::StopTimers() {
    WindowManager& wm = Wm();
    if (delayTimer_ != 0) wm.KillTimer(0, delayTimer_);
    if (visibleTimer_ != 0) wm.KillTimer(0, visibleTimer_);
    delayTimer_ = visibleTimer_ = 0;
}

Size TooltipWindow::MeasureTip() const {
    Size body = TextSize(gfx::Font::defaultFont(), text_);
    Size title = TextSize(TitleFont(), title_);
    int headWidth = title.cx, headHeight = title.cy;
    if (icon_ != TooltipIcon::None) {
        headWidth += kTooltipIconSize + (title_.empty() ? 0 : kIconGap);
        headHeight = std::max(headHeight, kTooltipIconSize);
    }
    int width = std::min(std::max(headWidth, body.cx), maxWidth_);
    int height = headHeight + body.cy + (headHeight > 0 && body.cy > 0 ? kTitleGap : 0);
    return {width + 2 * kPadding, height + 2 * kPadding};
}

void TooltipWindow::Show() {
    WindowManager& wm = Wm();
    if (!active_ || tool_ == 0 || (text_.empty() && title_.empty())) return;
    // Only while the pointer is still over the tool.
    Point cursor = wm.GetCursorPos();
    Hwnd under = wm.WindowFromPoint(cursor);
    if (under != tool_ && !wm.IsChild(tool_, under)) return;
    Size size = MeasureTip();
    Rect screen = wm.GetPrimaryScreenRect();
    int x = std::clamp(cursor.x, screen.left, std::max(screen.left, screen.right - size.cx));
    int y = cursor.y + kBelowPointer;
    if (y + size.cy > screen.bottom) y = std::max(screen.top, cursor.y - size.cy - 2);
    wm.SetWindowPos(hwnd_, HWND_TOPMOST, x, y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    wm.InvalidateRect(hwnd_, nullptr, false);
    if (visibleTimer_ != 0) wm.KillTimer(0, visibleTimer_);
    Hwnd self = hwnd_;
    visibleTimer_ = wm.SetTimer(0, 0, static_cast<unsigned>(std::max(1, visibleTime_)), [self](Hwnd, TimerId, std::uint32_t) {
        if (TooltipWindow* t = FromWindow(self)) {
            t->Hide();
            t->poppedUntilLeave_ = true;
        }
    });
}

void TooltipWindow::Hide() {
    StopTimers();
    if (IsShown()) Wm().ShowWindow(hwnd_, SW_HIDE);
}

bool TooltipWindow::IsShown() const { return Wm().IsWindowVisible(hwnd_); }

void TooltipWindow::SetText(const std::string& utf8) {
    text_ = utf8;
    if (IsShown()) Show();
}

void TooltipWindow::SetTitle(const std::string& utf8, TooltipIcon icon) {
    title_ = utf8;
    icon_ = icon;
    if (IsShown()) Show();
}

void TooltipWindow::SetInitialDelay(int ms) { initialDelay_ = ms < 0 ? 500 : ms; }
void TooltipWindow::SetVisibleTime(int ms) { visibleTime_ = ms < 0 ? 5000 : ms; }

void TooltipWindow::Activate(bool active) {
    active_ = active;
    if (!active) Hide();
}

void TooltipWindow::Paint(gfx::DeviceContext& dc) {
    Rect client = Wm().GetClientRect(hwnd_);
    bool themed = Themed();
    const theme::ThemedPalette& p = theme::themedPalette();
    gfx::Color back = themed ? p.tooltipBack : gfx::sysColor(gfx::COLOR_INFOBK);
    gfx::Color ink = themed ? p.tooltipText : gfx::sysColor(gfx::COLOR_INFOTEXT);
    dc.fillRect(client, back);
    dc.frameRect(client, gfx::Brush::solid(themed ? p.tooltipBorder : gfx::sysColor(gfx::COLOR_INFOTEXT)));
    dc.setBkMode(gfx::BackgroundMode::Transparent);
    dc.setTextColor(ink);
    int x = kPadding, y = kPadding;
    int headHeight = 0;
    if (icon_ != TooltipIcon::None) {
        DrawTooltipIcon(dc, icon_, x, y);
        x += kTooltipIconSize + kIconGap;
        headHeight = kTooltipIconSize;
    }
    if (!title_.empty()) {
        gfx::FontPtr bold = TitleFont();
        Size t = TextSize(bold, title_);
        dc.selectFont(bold);
        int ty = y + std::max(0, (headHeight - t.cy) / 2);
        gfx::drawText(dc, title_, Rect{x, ty, client.right - kPadding, ty + t.cy}, kTextFlags);
        headHeight = std::max(headHeight, t.cy);
    }
    if (headHeight > 0) y += headHeight + kTitleGap;
    dc.selectFont(nullptr);
    gfx::drawText(dc, text_, Rect{kPadding, y, client.right - kPadding, client.bottom - kPadding}, kTextFlags);
}

} // namespace lattix::controls
