// The grid's drop-down lists as the cell storage sees them: keyed lists of items, numbered from 1.
// Cells refer to a list by number (comboIndex) and to an item by its 0-based index
// (comboListIndex). The drop-down windows and the published list objects build on this store.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/variant.h"

namespace lattix {

struct ComboItem {
    std::string text;
    Variant value = Variant::missing(); // the omitted-argument value: the item has no value
    int16_t icon = 0;
    bool hasValue() const { return !value.isMissing(); }
};

struct ComboList {
    std::string key;
    std::vector<ComboItem> items;
    // Index of the first item whose value is present and equal to v; -1 when none (or v is an array).
    int32_t indexOfValue(const Variant& v) const;
};

class ComboListStore {
public:
    size_t count() const { return lists_.size(); }
    // Number of the list whose key equals the text exactly; 0 when none.
    int16_t find(std::string_view key) const;
    // List number n; nullptr for 0 or an unknown number.
    const ComboList* list(int32_t n) const;
    ComboList* list(int32_t n);
    // Appends a list and returns its number. Raises error 515 for a key already present and 514
    // when the store already holds the most lists a cell can number (32767).
    int16_t add(std::string key);
    void clear() { lists_.clear(); }

private:
    std::vector<ComboList> lists_;
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
