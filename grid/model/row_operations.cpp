// Adding rows (AddRow, InsertRows, RowCount) and the row reserve.
#include <limits>
#include <new>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {

using namespace lattix_error;

namespace {
constexpr int64_t kMaxRows = std::numeric_limits<int32_t>::max() - 1;
} // namespace

void Lattix::ensureRowCapacity(int32_t n) {
    if (n <= allocatedRows_) return;
    int64_t want = static_cast<int64_t>(n) + wantFreeRows_;
    if (want > kMaxRows) want = kMaxRows;
    // Storage grows geometrically underneath, so adding rows one by one stays linear; the reserve the
    // host asked for is what Sys reports. Both tables are checked before either grows, so a count no
    // memory could hold allocates nothing.
    const uint64_t bytes = static_cast<uint64_t>(want) * (sizeof(RowRecord) + static_cast<uint64_t>(cells_.columns()) * sizeof(CellRecord));
    if (!FitsInMemory(bytes)) RaiseLattixError(kOutOfMemory);
    try {
        rows_.reserve(static_cast<int32_t>(want));
        cells_.reserveSlots(static_cast<int32_t>(want));
    } catch (const std::bad_alloc&) {
        RaiseLattixError(kOutOfMemory);
    } catch (const std::length_error&) {
        RaiseLattixError(kOutOfMemory);
    }
    allocatedRows_ = static_cast<int32_t>(want);
}

int32_t Lattix::takeSlot(int32_t k, int32_t oldRowCount) {
    if (!freeSlots_.empty()) {
        int32_t s = freeSlots_.front();
        freeSlots_.pop_front();
        return s;
    }
    // Slots in use plus queued slots were 1..old RowCount + queue length, and the k - 1 rows before
    // this one took the queue: slot old RowCount + k is the first one never used.
    return oldRowCount + k;
}

std::vector<const CellRecord*> Lattix::defaultCellsByIndex() const {
    std::vector<const CellRecord*> d(static_cast<size_t>(colCount_) + 2, nullptr);
    for (int32_t p = 1; p <= colCount_ + 1; ++p) d[static_cast<size_t>(cols_[static_cast<size_t>(p)].index)] = &cols_[static_cast<size_t>(p)].defaultCell;
    return d;
}

void Lattix::applyStoreInitRowNumber(int32_t pos) {
    RowRecord& r = rows_[pos];
    switch (storeInitRowNumbers_) {
    case 1: {
        if (r.key) break;
        std::string key = std::to_string(pos);
        if (keyIndex_.contains(key)) break;
        RowTable::setKey(r, key);
        keyIndex_.insert(key, r.cellSlot);
        break;
    }
    case 2: RowTable::setTag(r, Variant(pos)); break;
    case 3:
        if (colCount_ >= 1) cells_.at(1, r.cellSlot).setValue(Variant(pos));
        break;
    default: break;
    }
}

void Lattix::insertRows(const std::string& key, int32_t& insertPos, bool visible, int16_t height, bool group,
                        int32_t parent, bool expanded, uint8_t level, uint8_t treeButton, bool visibleAsChild,
                        const Variant& tag, int32_t count) {
    const int32_t oldCount = rows_.count();
    // Memory first: nothing has changed if this fails.
    ensureRowCapacity(oldCount + count);
    const CellStorage::FillPattern* fill = nullptr;
    try {
        refreshDefaultCells();
        fill = &cells_.prepareFill(defaultCellsByIndex().data());
    } catch (const std::bad_alloc&) {
        RaiseLattixError(kOutOfMemory);
    }
    if (group) groupRows_ += count;
    if (treeCol_ != 0 && addRowAutoTreeButton_ && !group) treeButton = 1;
    if (parent > 0) {
        RowRecord& p = rows_[parent];
        level = static_cast<uint8_t>(p.level + 1);
        visibleAsChild = (p.flags & row_flags::kExpanded) && (p.flags & row_flags::kVisibleAsChild);
        if (treeCol_ != 0 && addRowAutoTreeButton_)
            p.flags = static_cast<uint8_t>((p.flags & ~row_flags::kTreeButtonMask) | 2);
        insertPos = 0;
        for (int32_t r = parent + 1; r <= oldCount; ++r)
            if (rows_[r].level <= p.level) {
                insertPos = r;
                break;
            }
    }
    RowRecord proto;
    proto.height = height;
    proto.normalCellHeight = defaultRowNormalCellHeight_;
    proto.flags = static_cast<uint8_t>((treeButton & row_flags::kTreeButtonMask) | (visible ? row_flags::kVisible : 0) |
                                       (group ? row_flags::kGroup : 0) | (expanded ? row_flags::kExpanded : 0) |
                                       (visibleAsChild ? row_flags::kVisibleAsChild : 0));
    proto.level = level;
    if (proto.displayed()) displayedRows_ += count;

    const int32_t first = insertPos > 0 ? insertPos : oldCount + 1;
    rows_.insertBlank(first, count);
    if (insertPos > 0) keyIndex_.positionsChanged();
    for (int32_t k = 1; k <= count; ++k) {
        int32_t pos = first + k - 1;
        RowRecord& r = rows_[pos];
        r = proto;
        r.cellSlot = takeSlot(k, oldCount);
        if (!tag.isEmpty()) r.tag = new Variant(tag);
        if (k == 1 && !key.empty()) r.key = new std::string(key);
        cells_.fillSlot(r.cellSlot, *fill);
        if (insertPos == 0) keyIndex_.appended(r.cellSlot, pos);
    }
    for (int32_t k = 1; k <= count; ++k) applyStoreInitRowNumber(first + k - 1);
    // Tops and visible indexes of the new rows and of the rows they pushed down.
    LayoutRowsFrom(first);
}

