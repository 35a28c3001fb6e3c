// The row tree read from the row order and the levels: parents, nested rows and children; expanding,
// collapsing, showing and hiding rows; the tree settings.
//
// A nested row is visible as child exactly when every ancestor is expanded. The operations below
// keep that rule: whenever a row's expanded state or its place changes, the visible-as-child flags of
// the rows nested in it are derived again from their own ancestors.
#include <array>
#include <vector>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/model/subtree_visibility.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {

using namespace lattix_error;

namespace {
// The tree button is drawn from a square glyph of its size: beyond this the glyph alone would take
// megabytes (and gigabytes further on) for a button no row can show.
constexpr int32_t kMaxTreeButtonSize = 255;
// Indentation is the level (at most 255) times this, in pixels at up to 12.5 times the 96-dpi size:
// the product must stay a valid coordinate.
constexpr int32_t kMaxLevelIndent = 32767;
} // namespace

int32_t Lattix::ParentOf(int32_t pos) const {
    const int32_t level = rows_[pos].level;
    if (level == 0) return 0;
    // A row more than one level deeper than the rows that hold it has no parent.
    for (int32_t r = pos - 1; r >= 1; --r) {
        if (rows_[r].level == level - 1) return r;
        if (rows_[r].level < level - 1) return 0;
    }
    return 0;
}

int32_t Lattix::LastNestedOf(int32_t pos) const {
    const uint8_t level = rows_[pos].level;
    const int32_t n = rows_.count();
    int32_t r = pos;
    while (r < n && rows_[r + 1].level > level) ++r;
    return r;
}

bool Lattix::AncestorsExpanded(int32_t pos) const {
    int32_t need = static_cast<int32_t>(rows_[pos].level) - 1;
    for (int32_t r = pos - 1; r >= 1 && need >= 0; --r) {
        const int32_t level = rows_[r].level;
        if (level < need) return true; // the chain of parents ends here
        if (level == need) {
            if (!(rows_[r].flags & row_flags::kExpanded)) return false;
            --need;
        }
    }
    return true;
}

void Lattix::setVisibleAsChild(RowRecord& r, bool on) {
    const bool was = r.displayed();
    if (on) r.flags |= row_flags::kVisibleAsChild;
    else r.flags &= static_cast<uint8_t>(~row_flags::kVisibleAsChild);
    displayedRows_ += static_cast<int32_t>(r.displayed()) - static_cast<int32_t>(was);
}

int32_t ApplySubtreeVisibility(RowTable& rows, int32_t top, bool ancestorsOpen, int32_t& displayedRows) {
    // Each entry: a level and whether the rows nested under that row are visible as children.
    std::vector<std::pair<uint8_t, bool>> open;
    const RowRecord& t = rows[top];
    open.emplace_back(t.level, ancestorsOpen && (t.flags & row_flags::kExpanded));
    const int32_t n = rows.count();
    int32_t r = top + 1;
    for (; r <= n && rows[r].level > t.level; ++r) {
        RowRecord& row = rows[r];
        while (open.back().first >= row.level) open.pop_back();
        const bool on = open.back().second;
        const bool was = row.displayed();
        if (on) row.flags |= row_flags::kVisibleAsChild;
        else row.flags &= static_cast<uint8_t>(~row_flags::kVisibleAsChild);
        displayedRows += static_cast<int32_t>(row.displayed()) - static_cast<int32_t>(was);
        open.emplace_back(row.level, on && (row.flags & row_flags::kExpanded));
    }
    return r - top - 1;
}

int32_t Lattix::RowLevel(const Variant& vrow) const { return rows_[ResolveRow(vrow)].level; }

void Lattix::SetRowLevel(const Variant& vrow, int32_t btLevel) {
    const int32_t pos = ResolveRow(vrow);
    if (btLevel < 0 || btLevel > 255) RaiseOverflow();
    rows_[pos].level = static_cast<uint8_t>(btLevel);
    MarkLayout(1);
    RelayoutAndRedraw();
}

