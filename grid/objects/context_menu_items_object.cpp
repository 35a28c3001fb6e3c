#include "grid/objects/context_menu_items_object.h"

#include "grid/automation/error_table.h"

namespace lattix {

ContextMenuItemsObject::Item& ContextMenuItemsObject::item(int32_t index) {
    requireGrid();
    if (index < 1 || index > static_cast<int32_t>(items_.size())) RaiseLattixError(lattix_error::kSubscriptOutOfRange);
    return items_[static_cast<size_t>(index - 1)];
}

int32_t ContextMenuItemsObject::Count() const {
    requireGrid();
    return static_cast<int32_t>(items_.size());
}

void ContextMenuItemsObject::Add(const std::string& caption, bool enabled, bool checked, const Variant& tag) {
    requireGrid();
    items_.push_back(Item{caption, enabled, checked, tag.deref()});
}

void ContextMenuItemsObject::Remove(int32_t index) {
    item(index);
    items_.erase(items_.begin() + (index - 1));
}

void ContextMenuItemsObject::Clear() {
    requireGrid();
    items_.clear();
}

} // namespace lattix
