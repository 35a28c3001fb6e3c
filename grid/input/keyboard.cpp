// Keys on the grid window: KeyDown / KeyPress / KeyUp with their vetoes, DoKeyboardCommand and its
// key table (navigation with the selection rules, check boxes, tree rows, Ctrl+A, the context menu
// key), and the key routing a host window asks for.
#include <algorithm>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/view/grid_chrome.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_manager.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {

namespace event_id {
inline constexpr DispId kKeyDown = 43;
inline constexpr DispId kKeyPress = 44;
inline constexpr DispId kKeyUp = 45;
} // namespace event_id

namespace {
constexpr int32_t kShift = 1, kCtrl = 2, kAlt = 4;
constexpr int32_t kCellText = 0, kCellCombo = 1, kCellTextCombo = 2;
constexpr int32_t kEditResProceed = 2;

int32_t keyModifiers() {
    ui::WindowManager& wm = ui::Wm();
    int32_t s = 0;
    if (wm.GetKeyState(ui::VK_SHIFT) < 0) s |= kShift;
    if (wm.GetKeyState(ui::VK_CONTROL) < 0) s |= kCtrl;
    if (wm.GetKeyState(ui::VK_MENU) < 0) s |= kAlt;
    return s;
}
} // namespace

// ---- messages of the grid window ----

bool Lattix::handleKeyMessage(ui::MessageId message, ui::WParam wParam, ui::LParam lParam) {
    (void)lParam;
    const bool userMode = !options_.site || options_.site->userMode();
    if (!userMode) return false;
    switch (message) {
    case ui::WM_KEYDOWN:
    case ui::WM_SYSKEYDOWN:
        if (editing_) return false;
        gridKeyDown(static_cast<int32_t>(wParam), keyModifiers());
        return message == ui::WM_KEYDOWN;
    case ui::WM_KEYUP:
    case ui::WM_SYSKEYUP: {
        if (editing_) return false;
        std::array<Variant, 2> a{Variant::byRef(Variant(static_cast<int16_t>(wParam))),
                                 Variant::byRef(Variant(static_cast<int16_t>(keyModifiers())))};
        RaiseEvent(event_id::kKeyUp, a);
        return message == ui::WM_KEYUP;
    }
    case ui::WM_CHAR: {
        const int32_t ch = static_cast<int32_t>(wParam);
        if (routedChar_ != 0 && routedChar_ == ch) {
            // The key router already ran this character's path.
            routedChar_ = 0;
            return true;
        }
        routedChar_ = 0;
        gridCharacter(ch);
        return true;
    }
    default: return false;
    }
}

void Lattix::gridKeyDown(int32_t keyCode, int32_t shift) {
    std::array<Variant, 3> a{Variant::byRef(Variant(static_cast<int16_t>(keyCode))),
                             Variant::byRef(Variant(static_cast<int16_t>(shift))), Variant::byRef(Variant(true))};
    RaiseEvent(event_id::kKeyDown, a);
    if (!ToBool(a[2].deref())) return;
    DoKeyboardCommand(ToInt32(a[0].deref()), ToInt32(a[1].deref()));
}

void Lattix::gridCharacter(int32_t charCode) {
    // (While a list cell is edited its list takes the characters: the drop-down lists handle that.)
    std::array<Variant, 1> a{Variant::byRef(Variant(charCode))};
    RaiseEvent(event_id::kKeyPress, a);
    int32_t ch = 0;
    try {
        ch = ToInt32(a[0].deref());
    } catch (const AutomationError&) {
        ch = 0;
    }
    const bool consumed = keyConsumed_;
    keyConsumed_ = false;
    if (ch >= 1 && !consumed) RequestEditCurCell(ch, false);
}

