// Cells that look alike share one entry of the looks table; changing one cell's looks never changes
// another's, and the table answers the same number for the same looks from any thread.
#include <thread>
#include <vector>

#include "grid/model/cell_looks.h"
#include "grid/model/cell_record.h"
#include "test_support.h"

namespace lattix::test {
namespace {

TEST(CellLooks, CellsShareLooksButChangeThemAlone) {
    auto g = Lattix::Create();
    g->SetColCount(3);
    g->SetRowCount(50);
    for (int32_t r = 1; r <= 50; ++r)
        for (int32_t c = 1; c <= 3; ++c) g->SetCellBackColor(V(r), V(c), 0x00FF00);
    g->SetCellBackColor(V(7), V(2), 0x0000FF);
    g->SetCellAlignH(V(7), V(2), 2);
    EXPECT_EQ(g->CellBackColor(V(7), V(2)), 0x0000FF);
    EXPECT_EQ(g->CellBackColor(V(7), V(1)), 0x00FF00);
    EXPECT_EQ(g->CellBackColor(V(8), V(2)), 0x00FF00);
    EXPECT_EQ(g->CellAlignH(V(8), V(2)), g->CellAlignH(V(1), V(1)));
    EXPECT_EQ(g->Cell(3, 3).looksId(), g->Cell(50, 1).looksId());
    EXPECT_NE(g->Cell(7, 2).looksId(), g->Cell(7, 1).looksId());

    // Undoing every change gives the new cell's look back, number and all.
    g->SetCellBackColor(V(7), V(2), -1);
    g->SetCellAlignH(V(7), V(2), g->CellAlignH(V(1), V(1)));
    g->SetCellBackColor(V(1), V(1), -1);
    EXPECT_EQ(g->Cell(7, 2).looksId(), g->Cell(1, 1).looksId());
    const int32_t fresh = g->AddRow({});
    EXPECT_EQ(g->Cell(1, 1).looksId(), g->Cell(fresh, 2).looksId());

    // Copies carry the number; changing the copy leaves the original.
    CellRecord a = g->Cell(3, 3);
    CellRecord b = a;
    b.editLooks([](CellLooks& l) { l.icon = 5; });
    EXPECT_EQ(a.looks().icon, 0);
    EXPECT_EQ(b.looks().icon, 5);
    EXPECT_EQ(a.looks().backColor, 0x00FF00);
    EXPECT_EQ(b.looks().backColor, 0x00FF00);
}

TEST(CellLooks, ThreadsAddingTheSameLooksGetTheSameNumbers) {
    constexpr int kThreads = 4, kLooks = 2999; // prime: every stride below visits every look
    std::vector<std::vector<uint32_t>> numbers(kThreads, std::vector<uint32_t>(kLooks));
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < kLooks; ++i) {
                // Each thread walks the looks in another order.
                const int k = (i * (2 * t + 1)) % kLooks;
                CellLooks l;
                l.foreColor = 0x123400 + k;
                l.indentLeft = 1;
                numbers[static_cast<size_t>(t)][static_cast<size_t>(k)] = looks_table::Intern(l);
            }
        });
    for (auto& th : threads) th.join();
    for (int k = 0; k < kLooks; ++k) {
        for (int t = 1; t < kThreads; ++t) ASSERT_EQ(numbers[static_cast<size_t>(t)][static_cast<size_t>(k)], numbers[0][static_cast<size_t>(k)]);
        const CellLooks& back = looks_table::At(numbers[0][static_cast<size_t>(k)]);
        EXPECT_EQ(back.foreColor, 0x123400 + k);
        EXPECT_EQ(back.indentLeft, 1);
    }
}

} // namespace
} // namespace lattix::test
