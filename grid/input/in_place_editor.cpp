// The in-place text editor: an edit box laid over the current cell with the cell's font, colours
// and alignment. Starting an edit, the keys and mouse messages of the editor, commit, cancel and
// proceed, the TextEdit* properties.
//
// Event order of an edit started by typing 5 into a text cell holding the number 3, then Enter:
//   KeyDown, KeyPress, RequestEdit (sText "5" with lxKeyPressEditReplace), TextEditStarted,
//   TextEditChange, then per key TextEditKeyDown, TextEditKeyPress, TextEditKeyUp; on Enter
//   TextEditKeyDown, TextEditKeyPress, BeforeCommitEdit (vNewValue 5 of the number's type,
//   lConvErr 0), AfterCommitEdit (vOldValue 3), and, the editor being closed, the grid's own KeyUp
//   for the released Enter key.
#include <algorithm>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "platform/controls/edit_box.h"
#include "platform/gfx/utf8.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_manager.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {

namespace event_id {
inline constexpr DispId kCancelEditEvent = 3;
inline constexpr DispId kContextMenuPopupEvent = 90;
inline constexpr DispId kTextEditStarted = 74;
inline constexpr DispId kTextEditChange = 75;
inline constexpr DispId kTextEditKeyDown = 76;
inline constexpr DispId kTextEditKeyPress = 77;
inline constexpr DispId kTextEditKeyUp = 78;
inline constexpr DispId kTextEditDblClick = 79;
inline constexpr DispId kTextEditMouseDown = 80;
inline constexpr DispId kTextEditMouseMove = 81;
inline constexpr DispId kTextEditMouseUp = 82;
} // namespace event_id

namespace {
constexpr int32_t kCellText = 0, kCellCombo = 1, kCellTextCombo = 2;
constexpr int32_t kTextBoxVScrollBar = 32, kTextBoxHScrollBar = 64;
constexpr int32_t kTextWordBreak = 16, kTextRTLReading = 131072;
constexpr int32_t kTextEditNumberOnly = 8192, kTextEditUpperCase = 8, kTextEditLowerCase = 16;
constexpr int32_t kKeyPressNone = 0, kKeyPressEditAppend = 1, kKeyPressSearchCurCol = 3;
constexpr int32_t kEditResCancel = 0, kEditResProceed = 2;
constexpr int32_t kContextMenuTextEdit = 5;
constexpr std::uintptr_t kEditorSubclassId = 0x4C54; // "LattixTextEdit"
constexpr int kEditorId = 0x4C54;

int32_t modifierState() {
    ui::WindowManager& wm = ui::Wm();
    int32_t s = 0;
    if (wm.GetKeyState(ui::VK_SHIFT) < 0) s |= 1;
    if (wm.GetKeyState(ui::VK_CONTROL) < 0) s |= 2;
    if (wm.GetKeyState(ui::VK_MENU) < 0) s |= 4;
    return s;
}

controls::EditBox* boxOf(ui::Hwnd hwnd) { return controls::EditBox::FromWindow(hwnd); }

gfx::Color colourOf(int32_t automationColour) { return static_cast<gfx::Color>(automationColour); }
} // namespace

// ---- starting an edit ----

void Lattix::RequestEditCurCell(int32_t lCharCode, bool bShowCombo) { requestEdit(lCharCode, bShowCombo, false); }

