// Printing a grid on paper or into a PDF file with Qt's paint devices (QPrinter, QPdfWriter).
//
//     lattix::printing::PrintOptions options;
//     options.title = "Weight classes";
//     QPdfWriter pdf("plan.pdf");
//     lattix::printing::PrintGrid(*table->grid(), pdf, options);
//
// Each page is drawn with QPainter as the grid looks on screen: cell backgrounds and hatches, grid
// lines, the text in the cell's font and colours (as text, so that it can be searched and copied),
// icons, check boxes, tree lines and buttons, and the column header bar. Rows and columns keep the
// sizes the grid gives them, scaled from the grid's screen resolution to the device's. Pages are
// drawn one at a time: what is kept in memory besides the device's own buffers is the list of rows
// and the page breaks.
#pragma once

#include <QPageLayout>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace lattix {
class Lattix;
}

namespace lattix::printing {

struct PrintOptions {
    // Every displayed row and shown column, or only the rows and columns that hold a selected cell.
    enum class Range { WholeGrid, Selection };
    // All columns shrunk to the page width (never enlarged), or columns at their size split over as
    // many pages side by side as they need.
    enum class Columns { FitToPageWidth, SplitOverPages };

    Range range = Range::WholeGrid;
    Columns columns = Columns::FitToPageWidth;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    bool repeatHeader = true;        // the header bar on every page (else on the first of each column band)
    bool repeatFrozenColumns = true; // the frozen columns at the left of every column band
    bool pageNumbers = true;         // "Page n of m" at the foot of each page
    QString title;                   // a line at the top of each page; empty for none
    bool omitEmptyTrailingRows = false; // leave out the rows at the end that show no text at all
};

// The pages of one grid laid out for one page size: a caller that puts grids into a report of its
// own lays them out with this class and draws the pages between its other pages.
class GridPages {
public:
    // pageRect: the printable area in device pixels; dpi: the device's resolution; firstPageTop:
    // room kept free at the top of the first page (device pixels) for the caller's own block. The
    // grid's rows and columns are read now; the grid must not change until the pages are drawn.
    // Throws std::invalid_argument for an empty area or a resolution below 1.
    GridPages(Lattix& grid, const PrintOptions& options, const QRectF& pageRect, double dpi, double firstPageTop = 0);
    ~GridPages();
    GridPages(const GridPages&) = delete;
    GridPages& operator=(const GridPages&) = delete;

    int pageCount() const;
    // Draws page `index` (0-based) with its title line and, when pageNumber > 0, "Page pageNumber of
    // pageTotal" at its foot. Throws std::out_of_range for a page that does not exist.
    void drawPage(QPainter& painter, int index, int pageNumber, int pageTotal);

    // The layout, for callers and tests: points per grid pixel, rows per page, column bands.
    double scale() const;
    int rowsOnPage(int index) const;
    int columnBandCount() const;

private:
    struct Layout;
    std::unique_ptr<Layout> layout_;
};

// Prints the grid with the options onto the device (its page layout takes the orientation) and
// returns the number of pages. The grid's structure is locked while it prints: event handlers it
// raises (dynamic text, colours and icons) cannot add or remove rows or columns. Throws
// std::runtime_error when the device cannot be painted on; a grid with nothing to print gives one
// page with the title and the header bar.
int PrintGrid(Lattix& grid, QPagedPaintDevice& device, const PrintOptions& options = {});

} // namespace lattix::printing
