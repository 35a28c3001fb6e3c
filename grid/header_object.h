// The column header bar's properties (the grid's Header).
#pragma once

#include "grid/owned_object.h"

namespace lattix {

class HeaderObject final : public OwnedObject {
public:
    explicit HeaderObject(Lattix* grid) : OwnedObject(grid) {}
    const TypeInfo& typeInfo() const override;

    int32_t Height() const;
    void SetHeight(int32_t h);
};

} // namespace lattix