// composing: an input method composes text starting with lCharCode. The edit starts as typing that
// character would, but without it: the editor shows the composed text until it is committed. The
// search and a list cell's list take committed characters only.
void Lattix::requestEdit(int32_t lCharCode, bool bShowCombo, bool composing) {
    RefuseDuringStructuralChange();
    if (!paint_.enabled || editing_) return;
    // Typed characters go by KeyPressBehaviour; 0 (F2, F4, double click, code) and Enter always go on.
    if (lCharCode != 0 && lCharCode != 13) {
        if (keyPressBehaviour_ == kKeyPressNone) return;
        if (keyPressBehaviour_ >= kKeyPressSearchCurCol) {
            if (!composing) incrementalSearch(lCharCode);
            return;
        }
    }
    if (!editable_ || !validCell(curRow_, curCol_)) return;
    if (rows_[curRow_].isGroup() && !allowGroupRowEditing_) return;
    if (lCharCode >= 1 && lCharCode <= 32 && lCharCode != 8 && lCharCode != 13) return;
    if (lCharCode < 0) return;

    const int32_t row = curRow_, col = curCol_;
    std::string text;
    if (lCharCode == 0 || lCharCode == 13) {
        text = DisplayedText(row, col);
    } else if (lCharCode != 8) {
        const std::string typed =
            composing ? std::string() : gfx::encodeUtf8(std::u32string(1, static_cast<char32_t>(lCharCode)));
        text = keyPressBehaviour_ == kKeyPressEditAppend ? DisplayedText(row, col) + typed : typed;
    }
    EnsureCellVisibleAuto(row, col);
    const EditRequestAnswer answer = RaiseRequestEdit(row, col, lCharCode, text);
    if (answer.cancel) return;
    searchString_.clear();
    // The handler may have moved the current cell or changed the grid.
    if (editing_ || !validCell(row, col) || row != curRow_ || col != curCol_) return;
    const int32_t type = CellType(Variant(row), Variant(col));
    if (type == kCellCombo) {
        // A list cell opens its list instead.
        if (!composing) DropDownCurCellList(lCharCode);
        return;
    }
    if (type != kCellText && type != kCellTextCombo) return;
    if ((answer.textEditOpt & kTextEditNumberOnly) && lCharCode != 0 && lCharCode != 13 &&
        !(lCharCode >= '0' && lCharCode <= '9'))
        return;
    if (openEditor(lCharCode, answer) && bShowCombo && type == kCellTextCombo && editing_) DropDownCurCellList(0);
}

void Lattix::EditCell(const Variant& vrow, const Variant& vCol) {
    auto [row, col] = resolveCell(vrow, vCol);
    if (row != curRow_ || col != curCol_) SetCurCell(Variant(row), Variant(col));
    if (row == curRow_ && col == curCol_) RequestEditCurCell(0, false);
}

// The editor's place over the text of cell (row, col): the cell's text rectangle within the view,
// at least one line of the font tall; empty when the cell shows no text area in the view.
gfx::Rect Lattix::editorRectOf(int32_t row, int32_t col, const gfx::Font& font) {
    RecalcVisibleRange();
    gfx::Rect r = CellTextRect(row, col);
    if (r.width() < 1 || r.height() < 1) return {};
    r.right = std::min<int32_t>(r.right, view_.viewWidth);
    r.bottom = std::min<int32_t>(r.bottom, CellsAreaTop() + view_.viewHeight);
    if (r.width() < 1 || r.height() < 1 || r.bottom <= CellsAreaTop()) return {};
    r.bottom = std::max<int32_t>(r.bottom, r.top + font.metrics().height);
    return r;
}

// The view scrolled during an edit: the editor follows its cell. While the cell is out of view the
// editor waits below the window's client area, out of sight; hiding it would take its focus and so
// end the edit.
void Lattix::followEditorToCell() {
    controls::EditBox* box = boxOf(editor_.hwnd);
    if (!editing_ || box == nullptr || !validCell(editor_.row, editor_.col)) return;
    const std::shared_ptr<const gfx::Font> gfxFont = GfxFontOf(*EffectiveFont(editor_.row, editor_.col));
    const gfx::Rect r = editorRectOf(editor_.row, editor_.col, *gfxFont);
    ui::WindowManager& wm = ui::Wm();
    const ui::Rect now = wm.GetWindowRect(editor_.hwnd);
    if (r.width() < 1 || r.height() < 1) {
        wm.MoveWindow(editor_.hwnd, 0, view_.clientHeight + 1, std::max(1, now.width()), std::max(1, now.height()));
        return;
    }
    wm.MoveWindow(editor_.hwnd, r.left, r.top, r.width(), r.height());
}

