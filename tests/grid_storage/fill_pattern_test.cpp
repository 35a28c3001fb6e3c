// Rows created in bulk share one pattern of new-row cells until a cell of their block is written: every
// reader and writer sees the same values as with cells written out one by one, through writes,
// structural changes, sorting, bulk exchange and RowCount growth and shrinking.
#include "grid/objects/cell_object.h"
#include "test_support.h"

using namespace lattix;
using namespace lattix::test;

namespace {

constexpr int32_t kBlock = CellStorage::kSlotsPerBlock;

std::shared_ptr<Lattix> PatternGrid(int32_t cols, int32_t rows) {
    auto g = Lattix::Create();
    g->SetMemMngWantFreeRows(0);
    g->SetColCount(cols);
    g->SetRowCount(rows);
    return g;
}

bool RowIsPattern(const Lattix& g, int32_t row) { return g.Cells().slotIsPattern(g.Row(row).cellSlot); }

// Every value of the grid's data cells, read through LoadIntoArray (a bulk reader).
ArrayRef Snapshot(const Lattix& g) {
    ArrayRef a = SafeArray::make2D(0, g.RowCount(), 0, g.ColCount());
    g.LoadIntoArray(Variant(1), Variant(1), Variant(a));
    return a;
}

} // namespace

TEST(FillPattern, UntouchedRowsReadTheirColumnsDefaultsWithoutBeingWritten) {
    auto g = Lattix::Create();
    g->SetColCount(3);
    g->ColDefaultCell(Variant(2))->SetValue(Variant(2.5));
    g->ColDefaultCell(Variant(3))->SetValue(Variant("text"));
    g->ColDefaultCell(Variant(3))->SetoBackColor(0x123456);
    g->SetRowCount(3 * kBlock + 5);
    for (int32_t r : {1, kBlock, kBlock + 1, 3 * kBlock + 5}) {
        EXPECT_EQ(g->CellValue(Variant(r), Variant(1)), Variant(""));
        EXPECT_EQ(g->CellValue(Variant(r), Variant(1)).type(), VarType::String);
        EXPECT_EQ(g->CellValue(Variant(r), Variant(2)), Variant(2.5));
        EXPECT_EQ(g->CellValue(Variant(r), Variant(3)), Variant("text"));
        EXPECT_EQ(g->CellBackColor(Variant(r), Variant(3)), 0x123456);
        EXPECT_EQ(g->CellBackColor(Variant(r), Variant(1)), -1);
        EXPECT_TRUE(RowIsPattern(*g, r)) << r;
    }
    // A write writes out its block only; the block's other rows keep their defaults.
    g->SetCellValue(Variant(kBlock + 2), Variant(3), Variant(7.0));
    EXPECT_FALSE(RowIsPattern(*g, kBlock + 1));
    EXPECT_TRUE(RowIsPattern(*g, 1));
    EXPECT_TRUE(RowIsPattern(*g, 2 * kBlock + 1));
    EXPECT_EQ(g->CellValue(Variant(kBlock + 2), Variant(3)), Variant(7.0));
    EXPECT_EQ(g->CellValue(Variant(kBlock + 1), Variant(3)), Variant("text"));
    EXPECT_EQ(g->CellValue(Variant(2 * kBlock), Variant(2)), Variant(2.5));
    EXPECT_EQ(g->CellBackColor(Variant(kBlock + 3), Variant(3)), 0x123456);
}

