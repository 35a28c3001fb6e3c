#include "grid/objects/sel_items_object.h"

#include <algorithm>
#include <climits>

#include "grid/lattix.h"

namespace lattix {

int32_t SelItemsObject::Count() const { return requireGrid().Selection().count(); }

std::vector<TSelItemInfo> SelItemsObject::GetArray(int32_t& lMinRow, int32_t& lMaxRow, int32_t& lMinCol,
                                                   int32_t& lMaxCol) const {
    const SelectionStore& set = requireGrid().Selection();
    std::vector<TSelItemInfo> out;
    if (set.count() == 0) return out;
    const bool limited = lMinRow != -1 || lMaxRow != -1 || lMinCol != -1 || lMaxCol != -1;
    // A limit of -1 is no limit.
    const int32_t loRow = lMinRow == -1 ? INT32_MIN : lMinRow, hiRow = lMaxRow == -1 ? INT32_MAX : lMaxRow;
    const int32_t loCol = lMinCol == -1 ? INT32_MIN : lMinCol, hiCol = lMaxCol == -1 ? INT32_MAX : lMaxCol;
    auto inside = [&](const SelItem& s) { return s.row >= loRow && s.row <= hiRow && s.col >= loCol && s.col <= hiCol; };
    if (sorted_) {
        out.reserve(limited ? 0 : static_cast<size_t>(set.count()));
        set.forEachSorted(loRow, hiRow, loCol, hiCol, [&](SelItem s) { out.push_back({s.row, s.col}); });
    } else {
        const std::vector<SelItem> all = set.items();
        out.reserve(limited ? 0 : all.size());
        for (const SelItem& s : all)
            if (inside(s)) out.push_back({s.row, s.col});
    }
    if ((limited || sorted_) && !out.empty()) {
        int32_t minRow = INT32_MAX, maxRow = INT32_MIN, minCol = INT32_MAX, maxCol = INT32_MIN;
        if (sorted_) { // row-major: the rows are the first and last items'
            minRow = out.front().Row;
            maxRow = out.back().Row;
        }
        for (const TSelItemInfo& s : out) {
            if (!sorted_) {
                minRow = std::min(minRow, s.Row);
                maxRow = std::max(maxRow, s.Row);
            }
            minCol = std::min(minCol, s.Col);
            maxCol = std::max(maxCol, s.Col);
        }
        lMinRow = minRow;
        lMaxRow = maxRow;
        lMinCol = minCol;
        lMaxCol = maxCol;
    }
    return out;
}

std::string SelItemsObject::GetString(int32_t& lMinRow, int32_t& lMaxRow, int32_t& lMinCol, int32_t& lMaxCol) const {
    const std::vector<TSelItemInfo> items = GetArray(lMinRow, lMaxRow, lMinCol, lMaxCol);
    std::string s;
    s.reserve(items.size() * 8);
    for (size_t i = 0; i < items.size(); ++i) {
        if (i) s += ';';
        s += '(';
        s += std::to_string(items[i].Row);
        s += ',';
        s += std::to_string(items[i].Col);
        s += ')';
    }
    return s;
}

} // namespace lattix
