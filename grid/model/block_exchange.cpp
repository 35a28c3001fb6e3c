// LoadFromBlock and LoadIntoBlock: cell values to and from a block of plain values.
//
// Like the array exchange, each call converts and checks everything first, keeps in a compact buffer
// only what could fail later (strings that need memory), and then writes with operations that cannot
// fail: a failed call leaves both the grid and the caller's block as they were.
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/model/cell_enums.h"
#include "grid/model/combo_lists.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {

using namespace lattix_error;

namespace {

[[noreturn]] void RaiseBadVarType() { RaiseRuntimeError(static_cast<int32_t>(0x80020008u), "Bad variable type."); }
[[noreturn]] void RaiseInvalidPointer() { RaiseLattixError(kInvalidArgument); }

// Variant types a mixed block carries; numbers travel as doubles.
bool MixedTypeSupported(uint16_t t) {
    switch (static_cast<VarType>(t)) {
    case VarType::Empty:
    case VarType::Null:
    case VarType::Int16:
    case VarType::Int32:
    case VarType::Single:
    case VarType::Double:
    case VarType::Date:
    case VarType::String:
    case VarType::Error:
    case VarType::Bool:
    case VarType::Byte: return true;
    default: return false;
    }
}

// The value of a mixed element that is no string. Numbers out of their type's range are an overflow
// (the same as converting them through the automation runtime).
Variant MixedScalar(uint16_t type, double d) {
    switch (static_cast<VarType>(type)) {
    case VarType::Empty: return Variant();
    case VarType::Null: return Variant::null();
    case VarType::Int16: return Variant(ToInt16(Variant(d)));
    case VarType::Int32: return Variant(ToInt32(Variant(d)));
    case VarType::Single: return Variant(ToSingle(Variant(d)));
    case VarType::Double: return Variant(d);
    case VarType::Date: return Variant(Date{d});
    case VarType::Error: return Variant(ErrorValue{static_cast<int32_t>(static_cast<int64_t>(d))});
    case VarType::Bool: return Variant(d != 0);
    case VarType::Byte: return Variant(ToByte(Variant(d)));
    default: RaiseBadVarType();
    }
}

// The payload of a cell's value in a mixed block; false for values a mixed block cannot carry.
bool MixedPayload(const Variant& v, double& d) {
    switch (v.type()) {
    case VarType::Empty:
    case VarType::Null:
    case VarType::String: d = 0; return true;
    case VarType::Int16: d = v.get<int16_t>(); return true;
    case VarType::Int32: d = v.get<int32_t>(); return true;
    case VarType::Single: d = v.get<float>(); return true;
    case VarType::Double: d = v.get<double>(); return true;
    case VarType::Date: d = v.get<Date>().serial; return true;
    case VarType::Error: d = v.get<ErrorValue>().scode; return true;
    case VarType::Bool: d = v.get<bool>() ? 1 : 0; return true;
    case VarType::Byte: d = v.get<uint8_t>(); return true;
    default: return false;
    }
}

void CheckBlock(const ValueBlock& b) {
    if (b.rows < 0 || b.cols < 0) RaiseLattixError(kInvalidArgument);
    const bool numbers = b.kind != ValueBlock::Kind::Texts;
    const bool texts = b.kind == ValueBlock::Kind::Texts || b.kind == ValueBlock::Kind::Mixed;
    if (b.rows == 0 || b.cols == 0) return;
    if ((numbers && !b.numbers) || (texts && !b.lengths) || (b.kind == ValueBlock::Kind::Mixed && !b.types))
        RaiseInvalidPointer();
}

} // namespace