TEST(FillPattern, DefaultsChangedBetweenGrowthsApplyToTheRowsCreatedAfter) {
    auto g = PatternGrid(2, 500);
    g->ColDefaultCell(Variant(1))->SetValue(Variant(int32_t{1}));
    g->SetRowCount(kBlock + 100); // the first block mixes two sets of defaults
    g->ColDefaultCell(Variant(1))->SetValue(Variant(int32_t{2}));
    AddRowArgs a;
    a.lCount = 3;
    g->AddRow(a);
    a.vRowBefore = Variant(1);
    a.lCount = 1;
    g->AddRow(a); // inserted at the top
    EXPECT_EQ(g->CellValue(Variant(1), Variant(1)), Variant(int32_t{2}));
    for (int32_t r = 2; r <= 501; ++r) ASSERT_EQ(g->CellValue(Variant(r), Variant(1)), Variant("")) << r;
    for (int32_t r = 502; r <= kBlock + 101; ++r) ASSERT_EQ(g->CellValue(Variant(r), Variant(1)), Variant(int32_t{1})) << r;
    for (int32_t r = kBlock + 102; r <= kBlock + 104; ++r) EXPECT_EQ(g->CellValue(Variant(r), Variant(1)), Variant(int32_t{2}));
    EXPECT_EQ(g->RowCount(), kBlock + 104);
}

TEST(FillPattern, ShrinkingAndGrowingAgainGivesFreshDefaults) {
    auto g = PatternGrid(2, 3 * kBlock);
    g->SetCellValue(Variant(2 * kBlock + 10), Variant(1), Variant(5.0));
    g->SetCellValue(Variant(10), Variant(2), Variant("x"));
    g->SetRowCount(kBlock); // the written row goes; slots are queued for reuse
    g->SetRowCount(3 * kBlock + 7);
    for (int32_t r = kBlock + 1; r <= 3 * kBlock + 7; ++r) {
        ASSERT_EQ(g->CellValue(Variant(r), Variant(1)), Variant("")) << r;
        ASSERT_EQ(g->CellValue(Variant(r), Variant(2)), Variant("")) << r;
    }
    EXPECT_EQ(g->CellValue(Variant(10), Variant(2)), Variant("x"));
    // Shrinking to nothing and growing again.
    g->SetRowCount(0);
    g->SetRowCount(5);
    EXPECT_EQ(g->CellValue(Variant(5), Variant(1)), Variant(""));
    g->SetCellValue(Variant(5), Variant(1), Variant(int32_t{3}));
    EXPECT_EQ(g->CellValue(Variant(5), Variant(1)), Variant(int32_t{3}));
}

TEST(FillPattern, ColumnChangesKeepValuesAndGiveNewColumnsTheirDefaults) {
    auto g = PatternGrid(3, 2 * kBlock + 3);
    g->ColDefaultCell(Variant(3))->SetValue(Variant("c"));
    g->SetRowCount(3 * kBlock); // the third block gets "c" in column 3
    g->SetCellValue(Variant(kBlock + 1), Variant(2), Variant(8.0));
    AddColArgs add;
    add.vColBefore = Variant(2);
    std::shared_ptr<CellObject> fresh = g->AddCol(add);
    (void)fresh;
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->CellValue(Variant(kBlock + 1), Variant(3)), Variant(8.0));
    EXPECT_EQ(g->CellValue(Variant(1), Variant(2)), Variant(""));
    EXPECT_EQ(g->CellValue(Variant(3 * kBlock), Variant(4)), Variant("c"));
    EXPECT_EQ(g->CellValue(Variant(2), Variant(4)), Variant(""));
    EXPECT_TRUE(RowIsPattern(*g, 1));
    g->RemoveCol(Variant(1));
    EXPECT_EQ(g->CellValue(Variant(kBlock + 1), Variant(2)), Variant(8.0));
    EXPECT_EQ(g->CellValue(Variant(3 * kBlock), Variant(3)), Variant("c"));
    g->SetColCount(5);
    EXPECT_EQ(g->CellValue(Variant(3 * kBlock), Variant(5)), Variant(""));
    g->SetCellValue(Variant(3 * kBlock), Variant(5), Variant(int32_t{1}));
    EXPECT_EQ(g->CellValue(Variant(3 * kBlock), Variant(3)), Variant("c"));
}

