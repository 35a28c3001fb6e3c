#include "app/qt/export_dialog.h"

namespace avigram {

ExportDialog::ExportDialog(QWidget* parent) : QFileDialog(parent, QStringLiteral("Export")) {
    setObjectName("ExportDialog");
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setNameFilters({QString::fromLatin1(kWorkbookFilter), QString::fromLatin1(kCsvFilter)});
}

ExportFormat ExportDialog::chosenFormat() const {
    return selectedNameFilter() == QLatin1String(kCsvFilter) ? ExportFormat::Csv : ExportFormat::Workbook;
}

QString ExportDialog::chosenPath() const {
    const QStringList files = selectedFiles();
    if (files.isEmpty()) return {};
    return QString::fromStdString(ExportFilePath(files.first().toStdString(), chosenFormat()));
}

void ExportDialog::accept() {
    setDefaultSuffix(QString::fromLatin1(ExportExtension(chosenFormat()) + 1));
    QFileDialog::accept();
}

} // namespace avigram
