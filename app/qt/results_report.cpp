#include "app/qt/results_report.h"

#include <QBuffer>
#include <QDate>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>
#include <exception>
#include <memory>
#include <stdexcept>
#include <vector>

#include "app/core/chart_data.h"
#include "app/core/text_file.h"
#include "app/forms/export_results.h"
#include "app/forms/frm_flock.h"
#include "bindings/qt/grid_printer.h"
#ifdef AVIGRAM_HAS_CHARTS
#include "app/qt/charts.h"
#endif

namespace avigram {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QFont ReportFont(double points, double dpi, bool bold = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dpi / 72))));
    f.setBold(bold);
    // No ligatures: "fi" stays two letters that a search in the file finds.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

QString Number(double v, int decimals) { return QString::number(v, 'f', decimals); }

// The lines of the title block under the report's heading.
std::vector<QString> TitleLines(FormWeights& main) {
    const ProgramState& state = main.state();
    const WeightUnits units = UnitsOf(state.DisplayUnits);
    std::vector<QString> lines;
    lines.push_back(QStringLiteral("Carcass file: ") + Q(main.TextFileName.text));
    lines.push_back(QStringLiteral("Date: ") + QDate::currentDate().toString(Qt::ISODate));
    lines.push_back(QStringLiteral("Units: live weight %1, parts %2, tonnage in %3")
                        .arg(Q(units.live), Q(units.part), Q(units.tonnage)));
    lines.push_back(QStringLiteral("Flock CV: ") + Number(state.FlockCV, 3));
    const int n = state.ClassCount;
    if (n >= 1 && n < kClassBounds) {
        lines.push_back(QStringLiteral("Class limits: %1 classes of %2 %3 from %4 to %5 %3")
                            .arg(n)
                            .arg(Number(state.ClassWidth, 3), Q(units.live),
                                 Number(state.ClassBound[0], 3), Number(state.ClassBound[static_cast<std::size_t>(n)], 3)));
    } else {
        lines.push_back(QStringLiteral("Class limits: not worked out yet"));
    }
    return lines;
}

// One part of the report: a grid's pages or a chart page.
struct Section {
    std::unique_ptr<lattix::printing::GridPages> grid;
    int chart = 0; // 1 distribution, 2 parts yield
    // The wide grids and the charts are printed across the paper.
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    int pages() const { return grid ? grid->pageCount() : 1; }
};

class Report {
public:
    Report(FormWeights& main, QPagedPaintDevice& device) : main_(main), device_(device) {
        dpi_ = device.logicalDpiY();
        const QSizeF portrait = areaOf(QPageLayout::Portrait).size();
        if (portrait.width() < 1 || portrait.height() < 1) throw std::runtime_error("the page has no printable area");
        lines_ = TitleLines(main);
        const double pt = dpi_ / 72;
        blockHeight_ = 28 * pt + static_cast<double>(lines_.size()) * 15 * pt + 30 * pt;
    }

    int print() {
        layOut();
        int total = 0;
        for (const Section& s : sections_) total += s.pages();
        device_.setPageOrientation(sections_.front().orientation);
        QPainter painter;
        if (!painter.begin(&device_)) throw std::runtime_error("the printer or file cannot be written");
        try {
            int page = 0;
            for (Section& s : sections_) {
                area_ = areaOf(s.orientation);
                for (int i = 0; i < s.pages(); ++i) {
                    // A new orientation takes effect with the next page.
                    if (page > 0 && i == 0) device_.setPageOrientation(s.orientation);
                    if (page > 0 && !device_.newPage()) throw std::runtime_error("a new page cannot be started");
                    ++page;
                    if (page == 1) drawTitleBlock(painter);
                    if (s.grid) s.grid->drawPage(painter, i, page, total);
                    else drawChartPage(painter, s.chart, page, total);
                }
            }
        } catch (...) {
            painter.end();
            throw;
        }
        if (!painter.end()) throw std::runtime_error("the printer or file cannot be written");
        return total;
    }

private:
    // The printable area of a page of that orientation, in device pixels from its top left corner.
    QRectF areaOf(QPageLayout::Orientation orientation) const {
        QPageLayout layout = device_.pageLayout();
        layout.setOrientation(orientation);
        const QRectF paint = layout.paintRectPixels(static_cast<int>(std::lround(dpi_)));
        return QRectF(0, 0, paint.width(), paint.height());
    }

    void addGrid(lattix::Lattix& grid, const QString& title, lattix::printing::PrintOptions::Columns columns,
                 QPageLayout::Orientation orientation) {
        lattix::printing::PrintOptions options;
        options.title = sections_.empty() ? QString() : title;
        options.columns = columns;
        options.omitEmptyTrailingRows = true; // the rows kept free for more flocks and classes
        const double top = sections_.empty() ? blockHeight_ : 0;
        Section s;
        s.grid = std::make_unique<lattix::printing::GridPages>(grid, options, areaOf(orientation), dpi_, top);
        s.orientation = orientation;
        sections_.push_back(std::move(s));
    }

