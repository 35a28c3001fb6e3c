#include "platform/ui/menu.h"

#include <stdexcept>

namespace lattix::ui {

namespace {
std::string WithoutPrefixMarks(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') out += '&', ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}
} // namespace

void PopupMenu::AppendItem(int command, std::string text, bool enabled, bool checked) {
    if (command <= 0) throw std::invalid_argument("menu command numbers must be positive");
    items_.push_back(MenuItem{false, command, std::move(text), enabled, checked});
}

void PopupMenu::AppendSeparator() { items_.push_back(MenuItem{true, 0, {}, true, false}); }

const MenuItem* PopupMenu::FindCommand(int command) const {
    for (const MenuItem& item : items_)
        if (!item.separator && item.command == command) return &item;
    return nullptr;
}

const MenuItem* PopupMenu::FindText(const std::string& text) const {
    std::string wanted = WithoutPrefixMarks(text);
    for (const MenuItem& item : items_)
        if (!item.separator && WithoutPrefixMarks(item.text) == wanted) return &item;
    return nullptr;
}

bool PopupMenu::IsChoosable(int command) const {
    const MenuItem* item = FindCommand(command);
    return item != nullptr && item->enabled;
}

} // namespace lattix::ui