TEST(FillPattern, SortingAndSelectingMixWrittenAndUntouchedRows) {
    auto g = PatternGrid(2, 3 * kBlock);
    g->ColDefaultCell(Variant(1))->SetValue(Variant(int32_t{0}));
    g->SetRowCount(4 * kBlock); // the last block holds zeros in column 1
    for (int32_t r = 1; r <= 3 * kBlock; r += 97) g->SetCellValue(Variant(r), Variant(1), Variant(int32_t{-r}));
    g->Sort(Variant(1));
    // Sorting moves rows, never values: the negatives come first, ascending, then the rest.
    const ArrayRef after = Snapshot(*g);
    EXPECT_EQ(after->at(0, 0), Variant(int32_t{-(3 * kBlock - (3 * kBlock - 1) % 97)}));
    int32_t negatives = 0, zeros = 0;
    for (int32_t r = 1; r <= g->RowCount(); ++r) {
        const Variant v = g->CellValue(Variant(r), Variant(1));
        if (v.type() == VarType::Int32 && v.get<int32_t>() < 0) ++negatives;
        if (v == Variant(int32_t{0})) ++zeros;
    }
    EXPECT_EQ(zeros, kBlock);
    EXPECT_EQ(negatives, (3 * kBlock + 96) / 97);
    g->SetMultiSelect(true);
    g->SelectAll();
    EXPECT_TRUE(g->CellSelected(Variant(4 * kBlock), Variant(2)));
    EXPECT_TRUE(g->CellSelected(Variant(1), Variant(1)));
}

TEST(FillPattern, BulkExchangeReadsAndWritesUntouchedBlocks) {
    auto g = PatternGrid(2, 2 * kBlock);
    ArrayRef in = SafeArray::make2D(0, 3, 0, 2);
    for (int32_t i = 0; i < 3; ++i) {
        in->at(i, 0) = Variant(i + 0.5);
        in->at(i, 1) = Variant(std::string(i, 'a'));
    }
    g->LoadFromArray(Variant(kBlock - 1), Variant(1), Variant(in)); // across two blocks
    const ArrayRef all = Snapshot(*g);
    EXPECT_EQ(g->CellValue(Variant(kBlock + 1), Variant(1)), Variant(2.5));
    EXPECT_EQ(g->CellValue(Variant(kBlock + 1), Variant(2)), Variant("aa"));
    EXPECT_EQ(g->CellValue(Variant(kBlock - 1), Variant(2)), Variant(""));
    EXPECT_EQ(g->CellValue(Variant(kBlock + 2), Variant(1)), Variant(""));
    // The bulk reader sees every default as the single reader does.
    for (int32_t r = 1; r <= 2 * kBlock; ++r)
        for (int32_t c = 1; c <= 2; ++c)
            ASSERT_EQ(all->at(r - 1, c - 1), g->CellValue(Variant(r), Variant(c))) << r << "," << c;
}

TEST(EmptyString, IsAStringValueEverywhereWithoutABox) {
    auto g = PatternGrid(1, 2);
    g->SetCellValue(Variant(1), Variant(1), Variant("abc"));
    g->SetCellValue(Variant(1), Variant(1), Variant(std::string()));
    EXPECT_EQ(g->CellValue(Variant(1), Variant(1)), Variant(""));
    EXPECT_EQ(g->CellValue(Variant(1), Variant(1)).type(), VarType::String);
    EXPECT_FALSE(CellRecord::NeedsBox(Variant("")));
    EXPECT_TRUE(CellRecord::NeedsBox(Variant("a")));
    CellRecord cell;
    cell.setValue(Variant(std::string()));
    EXPECT_FALSE(cell.isBoxed());
    EXPECT_EQ(cell.valueType(), VarType::String);
    EXPECT_EQ(cell.value(), Variant(""));
    const CellRecord copy = cell;
    EXPECT_EQ(copy.value(), Variant(""));
}
