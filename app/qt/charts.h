// The two charts with Qt Charts: the live-weight distribution and the parts yield, as chart objects,
// as widgets for a tab of the main window, and as pictures.
//
// A window makes the data from the program state after "Recalc. Flock Distribution" and puts the
// views on its third tab, e.g. makeDistributionChartView(DistributionChart(state), tab) and
// makePartsYieldChartView(PartsYieldChart(state), tab); after the next recalculation it replaces
// them with new views.
#pragma once

#include <QImage>
#include <QSize>

#include "app/core/chart_data.h"

class QWidget;
class QPainter;
class QRectF;
QT_BEGIN_NAMESPACE
class QChart;
QT_END_NAMESPACE

namespace avigram {

// Birds per class of every flock (lines with points) and of all flocks together (a filled area),
// over the live weight; each flock's average a dashed vertical line in its colour, the all-flocks
// average a solid one. The caller owns the chart.
QChart* makeDistributionChart(const DistributionChartData& data);

// Mean weight per class of every listed part (lines, the pieces of combined parts dashed) over the
// live weight. The caller owns the chart.
QChart* makePartsYieldChart(const PartsYieldChartData& data);

// The three tonnage totals as bars. The caller owns the chart.
QChart* makeTonnageChart(const PartsYieldChartData& data);

// Widgets showing the charts (for a tab of the main window); the parts yield view holds the yield
// lines and the tonnage bars side by side.
QWidget* makeDistributionChartView(const DistributionChartData& data, QWidget* parent = nullptr);
QWidget* makePartsYieldChartView(const PartsYieldChartData& data, QWidget* parent = nullptr);

// Pictures of the charts (white background, antialiased); the parts yield picture holds both of
// its charts.
QImage renderDistributionChart(const DistributionChartData& data, QSize size = QSize(1200, 700));
QImage renderPartsYieldChart(const PartsYieldChartData& data, QSize size = QSize(1500, 700));

// The same charts drawn into target with any painter (a printer's or a PDF writer's: the charts
// stay lines and text there).
void paintDistributionChart(QPainter& painter, const DistributionChartData& data, const QRectF& target);
void paintPartsYieldChart(QPainter& painter, const PartsYieldChartData& data, const QRectF& target);

} // namespace avigram
