// Printing grids into PDF files (QPdfWriter, offscreen), read back with poppler's pdftotext and
// pdfinfo and rendered with pdftoppm.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPageLayout>
#include <QPageSize>
#include <QApplication>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <span>
#include <memory>
#include <stdexcept>
#include <string>

#include "bindings/qt/grid_printer.h"
#include "bindings/qt/lattix_widget.h"
#include "runtime/automation_error.h"
#include "grid/objects/header_object.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/image_list.h"
#include "tests/qt/qt_test_support.h"

namespace lattix {
namespace {

using printing::PrintOptions;

QString RunTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        throw std::runtime_error((program + " failed: " + QString::fromUtf8(p.readAllStandardError())).toStdString());
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPages(const QString& file) {
    const QString info = RunTool("pdfinfo", {file});
    for (const QString& line : info.split('\n'))
        if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
    return -1;
}

QString PdfText(const QString& file, int page) {
    return RunTool("pdftotext", {"-layout", "-f", QString::number(page), "-l", QString::number(page), file, "-"});
}

class GridPrinterTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        widget_ = std::make_unique<LattixWidget>();
        widget_->resize(600, 400);
    }

    Lattix& grid() { return *widget_->grid(); }

    // rows x cols cells, each holding "r<row>c<col>"; headers "Head <col>".
    void Fill(int rows, int cols, int width = 80) {
        for (int c = 1; c <= cols; ++c)
            grid().AddCol({.sKey = "c" + std::to_string(c), .sHeader = "Head " + std::to_string(c), .lWidth = width});
        grid().SetRowCount(rows);
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= cols; ++c)
                grid().SetCellValue(Variant(r), Variant(c), Variant("r" + std::to_string(r) + "c" + std::to_string(c)));
    }

    // A4 with 10 mm margins at 300 dpi.
    QString Print(const PrintOptions& options, int* pages = nullptr, const char* name = "grid.pdf") {
        const QString file = dir_.filePath(name);
        QPdfWriter pdf(file);
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                      QPageLayout::Millimeter));
        const int n = widget_->print(&pdf, options);
        if (pages) *pages = n;
        return file;
    }

    // Rows a page holds by the page's height in points, as the options imply: the title line takes
    // 20 pt, the page numbers 18 pt, the header bar and the rows their screen size at 72/96 pt per pixel.
    int RowsPerPage(double pageHeightPt, bool title, bool numbers) const {
        const double k = 72.0 / 96.0;
        const double room = pageHeightPt - (title ? 20 : 0) - (numbers ? 18 : 0) - widget_->grid()->Header()->Height() * k;
        return static_cast<int>(std::floor(room / (widget_->grid()->DefaultRowHeight() * k) + 1e-9));
    }

    QTemporaryDir dir_;
    std::unique_ptr<LattixWidget> widget_;
};

constexpr double kMmToPt = 72.0 / 25.4;

TEST_F(GridPrinterTest, PageCountOfAThousandRowsFollowsTheOptions) {
    Fill(1000, 4);
    PrintOptions options;
    options.title = "Thousand rows";
    int pages = 0;
    const QString portrait = Print(options, &pages, "portrait.pdf");
    const int perPage = RowsPerPage((297 - 20) * kMmToPt, true, true);
    ASSERT_GT(perPage, 10);
    EXPECT_EQ(pages, (1000 + perPage - 1) / perPage);
    EXPECT_EQ(PdfPages(portrait), pages);

    options.orientation = QPageLayout::Landscape;
    const QString landscape = Print(options, &pages, "landscape.pdf");
    const int perLandscapePage = RowsPerPage((210 - 20) * kMmToPt, true, true);
    EXPECT_EQ(pages, (1000 + perLandscapePage - 1) / perLandscapePage);
    EXPECT_EQ(PdfPages(landscape), pages);

    // Without a title and page numbers, more rows fit.
    options.orientation = QPageLayout::Portrait;
    options.title.clear();
    options.pageNumbers = false;
    Print(options, &pages, "bare.pdf");
    const int perBarePage = RowsPerPage((297 - 20) * kMmToPt, false, false);
    EXPECT_GT(perBarePage, perPage);
    EXPECT_EQ(pages, (1000 + perBarePage - 1) / perBarePage);
}

