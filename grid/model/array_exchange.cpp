// LoadFromArray and LoadIntoArray: cell values to and from a host array of one or two dimensions.
//
// Both check the block first and prepare only what could fail to copy (values that allocate), then
// write with operations that cannot fail: a failure leaves neither the grid nor the array half
// written, and no copy of the target block is ever made.
#include <algorithm>
#include <new>
#include <vector>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/model/cell_enums.h"
#include "grid/model/combo_lists.h"

namespace lattix {

using namespace lattix_error;

namespace {

// The block of cells an array maps to and the element of each cell.
struct ArrayBlock {
    int32_t rows = 0;
    int32_t cols = 0;
    // Offsets into SafeArray::data() for cell (i, j) of the block.
    size_t elementOf(int32_t i, int32_t j) const {
        return static_cast<size_t>(i) * rowStride + static_cast<size_t>(j) * colStride;
    }
    size_t rowStride = 0;
    size_t colStride = 0;
};

SafeArray& checkedArray(const Variant& vArray) {
    const Variant& v = vArray.deref();
    if (!v.isArray() || !v.array()) RaiseLattixError(kInvalidArgument);
    SafeArray& a = *v.array();
    if (a.dims() != 1 && a.dims() != 2) RaiseLattixError(kInvalidArgument);
    return a;
}

// Room in the grid: rows R..RowCount and column indices C..ColCount + 1.
ArrayBlock mapBlock(const SafeArray& a, bool colMajor, int32_t rowsRoom, int32_t colsRoom) {
    ArrayBlock b;
    const int32_t extent1 = a.bound(0).count;
    if (a.dims() == 1) {
        if (colMajor) {
            b.rows = std::min(rowsRoom, 1);
            b.cols = std::min(colsRoom, extent1);
            b.colStride = 1;
        } else {
            b.rows = std::min(rowsRoom, extent1);
            b.cols = std::min(colsRoom, 1);
            b.rowStride = 1;
        }
        return b;
    }
    // Elements are stored with the first dimension varying fastest.
    const int32_t extent2 = a.bound(1).count;
    const size_t dim2Stride = static_cast<size_t>(extent1);
    if (colMajor) {
        b.rows = std::min(rowsRoom, extent2);
        b.cols = std::min(colsRoom, extent1);
        b.rowStride = dim2Stride;
        b.colStride = 1;
    } else {
        b.rows = std::min(rowsRoom, extent1);
        b.cols = std::min(colsRoom, extent2);
        b.rowStride = 1;
        b.colStride = dim2Stride;
    }
    return b;
}

// Visits every cell (i, j) of the block in tiles: the array runs down its first dimension and the
// grid across a row's columns, so tiles keep both sides in cache. Every pass uses the same order.
template <class Fn> void ForEachCell(const ArrayBlock& b, Fn&& fn) {
    constexpr int32_t kTile = 32;
    for (int32_t i0 = 0; i0 < b.rows; i0 += kTile)
        for (int32_t j0 = 0; j0 < b.cols; j0 += kTile) {
            const int32_t i1 = std::min(b.rows, i0 + kTile), j1 = std::min(b.cols, j0 + kTile);
            for (int32_t i = i0; i < i1; ++i)
                for (int32_t j = j0; j < j1; ++j) fn(i, j);
        }
}

} // namespace

void Lattix::LoadFromArray(const Variant& vStartRow, const Variant& vStartCol, const Variant& vArray,
                           bool bColMajorOrder) {
    const SafeArray& a = checkedArray(vArray);
    const int32_t R = ResolveRow(vStartRow);
    const int32_t C = ResolveColIndex(vStartCol);
    const ArrayBlock b = mapBlock(a, bColMajorOrder, rows_.count() - R + 1, colCount_ - C + 2);
    if (b.rows <= 0 || b.cols <= 0) return;

    // Only values that need a box can fail to store (memory): those are made first, in visiting
    // order, so that the writes below cannot fail. Numbers need no buffer at all.
    std::vector<CellRecord::Prepared> boxed;
    const Variant* elements = a.data().data();
    // Doubles, the common element, are recognised without the general type switch.
    auto needsBox = [](const Variant& e) { return !e.getIf<double>() && CellRecord::NeedsBox(e); };
    try {
        size_t count = 0;
        ForEachCell(b, [&](int32_t i, int32_t j) { count += needsBox(elements[b.elementOf(i, j)]); });
        boxed.reserve(count);
        if (count > 0)
            ForEachCell(b, [&](int32_t i, int32_t j) {
                const Variant& e = elements[b.elementOf(i, j)];
                if (needsBox(e)) boxed.emplace_back(e);
            });
    } catch (const std::bad_alloc&) {
        RaiseLattixError(kOutOfMemory);
    }
    size_t k = 0;
    ForEachCell(b, [&](int32_t i, int32_t j) {
        const Variant& e = elements[b.elementOf(i, j)];
        CellRecord& cell = cells_.at(C + j, rows_[R + i].cellSlot);
        if (const double* d = e.getIf<double>()) cell.setDouble(*d);
        else if (CellRecord::NeedsBox(e)) cell.setPrepared(std::move(boxed[k++]));
        else cell.setPrepared(CellRecord::Prepared(e));
        if ((cell.typeBits & cell_bits::kTypeMask) == cell_type::kCombo) {
            const ComboBinding cb = DeriveComboBinding(comboLists_, cell.looks().comboIndex, e.deref());
            cell.comboListIndex = cb.listIndex;
            cell.editLooks([&](CellLooks& l) { l.icon = cb.icon; });
        }
        cell.markChanged();
    });
    GroupedRowsChanged();
    RelayoutAndRedraw();
}

void Lattix::LoadIntoArray(const Variant& vStartRow, const Variant& vStartCol, const Variant& vArray,
                           bool bColMajorOrder) const {
    SafeArray& a = checkedArray(vArray);
    const int32_t R = ResolveRow(vStartRow);
    const int32_t C = ResolveColIndex(vStartCol);
    const ArrayBlock b = mapBlock(a, bColMajorOrder, rows_.count() - R + 1, colCount_ - C + 2);
    if (b.rows <= 0 || b.cols <= 0) return;

    // Copying a boxed value (a string, say) allocates; those copies are made first so that the
    // array is either filled completely or left alone. Other values are written straight in.
    std::vector<Variant> boxed;
    Variant* elements = a.data().data();
    try {
        size_t count = 0;
        ForEachCell(b, [&](int32_t i, int32_t j) { count += cells_.at(C + j, rows_[R + i].cellSlot).isBoxed(); });
        boxed.reserve(count);
        if (count > 0)
            ForEachCell(b, [&](int32_t i, int32_t j) {
                const CellRecord& cell = cells_.at(C + j, rows_[R + i].cellSlot);
                if (cell.isBoxed()) boxed.push_back(cell.value());
            });
    } catch (const std::bad_alloc&) {
        RaiseLattixError(kOutOfMemory);
    }
    size_t k = 0;
    ForEachCell(b, [&](int32_t i, int32_t j) {
        const CellRecord& cell = cells_.at(C + j, rows_[R + i].cellSlot);
        Variant& element = elements[b.elementOf(i, j)];
        if (cell.isBoxed()) element = std::move(boxed[k++]);
        else element = cell.value();
    });
}

} // namespace lattix
