// Window tree, attributes, geometry, message delivery and the subclass chain.
#include "platform/ui/window_manager.h"

#include <algorithm>
#include <stdexcept>

#include "platform/gfx/device_context.h"
#include "platform/gfx/system_metrics.h"
#include "platform/ui/window_internals.h"
#include "platform/ui/window_record.h"

namespace lattix::ui {

WindowManager& Wm() {
    static WindowManager manager;
    return manager;
}

WindowManager::WindowManager() = default;

WindowManager::~WindowManager() {
    // Windows still alive at process end are dropped without messages: their procedures may
    // belong to objects that are already gone.
    windows_.clear();
}

void WindowManager::AttachBackend(Backend* backend) {
    if (!windows_.empty()) throw std::logic_error("the backend cannot change while windows exist");
    backend_ = backend;
    clipboard_.AttachStore(backend != nullptr ? &backend->ClipboardStorage() : nullptr);
    cursorPos_ = {-1, -1};
}

Backend& WindowManager::GetBackend() const {
    if (backend_ == nullptr) throw std::logic_error("no window backend attached");
    return *backend_;
}

void WindowManager::Reset() {
    std::vector<Hwnd> roots = topLevels_;
    for (Hwnd h : roots) DestroyWindow(h);
    windows_.clear();
    topLevels_.clear();
    queue_.clear();
    timers_.clear();
    leaveTracking_.clear();
    hover_ = {};
    hoverTimer_ = 0;
    focus_ = active_ = capture_ = compositionTarget_ = 0;
    cursorPos_ = {-1, -1};
    cursor_ = Cursor::Arrow;
    std::fill(std::begin(keyDown_), std::end(keyDown_), 0);
    std::fill(std::begin(keyToggled_), std::end(keyToggled_), 0);
    lastClick_ = {};
    scrollTrack_.reset();
    spy_ = nullptr;
    timerLimit_ = 10000;
    clipboard_.AttachStore(nullptr);
    backend_ = nullptr;
}

// ---- Classes and windows ---------------------------------------------------------------------

bool WindowManager::RegisterClass(const WindowClass& windowClass) {
    if (windowClass.name.empty() || windowClass.proc == nullptr) return false;
    if (classes_.count(windowClass.name) != 0) return false;
    classes_.emplace(windowClass.name, windowClass);
    return true;
}

bool WindowManager::IsClassRegistered(const std::string& name) const { return classes_.count(name) != 0; }

WindowRecord* WindowManager::Find(Hwnd hwnd) const {
    auto it = windows_.find(hwnd);
    if (it == windows_.end() || it->second->destroyed) return nullptr;
    return it->second.get();
}

std::shared_ptr<WindowRecord> WindowManager::Hold(Hwnd hwnd) const {
    auto it = windows_.find(hwnd);
    if (it == windows_.end() || it->second->destroyed) return nullptr;
    return it->second;
}

Hwnd WindowManager::CreateWindow(const CreateParams& params) {
    if (backend_ == nullptr) return 0;
    auto cls = classes_.find(params.className);
    if (cls == classes_.end()) return 0;
    bool child = (params.style & WS_CHILD) != 0;
    WindowRecord* parent = params.parent != 0 ? Find(params.parent) : nullptr;
    if (child && parent == nullptr) return 0;
    if (!child && params.parent != 0 && parent == nullptr) return 0;
    if (params.rect.width() < 0 || params.rect.height() < 0) return 0;

    auto w = std::make_shared<WindowRecord>();
    w->handle = nextHandle_;
    nextHandle_ += 2;
    w->windowClass = &cls->second;
    w->proc = cls->second.proc;
    w->style = params.style;
    w->exStyle = params.exStyle;
    w->id = params.id;
    w->rect = params.rect;
    w->text = params.text;
    if (child) {
        w->parent = params.parent;
        parent->children.insert(parent->children.begin(), w->handle);
    } else {
        w->owner = params.parent != 0 ? GetAncestorRoot(params.parent) : 0;
        auto pos = topLevels_.begin();
        if ((w->exStyle & WS_EX_TOPMOST) == 0)
            while (pos != topLevels_.end() && (GetExStyle(*pos) & WS_EX_TOPMOST) != 0) ++pos;
        topLevels_.insert(pos, w->handle);
    }
    windows_.emplace(w->handle, w);
    RecomputeClient(*w, false);

    CreateStruct cs;
    cs.createParams = params.createParams;
    cs.parent = params.parent;
    cs.id = params.id;
    cs.rect = params.rect;
    cs.style = params.style;
    cs.exStyle = params.exStyle;
    cs.className = params.className;
    cs.windowName = params.text;
    LResult result = Deliver(*w, WM_CREATE, 0, reinterpret_cast<LParam>(&cs));
    if (result == -1 || w->destroyed) {
        if (!w->destroyed) DestroyWindow(w->handle);
        return 0;
    }
    w->created = true;
    Deliver(*w, WM_SIZE, SIZE_RESTORED, MakeLParam(w->client.width(), w->client.height()));
    if (!w->destroyed) Deliver(*w, WM_MOVE, 0, MakeLParam(w->rect.left, w->rect.top));
    if (w->destroyed) return 0;
    w->update = {0, 0, w->client.width(), w->client.height()};
    w->erasePending = true;
    if (w->Visible()) NotifyTopLevelChanged(*w);
    return w->handle;
}

bool WindowManager::DestroyWindow(Hwnd hwnd) {
    std::shared_ptr<WindowRecord> w = Hold(hwnd);
    if (!w || w->destroying) return false;
    // Owned popups go first, as the owner's own windows.
    std::vector<Hwnd> owned;
    for (Hwnd top : topLevels_)
        if (WindowRecord* t = Find(top); t != nullptr && t->owner == hwnd) owned.push_back(top);
    for (Hwnd o : owned) DestroyWindow(o);
    bool wasVisible = w->Visible();
    Hwnd root = GetAncestorRoot(hwnd);
    DestroyRecursive(w);
    if (wasVisible && root != hwnd)
        if (WindowRecord* r = Find(root)) NotifyTopLevelChanged(*r);
    return true;
}

void WindowManager::DestroyRecursive(const std::shared_ptr<WindowRecord>& w) {
    w->destroying = true;
    ForgetWindowState(*w);
    Deliver(*w, WM_DESTROY, 0, 0);
    std::vector<Hwnd> children = w->children;
    for (Hwnd c : children)
        if (std::shared_ptr<WindowRecord> cw = Hold(c); cw && !cw->destroying) DestroyRecursive(cw);
    ForgetWindowState(*w); // anything the WM_DESTROY handlers started again
    Deliver(*w, WM_NCDESTROY, 0, 0);
    w->destroyed = true;
    w->chainHead.reset();
    w->props.clear();
    UnlinkFromParent(*w);
    windows_.erase(w->handle);
}

void WindowManager::ForgetWindowState(WindowRecord& w) {
    Hwnd h = w.handle;
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [h](const Timer& t) { return t.hwnd == h; }),
                  timers_.end());
    TimersChangedNotify();
    if (capture_ == h) capture_ = 0;
    if (scrollTrack_ && scrollTrack_->hwnd == h) scrollTrack_.reset();
    if (focus_ == h) focus_ = 0;
    if (compositionTarget_ == h) compositionTarget_ = 0;
    if (active_ == h) active_ = 0;
    leaveTracking_.erase(std::remove(leaveTracking_.begin(), leaveTracking_.end(), h), leaveTracking_.end());
    if (hover_.hwnd == h) hover_ = {};
    if (lastClick_.hwnd == h) lastClick_ = {};
    clipboard_.ForgetOwner(h);
}

