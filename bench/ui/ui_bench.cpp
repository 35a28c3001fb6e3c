// Figures of the window layer: message dispatch through a subclass chain, posting and pumping,
// timers on the virtual clock, and composing a full-screen window tree.
#include <benchmark/benchmark.h>

#include "platform/gfx/device_context.h"
#include "platform/headless/headless_host.h"

using namespace lattix::ui;
using lattix::ui::headless::HeadlessHost;

namespace {

LResult PlainProc(Hwnd h, MessageId m, WParam w, LParam l) {
    if (m == WM_USER) return static_cast<LResult>(w + 1);
    return Wm().DefWindowProc(h, m, w, l);
}

LResult PassOn(Hwnd h, MessageId m, WParam w, LParam l, std::uintptr_t, std::uintptr_t) {
    return Wm().DefSubclassProc(h, m, w, l);
}

LResult FillProc(Hwnd h, MessageId m, WParam w, LParam l) {
    if (m == WM_PAINT) {
        PaintStruct ps;
        lattix::gfx::DeviceContext* dc = Wm().BeginPaint(h, ps);
        dc->fillRect(Wm().GetClientRect(h), lattix::gfx::rgb(0xE0, 0xE8, 0xF0));
        Wm().EndPaint(h, ps);
        return 0;
    }
    return Wm().DefWindowProc(h, m, w, l);
}

Hwnd MakeChild(HeadlessHost& host, const char* cls, WndProc proc, Rect r, std::uint32_t style = 0) {
    if (!Wm().IsClassRegistered(cls)) Wm().RegisterClass(WindowClass{cls, proc});
    CreateParams p;
    p.className = cls;
    p.style = WS_CHILD | WS_VISIBLE | style;
    p.rect = r;
    p.parent = host.TopLevel();
    return Wm().CreateWindow(p);
}

void BM_SendThroughThreeSubclasses(benchmark::State& state) {
    HeadlessHost host(200, 200);
    Hwnd w = MakeChild(host, "BenchPlain", &PlainProc, rectOfSize(0, 0, 50, 50));
    for (std::uintptr_t id = 1; id <= 3; ++id) Wm().SetWindowSubclass(w, &PassOn, id, 0);
    WParam n = 0;
    for (auto _ : state) benchmark::DoNotOptimize(n = static_cast<WParam>(Wm().SendMessage(w, WM_USER, n)));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SendThroughThreeSubclasses);

void BM_PostAndPump1000(benchmark::State& state) {
    HeadlessHost host(200, 200);
    Hwnd w = MakeChild(host, "BenchPlain", &PlainProc, rectOfSize(0, 0, 50, 50));
    host.Pump();
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) Wm().PostMessage(w, WM_USER, static_cast<WParam>(i));
        benchmark::DoNotOptimize(Wm().PumpMessages());
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_PostAndPump1000);

void BM_Advance1sWith100Timers(benchmark::State& state) {
    HeadlessHost host(200, 200);
    long ticks = 0;
    for (int i = 0; i < 100; ++i)
        Wm().SetTimer(0, 0, 10 + static_cast<unsigned>(i), [&](Hwnd, TimerId, std::uint32_t) { ++ticks; });
    for (auto _ : state) host.Advance(1000);
    state.counters["ticks/iter"] = benchmark::Counter(static_cast<double>(ticks) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_Advance1sWith100Timers);

void BM_RenderFullHdTree(benchmark::State& state) {
    HeadlessHost host(1920, 1080);
    for (int i = 0; i < 16; ++i)
        MakeChild(host, "BenchFill", &FillProc, rectOfSize((i % 4) * 480 + 4, (i / 4) * 270 + 4, 472, 262),
                  i % 2 ? (WS_VSCROLL | WS_HSCROLL | WS_BORDER) : 0);
    host.Pump();
    for (auto _ : state) benchmark::DoNotOptimize(host.Render());
}
BENCHMARK(BM_RenderFullHdTree)->Unit(benchmark::kMillisecond);

} // namespace
