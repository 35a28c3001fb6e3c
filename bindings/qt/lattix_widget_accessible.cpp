#include "bindings/qt/lattix_widget_accessible.h"

#include <QAccessible>

#include <climits>
#include <cmath>
#include <map>
#include <mutex>

#include "bindings/qt/accessible_grid_cells.h"
#include "bindings/qt/accessible_grid_editors.h"
#include "bindings/qt/accessible_guard.h"
#include "bindings/qt/lattix_widget.h"
#include "grid/objects/sel_items_object.h"
#include "platform/qt/qt_backend.h"
#include "platform/ui/window_manager.h"

namespace lattix {

namespace {

QAccessibleInterface* MakeInterface(const QString&, QObject* object) {
    // The widget has no meta object of its own: Qt asks under its nearest Qt class name.
    if (auto* widget = dynamic_cast<LattixWidget*>(object)) return new LattixWidgetAccessible(widget);
    return nullptr;
}

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Child keys: the header row is row -1.
// The interfaces made, by widget, so that a widget being destroyed can tell its own.
std::unordered_map<const LattixWidget*, LattixWidgetAccessible*>& Made() {
    static std::unordered_map<const LattixWidget*, LattixWidgetAccessible*> made;
    return made;
}

int64_t KeyOf(int row, int column) { return (static_cast<int64_t>(row) + 1) << 32 | static_cast<uint32_t>(column); }

} // namespace

void InstallLattixWidgetAccessibility(LattixWidget* widget) {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(&MakeInterface); });
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    if (iface != nullptr && dynamic_cast<LattixWidgetAccessible*>(iface) == nullptr)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

void DetachLattixWidgetAccessibility(LattixWidget* widget) {
    auto found = Made().find(widget);
    if (found != Made().end()) found->second->detach();
}

LattixWidgetAccessible::LattixWidgetAccessible(LattixWidget* widget)
    : QAccessibleWidget(widget, QAccessible::Table), widget_(widget), map_(std::make_unique<VisibleCellMap>(*widget->grid())) {
    Made()[widget] = this;
}

LattixWidgetAccessible::~LattixWidgetAccessible() { detach(); }

void LattixWidgetAccessible::detach() {
    forgetChildren();
    for (QAccessible::Id* id : {&editorId_, &listId_}) {
        if (*id != 0) QAccessible::deleteAccessibleInterface(*id);
        *id = 0;
    }
    if (widget_ != nullptr) {
        auto found = Made().find(widget_);
        if (found != Made().end() && found->second == this) Made().erase(found);
    }
    widget_ = nullptr;
}

Lattix* LattixWidgetAccessible::grid() const { return widget_ != nullptr ? widget_->grid() : nullptr; }

// ---- the interface ----

QAccessible::State LattixWidgetAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    if (Lattix* g = grid()) s.multiSelectable = g->MultiSelect();
    return s;
}

QString LattixWidgetAccessible::text(QAccessible::Text t) const {
    QString s = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && s.isEmpty() && widget_ != nullptr) s = widget_->toolTip();
    return s;
}

int LattixWidgetAccessible::childCount() const {
    const int64_t columns = columnCount();
    return static_cast<int>(std::min<int64_t>(INT_MAX, columns + columns * rowCount()));
}

QAccessibleInterface* LattixWidgetAccessible::child(int index) const {
    const int columns = columnCount();
    if (index < 0 || columns == 0) return nullptr;
    if (index < columns) return headerCell(index);
    return cellAt(index / columns - 1, index % columns);
}

int LattixWidgetAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const int columns = columnCount();
    if (auto* header = dynamic_cast<const GridHeaderCellAccessible*>(child))
        return header->table() == this && header->columnIndex() < columns ? header->columnIndex() : -1;
    if (auto* cell = dynamic_cast<const GridCellAccessible*>(child)) {
        if (cell->table() != this || cell->rowIndex() >= rowCount() || cell->columnIndex() >= columns) return -1;
        const int64_t index = static_cast<int64_t>(cell->rowIndex() + 1) * columns + cell->columnIndex();
        return index <= INT_MAX ? static_cast<int>(index) : -1;
    }
    return -1;
}

