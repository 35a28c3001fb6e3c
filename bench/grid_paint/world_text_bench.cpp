// Text figures: a full repaint of a 1920 x 1080 view of Latin text and of mixed scripts (Chinese,
// Arabic, Hebrew, Devanagari, Thai), a cell holding 1,000,000 characters painted (shaping only
// what shows, with the shaping cache warm and cold), and AutoWidthCol over 100,000 rows of mixed
// scripts.
#include <benchmark/benchmark.h>

#include "grid/lattix.h"
#include "platform/gfx/shaped_text.h"
#include "platform/headless/headless_host.h"

#include <string>
#include <vector>

namespace {

using lattix::Lattix;
using lattix::Variant;

const std::vector<std::string> kLatin = {"Bantam pen 3", "Broiler house", "Layer flock", "Weight class",
                                         "Evisceration", "Wings and legs"};
const std::vector<std::string> kMixed = {"你好，世界 鸡舍", "مزرعة الدواجن 7", "לול 12 עופות", "मुर्गी पालन केंद्र",
                                         "ฟาร์มไก่ หมายเลข", "Flock 7 — مزرعة 3", "こんにちは鶏舎", "안녕하세요 양계장"};

// 60 rows x 20 columns of short texts filling a 1920 x 1080 window.
struct TextView {
    lattix::ui::headless::HeadlessHost host{1920, 1080};
    std::shared_ptr<Lattix> g = Lattix::Create();
    explicit TextView(const std::vector<std::string>& words) {
        g->SetBorderType(0);
        g->SetColCount(20);
        g->SetRowCount(60);
        g->SetColWidths(96);
        g->SetRowHeights(18);
        for (int r = 1; r <= 60; ++r)
            for (int c = 1; c <= 20; ++c)
                g->SetCellValue(Variant(r), Variant(c), Variant(words[static_cast<size_t>(r * 7 + c) % words.size()]));
        g->AttachToWindow(host.TopLevel());
        host.Pump();
    }
};

void BM_FullRepaint1920x1080LatinText(benchmark::State& state) {
    TextView v(kLatin);
    for (auto _ : state) v.g->Refresh();
}
BENCHMARK(BM_FullRepaint1920x1080LatinText)->Unit(benchmark::kMillisecond);

// The same with 30,000 other texts in the shaping cache, as after scrolling through a large grid.
void BM_FullRepaint1920x1080LatinTextFullCache(benchmark::State& state) {
    TextView v(kLatin);
    const auto font = lattix::gfx::Font::create(lattix::gfx::FontSpec{});
    for (int i = 0; i < 30000; ++i)
        lattix::gfx::shapeText(*font, U"Row " + std::u32string(1, char32_t(0x4E00 + i % 20000)) + char32_t('a' + i / 20000),
                               lattix::gfx::TextDirection::Auto);
    v.g->Refresh();
    for (auto _ : state) v.g->Refresh();
    state.counters["cached texts"] = static_cast<double>(lattix::gfx::shapingCacheStats().entries);
}
BENCHMARK(BM_FullRepaint1920x1080LatinTextFullCache)->Unit(benchmark::kMillisecond);

void BM_FullRepaint1920x1080MixedScripts(benchmark::State& state) {
    TextView v(kMixed);
    for (auto _ : state) v.g->Refresh();
    state.counters["cached texts"] = static_cast<double>(lattix::gfx::shapingCacheStats().entries);
}
BENCHMARK(BM_FullRepaint1920x1080MixedScripts)->Unit(benchmark::kMillisecond);

// One cell of 1,000,000 characters (words and blanks) in a 400 x 200 window.
struct LongCell {
    lattix::ui::headless::HeadlessHost host{400, 200};
    std::shared_ptr<Lattix> g = Lattix::Create();
    explicit LongCell(bool ellipsis) {
        std::string text;
        text.reserve(1000000);
        while (text.size() + 6 <= 1000000) text += "Flock ";
        text.resize(1000000, 'x');
        g->SetBorderType(0);
        g->SetColCount(2);
        g->SetRowCount(3);
        g->SetColWidth(Variant(1), 300);
        g->SetCellValue(Variant(2), Variant(1), Variant(text));
        if (!ellipsis) g->SetCellTextFlags(Variant(2), Variant(1), 32); // single line, clipped
        g->AttachToWindow(host.TopLevel());
        host.Pump();
    }
};

void BM_MillionCharacterCellPaint(benchmark::State& state) {
    LongCell v(state.range(0) != 0);
    for (auto _ : state) v.g->Refresh();
    state.SetLabel(state.range(0) ? "end ellipsis, cache warm" : "clipped, cache warm");
}
BENCHMARK(BM_MillionCharacterCellPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MillionCharacterCellPaintCold(benchmark::State& state) {
    LongCell v(true);
    for (auto _ : state) {
        lattix::gfx::clearShapingCache();
        v.g->Refresh();
    }
    state.SetLabel("end ellipsis, shaping cache cleared before each paint");
}
BENCHMARK(BM_MillionCharacterCellPaintCold)->Unit(benchmark::kMillisecond);

void BM_AutoWidthColMixedScripts(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    lattix::ui::headless::HeadlessHost host{400, 300};
    std::shared_ptr<Lattix> g = Lattix::Create();
    g->AttachToWindow(host.TopLevel());
    g->SetColCount(1);
    g->SetRowCount(rows);
    for (int r = 1; r <= rows; ++r)
        g->SetCellValue(Variant(r), Variant(1), Variant(kMixed[static_cast<size_t>(r) % kMixed.size()] + " " + std::to_string(r)));
    for (auto _ : state) {
        g->SetColWidth(Variant(1), 20);
        g->AutoWidthCol(Variant(1), -1, -1, 0); // every row, not only those on screen
    }
    state.counters["width"] = g->ColWidth(Variant(1));
    state.counters["rows"] = g->RowCount();
    state.counters["w_last"] = g->EvaluateTextWidth(Variant(rows), Variant(1));
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(rows) * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AutoWidthColMixedScripts)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