void WindowManager::UnlinkFromParent(WindowRecord& w) {
    if (WindowRecord* p = Find(w.parent)) {
        p->children.erase(std::remove(p->children.begin(), p->children.end(), w.handle), p->children.end());
    } else {
        topLevels_.erase(std::remove(topLevels_.begin(), topLevels_.end(), w.handle), topLevels_.end());
    }
}

bool WindowManager::IsWindow(Hwnd hwnd) const { return Find(hwnd) != nullptr; }

bool WindowManager::IsWindowVisible(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    if (w == nullptr) return false;
    for (; w != nullptr; w = w->IsChildWindow() ? Find(w->parent) : nullptr)
        if (!w->Visible()) return false;
    return true;
}

bool WindowManager::IsWindowEnabled(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w != nullptr && w->Enabled();
}

bool WindowManager::IsChild(Hwnd parent, Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    while (w != nullptr && w->IsChildWindow()) {
        if (w->parent == parent) return true;
        w = Find(w->parent);
    }
    return false;
}

Hwnd WindowManager::GetParent(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    if (w == nullptr) return 0;
    return w->IsChildWindow() ? w->parent : w->owner;
}

Hwnd WindowManager::GetOwner(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w == nullptr ? 0 : w->owner;
}

Hwnd WindowManager::GetAncestorRoot(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    if (w == nullptr) return 0;
    while (w->IsChildWindow()) {
        const WindowRecord* p = Find(w->parent);
        if (p == nullptr) break;
        w = p;
    }
    return w->handle;
}