bool Lattix::openEditor(int32_t charCode, const EditRequestAnswer& answer) {
    if (hwnd_ == 0) return false;
    const int32_t row = curRow_, col = curCol_;
    const std::shared_ptr<const FontObject> font = EffectiveFont(row, col);
    const std::shared_ptr<const gfx::Font> gfxFont = GfxFontOf(*font);
    const gfx::Rect r = editorRectOf(row, col, *gfxFont);
    if (r.width() < 1 || r.height() < 1) return false;

    const int32_t typeFlags = CellTypeFlags(Variant(row), Variant(col));
    const int32_t textFlags = CellTextFlags(Variant(row), Variant(col));
    const int32_t alignH = CellAlignH(Variant(row), Variant(col));
    uint32_t style = controls::ES_MULTILINE | controls::ES_AUTOVSCROLL;
    if (answer.textEditOpt & kTextEditNumberOnly) style |= controls::ES_NUMBER;
    if (answer.textEditOpt & kTextEditUpperCase) style |= controls::ES_UPPERCASE;
    if (answer.textEditOpt & kTextEditLowerCase) style |= controls::ES_LOWERCASE;
    if (!(textFlags & kTextWordBreak)) style |= controls::ES_AUTOHSCROLL;
    if (typeFlags & kTextBoxHScrollBar) style |= ui::WS_HSCROLL;
    if (typeFlags & kTextBoxVScrollBar) style |= ui::WS_VSCROLL;
    uint32_t exStyle = 0;
    if (textFlags & kTextRTLReading) {
        exStyle |= controls::WS_EX_RTLREADING;
        style |= controls::ES_RIGHT;
    } else if (alignH == 2) {
        style |= controls::ES_RIGHT;
    } else if (alignH == 1) {
        style |= controls::ES_CENTER;
    }
    const ui::Rect wr{r.left, r.top, r.right, r.bottom};
    const ui::Hwnd edit = controls::EditBox::Create(hwnd_, wr, style, exStyle, kEditorId);
    controls::EditBox* box = boxOf(edit);
    if (box == nullptr) return false;
    ui::WindowManager& wm = ui::Wm();
    if (!wm.SetWindowSubclass(edit, &Lattix::editorSubclass, kEditorSubclassId, reinterpret_cast<std::uintptr_t>(this))) {
        wm.DestroyWindow(edit);
        return false;
    }
    box->SetFont(gfxFont);
    box->SetMargins(0, 0);
    box->SetColors(colourOf(EffectiveForeColor(row, col)), colourOf(EffectiveBackColor(row, col)));
    box->SetLimit(answer.maxLength);
    box->SetText(ApplyTextEditOptions(answer.text, answer.textEditOpt & ~kTextEditNumberOnly, answer.maxLength));

    editor_.hwnd = edit;
    editor_.row = row;
    editor_.col = col;
    editor_.startedByChar = charCode != 0 && charCode != 13;
    editor_.previousText.clear();
    editor_.committing = false;
    editing_ = true;
    // The cell is painted unselected under the editor.
    CellRecord& cell = Cell(row, col);
    editor_.savedSelected = cell.selected();
    if (editor_.savedSelected) {
        cell.setSelected(false);
        cell.markChanged();
        RedrawRow(row);
    }
    wm.ShowWindow(edit, 5 /* SW_SHOW */);
    wm.SetFocus(edit);
    RaiseEvent(event_id::kTextEditStarted, {});
    if (!editing_ || boxOf(editor_.hwnd) == nullptr) return true;
    if (editor_.startedByChar) box->SetSel(box->Length(), box->Length());
    else box->SelectAll();
    editorTextChanged();
    return true;
}

// ---- closing, committing, cancelling ----

void Lattix::closeEditor() {
    if (!editing_ && editor_.hwnd == 0) return;
    if (!droppedIsListCell_) CloseDropDown();
    editing_ = false;
    const ui::Hwnd edit = editor_.hwnd;
    editor_.hwnd = 0;
    if (validCell(editor_.row, editor_.col)) {
        CellRecord& cell = Cell(editor_.row, editor_.col);
        if (editor_.savedSelected && !cell.selected()) cell.setSelected(true);
        cell.markChanged();
    }
    editor_.savedSelected = false;
    ui::WindowManager& wm = ui::Wm();
    const bool hadFocus = edit != 0 && wm.GetFocus() == edit;
    if (edit != 0) {
        wm.RemoveWindowSubclass(edit, &Lattix::editorSubclass, kEditorSubclassId);
        wm.DestroyWindow(edit);
    }
    if (hadFocus && hwnd_ != 0) wm.SetFocus(hwnd_);
    if (validCell(editor_.row, editor_.col)) RedrawRow(editor_.row);
}

