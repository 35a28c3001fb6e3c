#include "platform/headless/headless_backend.h"

#include <stdexcept>

namespace lattix::ui::headless {

HeadlessBackend::HeadlessBackend() {
    // One 1920 x 1080 screen with a 40-pixel task bar at the bottom.
    monitors_.push_back(MonitorInfo{Rect{0, 0, 1920, 1080}, Rect{0, 0, 1920, 1040}, true});
}

void HeadlessBackend::SetNow(std::uint64_t now) {
    if (now < now_) throw std::invalid_argument("the clock cannot go back");
    now_ = now;
}

void HeadlessBackend::SetMonitors(std::vector<MonitorInfo> monitors) {
    if (monitors.empty()) throw std::invalid_argument("at least one monitor is needed");
    for (const MonitorInfo& m : monitors)
        if (m.monitor.isEmpty()) throw std::invalid_argument("a monitor needs an area");
    monitors_ = std::move(monitors);
}

std::optional<ScriptedAnswer> HeadlessBackend::TakeAnswer(ScriptedAnswer::Kind kind) {
    if (script_.empty()) return std::nullopt;
    const ScriptedAnswer& next = script_.front();
    if (next.kind != ScriptedAnswer::Kind::Any && next.kind != kind) return std::nullopt;
    ScriptedAnswer answer = next;
    script_.pop_front();
    return answer;
}

int HeadlessBackend::ShowMessageBox(const MessageBoxRequest& request) {
    std::optional<int> result;
    if (onMessageBox_) result = onMessageBox_(request);
    if (!result) {
        if (std::optional<ScriptedAnswer> answer = TakeAnswer(ScriptedAnswer::Kind::MessageBox)) {
            if (answer->text) {
                for (int button : request.Buttons())
                    if (ButtonCaption(button) == *answer->text) result = button;
            } else {
                result = answer->value;
            }
        }
    }
    int chosen = result.value_or(request.DefaultButton());
    std::vector<int> buttons = request.Buttons();
    bool offered = false;
    for (int b : buttons) offered = offered || b == chosen;
    if (!offered) chosen = request.DefaultButton();
    messageBoxes_.push_back(ShownMessageBox{request, chosen});
    return chosen;
}

int HeadlessBackend::TrackPopupMenu(const PopupMenuRequest& request) {
    std::optional<int> result;
    if (onMenu_) result = onMenu_(request);
    if (!result) {
        if (std::optional<ScriptedAnswer> answer = TakeAnswer(ScriptedAnswer::Kind::Menu)) {
            if (answer->text) {
                const MenuItem* item = request.menu.FindText(*answer->text);
                result = item != nullptr ? item->command : 0;
            } else {
                result = answer->value;
            }
        }
    }
    // Disabled items and separators cannot be chosen; an unanswered menu is dismissed.
    int chosen = result.value_or(0);
    if (!request.menu.IsChoosable(chosen)) chosen = 0;
    menus_.push_back(ShownMenu{request, chosen});
    return chosen;
}

void HeadlessBackend::ClearShown() {
    messageBoxes_.clear();
    menus_.clear();
}

void HeadlessBackend::TopLevelChanged(Hwnd topLevel) {
    for (auto& [hwnd, count] : presents_)
        if (hwnd == topLevel) {
            ++count;
            return;
        }
    presents_.emplace_back(topLevel, 1);
}

std::size_t HeadlessBackend::PresentRequests(Hwnd topLevel) const {
    for (const auto& [hwnd, count] : presents_)
        if (hwnd == topLevel) return count;
    return 0;
}

} // namespace lattix::ui::headless
