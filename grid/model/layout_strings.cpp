// LayoutCol and LayoutSort: the host's own record of the user's column arrangement and sort state.
// A let reads and checks the whole text first and then applies it in one step, so a text that
// cannot be read or does not describe a valid layout raises 514 and leaves the grid as it was.
#include <algorithm>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/model/layout_text.h"
#include "grid/ops/sort_criteria.h"

namespace lattix {

using namespace lattix_error;

namespace {

void AppendField(std::string& out, int32_t index, const char* name, int64_t value) {
    out += std::to_string(index);
    out += '|';
    out += name;
    out += '|';
    out += std::to_string(value);
    out += '|';
}

// Records a field of a column once; a second value for the same column and field is a fault.
template <class T> void SetOnce(std::map<int32_t, T>& fields, int32_t index, T value) {
    if (!fields.emplace(index, value).second) RaiseLattixError(kInvalidArgument);
}

// A width saved at savedDpi, at the resolution currentDpi, rounded to the nearest pixel. A
// resolution of 0 or below on either side means the width is taken as it is.
int32_t ScaleWidth(int32_t width, bool hasDpi, int64_t savedDpi, int32_t currentDpi) {
    if (!hasDpi || savedDpi <= 0 || currentDpi <= 0 || savedDpi == currentDpi) return width;
    const int64_t scaled = (static_cast<int64_t>(width) * currentDpi + savedDpi / 2) / savedDpi;
    if (scaled > std::numeric_limits<int32_t>::max()) RaiseLattixError(kInvalidArgument);
    return static_cast<int32_t>(scaled);
}

} // namespace

std::string Lattix::LayoutCol() const {
    std::string out = "{dpi=" + std::to_string(ScreenDpiX()) + "}";
    std::vector<int32_t> posOf(static_cast<size_t>(colCount_) + 1, 0);
    for (int32_t p = 1; p <= colCount_; ++p) posOf[static_cast<size_t>(cols_[static_cast<size_t>(p)].index)] = p;
    for (int32_t c = 1; c <= colCount_; ++c) {
        const ColumnRecord& col = cols_[static_cast<size_t>(posOf[static_cast<size_t>(c)])];
        AppendField(out, c, "Width", col.width);
        AppendField(out, c, "Order", posOf[static_cast<size_t>(c)]);
        AppendField(out, c, "Visible", col.visible ? 1 : 0);
    }
    return out;
}

void Lattix::SetLayoutCol(const std::string& text) {
    if (text.empty()) return;
    const LayoutText layout = ReadLayoutText(text);
    const int32_t n = colCount_;
    std::map<int32_t, int32_t> widths, orders, visibles;
    for (const LayoutTriple& t : layout.triples) {
        if (t.index < 1) RaiseLattixError(kInvalidArgument);
        const bool known = t.name == "width" || t.name == "order" || t.name == "visible";
        if (!known) continue;
        const int32_t v = ReadLayoutNumber(t.value);
        if (t.index > n) continue; // a column the grid no longer has
        if (t.name == "width") {
            if (v < 0) RaiseLattixError(kInvalidArgument);
            SetOnce(widths, t.index, ScaleWidth(v, layout.hasDpi, layout.dpi, ScreenDpiX()));
        } else if (t.name == "order") {
            if (v < 1 || v > n) RaiseLattixError(kInvalidArgument);
            SetOnce(orders, t.index, v);
        } else {
            SetOnce(visibles, t.index, v != 0 ? 1 : 0);
        }
    }
    // The new display order: the columns given a position take it; the others fill the free
    // positions in their present order. Two columns asking for one position make no permutation.
    std::vector<int32_t> indexAt(static_cast<size_t>(n) + 1, 0);
    for (const auto& [index, pos] : orders) {
        if (indexAt[static_cast<size_t>(pos)] != 0) RaiseLattixError(kInvalidArgument);
        indexAt[static_cast<size_t>(pos)] = index;
    }
    int32_t freePos = 1;
    for (int32_t p = 1; p <= n; ++p) {
        const int32_t index = cols_[static_cast<size_t>(p)].index;
        if (orders.count(index)) continue;
        while (indexAt[static_cast<size_t>(freePos)] != 0) ++freePos;
        indexAt[static_cast<size_t>(freePos)] = index;
    }

    // Everything is checked: apply.
    EndEditing();
    MarkLayout(1);
    std::vector<int32_t> posOf(static_cast<size_t>(n) + 1, 0);
    for (int32_t p = 1; p <= n; ++p) posOf[static_cast<size_t>(cols_[static_cast<size_t>(p)].index)] = p;
    std::vector<ColumnRecord> reordered;
    reordered.reserve(cols_.size());
    reordered.push_back(std::move(cols_[0]));
    for (int32_t p = 1; p <= n; ++p) {
        const int32_t index = indexAt[static_cast<size_t>(p)];
        ColumnRecord c = std::move(cols_[static_cast<size_t>(posOf[static_cast<size_t>(index)])]);
        if (auto w = widths.find(index); w != widths.end()) {
            int32_t width = w->second;
            if (c.minWidth >= 0 && width < c.minWidth) width = c.minWidth;
            if (c.maxWidth >= 0 && width > c.maxWidth) width = c.maxWidth;
            c.width = width;
        }
        if (auto v = visibles.find(index); v != visibles.end()) c.visible = c.inHeader = v->second != 0;
        reordered.push_back(std::move(c));
    }
    for (size_t p = static_cast<size_t>(n) + 1; p < cols_.size(); ++p) reordered.push_back(std::move(cols_[p]));
    cols_ = std::move(reordered);
    rebuildHeaderItems();
    recomputeColumnPositions();
    RelayoutAndRedraw();
}

std::string Lattix::LayoutSort() const {
    std::string out;
    for (int32_t p = 1; p <= colCount_ + 1; ++p) {
        const ColumnRecord& c = cols_[static_cast<size_t>(p)];
        if (c.sortKey <= 0) continue;
        AppendField(out, c.index, "SortKey", c.sortKey);
        AppendField(out, c.index, "SortOrder", c.sortOrder);
    }
    return out;
}

void Lattix::SetLayoutSort(const std::string& text) {
    // The whole text is read and checked before the criteria are built from it.
    const LayoutText layout = ReadLayoutText(text);
    const int32_t maxIndex = colCount_ + 1;
    std::map<int32_t, int32_t> keys, orders;
    for (const LayoutTriple& t : layout.triples) {
        const bool known = t.name == "sortkey" || t.name == "sortorder";
        if (!known) continue;
        if (t.index < 1 || t.index > maxIndex) RaiseLattixError(kInvalidArgument);
        const int32_t v = ReadLayoutNumber(t.value);
        if (t.name == "sortkey") {
            if (v < 0) RaiseLattixError(kInvalidArgument);
            if (v > 0) SetOnce(keys, t.index, v);
        } else {
            if (v != sort_order::kAsc && v != sort_order::kDesc) RaiseLattixError(kInvalidArgument);
            SetOnce(orders, t.index, v);
        }
    }
    // The keys must be 1..count, each once, on columns whose sort type can be a criterion.
    std::vector<bool> seen(keys.size() + 1, false);
    for (const auto& [index, key] : keys) {
        if (key > static_cast<int32_t>(keys.size()) || seen[static_cast<size_t>(key)]) RaiseLattixError(kInvalidArgument);
        seen[static_cast<size_t>(key)] = true;
        if (!sort_type::IsCriterionType(cols_[static_cast<size_t>(PositionOfIndex(index))].sortType))
            RaiseLattixError(kInvalidArgument);
    }

    // The text describes the whole sort state: columns it does not name lose their key.
    for (int32_t p = 1; p <= maxIndex; ++p) {
        ColumnRecord& c = cols_[static_cast<size_t>(p)];
        const auto k = keys.find(c.index);
        const int32_t key = k == keys.end() ? 0 : k->second;
        const auto o = orders.find(c.index);
        const int32_t order = o == orders.end() ? c.sortOrder : o->second;
        if (c.sortKey == key && c.sortOrder == order) continue;
        c.sortKey = key;
        c.sortOrder = order;
        refreshHeaderItem(p);
    }
    rebuildCriteriaFromColumns();
}

} // namespace lattix
