// Drop-down lists of list cells (lxCellCombo) and text-with-list cells (lxCellTextCombo).
//
// One list window serves the grid: it is filled from the current cell's list when that list opens
// over the cell and hidden again when it closes. While it is open the grid (or the cell's text
// editor) keeps the focus and hands its keys here. For one opening the grid raises either the commit
// events (BeforeCommitEdit, then AfterCommitEdit or CancelEdit) or CancelEdit alone, never both: a
// choice hides the list before the window can report its close.
#include <algorithm>
#include <array>

#include "grid/lattix.h"
#include "grid/model/cell_enums.h"
#include "grid/objects/cell_object.h"
#include "grid/objects/combo_objects.h"
#include "grid/ops/text_compare.h"
#include "platform/controls/drop_down_list.h"
#include "platform/gfx/text_draw.h"
#include "platform/ui/window_internals.h"
#include "runtime/conversions.h"

namespace lattix {

namespace {
constexpr DispId kBeforeCommitEditEvent = 2;
constexpr DispId kCancelEditEvent = 3;
constexpr DispId kRequestEditEvent = 61;
constexpr int32_t kEditResCancel = 0, kEditResCommit = 1, kEditResProceed = 2;
constexpr int32_t kMinItemHeight = 15;

int32_t typeOf(const CellRecord& c) { return c.typeBits & cell_bits::kTypeMask; }

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return FoldCase(text).starts_with(FoldCase(prefix));
}

// The text without its last UTF-8 character.
std::string DropLastCharacter(const std::string& s) {
    size_t n = s.size();
    while (n > 0 && (static_cast<unsigned char>(s[n - 1]) & 0xC0) == 0x80) --n;
    return s.substr(0, n > 0 ? n - 1 : 0);
}

std::string Utf8Of(int32_t code) {
    std::string out;
    const auto c = static_cast<uint32_t>(code);
    if (c < 0x80) out += static_cast<char>(c);
    else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

controls::DropDownList* ListWindow(ui::Hwnd hwnd) { return controls::DropDownList::FromWindow(hwnd); }
} // namespace

// ---- measuring ----

void Lattix::MeasureComboItem(ComboList& list, ComboItem& item) {
    const std::shared_ptr<const gfx::Font> font = GfxFontOf(list.font ? *list.font : *font_);
    const gfx::TextLayout t = gfx::layoutText(*font, item.text, {0, 0, 1 << 20, 1 << 20},
                                              gfx::DT_SINGLELINE | gfx::DT_NOPREFIX | gfx::DT_LEFT | gfx::DT_TOP);
    item.textWidth = t.maxWidth;
    item.textHeight = t.lineHeight;
    const gfx::Size icon = item.icon >= 1 && list.images ? gfx::iconSizeAtDpi(*list.images, system_.dpiX) : gfx::Size{};
    if (icon.cx > 0 || icon.cy > 0) {
        item.itemHeight = std::max(item.textHeight, icon.cy) + 2;
        item.itemWidth = icon.cx + item.textWidth + 8;
    } else {
        item.itemHeight = item.textHeight + 2;
        item.itemWidth = item.textWidth + 4;
    }
    item.itemHeight = std::max(item.itemHeight, kMinItemHeight);
    list.itemHeight = std::max(list.itemHeight, item.itemHeight);
}

void Lattix::RemeasureComboList(ComboList& list) {
    list.itemHeight = kMinItemHeight;
    for (ComboItem& item : list.items) MeasureComboItem(list, item);
    list.dropHeight = std::min<int32_t>(static_cast<int32_t>(list.items.size()), list.maxHeightInItems) * list.itemHeight + 2;
}

int32_t Lattix::DropDownScrollBarWidth() const { return ui::internals::ScrollBarThicknessMetric(); }

void Lattix::ComboListChanged(int16_t slot, bool repaintCells) {
    if (ComboList* list = comboLists_.list(slot))
        list->dropHeight = std::min<int32_t>(static_cast<int32_t>(list->items.size()), list->maxHeightInItems) * list->itemHeight + 2;
    if (comboDroppedDown_ && droppedSlot_ == slot) fillDropDown();
    if (repaintCells && hwnd_ != 0 && beginUpdateCount_ == 0) InvalidateView();
}

int32_t Lattix::ComboItemIndexOfText(int32_t slot, const std::string& text) const {
    const ComboList* list = comboLists_.list(slot);
    if (list == nullptr) return -1;
    const std::string folded = FoldCase(text);
    for (size_t i = 0; i < list->items.size(); ++i)
        if (FoldCase(list->items[i].text) == folded) return static_cast<int32_t>(i);
    return -1;
}

// ---- removing a list ----

void Lattix::ComboListRemoving(int16_t slot) {
    if (slot == 0) return;
    if (comboDroppedDown_ && droppedSlot_ == slot) {
        // The cell's edit ends before its list goes: a list cell is cancelled, a text-with-list
        // cell only loses its list.
        if (editing_ && droppedIsListCell_) CancelListEdit();
        else CloseDropDown();
    }
    // No cell may keep the number: a later list takes the slot again.
    for (int32_t s = 1; s <= cells_.constructedSlots(); ++s)
        for (int32_t c = 1; c <= cells_.columns(); ++c) {
            CellRecord& cell = cells_.at(c, s);
            if (cell.looks().comboIndex == slot) {
                cell.editLooks([&](CellLooks& l) { l.comboIndex = 0; });
                cell.comboListIndex = -1;
                cell.markChanged();
            }
        }
    for (size_t p = 1; p < cols_.size(); ++p) {
        if (cols_[p].defaultCell.looks().comboIndex == slot) {
            cols_[p].defaultCell.editLooks([&](CellLooks& l) { l.comboIndex = 0; });
            cols_[p].defaultCell.comboListIndex = -1;
        }
        if (cols_[p].defaultCellObject) cols_[p].defaultCellObject->ComboListRemoved(slot);
    }
    if (hwnd_ != 0 && beginUpdateCount_ == 0) InvalidateView();
}

// ---- the list window ----

void Lattix::destroyDropDown() {
    const ui::Hwnd hwnd = dropDownHwnd_;
    dropDownHwnd_ = 0;
    comboDroppedDown_ = false;
    if (hwnd != 0 && ui::Wm().IsWindow(hwnd)) ui::Wm().DestroyWindow(hwnd);
}

void Lattix::fillDropDown() {
    controls::DropDownList* w = ListWindow(dropDownHwnd_);
    const ComboList* list = comboLists_.list(droppedSlot_);
    if (w == nullptr || list == nullptr) return;
    std::vector<controls::DropDownItem> items;
    items.reserve(list->items.size());
    for (const ComboItem& it : list->items) items.push_back({it.text, it.icon >= 1 ? it.icon - 1 : -1});
    const int keep = w->Highlighted();
    w->SetItems(std::move(items));
    w->SetItemHeight(list->itemHeight);
    w->SetFont(GfxFontOf(list->font ? *list->font : *font_));
    w->SetImageList(list->images, list->images ? gfx::iconSizeAtDpi(*list->images, system_.dpiX) : gfx::Size{});
    w->SetHighlighted(keep);
    // The list draws in the grid's look: themed while visual styles are in effect.
    w->SetThemed(XPStylesInEffect());
}

bool Lattix::DropDownCurCellList(int32_t charCode) {
    if (comboDroppedDown_ || hwnd_ == 0 || !validCell(curRow_, curCol_)) return false;
    CellRecord& cell = Cell(curRow_, curCol_);
    const int32_t type = typeOf(cell);
    ComboList* list = cell_type::IsComboType(type) ? comboLists_.list(cell.looks().comboIndex) : nullptr;
    if (list == nullptr) return false;
    ui::WindowManager& wm = ui::Wm();
    if (!wm.IsWindow(dropDownHwnd_)) {
        dropDownHwnd_ = controls::DropDownList::Create(hwnd_);
        controls::DropDownList* created = ListWindow(dropDownHwnd_);
        if (created == nullptr) return false;
        std::weak_ptr<AutomationObject> self = weak_from_this();
        created->SetListener([self](const controls::DropDownEvent& e) {
            if (auto g = self.lock()) static_cast<Lattix&>(*g).dropDownNotified(e.kind, e.index, e.byMouse);
        });
    }
    controls::DropDownList* w = ListWindow(dropDownHwnd_);
    droppedSlot_ = cell.looks().comboIndex;
    droppedRow_ = curRow_;
    droppedCol_ = curCol_;
    droppedIsListCell_ = type == cell_type::kCombo;
    RemeasureComboList(*list);
    fillDropDown();

    // The item lit at first.
    comboSearch_.clear();
    int32_t lit = -1;
    if (droppedIsListCell_) {
        lit = cell.comboListIndex;
        if (charCode > 32) {
            const std::string typed = Utf8Of(charCode);
            for (size_t i = 0; i < list->items.size(); ++i)
                if (StartsWithNoCase(list->items[i].text, typed)) {
                    lit = static_cast<int32_t>(i);
                    comboSearch_ = typed;
                    break;
                }
        }
    } else {
        lit = ComboItemIndexOfText(droppedSlot_, ToString(cell.value()));
    }
    w->SetHighlighted(lit);

    if (droppedIsListCell_) editing_ = true;
    SetComboDroppedDown(true); // the cell's combo button is drawn pressed

    // Placement over the cell, on the screen area around it.
    gfx::Rect cellRect = CellRectInWindow(curRow_, curCol_);
    ui::Point topLeft{cellRect.left, cellRect.top};
    wm.ClientToScreen(hwnd_, topLeft);
    cellRect = gfx::rectOfSize(topLeft.x, topLeft.y, cellRect.width(), cellRect.height());
    gfx::Rect area = wm.GetPrimaryScreenRect();
    if (wm.GetMonitors().size() > 1) {
        ui::MonitorInfo info;
        if (wm.GetMonitorInfo(wm.MonitorFromRect(cellRect, ui::MONITOR_DEFAULTTONEAREST), info)) area = info.monitor;
    }
    gfx::Rect place = DropDownPlacement(cellRect, area, list->width, list->dropHeight, list->itemHeight);
    w->Show(place, wm.GetFocus() != 0 ? wm.GetFocus() : hwnd_);
    return true;
}

gfx::Rect Lattix::DropDownPlacement(const gfx::Rect& cell, const gfx::Rect& area, int32_t width, int32_t height,
                                    int32_t itemHeight) {
    int32_t w = width >= 1 ? width : cell.width();
    w = std::min(w, area.width());
    int32_t left = cell.left;
    if (left + w > area.right) left = area.right - w;
    if (left < area.left) left = area.left;
    const int32_t below = area.bottom - cell.bottom;
    const int32_t above = cell.top - 1 - area.top;
    if (height <= below) return gfx::rectOfSize(left, cell.bottom, w, height);
    if (height <= above) return gfx::rectOfSize(left, cell.top - 1 - height, w, height);
    // Neither side holds it all: the roomier side, cut to whole items.
    const bool up = above >= below;
    const int32_t room = up ? above : below;
    const int32_t step = std::max(1, itemHeight);
    const int32_t h = std::max(0, (room - 2) / step) * step + 2;
    return up ? gfx::rectOfSize(left, cell.top - 1 - h, w, h) : gfx::rectOfSize(left, cell.bottom, w, h);
}

void Lattix::CloseDropDown() {
    if (!comboDroppedDown_) return;
    comboDroppedDown_ = false;
    comboSearch_.clear();
    if (controls::DropDownList* w = ListWindow(dropDownHwnd_)) w->Hide();
    if (validCell(droppedRow_, droppedCol_)) {
        Cell(droppedRow_, droppedCol_).markChanged();
        RedrawRow(droppedRow_);
    }
}

void Lattix::CancelListEdit() {
    if (!comboDroppedDown_ && !(editing_ && droppedIsListCell_)) return;
    const bool wasEditing = editing_ && droppedIsListCell_;
    if (droppedIsListCell_) editing_ = false;
    CloseDropDown();
    if (wasEditing) {
        std::array<Variant, 2> a{Variant(curRow_), Variant(curCol_)};
        RaiseEvent(kCancelEditEvent, a);
    }
}

void Lattix::dropDownNotified(int kind, int index, bool byMouse) {
    switch (kind) {
    case controls::DropDownEvent::Chosen: chooseComboItem(index); break;
    case controls::DropDownEvent::Closed:
        // The window closed by itself (Escape, a press elsewhere, focus loss): no choice.
        if (!comboDroppedDown_) break;
        if (droppedIsListCell_) CancelListEdit();
        else CloseDropDown();
        break;
    case controls::DropDownEvent::HighlightChanged:
        if (byMouse) comboSearch_.clear();
        if (!droppedIsListCell_) listHighlightChangedInTextCell(index);
        break;
    default: break;
    }
}

void Lattix::chooseComboItem(int32_t index) {
    const ComboList* list = comboLists_.list(droppedSlot_);
    if (!comboDroppedDown_ || list == nullptr || index < 0 || static_cast<size_t>(index) >= list->items.size()) return;
    const ComboItem item = list->items[static_cast<size_t>(index)];
    const bool listCell = droppedIsListCell_;
    if (!editing_) {
        CloseDropDown();
        return;
    }
    // A list cell takes the item's value (an object stays the same object), a text-with-list cell
    // its text.
    const int32_t row = curRow_, col = curCol_;
    Variant newValue = listCell ? (item.hasValue() ? item.value : Variant()) : Variant(item.text);
    std::array<Variant, 8> a{Variant(row),
                             Variant(col),
                             Variant::byRef(Variant(kEditResCommit)),
                             Variant(item.text),
                             Variant::byRef(std::move(newValue)),
                             Variant(int32_t{0}),
                             Variant(false),
                             Variant(index)};
    RaiseEvent(kBeforeCommitEditEvent, a);
    int32_t result = kEditResCancel;
    if (const Variant& r = a[2].deref(); r.isNumeric()) result = ToInt32(r);
    // A result the grid does not know counts as Cancel.
    if (result != kEditResCommit && result != kEditResProceed) result = kEditResCancel;
    CloseDropDown();
    if (listCell) editing_ = false;
    else closeTextEditorAfterChoice();
    if (hwnd_ != 0 && ui::Wm().GetFocus() != hwnd_) ui::Wm().SetFocus(hwnd_);
    if (result == kEditResCancel) {
        std::array<Variant, 2> c{Variant(row), Variant(col)};
        RaiseEvent(kCancelEditEvent, c);
        return;
    }
    // Proceeding is not offered here: the edit ends without storing.
    if (result == kEditResProceed || !validCell(row, col)) return;
    CellRecord& cell = Cell(row, col);
    Variant old = cell.value();
    cell.setValue(a[4].deref());
    cell.comboListIndex = index;
    cell.editLooks([&](CellLooks& l) { l.icon = item.icon; });
    cell.markChanged();
    RedrawRow(row);
    GroupedCellChanged(row, col);
    std::array<Variant, 3> after{Variant(row), Variant(col), std::move(old)};
    RaiseEvent(event_id::kAfterCommitEdit, after);
}

// ---- ending a list cell's edit by a keyboard command ----

bool Lattix::EndListCellEditByKey(int32_t keyCode) {
    if (!ListCellBeingEdited()) return true;
    if (keyCode == ui::VK_RETURN || (keyCode == ui::VK_TAB && UseTabKey())) {
        const int32_t lit = DropDownHighlighted();
        if (lit >= 0) chooseComboItem(lit);
        else CancelListEdit();
        return true;
    }
    if (keyCode == ui::VK_ESCAPE) {
        CancelEditCurCell();
        return true;
    }
    return false;
}

void Lattix::StoreTextComboIndex(int32_t row, int32_t colIndex, int32_t listIndex) {
    if (!validCell(row, colIndex)) return;
    CellRecord& cell = Cell(row, colIndex);
    const ComboList* list = comboLists_.list(cell.looks().comboIndex);
    if (list == nullptr) return;
    const bool known = listIndex >= 0 && static_cast<size_t>(listIndex) < list->items.size();
    cell.comboListIndex = known ? listIndex : -1;
    cell.editLooks([&](CellLooks& l) { l.icon = known ? list->items[static_cast<size_t>(listIndex)].icon : int16_t{0}; });
    cell.markChanged();
    RedrawRow(row);
}

// ---- messages of the grid window while a list is open ----

bool Lattix::handleDropDownMessage(ui::MessageId message, ui::WParam wParam, ui::LParam lParam) {
    (void)lParam;
    switch (message) {
    case ui::WM_KEYDOWN:
    case ui::WM_SYSKEYDOWN:
        swallowCharAfterList_ = false;
        if (!comboDroppedDown_ || !droppedIsListCell_) return false;
        // While a list cell is edited every key is the list's (Tab takes the lit item and moves on);
        // one that closes it also owns the character of the same press.
        if (wParam == ui::VK_TAB && UseTabKey())
            DoKeyboardCommand(ui::VK_TAB, static_cast<int32_t>(ui::Wm().ModifierState()));
        else DropDownKey(static_cast<int32_t>(wParam), static_cast<int32_t>(ui::Wm().ModifierState()));
        if (!comboDroppedDown_) swallowCharAfterList_ = true;
        return true;
    case ui::WM_CHAR:
    case ui::WM_SYSCHAR:
        if (comboDroppedDown_ && droppedIsListCell_) {
            DropDownChar(static_cast<int32_t>(wParam));
            return true;
        }
        if (swallowCharAfterList_) {
            swallowCharAfterList_ = false;
            return true;
        }
        return false;
    default: return false;
    }
}

// ---- keys and search ----

bool Lattix::DropDownKey(int32_t keyCode, int32_t shift) {
    controls::DropDownList* w = ListWindow(dropDownHwnd_);
    if (!comboDroppedDown_ || w == nullptr) return false;
    switch (keyCode) {
    case ui::VK_UP:
    case ui::VK_DOWN:
        if ((shift & ui::kModAlt) != 0) {
            // Alt+Up and Alt+Down fold the list up again, as F4 does.
            if (droppedIsListCell_) CancelListEdit();
            else CloseDropDown();
            return true;
        }
        if ((shift & ui::kModCtrl) != 0) {
            searchStep(keyCode == ui::VK_DOWN ? 1 : -1);
            return true;
        }
        [[fallthrough]];
    case ui::VK_LEFT:
    case ui::VK_RIGHT:
    case ui::VK_HOME:
    case ui::VK_END:
    case ui::VK_PRIOR:
    case ui::VK_NEXT:
        comboSearch_.clear();
        return w->HandleKey(static_cast<ui::VirtualKey>(keyCode), static_cast<unsigned>(shift));
    case ui::VK_F4:
        if (droppedIsListCell_) CancelListEdit();
        else CloseDropDown();
        return true;
    case ui::VK_RETURN:
    case ui::VK_ESCAPE:
        // Enter takes the lit item (none lit: the list closes), Escape closes without one.
        return w->HandleKey(static_cast<ui::VirtualKey>(keyCode), static_cast<unsigned>(shift));
    default: return false;
    }
}

bool Lattix::DropDownChar(int32_t charCode) {
    if (!comboDroppedDown_ || !droppedIsListCell_) return false;
    if (charCode == 8) {
        if (comboSearch_.empty()) return true;
        const std::string shorter = DropLastCharacter(comboSearch_);
        if (shorter.empty()) comboSearch_.clear(); // the highlight stays
        else searchFor(shorter);
        return true;
    }
    if (charCode < 32) return true; // Enter and Escape act as keys
    searchFor(comboSearch_ + Utf8Of(charCode));
    return true;
}

void Lattix::searchFor(const std::string& candidate) {
    const ComboList* list = comboLists_.list(droppedSlot_);
    controls::DropDownList* w = ListWindow(dropDownHwnd_);
    if (list == nullptr || w == nullptr) return;
    for (size_t i = 0; i < list->items.size(); ++i)
        if (StartsWithNoCase(list->items[i].text, candidate)) {
            comboSearch_ = candidate;
            w->SetHighlighted(static_cast<int>(i), true);
            return;
        }
}

void Lattix::searchStep(int direction) {
    const ComboList* list = comboLists_.list(droppedSlot_);
    controls::DropDownList* w = ListWindow(dropDownHwnd_);
    if (list == nullptr || w == nullptr) return;
    const int32_t n = static_cast<int32_t>(list->items.size());
    for (int32_t i = w->Highlighted() + direction; i >= 0 && i < n; i += direction)
        if (StartsWithNoCase(list->items[static_cast<size_t>(i)].text, comboSearch_)) {
            w->SetHighlighted(i, true);
            return;
        }
}

void Lattix::SearchStringFindStartsWith(const std::string& s, bool bSet) { searchMatching(s, bSet, false); }

void Lattix::SearchStringFindEqualsTo(const std::string& s, bool bSet) { searchMatching(s, bSet, true); }

void Lattix::searchMatching(const std::string& s, bool bSet, bool equals) {
    controls::DropDownList* w = ListWindow(dropDownHwnd_);
    const ComboList* list = comboLists_.list(droppedSlot_);
    if (w == nullptr || list == nullptr) return;
    if (!s.empty()) {
        const std::string folded = FoldCase(s);
        for (size_t i = 0; i < list->items.size(); ++i) {
            const std::string text = FoldCase(list->items[i].text);
            if (equals ? text == folded : text.starts_with(folded)) {
                if (bSet) comboSearch_ = s;
                w->SetHighlighted(static_cast<int>(i), false);
                return;
            }
        }
    }
    comboSearch_.clear();
    w->SetHighlighted(-1, false);
}

int32_t Lattix::DropDownHighlighted() const {
    const controls::DropDownList* w = ListWindow(dropDownHwnd_);
    return w != nullptr && comboDroppedDown_ ? w->Highlighted() : -1;
}

// ---- text-with-list cells ----

Lattix::AutoCompletion Lattix::DropDownTextChanged(const std::string& previous, const std::string& text) {
    AutoCompletion out;
    if (!validCell(curRow_, curCol_)) return out;
    const CellRecord& cell = Cell(curRow_, curCol_);
    const ComboList* list = typeOf(cell) == cell_type::kTextCombo ? comboLists_.list(cell.looks().comboIndex) : nullptr;
    if (list == nullptr || !list->autoExpand) return out;
    int32_t match = -1;
    if (!text.empty())
        for (size_t i = 0; i < list->items.size(); ++i)
            if (StartsWithNoCase(list->items[i].text, text)) {
                match = static_cast<int32_t>(i);
                break;
            }
    if (comboDroppedDown_ && droppedSlot_ == cell.looks().comboIndex)
        if (controls::DropDownList* w = ListWindow(dropDownHwnd_)) w->SetHighlighted(match, false);
    // Exactly one character added at the end: complete it, the added part selected.
    const bool oneAdded = text.size() > previous.size() && text.starts_with(previous) &&
                          DropLastCharacter(text) == previous;
    if (match < 0 || !oneAdded) return out;
    const std::string& full = list->items[static_cast<size_t>(match)].text;
    if (full.size() <= text.size()) return out;
    out.completed = true;
    // The typed part keeps the user's case; the rest comes from the item.
    out.text = text + full.substr(text.size());
    out.selStart = Utf8Length(text);
    out.selLength = Utf8Length(out.text) - out.selStart;
    return out;
}

// The text editor's side of a text-with-list cell: a choice closes the editor, a new highlight
// shows in it.
void Lattix::closeTextEditorAfterChoice() { closeEditor(); }

void Lattix::listHighlightChangedInTextCell(int32_t index) {
    const ComboList* list = comboLists_.list(droppedSlot_);
    if (!editing_ || list == nullptr || index < 0 || static_cast<size_t>(index) >= list->items.size()) return;
    const std::string text = list->items[static_cast<size_t>(index)].text;
    settingEditorFromList_ = true;
    SetTextEditText(text);
    SetTextEditSelStart(0);
    SetTextEditSelLength(Utf8Length(text));
    settingEditorFromList_ = false;
}

int32_t Lattix::Utf8Length(const std::string& s) {
    int32_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

} // namespace lattix
