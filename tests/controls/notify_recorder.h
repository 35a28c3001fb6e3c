// Records the header notifications a parent window receives and answers them as a test says.
#pragma once

#include <functional>
#include <vector>

#include "platform/controls/header_control.h"

namespace lattix::controls::test {

class NotifyRecorder {
public:
    explicit NotifyRecorder(ui::Hwnd parent) : parent_(parent) {
        ui::Wm().SetWindowSubclass(parent_, &NotifyRecorder::Subclass, 1, reinterpret_cast<std::uintptr_t>(this));
    }
    ~NotifyRecorder() { ui::Wm().RemoveWindowSubclass(parent_, &NotifyRecorder::Subclass, 1); }

    // The answer to each notification (0 by default); may change the record (e.g. its width).
    std::function<ui::LResult(HeaderNotify&)> answer;
    // Notifications other than item drawing and hot changes, in order.
    std::vector<HeaderNotify> log;
    std::vector<HeaderNotify> hot;

    std::vector<int> Codes() const {
        std::vector<int> c;
        for (const auto& n : log) c.push_back(n.hdr.code);
        return c;
    }

private:
    static ui::LResult Subclass(ui::Hwnd h, ui::MessageId m, ui::WParam w, ui::LParam l, std::uintptr_t,
                                std::uintptr_t ref) {
        auto* self = reinterpret_cast<NotifyRecorder*>(ref);
        if (m == ui::WM_NOTIFY) {
            auto& n = *reinterpret_cast<HeaderNotify*>(l);
            ui::LResult r = self->answer ? self->answer(n) : 0;
            if (n.hdr.code == kHeaderHotChanged)
                self->hot.push_back(n);
            else if (n.hdr.code != kHeaderDrawItem)
                self->log.push_back(n);
            return r;
        }
        return ui::Wm().DefSubclassProc(h, m, w, l);
    }
    ui::Hwnd parent_;
};

} // namespace lattix::controls::test
