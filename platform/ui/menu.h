// Popup menus: an ordered list of items that TrackPopupMenu shows modally.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/types.h"

namespace lattix::ui {

// TrackPopupMenu flags.
inline constexpr unsigned TPM_LEFTBUTTON = 0x0000;
inline constexpr unsigned TPM_RIGHTBUTTON = 0x0002;
inline constexpr unsigned TPM_LEFTALIGN = 0x0000;
inline constexpr unsigned TPM_CENTERALIGN = 0x0004;
inline constexpr unsigned TPM_RIGHTALIGN = 0x0008;
inline constexpr unsigned TPM_TOPALIGN = 0x0000;
inline constexpr unsigned TPM_NONOTIFY = 0x0080;
inline constexpr unsigned TPM_RETURNCMD = 0x0100;

struct MenuItem {
    bool separator = false;
    int command = 0;
    std::string text;
    bool enabled = true;
    bool checked = false;
    friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

class PopupMenu {
public:
    // Appends a command item; command must be positive. Throws std::invalid_argument otherwise.
    void AppendItem(int command, std::string text, bool enabled = true, bool checked = false);
    void AppendSeparator();
    void Clear() { items_.clear(); }

    const std::vector<MenuItem>& Items() const { return items_; }
    std::size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    // The item with that command, or nullptr.
    const MenuItem* FindCommand(int command) const;
    // The first item whose text equals text (an '&' prefix marker is ignored), or nullptr.
    const MenuItem* FindText(const std::string& text) const;
    // True when an enabled command item with that number exists.
    bool IsChoosable(int command) const;

private:
    std::vector<MenuItem> items_;
};

// What a backend is asked to show.
struct PopupMenuRequest {
    Hwnd owner = 0;
    Point screenPos{};
    unsigned flags = 0;
    PopupMenu menu;
};

} // namespace lattix::ui
