// Growth with the size of one input: each operation is timed at two sizes (mostly ten times apart),
// and the ratio of the times is printed beside the ratio of the sizes. Work that grows linearly
// shows about the same ratio; the square of it means the operation is quadratic in that input.
//
//   paste of tab text (5 MB and 50 MB, and one field of that size)
//   LayoutCol let of 10,000 and 100,000 column entries
//   trees of 1,000 and 10,000 rows, as deep as levels go and as wide as one parent holds: expanded,
//   collapsed, sorted and painted
//   1,000 and 10,000 columns: made, sized and auto-sized, and painted at 100 scroll positions
//
// Figures are processor time of this process (the machine is shared), the median of three runs.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "grid/lattix.h"
#include "platform/headless/headless_host.h"
#include "platform/ui/window_manager.h"

using lattix::Lattix;
using lattix::Variant;
using lattix::ui::headless::HeadlessHost;

namespace {

double CpuNow() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Median of three runs of `measured`, each after its own `prepare` (untimed).
double Median3(const std::function<void()>& prepare, const std::function<void()>& measured) {
    std::vector<double> t;
    for (int run = 0; run < 3; ++run) {
        prepare();
        const double t0 = CpuNow();
        measured();
        t.push_back(CpuNow() - t0);
    }
    std::sort(t.begin(), t.end());
    return t[1];
}

// Times at two sizes, and how much the time grew for how much the size grew.
void Print(const char* what, const char* smallSize, double small, const char* largeSize, double large,
           double sizeRatio = 10) {
    std::printf("%-44s %10s %9.4f s %10s %9.4f s   x%.1f for x%.0f\n", what, smallSize, small, largeSize, large,
                small > 0 ? large / small : 0.0, sizeRatio);
}

// ---- paste ----

// Tab text of `rows` lines of 10 fields of about 50 bytes (numbers, words, quoted fields).
std::string TabText(int rows) {
    std::string text;
    text.reserve(static_cast<size_t>(rows) * 510);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= 10; ++c) {
            if (c > 1) text += '\t';
            if (c % 3 == 1) text += std::to_string(r * 0.25 + c) + std::string(36, '7');
            else if (c % 3 == 2) text += "\"quoted \"\"field\"\" with\ttab " + std::to_string(r) + "\"";
            else text += "plain words of a cell, row " + std::to_string(r) + " col " + std::to_string(c) + ".....";
        }
        text += "\r\n";
    }
    return text;
}

double PasteSeconds(HeadlessHost& host, const std::string& text, int rows, int cols) {
    std::shared_ptr<Lattix> g;
    return Median3(
        [&] {
            g = Lattix::Create();
            g->SetColCount(cols);
            g->SetRowCount(rows);
            g->SetCurCell(Variant(1), Variant(1));
            host.SetClipboardTextExternally(text);
        },
        [&] { g->PasteFromClipboard(); });
}

void Paste(HeadlessHost& host) {
    const std::string small = TabText(10000), large = TabText(100000);
    char a[32], b[32];
    std::snprintf(a, sizeof a, "%.1f MB", static_cast<double>(small.size()) / 1e6);
    std::snprintf(b, sizeof b, "%.1f MB", static_cast<double>(large.size()) / 1e6);
    Print("paste of tab text (rows x 10 fields)", a, PasteSeconds(host, small, 10000, 10), b,
          PasteSeconds(host, large, 100000, 10));
    // One field holding the whole text: no line or field breaks to split the work.
    // Blocks above 32 MB come straight from the kernel and every copy of one faults its pages in,
    // so from 5 to 50 MB the time per byte grows with the allocator's cost, not the grid's work:
    // 50 to 100 MB, both on the same side of that line, shows the growth of the work itself.
    const std::string oneSmall(5000000, 'x'), oneLarge(50000000, 'x'), oneLarger(100000000, 'x');
    const double oneLargeSeconds = PasteSeconds(host, oneLarge, 1, 1);
    Print("paste of one field", "5 MB", PasteSeconds(host, oneSmall, 1, 1), "50 MB", oneLargeSeconds);
    Print("paste of one field", "50 MB", oneLargeSeconds, "100 MB", PasteSeconds(host, oneLarger, 1, 1), 2);
    const std::string quotedSmall = "\"" + std::string(2500000, '"') + "\"", quotedLarge = "\"" + std::string(25000000, '"') + "\"";
    Print("paste of one quoted field of doubled quotes", "5 MB", PasteSeconds(host, quotedSmall, 1, 1), "50 MB",
          PasteSeconds(host, quotedLarge, 1, 1));
}

