// What a host environment supplies to the window manager: the clock, the clipboard storage,
// modal dialogs, system facts and monitors, and the presentation of top-level windows. The window
// manager itself knows no toolkit; the headless host and a desktop toolkit each implement this.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/ui/clipboard.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "platform/ui/styles.h"
#include "platform/ui/system_info.h"
#include "platform/ui/types.h"

namespace lattix::ui {

struct MonitorInfo {
    Rect monitor{};
    Rect work{};
    bool primary = false;
    friend bool operator==(const MonitorInfo&, const MonitorInfo&) = default;
};

class Backend {
public:
    virtual ~Backend() = default;

    // Milliseconds since an arbitrary start; never goes back.
    virtual std::uint64_t NowMs() const = 0;
    // The earliest due time of the running timers changed (nullopt: no timer runs). A desktop
    // backend arms a wake-up and then calls WindowManager::RunDueTimers; a virtual clock ignores it.
    virtual void TimersChanged(std::optional<std::uint64_t> /*nextDueMs*/) {}
    // Messages were posted; a desktop backend schedules WindowManager::PumpMessages.
    virtual void MessagesPending() {}

    virtual ClipboardStore& ClipboardStorage() = 0;
    // Modal services: they return only when answered.
    virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;
    // Returns the chosen command, or 0 when the menu was dismissed.
    virtual int TrackPopupMenu(const PopupMenuRequest& request) = 0;

    virtual SystemInfo GetSystemInfo() const = 0;
    // At least one monitor; the first primary one is the main screen.
    virtual std::vector<MonitorInfo> Monitors() const = 0;

    // A top-level window's picture changed and should be presented again.
    virtual void TopLevelChanged(Hwnd /*topLevel*/) {}
    virtual void CursorChanged(Cursor /*cursor*/) {}
};

} // namespace lattix::ui