bool Lattix::WantsNavigationKey(int32_t keyCode, int32_t shift) const {
    if (editing_) return false;
    auto currentType = [&]() { return validCell(curRow_, curCol_) ? CellType(Variant(curRow_), Variant(curCol_)) : -1; };
    const bool editableGrid = paint_.enabled && editable_;
    switch (keyCode) {
    case ui::VK_TAB: return useTabKey_;
    case ui::VK_LEFT:
    case ui::VK_RIGHT:
    case ui::VK_UP:
    case ui::VK_DOWN:
    case ui::VK_HOME:
    case ui::VK_END:
    case ui::VK_PRIOR:
    case ui::VK_NEXT:
    case ui::VK_DELETE:
    case ui::VK_ESCAPE:
    case ui::VK_BACK: return true;
    case ui::VK_A + ('C' - 'A'):
    case ui::VK_A + ('X' - 'A'):
    case ui::VK_A + ('V' - 'A'): return (shift & kCtrl) != 0;
    case ui::VK_RETURN:
    case ui::VK_F2: {
        const int32_t t = currentType();
        return editableGrid && (t == kCellText || t == kCellTextCombo);
    }
    case ui::VK_F4: {
        const int32_t t = currentType();
        return editableGrid && (t == kCellCombo || t == kCellTextCombo);
    }
    default: return false;
    }
}

void Lattix::RouteNavigationKey(int32_t keyCode, int32_t shift) {
    if (!WantsNavigationKey(keyCode, shift)) return;
    gridKeyDown(keyCode, shift);
    const int32_t ch = keyCode == ui::VK_RETURN ? 13 : keyCode == ui::VK_ESCAPE ? 27 : keyCode == ui::VK_BACK ? 8 : 0;
    if (ch != 0 && !editing_) {
        gridCharacter(ch);
        routedChar_ = ch;
    }
}

// ---- DoKeyboardCommand ----

void Lattix::DoKeyboardCommand(int32_t KeyCode, int32_t Shift) {
    RefuseDuringStructuralChange();
    // While editing only Enter, Tab (with UseTabKey) and Escape act: they end the edit first.
    if (editing_) {
        if (ListCellBeingEdited()) {
            // A list cell: Enter and Tab take the lit item, Escape cancels; other keys wait.
            if (!EndListCellEditByKey(KeyCode)) return;
        } else if (KeyCode == ui::VK_RETURN || (KeyCode == ui::VK_TAB && useTabKey_)) {
            if (CommitOpenEditor(true) == kEditResProceed && editing_) return;
        } else if (KeyCode == ui::VK_ESCAPE) {
            CancelEditCurCell();
        } else {
            return;
        }
    }
    if (KeyCode == ui::VK_TAB) {
        if (!useTabKey_) return;
        if (Shift & kShift) {
            KeyCode = rowMode_ ? ui::VK_UP : ui::VK_LEFT;
            Shift &= ~kShift;
        } else {
            KeyCode = rowMode_ ? ui::VK_DOWN : ui::VK_RIGHT;
        }
    }
    if (!paint_.enabled) {
        // A disabled grid only scrolls, by the steps of its shown scroll bars.
        switch (KeyCode) {
        case ui::VK_UP: SetScrollY(view_.scrollY - scrollBarStep(kBarV, false, true)); break;
        case ui::VK_DOWN: SetScrollY(view_.scrollY + scrollBarStep(kBarV, false, true)); break;
        case ui::VK_PRIOR: SetScrollY(view_.scrollY - scrollBarStep(kBarV, true, true)); break;
        case ui::VK_NEXT: SetScrollY(view_.scrollY + scrollBarStep(kBarV, true, true)); break;
        case ui::VK_LEFT: SetHScrollValue(view_.hScrollValue - scrollBarStep(kBarH, false, true)); break;
        case ui::VK_RIGHT: SetHScrollValue(view_.hScrollValue + scrollBarStep(kBarH, false, true)); break;
        default: return;
        }
        RelayoutAndRedraw();
        return;
    }
    if (rows_.count() == 0 || colCount_ == 0) return;

    const bool hasCell = validCell(curRow_, curCol_);
    switch (KeyCode) {
    case ui::VK_LEFT:
    case ui::VK_RIGHT:
    case ui::VK_HOME:
    case ui::VK_END:
        searchString_.clear();
        keyboardMove(KeyCode, Shift);
        return;
    case ui::VK_UP:
    case ui::VK_DOWN:
        if ((Shift & kAlt) && !searchString_.empty()) {
            altSearchStep(KeyCode == ui::VK_UP ? -1 : 1);
            return;
        }
        searchString_.clear();
        keyboardMove(KeyCode, Shift);
        return;
    case ui::VK_PRIOR:
    case ui::VK_NEXT:
        searchString_.clear();
        pageStep(KeyCode, Shift);
        return;
    case ui::VK_RETURN:
        if (Shift == 0 && !searchString_.empty()) {
            searchString_.clear();
            repaintCurrentCell();
        }
        return;
    case ui::VK_ESCAPE:
        if (!searchString_.empty()) {
            searchString_.clear();
            repaintCurrentCell();
        }
        return;
    case ui::VK_SPACE:
        if (Shift == 0) {
            if (hasCell && CellCheckVisible(Variant(curRow_), Variant(curCol_))) {
                if (editable_) ToggleCellCheck(curRow_, curCol_);
                keyConsumed_ = true;
            }
        } else if (Shift == kCtrl && multiSelect_) {
            toggleSelectionByCtrlSpace();
            keyConsumed_ = true;
        }
        return;
    case ui::VK_F2:
        if (Shift == 0 && hasCell) {
            const int32_t t = CellType(Variant(curRow_), Variant(curCol_));
            if (t == kCellText || t == kCellTextCombo) RequestEditCurCell(0, false);
        }
        return;
    case ui::VK_F4:
        if (Shift == 0 && hasCell) {
            const int32_t t = CellType(Variant(curRow_), Variant(curCol_));
            if (t == kCellCombo) RequestEditCurCell(0, false);
            else if (t == kCellTextCombo) RequestEditCurCell(0, true);
        }
        return;
    case ui::VK_ADD:
    case ui::VK_SUBTRACT:
    case ui::VK_MULTIPLY:
        expandCollapseByKey(KeyCode);
        keyConsumed_ = true;
        return;
    case ui::VK_A:
        if (Shift == kCtrl && multiSelect_) SelectAll();
        return;
    case ui::VK_APPS:
        if (hasCell) openCellContextMenu(curRow_, curCol_);
        return;
    case ui::VK_F10:
        if (Shift == kShift && hasCell) openCellContextMenu(curRow_, curCol_);
        return;
    case ui::VK_A + ('C' - 'A'):
        // Ctrl with any others; with Shift too a header line comes first.
        if ((Shift & kCtrl) && copyPasteEnabled_ && selection_.count() > 0) CopySelectedCells((Shift & kShift) != 0);
        return;
    case ui::VK_A + ('X' - 'A'):
        if (Shift == kCtrl && editable_ && copyPasteEnabled_ && selection_.count() > 0) CutSelectedCells();
        return;
    case ui::VK_A + ('V' - 'A'):
        if (Shift == kCtrl && editable_ && copyPasteEnabled_) PasteFromClipboard();
        return;
    case ui::VK_DELETE:
        if (editable_) ClearSelectedCells();
        return;
    default: return;
    }
}