int32_t Lattix::RowChildCount(const Variant& vrow) const {
    const int32_t pos = ResolveRow(vrow);
    const int32_t last = LastNestedOf(pos);
    const int32_t childLevel = rows_[pos].level + 1;
    int32_t children = 0;
    for (int32_t r = pos + 1; r <= last; ++r) children += rows_[r].level == childLevel;
    return children;
}

bool Lattix::RowHasChildren(const Variant& vrow) const {
    const int32_t pos = ResolveRow(vrow);
    return pos < rows_.count() && rows_[pos + 1].level == rows_[pos].level + 1;
}

bool Lattix::RowExpanded(const Variant& vrow) const { return rows_[ResolveRow(vrow)].flags & row_flags::kExpanded; }

int32_t Lattix::ExpandOrCollapseRow(int32_t pos, bool expand) {
    RowRecord& r = rows_[pos];
    if (static_cast<bool>(r.flags & row_flags::kExpanded) == expand) return 0;
    EndEditing();
    if (expand) r.flags |= row_flags::kExpanded;
    else r.flags &= static_cast<uint8_t>(~row_flags::kExpanded);
    // Expanding a row that sits under a collapsed ancestor shows nothing: its nested rows stay
    // hidden behind that ancestor.
    const int32_t walked = ApplySubtreeVisibility(rows_, pos, AncestorsExpanded(pos), displayedRows_);
    if (walked > 0) {
        MarkLayout(1);
        LayoutRowsFrom(pos);
    }
    return walked;
}

void Lattix::SetRowExpanded(const Variant& vrow, bool bExpanded) {
    const int32_t pos = ResolveRow(vrow);
    ExpandOrCollapseRow(pos, bExpanded);
    RelayoutAndRedraw();
}

bool Lattix::RowVisible(const Variant& vrow) const { return rows_[ResolveRow(vrow)].flags & row_flags::kVisible; }

void Lattix::SetRowVisible(const Variant& vrow, bool bVisible) {
    const int32_t pos = ResolveRow(vrow);
    MarkLayout(1);
    EndEditing();
    RowRecord& r = rows_[pos];
    if (static_cast<bool>(r.flags & row_flags::kVisible) != bVisible) {
        const bool was = r.displayed();
        r.flags ^= row_flags::kVisible;
        if (r.displayed() != was) {
            displayedRows_ += r.displayed() ? 1 : -1;
            LayoutRowsFrom(pos);
        }
    }
    RelayoutAndRedraw();
}

bool Lattix::RowVisibleAsChild(const Variant& vrow) const {
    return rows_[ResolveRow(vrow)].flags & row_flags::kVisibleAsChild;
}

void Lattix::SetRowVisibleAsChild(const Variant& vrow, bool b) {
    const int32_t pos = ResolveRow(vrow);
    RowRecord& r = rows_[pos];
    const bool was = r.displayed();
    setVisibleAsChild(r, b);
    if (r.displayed() != was) {
        MarkLayout(1);
        LayoutRowsFrom(pos);
    }
    RelayoutAndRedraw();
}

int32_t Lattix::RowTreeButton(const Variant& vrow) const {
    return rows_[ResolveRow(vrow)].flags & row_flags::kTreeButtonMask;
}

void Lattix::SetRowTreeButton(const Variant& vrow, int32_t e) {
    const int32_t pos = ResolveRow(vrow);
    if (e < 0 || e > 2) RaiseLattixError(kInvalidArgument);
    RowRecord& r = rows_[pos];
    r.flags = static_cast<uint8_t>((r.flags & ~row_flags::kTreeButtonMask) | e);
}

bool Lattix::RowIsGroup(const Variant& vrow) const { return rows_[ResolveRow(vrow)].isGroup(); }

void Lattix::SetRowIsGroup(const Variant& vrow, bool b) {
    const int32_t pos = ResolveRow(vrow);
    RowRecord& r = rows_[pos];
    if (r.isGroup() == b) return;
    r.flags ^= row_flags::kGroup;
    groupRows_ += b ? 1 : -1;
    for (int32_t c = 1; c <= colCount_ + 1; ++c) Cell(pos, c).markChanged();
}

