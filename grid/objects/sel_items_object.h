// The selection as the host sees it (the grid's SelItems).
#pragma once

#include <string>
#include <vector>

#include "grid/objects/owned_object.h"

namespace lattix {

// One selected item: a cell, or in row mode a whole row as (row, 1).
struct TSelItemInfo {
    int32_t Row = 0;
    int32_t Col = 0;
    bool operator==(const TSelItemInfo&) const = default;
};

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

    // The items, in enumeration order or (Sorted) ascending by row, then column. Each limit that is
    // not -1 keeps only the items on its side of it; when a limit is given or Sorted is on, the four
    // arguments come back as the lowest and highest row and column of the items returned. With no
    // items returned they are left alone.
    std::vector<TSelItemInfo> GetArray(int32_t& lMinRow, int32_t& lMaxRow, int32_t& lMinCol, int32_t& lMaxCol) const;
    std::vector<TSelItemInfo> GetArray() const {
        int32_t a = -1, b = -1, c = -1, d = -1;
        return GetArray(a, b, c, d);
    }
    // The items of GetArray written as "(row,col)" joined with ";".
    std::string GetString(int32_t& lMinRow, int32_t& lMaxRow, int32_t& lMinCol, int32_t& lMaxCol) const;
    std::string GetString() const {
        int32_t a = -1, b = -1, c = -1, d = -1;
        return GetString(a, b, c, d);
    }

private:
    bool sorted_ = true;
};

} // namespace lattix