QAccessibleInterface* LattixWidgetAccessible::childAt(int x, int y) const {
    Lattix* g = grid();
    if (g == nullptr) return nullptr;
    return Guarded<QAccessibleInterface*>(nullptr, [&]() -> QAccessibleInterface* {
        // The point in the grid window's client area (device pixels).
        const double ratio = ui::qt::DevicePixelRatio();
        const QPoint local = widget_->mapFromGlobal(QPoint(x, y));
        ui::Point origin{0, 0};
        ui::Wm().ClientToScreen(widget_->gridWindow(), origin);
        const ui::Rect frame = ui::Wm().GetWindowRect(widget_->topLevel());
        const int cx = static_cast<int>(std::lround(local.x() * ratio)) - (origin.x - frame.left);
        const int cy = static_cast<int>(std::lround(local.y() * ratio)) - (origin.y - frame.top);
        if (cy < 0) return nullptr;
        if (cy < g->CellsAreaTop()) {
            for (int column = 0; column < columnCount(); ++column) {
                const ColumnRecord& c = g->Column(g->PositionOfIndex(map_->ColIndex(column)));
                const int left = c.left - g->ScrollX();
                if (c.laidOut && cx >= left && cx < left + c.width) return headerCell(column);
            }
            return nullptr;
        }
        const Lattix::CellHit hit = g->CellAtWindowPoint(cx, cy);
        const int row = map_->RowOf(hit.row);
        if (row < 0) return nullptr;
        const int column = g->Row(hit.row).isGroup() ? 0 : map_->ColOf(hit.col);
        return column >= 0 ? cellAt(row, column) : nullptr;
    });
}

QAccessibleInterface* LattixWidgetAccessible::focusChild() const {
    if (QAccessibleInterface* editor = openEditor()) return editor;
    if (QAccessibleInterface* list = openList()) {
        QAccessibleInterface* item = list->focusChild();
        return item != nullptr ? item : list;
    }
    return currentCell();
}

void* LattixWidgetAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

// ---- the table ----

int LattixWidgetAccessible::rowCount() const { return grid() != nullptr ? map_->RowCount() : 0; }

int LattixWidgetAccessible::columnCount() const { return grid() != nullptr ? map_->ColCount() : 0; }

QAccessibleInterface* LattixWidgetAccessible::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return nullptr;
    return cachedChild(KeyOf(row, column), row, column);
}

QAccessibleInterface* LattixWidgetAccessible::headerCell(int column) const {
    if (column < 0 || column >= columnCount()) return nullptr;
    return cachedChild(KeyOf(-1, column), -1, column);
}

