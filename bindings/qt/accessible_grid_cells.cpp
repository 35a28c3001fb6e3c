#include "bindings/qt/accessible_grid_cells.h"

#include "bindings/qt/accessible_guard.h"
#include "bindings/qt/lattix_widget.h"
#include "bindings/qt/lattix_widget_accessible.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_manager.h"

namespace lattix {

bool ResolveGridCell(Lattix& grid, const LattixWidgetAccessible& table, int row, int column, GridCellPlace& place) {
    const VisibleCellMap* map = table.cellMap();
    if (map == nullptr) return false;
    const int32_t pos = map->RowPosition(row);
    const int32_t colIndex = map->ColIndex(column);
    if (pos == 0 || colIndex == 0) return false;
    place.row = pos;
    place.groupRow = grid.Row(pos).isGroup();
    place.colIndex = place.groupRow ? grid.RowTextCol() : colIndex;
    place.firstColumn = column == 0;
    return true;
}

QString ExpandActionName() { return QStringLiteral("expand"); }
QString CollapseActionName() { return QStringLiteral("collapse"); }

namespace {

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

// ---- data cells ----

GridCellAccessible::GridCellAccessible(LattixWidgetAccessible* table, int row, int column)
    : table_(table), row_(row), column_(column) {}

bool GridCellAccessible::Place(GridCellPlace& place) const {
    Lattix* grid = table_->grid();
    return grid != nullptr && Guarded(false, [&] { return ResolveGridCell(*grid, *table_, row_, column_, place); });
}

bool GridCellAccessible::isValid() const {
    GridCellPlace place;
    return Place(place);
}

QWindow* GridCellAccessible::window() const { return table_->window(); }

QAccessibleInterface* GridCellAccessible::parent() const { return table_; }

QAccessibleInterface* GridCellAccessible::OpenChild() const {
    QAccessibleInterface* open = table_->openEditor();
    if (open == nullptr) open = table_->openList();
    if (open == nullptr) return nullptr;
    QAccessibleInterface* current = table_->currentCell();
    return current == this ? open : nullptr;
}

QAccessibleInterface* GridCellAccessible::child(int index) const { return index == 0 ? OpenChild() : nullptr; }

int GridCellAccessible::childCount() const { return OpenChild() != nullptr ? 1 : 0; }

int GridCellAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return child != nullptr && child == OpenChild() ? 0 : -1;
}

QAccessibleInterface* GridCellAccessible::childAt(int x, int y) const {
    QAccessibleInterface* open = OpenChild();
    return open != nullptr && open->rect().contains(x, y) ? open : nullptr;
}

QString GridCellAccessible::text(QAccessible::Text t) const {
    GridCellPlace place;
    if (!Place(place)) return {};
    Lattix& grid = *table_->grid();
    return Guarded(QString(), [&] {
        switch (t) {
        case QAccessible::Name:
        case QAccessible::Value:
            if (place.groupRow && !place.firstColumn) return QString();
            return FromUtf8(grid.DisplayedText(place.row, place.colIndex));
        case QAccessible::Description: {
            // Rows of a tree say how deep they are; the expanded state is in the cell's state.
            const int32_t level = grid.RowLevel(place.row);
            if (level == 0 && !grid.RowHasChildren(place.row)) return QString();
            return QStringLiteral("level %1").arg(level + 1);
        }
        default: return QString();
        }
    });
}

void GridCellAccessible::setText(QAccessible::Text t, const QString& text) {
    GridCellPlace place;
    if (t != QAccessible::Value || !Place(place) || place.groupRow) return;
    Lattix& grid = *table_->grid();
    // Stored as typed text: converted, validated and reported like an edit.
    Guarded(0, [&] {
        if (!grid.Editable()) return 0;
        return grid.CommitTextToCell(place.row, place.colIndex, text.toStdString(), false);
    });
}

QRect GridCellAccessible::rect() const {
    GridCellPlace place;
    if (!Place(place)) return {};
    Lattix& grid = *table_->grid();
    return Guarded(QRect(), [&] { return table_->ScreenRectOfClient(grid.CellRectInWindow(place.row, place.colIndex)); });
}

QAccessible::State GridCellAccessible::state() const {
    QAccessible::State s;
    GridCellPlace place;
    if (!Place(place)) {
        s.invalid = true;
        return s;
    }
    Lattix& grid = *table_->grid();
    LattixWidget* widget = table_->gridWidget();
    Guarded(0, [&] {
        const CellRecord& cell = grid.Cell(place.row, place.colIndex);
        s.selectable = cell.selectable();
        s.selected = cell.selected();
        s.multiSelectable = grid.MultiSelect();
        s.focusable = true;
        const bool current = grid.CurRow() == place.row &&
                             (place.groupRow || grid.CurCol() == place.colIndex);
        s.focused = current && widget->hasFocus() && table_->openEditor() == nullptr && table_->openList() == nullptr;
        s.active = current;
        if (!place.groupRow && grid.CellCheckVisible(place.row, place.colIndex)) {
            s.checkable = true;
            const int32_t check = grid.CellCheckState(place.row, place.colIndex);
            s.checked = check == 1;
            s.checkStateMixed = check == 2;
        }
        if (grid.RowHasChildren(place.row)) {
            s.expandable = true;
            s.expanded = grid.RowExpanded(place.row);
            s.collapsed = !s.expanded;
        }
        s.editable = grid.Editable() && !place.groupRow && grid.CellType(place.row, place.colIndex) != 3;
        s.readOnly = !s.editable;
        // Cells scrolled out of the grid window are off the screen.
        const QRect box = rect();
        s.offscreen = !box.intersects(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
        return 0;
    });
    return s;
}

void* GridCellAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
    if (t == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

bool GridCellAccessible::isSelected() const { return state().selected; }

QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const {
    QAccessibleInterface* header = table_->headerCell(column_);
    return header != nullptr ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}

QAccessibleInterface* GridCellAccessible::table() const { return table_; }

QStringList GridCellAccessible::actionNames() const {
    QStringList names{pressAction(), setFocusAction()};
    const QAccessible::State s = state();
    if (s.checkable) names << toggleAction();
    if (s.expandable) names << (s.expanded ? CollapseActionName() : ExpandActionName());
    return names;
}

void GridCellAccessible::doAction(const QString& actionName) {
    GridCellPlace place;
    if (!Place(place)) return;
    Lattix& grid = *table_->grid();
    const int32_t column = table_->cellMap()->ColIndex(column_);
    Guarded(0, [&] {
        if (actionName == pressAction()) {
            DoubleClickText(place);
        } else if (actionName == setFocusAction()) {
            table_->gridWidget()->setFocus(Qt::OtherFocusReason);
            grid.UserMove(place.row, column, 0, Lattix::MoveInput::Keyboard);
        } else if (actionName == toggleAction()) {
            if (!place.groupRow && grid.CellCheckVisible(place.row, place.colIndex))
                grid.ToggleCellCheck(place.row, place.colIndex);
        } else if (actionName == ExpandActionName() || actionName == CollapseActionName()) {
            const bool wantExpanded = actionName == ExpandActionName();
            if (grid.RowHasChildren(place.row) && grid.RowExpanded(place.row) != wantExpanded)
                grid.ToggleRowExpandedByUser(place.row);
        }
        return 0;
    });
}

void GridCellAccessible::DoubleClickText(const GridCellPlace& place) {
    Lattix& grid = *table_->grid();
    LattixWidget* widget = table_->gridWidget();
    grid.EnsureVisibleCell(place.row, place.colIndex);
    // The text, not the cell's check box or tree button, is what a double click on a cell hits.
    gfx::Rect box = grid.CellTextRect(place.row, place.colIndex);
    if (box.isEmpty()) box = grid.CellRectInWindow(place.row, place.colIndex);
    ui::Point at{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    ui::WindowManager& wm = ui::Wm();
    if (!wm.ClientToScreen(widget->gridWindow(), at)) return;
    widget->syncWindowGeometry();
    for (int click = 0; click < 2; ++click) {
        wm.InjectMouseButton(ui::VK_LBUTTON, true, at);
        wm.InjectMouseButton(ui::VK_LBUTTON, false, at);
    }
}

QStringList GridCellAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName == toggleAction()) return {QStringLiteral("Space")};
    if (actionName == ExpandActionName()) return {QStringLiteral("+")};
    if (actionName == CollapseActionName()) return {QStringLiteral("-")};
    return {};
}

// ---- column header cells ----

GridHeaderCellAccessible::GridHeaderCellAccessible(LattixWidgetAccessible* table, int column)
    : table_(table), column_(column) {}

int32_t GridHeaderCellAccessible::ColIndex() const {
    if (table_->grid() == nullptr) return 0;
    return Guarded(0, [&] { return table_->cellMap()->ColIndex(column_); });
}

bool GridHeaderCellAccessible::isValid() const { return ColIndex() != 0; }

QWindow* GridHeaderCellAccessible::window() const { return table_->window(); }

QAccessibleInterface* GridHeaderCellAccessible::parent() const { return table_; }

QString GridHeaderCellAccessible::text(QAccessible::Text t) const {
    const int32_t col = ColIndex();
    if (col == 0) return {};
    Lattix& grid = *table_->grid();
    return Guarded(QString(), [&] {
        if (t == QAccessible::Name) return FromUtf8(grid.ColHeaderText(col));
        if (t == QAccessible::Description && grid.ColSortKey(col) > 0)
            return grid.ColSortOrder(col) == 1 ? QStringLiteral("sorted descending") : QStringLiteral("sorted ascending");
        return QString();
    });
}

QRect GridHeaderCellAccessible::rect() const {
    const int32_t col = ColIndex();
    if (col == 0) return {};
    Lattix& grid = *table_->grid();
    return Guarded(QRect(), [&] {
        const ColumnRecord& c = grid.Column(grid.PositionOfIndex(col));
        const int32_t left = c.left - grid.ScrollX();
        return table_->ScreenRectOfClient({left, 0, left + c.width, grid.CellsAreaTop()});
    });
}

QAccessible::State GridHeaderCellAccessible::state() const {
    QAccessible::State s;
    if (ColIndex() == 0) s.invalid = true;
    return s;
}

void* GridHeaderCellAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
    if (t == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QAccessibleInterface* GridHeaderCellAccessible::table() const { return table_; }

QStringList GridHeaderCellAccessible::actionNames() const {
    Lattix* grid = table_->grid();
    if (grid == nullptr || !grid->AllowSorting()) return {};
    return {pressAction()};
}

void GridHeaderCellAccessible::doAction(const QString& actionName) {
    const int32_t col = ColIndex();
    if (col == 0 || actionName != pressAction()) return;
    Lattix& grid = *table_->grid();
    // An error comes back as a text the header would show; there is nobody to show it to here.
    Guarded(std::string(), [&] { return grid.SortByHeaderClick(col, 0); });
}

} // namespace lattix
