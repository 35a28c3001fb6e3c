// The selection as the host sees it (the grid's SelItems).
#pragma once

#include "grid/owned_object.h"

namespace lattix {

class SelItemsObject final : public OwnedObject {
public:
    explicit SelItemsObject(Lattix* grid) : OwnedObject(grid) {}
    const TypeInfo& typeInfo() const override;

    int32_t Count() const;
    bool Sorted() const {
        requireGrid();
        return sorted_;
    }
    void SetSorted(bool b) {
        requireGrid();
        sorted_ = b;
    }

private:
    bool sorted_ = true;
};

} // namespace lattix
