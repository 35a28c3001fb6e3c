// The grid's drop-down lists as the cell storage sees them: keyed lists of items in a 1-based slot
// table. Cells refer to a list by its slot number (comboIndex) and to an item by its 0-based index
// (comboListIndex). A removed list empties its slot, which the next new list takes again. The
// drop-down window and the published list objects build on this store.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/variant.h"

namespace lattix::gfx {
class ImageList;
}

namespace lattix {

struct ComboItem {
    std::string text;
    Variant value = Variant::missing(); // the omitted-argument value: the item has no value
    int16_t icon = 0;
    // Measured in the list's font when the item is added and when the font changes.
    int32_t textWidth = 0, textHeight = 0, itemWidth = 0, itemHeight = 0;
    bool hasValue() const { return !value.isMissing(); }
};

class FontObject;

struct ComboList {
    std::string key;
    std::vector<ComboItem> items; // in display order
    // Tells this list from a later one that takes the same slot.
    uint64_t serial = 0;
    // Width of the drop-down part in pixels (0 or less: the cell's width), its height and the
    // height every item takes (never below 15), the most items shown without scrolling.
    int32_t width = 0;
    int32_t dropHeight = 120;
    int32_t itemHeight = 15;
    int32_t maxHeightInItems = 8;
    // Text-with-list cells complete the typed text from the list.
    bool autoExpand = false;
    // The image list the item icons come from (none: no icons) and the list font (none: the grid's).
    std::shared_ptr<gfx::ImageList> images;
    std::shared_ptr<FontObject> font;
    // Index of the first item whose value is present and equal to v; -1 when none (or v is an array).
    int32_t indexOfValue(const Variant& v) const;
};

class ComboListStore {
public:
    // Lists present, and slots (empty ones included).
    size_t count() const;
    int32_t slotCount() const { return static_cast<int32_t>(slots_.size()); }
    // Number of the list whose key equals the text exactly; 0 when none.
    int16_t find(std::string_view key) const;
    // The list in slot n; nullptr for 0, an empty slot or an unknown number. The list stays where it
    // is until it is removed.
    const ComboList* list(int32_t n) const;
    ComboList* list(int32_t n);
    // Puts a new list into the first empty slot (or a new one) and returns its number. Raises error
    // 515 for a key already present and 514 when the slots a cell can number (32767) are all taken.
    int16_t add(std::string key);
    // Empties slot n (nothing for an empty or unknown slot).
    void remove(int32_t n);
    void clear() { slots_.clear(); }

private:
    std::vector<std::unique_ptr<ComboList>> slots_;
    uint64_t nextSerial_ = 1;
};

// Equality of a cell value and an item value: numbers (and dates, Booleans) by value across their
// types, texts exactly, anything else by identity.
bool ComboValuesEqual(const Variant& a, const Variant& b);

} // namespace lattix

namespace lattix {

// The combo binding of a cell derived from its value: comboListIndex -1 and icon 0, unless list
// comboIndex exists and an item's value equals the (non-array) value.
struct ComboBinding {
    int32_t listIndex = -1;
    int16_t icon = 0;
};
ComboBinding DeriveComboBinding(const ComboListStore& lists, int32_t comboIndex, const Variant& value);

} // namespace lattix
