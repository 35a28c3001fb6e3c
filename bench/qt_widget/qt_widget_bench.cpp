// Figures of LattixWidget on the Qt desktop (offscreen unless a display is chosen): a full repaint
// of a 1920x1080 grid of 60 rows x 20 columns, from invalidating the grid's window to the picture
// drawn into the widget's backing store; and the presentation step alone.
#include <QApplication>
#include <QWindow>

#include <cstdio>

#include <benchmark/benchmark.h>

#include <string>

#include "bindings/qt/lattix_widget.h"
#include "platform/ui/window_manager.h"

using namespace lattix;

namespace {

std::unique_ptr<LattixWidget> MakeFullScreenGrid() {
    auto widget = std::make_unique<LattixWidget>();
    Lattix& g = *widget->grid();
    g.invoke("ColCount", InvokeKind::Let, std::vector<Variant>{Variant(20)});
    g.invoke("RowCount", InvokeKind::Let, std::vector<Variant>{Variant(60)});
    for (int r = 1; r <= 60; ++r)
        for (int c = 1; c <= 20; ++c)
            g.SetCellValue(Variant(r), Variant(c), Variant(r * 1000.0 + c + 0.25));
    widget->resize(1920, 1080);
    widget->show();
    for (int i = 0; i < 200 && !(widget->windowHandle() && widget->windowHandle()->isExposed()); ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    ui::Wm().PumpMessages();
    widget->repaint();
    if (widget->picture().width() != 1920) std::fprintf(stderr, "the widget was not presented\n");
    return widget;
}

void BM_FullRepaintWithPresentation(benchmark::State& state) {
    auto widget = MakeFullScreenGrid();
    ui::Hwnd grid = widget->gridWindow();
    for (auto _ : state) {
        ui::Wm().InvalidateRect(grid, nullptr, true);
        ui::Wm().PumpMessages();
        widget->repaint();
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FullRepaintWithPresentation)->Unit(benchmark::kMillisecond);

void BM_PresentationOnly(benchmark::State& state) {
    auto widget = MakeFullScreenGrid();
    for (auto _ : state) widget->repaint();
}
BENCHMARK(BM_PresentationOnly)->Unit(benchmark::kMillisecond);

void BM_ComposeOnly(benchmark::State& state) {
    auto widget = MakeFullScreenGrid();
    gfx::Bitmap picture;
    for (auto _ : state) ui::Wm().ComposeWindow(widget->topLevel(), picture);
}
BENCHMARK(BM_ComposeOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
