// FillFromRS: columns and rows of the grid from the records of a record set.
//
// Modes (EFillFromRSMode):
//  - lxFillRSRecreateColsOnly (0): every row and column goes; one column per field is made (key and
//    header text the field's name, sort type from the field's kind); no record is read.
//  - lxFillRSColsIfEmptyAndRows (1): columns are made as above when the grid has none; the records
//    then replace the grid's rows.
//  - lxFillRSAddToExistingRows (2): as 1, but the records are appended after the existing rows.
// A field goes to the column whose key is the field's name. When no field names an existing column
// (columns the host made without keys), field i goes to column i, as far as there are columns. When
// vRowKeyField names a field (by name or 1-based number), its text becomes the key of each new row.
//
// The record set is read to its end before anything changes, into prepared cell values: a record
// set that fails part way (a step that fails, a host callback that raises), a key field that does not
// exist, or a key that is duplicated raises and leaves the grid as it was. Values no cell can carry
// exactly have already been turned into texts by the record set (grid/model/record_set.h).
#include <limits>
#include <new>
#include <unordered_set>
#include <vector>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/model/cell_enums.h"
#include "grid/model/record_set.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {

using namespace lattix_error;

namespace {

constexpr int64_t kMaxRows = std::numeric_limits<int32_t>::max() - 1;
constexpr int32_t kSortByValueGeneral = 0;
constexpr int32_t kSortByValueNoCase = 2;

int32_t SortTypeOf(FieldKind kind) { return kind == FieldKind::Text ? kSortByValueNoCase : kSortByValueGeneral; }

// The key a record gives its row: the text of the key field; none for Empty or Null.
std::string KeyText(const Variant& v) {
    if (v.isEmpty() || v.isNull()) return {};
    return ToString(v);
}

} // namespace

void Lattix::FillFromRS(RecordSet& rs, int32_t eMode, const Variant& vRowKeyField) {
    if (eMode < 0 || eMode > 2) RaiseLattixError(kInvalidArgument);
    // Refused before a record is read: a fill from a locked event handler would use up the record
    // set and then fail at its first structural step.
    if (InStructuralOperation()) RaiseLattixError(kIllegalOperation);
    // Records added to a bound grid come after all of its own.
    ReadBoundRecordsToEnd();
    const int32_t fields = rs.FieldCount();
    if (fields < 0) RaiseLattixError(kInvalidArgument);
    int32_t keyField = -1;
    if (!vRowKeyField.deref().isOmitted()) {
        keyField = rs.FindField(vRowKeyField);
        if (keyField < 0) RaiseLattixError(kInvalidArgument);
    }
    std::vector<std::string> names;
    std::vector<FieldKind> kinds;
    for (int32_t f = 0; f < fields; ++f) {
        names.push_back(rs.FieldName(f));
        kinds.push_back(rs.FieldKindOf(f));
    }
    const bool makeColumns = eMode == 0 || colCount_ == 0;

    // Where each field goes: a column index, or 0 for nowhere.
    std::vector<int32_t> target(static_cast<size_t>(fields), 0);
    if (makeColumns) {
        for (int32_t f = 0; f < fields; ++f) target[static_cast<size_t>(f)] = f + 1;
    } else {
        bool anyByKey = false;
        for (int32_t f = 0; f < fields; ++f) {
            const int32_t c = names[static_cast<size_t>(f)].empty() ? 0 : ColIndex(names[static_cast<size_t>(f)]);
            target[static_cast<size_t>(f)] = c > 0 ? c : 0;
            anyByKey = anyByKey || c > 0;
        }
        if (!anyByKey)
            for (int32_t f = 0; f < fields; ++f) target[static_cast<size_t>(f)] = f + 1 <= colCount_ ? f + 1 : 0;
    }

    // Read everything first.
    std::vector<CellRecord::Prepared> values;
    std::vector<std::string> keys;
    int64_t records = 0;
    if (eMode != 0) {
        try {
            std::unordered_set<std::string> seen;
            while (rs.MoveNext()) {
                for (int32_t f = 0; f < fields; ++f) {
                    Variant v = rs.Value(f);
                    if (f == keyField) {
                        std::string key = KeyText(v.deref());
                        if (!key.empty() && (!seen.insert(key).second || (eMode == 2 && keyIndex_.contains(key))))
                            RaiseLattixError(kDuplicateKey);
                        keys.push_back(std::move(key));
                    }
                    values.emplace_back(v);
                }
                ++records;
                const int64_t existing = eMode == 2 ? rows_.count() : 0;
                if (existing + records > kMaxRows) RaiseLattixError(kOutOfMemory);
            }
        } catch (const std::bad_alloc&) {
            RaiseLattixError(kOutOfMemory);
        }
    }
    keys.resize(static_cast<size_t>(records));

    // Then change the grid; nothing below fails but for memory.
    BeginUpdate();
    try {
        if (eMode == 0) {
            Clear(true);
        } else if (eMode == 1) {
            Clear(false);
        }
        if (makeColumns) {
            for (int32_t f = 0; f < fields; ++f) {
                const std::string& name = names[static_cast<size_t>(f)];
                AddColArgs a;
                // A key must be unique: a repeated field name makes its column without one.
                if (!name.empty() && ColIndex(name) == 0) a.sKey = name;
                a.sHeader = name;
                a.eSortType = SortTypeOf(kinds[static_cast<size_t>(f)]);
                AddCol(a);
            }
        }
        if (records > 0) {
            const int32_t first = rows_.count() + 1;
            AddRowArgs rowArgs;
            rowArgs.lCount = static_cast<int32_t>(records);
            AddRow(rowArgs);
            size_t k = 0;
            for (int32_t i = 0; i < records; ++i) {
                const int32_t row = first + i;
                const int32_t slot = rows_[row].cellSlot;
                for (int32_t f = 0; f < fields; ++f, ++k) {
                    const int32_t c = target[static_cast<size_t>(f)];
                    if (c == 0) continue;
                    CellRecord& cell = cells_.at(c, slot);
                    cell.setPrepared(std::move(values[k]));
                    if ((cell.typeBits & cell_bits::kTypeMask) == cell_type::kCombo) {
                        const ComboBinding b = DeriveComboBinding(comboLists_, cell.looks().comboIndex, cell.value());
                        cell.comboListIndex = b.listIndex;
                        cell.editLooks([&](CellLooks& l) { l.icon = b.icon; });
                    }
                    cell.markChanged();
                }
                if (!keys[static_cast<size_t>(i)].empty()) SetRowKey(row, keys[static_cast<size_t>(i)]);
            }
            GroupedRowsChanged();
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

} // namespace lattix
