// PropertyBag, ReadProperties, the stored persisted properties, and the lets of the persisted
// settings that have no family of their own yet (AllowSorting, MultiSelect).
#include "grid/model/property_bag.h"

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/model/persisted_properties.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {

void PropertyBag::Write(std::string_view name, Variant value) {
    std::string key = AsciiLower(name);
    for (auto& [entry, stored] : entries_) {
        if (AsciiLower(entry) == key) {
            stored = std::move(value);
            return;
        }
    }
    entries_.emplace_back(std::string(name), std::move(value));
}

const Variant* PropertyBag::Find(std::string_view name) const {
    std::string key = AsciiLower(name);
    for (const auto& [entry, stored] : entries_) {
        if (AsciiLower(entry) == key) return &stored;
    }
    return nullptr;
}

Variant PropertyBag::Read(std::string_view name, const Variant& defaultValue) const {
    const Variant* v = Find(name);
    return v ? *v : defaultValue;
}

ControlExtent ReadExtent(const PropertyBag& bag) {
    ControlExtent extent;
    extent.width = ToInt32(bag.Read("_ExtentX", Variant(int32_t{0})));
    extent.height = ToInt32(bag.Read("_ExtentY", Variant(int32_t{0})));
    return extent;
}

void ReadProperties(Lattix& grid, const PropertyBag& bag) {
    std::vector<PropertyLoadFailure> failures;
    ReadProperties(grid, bag, failures);
    if (!failures.empty()) throw AutomationError(static_cast<int32_t>(failures.front().number), "Lattix",
                                                 failures.front().description);
}

Variant Lattix::StoredProperty(std::string_view name, const Variant& defaultValue) const {
    return storedProperties_.Read(name, defaultValue);
}

void Lattix::SetStoredProperty(std::string_view name, Variant value) {
    storedProperties_.Write(name, std::move(value));
    PropertyChanged(name);
}

void Lattix::SetAllowSorting(bool b) {
    allowSorting_ = b;
    PropertyChanged("AllowSorting");
}

void Lattix::SetMultiSelect(bool b) {
    // The mode rebuilds the whole selection: not while the grid is walking it (or anything else).
    if (InStructuralOperation()) RaiseLattixError(lattix_error::kIllegalOperation);
    if (b == multiSelect_) {
        PropertyChanged("MultiSelect");
        return;
    }
    multiSelect_ = b;
    if (!b && selection_.count() > 0) {
        // Only the current cell (in row mode the current row) stays selected.
        BeforeSelectionBookkeeping();
        for (const SelItem& item : selection_.items()) {
            const bool current = rowMode_ ? item.row == curRow_ : item.row == curRow_ && item.col == curCol_;
            if (current || item.row < 1 || item.row > rows_.count()) continue;
            const int32_t first = rowMode_ ? 1 : item.col;
            const int32_t last = rowMode_ ? colCount_ + 1 : item.col;
            for (int32_t c = first; c <= last; ++c) {
                CellRecord& cell = Cell(item.row, c);
                if (!cell.selected()) continue;
                cell.setSelected(false);
                cell.markChanged();
            }
            RedrawRow(item.row);
            selContentsChanged_ = true;
        }
        selection_.clear();
        if (curRow_ > 0 && curCol_ > 0 && Cell(curRow_, rowMode_ ? 1 : curCol_).selected())
            selection_.add(curRow_, rowMode_ ? 1 : curCol_);
        FlushPendingEvents();
    }
    RelayoutAndRedraw();
    PropertyChanged("MultiSelect");
}

} // namespace lattix
