// The cells of a LattixWidget's accessible table: a data cell (its displayed text, selection, check
// box, tree state and actions) and a column header cell (its text, sort state and the sort it
// starts). A cell stands for a displayed row and a shown column, not for a row of the grid: it
// answers for whatever the user sees there when asked.
#pragma once

#include <QAccessibleInterface>

#include <cstdint>

namespace lattix {

class Lattix;
class LattixWidgetAccessible;

// Where a table cell is in the grid: a row position and a column index. A group row is one cell
// across the row, its row text; its first column speaks for it.
struct GridCellPlace {
    int32_t row = 0;
    int32_t colIndex = 0;
    bool groupRow = false;
    bool firstColumn = false; // the group row's text is read from its first column only
};

// Resolves displayed row `row` and shown column `column`; false when they name no cell.
bool ResolveGridCell(Lattix& grid, const LattixWidgetAccessible& table, int row, int column, GridCellPlace& place);

// The names of the actions beyond Qt's own.
QString ExpandActionName();
QString CollapseActionName();

class GridCellAccessible : public QAccessibleInterface,
                           public QAccessibleTableCellInterface,
                           public QAccessibleActionInterface {
public:
    GridCellAccessible(LattixWidgetAccessible* table, int row, int column);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

    // Press: what a double click on the cell's text does; toggle: the check box; expand and
    // collapse: a tree row; set focus: the cell becomes the current cell.
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    bool Place(GridCellPlace& place) const;
    // The editor or the list open on this cell, else nullptr.
    QAccessibleInterface* OpenChild() const;
    void DoubleClickText(const GridCellPlace& place);

    LattixWidgetAccessible* table_;
    int row_, column_;
};

class GridHeaderCellAccessible : public QAccessibleInterface,
                                 public QAccessibleTableCellInterface,
                                 public QAccessibleActionInterface {
public:
    GridHeaderCellAccessible(LattixWidgetAccessible* table, int column);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    // Name: the header text; description: the sort state ("sorted ascending", "sorted descending").
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return -1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

    // Press: the sort a click on the header starts.
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    int32_t ColIndex() const;

    LattixWidgetAccessible* table_;
    int column_;
};

} // namespace lattix
