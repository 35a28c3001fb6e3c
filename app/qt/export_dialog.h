// The file dialog of "Export...": where to save the two result grids, as a workbook or as CSV files.
#pragma once

#include <QFileDialog>

#include "app/forms/export_results.h"

namespace avigram {

class ExportDialog : public QFileDialog {
public:
    static constexpr const char* kWorkbookFilter = "Workbook (*.xlsx)";
    static constexpr const char* kCsvFilter = "CSV files (*.csv)";

    explicit ExportDialog(QWidget* parent);

    // The format of the filter chosen in the dialog.
    ExportFormat chosenFormat() const;
    // The file the export is to write (the first of the two CSV files).
    QString chosenPath() const;

    // A name typed without an extension gets the chosen filter's before the dialog asks whether an
    // existing file may be replaced, so that the question is about the file that will be written.
    void accept() override;
};

} // namespace avigram