int32_t Lattix::AddRow(const AddRowArgs& a) {
    // 1-3: checks; nothing changes before they pass.
    int32_t before = a.vRowBefore.isOmitted() ? 0 : ResolveRow(a.vRowBefore);
    int32_t parent = a.vRowParent.isOmitted() ? 0 : ResolveRow(a.vRowParent);
    if (!a.sKey.empty() && keyIndex_.contains(a.sKey)) RaiseLattixError(kDuplicateKey);
    if (a.lCount < 1) RaiseLattixError(kInvalidArgument);
    // Values that would not fit their packed fields.
    if (a.lHeight > std::numeric_limits<int16_t>::max()) RaiseLattixError(kInvalidArgument);
    if (a.eTreeButton < 0 || a.eTreeButton > 2) RaiseLattixError(kInvalidArgument);
    if (a.btLevel < 0 || a.btLevel > 255) RaiseOverflow();
    if (parent > 0 && rows_[parent].level == 255) RaiseLattixError(kInvalidArgument);
    if (static_cast<int64_t>(rows_.count()) + a.lCount > kMaxRows) RaiseLattixError(kOutOfMemory);
    StructuralScope scope(*this);
    int16_t height = a.lHeight >= 0 ? static_cast<int16_t>(a.lHeight) : defaultRowHeight_;

    int32_t insertPos = before;
    // Capacity first, so that a failure changes nothing (the layout mark included).
    ensureRowCapacity(rows_.count() + a.lCount);
    MarkLayout(1);
    insertRows(a.sKey, insertPos, a.bVisible, height, a.bGroupRow, parent, a.bExpanded,
               static_cast<uint8_t>(a.btLevel), static_cast<uint8_t>(a.eTreeButton), a.bVisibleAsChild,
               a.vTag.deref(), a.lCount);
    const int32_t first = insertPos > 0 ? insertPos : rows_.count() - a.lCount + 1;
    if (insertPos > 0) {
        if (selection_.count() > 0) {
            bool any = false;
            any = selection_.anyInRows(insertPos, INT32_MAX);
            if (any) {
                BeforeSelectionBookkeeping();
                selection_.remap([&](SelItem& s) {
                    if (s.row >= insertPos) s.row += a.lCount;
                    return true;
                });
            }
        }
        if (curRow_ >= insertPos) SetCurrentCell(curRow_ + a.lCount, curCol_);
    }
    if (!a.sKey.empty()) keyIndex_.insert(a.sKey, rows_[first].cellSlot);
    GroupedRowsChanged();
    RelayoutAndRedraw();
    FlushPendingEvents();
    return first;
}

void Lattix::SetRowCount(int32_t n) {
    if (n < 0) RaiseLattixError(kInvalidArgument);
    const int32_t old = rows_.count();
    if (n == old) return;
    StructuralScope scope(*this);
    const CellStorage::FillPattern* fill = nullptr;
    if (n > old) {
        ensureRowCapacity(n);
        try {
            refreshDefaultCells();
            fill = &cells_.prepareFill(defaultCellsByIndex().data());
        } catch (const std::bad_alloc&) {
            RaiseLattixError(kOutOfMemory);
        }
    }
    MarkLayout(1);
    EndEditing();
    if (n < old) {
        for (int32_t r = n + 1; r <= old; ++r) {
            RowRecord& rec = rows_[r];
            if (n > 0 && rec.key) keyIndex_.remove(*rec.key);
            freeSlots_.push_back(rec.cellSlot);
            if (rec.displayed()) --displayedRows_;
            if (rec.isGroup()) --groupRows_;
        }
        if (n == 0) keyIndex_.clear();
        if (selection_.count() > 0) {
            bool any = false;
            any = selection_.anyInRows(n + 1, INT32_MAX);
            if (any) {
                BeforeSelectionBookkeeping();
                if (selection_.remap([&](SelItem& s) { return s.row <= n; })) SelectionDropped();
                for (int32_t r = n + 1; r <= old; ++r)
                    for (int32_t c = 1; c <= colCount_ + 1; ++c) Cell(r, c).setSelected(false);
            }
        }
        rows_.truncate(n);
        if (curRow_ > n) SetCurrentCell(0, curCol_);
        GroupedRowsChanged(); // the rows taken away may have counted in group totals
    } else {
        rows_.insertBlank(old + 1, n - old);
        for (int32_t pos = old + 1; pos <= n; ++pos) {
            RowRecord& r = rows_[pos];
            r.height = defaultRowHeight_;
            r.normalCellHeight = defaultRowNormalCellHeight_;
            r.flags = row_flags::kVisible | row_flags::kExpanded | row_flags::kVisibleAsChild;
            r.cellSlot = takeSlot(pos - old, old);
            cells_.fillSlot(r.cellSlot, *fill);
            if (r.displayed()) ++displayedRows_;
            keyIndex_.appended(r.cellSlot, pos);
        }
        for (int32_t pos = old + 1; pos <= n; ++pos) applyStoreInitRowNumber(pos);
        LayoutRowsFrom(old + 1);
    }
    RelayoutAndRedraw();
    FlushPendingEvents();
}

} // namespace lattix