// ---- targets ----

bool Lattix::rowIsVisible(int32_t row) const { return row >= 1 && row <= rows_.count() && Row(row).displayed(); }

int32_t Lattix::firstVisibleRow(bool last) const {
    const int32_t n = rows_.count();
    for (int32_t i = 0; i < n; ++i) {
        const int32_t r = last ? n - i : i + 1;
        if (rowIsVisible(r)) return r;
    }
    return 0;
}

int32_t Lattix::firstVisibleColOfRow(int32_t row, bool last) {
    if (row >= 1 && row <= rows_.count() && rows_[row].isGroup()) return RowTextCol();
    for (int32_t i = 0; i < colCount_; ++i) {
        const int32_t pos = last ? colCount_ - i : i + 1;
        const ColumnRecord& c = cols_[static_cast<size_t>(pos)];
        if (c.visible && c.width >= 1) return c.index;
    }
    return 0;
}

bool Lattix::findColumnStep(int32_t row, int32_t col, int32_t step, int32_t& outRow, int32_t& outCol) {
    const bool group = rows_[row].isGroup();
    const bool rowText = RowHasRowText(row);
    auto leaveRow = [&]() {
        for (int32_t r = row + step; r >= 1 && r <= rows_.count(); r += step) {
            if (!rowIsVisible(r)) continue;
            outRow = r;
            if (rows_[r].isGroup()) outCol = RowTextCol();
            else if (step > 0) outCol = firstVisibleColOfRow(r, false);
            else outCol = RowHasRowText(r) ? RowTextCol() : firstVisibleColOfRow(r, true);
            return outCol != 0;
        }
        return false;
    };
    if (group) return leaveRow();
    if (col == RowTextCol()) {
        if (step > 0) return leaveRow();
        const int32_t last = firstVisibleColOfRow(row, true);
        if (last == 0) return leaveRow();
        outRow = row;
        outCol = last;
        return true;
    }
    VisRange(); // brings the laid-out flags of the columns up to date
    for (int32_t pos = PositionOfIndex(col) + step; pos >= 1 && pos <= colCount_; pos += step) {
        const ColumnRecord& c = cols_[static_cast<size_t>(pos)];
        if (!c.visible || c.width < 1) continue;
        // Columns scrolled off behind frozen ones are passed over unless every column may be browsed.
        if (!browseAllNonFrozenCols_ && frozenCols_ > 0 && pos > frozenCols_ && !c.laidOut) continue;
        outRow = row;
        outCol = c.index;
        return true;
    }
    if (step > 0 && rowText) {
        outRow = row;
        outCol = RowTextCol();
        return true;
    }
    return leaveRow();
}