Hwnd WindowManager::GetWindow(Hwnd hwnd, int relation) const {
    const WindowRecord* w = Find(hwnd);
    if (w == nullptr) return 0;
    if (relation == GW_CHILD) return w->children.empty() ? 0 : w->children.front();
    if (relation == GW_OWNER) return w->owner;
    const std::vector<Hwnd>& siblings = w->IsChildWindow() ? Find(w->parent)->children : topLevels_;
    auto it = std::find(siblings.begin(), siblings.end(), hwnd);
    if (it == siblings.end()) return 0;
    if (relation == GW_HWNDNEXT) return it + 1 == siblings.end() ? 0 : *(it + 1);
    if (relation == GW_HWNDPREV) return it == siblings.begin() ? 0 : *(it - 1);
    return 0;
}

std::vector<Hwnd> WindowManager::GetChildren(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w == nullptr ? std::vector<Hwnd>{} : w->children;
}

std::vector<Hwnd> WindowManager::GetTopLevelWindows() const { return topLevels_; }

std::string WindowManager::GetClassName(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w == nullptr ? std::string() : w->windowClass->name;
}

int WindowManager::GetDlgCtrlID(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w == nullptr ? 0 : w->id;
}

std::vector<Hwnd> WindowManager::AllWindowsParentsFirst() const {
    std::vector<Hwnd> out;
    std::vector<Hwnd> stack(topLevels_.rbegin(), topLevels_.rend());
    while (!stack.empty()) {
        Hwnd h = stack.back();
        stack.pop_back();
        const WindowRecord* w = Find(h);
        if (w == nullptr) continue;
        out.push_back(h);
        for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) stack.push_back(*it);
    }
    return out;
}

// ---- Attributes ------------------------------------------------------------------------------

std::uint32_t WindowManager::GetStyle(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w == nullptr ? 0 : w->style;
}

std::uint32_t WindowManager::GetExStyle(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w == nullptr ? 0 : w->exStyle;
}

std::uint32_t WindowManager::SetStyle(Hwnd hwnd, std::uint32_t style) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return 0;
    std::uint32_t old = w->style;
    // The parent relation cannot change through the style.
    style = (style & ~(WS_CHILD | WS_POPUP)) | (old & (WS_CHILD | WS_POPUP));
    std::uint32_t managed = WS_VISIBLE | WS_DISABLED | WS_HSCROLL | WS_VSCROLL;
    w->style = (style & ~managed) | (old & managed);
    if ((style & WS_HSCROLL) != (old & WS_HSCROLL)) ShowScrollBar(hwnd, SB_HORZ, (style & WS_HSCROLL) != 0);
    if ((style & WS_VSCROLL) != (old & WS_VSCROLL)) ShowScrollBar(hwnd, SB_VERT, (style & WS_VSCROLL) != 0);
    if ((style & WS_DISABLED) != (old & WS_DISABLED)) EnableWindow(hwnd, (style & WS_DISABLED) == 0);
    if ((style & WS_VISIBLE) != (old & WS_VISIBLE)) ShowWindow(hwnd, (style & WS_VISIBLE) ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (WindowRecord* again = Find(hwnd)) {
        RecomputeClient(*again, true);
        InvalidateNonClient(*again);
    }
    return old;
}