int32_t Lattix::CommitOpenEditor(bool bCanProceedEditing) {
    if (!editing_ || editor_.committing) return kEditResProceed;
    controls::EditBox* box = boxOf(editor_.hwnd);
    if (box == nullptr) {
        closeEditor();
        return kEditResCancel;
    }
    editor_.committing = true;
    const std::string text = box->Text();
    const int32_t row = editor_.row, col = editor_.col;
    int32_t listIndex = validCell(row, col) ? Cell(row, col).comboListIndex : -1;
    // A text-with-list cell takes the index of the item whose text was entered.
    if (validCell(row, col) && CellType(Variant(row), Variant(col)) == kCellTextCombo)
        listIndex = ComboItemIndexOfText(Cell(row, col).looks().comboIndex, text);
    int32_t result = kEditResCancel;
    try {
        result = commitTextToCell(row, col, text, bCanProceedEditing, listIndex, true);
    } catch (...) {
        editor_.committing = false;
        throw;
    }
    editor_.committing = false;
    if (result == kEditResProceed) {
        if (bCanProceedEditing && editing_ && boxOf(editor_.hwnd)) {
            ui::Wm().SetFocus(editor_.hwnd);
        } else if (editing_) {
            // A failed validation where going on is not allowed: the message was shown, nothing is stored.
            closeEditor();
        }
    }
    return result;
}

void Lattix::CommitEditCurCell() {
    if (editing_) CommitOpenEditor(true);
}

void Lattix::cancelOpenEditor() {
    if (!editing_) return;
    const int32_t row = editor_.row, col = editor_.col;
    closeEditor();
    std::array<Variant, 2> a{Variant(row), Variant(col)};
    RaiseEvent(event_id::kCancelEditEvent, a);
}

void Lattix::CancelEditCurCell() {
    RaiseEvent(event_id::kQuitCustomEdit, {});
    if (ListCellBeingEdited()) CancelListEdit();
    else cancelOpenEditor();
}

// Structural operations end an edit in progress before they change the grid, and tell the host to
// end its own too: a host running its own editor over a cell must close it before
// the structure changes under it. Its handler may store values but not add or remove rows or
// columns (error 522): the caller is about to change the structure it has already looked at.
void Lattix::EndEditing() {
    {
        const int saved = structuralDepth_;
        ++structuralDepth_;
        try {
            RaiseEvent(event_id::kQuitCustomEdit, {});
        } catch (...) {
            structuralDepth_ = saved;
            throw;
        }
        structuralDepth_ = saved;
    }
    endEditQuietly();
}

// Ends an edit without raising QuitCustomEdit (the caller raised it already): a list cell's edit is
// cancelled, a text edit committed without proceeding.
void Lattix::endEditQuietly() {
    if (ListCellBeingEdited()) CancelListEdit();
    else if (editing_) CommitOpenEditor(false);
}

void Lattix::FocusLeftGrid(ui::Hwnd newFocus) {
    if (!editing_ || editor_.committing || editor_.inMessageBox) return;
    if (newFocus != 0 && (newFocus == editor_.hwnd || newFocus == hwnd_)) return;
    CommitOpenEditor(false);
}

// Commits an open edit before a press on another cell; false when the editor stays open.
bool Lattix::commitEditBeforePress() {
    if (!editing_) return true;
    return CommitOpenEditor(true) != kEditResProceed;
}

void Lattix::requestEditFromMouse(bool showCombo) {
    if (!validCell(curRow_, curCol_)) return;
    RequestEditCurCell(0, showCombo);
}

// ---- the editor's messages ----

ui::LResult Lattix::editorSubclass(ui::Hwnd hwnd, ui::MessageId message, ui::WParam wParam, ui::LParam lParam,
                                   std::uintptr_t, std::uintptr_t refData) {
    auto* self = reinterpret_cast<Lattix*>(refData);
    std::shared_ptr<AutomationObject> keepAlive = self->weak_from_this().lock();
    bool handled = false;
    const ui::LResult r = self->editorMessage(message, wParam, lParam, handled);
    if (handled) return r;
    return ui::Wm().DefSubclassProc(hwnd, message, wParam, lParam);
}