bool Lattix::findRowStep(int32_t row, int32_t col, int32_t step, int32_t& outRow, int32_t& outCol) {
    if (!rowMode_ && RowHasRowText(row)) {
        if (step > 0 && col != RowTextCol()) {
            outRow = row;
            outCol = RowTextCol();
            return true;
        }
        if (step < 0 && col == RowTextCol()) {
            const int32_t first = firstVisibleColOfRow(row, false);
            if (first != 0) {
                outRow = row;
                outCol = first;
                return true;
            }
        }
    }
    int32_t r = row;
    for (int32_t i = 0; i < rows_.count(); ++i) {
        r += step;
        if (r < 1 || r > rows_.count()) return false;
        if (!rowIsVisible(r)) continue;
        outRow = r;
        if (rows_[r].isGroup()) outCol = RowTextCol();
        else if (step < 0 && !rowMode_ && RowHasRowText(r)) outCol = RowTextCol();
        else if (col == RowTextCol() || col == 0) outCol = firstVisibleColOfRow(r, false);
        else outCol = col;
        return outCol != 0;
    }
    return false;
}

// The scroll bar's own step (its SmallChange, which SmallChangeDesiredValue sets, or its LargeChange);
// 0 when only a shown bar may move and this one is hidden.
int32_t Lattix::scrollBarStep(int bar, bool page, bool onlyWhenShown) {
    if (!chrome_) return 0;
    const cScrollBars::Bar& b = chrome_->Bar(bar);
    if (onlyWhenShown && !b.visible) return 0;
    return page ? b.largeChange : b.smallChange;
}

void Lattix::keyboardMove(int32_t keyCode, int32_t shift) {
    const bool horizontal = keyCode == ui::VK_LEFT || keyCode == ui::VK_RIGHT;
    if (horizontal && rowMode_) {
        SetHScrollValue(view_.hScrollValue + (keyCode == ui::VK_LEFT ? -1 : 1) * scrollBarStep(kBarH, false, false));
        RelayoutAndRedraw();
        return;
    }
    int32_t row = 0, col = 0;
    int32_t step = 0;
    bool byColumns = true;
    if (!validCell(curRow_, curCol_) && (keyCode == ui::VK_LEFT || keyCode == ui::VK_RIGHT || keyCode == ui::VK_UP ||
                                         keyCode == ui::VK_DOWN)) {
        row = firstVisibleRow(false);
        col = row ? firstVisibleColOfRow(row, false) : 0;
        step = keyCode == ui::VK_LEFT || keyCode == ui::VK_UP ? -1 : 1;
        byColumns = horizontal;
    } else {
        switch (keyCode) {
        case ui::VK_LEFT:
        case ui::VK_RIGHT:
            step = keyCode == ui::VK_LEFT ? -1 : 1;
            if (!findColumnStep(curRow_, curCol_, step, row, col)) return;
            break;
        case ui::VK_UP:
        case ui::VK_DOWN:
            step = keyCode == ui::VK_UP ? -1 : 1;
            byColumns = false;
            if (!findRowStep(curRow_, curCol_, step, row, col)) {
                // A virtual grid asks for a new row below its last one.
                if (step > 0 && paint_.isVirtual && curRow_ == rows_.count() && RequestVirtualRow() &&
                    curRow_ < rows_.count()) {
                    row = rows_.count();
                    col = rows_[row].isGroup() ? RowTextCol() : curCol_;
                    break;
                }
                return;
            }
            break;
        case ui::VK_HOME:
        case ui::VK_END: {
            const bool last = keyCode == ui::VK_END;
            // The last row of a bound record set is its last record.
            if (last && (rowMode_ || (shift & kCtrl))) ReadBoundRecordsToEnd();
            step = last ? -1 : 1; // a non-selectable target is skipped towards the inside
            if (rowMode_) {
                byColumns = false;
                row = firstVisibleRow(last);
                col = curCol_ ? curCol_ : 1;
                if (row && rows_[row].isGroup()) col = RowTextCol();
            } else {
                row = (shift & kCtrl) || !validCell(curRow_, curCol_) ? firstVisibleRow(last) : curRow_;
                col = row ? firstVisibleColOfRow(row, last) : 0;
            }
            break;
        }
        default: return;
        }
    }
    if (!validCell(row, col)) return;
    // The selectable check: pass over non-selectable cells in the same direction, or stop.
    for (int32_t guard = 0; !Cell(row, col).selectable(); ++guard) {
        if (!skipNonSelectableCells_ || guard > rows_.count() * (colCount_ + 2)) return;
        int32_t nr = 0, nc = 0;
        const bool moved = byColumns ? findColumnStep(row, col, step, nr, nc) : findRowStep(row, col, step, nr, nc);
        if (!moved || !validCell(nr, nc) || (nr == row && nc == col)) return;
        row = nr;
        col = nc;
    }
    moveToTarget(row, col, shift);
}