void Lattix::LoadFromBlock(const Variant& vStartRow, const Variant& vStartCol, const ValueBlock& b,
                           int32_t* rowsDone, int32_t* colsDone) {
    CheckBlock(b);
    const int32_t R = ResolveRow(vStartRow);
    const int32_t C = ResolveColIndex(vStartCol);
    const int32_t rows = std::min(rows_.count() - R + 1, b.rows);
    const int32_t cols = std::min(colCount_ - C + 2, b.cols);
    *rowsDone = *colsDone = 0;
    if (rows <= 0 || cols <= 0) return;

    // Everything is converted first: texts and mixed values into prepared cell values, in row-major
    // order (numbers cannot fail and are read again while writing). Combo cells re-derive their
    // binding from the new value, which is found now too.
    const bool texts = b.kind == ValueBlock::Kind::Texts || b.kind == ValueBlock::Kind::Mixed;
    std::vector<CellRecord::Prepared> prepared;
    std::vector<ComboBinding> combos;
    auto isCombo = [&](int32_t i, int32_t j) {
        return (cells_.at(C + j, rows_[R + i].cellSlot).typeBits & cell_bits::kTypeMask) == cell_type::kCombo;
    };
    auto bind = [&](int32_t i, int32_t j, const Variant& v) {
        combos.push_back(DeriveComboBinding(comboLists_, cells_.at(C + j, rows_[R + i].cellSlot).looks().comboIndex, v));
    };
    try {
        if (texts) {
            prepared.reserve(static_cast<size_t>(rows) * static_cast<size_t>(cols));
            const char* next = b.text;
            for (int32_t i = 0; i < b.rows; ++i)
                for (int32_t j = 0; j < b.cols; ++j) {
                    const size_t k = static_cast<size_t>(i) * static_cast<size_t>(b.cols) + static_cast<size_t>(j);
                    const uint16_t type = b.kind == ValueBlock::Kind::Mixed ? b.types[k] : static_cast<uint16_t>(VarType::String);
                    if (!MixedTypeSupported(type)) RaiseBadVarType();
                    const bool isText = type == static_cast<uint16_t>(VarType::String);
                    const int64_t length = isText ? b.lengths[k] : 0;
                    if (length < 0) RaiseLattixError(kInvalidArgument);
                    if (length > 0 && !next) RaiseInvalidPointer();
                    if (i < rows && j < cols) {
                        const Variant v = isText ? Variant(std::string(next, static_cast<size_t>(length)))
                                                 : MixedScalar(type, *reinterpret_cast<const double*>(b.number(i, j)));
                        prepared.emplace_back(v);
                        if (isCombo(i, j)) bind(i, j, v);
                    }
                    if (length > 0) next += length;
                }
        } else {
            for (int32_t i = 0; i < rows; ++i)
                for (int32_t j = 0; j < cols; ++j) {
                    if (!isCombo(i, j)) continue;
                    if (b.kind == ValueBlock::Kind::Doubles) bind(i, j, Variant(*reinterpret_cast<const double*>(b.number(i, j))));
                    else bind(i, j, Variant(*reinterpret_cast<const int32_t*>(b.number(i, j))));
                }
        }
    } catch (const std::bad_alloc&) {
        RaiseLattixError(kOutOfMemory);
    }

    size_t nextCombo = 0;
    for (int32_t i = 0; i < rows; ++i) {
        const int32_t slot = rows_[R + i].cellSlot;
        for (int32_t j = 0; j < cols; ++j) {
            CellRecord& cell = cells_.at(C + j, slot);
            switch (b.kind) {
            case ValueBlock::Kind::Doubles: cell.setDouble(*reinterpret_cast<const double*>(b.number(i, j))); break;
            case ValueBlock::Kind::Int32s: cell.setInt32(*reinterpret_cast<const int32_t*>(b.number(i, j))); break;
            default:
                cell.setPrepared(std::move(prepared[static_cast<size_t>(i) * static_cast<size_t>(cols) + static_cast<size_t>(j)]));
            }
            if ((cell.typeBits & cell_bits::kTypeMask) == cell_type::kCombo) {
                cell.comboListIndex = combos[nextCombo].listIndex;
                cell.editLooks([&](CellLooks& l) { l.icon = combos[nextCombo].icon; });
                ++nextCombo;
            }
            cell.markChanged();
        }
    }
    *rowsDone = rows;
    *colsDone = cols;
    GroupedRowsChanged();
    RelayoutAndRedraw();
}