ui::LResult Lattix::editorMessage(ui::MessageId message, ui::WParam wParam, ui::LParam lParam, bool& handled) {
    handled = false;
    const int32_t row = editor_.row, col = editor_.col;
    switch (message) {
    case ui::WM_KEYDOWN:
    case ui::WM_SYSKEYDOWN: {
        const int32_t key = static_cast<int32_t>(wParam);
        const int32_t shift = modifierState();
        std::array<Variant, 4> a{Variant(row), Variant(col), Variant(static_cast<int16_t>(key)),
                                 Variant(static_cast<int16_t>(shift))};
        RaiseEvent(event_id::kTextEditKeyDown, a);
        if (!editing_) return handled = true, 0;
        if (validCell(row, col) && CellType(Variant(row), Variant(col)) == kCellTextCombo) {
            // F4 (and Alt+Up or Alt+Down) opens or folds the cell's list; Up, Down, PgUp and PgDn move in
            // the open list.
            const bool altArrow = (shift & 4) && (key == ui::VK_UP || key == ui::VK_DOWN);
            if (key == ui::VK_F4 || altArrow) {
                if (!DropDownKey(key, shift)) DropDownCurCellList(0);
                return handled = true, 0;
            }
            if ((key == ui::VK_UP || key == ui::VK_DOWN || key == ui::VK_PRIOR || key == ui::VK_NEXT) && DropDownKey(key, shift))
                return handled = true, 0;
        }
        if (key == ui::VK_RETURN && !(shift & 2)) return handled = true, 0; // the character commits
        if (key == ui::VK_ESCAPE) return handled = true, 0;                  // the character cancels
        if (key == ui::VK_TAB && useTabKey_) {
            handled = true;
            DoKeyboardCommand(ui::VK_TAB, shift);
            return 0;
        }
        return 0;
    }
    case ui::WM_KEYUP:
    case ui::WM_SYSKEYUP: {
        std::array<Variant, 4> a{Variant(row), Variant(col), Variant(static_cast<int16_t>(wParam)),
                                 Variant(static_cast<int16_t>(modifierState()))};
        RaiseEvent(event_id::kTextEditKeyUp, a);
        return 0;
    }
    case ui::WM_CHAR: {
        handled = true;
        const int32_t original = static_cast<int32_t>(wParam);
        if (original == '\t' && useTabKey_) return 0; // Tab already moved on
        std::array<Variant, 3> a{Variant(row), Variant(col), Variant::byRef(Variant(original))};
        RaiseEvent(event_id::kTextEditKeyPress, a);
        if (!editing_) return 0;
        int32_t ch = 0;
        try {
            ch = ToInt32(a[2].deref());
        } catch (const AutomationError&) {
            ch = 0;
        }
        if (ch == 13 && original == 13) {
            DoKeyboardCommand(ui::VK_RETURN, modifierState() & ~2);
            return 0;
        }
        if (ch == 27 && original == 27) {
            // An open list folds up; the edit goes on.
            if (ComboListOpenOverEditor()) {
                CloseDropDown();
                return 0;
            }
            DoKeyboardCommand(ui::VK_ESCAPE, 0);
            return 0;
        }
        if (ch <= 0 || ch == 13 || ch == 27) return 0;
        return ui::Wm().DefSubclassProc(editor_.hwnd, message, static_cast<ui::WParam>(ch), lParam);
    }
    case ui::WM_LBUTTONDOWN:
    case ui::WM_RBUTTONDOWN:
    case ui::WM_MBUTTONDOWN:
    case ui::WM_LBUTTONUP:
    case ui::WM_RBUTTONUP:
    case ui::WM_MBUTTONUP:
    case ui::WM_MOUSEMOVE:
    case ui::WM_LBUTTONDBLCLK: {
        int32_t button = 0;
        DispId id = event_id::kTextEditMouseMove;
        switch (message) {
        case ui::WM_LBUTTONDOWN: button = 1, id = event_id::kTextEditMouseDown; break;
        case ui::WM_RBUTTONDOWN: button = 2, id = event_id::kTextEditMouseDown; break;
        case ui::WM_MBUTTONDOWN: button = 4, id = event_id::kTextEditMouseDown; break;
        case ui::WM_LBUTTONUP: button = 1, id = event_id::kTextEditMouseUp; break;
        case ui::WM_RBUTTONUP: button = 2, id = event_id::kTextEditMouseUp; break;
        case ui::WM_MBUTTONUP: button = 4, id = event_id::kTextEditMouseUp; break;
        case ui::WM_LBUTTONDBLCLK: button = 1, id = event_id::kTextEditDblClick; break;
        default:
            if (wParam & ui::MK_LBUTTON) button |= 1;
            if (wParam & ui::MK_RBUTTON) button |= 2;
            if (wParam & ui::MK_MBUTTON) button |= 4;
            break;
        }
        int32_t shift = 0;
        if (wParam & ui::MK_SHIFT) shift |= 1;
        if (wParam & ui::MK_CONTROL) shift |= 2;
        if (ui::Wm().GetKeyState(ui::VK_MENU) < 0) shift |= 4;
        const int32_t x = ui::GetXLParam(lParam), y = ui::GetYLParam(lParam);
        std::array<Variant, 6> a{Variant(row), Variant(col), Variant(static_cast<int16_t>(button)),
                                 Variant(static_cast<int16_t>(shift)), Variant(static_cast<float>(x)),
                                 Variant(static_cast<float>(y))};
        RaiseEvent(id, a);
        if (!editing_) return handled = true, 0;
        if (message == ui::WM_RBUTTONUP) {
            std::array<Variant, 5> m{Variant(kContextMenuTextEdit), Variant(row), Variant(col),
                                     Variant::byRef(Variant(false)), Variant::byRef(Variant(false))};
            RaiseEvent(event_id::kContextMenuPopupEvent, m);
            if (ToBool(m[3].deref()) || !editing_) return handled = true, 0;
        }
        return 0;
    }
    case ui::WM_KILLFOCUS: FocusLeftGrid(static_cast<ui::Hwnd>(wParam)); return 0;
    default: return 0;
    }
}