void Lattix::pageStep(int32_t keyCode, int32_t shift) {
    const bool down = keyCode == ui::VK_NEXT;
    int32_t cur = curRow_, col = curCol_;
    if (!validCell(cur, col)) {
        cur = firstVisibleRow(false);
        col = cur ? firstVisibleColOfRow(cur, false) : 0;
        if (!validCell(cur, col)) return;
    }
    const VisibleRange& vis = VisRange();
    const int32_t viewH = std::max(view_.viewHeight, 1);
    // The first and last rows that are wholly in view: a partly shown row at an edge does not count.
    int32_t firstFull = vis.firstRow, lastFull = vis.lastRow;
    if (firstFull > 0 && vis.firstRowHidden < 0) {
        for (int32_t r = firstFull + 1; r <= vis.lastRow; ++r)
            if (rowIsVisible(r)) {
                firstFull = r;
                break;
            }
    }
    if (lastFull > 0 && vis.lastRowBottom > viewH) {
        for (int32_t r = lastFull - 1; r >= vis.firstRow && r >= 1; --r)
            if (rowIsVisible(r)) {
                lastFull = r;
                break;
            }
    }
    int32_t target = 0;
    const bool atEdge = down ? (lastFull <= 0 || cur >= lastFull) : (firstFull <= 0 || cur <= firstFull);
    if (!atEdge) {
        target = down ? lastFull : firstFull;
    } else {
        // Rows a virtual grid adds for the page arrive with painting held back: the grid is painted
        // once after them rather than once for each.
        const bool hold = down && paint_.isVirtual;
        if (hold) BeginUpdate();
        try {
            // A page of row heights from the current row; at least one row even next to a tall row.
            int32_t sum = Row(cur).height;
            target = cur;
            int32_t r = cur;
            while (true) {
                int32_t next = r + (down ? 1 : -1);
                while (next >= 1 && next <= rows_.count() && !rowIsVisible(next)) next += down ? 1 : -1;
                if (next < 1 || next > rows_.count()) {
                    if (down && paint_.isVirtual && RequestVirtualRow() && r < rows_.count()) continue;
                    break;
                }
                const int32_t h = Row(next).height;
                if (target != cur && sum + h > viewH) break;
                sum += h;
                target = next;
                r = next;
                if (sum >= viewH) break;
            }
        } catch (...) {
            if (hold) EndUpdate();
            throw;
        }
        if (hold) EndUpdate();
    }
    if (target == cur || !validCell(target, 1)) return;
    if (rows_[target].isGroup()) col = RowTextCol();
    else if (col == RowTextCol() && !RowHasRowText(target)) col = firstVisibleColOfRow(target, false);
    if (!validCell(target, col)) return;
    for (int32_t guard = 0; !Cell(target, col).selectable(); ++guard) {
        if (!skipNonSelectableCells_ || guard > rows_.count()) return;
        int32_t nr = 0, nc = 0;
        if (!findRowStep(target, col, down ? 1 : -1, nr, nc) || !validCell(nr, nc)) return;
        target = nr;
        col = nc;
    }
    moveToTarget(target, col, shift);
}

