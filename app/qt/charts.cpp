// The charts: series, axes, colours and the pictures.
#include "app/qt/charts.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QHorizontalBarSeries>
#include <QChart>
#include <QChartView>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace avigram {

namespace {

// Distinct colours for up to 16 series, dark enough on white.
const QColor kPalette[] = {
    QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c), QColor(0xff, 0x7f, 0x0e),
    QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b), QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f),
    QColor(0xbc, 0xbd, 0x22), QColor(0x17, 0xbe, 0xcf), QColor(0x39, 0x3b, 0x79), QColor(0x63, 0x79, 0x39),
    QColor(0x8c, 0x6d, 0x31), QColor(0x84, 0x3c, 0x39), QColor(0x7b, 0x41, 0x73), QColor(0xb8, 0x86, 0x0b),
};

// The least height a chart view keeps on the tab: below it axis titles and labels get cut.
constexpr int kChartViewMinHeight = 330;

QColor Colour(std::size_t i) {
    return kPalette[i % (sizeof kPalette / sizeof kPalette[0])];
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString Number(double v, int decimals) {
    return QString::number(v, 'f', decimals);
}

int WeightDecimals(const std::string& unit) {
    return unit == "g" ? 0 : 2;
}

// A "nice" step near the value: 1, 2, 2.5 or 5 times a power of ten.
double NiceStep(double v) {
    if (!(v > 0)) return 1;
    const double p = std::pow(10.0, std::floor(std::log10(v)));
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (m * p >= v * 0.999) return m * p;
    return 10 * p;
}

// A count axis from 0 with round labels just above the largest value.
QValueAxis* CountAxis(const QString& title, double largest, const QString& format) {
    auto* axis = new QValueAxis();
    axis->setTitleText(title);
    axis->setLabelFormat(format);
    axis->setRange(0, largest > 0 ? largest * 1.05 : 1);
    axis->applyNiceNumbers();
    return axis;
}

// A live-weight axis over [low, high] with ticks at round weights (about eight of them).
QValueAxis* WeightAxis(const QString& title, double low, double high) {
    auto* axis = new QValueAxis();
    axis->setTitleText(title);
    axis->setRange(low, high);
    const double step = NiceStep((high - low) / 8);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
    axis->setLabelFormat(step >= 1 ? QStringLiteral("%.0f") : step >= 0.1 ? QStringLiteral("%.1f") : QStringLiteral("%.2f"));
    return axis;
}

QChart* NewChart(const QString& title) {
    auto* chart = new QChart();
    chart->setTitle(title);
    QFont font = chart->titleFont();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    font.setBold(true);
    chart->setTitleFont(font);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundBrush(Qt::white);
    chart->legend()->setAlignment(Qt::AlignRight);
    return chart;
}

void HideFromLegend(QChart* chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart->legend()->markers(series))
        marker->setVisible(false);
}

// Draws the charts side by side into target; the painter may be a picture's or a printer's (the
// charts then stay lines and text).
void PaintInto(QPainter& painter, const std::vector<QChart*>& charts, const QRectF& target) {
    QGraphicsScene scene;
    const QSizeF size = target.size();
    const qreal width = size.width() / static_cast<qreal>(charts.size());
    for (std::size_t i = 0; i < charts.size(); ++i) {
        scene.addItem(charts[i]);
        charts[i]->setGeometry(QRectF(width * static_cast<qreal>(i), 0, width, size.height()));
    }
    scene.setSceneRect(QRectF(QPointF(0, 0), size));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scene.render(&painter, target, scene.sceneRect());
    painter.restore();
    // The scene owned the charts and deleted them with itself.
}

