// Sorting: Sort, DoDefaultSort, SortRowChildNodes and the sort run they share.
//
// A sort run never moves a row while it compares. It reads the comparison keys of the range once
// (RowComparator), computes the new order of the range as a list of old positions (a stable merge
// sort; in tree mode, sibling blocks sorted level by level), and only then moves the row records in
// one pass. So an event handler that raises during the comparisons leaves every row where it was, a
// handler that reads CellValue(lRow1, lCol) sees the row it is asked about, and a handler that tries
// to add, remove or move rows gets 522 "Illegal operation." (the run holds the structural guard).
// Cells never move: each row record keeps its cell slot, so keys, the current cell and the selection
// are carried over by mapping old positions to new ones.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <numeric>
#include <optional>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/ops/row_comparator.h"
#include "grid/ops/sort_events.h"
#include "grid/ops/sort_state.h"
#include "grid/ops/stable_merge_sort.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {

using namespace lattix_error;

namespace {

// Appends to `out` the new order of rows lo..hi of a tree: the rows of the lowest level in the range
// start sibling blocks (each with the rows nested under it); rows before the first of them stay in
// front. Blocks are sorted by their first rows; with `recursive`, the rows inside each block too.
void treeOrder(const RowTable& rows, int32_t lo, int32_t hi, bool recursive, RowComparator& cmp,
               std::vector<int32_t>& out) {
    if (lo > hi) return;
    uint8_t level = 255;
    for (int32_t r = lo; r <= hi; ++r) level = std::min(level, rows[r].level);
    int32_t p = lo;
    while (rows[p].level != level) ++p;
    if (p > lo) {
        if (recursive) treeOrder(rows, lo, p - 1, true, cmp, out);
        else for (int32_t r = lo; r < p; ++r) out.push_back(r);
    }
    // Blocks are fixed before any comparison: a handler cannot change which rows travel together.
    std::vector<int32_t> starts;
    std::vector<int32_t> endOf(static_cast<size_t>(hi - p + 1), 0);
    for (int32_t r = p; r <= hi; ++r) {
        if (rows[r].level != level) continue;
        if (!starts.empty()) endOf[static_cast<size_t>(starts.back() - p)] = r - 1;
        starts.push_back(r);
    }
    endOf[static_cast<size_t>(starts.back() - p)] = hi;
    cmp.sortPositions(starts);
    for (int32_t s : starts) {
        const int32_t e = endOf[static_cast<size_t>(s - p)];
        out.push_back(s);
        if (recursive) treeOrder(rows, s + 1, e, true, cmp, out);
        else for (int32_t r = s + 1; r <= e; ++r) out.push_back(r);
    }
}

void flatOrder(int32_t lo, int32_t hi, RowComparator& cmp, std::vector<int32_t>& out) {
    std::vector<int32_t> seq(static_cast<size_t>(hi - lo + 1));
    std::iota(seq.begin(), seq.end(), lo);
    cmp.sortPositions(seq);
    out.insert(out.end(), seq.begin(), seq.end());
}

// Counts a sort run in progress for as long as it lives.
struct SortingMark {
    explicit SortingMark(SortGroupState& s) : state(s) { ++state.sorting; }
    ~SortingMark() { --state.sorting; }
    SortGroupState& state;
};

} // namespace

void Lattix::initialiseSorting() {
    auto s = std::make_shared<SortGroupState>();
    s->sort = std::make_shared<SortGroupObject>(this);
    s->group = std::make_shared<SortGroupObject>(this);
    s->effective = std::make_shared<SortGroupObject>(this);
    registerOwned(s->sort);
    registerOwned(s->group);
    registerOwned(s->effective);
    sortState_ = std::move(s);
}

std::shared_ptr<SortGroupObject> Lattix::SortObject() const { return sortState_->sort; }
std::shared_ptr<SortGroupObject> Lattix::GroupObject() const { return sortState_->group; }
const SortCriteria& Lattix::EffectiveGroupCriteria() const { return sortState_->effective->criteria(); }
int32_t Lattix::SortCriteriaInEffect() const { return sortState_->criteriaInEffect; }
bool Lattix::IsSorting() const { return sortState_->sorting > 0; }
bool Lattix::SortScrollToCurRow() const { return sortState_->scrollToCurRow; }
void Lattix::SetSortScrollToCurRow(bool b) {
    sortState_->scrollToCurRow = b;
    PropertyChanged("SortScrollToCurRow");
}

