#include "tests/ui/probe_window.h"

#include <algorithm>

namespace lattix::ui::testing {

Probe* Probe::current_ = nullptr;

Probe::Probe() {
    current_ = this;
    WindowManager& wm = Wm();
    if (!wm.IsClassRegistered(kClass)) {
        WindowClass c;
        c.name = kClass;
        c.proc = &Probe::Proc;
        wm.RegisterClass(c);
        c.name = kDoubleClickClass;
        c.style = CS_DBLCLKS;
        wm.RegisterClass(c);
    }
}

Probe::~Probe() {
    if (current_ == this) current_ = nullptr;
}

LResult Probe::Proc(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam) {
    if (Probe* p = current_) {
        p->log_.push_back(Received{hwnd, message, wParam, lParam});
        auto it = p->handlers_.find(hwnd);
        if (it != p->handlers_.end() && it->second) {
            Handler handler = it->second; // the handler may replace itself
            if (std::optional<LResult> r = handler(hwnd, message, wParam, lParam)) return *r;
        }
    }
    return Wm().DefWindowProc(hwnd, message, wParam, lParam);
}

Hwnd Probe::Create(Hwnd parent, Rect rect, std::uint32_t style, bool doubleClicks, std::uint32_t exStyle) {
    CreateParams p;
    p.className = doubleClicks ? kDoubleClickClass : kClass;
    p.style = style;
    p.exStyle = exStyle;
    p.rect = rect;
    p.parent = parent;
    return Wm().CreateWindow(p);
}

std::vector<Received> Probe::Log(std::vector<MessageId> only) const {
    std::vector<Received> out;
    for (const Received& r : log_)
        if (only.empty() || std::find(only.begin(), only.end(), r.message) != only.end()) out.push_back(r);
    return out;
}

std::vector<MessageId> Probe::Ids(Hwnd hwnd, std::vector<MessageId> only) const {
    std::vector<MessageId> out;
    for (const Received& r : Log(only))
        if (r.hwnd == hwnd) out.push_back(r.message);
    return out;
}

} // namespace lattix::ui::testing
