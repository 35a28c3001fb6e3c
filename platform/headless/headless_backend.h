// The environment of the headless host: a virtual clock that only moves when told, an in-memory
// clipboard, message boxes and popup menus answered from a script, and settable system facts
// and monitors.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/backend.h"

namespace lattix::ui::headless {

// One scripted answer for the next modal service that appears.
struct ScriptedAnswer {
    enum class Kind { Any, MessageBox, Menu };
    Kind kind = Kind::Any;
    // A button result (IDOK, IDYES, ...) or a menu command (0 dismisses the menu).
    int value = 0;
    // When set, the button caption ("OK", "Cancel", "Yes", "No") or the menu item text.
    std::optional<std::string> text;
};

struct ShownMessageBox {
    MessageBoxRequest request;
    int result = 0;
};

struct ShownMenu {
    PopupMenuRequest request;
    int result = 0;
};

class HeadlessBackend : public Backend {
public:
    HeadlessBackend();

    // ---- virtual clock
    std::uint64_t NowMs() const override { return now_; }
    void SetNow(std::uint64_t now);

    // ---- clipboard
    ClipboardStore& ClipboardStorage() override { return clipboard_; }
    MemoryClipboardStore& Clipboard() { return clipboard_; }

    // ---- modal services
    int ShowMessageBox(const MessageBoxRequest& request) override;
    int TrackPopupMenu(const PopupMenuRequest& request) override;
    void Script(ScriptedAnswer answer) { script_.push_back(std::move(answer)); }
    std::size_t PendingAnswers() const { return script_.size(); }
    void ClearScript() { script_.clear(); }
    // Called while a message box or menu is "open", before the script is read; a returned value
    // answers it. Lets a test look at the state a modal service sees.
    void OnMessageBox(std::function<std::optional<int>(const MessageBoxRequest&)> handler) {
        onMessageBox_ = std::move(handler);
    }
    void OnMenu(std::function<std::optional<int>(const PopupMenuRequest&)> handler) { onMenu_ = std::move(handler); }
    const std::vector<ShownMessageBox>& MessageBoxesShown() const { return messageBoxes_; }
    const std::vector<ShownMenu>& MenusShown() const { return menus_; }
    void ClearShown();

    // ---- system facts
    SystemInfo GetSystemInfo() const override { return info_; }
    void SetSystemInfo(const SystemInfo& info) { info_ = info; }
    std::vector<MonitorInfo> Monitors() const override { return monitors_; }
    // Throws std::invalid_argument for an empty list or an empty monitor rectangle.
    void SetMonitors(std::vector<MonitorInfo> monitors);

    // ---- presentation
    void TopLevelChanged(Hwnd topLevel) override;
    void CursorChanged(Cursor cursor) override { cursor_ = cursor; }
    // How often the picture of a top-level window changed (a desktop backend would present it).
    std::size_t PresentRequests(Hwnd topLevel) const;
    Cursor LastCursor() const { return cursor_; }

private:
    std::optional<ScriptedAnswer> TakeAnswer(ScriptedAnswer::Kind kind);

    std::uint64_t now_ = 0;
    MemoryClipboardStore clipboard_;
    std::deque<ScriptedAnswer> script_;
    std::function<std::optional<int>(const MessageBoxRequest&)> onMessageBox_;
    std::function<std::optional<int>(const PopupMenuRequest&)> onMenu_;
    std::vector<ShownMessageBox> messageBoxes_;
    std::vector<ShownMenu> menus_;
    SystemInfo info_;
    std::vector<MonitorInfo> monitors_;
    std::vector<std::pair<Hwnd, std::size_t>> presents_;
    Cursor cursor_ = Cursor::Arrow;
};

} // namespace lattix::ui::headless