QImage Render(const std::vector<QChart*>& charts, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintInto(painter, charts, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

} // namespace

QChart* makeDistributionChart(const DistributionChartData& data) {
    QChart* chart = NewChart(QStringLiteral("Live-weight distribution"));
    if (data.empty()) {
        chart->setTitle(QStringLiteral("Live-weight distribution: no flocks worked out yet"));
        return chart;
    }
    const std::string& unit = data.units.live;
    const int decimals = WeightDecimals(unit);
    const double step = data.classes.size() >= 2 ? data.classes[1].weight - data.classes[0].weight : 1;
    const double low = data.classes.front().weight - step / 2;
    const double high = data.classes.back().weight + step / 2;
    double largest = 0;
    for (double v : data.allFlocks)
        largest = std::max(largest, v);

    auto* axisX = WeightAxis(
        QStringLiteral("Live weight (%1); the first and last points hold all birds below and above the classes")
            .arg(Q(unit)),
        low, high);
    auto* axisY = CountAxis(QStringLiteral("Birds per class"), largest, QStringLiteral("%.0f"));
    const double top = axisY->max();
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);

    auto attach = [&](QAbstractSeries* s) {
        chart->addSeries(s);
        s->attachAxis(axisX);
        s->attachAxis(axisY);
    };

    // All flocks together: a light filled area under their sum.
    auto* upper = new QLineSeries();
    for (std::size_t i = 0; i < data.classes.size(); ++i)
        upper->append(data.classes[i].weight, data.allFlocks[i]);
    auto* area = new QAreaSeries(upper);
    upper->setParent(area); // the area does not own the line it is spanned under
    area->setName(QStringLiteral("All flocks: average %1 %2").arg(Number(data.average, decimals + 1), Q(unit)));
    area->setColor(QColor(0xc8, 0xd8, 0xe8));
    area->setBorderColor(QColor(0x60, 0x70, 0x80));
    attach(area);

    for (std::size_t f = 0; f < data.flocks.size(); ++f) {
        const FlockSeries& flock = data.flocks[f];
        const QColor colour = Colour(f);
        auto* line = new QLineSeries();
        line->setName(QStringLiteral("%1: average %2 %3").arg(Q(flock.id), Number(flock.average, decimals + 1), Q(unit)));
        QPen pen(colour, 2);
        line->setPen(pen);
        line->setPointsVisible(true);
        for (std::size_t i = 0; i < data.classes.size() && i < flock.birds.size(); ++i)
            line->append(data.classes[i].weight, flock.birds[i]);
        attach(line);

        auto* mark = new QLineSeries();
        QPen dashed(colour, 1.5, Qt::DashLine);
        mark->setPen(dashed);
        mark->append(flock.average, 0);
        mark->append(flock.average, top);
        attach(mark);
        HideFromLegend(chart, mark);
    }
    auto* overall = new QLineSeries();
    overall->setPen(QPen(Qt::black, 2.5));
    overall->append(data.average, 0);
    overall->append(data.average, top);
    attach(overall);
    HideFromLegend(chart, overall);
    return chart;
}

QChart* makePartsYieldChart(const PartsYieldChartData& data) {
    QChart* chart = NewChart(QStringLiteral("Parts yield: mean weight per class"));
    if (data.empty()) {
        chart->setTitle(QStringLiteral("Parts yield: no flocks worked out yet"));
        return chart;
    }
    const std::string& live = data.units.live;
    const std::string& part = data.units.part;
    const double step = data.classWeights.size() >= 2 ? data.classWeights[1] - data.classWeights[0] : 1;
    // Parts from a few grams to the whole carcass: a logarithmic scale keeps every line apart.
    double smallest = 0, largest = 0;
    for (const PartSeries& p : data.parts)
        for (double w : p.weights)
            if (w > 0) {
                smallest = smallest > 0 ? std::min(smallest, w) : w;
                largest = std::max(largest, w);
            }
    auto* axisX = WeightAxis(QStringLiteral("Live weight (%1)").arg(Q(live)), data.classWeights.front() - step / 2,
                             data.classWeights.back() + step / 2);
    auto* axisY = new QLogValueAxis();
    axisY->setTitleText(QStringLiteral("Mean part weight (%1, log scale)").arg(Q(part)));
    axisY->setBase(10);
    axisY->setMinorTickCount(8);
    axisY->setLabelFormat(part == "g" ? QStringLiteral("%g") : QStringLiteral("%g"));
    const double low = smallest > 0 ? std::pow(10.0, std::floor(std::log10(smallest))) : 1;
    const double high = largest > 0 ? std::pow(10.0, std::ceil(std::log10(largest))) : 10;
    axisY->setRange(low, std::max(high, low * 10));
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    for (std::size_t i = 0; i < data.parts.size(); ++i) {
        const PartSeries& p = data.parts[i];
        auto* line = new QLineSeries();
        line->setName(Q(p.name));
        line->setPen(QPen(Colour(i), p.detail ? 1.5 : 2.5, p.detail ? Qt::DashLine : Qt::SolidLine));
        for (std::size_t k = 0; k < p.weights.size() && k < data.classWeights.size(); ++k)
            if (p.weights[k] > 0) line->append(data.classWeights[k], p.weights[k]); // none on a log scale
        chart->addSeries(line);
        line->attachAxis(axisX);
        line->attachAxis(axisY);
    }
    // Many parts: a smaller legend keeps every name in view.
    QFont legendFont = chart->legend()->font();
    legendFont.setPointSizeF(legendFont.pointSizeF() * 0.85);
    chart->legend()->setFont(legendFont);
    return chart;
}