void Lattix::editorTextChanged() {
    if (!editing_) return;
    std::array<Variant, 2> a{Variant(editor_.row), Variant(editor_.col)};
    RaiseEvent(event_id::kTextEditChange, a);
    controls::EditBox* box = editing_ ? boxOf(editor_.hwnd) : nullptr;
    if (box == nullptr) return;
    // Text-with-list cells: the list follows the text and completes it.
    const std::string previous = editor_.previousText;
    editor_.previousText = box->Text();
    if (settingEditorFromList_) return;
    const AutoCompletion done = DropDownTextChanged(previous, editor_.previousText);
    if (!done.completed) return;
    // The completion counts as not typed: the next character typed over it adds to the typed text.
    const std::string typed = editor_.previousText;
    settingEditorFromList_ = true;
    SetTextEditText(done.text);
    box->SetSel(done.selStart, done.selStart + done.selLength);
    settingEditorFromList_ = false;
    editor_.previousText = typed;
}

// ---- TextEdit* properties ----

std::string Lattix::TextEditText() const {
    const controls::EditBox* box = editing_ ? boxOf(editor_.hwnd) : nullptr;
    return box ? box->Text() : std::string();
}

void Lattix::SetTextEditText(const std::string& s) {
    controls::EditBox* box = editing_ ? boxOf(editor_.hwnd) : nullptr;
    if (!box) return;
    box->SelectAll();
    box->ReplaceSel(s);
}

int32_t Lattix::TextEditSelStart() const {
    const controls::EditBox* box = editing_ ? boxOf(editor_.hwnd) : nullptr;
    return box ? box->SelStart() : 0;
}

void Lattix::SetTextEditSelStart(int32_t n) {
    if (n < 0) RaiseLattixError(lattix_error::kInvalidArgument);
    if (controls::EditBox* box = editing_ ? boxOf(editor_.hwnd) : nullptr) box->SetSel(n, n);
}

int32_t Lattix::TextEditSelLength() const {
    const controls::EditBox* box = editing_ ? boxOf(editor_.hwnd) : nullptr;
    return box ? box->SelEnd() - box->SelStart() : 0;
}

void Lattix::SetTextEditSelLength(int32_t n) {
    if (n < 0) RaiseLattixError(lattix_error::kInvalidArgument);
    if (controls::EditBox* box = editing_ ? boxOf(editor_.hwnd) : nullptr) {
        const int start = box->SelStart();
        box->SetSel(start, std::min(start + n, box->Length()));
    }
}

std::string Lattix::TextEditSelText() const {
    const controls::EditBox* box = editing_ ? boxOf(editor_.hwnd) : nullptr;
    return box ? box->SelText() : std::string();
}

void Lattix::SetTextEditSelText(const std::string& s) {
    if (controls::EditBox* box = editing_ ? boxOf(editor_.hwnd) : nullptr) box->ReplaceSel(s);
}

void Lattix::SetAllowGroupRowEditing(bool b) {
    allowGroupRowEditing_ = b;
    PropertyChanged("AllowGroupRowEditing");
}

void Lattix::SetSilentValidation(bool b) {
    silentValidation_ = b;
    PropertyChanged("SilentValidation");
}

} // namespace lattix