std::uint32_t WindowManager::SetExStyle(Hwnd hwnd, std::uint32_t exStyle) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return 0;
    std::uint32_t old = w->exStyle;
    w->exStyle = exStyle;
    RecomputeClient(*w, true);
    InvalidateNonClient(*w);
    return old;
}

bool WindowManager::SetWindowText(Hwnd hwnd, const std::string& text) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return false;
    w->text = text;
    NotifyTopLevelChanged(*w);
    return true;
}

std::string WindowManager::GetWindowText(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w == nullptr ? std::string() : w->text;
}

std::intptr_t WindowManager::SetUserData(Hwnd hwnd, std::intptr_t value) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return 0;
    std::intptr_t old = w->userData;
    w->userData = value;
    return old;
}

std::intptr_t WindowManager::GetUserData(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w == nullptr ? 0 : w->userData;
}

bool WindowManager::SetProp(Hwnd hwnd, const std::string& name, std::intptr_t value) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr || name.empty()) return false;
    w->props[name] = value;
    return true;
}

std::intptr_t WindowManager::GetProp(Hwnd hwnd, const std::string& name) const {
    const WindowRecord* w = Find(hwnd);
    if (w == nullptr) return 0;
    auto it = w->props.find(name);
    return it == w->props.end() ? 0 : it->second;
}

std::intptr_t WindowManager::RemoveProp(Hwnd hwnd, const std::string& name) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return 0;
    auto it = w->props.find(name);
    if (it == w->props.end()) return 0;
    std::intptr_t value = it->second;
    w->props.erase(it);
    return value;
}

std::vector<std::string> WindowManager::GetPropNames(Hwnd hwnd) const {
    std::vector<std::string> names;
    if (const WindowRecord* w = Find(hwnd))
        for (const auto& [name, value] : w->props) names.push_back(name);
    return names;
}

// ---- Geometry --------------------------------------------------------------------------------

int WindowManager::ScrollBarThickness() const { return internals::ScrollBarThicknessMetric(); }
int WindowManager::ScrollBarThickness(int bar) const {
    return bar == SB_HORZ ? gfx::systemMetrics().horizontalScrollBarHeight : gfx::systemMetrics().verticalScrollBarWidth;
}

void WindowManager::RecomputeClient(WindowRecord& w, bool notify) {
    Rect old = w.client;
    int border = internals::BorderWidth(w.style, w.exStyle);
    Rect c{border, border, w.rect.width() - border, w.rect.height() - border};
    if (w.style & WS_VSCROLL) c.right -= ScrollBarThickness(SB_VERT);
    if (w.style & WS_HSCROLL) c.bottom -= ScrollBarThickness(SB_HORZ);
    if (c.right < c.left) c.right = c.left;
    if (c.bottom < c.top) c.bottom = c.top;
    w.client = c;
    if (notify && w.created && (old.width() != c.width() || old.height() != c.height())) {
        w.update = {0, 0, c.width(), c.height()};
        w.erasePending = true;
        Deliver(w, WM_SIZE, SIZE_RESTORED, MakeLParam(c.width(), c.height()));
    }
}

Point WindowManager::WindowOriginOnScreen(const WindowRecord& w) const {
    Point p{w.rect.left, w.rect.top};
    if (w.IsChildWindow())
        if (const WindowRecord* parent = Find(w.parent)) {
            Point pc = ClientOriginOnScreen(*parent);
            p.x += pc.x;
            p.y += pc.y;
        }
    return p;
}

Point WindowManager::ClientOriginOnScreen(const WindowRecord& w) const {
    Point p = WindowOriginOnScreen(w);
    return {p.x + w.client.left, p.y + w.client.top};
}

Rect WindowManager::GetWindowRect(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    if (w == nullptr) return {};
    Point p = WindowOriginOnScreen(*w);
    return rectOfSize(p.x, p.y, w->rect.width(), w->rect.height());
}

Rect WindowManager::GetClientRect(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w == nullptr ? Rect{} : Rect{0, 0, w->client.width(), w->client.height()};
}

