// Message boxes, popup menus, system information and monitors: the modal and environmental
// services, answered by the backend.
#include <algorithm>
#include <climits>

#include "platform/ui/window_manager.h"
#include "platform/ui/window_record.h"

namespace lattix::ui {

int WindowManager::MessageBox(Hwnd owner, const std::string& text, const std::string& caption, unsigned style) {
    if (backend_ == nullptr || !IsValidMessageBoxStyle(style)) return 0;
    if (owner != 0 && Find(owner) == nullptr) owner = 0;
    MessageBoxRequest request{owner, text, caption, style};
    // A modal loop takes the mouse: whoever held the capture loses it.
    ReleaseCapture();
    int result = backend_->ShowMessageBox(request);
    std::vector<int> buttons = request.Buttons();
    if (std::find(buttons.begin(), buttons.end(), result) == buttons.end()) result = request.DefaultButton();
    return result;
}

int WindowManager::TrackPopupMenu(const PopupMenu& menu, unsigned flags, Point screen, Hwnd owner) {
    if (backend_ == nullptr || Find(owner) == nullptr || menu.Empty()) return 0;
    ReleaseCapture();
    PopupMenuRequest request{owner, screen, flags, menu};
    int command = backend_->TrackPopupMenu(request);
    if (!menu.IsChoosable(command)) command = 0;
    if (flags & TPM_RETURNCMD) return command;
    if (command != 0 && !(flags & TPM_NONOTIFY)) PostMessage(owner, WM_COMMAND, MakeWParam(command, 0), 0);
    return command != 0 ? 1 : 0;
}

SystemInfo WindowManager::GetSystemInfo() const { return backend_ == nullptr ? SystemInfo{} : backend_->GetSystemInfo(); }

std::vector<MonitorInfo> WindowManager::GetMonitors() const {
    if (backend_ == nullptr) return {};
    return backend_->Monitors();
}

namespace {
long long DistanceSquared(const Rect& r, Point p) {
    long long dx = p.x < r.left ? r.left - p.x : (p.x >= r.right ? p.x - r.right + 1 : 0);
    long long dy = p.y < r.top ? r.top - p.y : (p.y >= r.bottom ? p.y - r.bottom + 1 : 0);
    return dx * dx + dy * dy;
}

MonitorHandle PrimaryHandle(const std::vector<MonitorInfo>& monitors) {
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (monitors[i].primary) return i + 1;
    return monitors.empty() ? 0 : 1;
}
} // namespace

MonitorHandle WindowManager::MonitorFromPoint(Point screen, unsigned flags) const {
    std::vector<MonitorInfo> monitors = GetMonitors();
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (monitors[i].monitor.contains(screen)) return i + 1;
    if (flags == MONITOR_DEFAULTTOPRIMARY) return PrimaryHandle(monitors);
    if (flags != MONITOR_DEFAULTTONEAREST) return 0;
    MonitorHandle best = 0;
    long long bestDistance = LLONG_MAX;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        long long d = DistanceSquared(monitors[i].monitor, screen);
        if (d < bestDistance) bestDistance = d, best = i + 1;
    }
    return best;
}

MonitorHandle WindowManager::MonitorFromRect(const Rect& screen, unsigned flags) const {
    std::vector<MonitorInfo> monitors = GetMonitors();
    MonitorHandle best = 0;
    long long bestArea = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        Rect common = intersect(monitors[i].monitor, screen);
        long long area = static_cast<long long>(common.width()) * common.height();
        if (area > bestArea) bestArea = area, best = i + 1;
    }
    if (best != 0) return best;
    return MonitorFromPoint(Point{screen.left + screen.width() / 2, screen.top + screen.height() / 2}, flags);
}

MonitorHandle WindowManager::MonitorFromWindow(Hwnd hwnd, unsigned flags) const {
    if (Find(hwnd) == nullptr) return flags == MONITOR_DEFAULTTONULL ? 0 : PrimaryHandle(GetMonitors());
    return MonitorFromRect(GetWindowRect(hwnd), flags);
}

bool WindowManager::GetMonitorInfo(MonitorHandle monitor, MonitorInfo& info) const {
    std::vector<MonitorInfo> monitors = GetMonitors();
    if (monitor == 0 || monitor > monitors.size()) return false;
    info = monitors[monitor - 1];
    return true;
}

Rect WindowManager::GetPrimaryScreenRect() const {
    MonitorInfo info;
    return GetMonitorInfo(PrimaryHandle(GetMonitors()), info) ? info.monitor : Rect{};
}

Rect WindowManager::GetWorkArea() const {
    MonitorInfo info;
    return GetMonitorInfo(PrimaryHandle(GetMonitors()), info) ? info.work : Rect{};
}

} // namespace lattix::ui
