// The custom items of one built-in context menu.
#pragma once

#include <string>
#include <vector>

#include "grid/objects/owned_object.h"

namespace lattix {

class ContextMenuItemsObject final : public OwnedObject {
public:
    explicit ContextMenuItemsObject(Lattix* grid) : OwnedObject(grid) {}
    const TypeInfo& typeInfo() const override;

    struct Item {
        std::string caption;
        bool enabled = true;
        bool checked = false;
        Variant tag = Variant::missing();
    };

    int32_t Count() const;
    // Item indexes run 1..Count; any other raises 513.
    std::string ItemCaption(int32_t index) const { return item(index).caption; }
    void SetItemCaption(int32_t index, const std::string& s) { item(index).caption = s; }
    bool ItemEnabled(int32_t index) const { return item(index).enabled; }
    void SetItemEnabled(int32_t index, bool b) { item(index).enabled = b; }
    bool ItemChecked(int32_t index) const { return item(index).checked; }
    void SetItemChecked(int32_t index, bool b) { item(index).checked = b; }
    Variant ItemTag(int32_t index) const { return item(index).tag; }
    void SetItemTag(int32_t index, const Variant& v) { item(index).tag = v.deref(); }
    void Add(const std::string& caption, bool enabled = true, bool checked = false, const Variant& tag = Variant::missing());
    void Remove(int32_t index);
    void Clear();
    const std::vector<Item>& items() const { return items_; }

private:
    Item& item(int32_t index);
    const Item& item(int32_t index) const { return const_cast<ContextMenuItemsObject*>(this)->item(index); }
    std::vector<Item> items_;
};

} // namespace lattix