// ---- LayoutCol ----

double LayoutColSeconds(int cols) {
    // Every column: a width, a visibility and the reversed display order, so the let moves them all.
    std::string layout;
    for (int c = 1; c <= cols; ++c) {
        const std::string i = std::to_string(c);
        layout += i + "|width|" + std::to_string(20 + c % 50) + "|" + i + "|visible|1|" + i + "|order|" +
                  std::to_string(cols - c + 1) + "|";
    }
    std::shared_ptr<Lattix> g;
    const double t = Median3(
        [&] {
            g = Lattix::Create();
            g->SetColCount(cols);
        },
        [&] { g->SetLayoutCol(layout); });
    if (g->ColPos(Variant(1)) != cols) std::printf("LayoutCol did not reverse %d columns\n", cols);
    return t;
}

void LayoutCol() {
    Print("LayoutCol let", "10,000", LayoutColSeconds(10000), "100,000", LayoutColSeconds(100000));
}

// ---- trees ----

// `rows` rows in column 1 of a tree column grid. Deep: chains from level 0 down to 255, one after
// the other; wide: one root holding every other row.
std::shared_ptr<Lattix> Tree(HeadlessHost& host, int rows, bool deep) {
    auto g = Lattix::Create();
    g->SetColCount(2);
    g->SetTreeCol(1);
    g->SetRowCount(rows);
    g->BeginUpdate();
    for (int r = 1; r <= rows; ++r) {
        g->SetRowLevel(Variant(r), deep ? (r - 1) % 256 : (r == 1 ? 0 : 1));
        g->SetRowTreeButton(Variant(r), 1);
        g->SetCellValue(Variant(r), Variant(1), Variant(std::string("node ") + std::to_string((r * 7919) % rows)));
        g->SetCellValue(Variant(r), Variant(2), Variant(int32_t{(r * 104729) % rows}));
    }
    g->EndUpdate();
    g->AttachToWindow(host.TopLevel());
    return g;
}

void TreeFigures(HeadlessHost& host, bool deep) {
    const char* shape = deep ? "deep" : "wide";
    double times[2][4];
    const int sizes[2] = {1000, 10000};
    for (int s = 0; s < 2; ++s) {
        std::shared_ptr<Lattix> g;
        auto make = [&] { g = Tree(host, sizes[s], deep); };
        times[s][0] = Median3(make, [&] {
            g->CollapseAllRows();
            g->ExpandAllRows();
        });
        times[s][1] = Median3(make, [&] { g->CollapseAllRows(); });
        times[s][2] = Median3(make, [&] { g->Sort(Variant(2)); });
        times[s][3] = Median3(make, [&] {
            // One full paint at the top, in the middle and at the end of the tree.
            for (int r : {1, sizes[s] / 2, sizes[s]}) {
                g->EnsureVisibleRow(Variant(r));
                g->Refresh();
            }
        });
        g->DetachWindow();
    }
    const char* what[4] = {"collapsed and expanded", "collapsed", "sorted", "painted (top, middle, end)"};
    for (int k = 0; k < 4; ++k) {
        char label[64];
        std::snprintf(label, sizeof label, "%s tree %s", shape, what[k]);
        Print(label, "1,000", times[0][k], "10,000", times[1][k]);
    }
}

// ---- columns ----

void Columns(HeadlessHost& host) {
    const int sizes[2] = {1000, 10000};
    double layout[2], paint[2];
    for (int s = 0; s < 2; ++s) {
        const int cols = sizes[s];
        std::shared_ptr<Lattix> g;
        layout[s] = Median3([&] { g = Lattix::Create(); },
                            [&] {
                                g->SetColCount(cols);
                                g->SetRowCount(50);
                                g->SetColWidths(30);
                                g->AutoWidthCols();
                            });
        g->AttachToWindow(host.TopLevel());
        paint[s] = Median3([] {}, [&] {
            for (int c = 1; c <= cols; c += cols / 100) {
                g->EnsureVisibleCol(Variant(c));
                g->Refresh();
            }
        });
        g->DetachWindow();
    }
    Print("columns laid out", "1,000", layout[0], "10,000", layout[1]);
    Print("columns painted (100 scroll positions)", "1,000", paint[0], "10,000", paint[1]);
}

} // namespace

int main() {
    HeadlessHost host(1200, 800);
    std::printf("%-44s %10s %11s %10s %11s   %s\n", "operation", "small", "time", "large", "time", "growth for size");
    Paste(host);
    LayoutCol();
    TreeFigures(host, true);
    TreeFigures(host, false);
    Columns(host);
    return 0;
}
