// Painting figures: a full repaint of a 1920 x 1080 view and of a 3840 x 2160 one at 192 dpi, a move
// between screens of 96 and 192 dpi, the repaint after one CellValue put,
// scrolling by one row, and a virtual grid paged through 1,000,000 rows.
#include <benchmark/benchmark.h>

#include "grid/lattix.h"
#include "grid/view/painter.h"
#include "platform/headless/headless_host.h"
#include "runtime/conversions.h"

namespace {

using lattix::Lattix;
using lattix::Variant;

Lattix::Options AtDpi(int dpi) {
    Lattix::Options o;
    o.system.dpiX = dpi;
    return o;
}

// 60 rows x 20 columns of formatted numbers with grid lines and alternating row colours, filling a
// 1920 x 1080 window; at `scale` 2 the same view on a 192-dpi screen (3840 x 2160 pixels).
struct ViewGrid {
    lattix::ui::headless::HeadlessHost host;
    std::shared_ptr<Lattix> g;
    explicit ViewGrid(int rows = 60, int scale = 1)
        : host(1920 * scale, 1080 * scale, "Lattix", 96 * scale), g(Lattix::Create(AtDpi(96 * scale))) {
        g->SetBorderType(0);
        g->SetColCount(20);
        g->SetRowCount(rows);
        g->SetColWidths(96 * scale);
        g->SetRowHeights(18 * scale);
        g->SetBackColorOddRows(0xF4F0E8);
        g->SetBackColorEvenRows(0xFFFFFF);
        for (int c = 1; c <= 20; ++c) {
            const std::string fmt = c % 2 ? "#,##0.00" : "0.0%";
            for (int r = 1; r <= rows; ++r) {
                g->SetCellValue(Variant(r), Variant(c), Variant(r * 1234.5678 + c));
                g->SetCellFmtString(Variant(r), Variant(c), fmt);
                g->SetCellAlignH(Variant(r), Variant(c), c % 3);
            }
        }
        g->AttachToWindow(host.TopLevel());
        host.Pump();
    }
};

void BM_FullRepaint1920x1080(benchmark::State& state) {
    ViewGrid v;
    for (auto _ : state) v.g->Refresh();
    state.counters["rows/paint"] = 60;
}
BENCHMARK(BM_FullRepaint1920x1080)->Unit(benchmark::kMillisecond);

// The same view at 192 dpi: four times the pixels, twice the font size (target below 10 ms).
void BM_FullRepaint3840x2160At192Dpi(benchmark::State& state) {
    ViewGrid v(60, 2);
    for (auto _ : state) v.g->Refresh();
    state.counters["rows/paint"] = 60;
}
BENCHMARK(BM_FullRepaint3840x2160At192Dpi)->Unit(benchmark::kMillisecond);

// One put, then the window's paint that shows it (the host's next paint).
// The window moves between a 96- and a 192-dpi screen with 100,000 rows in the grid: every row
// height and column width is rescaled, the rows laid out again and the view repainted at the new
// dpi (two moves per iteration).
void BM_MoveBetweenScreensWith100000Rows(benchmark::State& state) {
    ViewGrid v(60, 1);
    v.g->SetRowCount(100000);
    v.g->SetRowHeights(18);
    lattix::ui::SystemInfo info = v.host.GetSystemInfo();
    for (auto _ : state) {
        for (int dpi : {192, 96}) {
            info.dpiX = info.dpiY = dpi;
            v.host.SetSystemInfo(info);
            v.g->Refresh();
        }
    }
    state.counters["rows"] = 100000;
}
BENCHMARK(BM_MoveBetweenScreensWith100000Rows)->Unit(benchmark::kMillisecond);

void BM_CellValuePutAndRepaint(benchmark::State& state) {
    ViewGrid v;
    double x = 0;
    const uint64_t before = v.g->Painter().RowsPainted();
    for (auto _ : state) {
        v.g->SetCellValue(Variant(30), Variant(10), Variant(x += 1.0));
        v.host.Pump();
    }
    state.counters["rows painted per put"] =
        static_cast<double>(v.g->Painter().RowsPainted() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_CellValuePutAndRepaint)->Unit(benchmark::kMicrosecond);

// A put into a row on screen without a paint in between: the row waits for the window's next paint,
// so a run of puts costs about what puts off screen cost.
void BM_CellValuePutOnScreen(benchmark::State& state) {
    ViewGrid v;
    double x = 0;
    for (auto _ : state) v.g->SetCellValue(Variant(30), Variant(10), Variant(x += 1.0));
    v.host.Pump();
}
BENCHMARK(BM_CellValuePutOnScreen)->Unit(benchmark::kNanosecond);

void BM_ScrollByOneRow(benchmark::State& state) {
    ViewGrid v(100000);
    int32_t y = 0;
    const uint64_t before = v.g->Painter().RowsPainted();
    for (auto _ : state) {
        y += 18;
        if (y > 18 * 90000) y = 0;
        v.g->SetScrollY(y);
    }
    state.counters["rows painted per scroll"] =
        static_cast<double>(v.g->Painter().RowsPainted() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ScrollByOneRow)->Unit(benchmark::kMicrosecond);

// The host of a virtual grid: it counts the rows asked for while the grid is paged down.
void BM_VirtualPagingThroughAMillionRows(benchmark::State& state) {
    for (auto _ : state) {
        lattix::ui::headless::HeadlessHost host(800, 600);
        auto g = Lattix::Create();
        g->SetBorderType(0);
        g->SetColCount(4);
        int64_t asked = 0;
        g->events()->connect([&](const lattix::EventInfo& e, std::span<Variant> a) {
            if (e.name == "RequestRow") {
                ++asked;
                if (lattix::ToInt32(a[0]) > 1000000) *a[1].slot() = Variant(true);
            } else if (e.name == "RequestRowData") {
                g->SetCellValue(a[0], Variant(1), a[0]);
            }
        });
        g->SetVirtual(true);
        g->AttachToWindow(host.TopLevel());
        host.Pump();
        // Page down as the scroll bar does: rows are asked for only as far as the next page shows.
        const int32_t page = g->ViewHeight();
        int32_t pages = 0;
        for (;;) {
            const int32_t target = g->ScrollY() + page;
            g->BeginUpdate();
            bool more = true;
            while (more && g->ContentHeight() < target + page) more = g->RequestVirtualRow();
            g->EndUpdate();
            if (!g->SetScrollY(target)) break;
            ++pages;
        }
        state.counters["rows"] = g->RowCount();
        state.counters["rows asked"] = static_cast<double>(asked);
        state.counters["pages"] = pages;
    }
}
BENCHMARK(BM_VirtualPagingThroughAMillionRows)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