Rect WindowManager::GetClientRectInWindow(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w == nullptr ? Rect{} : w->client;
}

bool WindowManager::MoveWindow(Hwnd hwnd, int x, int y, int width, int height, bool repaint) {
    return SetWindowPos(hwnd, HWND_TOP, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

bool WindowManager::SetWindowPos(Hwnd hwnd, Hwnd insertAfter, int x, int y, int width, int height, unsigned flags) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return false;
    if (!(flags & SWP_NOSIZE) && (width < 0 || height < 0)) return false;
    std::shared_ptr<WindowRecord> keep = Hold(hwnd);
    if (!(flags & SWP_NOZORDER)) {
        std::vector<Hwnd>& siblings = w->IsChildWindow() ? Find(w->parent)->children : topLevels_;
        if (insertAfter == HWND_TOPMOST && !w->IsChildWindow()) w->exStyle |= WS_EX_TOPMOST;
        if (insertAfter == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
        if (insertAfter == HWND_BOTTOM) {
            siblings.push_back(hwnd);
        } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
            auto pos = siblings.begin();
            if (!w->IsChildWindow() && (w->exStyle & WS_EX_TOPMOST) == 0)
                while (pos != siblings.end() && (GetExStyle(*pos) & WS_EX_TOPMOST) != 0) ++pos;
            siblings.insert(pos, hwnd);
        } else {
            auto after = std::find(siblings.begin(), siblings.end(), insertAfter);
            siblings.insert(after == siblings.end() ? siblings.begin() : after + 1, hwnd);
        }
    }
    bool moved = !(flags & SWP_NOMOVE) && (x != w->rect.left || y != w->rect.top);
    bool sized = !(flags & SWP_NOSIZE) && (width != w->rect.width() || height != w->rect.height());
    Rect r = w->rect;
    if (!(flags & SWP_NOMOVE)) r = rectOfSize(x, y, r.width(), r.height());
    if (!(flags & SWP_NOSIZE)) r = rectOfSize(r.left, r.top, width, height);
    w->rect = r;
    if (sized) RecomputeClient(*w, true);
    if (moved && !w->destroyed) Deliver(*w, WM_MOVE, 0, MakeLParam(w->rect.left, w->rect.top));
    if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
    if (!w->destroyed) {
        if (flags & SWP_FRAMECHANGED) InvalidateNonClient(*w);
        if (moved || sized) RefreshPartialSurfaces(*w);
        NotifyTopLevelChanged(*w);
    }
    return true;
}

bool WindowManager::ShowWindow(Hwnd hwnd, int command) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return false;
    bool wasVisible = w->Visible();
    bool show = command != SW_HIDE;
    if (show == wasVisible) return wasVisible;
    std::shared_ptr<WindowRecord> keep = Hold(hwnd);
    Deliver(*w, WM_SHOWWINDOW, show ? 1 : 0, 0);
    if (w->destroyed) return wasVisible;
    if (show) {
        w->style |= WS_VISIBLE;
        InvalidateRect(hwnd, nullptr, true);
        if (!w->IsChildWindow() && (command == SW_SHOW || command == SW_SHOWNORMAL) &&
            (w->exStyle & WS_EX_NOACTIVATE) == 0)
            SetActiveWindow(hwnd);
    } else {
        w->style &= ~WS_VISIBLE;
        // Focus or capture inside a hidden window goes away with it.
        if (focus_ != 0 && (focus_ == hwnd || IsChild(hwnd, focus_))) SetFocus(0);
        if (capture_ != 0 && (capture_ == hwnd || IsChild(hwnd, capture_))) ReleaseCapture();
    }
    NotifyTopLevelChanged(*w);
    return wasVisible;
}

