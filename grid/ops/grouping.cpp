// Grouping: Group, Ungroup, ResetEffectiveGroupObject and the aggregate values of group rows.
//
// Design
// ------
// GroupObject holds the grouping criteria the host edits: (column, order, sort type) items, the same
// structure as the sort criteria. AggrFuncs holds (column, function) items: Sum, Min, Max, Avg and
// Count (lxAggrFuncCount = 4, the number of data rows of the group).
//
// Group():
//   1. Checks, before anything changes: every grouping and aggregate column exists (513), every
//      aggregate function is known (514), the data rows' levels leave room for the group levels (514).
//   2. BeforeContentsGrouped; an edit in progress ends; the current cell and the selection are
//      remembered by cell slot, so they follow their data rows through everything below.
//   3. Group rows from an earlier Group are removed and the data rows return to their own levels. The
//      first Group of an ungrouped grid also records the order of the rows and their visible-as-child
//      flags, for Ungroup.
//   4. The criteria in effect become a copy of GroupObject; the sort criteria become those criteria
//      followed by the sort columns proper (the old sort criteria without their grouping items).
//   5. With AllowSorting on, all rows are sorted by the sort criteria (a sort run with its events;
//      lxSortByValueCustomGroups asks the host for group values through CustomGroupValue).
//   6. The data units are the rows of level 0 (tree rows bring their nested rows along). Walking them
//      in order, a unit starts a new group at grouping level k when its value of criterion k, or of a
//      criterion before it, differs from the previous unit's (by the criterion's own comparison), so
//      without sorting, equal values that are not adjacent form separate groups.
//   7. A group row is inserted for each group: level k - 1 for grouping level k, flagged as a group
//      row (counted in the group row count), with a visible tree button, expanded as
//      DefaultAutoGroupRowExpanded says; data rows move down by the number of grouping levels and are
//      shown only when all their group rows are expanded. The group row's row-text cell holds the
//      caption: the group value's displayed text (or the host's sGroupText), prefixed by the column's
//      header text and ": " when PrefixGroupValues is on; its cell in the grouping column holds the
//      group value (left Empty when the host supplies group values through CustomGroupValue). Its cell in each aggregate column holds the aggregate over the group's data units.
//   8. AfterAutoGroupRowCreated(lRow, lItemCount, vAggrFuncValues) for each new group row (the values
//      as an array, 1-based, in AggrFuncs order); the columns' sort marks are refreshed;
//      AfterContentsGrouped.
//   An empty GroupObject makes Group an Ungroup that keeps GroupObject.
//
// Aggregates: numbers (integers, single, double, currency, byte) and dates take part; Empty, Null,
// texts and other values are skipped. Sum of nothing is 0; Min, Max and Avg of nothing are Null.
// Min and Max keep the value as it is (a date stays a date); Sum and Avg are doubles.
//
// Edits inside a group: a changed cell value of a data unit recomputes the aggregates of the group
// rows above it (GroupedCellChanged, from CellValue let). Rows added, removed or moved while grouped
// recompute every group row's aggregates (GroupedRowsChanged). A data row whose grouping value is
// edited stays in its group until the next Group: rows never jump under the user's hands.
// Sorting a grouped grid sorts the runs of data rows between group rows; the aggregates do not change.
// A click on a grouping column's header (DoDefaultSort) regroups with that level's order reversed.
//
// Ungroup(): BeforeContentsGrouped; every group row is removed; the data rows get back their levels
// and visible-as-child flags; when no sort reordered the rows since Group, they return to the order
// they had before Group (rows added since then follow in their current order); both grouping criteria
// objects are emptied and the grouping items leave the sort criteria; sort marks refreshed;
// AfterContentsGrouped. ResetEffectiveGroupObject empties the criteria in effect only.
//
// Failures: the checks of step 1 raise before anything changes. Handlers of the events raised inside
// Group cannot add, remove or move rows (522). A handler that raises during the grouping sort (for
// instance in CustomSort) stops Group with its error: no row is lost, the grid is left ungrouped
// with its rows in their order, and AfterContentsGrouped is not raised.
#include <algorithm>
#include <cmath>
#include <optional>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/objects/aggr_funcs_object.h"
#include "grid/ops/row_comparator.h"
#include "grid/ops/sort_events.h"
#include "grid/ops/sort_state.h"
#include "runtime/conversions.h"