TEST_F(GridPrinterTest, HeaderAndTitleRepeatOnEveryPageOnlyWhenAsked) {
    Fill(300, 3);
    PrintOptions options;
    options.title = "Weight classes";
    int pages = 0;
    const QString file = Print(options, &pages);
    ASSERT_GE(pages, 3);
    for (int page = 1; page <= pages; ++page) {
        const QString text = PdfText(file, page);
        for (const char* head : {"Head 1", "Head 2", "Head 3"}) EXPECT_TRUE(text.contains(head)) << "page " << page;
        EXPECT_TRUE(text.contains("Weight classes")) << "page " << page;
        EXPECT_TRUE(text.contains(QString("Page %1 of %2").arg(page).arg(pages))) << "page " << page;
    }
    options.repeatHeader = false;
    const QString once = Print(options, &pages, "once.pdf");
    EXPECT_TRUE(PdfText(once, 1).contains("Head 2"));
    EXPECT_FALSE(PdfText(once, 2).contains("Head 2"));
}

TEST_F(GridPrinterTest, EveryCellTextOfTheFirstPageIsTextInThePdf) {
    Fill(200, 5);
    grid().SetCellValue(Variant(3), Variant(2), Variant(1234.5));
    grid().SetCellFmtString(Variant(3), Variant(2), "#,##0.00");
    const std::string shown = grid().CellText(Variant(3), Variant(2));
    printing::GridPages layout(grid(), {}, QRectF(0, 0, 2244, 3272), 300);
    const int firstRows = layout.rowsOnPage(0);
    const QString file = Print({});
    const QString text = PdfText(file, 1);
    ASSERT_GT(firstRows, 20);
    for (int r = 1; r <= firstRows; ++r)
        for (int c = 1; c <= 5; ++c)
            EXPECT_TRUE(text.contains(QString::fromStdString(grid().CellText(Variant(r), Variant(c)))))
                << "row " << r << " column " << c;
    EXPECT_TRUE(text.contains(QString::fromStdString(shown))) << shown;
    // The next row is the first of page 2.
    const QString next = QString("r%1c1").arg(firstRows + 1);
    EXPECT_FALSE(text.contains(next + " "));
    EXPECT_TRUE(PdfText(file, 2).contains(next));
}

TEST_F(GridPrinterTest, SplitColumnsRepeatTheFrozenColumnsOnEveryColumnPage) {
    Fill(40, 12, 200);
    grid().SetFrozenCols(1);
    PrintOptions options;
    options.columns = PrintOptions::Columns::SplitOverPages;
    int pages = 0;
    const QString file = Print(options, &pages);
    // 190 mm of width: the frozen column (150 pt) and two more of 150 pt on each page.
    const double width = (210 - 20) * kMmToPt;
    const int perBand = static_cast<int>((width - 150) / 150);
    const int bands = (11 + perBand - 1) / perBand;
    EXPECT_EQ(pages, bands);
    for (int page = 1; page <= pages; ++page) {
        const QString text = PdfText(file, page);
        EXPECT_TRUE(text.contains("Head 1")) << "page " << page;
        EXPECT_TRUE(text.contains("r40c1")) << "page " << page;
    }
    const QString second = PdfText(file, 2);
    EXPECT_TRUE(second.contains(QString("Head %1").arg(2 + perBand)));
    EXPECT_FALSE(second.contains("Head 2 "));

    // Fitted to the page width, all columns share one page.
    options.columns = PrintOptions::Columns::FitToPageWidth;
    const QString fitted = Print(options, &pages, "fitted.pdf");
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(PdfText(fitted, 1).contains("r40c12"));
}

