// SortGroupObject: the published face of a list of sort or grouping criteria (SortCriteria).
#pragma once

#include <memory>

#include "grid/objects/owned_object.h"
#include "grid/ops/sort_criteria.h"

namespace lattix {

class SortGroupObject final : public OwnedObject {
public:
    explicit SortGroupObject(Lattix* grid) : OwnedObject(grid) {}
    const TypeInfo& typeInfo() const override;

    int32_t ColCount() const { return criteria_.count(); }
    void SetColCount(int32_t n) { criteria_.setCount(n); }
    int32_t SortCol(int32_t lSortIndex) const { return criteria_.at(lSortIndex).col; }
    void SetSortCol(int32_t lSortIndex, int32_t col) { criteria_.setCol(lSortIndex, col); }
    int32_t SortOrder(int32_t lSortIndex) const { return criteria_.at(lSortIndex).order; }
    void SetSortOrder(int32_t lSortIndex, int32_t e) { criteria_.setOrder(lSortIndex, e); }
    int32_t SortType(int32_t lSortIndex) const { return criteria_.at(lSortIndex).type; }
    void SetSortType(int32_t lSortIndex, int32_t e) { criteria_.setType(lSortIndex, e); }
    void Clear() { criteria_.clear(); }
    // The column resolved through the grid (513), then the order and type checked (514).
    void AddItem(const Variant& vCol, int32_t eSortOrder = 0, int32_t eSortType = 0);
    int32_t FindCol(const Variant& vCol) const;
    void RemoveItem(int32_t lSortIndex) { criteria_.remove(lSortIndex); }

    const SortCriteria& criteria() const { return criteria_; }
    SortCriteria& criteria() { return criteria_; }

private:
    SortCriteria criteria_;
};

} // namespace lattix
