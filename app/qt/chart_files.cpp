// PNG files of the charts, and the application object drawing needs.
#include "app/qt/chart_files.h"

#include <QApplication>
#include <QBuffer>
#include <QByteArray>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/core/paths.h"
#include "app/core/text_file.h"
#include "app/qt/charts.h"

namespace avigram {

namespace {

bool WritePng(const std::string& path, const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) return false;
    return WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace

void EnsureChartApplication() {
    if (QCoreApplication::instance()) return;
    // No display: draw offscreen.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Qt's own notes (no runtime folder and the like) are no messages for the user of a batch run.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "avigram: %s\n", qPrintable(text));
    });
    static int argc = 1;
    static char name[] = "avigram";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = std::make_unique<QApplication>(argc, argv);
}

bool WriteChartFiles(const std::string& folder, const DistributionChartData& distribution,
                     const PartsYieldChartData& partsYield, std::string& error) {
    if (distribution.empty() || partsYield.empty()) {
        error = "no flocks worked out";
        return false;
    }
    EnsureChartApplication();
    const std::string first = JoinPath(folder, "distribution.png");
    if (!WritePng(first, renderDistributionChart(distribution))) {
        error = "cannot write " + first;
        return false;
    }
    const std::string second = JoinPath(folder, "parts_yield.png");
    if (!WritePng(second, renderPartsYieldChart(partsYield))) {
        error = "cannot write " + second;
        return false;
    }
    return true;
}

} // namespace avigram
