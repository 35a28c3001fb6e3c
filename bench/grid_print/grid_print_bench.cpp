// Figures of printing a grid into a PDF file: 100,000 rows x 10 columns of numbers and texts, on A4
// with the header bar and page numbers on every page (offscreen unless a display is chosen). Prints
// the pages, the seconds, the file size and the peak memory of the process before and after, which
// shows that pages are drawn one at a time (the target: under 20 s).
#include <QApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../bench_timing.h"
#include "bindings/qt/grid_printer.h"
#include "bindings/qt/lattix_widget.h"

using namespace lattix;

namespace {

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // An optional first argument: another number of rows, for profiling (other arguments, such as
    // the options scripts/bench.sh hands every benchmark, are left alone).
    const bool rowsGiven = argc > 1 && std::isdigit(static_cast<unsigned char>(argv[1][0]));
    const int kRows = rowsGiven ? std::max(1, std::atoi(argv[1])) : 100000;
    constexpr int kCols = 10;
    QApplication app(argc, argv);
    auto grid = Lattix::Create();
    for (int c = 1; c <= kCols; ++c)
        grid->AddCol({.sKey = "c" + std::to_string(c), .sHeader = "Column " + std::to_string(c), .lWidth = 70});
    grid->SetRowCount(kRows);
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kCols; ++c) {
            if (c % 2) grid->SetCellValue(Variant(r), Variant(c), Variant(r * 10.0 + c + 0.25));
            else grid->SetCellValue(Variant(r), Variant(c), Variant("item " + std::to_string(r * kCols + c)));
        }
    const double before = PeakMegabytes();

    QTemporaryDir dir;
    const QString file = dir.filePath("bench.pdf");
    int pages = 0;
    const double ms = bench_timing::millis([&] {
        QPdfWriter pdf(file);
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                      QPageLayout::Millimeter));
        printing::PrintOptions options;
        options.title = "Benchmark grid";
        pages = printing::PrintGrid(*grid, pdf, options);
    });
    const double after = PeakMegabytes();
    std::printf("print %d rows x %d columns to PDF: %d pages in %.2f s (CPU %.2f s), %.1f MB file\n", kRows, kCols,
                pages, ms / 1000.0, bench_timing::cpuMs / 1000.0,
                static_cast<double>(QFileInfo(file).size()) / (1024.0 * 1024.0));
    std::printf("peak memory: %.1f MB with the grid filled, %.1f MB after printing (+%.1f MB)\n", before, after,
                after - before);
    return 0;
}
