#include "grid/objects/aggr_funcs_object.h"

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/ops/sort_criteria.h"

namespace lattix {

AggrFuncsObject::Item& AggrFuncsObject::item(int32_t index) {
    requireGrid();
    if (index < 1 || index > static_cast<int32_t>(items_.size())) RaiseLattixError(lattix_error::kInvalidArgument);
    return items_[static_cast<size_t>(index - 1)];
}

int32_t AggrFuncsObject::ItemCount() const {
    requireGrid();
    return static_cast<int32_t>(items_.size());
}

void AggrFuncsObject::SetItemCount(int32_t n) {
    requireGrid();
    if (n < 0) RaiseLattixError(lattix_error::kInvalidArgument);
    size_t old = items_.size();
    items_.resize(static_cast<size_t>(n));
    for (size_t i = old; i < items_.size(); ++i) items_[i] = Item{static_cast<int32_t>(i + 1), 0};
}

int32_t AggrFuncsObject::AggrCol(int32_t index) const { return item(index).col; }
void AggrFuncsObject::SetAggrCol(int32_t index, int32_t col) { item(index).col = col; }
int32_t AggrFuncsObject::AggrFunc(int32_t index) const { return item(index).func; }
void AggrFuncsObject::SetAggrFunc(int32_t index, int32_t func) { item(index).func = func; }

void AggrFuncsObject::AddItem(const Variant& vCol, int32_t eAggrFunc) {
    int32_t col = requireGrid().ResolveColIndex(vCol);
    items_.push_back(Item{col, eAggrFunc});
}

void AggrFuncsObject::RemoveItem(int32_t index) {
    item(index);
    items_.erase(items_.begin() + (index - 1));
}

void AggrFuncsObject::ColumnsRemoved(int32_t first, int32_t count) {
    for (Item& i : items_) i.col = ColumnIndexAfterRemoval(i.col, first, count);
}

void AggrFuncsObject::Clear() {
    requireGrid();
    items_.clear();
}

} // namespace lattix
