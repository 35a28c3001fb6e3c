// A full 1920x1080 frame as the grid paints it: background, 60 rows x 20 cells with grid lines
// and short texts (single line, vertically centred, end ellipsis), some right-aligned.
#include "platform/gfx/device_context.h"
#include "platform/gfx/text_draw.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace lattix::gfx;

namespace {

constexpr int kWidth = 1920, kHeight = 1080, kRows = 60, kCols = 20;

std::vector<std::string> cellTexts() {
    std::vector<std::string> texts;
    const char* words[] = {"Breast", "Thighs", "Wings", "Legs", "Total", "Flock", "House"};
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            texts.push_back(c % 2 ? std::to_string(1000 + r * 37 + c * 11) + ".5" : std::string(words[(r + c) % 7]) + " " + std::to_string(r));
    return texts;
}

void paintFrame(DeviceContext& dc, const std::vector<std::string>& texts) {
    const int cw = kWidth / kCols, rh = kHeight / kRows;
    dc.fillRect({0, 0, kWidth, kHeight}, 0xFFFFFF);
    dc.setBkMode(BackgroundMode::Transparent);
    for (int r = 0; r < kRows; ++r) {
        if (r % 2) dc.fillRect({0, r * rh, kWidth, r * rh + rh - 1}, rgb(240, 244, 250));
        for (int c = 0; c < kCols; ++c) {
            Rect cell = rectOfSize(c * cw, r * rh, cw - 1, rh - 1);
            std::uint32_t flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (c % 2 ? DT_RIGHT : DT_LEFT);
            drawText(dc, texts[std::size_t(r * kCols + c)], cell.inflatedBy(-2, 0), flags);
            dc.fillRect({cell.right, cell.top, cell.right + 1, cell.bottom + 1}, rgb(192, 192, 192));
        }
        dc.fillRect({0, r * rh + rh - 1, kWidth, r * rh + rh}, rgb(192, 192, 192));
    }
}

void BM_FullFrameFillAndText(benchmark::State& state) {
    Bitmap frame(kWidth, kHeight);
    DeviceContext dc(frame);
    std::vector<std::string> texts = cellTexts();
    paintFrame(dc, texts); // fill the glyph cache once, as a running program has
    for (auto _ : state) {
        paintFrame(dc, texts);
        benchmark::DoNotOptimize(frame.data());
    }
    state.counters["cells"] = kRows * kCols;
}
BENCHMARK(BM_FullFrameFillAndText)->Unit(benchmark::kMillisecond);

void BM_FullFrameFillOnly(benchmark::State& state) {
    Bitmap frame(kWidth, kHeight);
    DeviceContext dc(frame);
    for (auto _ : state) {
        dc.fillRect({0, 0, kWidth, kHeight}, 0xFFFFFF);
        benchmark::DoNotOptimize(frame.data());
    }
}
BENCHMARK(BM_FullFrameFillOnly)->Unit(benchmark::kMillisecond);

void BM_RowBlit(benchmark::State& state) {
    Bitmap frame(kWidth, kHeight), row(kWidth, 18, 0xFFFFFFFF);
    DeviceContext dc(frame);
    for (auto _ : state) {
        for (int y = 0; y + 18 <= kHeight; y += 18) dc.bitBlt(0, y, kWidth, 18, row, 0, 0);
        benchmark::DoNotOptimize(frame.data());
    }
}
BENCHMARK(BM_RowBlit)->Unit(benchmark::kMillisecond);

void BM_AlphaBlendSelection(benchmark::State& state) {
    Bitmap frame(kWidth, kHeight, 0xFFFFFFFF), sel(kWidth, 18, 0xFF0A246A);
    DeviceContext dc(frame);
    for (auto _ : state) {
        for (int y = 0; y + 18 <= 18 * 10; y += 18) dc.alphaBlend(rectOfSize(0, y, kWidth, 18), sel, {0, 0, kWidth, 18}, 128);
        benchmark::DoNotOptimize(frame.data());
    }
}
BENCHMARK(BM_AlphaBlendSelection)->Unit(benchmark::kMillisecond);

} // namespace