TEST_F(GridPrinterTest, SelectionPrintsOnlyItsRowsAndColumns) {
    Fill(100, 5);
    grid().SetMultiSelect(true);
    for (int r = 50; r <= 52; ++r)
        for (int c = 2; c <= 3; ++c) grid().SetCellSelected(Variant(r), Variant(c), true);
    PrintOptions options;
    options.range = PrintOptions::Range::Selection;
    int pages = 0;
    const QString file = Print(options, &pages);
    EXPECT_EQ(pages, 1);
    const QString text = PdfText(file, 1);
    for (const char* cell : {"r50c2", "r50c3", "r51c2", "r52c3", "Head 2", "Head 3"}) EXPECT_TRUE(text.contains(cell)) << cell;
    for (const char* cell : {"r49c2", "r53c2", "r50c1", "r50c4", "Head 1"}) EXPECT_FALSE(text.contains(cell)) << cell;
}

TEST_F(GridPrinterTest, TreeRowsPrintAsShownAndCollapsedOnesNot) {
    grid().AddCol({.sKey = "name", .sHeader = "Name", .lWidth = 160});
    grid().SetTreeLines(1);
    const int32_t top = grid().AddRow({.sKey = "top", .eTreeButton = 2});
    grid().SetCellValue(Variant(top), Variant(1), Variant("Parent row"));
    const int32_t child = grid().AddRow({.sKey = "", .vRowParent = Variant(top)});
    grid().SetCellValue(Variant(child), Variant(1), Variant("Child row"));
    const int32_t closed = grid().AddRow({.sKey = "closed", .eTreeButton = 2});
    grid().SetCellValue(Variant(closed), Variant(1), Variant("Closed row"));
    const int32_t hidden = grid().AddRow({.sKey = "", .vRowParent = Variant(closed)});
    grid().SetCellValue(Variant(hidden), Variant(1), Variant("Hidden child"));
    grid().SetRowExpanded(Variant(closed), false);
    // A group row shows its text across the columns.
    const int32_t group = grid().AddRow({.sKey = "", .bGroupRow = true});
    grid().SetCellValue(Variant(group), Variant(grid().RowTextCol()), Variant("Group row"));
    const QString text = PdfText(Print({}), 1);
    for (const char* shown : {"Parent row", "Child row", "Closed row", "Group row"})
        EXPECT_TRUE(text.contains(shown)) << shown;
    EXPECT_FALSE(text.contains("Hidden child"));
}

// The page as a user sees it: colours, hatches, check boxes, icons and fonts reach the paper.
TEST_F(GridPrinterTest, CellLooksReachThePage) {
    Fill(30, 4, 110);
    auto icons = std::make_shared<gfx::ImageList>(16, 16);
    gfx::Bitmap green(16, 16, gfx::pixelOf(gfx::rgb(0, 160, 0)));
    icons->add(green);
    grid().RegisterImageList(icons);
    grid().SetCellBackColor(Variant(2), Variant(1), 0x0000FF); // red
    grid().SetCellBackColor(Variant(4), Variant(2), 0xFF0000); // blue, hatched
    grid().SetCellHatch(Variant(4), Variant(2), 5);
    grid().SetCellForeColor(Variant(6), Variant(3), 0x008000);
    grid().SetCellFont(Variant(6), Variant(3), grid().FontClone({.bBold = Variant(true), .cSize = Variant(12.0)}));
    grid().SetCellCheckVisible(Variant(8), Variant(1), true);
    grid().SetCellCheckState(Variant(8), Variant(1), 1);
    grid().SetCellImageList(Variant(10), Variant(2), 1);
    grid().SetCellIcon(Variant(10), Variant(2), 1);
    grid().SetCellAlignH(Variant(12), Variant(4), 2);
    PrintOptions options;
    options.title = "Cell looks";
    const QString file = Print(options);
    const QString png = dir_.filePath("page");
    RunTool("pdftoppm", {"-png", "-r", "96", "-f", "1", "-l", "1", "-singlefile", file, png});
    const QImage page(png + ".png");
    ASSERT_FALSE(page.isNull());
    auto count = [&](auto match) {
        int n = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (match(page.pixelColor(x, y))) ++n;
        return n;
    };
    // A cell's worth of red; blue hatch lines (less than a full cell); the green icon.
    EXPECT_GT(count([](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }), 500);
    // Thin lines come out blended with white: bluish rather than pure blue.
    const int blue = count([](QColor c) { return c.blue() > 200 && c.blue() - c.red() > 60 && c.blue() - c.green() > 60; });
    EXPECT_GT(blue, 30);
    EXPECT_LT(blue, 1200);
    EXPECT_GT(count([](QColor c) { return c.green() > 140 && c.red() < 40 && c.blue() < 40; }), 150);
    const QString text = PdfText(file, 1);
    EXPECT_TRUE(text.contains("r6c3"));
    EXPECT_TRUE(text.contains("r12c4"));
    // A picture of the page for the eye (kept in the build tree).
    QDir().mkpath(PRINT_PICTURE_DIR);
    page.save(QString(PRINT_PICTURE_DIR) + "/printed_page.png");
}

