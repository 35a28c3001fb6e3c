#include "bindings/qt/accessible_grid_editors.h"

#include "bindings/qt/accessible_guard.h"
#include "bindings/qt/lattix_widget.h"
#include "bindings/qt/lattix_widget_accessible.h"
#include "platform/controls/drop_down_list.h"
#include "platform/ui/window_manager.h"

namespace lattix {

namespace {

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString CurrentHeaderText(Lattix& grid) {
    return Guarded(QString(), [&] { return FromUtf8(grid.ColHeaderText(grid.CurCol())); });
}

} // namespace

// ---- the in-place editor ----

bool GridEditorAccessible::isValid() const {
    Lattix* grid = table_->grid();
    return grid != nullptr && grid->TextEditHwnd() != 0;
}

QWindow* GridEditorAccessible::window() const { return table_->window(); }

QAccessibleInterface* GridEditorAccessible::parent() const {
    QAccessibleInterface* cell = table_->currentCell();
    return cell != nullptr ? cell : table_;
}

QString GridEditorAccessible::Text() const {
    if (!isValid()) return {};
    Lattix& grid = *table_->grid();
    return Guarded(QString(), [&] { return FromUtf8(grid.TextEditText()); });
}

void GridEditorAccessible::SetText(const QString& text) {
    if (!isValid()) return;
    Lattix& grid = *table_->grid();
    Guarded(0, [&] {
        grid.SetTextEditText(text.toStdString());
        return 0;
    });
}

QString GridEditorAccessible::text(QAccessible::Text t) const {
    if (!isValid()) return {};
    if (t == QAccessible::Name) return CurrentHeaderText(*table_->grid());
    if (t == QAccessible::Value) return Text();
    return {};
}

void GridEditorAccessible::setText(QAccessible::Text t, const QString& text) {
    if (t == QAccessible::Value) SetText(text);
}

QRect GridEditorAccessible::rect() const {
    if (!isValid()) return {};
    return table_->ScreenRectOfWmScreen(ui::Wm().GetWindowRect(table_->grid()->TextEditHwnd()));
}

QAccessible::State GridEditorAccessible::state() const {
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.editable = true;
    s.focusable = true;
    s.focused = table_->gridWidget()->hasFocus() && table_->openList() == nullptr;
    s.selectableText = true;
    return s;
}

void* GridEditorAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
    return nullptr;
}

void GridEditorAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !isValid()) return;
    Lattix& grid = *table_->grid();
    Guarded(0, [&] {
        *startOffset = grid.TextEditSelStart();
        *endOffset = *startOffset + grid.TextEditSelLength();
        return 0;
    });
}

int GridEditorAccessible::selectionCount() const {
    int start = 0, end = 0;
    selection(0, &start, &end);
    return end > start ? 1 : 0;
}

void GridEditorAccessible::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void GridEditorAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) setCursorPosition(cursorPosition());
}

void GridEditorAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    const int count = characterCount();
    if (selectionIndex != 0 || startOffset < 0 || endOffset < startOffset || endOffset > count) return;
    Lattix& grid = *table_->grid();
    Guarded(0, [&] {
        grid.SetTextEditSelStart(startOffset);
        grid.SetTextEditSelLength(endOffset - startOffset);
        return 0;
    });
}

int GridEditorAccessible::cursorPosition() const {
    int start = 0, end = 0;
    selection(0, &start, &end);
    return end;
}

void GridEditorAccessible::setCursorPosition(int position) { setSelection(0, position, position); }

QString GridEditorAccessible::text(int startOffset, int endOffset) const {
    const QString all = Text();
    if (startOffset < 0 || endOffset < startOffset || endOffset > all.size()) return {};
    return all.mid(startOffset, endOffset - startOffset);
}

int GridEditorAccessible::characterCount() const { return static_cast<int>(Text().size()); }

QString GridEditorAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void GridEditorAccessible::deleteText(int startOffset, int endOffset) { replaceText(startOffset, endOffset, {}); }

void GridEditorAccessible::insertText(int offset, const QString& text) { replaceText(offset, offset, text); }

void GridEditorAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    QString all = Text();
    if (startOffset < 0 || endOffset < startOffset || endOffset > all.size()) return;
    all.replace(startOffset, endOffset - startOffset, text);
    SetText(all);
}

// ---- the drop-down list ----

GridDropDownAccessible::~GridDropDownAccessible() {
    for (QAccessible::Id id : items_)
        if (id != 0) QAccessible::deleteAccessibleInterface(id);
}

const controls::DropDownList* GridDropDownAccessible::Items() const {
    Lattix* grid = table_->grid();
    if (grid == nullptr || !grid->ComboDroppedDown()) return nullptr;
    const controls::DropDownList* list = controls::DropDownList::FromWindow(grid->DropDownWindow());
    return list != nullptr && list->IsOpen() ? list : nullptr;
}

int GridDropDownAccessible::Highlighted() const {
    Lattix* grid = table_->grid();
    return grid != nullptr ? grid->DropDownHighlighted() : -1;
}

bool GridDropDownAccessible::isValid() const { return Items() != nullptr; }

QWindow* GridDropDownAccessible::window() const { return table_->window(); }

QAccessibleInterface* GridDropDownAccessible::parent() const {
    QAccessibleInterface* cell = table_->currentCell();
    return cell != nullptr ? cell : table_;
}

int GridDropDownAccessible::childCount() const {
    const controls::DropDownList* list = Items();
    return list != nullptr ? list->Count() : 0;
}

QAccessibleInterface* GridDropDownAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    if (items_.size() <= static_cast<size_t>(index)) items_.resize(static_cast<size_t>(index) + 1, 0);
    QAccessible::Id& id = items_[static_cast<size_t>(index)];
    if (id == 0)
        id = QAccessible::registerAccessibleInterface(
            new GridListItemAccessible(const_cast<GridDropDownAccessible*>(this), index));
    return QAccessible::accessibleInterface(id);
}

int GridDropDownAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i] != 0 && QAccessible::accessibleInterface(items_[i]) == child) return static_cast<int>(i);
    return -1;
}

QAccessibleInterface* GridDropDownAccessible::childAt(int, int) const { return nullptr; }

QAccessibleInterface* GridDropDownAccessible::focusChild() const { return child(Highlighted()); }

QString GridDropDownAccessible::text(QAccessible::Text t) const {
    Lattix* grid = table_->grid();
    if (grid == nullptr || !isValid()) return {};
    return t == QAccessible::Name ? CurrentHeaderText(*grid) : QString();
}

QRect GridDropDownAccessible::rect() const {
    Lattix* grid = table_->grid();
    if (grid == nullptr || !isValid() || grid->DropDownWindow() == 0) return {};
    return table_->ScreenRectOfWmScreen(ui::Wm().GetWindowRect(grid->DropDownWindow()));
}

QAccessible::State GridDropDownAccessible::state() const {
    QAccessible::State s;
    if (!isValid()) s.invalid = true;
    s.focusable = true;
    return s;
}

// ---- the list's items ----

bool GridListItemAccessible::isValid() const { return index_ < list_->childCount(); }

QString GridListItemAccessible::text(QAccessible::Text t) const {
    const controls::DropDownList* list = list_->Items();
    if (t != QAccessible::Name || list == nullptr || index_ >= list->Count()) return {};
    return FromUtf8(list->Items()[static_cast<size_t>(index_)].text);
}

QRect GridListItemAccessible::rect() const {
    const controls::DropDownList* list = list_->Items();
    if (list == nullptr || index_ >= list->Count()) return {};
    // The item's place in the list window, which may be scrolled past it.
    ui::Rect box = list->ItemRect(index_);
    ui::Point origin{0, 0};
    ui::Wm().ClientToScreen(list->hwnd(), origin);
    return list_->tableInterface()->ScreenRectOfWmScreen(box.offsetBy(origin.x, origin.y));
}

QAccessible::State GridListItemAccessible::state() const {
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.selectable = true;
    s.focusable = true;
    const bool lit = list_->Highlighted() == index_;
    s.selected = lit;
    s.focused = lit && list_->tableInterface()->gridWidget()->hasFocus();
    return s;
}

} // namespace lattix