void Lattix::moveToTarget(int32_t row, int32_t col, int32_t shift) {
    ApplyMoveSelection(row, col, multiSelect_ ? (shift & (kShift | kCtrl)) : 0, MoveInput::Keyboard);
    CommitMove(row, col);
    if (multiSelect_ && (shift & kShift)) RelayoutAndRedraw();
}

void Lattix::toggleSelectionByCtrlSpace() {
    if (!validCell(curRow_, curCol_)) return;
    {
        StructureLock lock(*this);
        const int32_t row = curRow_, col = curCol_;
        BeforeSelectionBookkeeping();
        if (rowMode_) invertRow(row);
        else selectCell(row, col, !Cell(row, col).selected(), true, false);
    }
    selContentsChanged_ = true;
    redrawChangedCells();
    FlushPendingEvents();
}

void Lattix::expandCollapseByKey(int32_t keyCode) {
    if (!validCell(curRow_, curCol_)) return;
    const int32_t row = curRow_;
    if (!rows_[row].isGroup() && treeCol_ == 0) return;
    const bool expanded = rows_[row].flags & row_flags::kExpanded;
    if (keyCode == ui::VK_MULTIPLY) {
        std::array<Variant, 3> before{Variant(row), Variant(expanded), Variant::byRef(Variant(true))};
        RaiseEvent(event_id::kBeforeRowCollapseExpand, before);
        if (!ToBool(before[2].deref()) || row > rows_.count()) return;
        ExpandOrCollapseRow(row, true);
        for (int32_t r = row + 1; r <= LastNestedOf(row); ++r)
            if (!(rows_[r].flags & row_flags::kExpanded)) ExpandOrCollapseRow(r, true);
        RelayoutAndRedraw();
        std::array<Variant, 2> after{Variant(row), Variant(true)};
        RaiseEvent(event_id::kAfterRowCollapseExpand, after);
        return;
    }
    const bool want = keyCode == ui::VK_ADD;
    if (expanded != want) ToggleRowExpandedByUser(row);
}

// ---- search ----

void Lattix::altSearchStep(int32_t direction) {
    const int32_t col = searchColumn();
    if (col == 0 || !validCell(curRow_, col)) return;
    const int32_t start = curRow_ + direction;
    if (start < 1 || start > rows_.count()) return;
    const int32_t row = findMatchRow(col, searchString_, start, direction, false, 0, false, 1);
    if (row == 0) return;
    {
        StructureLock lock(*this);
        applySingleSelectionRule(row, col);
    }
    anchorRow_ = row;
    anchorCol_ = col;
    CommitMove(row, col);
}

int32_t Lattix::searchColumn() const {
    int32_t col = keyPressBehaviour_ == 3 ? curCol_ : keyPressBehaviour_ == 4 ? keySearchCol_ : 0;
    // Columns may have been removed since KeySearchCol was set.
    if (col < 0 || col > colCount_ + 1) col = 0;
    return col;
}