    void layOut() {
        using Columns = lattix::printing::PrintOptions::Columns;
        if (FrmFlock* flocks = main_.FlockWindow()) {
            firstCaption_ = QStringLiteral("Flocks");
            addGrid(flocks->GridFlock().control(), firstCaption_, Columns::FitToPageWidth, QPageLayout::Portrait);
        } else {
            firstCaption_ = Q(kGrid1SheetName);
        }
        addGrid(main_.Grid1().control(), Q(kGrid1SheetName), Columns::FitToPageWidth, QPageLayout::Landscape);
        addGrid(main_.Grid2().control(), Q(kGrid2SheetName), Columns::SplitOverPages, QPageLayout::Landscape);
#ifdef AVIGRAM_HAS_CHARTS
        if (!DistributionChart(main_.state()).empty()) sections_.push_back({nullptr, 1, QPageLayout::Landscape});
        if (!PartsYieldChart(main_.state()).empty()) sections_.push_back({nullptr, 2, QPageLayout::Landscape});
#endif
    }

    void drawTitleBlock(QPainter& p) {
        const double pt = dpi_ / 72;
        p.save();
        p.setPen(Qt::black);
        p.setFont(ReportFont(16, dpi_, true));
        double y = 0;
        p.drawText(QRectF(0, y, area_.width(), 24 * pt), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   QStringLiteral("Avigram results"));
        y += 28 * pt;
        p.setFont(ReportFont(10, dpi_));
        for (const QString& line : lines_) {
            p.drawText(QRectF(0, y, area_.width(), 14 * pt), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line);
            y += 15 * pt;
        }
        p.setPen(QPen(QColor(0x80, 0x80, 0x80), pt / 2));
        p.drawLine(QPointF(0, y + 4 * pt), QPointF(area_.width(), y + 4 * pt));
        p.setPen(Qt::black);
        p.setFont(ReportFont(11, dpi_, true));
        p.drawText(QRectF(0, y + 10 * pt, area_.width(), 16 * pt), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   firstCaption_);
        p.restore();
    }

    void drawChartPage(QPainter& p, int chart, int page, int total) {
        const double pt = dpi_ / 72;
        p.save();
        p.setPen(Qt::black);
        p.setFont(ReportFont(11, dpi_, true));
        p.drawText(QRectF(0, 0, area_.width(), 16 * pt), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   chart == 1 ? QStringLiteral("Live-weight distribution") : QStringLiteral("Parts yield and tonnage"));
        // The chart at a fixed aspect, drawn in its own pixel units so that its fonts keep their
        // size against its lines whatever the device's resolution.
        const double width = area_.width();
        const QSizeF logical(chart == 1 ? 1000 : 1100, chart == 1 ? 560 : 600);
        const double scale = width / logical.width();
        p.translate(0, 24 * pt);
        p.scale(scale, scale);
#ifdef AVIGRAM_HAS_CHARTS
        if (chart == 1) paintDistributionChart(p, DistributionChart(main_.state()), QRectF(QPointF(0, 0), logical));
        else paintPartsYieldChart(p, PartsYieldChart(main_.state()), QRectF(QPointF(0, 0), logical));
#endif
        p.restore();
        p.save();
        p.setFont(ReportFont(8, dpi_));
        p.setPen(QColor(0x40, 0x40, 0x40));
        p.drawText(QRectF(0, area_.bottom() - 12 * pt, area_.width(), 12 * pt),
                   Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine,
                   QStringLiteral("Page %1 of %2").arg(page).arg(total));
        p.restore();
    }

    FormWeights& main_;
    QPagedPaintDevice& device_;
    double dpi_ = 72;
    QRectF area_;
    std::vector<QString> lines_;
    double blockHeight_ = 0;
    QString firstCaption_;
    std::vector<Section> sections_;
};

} // namespace

int PrintResultsReport(FormWeights& main, QPagedPaintDevice& device) { return Report(main, device).print(); }

bool WriteResultsPdf(FormWeights& main, const std::string& path, std::string& error) {
    if (path.empty()) {
        error = "no file name given";
        return false;
    }
    // The whole report is made in memory first: a report that cannot be drawn leaves the old file.
    QByteArray bytes;
    try {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setTitle(QStringLiteral("Avigram results"));
        pdf.setCreator(QStringLiteral("Avigram"));
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                      QPageLayout::Millimeter));
        PrintResultsReport(main, pdf);
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    if (!WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace avigram
