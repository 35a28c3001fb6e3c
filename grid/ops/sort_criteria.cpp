#include "grid/ops/sort_criteria.h"

#include "grid/automation/error_table.h"

namespace lattix {

using namespace lattix_error;

namespace {
void checkOrder(int32_t order) {
    if (order != sort_order::kAsc && order != sort_order::kDesc) RaiseLattixError(kInvalidArgument);
}
void checkType(int32_t type) {
    if (!sort_type::IsCriterionType(type)) RaiseLattixError(kInvalidArgument);
}
} // namespace

const SortItem& SortCriteria::at(int32_t index) const {
    if (index < 1 || index > count()) RaiseLattixError(kInvalidArgument);
    return items_[static_cast<size_t>(index - 1)];
}

SortItem& SortCriteria::mut(int32_t index) { return const_cast<SortItem&>(at(index)); }

void SortCriteria::setCount(int32_t n) {
    if (n < 0) RaiseLattixError(kInvalidArgument);
    const int32_t old = count();
    if (n == old) return;
    items_.resize(static_cast<size_t>(n));
    for (int32_t k = old + 1; k <= n; ++k) items_[static_cast<size_t>(k - 1)] = SortItem{k, sort_order::kAsc, sort_type::kValueGeneral};
}

void SortCriteria::setCol(int32_t index, int32_t col) { mut(index).col = col; }

void SortCriteria::setOrder(int32_t index, int32_t order) {
    SortItem& item = mut(index);
    checkOrder(order);
    item.order = order;
}

void SortCriteria::setType(int32_t index, int32_t type) {
    SortItem& item = mut(index);
    checkType(type);
    item.type = type;
}

void SortCriteria::add(int32_t col, int32_t order, int32_t type) {
    checkOrder(order);
    checkType(type);
    items_.push_back(SortItem{col, order, type});
}

void SortCriteria::remove(int32_t index) {
    at(index);
    items_.erase(items_.begin() + (index - 1));
}

int32_t SortCriteria::find(int32_t col) const {
    for (size_t k = 0; k < items_.size(); ++k)
        if (items_[k].col == col) return static_cast<int32_t>(k + 1);
    return 0;
}

void SortCriteria::validateColumns(int32_t maxCol) const {
    for (const SortItem& item : items_)
        if (item.col < 1 || item.col > maxCol) RaiseLattixError(kSubscriptOutOfRange);
}

} // namespace lattix
