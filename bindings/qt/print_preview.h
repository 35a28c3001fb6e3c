// A print preview of a grid, from which the user prints it.
#pragma once

#include "bindings/qt/grid_printer.h"

class QWidget;

namespace lattix::printing {

// Shows the pages of the grid as PrintGrid would print them with the options in Qt's print
// preview dialog (modal), with the printer's own choices of paper and orientation. Returns whether
// the user printed. An error of the printing is shown in a message box, never passed on.
bool ShowPrintPreview(Lattix& grid, const PrintOptions& options, QWidget* parent = nullptr);

} // namespace lattix::printing
