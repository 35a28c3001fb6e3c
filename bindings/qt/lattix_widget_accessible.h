// A LattixWidget as assistive technologies see it (Qt's accessibility framework, which reaches
// AT-SPI on Linux): a table of the displayed rows and shown columns with a header row, its cells,
// the current cell as the focused child and, while they are open, the in-place editor and the
// drop-down list inside the current cell.
//
// The children are numbered like the cells of a table with a header row: the header cells first,
// then the cells row by row. Their interfaces are made when first asked for and kept until the
// table's shape changes (rows inserted, removed, shown, hidden, sorted) or the widget goes.
#pragma once

#include <QAccessibleWidget>
#include <QRect>

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "bindings/qt/visible_cell_map.h"

namespace lattix {

class Lattix;
class LattixWidget;
namespace gfx {
struct Rect;
}

// Gives every LattixWidget the interface below; called by the widget's constructor (once per
// process suffices, more calls do nothing). `widget` had an interface made for it while it was
// being built (as a plain widget): that one is dropped so the next query makes the table.
void InstallLattixWidgetAccessibility(LattixWidget* widget);
// The widget is going: its interface, if one was made, answers as an invalid one from now on.
void DetachLattixWidgetAccessibility(LattixWidget* widget);

class LattixWidgetAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit LattixWidgetAccessible(LattixWidget* widget);
    ~LattixWidgetAccessible() override;

    // ---- the interface ----
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // ---- the table ----
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int row) override;
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    // ---- for the cells, the editor and the events ----
    // The grid while the widget lives, else nullptr.
    Lattix* grid() const;
    LattixWidget* gridWidget() const { return widget_; }
    const VisibleCellMap* cellMap() const { return map_.get(); }
    QAccessibleInterface* headerCell(int column) const;
    // The editor or the drop-down list while one is open on the current cell, else nullptr.
    QAccessibleInterface* openEditor() const;
    QAccessibleInterface* openList() const;
    // The interface of the current cell, nullptr when there is none or it is not displayed.
    QAccessibleInterface* currentCell() const;
    // A rectangle of the grid window's client area (device pixels) on the screen, as Qt counts.
    QRect ScreenRectOfClient(const gfx::Rect& r) const;
    // A rectangle on the window manager's screen, as Qt counts.
    QRect ScreenRectOfWmScreen(const gfx::Rect& r) const;
    // Forgets every cell interface (the table's shape changed).
    void forgetChildren();
    // The widget is being destroyed: nothing is read from it or its grid any more.
    void detach();

private:
    QAccessibleInterface* cachedChild(int64_t key, int row, int column) const;

    LattixWidget* widget_;
    std::unique_ptr<VisibleCellMap> map_;
    mutable std::unordered_map<int64_t, QAccessible::Id> children_;
    mutable QAccessible::Id editorId_ = 0;
    mutable QAccessible::Id listId_ = 0;
};

} // namespace lattix