bool WindowManager::EnableWindow(Hwnd hwnd, bool enable) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return false;
    bool wasDisabled = !w->Enabled();
    if (enable == !wasDisabled) return wasDisabled;
    std::shared_ptr<WindowRecord> keep = Hold(hwnd);
    if (enable) {
        w->style &= ~WS_DISABLED;
    } else {
        w->style |= WS_DISABLED;
        if (focus_ != 0 && (focus_ == hwnd || IsChild(hwnd, focus_))) SetFocus(0);
        if (capture_ == hwnd) ReleaseCapture();
    }
    Deliver(*w, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

bool WindowManager::ClientToScreen(Hwnd hwnd, Point& pt) const {
    const WindowRecord* w = Find(hwnd);
    if (w == nullptr) return false;
    Point o = ClientOriginOnScreen(*w);
    pt.x += o.x;
    pt.y += o.y;
    return true;
}

bool WindowManager::ScreenToClient(Hwnd hwnd, Point& pt) const {
    const WindowRecord* w = Find(hwnd);
    if (w == nullptr) return false;
    Point o = ClientOriginOnScreen(*w);
    pt.x -= o.x;
    pt.y -= o.y;
    return true;
}

Hwnd WindowManager::DeepestChildAt(const WindowRecord& w, Point screen) const {
    Point co = ClientOriginOnScreen(w);
    Rect clientOnScreen = rectOfSize(co.x, co.y, w.client.width(), w.client.height());
    if (!clientOnScreen.contains(screen)) return w.handle;
    for (Hwnd c : w.children) {
        const WindowRecord* cw = Find(c);
        if (cw == nullptr || !cw->Visible()) continue;
        Point o = WindowOriginOnScreen(*cw);
        if (rectOfSize(o.x, o.y, cw->rect.width(), cw->rect.height()).contains(screen))
            return DeepestChildAt(*cw, screen);
    }
    return w.handle;
}

Hwnd WindowManager::WindowFromPoint(Point screen) const {
    for (Hwnd top : topLevels_) {
        const WindowRecord* w = Find(top);
        if (w == nullptr || !w->Visible()) continue;
        if (w->rect.contains(screen)) return DeepestChildAt(*w, screen);
    }
    return 0;
}

int WindowManager::HitTestNonClient(Hwnd hwnd, Point screen) const {
    const WindowRecord* w = Find(hwnd);
    if (w == nullptr) return HTNOWHERE;
    Point o = WindowOriginOnScreen(*w);
    Point local{screen.x - o.x, screen.y - o.y};
    if (!Rect{0, 0, w->rect.width(), w->rect.height()}.contains(local)) return HTNOWHERE;
    if (w->client.contains(local)) return HTCLIENT;
    if (GetScrollBarRect(hwnd, SB_VERT).contains(local)) return HTVSCROLL;
    if (GetScrollBarRect(hwnd, SB_HORZ).contains(local)) return HTHSCROLL;
    return HTBORDER;
}

// ---- Messages --------------------------------------------------------------------------------

LResult WindowManager::Deliver(WindowRecord& w, MessageId message, WParam wParam, LParam lParam) {
    std::shared_ptr<WindowRecord> keep = Hold(w.handle);
    if (!keep && !w.destroying) return 0;
    Message msg{w.handle, message, wParam, lParam, GetTickCount(), cursorPos_};
    if (spy_) spy_(msg);
    current_.push_back(msg);
    LResult result = 0;
    try {
        result = RunChain(w, message, wParam, lParam);
    } catch (...) {
        current_.pop_back();
        throw;
    }
    current_.pop_back();
    return result;
}

LResult WindowManager::RunChain(WindowRecord& w, MessageId message, WParam wParam, LParam lParam) {
    std::shared_ptr<SubclassNode> node = w.chainHead;
    while (node && node->removed) node = node->next;
    if (!node) return w.proc(w.handle, message, wParam, lParam);
    frames_.push_back(CallFrame{w.handle, node});
    struct Pop {
        std::vector<CallFrame>& frames;
        ~Pop() { frames.pop_back(); }
    } pop{frames_};
    return node->proc(w.handle, message, wParam, lParam, node->id, node->refData);
}

LResult WindowManager::DefSubclassProc(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) {
        auto it = windows_.find(hwnd);
        if (it == windows_.end() || !it->second->destroying) return 0;
        w = it->second.get();
    }
    // The innermost call of this window's chain tells where the chain stands.
    std::shared_ptr<SubclassNode> node;
    for (auto it = frames_.rbegin(); it != frames_.rend(); ++it)
        if (it->hwnd == hwnd) {
            node = it->node->next;
            break;
        }
    while (node && node->removed) node = node->next;
    if (!node) return w->proc(hwnd, message, wParam, lParam);
    frames_.push_back(CallFrame{hwnd, node});
    struct Pop {
        std::vector<CallFrame>& frames;
        ~Pop() { frames.pop_back(); }
    } pop{frames_};
    return node->proc(hwnd, message, wParam, lParam, node->id, node->refData);
}