int32_t Lattix::RowVisibleIndex(const Variant& vrow) const { return Row(ResolveRow(vrow)).visibleIndex; }

void Lattix::expandOrCollapseMany(int32_t start, bool expand, bool allRows) {
    const int32_t lRowIfAny = allRows ? 0 : start;
    const bool currentExpanded =
        curRow_ >= 1 && curRow_ <= rows_.count() && (rows_[curRow_].flags & row_flags::kExpanded);
    std::array<Variant, 3> before{Variant(lRowIfAny), Variant(currentExpanded), Variant::byRef(Variant(true))};
    RaiseEvent(event_id::kBeforeRowCollapseExpand, before);
    if (!ToBool(before[2].deref())) return;
    EndEditing();
    // The handler, or the commit events of the edit just ended, may have changed the rows.
    if (!allRows && start > rows_.count()) return;
    MarkLayout(1);
    auto setExpanded = [expand](RowRecord& r) {
        if (expand) r.flags |= row_flags::kExpanded;
        else r.flags &= static_cast<uint8_t>(~row_flags::kExpanded);
    };
    const int32_t n = rows_.count();
    if (allRows) {
        for (int32_t r = 1; r <= n; ++r) {
            RowRecord& row = rows_[r];
            setExpanded(row);
            if (row.level > 0) setVisibleAsChild(row, expand);
        }
        LayoutRowsFrom(1);
    } else {
        setExpanded(rows_[start]);
        // Every nested row is expanded or collapsed too, so they are all shown exactly when the
        // start row itself is not hidden behind a collapsed ancestor.
        const bool show = expand && AncestorsExpanded(start);
        const int32_t last = LastNestedOf(start);
        for (int32_t r = start + 1; r <= last; ++r) {
            setExpanded(rows_[r]);
            setVisibleAsChild(rows_[r], show);
        }
        LayoutRowsFrom(start + 1);
    }
    RelayoutAndRedraw();
    std::array<Variant, 2> after{Variant(lRowIfAny), Variant(expand)};
    RaiseEvent(event_id::kAfterRowCollapseExpand, after);
}

void Lattix::CollapseAllChildRows(const Variant& vrow) { expandOrCollapseMany(ResolveRow(vrow), false, false); }
void Lattix::ExpandAllChildRows(const Variant& vrow) { expandOrCollapseMany(ResolveRow(vrow), true, false); }
void Lattix::CollapseAllRows() { expandOrCollapseMany(1, false, true); }
void Lattix::ExpandAllRows() { expandOrCollapseMany(1, true, true); }

void Lattix::SetTreeCol(int32_t n) {
    if (n < 0) RaiseLattixError(kInvalidArgument);
    treeCol_ = n;
    MarkLayout(1);
    RelayoutAndRedraw();
    PropertyChanged("TreeCol");
}

void Lattix::SetLevelIndent(int32_t n) {
    if (n < 0 || n > kMaxLevelIndent) RaiseLattixError(kInvalidArgument);
    levelIndent_ = n;
    MarkLayout(1);
    RelayoutAndRedraw();
    PropertyChanged("LevelIndent");
}

void Lattix::SetTreeButtonSize(int32_t n) {
    if (n < 0 || n > kMaxTreeButtonSize) RaiseLattixError(kInvalidArgument);
    treeButtonSize_ = n;
    RelayoutAndRedraw();
    PropertyChanged("TreeButtonSize");
}

void Lattix::SetAddRowAutoTreeButton(bool b) {
    addRowAutoTreeButton_ = b;
    PropertyChanged("AddRowAutoTreeButton");
}

void Lattix::SetDefaultAutoGroupRowExpanded(bool b) {
    defaultAutoGroupRowExpanded_ = b;
    PropertyChanged("DefaultAutoGroupRowExpanded");
}

} // namespace lattix
