#include "grid/objects/combo_objects.h"

#include <algorithm>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/view/image_list_object.h"
#include "runtime/conversions.h"

namespace lattix {

// ---- ComboObject ----

ComboList& ComboObject::list() const {
    Lattix& g = requireGrid();
    ComboList* l = g.ComboLists().list(slot_);
    if (l == nullptr || l->serial != serial_) RaiseLattixError(lattix_error::kIllegalOperation);
    return *l;
}

ComboItem& ComboObject::item(int32_t lIndex) const {
    ComboList& l = list();
    if (lIndex < 0 || static_cast<size_t>(lIndex) >= l.items.size()) RaiseLattixError(lattix_error::kSubscriptOutOfRange);
    return l.items[static_cast<size_t>(lIndex)];
}

void ComboObject::shown() const { requireGrid().ComboListChanged(slot_, true); }

void ComboObject::Clear() {
    ComboList& l = list();
    l.items.clear();
    requireGrid().ComboListChanged(slot_, true);
}

void ComboObject::AddItem(const std::string& sItemText, const Variant& vItemValue, int16_t iIconIndex, int32_t lIndex) {
    ComboList& l = list();
    if (lIndex != -1 && (lIndex < 0 || static_cast<size_t>(lIndex) > l.items.size()))
        RaiseLattixError(lattix_error::kSubscriptOutOfRange);
    ComboItem it;
    it.text = sItemText;
    const Variant& v = vItemValue.deref();
    it.value = v.isMissing() ? Variant::missing() : v;
    it.icon = iIconIndex;
    Lattix& g = requireGrid();
    g.MeasureComboItem(l, it);
    const bool atEnd = lIndex == -1 || static_cast<size_t>(lIndex) == l.items.size();
    l.items.insert(atEnd ? l.items.end() : l.items.begin() + lIndex, std::move(it));
    // Items added at the end change no cell's text; an insertion moves the items cells point at.
    g.ComboListChanged(slot_, !atEnd);
}

void ComboObject::RemoveItem(int32_t lIndex) {
    item(lIndex);
    ComboList& l = list();
    l.items.erase(l.items.begin() + lIndex);
    shown();
}

int32_t ComboObject::MaxHeightInItems() const { return list().maxHeightInItems; }

void ComboObject::SetMaxHeightInItems(int32_t n) {
    ComboList& l = list();
    if (n < 1) RaiseLattixError(lattix_error::kInvalidArgument);
    l.maxHeightInItems = n;
    requireGrid().ComboListChanged(slot_, false);
}

int32_t ComboObject::Width() const { return list().width; }

void ComboObject::SetWidth(int32_t lWidth) { list().width = lWidth; }

bool ComboObject::AutoExpand() const { return list().autoExpand; }

void ComboObject::SetAutoExpand(bool b) { list().autoExpand = b; }

void ComboObject::AutoAdjustWidth() {
    ComboList& l = list();
    int32_t widest = 0;
    for (const ComboItem& it : l.items) widest = std::max(widest, it.itemWidth);
    int32_t w = widest + 4;
    if (l.items.size() > static_cast<size_t>(l.maxHeightInItems)) w += requireGrid().DropDownScrollBarWidth();
    l.width = w;
}

int32_t ComboObject::ListCount() const { return static_cast<int32_t>(list().items.size()); }

std::shared_ptr<FontObject> ComboObject::Font() const {
    ComboList& l = list();
    return l.font ? l.font : requireGrid().Font();
}

void ComboObject::SetFont(const std::shared_ptr<FontObject>& oFont) {
    ComboList& l = list();
    if (!oFont) RaiseLattixError(lattix_error::kInvalidArgument);
    l.font = oFont;
    requireGrid().RemeasureComboList(l);
    shown();
}

void ComboObject::SetImageList(const Variant& vImageList) {
    ComboList& l = list();
    Lattix& g = requireGrid();
    l.images = ImageListFromVariant(vImageList);
    g.RemeasureComboList(l);
    shown();
}

int16_t ComboObject::ItemIcon(int32_t lIndex) const { return item(lIndex).icon; }

void ComboObject::SetItemIcon(int32_t lIndex, int16_t iIcon) {
    ComboItem& it = item(lIndex);
    it.icon = iIcon;
    requireGrid().MeasureComboItem(list(), it);
    shown();
}

std::string ComboObject::ItemText(int32_t lIndex) const { return item(lIndex).text; }

void ComboObject::SetItemText(int32_t lIndex, const std::string& s) {
    ComboItem& it = item(lIndex);
    it.text = s;
    requireGrid().MeasureComboItem(list(), it);
    shown();
}

Variant ComboObject::ItemValue(int32_t lIndex) const {
    const ComboItem& it = item(lIndex);
    return it.hasValue() ? it.value : Variant();
}

void ComboObject::SetItemValue(int32_t lIndex, const Variant& v) {
    ComboItem& it = item(lIndex);
    const Variant& value = v.deref();
    it.value = value.isMissing() ? Variant::missing() : value;
}

int32_t ComboObject::ValueIndex(const Variant& vValue) const { return list().indexOfValue(vValue); }

// ---- CombosObject ----

void CombosObject::detach() {
    for (auto& e : entries_) e->detach();
    OwnedObject::detach();
}

int16_t CombosObject::Count() const {
    requireGrid();
    return static_cast<int16_t>(entries_.size());
}

size_t CombosObject::indexOf(const Variant& given) const {
    Lattix& g = requireGrid();
    const Variant& v = given.deref();
    if (v.isString()) {
        const int16_t slot = g.ComboLists().find(v.str());
        for (size_t i = 0; i < entries_.size(); ++i)
            if (slot != 0 && entries_[i]->Slot() == slot) return i;
        RaiseLattixError(lattix_error::kInvalidArgument);
    }
    if (!v.isNumeric()) RaiseLattixError(lattix_error::kInvalidArgument);
    const double n = ToDouble(v);
    if (n < 1 || n > static_cast<double>(entries_.size())) RaiseLattixError(lattix_error::kSubscriptOutOfRange);
    return static_cast<size_t>(ToInt32(v)) - 1;
}

std::shared_ptr<ComboObject> CombosObject::Items(const Variant& vKey) const { return entries_[indexOf(vKey)]; }

std::shared_ptr<ComboObject> CombosObject::Add(const std::string& sKey) {
    Lattix& g = requireGrid();
    const int16_t slot = g.ComboLists().add(sKey); // raises before anything is made
    auto obj = std::make_shared<ComboObject>(&g, slot, g.ComboLists().list(slot)->serial);
    entries_.push_back(obj);
    // Cells and column defaults that named this key before the list existed keep their number 0:
    // a key binds when it is set.
    return obj;
}

void CombosObject::Remove(const Variant& vKey) { removeAt(indexOf(vKey)); }

void CombosObject::removeAt(size_t index) {
    Lattix& g = requireGrid();
    std::shared_ptr<ComboObject> obj = entries_[index];
    const int16_t slot = obj->Slot();
    // The edit the list is open for ends first; its handlers may have touched the collection.
    g.ComboListRemoving(slot);
    auto it = std::find(entries_.begin(), entries_.end(), obj);
    if (it == entries_.end()) return;
    entries_.erase(it);
    g.ComboLists().remove(slot);
    obj->Forget();
}

void CombosObject::Clear() {
    requireGrid();
    while (!entries_.empty()) removeAt(entries_.size() - 1);
}

std::shared_ptr<ComboObject> CombosObject::BySlot(int32_t slot) const {
    for (const auto& e : entries_)
        if (e->Slot() == slot && slot != 0) return e;
    return nullptr;
}

} // namespace lattix