LResult WindowManager::SendMessage(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return 0;
    return Deliver(*w, message, wParam, lParam);
}

bool WindowManager::PostMessage(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam) {
    if (Find(hwnd) == nullptr) return false;
    queue_.push_back(Message{hwnd, message, wParam, lParam, GetTickCount(), cursorPos_});
    if (backend_ != nullptr) backend_->MessagesPending();
    return true;
}

std::optional<Message> WindowManager::PeekMessage(Hwnd hwnd, MessageId first, MessageId last) {
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        bool windowMatches = hwnd == 0 || it->hwnd == hwnd;
        bool rangeMatches = (first == 0 && last == 0) || (it->message >= first && it->message <= last);
        if (windowMatches && rangeMatches) {
            Message msg = *it;
            queue_.erase(it);
            return msg;
        }
    }
    return std::nullopt;
}

LResult WindowManager::DispatchMessage(const Message& msg) {
    WindowRecord* w = Find(msg.hwnd);
    if (w == nullptr) return 0;
    return Deliver(*w, msg.message, msg.wParam, msg.lParam);
}

std::size_t WindowManager::PumpMessages() {
    // A message that keeps posting itself would never let the loop end; stop after this many.
    constexpr std::size_t kMaxPerPump = 1'000'000;
    std::size_t delivered = 0;
    while (delivered < kMaxPerPump) {
        if (!queue_.empty()) {
            Message msg = queue_.front();
            queue_.pop_front();
            if (Find(msg.hwnd) != nullptr) {
                DispatchMessage(msg);
                ++delivered;
            }
            continue;
        }
        if (!PaintOne()) break;
        ++delivered;
    }
    return delivered;
}

LResult WindowManager::CallWindowProc(WndProc proc, Hwnd hwnd, MessageId message, WParam wParam, LParam lParam) {
    if (proc == nullptr) return 0;
    return proc(hwnd, message, wParam, lParam);
}

const Message* WindowManager::CurrentMessage() const { return current_.empty() ? nullptr : &current_.back(); }

WndProc WindowManager::SetWindowProc(Hwnd hwnd, WndProc proc) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr || proc == nullptr) return nullptr;
    WndProc old = w->proc;
    w->proc = proc;
    return old;
}

WndProc WindowManager::GetWindowProc(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w == nullptr ? nullptr : w->proc;
}

bool WindowManager::SetWindowSubclass(Hwnd hwnd, SubclassProc proc, std::uintptr_t id, std::uintptr_t refData) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr || proc == nullptr) return false;
    for (std::shared_ptr<SubclassNode> n = w->chainHead; n; n = n->next)
        if (!n->removed && n->proc == proc && n->id == id) {
            n->refData = refData;
            return true;
        }
    auto node = std::make_shared<SubclassNode>();
    node->proc = proc;
    node->id = id;
    node->refData = refData;
    node->next = w->chainHead;
    w->chainHead = node;
    return true;
}

bool WindowManager::RemoveWindowSubclass(Hwnd hwnd, SubclassProc proc, std::uintptr_t id) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return false;
    std::shared_ptr<SubclassNode> prev;
    for (std::shared_ptr<SubclassNode> n = w->chainHead; n; prev = n, n = n->next) {
        if (n->removed || n->proc != proc || n->id != id) continue;
        n->removed = true;
        // Unlink; n keeps its own next so a call running inside n can still go on.
        if (prev)
            prev->next = n->next;
        else
            w->chainHead = n->next;
        return true;
    }
    return false;
}

