#include "bindings/qt/print_preview.h"

#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <exception>

namespace lattix::printing {

bool ShowPrintPreview(Lattix& grid, const PrintOptions& options, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(options.orientation);
    QPrintPreviewDialog dialog(&printer, parent);
    bool printed = false;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        // The dialog's orientation choice wins over the options'.
        PrintOptions chosen = options;
        chosen.orientation = target->pageLayout().orientation();
        try {
            PrintGrid(grid, *target, chosen);
            printed = true;
        } catch (const std::exception& e) {
            QMessageBox::warning(&dialog, QStringLiteral("Print"), QString::fromUtf8(e.what()));
        }
    });
    return dialog.exec() == QDialog::Accepted && printed;
}

} // namespace lattix::printing