void Lattix::resolveRowRange(const Variant& vRowStart, const Variant& vRowEnd, int32_t& first, int32_t& last) const {
    first = vRowStart.deref().isOmitted() ? 1 : ResolveRow(vRowStart.deref());
    last = vRowEnd.deref().isOmitted() ? rows_.count() : ResolveRow(vRowEnd.deref());
}

void Lattix::sortRun(int32_t first, int32_t last, bool raiseEvents, bool childNodesOnly) {
    if (rows_.count() == 0 || colCount_ == 0) return;
    SortGroupState& st = *sortState_;
    const SortCriteria& criteria = st.sort->criteria();
    criteria.validateColumns(colCount_ + 1);
    SortingMark mark(st);
    {
    StructuralScope scope(*this);
    if (raiseEvents) RaiseEvent(event_id::kBeforeContentsSorted, {});
    // The handler may have ended the rows or the columns it was given.
    if (rows_.count() == 0 || colCount_ == 0 || last > rows_.count()) return;
    criteria.validateColumns(colCount_ + 1);

    EndEditing();
    MarkLayout(1);
    std::vector<int32_t> order;
    if (first <= last) {
        order.reserve(static_cast<size_t>(last - first + 1));
        const bool tree = treeCol_ != 0;
        const bool whole = first == 1 && last == rows_.count();
        RowComparator cmp(*this, criteria, first, last, st.groupingSort, EffectiveGroupCriteria().count());
        auto sortSegment = [&](int32_t lo, int32_t hi) {
            if (childNodesOnly || tree) treeOrder(rows_, lo, hi, !childNodesOnly, cmp, order);
            else flatOrder(lo, hi, cmp, order);
        };
        if (groupRows_ > 0 && !childNodesOnly) {
            // Group rows stay in place; every run of other rows between them is sorted by itself
            // (also in a range: moving a group row would put data rows under another group).
            if (whole && rows_.count() < 3) {
                for (int32_t r = first; r <= last; ++r) order.push_back(r);
            } else {
                int32_t r = first;
                while (r <= last) {
                    if (rows_[r].isGroup()) {
                        order.push_back(r++);
                        continue;
                    }
                    int32_t e = r;
                    while (e < last && !rows_[e + 1].isGroup()) ++e;
                    sortSegment(r, e);
                    r = e + 1;
                }
            }
        } else {
            sortSegment(first, last);
        }
        if (order.size() != static_cast<size_t>(last - first + 1)) RaiseLattixError(kIllegalOperation);
        applyRowOrder(first, order);
    }
    st.criteriaInEffect = criteria.count();
    st.restoreOrder = st.restoreOrder && st.groupingSort;
    }
    // The current row may have moved anywhere: bring it into view (ScrollY only; the redraw below
    // paints the rows in their new order).
    if (st.scrollToCurRow && curRow_ >= 1 && curRow_ <= rows_.count() && rows_[curRow_].displayed())
        EnsureVisibleRow(Variant(curRow_));
    RelayoutAndRedraw();
    FlushPendingEvents();
    if (raiseEvents) RaiseEvent(event_id::kAfterContentsSorted, {});
}

