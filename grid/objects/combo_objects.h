// The drop-down lists as the host sees them: Combos, the keyed collection of the grid's lists
// (CombosObject), and one handle per list (ComboObject).
//
// A ComboObject names its list by slot and by the list's serial number, so a handle kept past
// Remove or Clear never reaches a later list that took the same slot: it raises 522 instead.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "grid/model/combo_lists.h"
#include "grid/objects/font_object.h"
#include "grid/objects/owned_object.h"

namespace lattix {

class RecordSet;

class ComboObject final : public OwnedObject {
public:
    ComboObject(Lattix* grid, int16_t slot, uint64_t serial) : OwnedObject(grid), slot_(slot), serial_(serial) {}
    const TypeInfo& typeInfo() const override;

    int16_t Slot() const { return slot_; }
    // The list is gone (removed from the collection).
    void Forget() { slot_ = 0; }

    void Clear();
    // Inserts at display position lIndex (0..ListCount), or at the end for -1; 513 for any other.
    void AddItem(const std::string& sItemText, const Variant& vItemValue = Variant::missing(), int16_t iIconIndex = 0,
                 int32_t lIndex = -1);
    void RemoveItem(int32_t lIndex);
    int32_t MaxHeightInItems() const;
    // At least 1 (514 otherwise).
    void SetMaxHeightInItems(int32_t n);
    int32_t Width() const;
    void SetWidth(int32_t lWidth);
    bool AutoExpand() const;
    void SetAutoExpand(bool b);
    // Width becomes the widest item plus 4, plus a scroll bar when not every item fits.
    void AutoAdjustWidth();
    int32_t ListCount() const;
    std::shared_ptr<FontObject> Font() const;
    // Re-measures every item; a null font raises 514.
    void SetFont(const std::shared_ptr<FontObject>& oFont);
    // A number naming one of the grid's image lists (0: none); anything else raises 518.
    void SetImageList(const Variant& vImageList);
    // Item fields by display position; an index outside 0..ListCount - 1 raises 513.
    int16_t ItemIcon(int32_t lIndex) const;
    void SetItemIcon(int32_t lIndex, int16_t iIcon);
    std::string ItemText(int32_t lIndex) const;
    void SetItemText(int32_t lIndex, const std::string& s);
    Variant ItemValue(int32_t lIndex) const;
    void SetItemValue(int32_t lIndex, const Variant& v);
    // Position of the first item whose value equals vValue, else -1.
    int32_t ValueIndex(const Variant& vValue) const;
    // Appends one item per record of rs: its text from field vTextField, its value from field
    // vValueField (by name or 1-based number; omitted: items without a value). The record set is
    // read to its end first: a field that does not exist (514) or a failing record set changes
    // nothing (grid/objects/combo_fill_from_record_set.cpp).
    void FillFromRS(RecordSet& rs, const Variant& vTextField, const Variant& vValueField = Variant::missing());

    // Pixels of the drop-down part and of one item (internal; tests and the drop-down read them).
    int32_t DropHeight() const { return list().dropHeight; }
    int32_t ItemHeight() const { return list().itemHeight; }

private:
    ComboList& list() const;
    ComboItem& item(int32_t lIndex) const;
    // The list changed in a way an open drop-down shows: refresh it.
    void shown() const;
    int16_t slot_;
    uint64_t serial_;
};

class CombosObject final : public OwnedObject {
public:
    explicit CombosObject(Lattix* grid) : OwnedObject(grid) {}
    const TypeInfo& typeInfo() const override;
    void detach() override;

    int16_t Count() const;
    // By key (a string) or 1-based position: 514 for a key that is not present, 513 for a position
    // outside 1..Count.
    std::shared_ptr<ComboObject> Items(const Variant& vKey) const;
    // 515 for a key already present, before anything is made.
    std::shared_ptr<ComboObject> Add(const std::string& sKey);
    // Cancels an edit the list is open for and unbinds the cells that refer to it.
    void Remove(const Variant& vKey);
    // Removes every list, from the last to the first.
    void Clear();
    // The handle of the list in a slot, nullptr when none.
    std::shared_ptr<ComboObject> BySlot(int32_t slot) const;

private:
    size_t indexOf(const Variant& vKey) const;
    void removeAt(size_t index);
    std::vector<std::shared_ptr<ComboObject>> entries_; // collection order
};

} // namespace lattix