bool WindowManager::GetWindowSubclass(Hwnd hwnd, SubclassProc proc, std::uintptr_t id, std::uintptr_t* refData) const {
    const WindowRecord* w = Find(hwnd);
    if (w == nullptr) return false;
    for (std::shared_ptr<SubclassNode> n = w->chainHead; n; n = n->next)
        if (!n->removed && n->proc == proc && n->id == id) {
            if (refData != nullptr) *refData = n->refData;
            return true;
        }
    return false;
}

// ---- Focus, activation, capture ----------------------------------------------------------------

Hwnd WindowManager::SetFocus(Hwnd hwnd) {
    if (hwnd != 0 && Find(hwnd) == nullptr) return 0;
    Hwnd old = focus_;
    if (old == hwnd) return old;
    if (hwnd != 0) {
        Hwnd root = GetAncestorRoot(hwnd);
        if (root != active_ && (GetExStyle(root) & WS_EX_NOACTIVATE) == 0) {
            Hwnd previousActive = active_;
            active_ = root;
            if (WindowRecord* a = Find(previousActive)) Deliver(*a, WM_ACTIVATE, WA_INACTIVE, static_cast<LParam>(root));
            if (WindowRecord* a = Find(root)) Deliver(*a, WM_ACTIVATE, WA_ACTIVE, static_cast<LParam>(previousActive));
            if (focus_ != old) return old; // an activation handler moved the focus itself
        }
    }
    focus_ = hwnd;
    if (WindowRecord* o = Find(old)) Deliver(*o, WM_KILLFOCUS, hwnd, 0);
    if (focus_ == hwnd)
        if (WindowRecord* n = Find(hwnd)) Deliver(*n, WM_SETFOCUS, old, 0);
    return old;
}

Hwnd WindowManager::SetActiveWindow(Hwnd hwnd) {
    if (hwnd != 0 && Find(hwnd) == nullptr) return 0;
    Hwnd root = hwnd == 0 ? 0 : GetAncestorRoot(hwnd);
    Hwnd old = active_;
    if (root == old) return old;
    active_ = root;
    if (WindowRecord* a = Find(old)) Deliver(*a, WM_ACTIVATE, WA_INACTIVE, static_cast<LParam>(root));
    if (WindowRecord* a = Find(root)) Deliver(*a, WM_ACTIVATE, WA_ACTIVE, static_cast<LParam>(old));
    // The activated window takes the focus unless it already lies inside it.
    if (root != 0 && active_ == root && (focus_ == 0 || GetAncestorRoot(focus_) != root)) SetFocus(root);
    return old;
}

Hwnd WindowManager::SetCapture(Hwnd hwnd) {
    if (Find(hwnd) == nullptr) return 0;
    Hwnd old = capture_;
    if (old == hwnd) return old;
    capture_ = hwnd;
    if (WindowRecord* o = Find(old)) Deliver(*o, WM_CAPTURECHANGED, 0, static_cast<LParam>(hwnd));
    return old;
}

bool WindowManager::ReleaseCapture() {
    Hwnd old = capture_;
    if (old == 0) return true;
    capture_ = 0;
    if (WindowRecord* o = Find(old)) Deliver(*o, WM_CAPTURECHANGED, 0, 0);
    return true;
}

Cursor WindowManager::SetCursor(Cursor cursor) {
    Cursor old = cursor_;
    cursor_ = cursor;
    if (old != cursor && backend_ != nullptr) backend_->CursorChanged(cursor);
    return old;
}

bool WindowManager::SetCursorPos(Point screen) {
    if (backend_ == nullptr) return false;
    InjectMouseMove(screen);
    return true;
}

// ---- Broadcasts --------------------------------------------------------------------------------

void WindowManager::BroadcastMessage(MessageId message, WParam wParam, LParam lParam) {
    for (Hwnd h : AllWindowsParentsFirst()) SendMessage(h, message, wParam, lParam);
}

void WindowManager::BroadcastThemeChanged() { BroadcastMessage(WM_THEMECHANGED); }

void WindowManager::BroadcastSysColorChange() { BroadcastMessage(WM_SYSCOLORCHANGE); }

} // namespace lattix::ui
