// Mouse input over the cells area: presses, releases, moves, double clicks, drag selection with
// automatic scrolling, the cell under the pointer, check boxes and tree buttons.
//
// A press stores the mouse-down cell and point, raises MouseDown (the host may clear bDoDefault)
// and then, for a selectable cell, applies the mouse selection rule and commits the move; a press
// on a cell that is already selected in multi-selection defers its selection change to the release
// (so a drag of the selection can start). The grid captures the mouse for the gesture; the release,
// or losing the capture, ends it. Moves raise MouseMove, track the hover cell (MouseEnter,
// MouseLeave, a 20 ms poll that notices the pointer leaving the grid) and extend the selection while
// drag-selecting, scrolling every 50 ms when the pointer is beyond the cells area. Coordinates in
// events are client pixels as singles; Button is 1 left, 2 right, 4 middle; Shift 1, Ctrl 2, Alt 4.
#include <cstdlib>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/view/scroll_bars.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_manager.h"
#include "runtime/conversions.h"

namespace lattix {

namespace event_id {
inline constexpr DispId kCellCheckChange = 35;
inline constexpr DispId kAfterCellCheckChange = 36;
inline constexpr DispId kClick = 38;
inline constexpr DispId kClickNoDblClick = 39;
inline constexpr DispId kMouseDown = 46;
inline constexpr DispId kMouseMove = 47;
inline constexpr DispId kMouseUp = 48;
inline constexpr DispId kMouseEnter = 49;
inline constexpr DispId kMouseLeave = 50;
inline constexpr DispId kStartCellDrag = 73;
inline constexpr DispId kContextMenuPopup = 90;
} // namespace event_id

namespace {
constexpr int32_t kButtonLeft = 1, kButtonRight = 2, kButtonMiddle = 4;
constexpr int32_t kDblClickActionNone = 0, kDblClickActionEdit = 1, kDblClickActionCollapseExpand = 2;
constexpr int32_t kContextMenuCell = 1, kContextMenuNoCellArea = 3;
constexpr int32_t kCheckBox3State = 16;
constexpr int32_t kDragThreshold = 2;

int32_t shiftOf(ui::WParam wParam) {
    int32_t s = 0;
    if (wParam & ui::MK_SHIFT) s |= 1;
    if (wParam & ui::MK_CONTROL) s |= 2;
    if (ui::Wm().GetKeyState(ui::VK_MENU) < 0) s |= 4;
    return s;
}

Variant single(int32_t v) { return Variant(static_cast<float>(v)); }

} // namespace

// ---- message dispatch ----

bool Lattix::inputAllowed() const {
    const bool userMode = !options_.site || options_.site->userMode();
    return userMode && paint_.enabled && hwnd_ != 0 && ui::Wm().IsWindowEnabled(hwnd_);
}

bool Lattix::handleMouseMessage(ui::MessageId message, ui::WParam wParam, ui::LParam lParam) {
    const int32_t x = ui::GetXLParam(lParam), y = ui::GetYLParam(lParam);
    switch (message) {
    case ui::WM_LBUTTONDOWN: mouseButtonDown(kButtonLeft, x, y, shiftOf(wParam)); return true;
    case ui::WM_RBUTTONDOWN: mouseButtonDown(kButtonRight, x, y, shiftOf(wParam)); return true;
    case ui::WM_MBUTTONDOWN: mouseButtonDown(kButtonMiddle, x, y, shiftOf(wParam)); return true;
    case ui::WM_LBUTTONUP: mouseButtonUp(kButtonLeft, x, y, shiftOf(wParam)); return true;
    case ui::WM_RBUTTONUP: mouseButtonUp(kButtonRight, x, y, shiftOf(wParam)); return true;
    case ui::WM_MBUTTONUP: mouseButtonUp(kButtonMiddle, x, y, shiftOf(wParam)); return true;
    case ui::WM_LBUTTONDBLCLK: mouseDoubleClick(kButtonLeft, x, y, shiftOf(wParam)); return true;
    case ui::WM_RBUTTONDBLCLK: mouseDoubleClick(kButtonRight, x, y, shiftOf(wParam)); return true;
    case ui::WM_MBUTTONDBLCLK: mouseDoubleClick(kButtonMiddle, x, y, shiftOf(wParam)); return true;
    case ui::WM_MOUSEMOVE: {
        int32_t buttons = 0;
        if (wParam & ui::MK_LBUTTON) buttons |= kButtonLeft;
        if (wParam & ui::MK_RBUTTON) buttons |= kButtonRight;
        if (wParam & ui::MK_MBUTTON) buttons |= kButtonMiddle;
        mouseMoved(buttons, x, y, shiftOf(wParam));
        return true;
    }
    case ui::WM_CAPTURECHANGED:
        if (static_cast<ui::Hwnd>(lParam) != hwnd_) mouseCaptureLost();
        return true;
    case ui::WM_TIMER:
        switch (static_cast<uintptr_t>(wParam)) {
        case mouse_timer::kDoubleClickCheck: doubleClickTimeout(); return true;
        case mouse_timer::kMouseLeaveCheck: mouseLeaveTick(); return true;
        case mouse_timer::kCellAutoscroll: cellAutoscrollTick(); return true;
        default: return false;
        }
    default: return false;
    }
}

// ---- press ----

void Lattix::mouseButtonDown(int32_t button, int32_t x, int32_t y, int32_t shift) {
    if (!inputAllowed()) return;
    ui::WindowManager& wm = ui::Wm();
    if (button == kButtonRight && wm.GetFocus() != hwnd_) wm.SetFocus(hwnd_);

    const CellHit hit = CellAtWindowPoint(x, y);
    mouse_.downRow = hit.col > 0 ? hit.row : 0;
    mouse_.downCol = hit.row > 0 ? hit.col : 0;
    mouse_.downX = x;
    mouse_.downY = y;
    mouse_.dragStarted = false;
    mouse_.deferredSelection = false;
    mouse_.bodyPress = false;
    mouse_.dragSelecting = false;
    mouse_.pressed = true;
    wm.SetTimer(hwnd_, mouse_timer::kDoubleClickCheck, wm.GetDoubleClickTime());
    // A press in the cells area captures the mouse for the gesture.
    const bool inCells = y >= CellsAreaTop() && y < CellsAreaTop() + view_.viewHeight && x >= 0 && x < view_.viewWidth;
    if (inCells && wm.GetCapture() != hwnd_) {
        wm.SetCapture(hwnd_);
        mouse_.holdsCapture = true;
    }

    const int32_t row = mouse_.downRow, col = mouse_.downCol;
    if (editing_ && !(row == curRow_ && col == curCol_) && !commitEditBeforePress()) return;

    mouse_.downPart = validCell(row, col) ? HitTestCell(x, y, row, col) : 0;
    std::array<Variant, 8> a{Variant::byRef(Variant(static_cast<int16_t>(button))),
                             Variant::byRef(Variant(static_cast<int16_t>(shift))),
                             single(x),
                             single(y),
                             Variant(row),
                             Variant(col),
                             Variant(mouse_.downPart),
                             Variant::byRef(Variant(true))};
    RaiseEvent(event_id::kMouseDown, a);
    button = ToInt32(a[0].deref());
    shift = ToInt32(a[1].deref());
    // The handler may have changed the grid: the cell must still be one.
    if (!ToBool(a[7].deref()) || !validCell(row, col)) return;
    if (!Cell(row, col).selectable()) return;

    const int32_t part = mouse_.downPart;
    if (button == kButtonLeft && part == cell_part::kTreeButton) {
        ToggleRowExpandedByUser(row);
        return;
    }
    // A press on the combo button of a text-with-list cell being edited opens its list.
    if (button == kButtonLeft && part == cell_part::kComboButton && editing_ && DropDownCurCellList(0)) return;
    if (button == kButtonLeft || button == kButtonRight) {
        // (SearchString, the key search's typed prefix, is cleared here once key search lands.)
        mouse_.bodyPress = part != cell_part::kComboButton && part != cell_part::kCheckBox && part != cell_part::kTreeButton;
        if (multiSelect_) {
            if (Cell(row, col).selected() && mouse_.bodyPress) mouse_.deferredSelection = true;
            else ApplyMoveSelection(row, col, shift, MoveInput::Mouse);
            mouse_.dragSelecting = dragSelect_ && mouse_.bodyPress;
        } else {
            ApplyMoveSelection(row, col, shift, MoveInput::Mouse);
        }
        CommitMove(row, col);
        if (multiSelect_ && (shift & 1)) RelayoutAndRedraw();
    }
    if (button == kButtonLeft && validCell(row, col)) {
        if (part == cell_part::kComboButton) requestEditFromMouse(true);
        else if (part == cell_part::kCheckBox) ToggleCellCheck(row, col);
    }
}

// ---- release ----

void Lattix::endMouseGesture() {
    mouse_.bodyPress = false;
    mouse_.dragSelecting = false;
    mouse_.pressed = false;
    mouse_.autoDirX = mouse_.autoDirY = 0;
    if (hwnd_ != 0) ui::Wm().KillTimer(hwnd_, mouse_timer::kCellAutoscroll);
}

void Lattix::mouseButtonUp(int32_t button, int32_t x, int32_t y, int32_t shift) {
    const bool wasPressed = mouse_.pressed;
    endMouseGesture();
    if (mouse_.holdsCapture) {
        mouse_.holdsCapture = false; // before releasing: the capture change is ours
        if (ui::Wm().GetCapture() == hwnd_) ui::Wm().ReleaseCapture();
    }
    if (!inputAllowed()) return;
    std::array<Variant, 7> a{Variant::byRef(Variant(static_cast<int16_t>(button))),
                             Variant::byRef(Variant(static_cast<int16_t>(shift))),
                             single(x),
                             single(y),
                             Variant(mouse_.hoverRow),
                             Variant(mouse_.hoverCol),
                             Variant::byRef(Variant(true))};
    RaiseEvent(event_id::kMouseUp, a);
    const bool doDefault = ToBool(a[6].deref());
    button = ToInt32(a[0].deref());
    shift = ToInt32(a[1].deref());
    const bool deferred = mouse_.deferredSelection;
    mouse_.deferredSelection = false;
    if (doDefault) {
        if (button == kButtonLeft && deferred && std::abs(x - mouse_.downX) <= kDragThreshold &&
            std::abs(y - mouse_.downY) <= kDragThreshold && validCell(mouse_.downRow, mouse_.downCol)) {
            applyMouseSelectionNow(mouse_.downRow, mouse_.downCol, shift);
            if (shift & 1) RelayoutAndRedraw();
            else redrawChangedCells();
        }
        if (button == kButtonRight) {
            if (validCell(mouse_.hoverRow, mouse_.hoverCol) && Cell(mouse_.hoverRow, mouse_.hoverCol).selectable()) {
                openCellContextMenu(mouse_.hoverRow, mouse_.hoverCol);
            } else if (!validCell(mouse_.hoverRow, mouse_.hoverCol) && x >= 0 && y >= CellsAreaTop() &&
                       x < view_.clientWidth && y < view_.clientHeight) {
                std::array<Variant, 5> m{Variant(kContextMenuNoCellArea), Variant(int32_t{0}), Variant(int32_t{0}),
                                         Variant::byRef(Variant(false)), Variant::byRef(Variant(false))};
                RaiseEvent(event_id::kContextMenuPopup, m);
                if (!ToBool(m[3].deref())) showNoCellAreaContextMenu(ToBool(m[4].deref()));
            }
        }
    }
    // The container reports a click when a left press on the control is released over it.
    if (button == kButtonLeft && wasPressed && x >= 0 && y >= 0 && x < view_.clientWidth && y < view_.clientHeight) {
        std::array<Variant, 2> c{Variant(mouse_.downRow), Variant(mouse_.downCol)};
        RaiseEvent(event_id::kClick, c);
    }
}

void Lattix::mouseCaptureLost() {
    if (!mouse_.holdsCapture) return;
    // Losing the capture ends the gesture as a release would: no more dragging or scrolling.
    mouse_.holdsCapture = false;
    mouse_.deferredSelection = false;
    endMouseGesture();
}

void Lattix::applyMouseSelectionNow(int32_t row, int32_t col, int32_t shift) {
    ApplyMoveSelection(row, col, shift, MoveInput::Mouse);
    FlushPendingEvents();
}

// ---- moves ----

void Lattix::mouseMoved(int32_t button, int32_t x, int32_t y, int32_t shift) {
    if (!inputAllowed()) return;
    ui::WindowManager& wm = ui::Wm();
    CellHit hit = CellAtWindowPoint(x, y);
    if (hit.row == 0 || hit.col == 0) hit = {};
    std::array<Variant, 6> a{Variant(static_cast<int16_t>(button)), Variant(static_cast<int16_t>(shift)), single(x),
                             single(y), Variant(hit.row), Variant(hit.col)};
    RaiseEvent(event_id::kMouseMove, a);

    if (mouse_.dragSelecting) {
        const int32_t top = CellsAreaTop();
        int32_t dx = x < 0 ? -1 : x >= view_.viewWidth ? 1 : 0;
        int32_t dy = y < top ? -1 : y >= top + view_.viewHeight ? 1 : 0;
        if (HScrollMax() <= 0) dx = 0;
        if (VScrollMax() <= 0) dy = 0;
        mouse_.autoDirX = dx;
        mouse_.autoDirY = dy;
        mouse_.autoShift = shift;
        if (dx || dy) wm.SetTimer(hwnd_, mouse_timer::kCellAutoscroll, mouse_timer::kAutoscrollMs);
        else wm.KillTimer(hwnd_, mouse_timer::kCellAutoscroll);
    }

    if (mouse_.bodyPress && !mouse_.dragStarted &&
        (std::abs(x - mouse_.downX) > kDragThreshold || std::abs(y - mouse_.downY) > kDragThreshold)) {
        mouse_.dragStarted = true;
        std::array<Variant, 6> d{Variant(static_cast<int16_t>(button)), Variant(static_cast<int16_t>(shift)),
                                 single(x), single(y), Variant(mouse_.downRow), Variant(mouse_.downCol)};
        RaiseEvent(event_id::kStartCellDrag, d);
    }

    if (hit.row == mouse_.hoverRow && hit.col == mouse_.hoverCol) return;
    if (mouse_.hoverRow != 0 || mouse_.hoverCol != 0) {
        std::array<Variant, 2> l{Variant(mouse_.hoverRow), Variant(mouse_.hoverCol)};
        RaiseEvent(event_id::kMouseLeave, l);
        wm.KillTimer(hwnd_, mouse_timer::kMouseLeaveCheck);
        resetHotTracking();
    }
    mouse_.hoverRow = hit.row;
    mouse_.hoverCol = hit.col;
    if (!validCell(hit.row, hit.col)) return;
    std::array<Variant, 2> e{Variant(hit.row), Variant(hit.col)};
    RaiseEvent(event_id::kMouseEnter, e);
    if (mouse_.dragSelecting && validCell(hit.row, hit.col)) {
        applyMouseSelectionNow(hit.row, hit.col, shift | 1);
        mouse_.lastReachedRow = hit.row;
        mouse_.lastReachedCol = hit.col;
        redrawChangedCells();
    }
    wm.SetTimer(hwnd_, mouse_timer::kMouseLeaveCheck, mouse_timer::kMouseLeaveMs);
    hotTrackCell(hit.row, hit.col);
}

void Lattix::mouseLeaveTick() {
    ui::WindowManager& wm = ui::Wm();
    ui::Point p = wm.GetCursorPos();
    const bool overGrid = wm.WindowFromPoint(p) == hwnd_;
    wm.ScreenToClient(hwnd_, p);
    const int32_t top = CellsAreaTop();
    const bool inCells = p.x >= 0 && p.x < view_.viewWidth && p.y >= top && p.y < top + view_.viewHeight;
    if (overGrid && inCells) return;
    wm.KillTimer(hwnd_, mouse_timer::kMouseLeaveCheck);
    const int32_t row = mouse_.hoverRow, col = mouse_.hoverCol;
    mouse_.hoverRow = mouse_.hoverCol = 0;
    if (row == 0 && col == 0) return;
    std::array<Variant, 2> l{Variant(row), Variant(col)};
    RaiseEvent(event_id::kMouseLeave, l);
    resetHotTracking();
}

void Lattix::cellAutoscrollTick() {
    if (!mouse_.dragSelecting || (mouse_.autoDirX == 0 && mouse_.autoDirY == 0)) {
        ui::Wm().KillTimer(hwnd_, mouse_timer::kCellAutoscroll);
        return;
    }
    // Repainting waits for the end of the tick, and resumes even when a handler raises.
    UpdateSuspension suspended(*this);
    // One small change of each bar (SmallChangeDesiredValue, or the bar's default step).
    if (mouse_.autoDirY) SetScrollY(view_.scrollY + mouse_.autoDirY * scrollBarStep(kBarV, false, false));
    if (mouse_.autoDirX) SetHScrollValue(view_.hScrollValue + mouse_.autoDirX * scrollBarStep(kBarH, false, false));
    const VisibleRange& vis = VisRange();
    int32_t row = mouse_.hoverRow ? mouse_.hoverRow : mouse_.lastReachedRow;
    int32_t col = mouse_.hoverCol ? mouse_.hoverCol : mouse_.lastReachedCol;
    if (mouse_.autoDirY < 0) row = vis.firstRow;
    else if (mouse_.autoDirY > 0) row = vis.lastRow;
    if (mouse_.autoDirX != 0) {
        int32_t pos = 0;
        if (mouse_.autoDirX < 0) {
            pos = std::max(vis.firstCol, colTotals_.firstScrollablePos);
            while (pos > 0 && pos <= colCount_ + 1 && !cols_[static_cast<size_t>(pos)].visible) ++pos;
        } else {
            pos = vis.lastCol;
        }
        if (pos >= 1 && pos <= colCount_ + 1) col = cols_[static_cast<size_t>(pos)].index;
    }
    if (!validCell(row, col) || (row == mouse_.lastReachedRow && col == mouse_.lastReachedCol)) return;
    mouse_.lastReachedRow = row;
    mouse_.lastReachedCol = col;
    applyMouseSelectionNow(row, col, mouse_.autoShift | 1);
}

// ---- clicks ----

void Lattix::doubleClickTimeout() {
    ui::Wm().KillTimer(hwnd_, mouse_timer::kDoubleClickCheck);
    if (!inputAllowed()) return;
    std::array<Variant, 2> a{Variant(mouse_.downRow), Variant(mouse_.downCol)};
    RaiseEvent(event_id::kClickNoDblClick, a);
}

void Lattix::mouseDoubleClick(int32_t button, int32_t x, int32_t y, int32_t shift) {
    ui::WindowManager& wm = ui::Wm();
    wm.KillTimer(hwnd_, mouse_timer::kDoubleClickCheck);
    if (hwnd_ == 0 || !paint_.enabled || !wm.IsWindowEnabled(hwnd_)) return;
    // The release that follows raises MouseUp but no second Click.
    mouse_.pressed = false;
    const int32_t row = mouse_.downRow, col = mouse_.downCol;
    int32_t action = kDblClickActionNone;
    if (button == kButtonLeft && row > 0 && col > 0) {
        if (editable_ && !rowMode_ && col != treeCol_) {
            if (row <= rows_.count() && rows_[row].isGroup()) action = kDblClickActionCollapseExpand;
            else if (mouse_.downPart != cell_part::kCheckBox && mouse_.downPart != cell_part::kTreeButton)
                action = kDblClickActionEdit;
        } else {
            action = kDblClickActionCollapseExpand;
        }
    }
    std::array<Variant, 7> a{Variant(static_cast<int16_t>(button)), Variant(static_cast<int16_t>(shift)), single(x),
                             single(y), Variant(row), Variant(col), Variant::byRef(Variant(action))};
    RaiseEvent(event_id::kDblClick, a);
    action = ToInt32(a[6].deref());
    if (rows_.count() == 0 || colCount_ == 0 || !validCell(row, col) || !Cell(row, col).selectable()) return;
    if (action == kDblClickActionEdit) requestEditFromMouse(false);
    else if (action == kDblClickActionCollapseExpand) ToggleRowExpandedByUser(row);
}

// ---- cell controls ----

void Lattix::ToggleRowExpandedByUser(int32_t row) {
    if (row < 1 || row > rows_.count()) return;
    const bool expanded = rows_[row].flags & row_flags::kExpanded;
    std::array<Variant, 3> before{Variant(row), Variant(expanded), Variant::byRef(Variant(true))};
    RaiseEvent(event_id::kBeforeRowCollapseExpand, before);
    if (!ToBool(before[2].deref()) || row > rows_.count()) return;
    const bool nowExpanded = rows_[row].flags & row_flags::kExpanded;
    if (nowExpanded != expanded) return; // the handler did it already
    // Only the row itself changed: repaint it; rows shown or hidden: lay out again.
    if (ExpandOrCollapseRow(row, !expanded) > 0) RelayoutAndRedraw();
    else RedrawRow(row);
    std::array<Variant, 2> after{Variant(row), Variant(!expanded)};
    RaiseEvent(event_id::kAfterRowCollapseExpand, after);
}

void Lattix::ToggleCellCheck(int32_t row, int32_t colIndex) {
    if (!editable_ || !validCell(row, colIndex)) return;
    const int32_t old = Cell(row, colIndex).checkBits & cell_bits::kCheckStateMask;
    const bool threeState = Cell(row, colIndex).checkBits & kCheckBox3State;
    const int32_t next = threeState ? (old + 1) % 3 : (old == 0 ? 1 : 0);
    std::array<Variant, 4> a{Variant(row), Variant(colIndex), Variant::byRef(Variant(next)), Variant::byRef(Variant(false))};
    RaiseEvent(event_id::kCellCheckChange, a);
    if (ToBool(a[3].deref()) || !validCell(row, colIndex)) return;
    const int32_t state = ToInt32(a[2].deref());
    if (state < 0 || state > 2) return; // a state the box cannot show: the toggle is dropped
    CellRecord& cell = Cell(row, colIndex);
    cell.checkBits = static_cast<uint8_t>((cell.checkBits & ~cell_bits::kCheckStateMask) | state);
    cell.markChanged();
    RedrawRow(row);
    std::array<Variant, 3> after{Variant(row), Variant(colIndex), Variant(old)};
    RaiseEvent(event_id::kAfterCellCheckChange, after);
}

// ---- seams of later parts ----

void Lattix::openCellContextMenu(int32_t row, int32_t col) {
    std::array<Variant, 5> m{Variant(kContextMenuCell), Variant(row), Variant(col), Variant::byRef(Variant(false)),
                             Variant::byRef(Variant(false))};
    RaiseEvent(event_id::kContextMenuPopup, m);
    if (!ToBool(m[3].deref())) showCellContextMenu(row, col, ToBool(m[4].deref()));
}

// The menus themselves are built in grid/ops/context_menus.cpp.

} // namespace lattix
