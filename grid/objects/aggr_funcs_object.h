// The aggregate functions of group rows: a list of (column, function) items.
#pragma once

#include <vector>

#include "grid/objects/owned_object.h"

namespace lattix {

class AggrFuncsObject final : public OwnedObject {
public:
    explicit AggrFuncsObject(Lattix* grid) : OwnedObject(grid) {}
    const TypeInfo& typeInfo() const override;

    int32_t ItemCount() const;
    // Negative: 514; 0 empties the list; new items get their own index as column and Sum as function.
    void SetItemCount(int32_t n);
    int32_t AggrCol(int32_t index) const;
    void SetAggrCol(int32_t index, int32_t col);
    int32_t AggrFunc(int32_t index) const;
    void SetAggrFunc(int32_t index, int32_t func);
    // The column resolved as a column index (513).
    void AddItem(const Variant& vCol, int32_t eAggrFunc = 0);
    void RemoveItem(int32_t index);
    void Clear();
    // The grid removed the columns first..first + count - 1: the items follow their columns.
    void ColumnsRemoved(int32_t first, int32_t count);

private:
    struct Item {
        int32_t col;
        int32_t func;
    };
    Item& item(int32_t index);
    const Item& item(int32_t index) const { return const_cast<AggrFuncsObject*>(this)->item(index); }
    std::vector<Item> items_;
};

} // namespace lattix
