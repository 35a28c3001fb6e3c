// LoadFromArray and LoadIntoArray: cell values to and from a host array of one or two dimensions.
//
// Both prepare every element or cell first and then commit with operations that cannot fail, so a
// failure in the middle leaves neither the grid nor the array half written.
#include <algorithm>
#include <new>
#include <vector>

#include "grid/lattix.h"
#include "grid/lattix_error.h"

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

} // namespace

void Lattix::LoadFromArray(const Variant& vStartRow, const Variant& vStartCol, const Variant& vArray,
                           bool bColMajorOrder) {
    const SafeArray& a = checkedArray(vArray);
    const int32_t R = ResolveRow(vStartRow);
    const int32_t C = ResolveColIndex(vStartCol);
    const ArrayBlock b = mapBlock(a, bColMajorOrder, rows_.count() - R + 1, colCount_ - C + 2);
    if (b.rows <= 0 || b.cols <= 0) return;

    // Each target cell with its new value, built before any cell changes.
    std::vector<CellRecord> staged;
    try {
        staged.reserve(static_cast<size_t>(b.rows) * static_cast<size_t>(b.cols));
        for (int32_t i = 0; i < b.rows; ++i)
            for (int32_t j = 0; j < b.cols; ++j) {
                staged.push_back(Cell(R + i, C + j));
                staged.back().setValue(a.data()[b.elementOf(i, j)]);
                staged.back().markChanged();
            }
    } catch (const std::bad_alloc&) {
        RaiseLattixError(kOutOfMemory);
    }
    size_t k = 0;
    for (int32_t i = 0; i < b.rows; ++i)
        for (int32_t j = 0; j < b.cols; ++j) Cell(R + i, C + j) = std::move(staged[k++]);
    RelayoutAndRedraw();
}

void Lattix::LoadIntoArray(const Variant& vStartRow, const Variant& vStartCol, const Variant& vArray,
                           bool bColMajorOrder) const {
    SafeArray& a = checkedArray(vArray);
    const int32_t R = ResolveRow(vStartRow);
    const int32_t C = ResolveColIndex(vStartCol);
    const ArrayBlock b = mapBlock(a, bColMajorOrder, rows_.count() - R + 1, colCount_ - C + 2);
    if (b.rows <= 0 || b.cols <= 0) return;

    std::vector<Variant> values;
    try {
        values.reserve(static_cast<size_t>(b.rows) * static_cast<size_t>(b.cols));
        for (int32_t i = 0; i < b.rows; ++i)
            for (int32_t j = 0; j < b.cols; ++j) values.push_back(Cell(R + i, C + j).value());
    } catch (const std::bad_alloc&) {
        RaiseLattixError(kOutOfMemory);
    }
    size_t k = 0;
    for (int32_t i = 0; i < b.rows; ++i)
        for (int32_t j = 0; j < b.cols; ++j) a.data()[b.elementOf(i, j)] = std::move(values[k++]);
}

} // namespace lattix