QAccessibleInterface* LattixWidgetAccessible::cachedChild(int64_t key, int row, int column) const {
    auto found = children_.find(key);
    if (found != children_.end()) return QAccessible::accessibleInterface(found->second);
    auto* self = const_cast<LattixWidgetAccessible*>(this);
    QAccessibleInterface* iface = row < 0 ? static_cast<QAccessibleInterface*>(new GridHeaderCellAccessible(self, column))
                                          : new GridCellAccessible(self, row, column);
    children_.emplace(key, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

void LattixWidgetAccessible::forgetChildren() {
    auto children = std::move(children_);
    children_.clear();
    for (const auto& [key, id] : children) QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* LattixWidgetAccessible::currentCell() const {
    Lattix* g = grid();
    if (g == nullptr) return nullptr;
    return Guarded<QAccessibleInterface*>(nullptr, [&]() -> QAccessibleInterface* {
        const int row = map_->RowOf(g->CurRow());
        if (row < 0) return nullptr;
        int column = map_->ColOf(g->CurCol());
        if (column < 0 && g->Row(g->CurRow()).isGroup()) column = 0;
        return column >= 0 ? cellAt(row, column) : nullptr;
    });
}

QAccessibleInterface* LattixWidgetAccessible::openEditor() const {
    Lattix* g = grid();
    if (g == nullptr || g->TextEditHwnd() == 0) return nullptr;
    if (editorId_ == 0)
        editorId_ = QAccessible::registerAccessibleInterface(
            new GridEditorAccessible(const_cast<LattixWidgetAccessible*>(this)));
    return QAccessible::accessibleInterface(editorId_);
}

QAccessibleInterface* LattixWidgetAccessible::openList() const {
    Lattix* g = grid();
    if (g == nullptr || !g->ComboDroppedDown()) return nullptr;
    if (listId_ == 0)
        listId_ = QAccessible::registerAccessibleInterface(
            new GridDropDownAccessible(const_cast<LattixWidgetAccessible*>(this)));
    return QAccessible::accessibleInterface(listId_);
}

namespace {

// Calls f(row, column) for every selected cell the user sees; in row mode a selected row is all of
// its cells.
template <class F> void ForEachSelectedCell(Lattix& g, const VisibleCellMap& map, F&& f) {
    const int columns = map.ColCount();
    for (const TSelItemInfo& item : g.SelItems()->GetArray()) {
        const int row = map.RowOf(item.Row);
        if (row < 0) continue;
        if (g.RowMode() || g.Row(item.Row).isGroup()) {
            for (int column = 0; column < columns; ++column) f(row, column);
            continue;
        }
        const int column = map.ColOf(item.Col);
        if (column >= 0) f(row, column);
    }
}

} // namespace

int LattixWidgetAccessible::selectedCellCount() const {
    Lattix* g = grid();
    if (g == nullptr) return 0;
    return Guarded(0, [&] {
        int count = 0;
        ForEachSelectedCell(*g, *map_, [&](int, int) { ++count; });
        return count;
    });
}

QList<QAccessibleInterface*> LattixWidgetAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    if (Lattix* g = grid())
        Guarded(0, [&] {
            ForEachSelectedCell(*g, *map_, [&](int row, int column) { cells.append(cellAt(row, column)); });
            return 0;
        });
    return cells;
}

QList<int> LattixWidgetAccessible::selectedRows() const {
    QList<int> rows;
    Lattix* g = grid();
    if (g == nullptr) return rows;
    Guarded(0, [&] {
        std::map<int, int> perRow;
        ForEachSelectedCell(*g, *map_, [&](int row, int) { ++perRow[row]; });
        for (const auto& [row, count] : perRow)
            if (count >= columnCount()) rows.append(row);
        return 0;
    });
    return rows;
}

int LattixWidgetAccessible::selectedRowCount() const { return static_cast<int>(selectedRows().size()); }

bool LattixWidgetAccessible::isRowSelected(int row) const {
    Lattix* g = grid();
    if (g == nullptr || row < 0 || row >= rowCount() || columnCount() == 0) return false;
    return Guarded(false, [&] {
        for (int column = 0; column < columnCount(); ++column) {
            GridCellPlace place;
            if (!ResolveGridCell(*g, *this, row, column, place) || !g->Cell(place.row, place.colIndex).selected())
                return false;
        }
        return true;
    });
}

namespace {

bool SelectRowCells(Lattix& g, const LattixWidgetAccessible& table, int row, bool select) {
    if (row < 0 || row >= table.rowCount()) return false;
    return Guarded(false, [&] {
        for (int column = 0; column < table.columnCount(); ++column) {
            GridCellPlace place;
            if (ResolveGridCell(g, table, row, column, place)) g.SetCellSelected(place.row, place.colIndex, select);
        }
        return true;
    });
}

} // namespace

bool LattixWidgetAccessible::selectRow(int row) {
    Lattix* g = grid();
    return g != nullptr && g->MultiSelect() && SelectRowCells(*g, *this, row, true);
}

bool LattixWidgetAccessible::unselectRow(int row) {
    Lattix* g = grid();
    return g != nullptr && SelectRowCells(*g, *this, row, false);
}

QString LattixWidgetAccessible::columnDescription(int column) const {
    QAccessibleInterface* header = headerCell(column);
    return header != nullptr ? header->text(QAccessible::Name) : QString();
}

QString LattixWidgetAccessible::rowDescription(int row) const {
    Lattix* g = grid();
    if (g == nullptr) return {};
    // A row's own text, drawn under its cells, describes it.
    return Guarded(QString(), [&] {
        const int32_t pos = map_->RowPosition(row);
        if (pos == 0 || !g->RowHasRowText(pos)) return QString();
        return FromUtf8(g->DisplayedText(pos, g->RowTextCol()));
    });
}

void LattixWidgetAccessible::modelChange(QAccessibleTableModelChangeEvent*) { forgetChildren(); }

// ---- geometry ----

QRect LattixWidgetAccessible::ScreenRectOfWmScreen(const gfx::Rect& r) const {
    if (widget_ == nullptr) return {};
    // The widget's top-left corner is its window's on the window manager's screen, which counts
    // device pixels.
    const ui::Rect frame = ui::Wm().GetWindowRect(widget_->topLevel());
    const double ratio = ui::qt::DevicePixelRatio();
    auto logical = [ratio](int v) { return static_cast<int>(std::lround(v / ratio)); };
    const QPoint origin = widget_->mapToGlobal(QPoint(0, 0));
    return QRect(origin.x() + logical(r.left - frame.left), origin.y() + logical(r.top - frame.top),
                 logical(r.width()), logical(r.height()));
}

QRect LattixWidgetAccessible::ScreenRectOfClient(const gfx::Rect& r) const {
    if (widget_ == nullptr) return {};
    ui::Point origin{0, 0};
    ui::Wm().ClientToScreen(widget_->gridWindow(), origin);
    return ScreenRectOfWmScreen(r.offsetBy(origin.x, origin.y));
}

} // namespace lattix