QChart* makeTonnageChart(const PartsYieldChartData& data) {
    QChart* chart = NewChart(QStringLiteral("All flocks: tonnages"));
    if (data.tonnages.empty()) return chart;
    // Bars lie across, so that the part names read in full beside them and each total fits after
    // its bar (the value axis runs on past the longest bar to leave room for it).
    auto* series = new QHorizontalBarSeries();
    auto* set = new QBarSet(QStringLiteral("Total (%1)").arg(Q(data.units.tonnage)));
    set->setColor(QColor(0x1f, 0x77, 0xb4));
    QStringList names;
    double top = 0;
    // Categories run upwards: the last bar given is the top one, so the first part is added last.
    for (auto bar = data.tonnages.rbegin(); bar != data.tonnages.rend(); ++bar) {
        *set << bar->value;
        names << Q(bar->name);
        top = std::max(top, bar->value);
    }
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsFormat(QStringLiteral("@value"));
    set->setLabelColor(Qt::black);
    chart->addSeries(series);
    auto* namesAxis = new QBarCategoryAxis();
    namesAxis->append(names);
    auto* valuesAxis = CountAxis(Q(data.units.tonnage), top * 1.35, QStringLiteral("%.0f"));
    chart->addAxis(namesAxis, Qt::AlignLeft);
    chart->addAxis(valuesAxis, Qt::AlignBottom);
    series->attachAxis(namesAxis);
    series->attachAxis(valuesAxis);
    chart->legend()->setVisible(false);
    return chart;
}

QWidget* makeDistributionChartView(const DistributionChartData& data, QWidget* parent) {
    auto* view = new QChartView(makeDistributionChart(data), parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(kChartViewMinHeight);
    return view;
}

QWidget* makePartsYieldChartView(const PartsYieldChartData& data, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    auto* yield = new QChartView(makePartsYieldChart(data), box);
    auto* tonnage = new QChartView(makeTonnageChart(data), box);
    yield->setRenderHint(QPainter::Antialiasing);
    tonnage->setRenderHint(QPainter::Antialiasing);
    layout->addWidget(yield, 2);
    layout->addWidget(tonnage, 1);
    // Tall enough for the legend of every part; a tab scrolls when the window is smaller.
    box->setMinimumHeight(std::max(kChartViewMinHeight, 130 + 20 * static_cast<int>(data.parts.size())));
    return box;
}

QImage renderDistributionChart(const DistributionChartData& data, QSize size) {
    return Render({makeDistributionChart(data)}, size);
}

QImage renderPartsYieldChart(const PartsYieldChartData& data, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const int split = size.width() * 62 / 100;
    const QImage yield = Render({makePartsYieldChart(data)}, QSize(split, size.height()));
    const QImage tonnage = Render({makeTonnageChart(data)}, QSize(size.width() - split, size.height()));
    QPainter painter(&image);
    painter.drawImage(0, 0, yield);
    painter.drawImage(split, 0, tonnage);
    return image;
}

void paintDistributionChart(QPainter& painter, const DistributionChartData& data, const QRectF& target) {
    PaintInto(painter, {makeDistributionChart(data)}, target);
}

void paintPartsYieldChart(QPainter& painter, const PartsYieldChartData& data, const QRectF& target) {
    const qreal split = target.width() * 62 / 100;
    PaintInto(painter, {makePartsYieldChart(data)}, QRectF(target.left(), target.top(), split, target.height()));
    PaintInto(painter, {makeTonnageChart(data)},
              QRectF(target.left() + split, target.top(), target.width() - split, target.height()));
}

} // namespace avigram