// Puts the rows at the old positions order[0], order[1], ... at positions first, first + 1, ...
void Lattix::applyRowOrder(int32_t first, const std::vector<int32_t>& order) {
    const int32_t n = static_cast<int32_t>(order.size());
    bool moved = false;
    for (int32_t i = 0; i < n && !moved; ++i) moved = order[static_cast<size_t>(i)] != first + i;
    if (!moved) return;
    // The order must name every row of the range exactly once; anything else would lose rows.
    std::vector<int32_t> newPos(static_cast<size_t>(n), 0);
    for (int32_t i = 0; i < n; ++i) {
        const int32_t old = order[static_cast<size_t>(i)];
        if (old < first || old >= first + n || newPos[static_cast<size_t>(old - first)] != 0)
            RaiseLattixError(kIllegalOperation);
        newPos[static_cast<size_t>(old - first)] = first + i;
    }
    auto map = [&](int32_t row) {
        return row >= first && row < first + n ? newPos[static_cast<size_t>(row - first)] : row;
    };
    // Row records are gathered in their new order and copied back as a block; keys and tags travel
    // with them. The records ahead are fetched early: the reads are scattered over the whole table.
    {
        // Raw bytes: the records are copied in whole, so nothing needs initializing first.
        BigArray<std::byte> moving(static_cast<size_t>(n) * sizeof(RowRecord));
        constexpr int32_t kAhead = 16;
        for (int32_t i = 0; i < n; ++i) {
            if (i + kAhead < n) __builtin_prefetch(&rows_[order[static_cast<size_t>(i + kAhead)]]);
            std::memcpy(moving.data() + static_cast<size_t>(i) * sizeof(RowRecord), &rows_[order[static_cast<size_t>(i)]],
                        sizeof(RowRecord));
        }
        std::memcpy(static_cast<void*>(&rows_[first]), moving.data(), static_cast<size_t>(n) * sizeof(RowRecord));
    }
    keyIndex_.positionsChanged();
    if (selection_.count() > 0) {
        bool moves = false;
        for (const SelItem& s : selection_.items()) moves = moves || map(s.row) != s.row;
        if (moves) {
            BeforeSelectionBookkeeping();
            selection_.remap([&](SelItem& s) {
                s.row = map(s.row);
                return true;
            });
        }
    }
    LayoutRowsFrom(first);
    if (curRow_ > 0) SetCurrentCell(map(curRow_), curCol_);
}

void Lattix::refreshColSortFields() {
    const SortCriteria& criteria = sortState_->sort->criteria();
    for (int32_t p = 1; p <= colCount_ + 1; ++p) {
        ColumnRecord& c = cols_[static_cast<size_t>(p)];
        const int32_t key = criteria.find(c.index);
        const int32_t order = key > 0 ? criteria.at(key).order : c.sortOrder;
        if (c.sortKey == key && c.sortOrder == order) continue;
        c.sortKey = key;
        c.sortOrder = order;
        refreshHeaderItem(p);
    }
}

void Lattix::rebuildCriteriaFromColumns() {
    // Columns with a key above 0, by key and then by position: keys with gaps or repeats are
    // renumbered 1, 2, ... in that order, and the criteria follow the renumbered keys.
    std::vector<int32_t> keyed;
    for (int32_t p = 1; p <= colCount_ + 1; ++p) {
        ColumnRecord& c = cols_[static_cast<size_t>(p)];
        if (c.sortKey > 0 && !sort_type::IsCriterionType(c.sortType)) c.sortKey = 0;
        if (c.sortKey > 0) keyed.push_back(p);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [&](int32_t a, int32_t b) {
        return cols_[static_cast<size_t>(a)].sortKey < cols_[static_cast<size_t>(b)].sortKey;
    });
    SortCriteria rebuilt;
    for (size_t k = 0; k < keyed.size(); ++k) {
        ColumnRecord& c = cols_[static_cast<size_t>(keyed[k])];
        c.sortKey = static_cast<int32_t>(k + 1);
        rebuilt.add(c.index, c.sortOrder == sort_order::kDesc ? sort_order::kDesc : sort_order::kAsc, c.sortType);
        refreshHeaderItem(keyed[k]);
    }
    sortState_->sort->criteria() = std::move(rebuilt);
}

void Lattix::Sort(const Variant& vCols, const Variant& vRowStart, const Variant& vRowEnd) {
    // A bound record set is sorted whole.
    ReadBoundRecordsToEnd();
    int32_t first = 0, last = 0;
    resolveRowRange(vRowStart, vRowEnd, first, last);
    SortCriteria& criteria = sortState_->sort->criteria();
    const Variant& cols = vCols.deref();
    if (!cols.isOmitted()) {
        // Every column is resolved before the criteria change.
        SortCriteria rebuilt;
        auto addColumn = [&](const Variant& v) {
            const int32_t pos = ResolveColPos(v.deref());
            const ColumnRecord& c = cols_[static_cast<size_t>(pos)];
            if (c.sortType == sort_type::kNone) return;
            rebuilt.add(c.index, c.sortOrderDefault, c.sortType);
        };
        if (cols.isArray()) {
            if (!cols.array()) RaiseLattixError(kInvalidArgument);
            for (const Variant& v : cols.array()->data()) addColumn(v);
        } else {
            addColumn(cols);
        }
        rebuilt.validateColumns(colCount_ + 1);
        const SortCriteria before = criteria;
        criteria = std::move(rebuilt);
        if (criteria.empty()) {
            // Nothing to sort by: only the sort marks go.
            refreshColSortFields();
            return;
        }
        try {
            sortRun(first, last, true, false);
        } catch (...) {
            criteria = before;
            throw;
        }
    } else {
        if (criteria.empty()) return;
        sortRun(first, last, true, false);
    }
    refreshColSortFields();
}

