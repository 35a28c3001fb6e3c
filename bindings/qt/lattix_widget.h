// bindings/qt: the grid as a widget of a Qt 6 program (liblattixwidget, target Lattix::widget). It
// may use the grid and the Qt desktop backend (platform/qt) below it; nothing in the library
// depends on it.
//
// LattixWidget: a Lattix grid as a Qt widget, to be put into any layout.
//
//     #include "bindings/qt/lattix_widget.h"
//     auto* table = new lattix::LattixWidget(parent);
//     table->grid()->AddCol({.sKey = "name", .sHeader = "Name"});
//
// The widget owns the grid's window on the window manager of the Qt desktop and shows what the grid
// paints; mouse, wheel, keyboard, focus and size go to the grid's window. A QApplication must exist
// before the first widget is made. Assistive technologies see the grid as a table of its cells
// (bindings/qt/lattix_widget_accessible.h); give the widget a name with setAccessibleName.
#pragma once

#include <memory>

#include "bindings/qt/grid_printer.h"
#include "platform/qt/window_surface.h"

// Qt's keyword macros (slots, signals, emit) would rewrite the grid's member names.
#pragma push_macro("slots")
#pragma push_macro("signals")
#pragma push_macro("emit")
#undef slots
#undef signals
#undef emit
#include "grid/lattix.h"
#pragma pop_macro("emit")
#pragma pop_macro("signals")
#pragma pop_macro("slots")

namespace lattix {

class GridAccessibilityEvents;

class LattixWidget : public ui::qt::WindowSurface {
public:
    // A new grid.
    explicit LattixWidget(QWidget* parent = nullptr);
    // Shows an existing grid (one that has no window yet); throws std::invalid_argument for null.
    explicit LattixWidget(std::shared_ptr<Lattix> grid, QWidget* parent = nullptr);
    ~LattixWidget() override;

    // The grid, for the C++ API and for Invoke by name or dispatch identifier.
    Lattix* grid() const { return grid_.get(); }
    const std::shared_ptr<Lattix>& sharedGrid() const { return grid_; }
    // The grid's window on the window manager.
    ui::Hwnd gridWindow() const { return gridWindow_; }

    // Prints the grid onto a printer or a PDF writer (see grid_printer.h) and returns the pages
    // printed; throws std::invalid_argument for a null device.
    int print(QPagedPaintDevice* device, const printing::PrintOptions& options = {});
    // Opens a print preview of the grid (modal) from which the user may print it.
    void printPreview(const printing::PrintOptions& options = {});

    ui::Hwnd focusTarget() const override { return gridWindow_; }
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    std::shared_ptr<Lattix> grid_;
    ui::Hwnd gridWindow_ = 0;
    std::unique_ptr<GridAccessibilityEvents> accessibility_;
};

} // namespace lattix
