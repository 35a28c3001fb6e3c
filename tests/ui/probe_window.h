// A window class for tests: it records every message it receives and lets a test give each
// window its own handler.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/headless/headless_host.h"
#include "platform/ui/window_manager.h"

namespace lattix::ui::testing {

struct Received {
    Hwnd hwnd;
    MessageId message;
    WParam wParam;
    LParam lParam;
};

using Handler = std::function<std::optional<LResult>(Hwnd, MessageId, WParam, LParam)>;

class Probe {
public:
    static constexpr const char* kClass = "TestProbe";
    static constexpr const char* kDoubleClickClass = "TestProbeDbl";

    Probe();
    ~Probe();

    // A child of parent (or a top-level/popup window when parent is 0 or style lacks WS_CHILD).
    Hwnd Create(Hwnd parent, Rect rect, std::uint32_t style = WS_CHILD | WS_VISIBLE, bool doubleClicks = false,
                std::uint32_t exStyle = 0);
    void Handle(Hwnd hwnd, Handler handler) { handlers_[hwnd] = std::move(handler); }

    // Messages received, optionally only these ids (in arrival order).
    std::vector<Received> Log(std::vector<MessageId> only = {}) const;
    std::vector<MessageId> Ids(Hwnd hwnd, std::vector<MessageId> only = {}) const;
    void Clear() { log_.clear(); }

    static Probe* Current() { return current_; }
    static LResult Proc(Hwnd, MessageId, WParam, LParam);

private:
    std::vector<Received> log_;
    std::map<Hwnd, Handler> handlers_;
    static Probe* current_;
};

} // namespace lattix::ui::testing