void Lattix::incrementalSearch(int32_t charCode) {
    if (searchColumn() == 0) return;
    std::string candidate = searchString_;
    if (charCode == 8) {
        // Remove the last character (not just its last byte).
        while (!candidate.empty() && (static_cast<unsigned char>(candidate.back()) & 0xC0) == 0x80) candidate.pop_back();
        if (!candidate.empty()) candidate.pop_back();
    } else if (charCode == 27) {
        candidate.clear();
    } else {
        char32_t c = static_cast<char32_t>(charCode);
        std::string utf8;
        if (c < 0x80) utf8 = std::string(1, static_cast<char>(c));
        else if (c < 0x800) utf8 = {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
        else if (c < 0x10000)
            utf8 = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                    static_cast<char>(0x80 | (c & 0x3F))};
        else
            utf8 = {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
                    static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
        candidate += utf8;
    }
    searchCandidate(candidate);
}

bool Lattix::searchCandidate(const std::string& candidate) {
    const int32_t col = searchColumn();
    if (col == 0 || rows_.count() == 0) return false;
    if (candidate.empty()) {
        searchString_.clear();
        repaintCurrentCell();
        return true;
    }
    const int32_t start = keySearchFromCurRow_ && curRow_ >= 1 ? curRow_ : 1;
    const int32_t row = findMatchRow(col, candidate, start, 1, keySearchLoop_, 0, false, 1);
    if (row == 0) return false;
    searchString_ = candidate;
    ApplyMoveSelection(row, col, 0, MoveInput::Keyboard);
    if (multiSelect_) FlushPendingEvents();
    CommitMove(row, col);
    repaintCurrentCell();
    return true;
}

void Lattix::repaintCurrentCell() {
    if (!validCell(curRow_, curCol_)) return;
    Cell(curRow_, curCol_).markChanged();
    RedrawRow(curRow_);
}

int32_t Lattix::findMatchRow(int32_t colIndex, const std::string& text, int32_t startRow, int32_t step, bool loop,
                             int32_t matchMode, bool matchCase, int32_t visibility) {
    auto fold = [&](std::string s) {
        if (!matchCase)
            for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    const std::string wanted = fold(text);
    auto matches = [&](int32_t row) {
        if (!rowPassesFilter(row, visibility)) return false;
        const std::string cell = fold(DisplayedText(row, colIndex));
        switch (matchMode) {
        case 1: return cell.find(wanted) != std::string::npos;
        case 2: return cell == wanted;
        default: return cell.compare(0, wanted.size(), wanted) == 0;
        }
    };
    const int32_t n = rows_.count();
    for (int32_t r = startRow; r >= 1 && r <= n; r += step)
        if (matches(r)) return r;
    if (!loop) return 0;
    for (int32_t r = step > 0 ? 1 : n; r != startRow && r >= 1 && r <= n; r += step)
        if (matches(r)) return r;
    return 0;
}

int32_t Lattix::FindSearchMatchRow(const Variant& vSearchCol, const std::string& sSearchString, const Variant& vStartRow,
                                   bool bLoop, int32_t eMatchMode, bool bMatchCase, int32_t eCellVisibility) {
    const int32_t col = ResolveColIndex(vSearchCol);
    const int32_t start = vStartRow.deref().isMissing() ? 1 : ResolveRow(vStartRow);
    if (eMatchMode < 0 || eMatchMode > 2 || eCellVisibility < 0 || eCellVisibility > 2)
        RaiseLattixError(lattix_error::kInvalidArgument);
    if (rows_.count() == 0) return 0;
    return findMatchRow(col, sSearchString, std::max(start, 1), 1, bLoop, eMatchMode, bMatchCase, eCellVisibility);
}

// ---- properties ----

void Lattix::SetUseTabKey(bool b) {
    useTabKey_ = b;
    PropertyChanged("UseTabKey");
}

void Lattix::SetKeyPressBehaviour(int32_t e) {
    if (e < 0 || e > 4) RaiseLattixError(lattix_error::kInvalidArgument);
    keyPressBehaviour_ = e;
    PropertyChanged("KeyPressBehaviour");
}

void Lattix::SetKeySearchCol(int32_t n) {
    if (n < 0 || n > colCount_ + 1) RaiseLattixError(lattix_error::kSubscriptOutOfRange);
    keySearchCol_ = n;
}

void Lattix::SetKeySearchFromCurRow(bool b) {
    keySearchFromCurRow_ = b;
    PropertyChanged("KeySearchFromCurRow");
}

void Lattix::SetKeySearchLoop(bool b) {
    keySearchLoop_ = b;
    PropertyChanged("KeySearchLoop");
}

void Lattix::SetSearchString(const std::string& s) { searchCandidate(s); }

void Lattix::SetSkipNonSelectableCells(bool b) {
    skipNonSelectableCells_ = b;
    PropertyChanged("SkipNonSelectableCells");
}

void Lattix::SetBrowseAllNonFrozenCols(bool b) {
    browseAllNonFrozenCols_ = b;
    PropertyChanged("BrowseAllNonFrozenCols");
}

void Lattix::SetCopyPasteEnabled(bool b) {
    copyPasteEnabled_ = b;
    PropertyChanged("CopyPasteEnabled");
}

} // namespace lattix