void Lattix::LoadIntoBlock(const Variant& vStartRow, const Variant& vStartCol, const ValueBlock& b,
                           int32_t* rowsDone, int32_t* colsDone) const {
    CheckBlock(b);
    if (b.kind != ValueBlock::Kind::Doubles && b.kind != ValueBlock::Kind::Int32s && !b.textOut && !b.textAlloc)
        RaiseInvalidPointer();
    const int32_t R = ResolveRow(vStartRow);
    const int32_t C = ResolveColIndex(vStartCol);
    const int32_t rows = std::min(rows_.count() - R + 1, b.rows);
    const int32_t cols = std::min(colCount_ - C + 2, b.cols);
    *rowsDone = *colsDone = 0;
    if (rows <= 0 || cols <= 0) return;
    auto cell = [&](int32_t i, int32_t j) -> const CellRecord& { return cells_.at(C + j, rows_[R + i].cellSlot); };

    switch (b.kind) {
    case ValueBlock::Kind::Doubles:
        // Converting twice is cheaper than a buffer: the first pass only proves that every value converts.
        for (int32_t i = 0; i < rows; ++i)
            for (int32_t j = 0; j < cols; ++j)
                if (!cell(i, j).valueIsDouble()) (void)ToDouble(cell(i, j).value());
        for (int32_t i = 0; i < rows; ++i)
            for (int32_t j = 0; j < cols; ++j) {
                const CellRecord& c = cell(i, j);
                *reinterpret_cast<double*>(b.number(i, j)) = c.valueIsDouble() ? c.doubleValue() : ToDouble(c.value());
            }
        break;
    case ValueBlock::Kind::Int32s:
        for (int32_t i = 0; i < rows; ++i)
            for (int32_t j = 0; j < cols; ++j)
                if (!cell(i, j).valueIsInt32()) (void)ToInt32(cell(i, j).value());
        for (int32_t i = 0; i < rows; ++i)
            for (int32_t j = 0; j < cols; ++j) {
                const CellRecord& c = cell(i, j);
                *reinterpret_cast<int32_t*>(b.number(i, j)) = c.valueIsInt32() ? c.int32Value() : ToInt32(c.value());
            }
        break;
    case ValueBlock::Kind::Texts:
    case ValueBlock::Kind::Mixed: {
        const bool mixed = b.kind == ValueBlock::Kind::Mixed;
        std::string text;
        std::vector<int64_t> lengths;
        std::vector<uint16_t> types;
        std::vector<double> payloads;
        try {
            lengths.reserve(static_cast<size_t>(rows) * static_cast<size_t>(cols));
            if (mixed) {
                types.reserve(lengths.capacity());
                payloads.reserve(lengths.capacity());
            }
            for (int32_t i = 0; i < rows; ++i)
                for (int32_t j = 0; j < cols; ++j) {
                    const Variant v = cell(i, j).value();
                    if (!mixed) {
                        const size_t before = text.size();
                        text += ToString(v);
                        lengths.push_back(static_cast<int64_t>(text.size() - before));
                        continue;
                    }
                    double d = 0;
                    if (!MixedPayload(v, d)) RaiseBadVarType();
                    types.push_back(static_cast<uint16_t>(v.type()));
                    payloads.push_back(d);
                    if (v.isString()) text += v.str();
                    lengths.push_back(v.isString() ? static_cast<int64_t>(v.str().size()) : 0);
                }
        } catch (const std::bad_alloc&) {
            RaiseLattixError(kOutOfMemory);
        }
        char* textTarget = nullptr;
        try {
            if (b.textAlloc) textTarget = b.textAlloc(text.size());
            else b.textOut->reserve(b.textOut->size() + text.size());
        } catch (const std::bad_alloc&) {
            RaiseLattixError(kOutOfMemory);
        }
        // Nothing below fails.
        if (b.textAlloc) {
            if (!text.empty()) std::memcpy(textTarget, text.data(), text.size());
        } else {
            b.textOut->append(text);
        }
        size_t k = 0;
        for (int32_t i = 0; i < rows; ++i)
            for (int32_t j = 0; j < cols; ++j, ++k) {
                const size_t at = static_cast<size_t>(i) * static_cast<size_t>(b.cols) + static_cast<size_t>(j);
                b.lengths[at] = lengths[k];
                if (!mixed) continue;
                b.types[at] = types[k];
                *reinterpret_cast<double*>(b.number(i, j)) = payloads[k];
            }
        break;
    }
    }
    *rowsDone = rows;
    *colsDone = cols;
}

} // namespace lattix