// Paper is finer than a screen: an icon prints from the larger pictures a host gave its list, the
// smallest that covers the printed size (the largest when none does), rather than the screen's own.
TEST_F(GridPrinterTest, IconsPrintFromTheLargerPicturesGiven) {
    Fill(6, 2, 110);
    auto icons = std::make_shared<gfx::ImageList>(16, 16);
    icons->add(gfx::Bitmap(16, 16, gfx::pixelOf(gfx::rgb(0, 160, 0))));       // green on screen
    icons->add(gfx::Bitmap(16, 16, gfx::pixelOf(gfx::rgb(0, 160, 0))));
    icons->addLargerStrip(gfx::Bitmap(24, 24, gfx::pixelOf(gfx::rgb(200, 0, 200))), 0); // 1.5x: purple
    icons->addLargerStrip(gfx::Bitmap(64, 32, gfx::pixelOf(gfx::rgb(0, 0, 220))), 0);   // 2x: blue
    grid().RegisterImageList(icons);
    for (int32_t icon : {1, 2}) {
        grid().SetCellImageList(Variant(2 * icon), Variant(2), 1);
        grid().SetCellIcon(Variant(2 * icon), Variant(2), icon);
    }
    struct Colours {
        int blue = 0, green = 0, purple = 0;
    };
    // The first page printed at `dpi`, rendered at 96 dpi: the icons at their screen size.
    auto printAt = [&](int dpi) {
        const QString file = dir_.filePath(QStringLiteral("icons%1.pdf").arg(dpi));
        {
            QPdfWriter pdf(file);
            pdf.setResolution(dpi);
            widget_->print(&pdf, {});
        }
        const QString png = dir_.filePath(QStringLiteral("icons%1").arg(dpi));
        RunTool("pdftoppm", {"-png", "-r", "96", "-f", "1", "-l", "1", "-singlefile", file, png});
        const QImage page(png + ".png");
        Colours n;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                n.blue += c.blue() > 180 && c.red() < 40 && c.green() < 40;
                n.green += c.green() > 140 && c.red() < 40 && c.blue() < 40;
                n.purple += c.red() > 160 && c.blue() > 160 && c.green() < 40;
            }
        return n;
    };
    // 300 dpi: a 16 pixel icon takes 50 device pixels, more than any picture given: both icons
    // from the 2x strip.
    const Colours fine = printAt(300);
    EXPECT_GT(fine.blue, 2 * 200);
    EXPECT_LT(fine.blue, 2 * 16 * 16 + 100);
    EXPECT_EQ(fine.green, 0);
    EXPECT_EQ(fine.purple, 0);
    // 110 dpi: 18 device pixels; the 1.5x picture covers that for the first icon, while the second
    // has none at 1.5x and takes the 2x one.
    const Colours coarse = printAt(110);
    EXPECT_GT(coarse.purple, 200);
    EXPECT_LT(coarse.purple, 16 * 16 + 50);
    EXPECT_GT(coarse.blue, 200);
    EXPECT_LT(coarse.blue, 16 * 16 + 50);
    EXPECT_EQ(coarse.green, 0);
}

