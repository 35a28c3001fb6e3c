// Row and column addresses (a number is an index, a string is a key), keys and tags.
#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/objects/cell_object.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {

using namespace lattix_error;

namespace {

// The common address forms, a 32-bit or 16-bit integer or a double holding a whole number within the
// 32-bit range, need no rounding: they give the same number the general conversion gives. Everything
// else (halves, out-of-range numbers, NaN, other types) takes the general path with its errors.
inline bool WholeAddressNumber(const Variant& v, int32_t& out) {
    if (const int32_t* i = v.getIf<int32_t>()) {
        out = *i;
        return true;
    }
    if (const double* d = v.getIf<double>()) {
        if (*d >= -2147483648.0 && *d <= 2147483647.0) {
            const int32_t i = static_cast<int32_t>(*d);
            if (static_cast<double>(i) == *d) {
                out = i;
                return true;
            }
        }
        return false;
    }
    if (const int16_t* s = v.getIf<int16_t>()) {
        out = *s;
        return true;
    }
    return false;
}

} // namespace

int32_t Lattix::ResolveRow(const Variant& address) const {
    const Variant& v = address.deref();
    int32_t row = 0;
    if (WholeAddressNumber(v, row)) {
        if (row >= 1 && row <= rows_.count()) return row;
        RaiseLattixError(kSubscriptOutOfRange);
    }
    if (v.isNumeric()) row = AddressNumberToInt32(v);
    else if (v.isString()) row = keyIndex_.find(v.str());
    if (row < 1 || row > rows_.count()) RaiseLattixError(kSubscriptOutOfRange);
    return row;
}

int32_t Lattix::ResolveColIndex(const Variant& address) const {
    const Variant& v = address.deref();
    int32_t col = 0;
    if (WholeAddressNumber(v, col)) {
        if (col >= 1 && col <= colCount_ + 1) return col;
        RaiseLattixError(kSubscriptOutOfRange);
    }
    if (v.isNumeric()) col = AddressNumberToInt32(v);
    else if (v.isString()) col = ColIndex(v.str());
    if (col < 1 || col > colCount_ + 1) RaiseLattixError(kSubscriptOutOfRange);
    return col;
}

int32_t Lattix::PositionOfIndex(int32_t index) const {
    if (index < 1 || index > colCount_ + 1) return 0;
    for (int32_t p = 1; p <= colCount_ + 1; ++p)
        if (cols_[static_cast<size_t>(p)].index == index) return p;
    return 0;
}

int32_t Lattix::ResolveColPos(const Variant& address) const {
    const Variant& v = address.deref();
    if (v.isNumeric()) {
        // Compared for equality with the index: 2.5 names no column.
        double d = ToDouble(v);
        for (int32_t p = 1; p <= colCount_ + 1; ++p)
            if (static_cast<double>(cols_[static_cast<size_t>(p)].index) == d) return p;
        RaiseLattixError(kSubscriptOutOfRange);
    }
    // Anything else is looked up as a key, converted to text first (Empty is the empty key).
    if (v.isNull()) RaiseTypeMismatch();
    std::string lower = AsciiLower(v.isString() ? v.str() : ToString(v));
    for (int32_t p = 1; p <= colCount_ + 1; ++p)
        if (cols_[static_cast<size_t>(p)].keyLower == lower) return p;
    RaiseLattixError(kSubscriptOutOfRange);
}

int32_t Lattix::ColIndex(const std::string& sKey) const {
    std::string lower = AsciiLower(sKey);
    for (int32_t p = 1; p <= colCount_ + 1; ++p)
        if (cols_[static_cast<size_t>(p)].keyLower == lower) return cols_[static_cast<size_t>(p)].index;
    return 0;
}

std::string Lattix::RowKey(int32_t lRow) const {
    if (lRow < 1 || lRow > rows_.count()) RaiseLattixError(kSubscriptOutOfRange);
    return rows_[lRow].keyText();
}

void Lattix::SetRowKey(int32_t lRow, const std::string& key) {
    if (lRow < 1 || lRow > rows_.count()) RaiseLattixError(kSubscriptOutOfRange);
    RowRecord& r = rows_[lRow];
    if (key == r.keyText()) return;
    if (!key.empty() && keyIndex_.contains(key)) RaiseLattixError(kDuplicateKey);
    if (r.key) keyIndex_.remove(*r.key);
    RowTable::setKey(r, key);
    if (!key.empty()) keyIndex_.insert(key, r.cellSlot);
}

std::string Lattix::ColKey(int32_t lCol) const {
    return cols_[static_cast<size_t>(ResolveColPos(Variant(lCol)))].key;
}

void Lattix::SetColKey(int32_t lCol, const std::string& key) {
    int32_t pos = ResolveColPos(Variant(lCol));
    std::string lower = AsciiLower(key);
    if (!key.empty())
        for (int32_t p = 1; p <= colCount_ + 1; ++p)
            if (p != pos && cols_[static_cast<size_t>(p)].keyLower == lower) RaiseLattixError(kDuplicateKey);
    cols_[static_cast<size_t>(pos)].key = key;
    cols_[static_cast<size_t>(pos)].keyLower = lower;
}

Variant Lattix::RowTag(const Variant& vrow) const {
    const RowRecord& r = rows_[ResolveRow(vrow)];
    return r.tag ? *r.tag : Variant();
}

void Lattix::SetRowTag(const Variant& vrow, const Variant& tag) {
    RowTable::setTag(rows_[ResolveRow(vrow)], tag.deref());
}

Variant Lattix::ColTag(const Variant& vCol) const { return cols_[static_cast<size_t>(ResolveColPos(vCol))].tag; }

void Lattix::SetColTag(const Variant& vCol, const Variant& tag) {
    cols_[static_cast<size_t>(ResolveColPos(vCol))].tag = tag.deref();
}

std::shared_ptr<CellObject> Lattix::ColDefaultCell(const Variant& vCol) const {
    return cols_[static_cast<size_t>(ResolveColPos(vCol))].defaultCellObject;
}

// CellValue and the other cell attributes: grid/model/cell_properties.cpp.

} // namespace lattix