void Lattix::DoDefaultSort(const Variant& vCol, int32_t iShift, int32_t eSortOrder, const Variant& vRowStart,
                           const Variant& vRowEnd) {
    const int32_t pos = ResolveColPos(vCol.deref());
    if (eSortOrder != -1 && eSortOrder != sort_order::kAsc && eSortOrder != sort_order::kDesc)
        RaiseLattixError(kInvalidArgument);
    // A bound record set is sorted whole.
    ReadBoundRecordsToEnd();
    int32_t first = 0, last = 0;
    resolveRowRange(vRowStart, vRowEnd, first, last);
    const ColumnRecord& column = cols_[static_cast<size_t>(pos)];
    const int32_t col = column.index;
    if (column.sortType == sort_type::kNone) return;
    if (!sort_type::IsCriterionType(column.sortType)) RaiseLattixError(kInvalidArgument);
    SortGroupState& st = *sortState_;

    const SortCriteria& effective = st.effective->criteria();
    if (const int32_t p = effective.find(col); p > 0) {
        // A grouping column: regroup with its order changed.
        SortCriteria regroup = effective;
        const int32_t order = eSortOrder == -1 ? 1 - regroup.at(p).order : eSortOrder;
        regroup.setOrder(p, order);
        const SortCriteria before = st.group->criteria();
        st.group->criteria() = regroup;
        try {
            Group();
        } catch (...) {
            st.group->criteria() = before;
            throw;
        }
        return;
    }
    EndEditing();

    SortCriteria& criteria = st.sort->criteria();
    // The criteria proper: those after the leading grouping items.
    SortCriteria proper;
    for (int32_t k = effective.count() + 1; k <= criteria.count(); ++k) {
        const SortItem& it = criteria.at(k);
        proper.add(it.col, it.order, it.type);
    }
    if (iShift != 0) {
        if (const int32_t p = proper.find(col); p > 0)
            proper.setOrder(p, eSortOrder == -1 ? 1 - proper.at(p).order : eSortOrder);
        else
            proper.add(col, eSortOrder == -1 ? column.sortOrderDefault : eSortOrder, column.sortType);
    } else {
        int32_t order = eSortOrder;
        if (order == -1) order = criteria.find(col) > 0 ? 1 - column.sortOrder : column.sortOrderDefault;
        proper.clear();
        proper.add(col, order, column.sortType);
    }
    SortCriteria full = effective;
    for (const SortItem& it : proper.items()) full.add(it.col, it.order, it.type);
    full.validateColumns(colCount_ + 1);

    const SortCriteria before = criteria;
    criteria = std::move(full);
    try {
        sortRun(first, last, true, false);
    } catch (...) {
        criteria = before;
        throw;
    }
    refreshColSortFields();
}

void Lattix::SortRowChildNodes(const Variant& vrow) {
    const Variant& v = vrow.deref();
    int32_t parent = 0;
    if (!(v.isNumeric() && ToDouble(v) == 0)) parent = ResolveRow(v);
    const int32_t first = parent + 1;
    const int32_t last = parent == 0 ? rows_.count() : LastNestedOf(parent);
    if (last - first + 1 < 2) return;
    sortState_->sort->criteria().validateColumns(colCount_ + 1);
    sortRun(first, last, false, true);
}

std::string Lattix::SortByHeaderClick(int32_t lCol, int32_t iShift) {
    if (!allowSorting_) return {};
    try {
        DoDefaultSort(Variant(lCol), iShift);
    } catch (const AutomationError& e) {
        return e.description().empty() ? std::string("Error") : e.description();
    }
    return {};
}

} // namespace lattix