// Event handlers raised while printing (dynamic text here) may not change the grid's structure: the
// change is refused and the pages come out whole.
TEST_F(GridPrinterTest, HandlersCannotRemoveRowsWhilePrinting) {
    Fill(60, 2);
    grid().SetDynamicContentEvents(4);
    int refused = 0;
    grid().events()->connect([&](const EventInfo& e, std::span<Variant> args) {
        if (e.name != "CellDynamicText") return;
        try {
            grid().RemoveRow(Variant(1));
        } catch (const AutomationError&) {
            ++refused;
        }
        (void)args;
    });
    int pages = 0;
    const QString file = Print({}, &pages);
    EXPECT_GT(refused, 0);
    EXPECT_EQ(grid().RowCount(), 60);
    EXPECT_TRUE(PdfText(file, pages).contains("r60c2"));
}

// Rows at the end that show nothing may be left out; empty rows between others stay.
TEST_F(GridPrinterTest, EmptyTrailingRowsCanBeLeftOut) {
    Fill(10, 2);
    grid().SetRowCount(400);
    grid().SetCellValue(Variant(5), Variant(1), Variant(""));
    grid().SetCellValue(Variant(5), Variant(2), Variant(""));
    PrintOptions options;
    int pages = 0;
    Print(options, &pages, "all.pdf");
    EXPECT_GT(pages, 1);
    options.omitEmptyTrailingRows = true;
    const QRectF a4(0, 0, 2244, 3272);
    printing::GridPages trimmed(grid(), options, a4, 300);
    EXPECT_EQ(trimmed.pageCount(), 1);
    EXPECT_EQ(trimmed.rowsOnPage(0), 10);
}

// The preview shows the pages PrintGrid prints.
TEST_F(GridPrinterTest, PreviewShowsThePages) {
    Fill(150, 3);
    int shown = -1;
    qttest::WhenReady([] { return qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget()) != nullptr; },
                      [&] {
                          auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
                          auto* preview = dialog->findChild<QPrintPreviewWidget*>();
                          ASSERT_NE(preview, nullptr);
                          preview->updatePreview();
                          shown = preview->pageCount();
                          dialog->reject();
                      });
    PrintOptions options;
    options.title = "Preview";
    widget_->printPreview(options);
    int pages = 0;
    Print(options, &pages);
    EXPECT_GE(shown, 2);
    EXPECT_LE(std::abs(shown - pages), 1) << "the printer's paper may differ from A4";
}

TEST_F(GridPrinterTest, BadArgumentsRaiseAndPrintNothing) {
    Fill(5, 2);
    EXPECT_THROW(widget_->print(nullptr), std::invalid_argument);
    EXPECT_THROW(printing::GridPages(grid(), {}, QRectF(0, 0, 0, 100), 300), std::invalid_argument);
    EXPECT_THROW(printing::GridPages(grid(), {}, QRectF(0, 0, 100, 100), 0), std::invalid_argument);
    EXPECT_THROW(printing::GridPages(grid(), {}, QRectF(0, 0, 100, 100), 300, 150), std::invalid_argument);
    printing::GridPages pages(grid(), {}, QRectF(0, 0, 2000, 3000), 300);
    EXPECT_EQ(pages.pageCount(), 1);
    QImage image(200, 300, QImage::Format_RGB32);
    QPainter painter(&image);
    EXPECT_THROW(pages.drawPage(painter, 1, 0, 0), std::out_of_range);
    EXPECT_THROW(pages.rowsOnPage(-1), std::out_of_range);
    // An empty grid still prints its page with the title.
    widget_ = std::make_unique<LattixWidget>();
    PrintOptions options;
    options.title = "Nothing yet";
    int n = 0;
    const QString file = Print(options, &n, "empty.pdf");
    EXPECT_EQ(n, 1);
    EXPECT_TRUE(PdfText(file, 1).contains("Nothing yet"));
}

} // namespace
} // namespace lattix
