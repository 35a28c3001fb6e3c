// The grid's own window: a child of the host window that fills its client area. Its procedure
// keeps the view size, paints through PaintWindow and passes mouse and keyboard messages to the
// input code (HandleInputMessage).
#include "grid/lattix.h"
#include "platform/ui/drag_drop.h"
#include "grid/automation/error_table.h"
#include "grid/view/grid_chrome.h"
#include "grid/view/painter.h"
#include "platform/ui/window_manager.h"

namespace lattix {

namespace {
constexpr const char* kGridWindowClass = "LattixGrid";

ui::LResult GridWindowProc(ui::Hwnd hwnd, ui::MessageId message, ui::WParam wParam, ui::LParam lParam) {
    ui::WindowManager& wm = ui::Wm();
    auto* grid = reinterpret_cast<Lattix*>(wm.GetUserData(hwnd));
    if (!grid) return wm.DefWindowProc(hwnd, message, wParam, lParam);
    if (message == ui::WM_NCDESTROY) {
        wm.SetUserData(hwnd, 0);
        grid->WindowDestroyed();
        return wm.DefWindowProc(hwnd, message, wParam, lParam);
    }
    return grid->WindowProc(message, wParam, lParam);
}

void RegisterGridWindowClass() {
    ui::WindowManager& wm = ui::Wm();
    if (wm.IsClassRegistered(kGridWindowClass)) return;
    ui::WindowClass wc;
    wc.name = kGridWindowClass;
    wc.proc = &GridWindowProc;
    wc.style = ui::CS_DBLCLKS;
    wc.background = gfx::CLR_NONE; // the painter covers the whole client area
    wm.RegisterClass(wc);
}

// Window styles of a BorderType: 1 and 2 a thin border, 3 a sunken 3-D edge.
void BorderStyles(int32_t borderType, uint32_t& style, uint32_t& exStyle) {
    style &= ~ui::WS_BORDER;
    exStyle &= ~ui::WS_EX_CLIENTEDGE;
    if (borderType == 1 || borderType == 2) style |= ui::WS_BORDER;
    else if (borderType == 3) exStyle |= ui::WS_EX_CLIENTEDGE;
}
} // namespace

void Lattix::AttachToWindow(ui::Hwnd parent) {
    ui::WindowManager& wm = ui::Wm();
    if (hwnd_ != 0 || !wm.IsWindow(parent)) RaiseLattixError(lattix_error::kIllegalOperation);
    RegisterGridWindowClass();
    ui::CreateParams params;
    params.className = kGridWindowClass;
    params.style = ui::WS_CHILD | ui::WS_VISIBLE | ui::WS_CLIPCHILDREN | ui::WS_TABSTOP;
    BorderStyles(borderType_, params.style, params.exStyle);
    const ui::Rect client = wm.GetClientRect(parent);
    params.rect = client;
    params.parent = parent;
    // The procedure finds the grid through the window's user data, set before WM_SIZE arrives.
    const ui::Hwnd hwnd = wm.CreateWindow(params);
    if (hwnd == 0) RaiseLattixError(lattix_error::kOutOfMemory);
    hwnd_ = hwnd;
    rowPaintDeferred_ = false; // a paint left pending in an earlier window is not this one's
    ui::DragDrop().RegisterTarget(hwnd, GridDropTargetObject());
    painter_->AttachWindow(hwnd);
    wm.SetUserData(hwnd, reinterpret_cast<std::intptr_t>(this));
    chrome_->AttachWindow(hwnd);
    const ui::Rect own = wm.GetClientRect(hwnd);
    SetClientSize(own.width(), own.height());
    RelayoutAndRedraw();
}

void Lattix::DetachWindow() {
    if (hwnd_ == 0) return;
    ui::WindowManager& wm = ui::Wm();
    const ui::Hwnd hwnd = hwnd_;
    ui::DragDrop().RevokeTarget(hwnd);
    destroyDropDown();
    if (chrome_) chrome_->DetachWindow();
    hwnd_ = 0;
    painter_->AttachWindow(0);
    if (wm.IsWindow(hwnd)) {
        wm.SetUserData(hwnd, 0);
        wm.DestroyWindow(hwnd);
    }
}

void Lattix::WindowDestroyed() {
    ui::DragDrop().RevokeTarget(hwnd_);
    destroyDropDown();
    if (chrome_) chrome_->DetachWindow();
    hwnd_ = 0;
    painter_->AttachWindow(0);
}

void Lattix::MoveGridWindow(int32_t x, int32_t y, int32_t width, int32_t height) {
    if (hwnd_ != 0) ui::Wm().MoveWindow(hwnd_, x, y, std::max(0, width), std::max(0, height), true);
}

void Lattix::FocusGridWindow() {
    if (hwnd_ != 0) ui::Wm().SetFocus(hwnd_);
}

bool Lattix::HasFocus() const { return hwnd_ != 0 && ui::Wm().GetFocus() == hwnd_; }

void Lattix::applyBorderType() {
    if (hwnd_ == 0) return;
    ui::WindowManager& wm = ui::Wm();
    uint32_t style = wm.GetStyle(hwnd_), exStyle = wm.GetExStyle(hwnd_);
    BorderStyles(borderType_, style, exStyle);
    wm.SetStyle(hwnd_, style);
    wm.SetExStyle(hwnd_, exStyle);
    // Re-apply the size so the client area follows the new frame.
    const ui::Rect r = wm.GetWindowRect(hwnd_);
    ui::Point origin{r.left, r.top};
    wm.ScreenToClient(wm.GetParent(hwnd_), origin);
    wm.SetWindowPos(hwnd_, 0, origin.x, origin.y, r.width(), r.height(), ui::SWP_NOZORDER | ui::SWP_FRAMECHANGED);
    const ui::Rect own = wm.GetClientRect(hwnd_);
    SetClientSize(own.width(), own.height());
}

// The window took a new size: the host hears of it with painting held back (ResizeBeforeRedraw,
// where it may rearrange the grid without a flicker), then the view and the header follow and the
// host hears ResizeAfterRedraw.
void Lattix::Resized(int32_t width, int32_t height) {
    SetClientSize(width, height);
    ++beginUpdateCount_;
    try {
        RaiseEvent(event_id::kResizeBeforeRedraw, {});
    } catch (...) {
        --beginUpdateCount_;
        throw;
    }
    --beginUpdateCount_;
    RelayoutAndRedraw();
    RaiseEvent(event_id::kResizeAfterRedraw, {});
}

void Lattix::InvalidateView() {
    // Painted at once (or at EndUpdate while updates are suspended).
    painter_->RequestRepaintAll();
    painter_->Draw();
}

void Lattix::DeferRowPaint() {
    ui::WindowManager& wm = ui::Wm();
    const ui::Rect cells{0, CellsAreaTop(), view_.clientWidth, view_.clientHeight};
    // Once asked, the window holds the request until a paint takes it (which clears the mark).
    if (rowPaintDeferred_ && ui::intersect(wm.GetUpdateRect(hwnd_), cells) == cells) return;
    rowPaintDeferred_ = true;
    wm.InvalidateRect(hwnd_, &cells, false);
}

ui::LResult Lattix::WindowProc(ui::MessageId message, ui::WParam wParam, ui::LParam lParam) {
    ui::WindowManager& wm = ui::Wm();
    // Keep the grid alive while a handler it calls into might release the host's last reference.
    std::shared_ptr<AutomationObject> keepAlive = weak_from_this().lock();
    switch (message) {
    case ui::WM_SIZE:
        Resized(ui::LoWord(static_cast<std::uintptr_t>(lParam)), ui::HiWord(static_cast<std::uintptr_t>(lParam)));
        return 0;
    case ui::WM_ERASEBKGND: return 1;
    case ui::WM_PAINT: {
        ui::PaintStruct ps;
        gfx::DeviceContext* dc = wm.BeginPaint(hwnd_, ps);
        if (!dc) return 0;
        try {
            PaintWindow(*dc, ps.rcPaint);
        } catch (...) {
            wm.EndPaint(hwnd_, ps);
            throw;
        }
        wm.EndPaint(hwnd_, ps);
        return 0;
    }
    case ui::WM_SETFOCUS:
    case ui::WM_KILLFOCUS:
        FocusChanged(message == ui::WM_SETFOCUS, static_cast<ui::Hwnd>(wParam));
        break;
    case ui::WM_GETDLGCODE: {
        // A host asks, key by key, before it uses a key for its own focus moves or shortcuts: the
        // grid claims the keys it acts on (Tab only with UseTabKey, F2 and F4 only on cells they
        // edit) and every character.
        constexpr ui::LResult kWantArrows = 0x0001, kWantAllKeys = 0x0004, kWantChars = 0x0080;
        const auto key = static_cast<int32_t>(wParam);
        // A list cell keeps the focus on the grid while its list is open: every key stays here.
        if (key == 0 || editing_) return kWantArrows | kWantAllKeys | kWantChars;
        int32_t shift = 0;
        if (wm.GetKeyState(ui::VK_SHIFT) < 0) shift |= 1;
        if (wm.GetKeyState(ui::VK_CONTROL) < 0) shift |= 2;
        if (wm.GetKeyState(ui::VK_MENU) < 0) shift |= 4;
        return kWantChars | (WantsNavigationKey(key, shift) ? kWantArrows | kWantAllKeys : 0);
    }
    default: break;
    }
    bool handled = false;
    const ui::LResult result = HandleInputMessage(message, wParam, lParam, handled);
    if (handled) return result;
    return wm.DefWindowProc(hwnd_, message, wParam, lParam);
}

} // namespace lattix
