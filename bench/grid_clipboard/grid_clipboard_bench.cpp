// Copy of 100,000 x 10 selected cells to the clipboard, and paste of the same text into an empty
// grid of the same shape (numbers, texts and quoted fields), as another program would hand it over.
// Prints the median of a few runs, in seconds of processor time.
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <string>
#include <vector>

#include "grid/lattix.h"
#include "platform/headless/headless_host.h"
#include "platform/ui/window_manager.h"

using lattix::Lattix;
using lattix::Variant;

namespace {
constexpr int kRows = 100000, kCols = 10;

std::shared_ptr<Lattix> MakeGrid(bool filled) {
    auto g = Lattix::Create();
    g->SetColCount(kCols);
    g->SetRowCount(kRows);
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kCols; ++c) {
            Variant v;
            if (c % 3 == 1) v = Variant(filled ? r * 0.25 + c : 0.0);
            else if (c % 3 == 2) v = Variant(int32_t{filled ? r * c : 0});
            else v = Variant(std::string(filled ? (r % 7 == 0 ? "with\ttab" : "text " + std::to_string(r)) : ""));
            g->SetCellValue(Variant(r), Variant(c), v);
        }
    return g;
}

// Processor time of this process: the machine the figures come from is shared, and wall time there
// mostly measures the neighbours.
double CpuNow() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main() {
    lattix::ui::headless::HeadlessHost host(200, 200);
    auto source = MakeGrid(true);
    source->SetMultiSelect(true);
    source->SelectAll();
    std::vector<double> copies, pastes;
    std::string text;
    for (int run = 0; run < 3; ++run) {
        const double t0 = CpuNow();
        source->CopySelectedCells(false);
        copies.push_back(CpuNow() - t0);
    }
    text = lattix::ui::Wm().GetClipboard().GetText(0).value_or("");
    for (int run = 0; run < 3; ++run) {
        auto target = MakeGrid(false);
        target->SetCurCell(Variant(1), Variant(1));
        host.SetClipboardTextExternally(text);
        const double t0 = CpuNow();
        target->PasteFromClipboard();
        pastes.push_back(CpuNow() - t0);
        if (target->CellText(Variant(kRows), Variant(kCols)) != source->CellText(Variant(kRows), Variant(kCols))) {
            std::printf("paste did not reproduce the last cell\n");
            return 1;
        }
    }
    std::printf("copy  %d x %d cells (%zu bytes of text): %.3f s (target < 0.3 s)\n", kRows, kCols, text.size(),
                Median(copies));
    std::printf("paste %d x %d cells from text:             %.3f s (target < 0.5 s)\n", kRows, kCols, Median(pastes));
    return 0;
}
