// Sort criteria: an ordered list of (column index, order, sort type) items.
//
// The same structure holds the sort criteria, the grouping criteria the host edits and the grouping
// criteria in effect. It is a plain value: copying it copies the items. Every change goes through a
// member that checks its arguments first and changes nothing when it raises.
#pragma once

#include <cstdint>
#include <vector>

namespace lattix {

namespace sort_order {
inline constexpr int32_t kAsc = 0;
inline constexpr int32_t kDesc = 1;
} // namespace sort_order

namespace sort_type {
inline constexpr int32_t kValueGeneral = 0;
inline constexpr int32_t kValueUseCase = 1;
inline constexpr int32_t kValueNoCase = 2;
inline constexpr int32_t kCellTextUseCase = 3;
inline constexpr int32_t kCellTextNoCase = 4;
inline constexpr int32_t kIcon = 5;
inline constexpr int32_t kExtraIcon = 6;
inline constexpr int32_t kForeColor = 7;
inline constexpr int32_t kBackColor = 8;
inline constexpr int32_t kFontIndex = 9;
inline constexpr int32_t kSelected = 10;
inline constexpr int32_t kSelectable = 11;
inline constexpr int32_t kHatch = 12;
inline constexpr int32_t kCheckState = 13;
inline constexpr int32_t kCheckVisible = 14;
inline constexpr int32_t kComboListIndex = 15;
inline constexpr int32_t kExtraData = 16;
inline constexpr int32_t kValueCustomGroups = 97;
inline constexpr int32_t kCustom = 98;
inline constexpr int32_t kNone = 99;

// A type a criterion may carry: every published sort type except kNone.
inline bool IsCriterionType(int32_t t) { return (t >= kValueGeneral && t <= kExtraData) || t == kValueCustomGroups || t == kCustom; }
} // namespace sort_type

// Where a criterion's column index goes when the columns first..first + count - 1 are removed: the
// later ones close the gap; a removed column becomes 0, which no longer resolves (513 at the next
// sort), rather than quietly naming the column that took its index.
inline int32_t ColumnIndexAfterRemoval(int32_t col, int32_t first, int32_t count) {
    if (col < first) return col;
    return col < first + count ? 0 : col - count;
}

struct SortItem {
    int32_t col = 0;   // column index (1..ColCount + 1 when it resolves)
    int32_t order = sort_order::kAsc;
    int32_t type = sort_type::kValueGeneral;
    bool operator==(const SortItem&) const = default;
};

class SortCriteria {
public:
    int32_t count() const { return static_cast<int32_t>(items_.size()); }
    bool empty() const { return items_.empty(); }
    const std::vector<SortItem>& items() const { return items_; }
    // 1-based; raises 514 outside 1..count.
    const SortItem& at(int32_t index) const;

    // Negative: 514. New items k get column k, ascending, general rule; existing items stay.
    void setCount(int32_t n);
    void setCol(int32_t index, int32_t col);        // stored unchecked (checked when a sort starts)
    void setOrder(int32_t index, int32_t order);    // 514 unless ascending or descending
    void setType(int32_t index, int32_t type);      // 514 unless a criterion type
    // Appends an item whose column is already resolved; 514 for a bad order or type.
    void add(int32_t col, int32_t order, int32_t type);
    void remove(int32_t index);
    void clear() { items_.clear(); }
    // Position of the first item with that column, 0 when none.
    int32_t find(int32_t col) const;
    // The columns first..first + count - 1 were removed (ColumnIndexAfterRemoval).
    void columnsRemoved(int32_t first, int32_t count) {
        for (SortItem& item : items_) item.col = ColumnIndexAfterRemoval(item.col, first, count);
    }

    // Raises 513 when an item's column is outside 1..maxCol (the columns the grid has now).
    void validateColumns(int32_t maxCol) const;

    bool operator==(const SortCriteria&) const = default;

private:
    SortItem& mut(int32_t index);
    std::vector<SortItem> items_;
};

} // namespace lattix