namespace lattix {

using namespace lattix_error;

namespace {

constexpr int32_t kAggrSum = 0, kAggrMin = 1, kAggrMax = 2, kAggrAvg = 3, kAggrCount = 4;

struct Aggregate {
    int32_t func = kAggrSum;
    int32_t count = 0;       // data units
    int32_t numbers = 0;     // values that took part
    double sum = 0;
    Variant best;            // min or max so far
    double bestValue = 0;

    void add(const Variant& v) {
        ++count;
        double x = 0;
        switch (v.type()) {
        case VarType::Int16:
        case VarType::Int32:
        case VarType::Single:
        case VarType::Double:
        case VarType::Currency:
        case VarType::Byte: x = ToDouble(v); break;
        case VarType::Date: x = v.get<Date>().serial; break;
        default: return;
        }
        if (std::isnan(x)) return;
        ++numbers;
        sum += x;
        if (numbers == 1 || (func == kAggrMin && x < bestValue) || (func == kAggrMax && x > bestValue)) {
            bestValue = x;
            best = v;
        }
    }
    Variant result() const {
        switch (func) {
        case kAggrSum: return Variant(sum);
        case kAggrMin:
        case kAggrMax: return numbers ? best : Variant::null();
        case kAggrAvg: return numbers ? Variant(sum / numbers) : Variant::null();
        case kAggrCount: return Variant(count);
        default: return Variant();
        }
    }
};

bool aggrFuncKnown(int32_t f) { return f >= kAggrSum && f <= kAggrCount; }

} // namespace

static std::vector<Variant> aggregateValues(Lattix& g, const AggrFuncsObject& funcs, int32_t groupRow, int32_t depth);

bool Lattix::PrefixGroupValues() const { return sortState_->prefixGroupValues; }
void Lattix::SetPrefixGroupValues(bool b) {
    sortState_->prefixGroupValues = b;
    PropertyChanged("PrefixGroupValues");
}
bool Lattix::AllowGrouping() const { return sortState_->allowGrouping; }
void Lattix::SetAllowGrouping(bool b) {
    sortState_->allowGrouping = b;
    PropertyChanged("AllowGrouping");
}

void Lattix::ResetEffectiveGroupObject() { sortState_->effective->criteria().clear(); }

// Removes every group row; data rows get back their own levels (and, with restore, their order and
// visible-as-child flags from before grouping). Current cell and selection follow their rows.
void Lattix::removeGroupRows() {
    SortGroupState& st = *sortState_;
    const int32_t n = rows_.count();
    const int32_t depth = st.groupDepth;
    RowTable::Records kept;
    kept.reserve(static_cast<size_t>(n) + 1);
    kept.push_back(RowRecord{});
    std::vector<int32_t> oldPosOfKept{0};
    oldPosOfKept.reserve(static_cast<size_t>(n) + 1);
    for (int32_t r = 1; r <= n; ++r) {
        RowRecord& rec = rows_[r];
        if (rec.isGroup()) {
            if (rec.key) keyIndex_.remove(*rec.key);
            freeSlots_.push_back(rec.cellSlot);
            RowTable::release(rec);
            continue;
        }
        RowRecord copy = rec;
        copy.level = static_cast<uint8_t>(copy.level >= depth ? copy.level - depth : 0);
        kept.push_back(copy);
        oldPosOfKept.push_back(r);
    }
    if (st.restoreOrder && !st.orderBeforeGroup.empty()) {
        // Back to the order before grouping; rows that came later follow in their current order.
        // Rows placed by their rank in the recorded order (by cell slot), in one pass.
        size_t maxSlot = 0;
        for (size_t i = 1; i < kept.size(); ++i) maxSlot = std::max(maxSlot, static_cast<size_t>(kept[i].cellSlot));
        for (int32_t slot : st.orderBeforeGroup) maxSlot = std::max(maxSlot, static_cast<size_t>(slot));
        std::vector<int32_t> rankOfSlot(maxSlot + 1, -1);
        for (size_t i = 0; i < st.orderBeforeGroup.size(); ++i)
            rankOfSlot[static_cast<size_t>(st.orderBeforeGroup[i])] = static_cast<int32_t>(i);
        std::vector<int32_t> byRank(st.orderBeforeGroup.size(), 0);
        std::vector<int32_t> later;
        for (size_t i = 1; i < kept.size(); ++i) {
            const int32_t r = rankOfSlot[static_cast<size_t>(kept[i].cellSlot)];
            if (r >= 0) byRank[static_cast<size_t>(r)] = static_cast<int32_t>(i);
            else later.push_back(static_cast<int32_t>(i));
        }
        std::vector<int32_t> idx;
        idx.reserve(kept.size());
        for (int32_t i : byRank)
            if (i > 0) idx.push_back(i);
        idx.insert(idx.end(), later.begin(), later.end());
        RowTable::Records ordered{RowRecord{}};
        std::vector<int32_t> oldPos{0};
        ordered.reserve(kept.size());
        for (int32_t i : idx) {
            ordered.push_back(kept[static_cast<size_t>(i)]);
            oldPos.push_back(oldPosOfKept[static_cast<size_t>(i)]);
        }
        kept.swap(ordered);
        oldPosOfKept.swap(oldPos);
    }
    // Visible as child: the flag from before grouping, else what the row's ancestors say.
    for (size_t i = 1; i < kept.size(); ++i) {
        RowRecord& rec = kept[i];
        const size_t slot = static_cast<size_t>(rec.cellSlot);
        bool vis = true;
        if (slot < st.flagsBeforeGroup.size() && st.flagsBeforeGroup[slot]) vis = st.flagsBeforeGroup[slot] == 2;
        rec.flags = static_cast<uint8_t>(vis ? (rec.flags | row_flags::kVisibleAsChild) : (rec.flags & ~row_flags::kVisibleAsChild));
    }
    std::vector<int32_t> newPos(static_cast<size_t>(n) + 1, 0);
    for (size_t i = 1; i < kept.size(); ++i) newPos[static_cast<size_t>(oldPosOfKept[i])] = static_cast<int32_t>(i);

    rows_.raw().swap(kept); // `kept` now holds the old records, whose keys and tags moved over
    kept.clear();
    rows_.reserve(allocatedRows_);
    groupRows_ = 0;
    displayedRows_ = 0;
    for (int32_t r = 1; r <= rows_.count(); ++r) displayedRows_ += rows_[r].displayed();
    keyIndex_.positionsChanged();
    if (selection_.count() > 0) {
        BeforeSelectionBookkeeping();
        if (selection_.remap([&](SelItem& s) {
                s.row = s.row >= 1 && s.row <= n ? newPos[static_cast<size_t>(s.row)] : 0;
                return s.row > 0;
            }))
            SelectionDropped();
    }
    if (curRow_ > 0) SetCurrentCell(curRow_ <= n ? newPos[static_cast<size_t>(curRow_)] : 0, curCol_);
    LayoutRowsFrom(1);
    st.groupDepth = 0;
}

void Lattix::Group() {
    ReadBoundRecordsToEnd();
    SortGroupState& st = *sortState_;
    const SortCriteria groupCriteria = st.group->criteria();
    groupCriteria.validateColumns(colCount_ + 1);
    for (int32_t k = 1; k <= aggrFuncs_->ItemCount(); ++k) {
        const int32_t c = aggrFuncs_->AggrCol(k);
        if (c < 1 || c > colCount_ + 1) RaiseLattixError(kSubscriptOutOfRange);
        if (!aggrFuncKnown(aggrFuncs_->AggrFunc(k))) RaiseLattixError(kInvalidArgument);
    }
    // Without group rows (never grouped, or the rows were cleared since) nothing is grouped now.
    if (groupRows_ == 0) st.groupDepth = 0;
    const int32_t depth = groupCriteria.count();
    {
        int32_t deepest = 0;
        for (int32_t r = 1; r <= rows_.count(); ++r)
            if (!rows_[r].isGroup()) deepest = std::max<int32_t>(deepest, rows_[r].level - st.groupDepth);
        if (deepest + depth > 255) RaiseLattixError(kInvalidArgument);
    }
    if (InStructuralOperation()) RaiseLattixError(kIllegalOperation);

    RaiseEvent(event_id::kBeforeContentsGrouped, {});
    EndEditing();
    MarkLayout(1);
    {
        StructuralScope scope(*this);
        if (groupRows_ == 0) {
            // The first grouping records what Ungroup restores.
            st.orderBeforeGroup.clear();
            st.orderBeforeGroup.reserve(static_cast<size_t>(rows_.count()));
            int32_t maxSlot = 0;
            for (int32_t r = 1; r <= rows_.count(); ++r) maxSlot = std::max(maxSlot, rows_[r].cellSlot);
            st.flagsBeforeGroup.assign(static_cast<size_t>(maxSlot) + 1, 0);
            for (int32_t r = 1; r <= rows_.count(); ++r) {
                st.orderBeforeGroup.push_back(rows_[r].cellSlot);
                st.flagsBeforeGroup[static_cast<size_t>(rows_[r].cellSlot)] =
                    (rows_[r].flags & row_flags::kVisibleAsChild) ? 2 : 1;
            }
            st.restoreOrder = true;
        } else {
            const bool restore = st.restoreOrder;
            st.restoreOrder = false; // regrouping keeps the current order
            removeGroupRows();
            st.restoreOrder = restore;
        }
        // The criteria: grouping items first, then the sort columns proper.
        SortCriteria& sortCriteria = st.sort->criteria();
        SortCriteria full = groupCriteria;
        for (int32_t k = st.effective->criteria().count() + 1; k <= sortCriteria.count(); ++k) {
            const SortItem& it = sortCriteria.at(k);
            full.add(it.col, it.order, it.type);
        }
        sortCriteria = std::move(full);
        st.effective->criteria() = groupCriteria;
    }

    if (depth == 0) {
        // Nothing to group by: the rows as they were before grouping.
        {
            StructuralScope scope(*this);
            removeGroupRows();
            st.orderBeforeGroup.clear();
            st.flagsBeforeGroup.clear();
        }
        refreshColSortFields();
        RelayoutAndRedraw();
        FlushPendingEvents();
        RaiseEvent(event_id::kAfterContentsGrouped, {});
        return;
    }

    if (allowSorting_ && rows_.count() > 0) {
        st.groupingSort = true;
        try {
            sortRun(1, rows_.count(), true, false);
        } catch (...) {
            // A host handler failed during the sort: no row has moved; the grid is left ungrouped,
            // with the sort criteria it had without grouping, and the error goes to the caller.
            st.groupingSort = false;
            SortCriteria& sortCriteria = st.sort->criteria();
            SortCriteria proper;
            for (int32_t k = depth + 1; k <= sortCriteria.count(); ++k) {
                const SortItem& it = sortCriteria.at(k);
                proper.add(it.col, it.order, it.type);
            }
            sortCriteria = std::move(proper);
            st.effective->criteria().clear();
            refreshColSortFields();
            RelayoutAndRedraw();
            FlushPendingEvents();
            throw;
        }
        st.groupingSort = false;
    }

    std::vector<int32_t> newGroupRows;
    {
        StructuralScope scope(*this);
        const int32_t n = rows_.count();
        // Units and where each starts new groups (the first grouping level that differs).
        std::vector<int32_t> unitStart;
        for (int32_t r = 1; r <= n; ++r)
            if (r == 1 || rows_[r].level == 0) unitStart.push_back(r);
        std::vector<int32_t> firstNewLevel(unitStart.size(), 0);
        std::vector<std::string> caption;    // per new group row, in order
        std::vector<Variant> groupValue;
        std::vector<int32_t> groupCol;
        int32_t groupCount = 0;
        if (n > 0) {
            RowComparator cmp(*this, groupCriteria, 1, n, true, depth);
            for (size_t u = 0; u < unitStart.size(); ++u) {
                int32_t level = 0;
                if (u > 0) {
                    level = depth;
                    for (int32_t k = 0; k < depth; ++k)
                        if (cmp.compareItem(static_cast<size_t>(k), unitStart[u - 1], unitStart[u]) != 0) {
                            level = k;
                            break;
                        }
                }
                firstNewLevel[u] = level;
                for (int32_t k = level; k < depth; ++k) {
                    const int32_t row = unitStart[u];
                    const int32_t col = groupCriteria.at(k + 1).col;
                    std::string text = cmp.hasGroupTexts(static_cast<size_t>(k)) ? cmp.groupText(static_cast<size_t>(k), row)
                                                                               : std::string();
                    if (text.empty()) text = DisplayedText(row, col);
                    const int32_t pos = PositionOfIndex(col);
                    const std::string& header = pos > 0 ? cols_[static_cast<size_t>(pos)].headerText : std::string();
                    if (st.prefixGroupValues && !header.empty()) text = header + ": " + text;
                    caption.push_back(std::move(text));
                    // A host's group value replaces the rows' values: the caption alone names the group.
                    const bool custom = groupCriteria.at(k + 1).type == sort_type::kValueCustomGroups;
                    groupValue.push_back(custom ? Variant() : Cell(row, col).value());
                    groupCol.push_back(col);
                    ++groupCount;
                }
            }
        }

        // Room for the group rows first: nothing has changed if this fails.
        ensureRowCapacity(n + groupCount);
        try {
            refreshDefaultCells();
        } catch (const std::bad_alloc&) {
            RaiseLattixError(kOutOfMemory);
        }

        RowTable::Records built;
        built.reserve(static_cast<size_t>(n + groupCount) + 1);
        built.push_back(RowRecord{});
        std::vector<int32_t> newPos(static_cast<size_t>(n) + 1, 0);
        const CellStorage::FillPattern& fill = cells_.prepareFill(defaultCellsByIndex().data());
        const bool expanded = defaultAutoGroupRowExpanded_;
        int32_t made = 0;
        for (size_t u = 0; u < unitStart.size(); ++u) {
            for (int32_t k = firstNewLevel[u]; k < depth; ++k) {
                RowRecord g;
                g.height = defaultRowHeight_;
                g.normalCellHeight = defaultRowNormalCellHeight_;
                const bool shown = k == 0 || expanded;
                g.flags = static_cast<uint8_t>(2 | row_flags::kVisible | row_flags::kGroup |
                                               (expanded ? row_flags::kExpanded : 0) |
                                               (shown ? row_flags::kVisibleAsChild : 0));
                g.level = static_cast<uint8_t>(k);
                g.cellSlot = takeSlot(made + 1, n);
                // A slot never used before is raw memory: fillSlot constructs its cells in place.
                cells_.fillSlot(g.cellSlot, fill);
                cells_.at(groupCol[static_cast<size_t>(made)], g.cellSlot).setValue(groupValue[static_cast<size_t>(made)]);
                cells_.at(colCount_ + 1, g.cellSlot).setValue(Variant(caption[static_cast<size_t>(made)]));
                built.push_back(g);
                newGroupRows.push_back(static_cast<int32_t>(built.size() - 1));
                ++made;
            }
            const int32_t end = u + 1 < unitStart.size() ? unitStart[u + 1] - 1 : n;
            for (int32_t r = unitStart[u]; r <= end; ++r) {
                RowRecord rec = rows_[r];
                rec.level = static_cast<uint8_t>(rec.level + depth);
                const bool vis = expanded && (rec.flags & row_flags::kVisibleAsChild);
                rec.flags = static_cast<uint8_t>(vis ? (rec.flags | row_flags::kVisibleAsChild) : (rec.flags & ~row_flags::kVisibleAsChild));
                built.push_back(rec);
                newPos[static_cast<size_t>(r)] = static_cast<int32_t>(built.size() - 1);
            }
        }
        rows_.raw().swap(built); // keys and tags moved with the records
        built.clear();
        rows_.reserve(allocatedRows_);
        groupRows_ = groupCount;
        displayedRows_ = 0;
        for (int32_t r = 1; r <= rows_.count(); ++r) displayedRows_ += rows_[r].displayed();
        keyIndex_.positionsChanged();
        if (selection_.count() > 0) {
            BeforeSelectionBookkeeping();
            selection_.remap([&](SelItem& s) {
                if (s.row >= 1 && s.row <= n) s.row = newPos[static_cast<size_t>(s.row)];
                return true;
            });
        }
        if (curRow_ > 0 && curRow_ <= n) SetCurrentCell(newPos[static_cast<size_t>(curRow_)], curCol_);
        st.groupDepth = depth;
        LayoutRowsFrom(1);
        for (int32_t g : newGroupRows) recomputeAggregates(g);
    }
    RelayoutAndRedraw();
    FlushPendingEvents();

    // The host hears of each new group row once the grid is complete. Rows cannot be added or
    // removed from these handlers (522), so the positions stay right.
    {
        StructuralScope scope(*this);
        for (int32_t g : newGroupRows) {
            const std::vector<Variant> aggregates = aggregateValues(*this, *aggrFuncs_, g, depth);
            ArrayRef values = SafeArray::make1D(1, static_cast<int32_t>(aggregates.size()));
            for (size_t k = 0; k < aggregates.size(); ++k) values->at(static_cast<int32_t>(k + 1)) = aggregates[k];
            int32_t units = 0;
            for (int32_t r = g + 1, e = LastNestedOf(g); r <= e; ++r) units += !rows_[r].isGroup() && rows_[r].level == depth;
            Variant args[] = {Variant(g), Variant(units), Variant(values)};
            RaiseEvent(event_id::kAfterAutoGroupRowCreated, args);
        }
    }
    refreshColSortFields();
    RaiseEvent(event_id::kAfterContentsGrouped, {});
}

void Lattix::Ungroup() {
    if (InStructuralOperation()) RaiseLattixError(kIllegalOperation);
    SortGroupState& st = *sortState_;
    RaiseEvent(event_id::kBeforeContentsGrouped, {});
    EndEditing();
    MarkLayout(1);
    {
        StructuralScope scope(*this);
        removeGroupRows();
        // The grouping items leave the sort criteria.
        SortCriteria& sortCriteria = st.sort->criteria();
        SortCriteria proper;
        for (int32_t k = st.effective->criteria().count() + 1; k <= sortCriteria.count(); ++k) {
            const SortItem& it = sortCriteria.at(k);
            proper.add(it.col, it.order, it.type);
        }
        sortCriteria = std::move(proper);
        st.group->criteria().clear();
        st.effective->criteria().clear();
        st.orderBeforeGroup.clear();
        st.flagsBeforeGroup.clear();
        st.restoreOrder = false;
    }
    refreshColSortFields();
    RelayoutAndRedraw();
    FlushPendingEvents();
    RaiseEvent(event_id::kAfterContentsGrouped, {});
}

// The aggregate of every AggrFuncs item over the data units of a group row, in item order.
static std::vector<Variant> aggregateValues(Lattix& g, const AggrFuncsObject& funcs, int32_t groupRow, int32_t depth) {
    const int32_t items = funcs.ItemCount();
    std::vector<Variant> out(static_cast<size_t>(items));
    const int32_t last = g.LastNestedOf(groupRow);
    for (int32_t k = 1; k <= items; ++k) {
        const int32_t col = funcs.AggrCol(k);
        if (col < 1 || col > g.RowTextCol()) continue;
        Aggregate a;
        a.func = funcs.AggrFunc(k);
        for (int32_t r = groupRow + 1; r <= last; ++r) {
            const RowRecord& rec = g.Row(r);
            if (rec.isGroup() || rec.level != depth) continue;
            const CellRecord& cell = g.Cell(r, col);
            a.add(cell.valueIsDouble() ? Variant(cell.doubleValue()) : cell.value());
        }
        out[static_cast<size_t>(k - 1)] = a.result();
    }
    return out;
}

void Lattix::recomputeAggregates(int32_t groupRow) {
    const int32_t items = aggrFuncs_->ItemCount();
    if (items == 0) return;
    const std::vector<Variant> values = aggregateValues(*this, *aggrFuncs_, groupRow, sortState_->groupDepth);
    // Each aggregate column shows its item's value (the last item, when a column has several).
    for (int32_t k = 1; k <= items; ++k) {
        const int32_t col = aggrFuncs_->AggrCol(k);
        if (col < 1 || col > colCount_ + 1) continue;
        CellRecord& target = Cell(groupRow, col);
        target.setValue(values[static_cast<size_t>(k - 1)]);
        target.markChanged();
    }
    RedrawRow(groupRow);
}

void Lattix::GroupedCellChanged(int32_t row, int32_t colIndex) {
    if (!sortState_ || sortState_->groupDepth == 0 || groupRows_ == 0 || row < 1 || row > rows_.count()) return;
    if (rows_[row].isGroup()) return;
    bool aggregated = false;
    for (int32_t k = 1; k <= aggrFuncs_->ItemCount() && !aggregated; ++k) aggregated = aggrFuncs_->AggrCol(k) == colIndex;
    if (!aggregated) return;
    // The data unit holding the row, then every group row above it.
    int32_t unit = row;
    while (unit > 0 && rows_[unit].level > sortState_->groupDepth) unit = ParentOf(unit);
    for (int32_t p = unit > 0 ? ParentOf(unit) : 0; p > 0; p = ParentOf(p))
        if (rows_[p].isGroup()) recomputeAggregates(p);
}

void Lattix::GroupedRowsChanged() {
    if (!sortState_ || sortState_->groupDepth == 0 || groupRows_ == 0) return;
    for (int32_t r = 1; r <= rows_.count(); ++r)
        if (rows_[r].isGroup()) recomputeAggregates(r);
}

} // namespace lattix
