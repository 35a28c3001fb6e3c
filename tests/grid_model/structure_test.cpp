#include "test_support.h"

#include "runtime/conversions.h"

using namespace lattix;
using namespace lattix_test;

namespace {
// Column-1 values in row order: each row of NumberedGrid is recognised by r * 100 + 1.
std::vector<int32_t> RowIds(const Lattix& g) {
    std::vector<int32_t> v;
    for (int32_t r = 1; r <= g.RowCount(); ++r) v.push_back(ToInt32(g.Cell(r, 1).value()) / 100);
    return v;
}
std::shared_ptr<Lattix> KeyedGrid(int rows) {
    auto g = NumberedGrid(2, rows);
    for (int r = 1; r <= rows; ++r) g->SetRowKey(r, "k" + std::to_string(r));
    return g;
}
} // namespace

TEST(RemoveRows, CountsKeysSelectionAndCurrentRowFollow) {
    auto g = KeyedGrid(6);
    g->SetCurRow(5);
    g->SetCurCol(2);
    g->RemoveRow(Variant(2), 2);
    EXPECT_EQ(RowIds(*g), (std::vector<int32_t>{1, 4, 5, 6}));
    EXPECT_EQ(g->RowIndex("k2"), 0);
    EXPECT_EQ(g->RowIndex("k5"), 3);
    EXPECT_EQ(g->CurRow(), 3);
    EXPECT_TRUE(g->Selection().contains(3, 2));
    EXPECT_EQ(g->FreeSlotCount(), 2u);
    EXPECT_EQ(g->DisplayedRowCount(), 4);
    g->RemoveRow(Variant("k5"));
    EXPECT_EQ(g->CurRow(), 0);
    EXPECT_EQ(g->Selection().count(), 0);
    EXPECT_EQ(LattixCode([&] { g->RemoveRow(Variant(1), 0); }), 514);
    EXPECT_EQ(LattixCode([&] { g->RemoveRow(Variant(2), 3); }), 514);
    EXPECT_EQ(LattixCode([&] { g->RemoveRow(Variant("nope")); }), 513);
    EXPECT_EQ(RowIds(*g), (std::vector<int32_t>{1, 4, 6}));
    // A new row takes the oldest released slot.
    const int32_t oldest = g->FreeSlots().front();
    g->AddRow();
    EXPECT_EQ(g->Row(4).cellSlot, oldest);
}

TEST(RemoveRows, NestedRowsGoWithTheirRowAndButtonsFollow) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    g->SetTreeCol(1);
    g->SetAddRowAutoTreeButton(true);
    for (int level : {0, 1, 2, 2, 0}) AddTreeRow(*g, level);
    EXPECT_EQ(g->RowTreeButton(Variant(2)), 2);
    // lCount 0 is accepted for a row with nested rows.
    g->RemoveRow(Variant(2), 0);
    EXPECT_EQ(Levels(*g), (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(g->RowTreeButton(Variant(1)), 1);
    // Removing every row acts as Clear.
    g->SetCurRow(1);
    g->RemoveRow(Variant(1), 2);
    EXPECT_EQ(g->RowCount(), 0);
    EXPECT_EQ(g->CurRow(), 0);
    EXPECT_EQ(g->CurCol(), 0);
    EXPECT_EQ(g->AllocatedRows(), 0);
}

TEST(RemoveColumns, IndexRangesAndTheRowTextColumn) {
    auto g = NumberedGrid(4, 2);
    g->SetColPos(Variant(4), 1); // display order 4 1 2 3
    g->SetColKey(5, "rowtext");  // the row text column takes a key
    g->SetCurCol(4);
    g->RemoveCol(Variant(2), 2); // indices 2 and 3 go
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->ColFromPos(1), 2); // the old index 4
    EXPECT_EQ(g->CellValue(Variant(1), Variant(2)), Variant(104));
    EXPECT_EQ(g->CellValue(Variant(2), Variant(3)), Variant(205)); // the row text column
    EXPECT_EQ(g->ColIndex("rowtext"), 3);
    EXPECT_EQ(g->CurCol(), 2);
    EXPECT_EQ(g->HeaderItems(), (std::vector<int32_t>{2, 1}));
    EXPECT_EQ(LattixCode([&] { g->RemoveCol(Variant(3)); }), 514);
    EXPECT_EQ(LattixCode([&] { g->RemoveCol(Variant(2), 2); }), 514);
    EXPECT_EQ(LattixCode([&] { g->RemoveCol(Variant(1), 0); }), 514);
    EXPECT_EQ(LattixCode([&] { g->RemoveCol(Variant(8)); }), 513);
    EXPECT_EQ(g->ColCount(), 2);
    g->RemoveCol(Variant(1), 2); // every column: every row goes too
    EXPECT_EQ(g->ColCount(), 0);
    EXPECT_EQ(g->RowCount(), 0);
    EXPECT_EQ(g->RowTextCol(), 1);
}

TEST(RemoveColumns, ColumnsGoWhileRowsAreReservedButGone) {
    auto g = NumberedGrid(3, 5);
    g->SetRowCount(0);
    g->SetColCount(2);
    g->SetRowCount(3); // the reserve must still have room for the new rows
    g->SetCellValue(Variant(3), Variant(3), Variant(7));
    EXPECT_EQ(g->CellValue(Variant(3), Variant(3)), Variant(7));
    g->RemoveCol(Variant(1));
    g->SetRowCount(4);
    EXPECT_EQ(g->CellValue(Variant(3), Variant(2)), Variant(7));
}

TEST(ClearGrid, RowsOnlyOrEverything) {
    auto g = KeyedGrid(3);
    g->SetCurRow(2);
    g->Clear();
    EXPECT_EQ(g->RowCount(), 0);
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->RowIndex("k1"), 0);
    EXPECT_EQ(g->CurRow(), 0);
    EXPECT_EQ(g->Selection().count(), 0);
    g->SetRowCount(2);
    g->Clear(true);
    EXPECT_EQ(g->ColCount(), 0);
    EXPECT_TRUE(g->HeaderItems().empty());
    std::vector<Variant> none;
    g->invoke("Clear", InvokeKind::Method, none);
}

TEST(MoveRows, FlatModeTargetsAndChecks) {
    auto g = KeyedGrid(6);
    g->MoveRow(Variant(1), Variant(5));
    EXPECT_EQ(RowIds(*g), (std::vector<int32_t>{2, 3, 4, 1, 5, 6}));
    EXPECT_EQ(g->RowIndex("k1"), 4);
    g->MoveRow(Variant(4), Variant(1), 1, 1); // after row 1
    EXPECT_EQ(RowIds(*g), (std::vector<int32_t>{2, 1, 3, 4, 5, 6}));
    auto h = KeyedGrid(6);
    h->MoveRow(Variant(1), Variant(5), 1, 1);
    EXPECT_EQ(RowIds(*h), (std::vector<int32_t>{2, 3, 4, 5, 1, 6}));
    h->MoveRow(Variant(4), Variant(1), 3); // a block up front
    EXPECT_EQ(RowIds(*h), (std::vector<int32_t>{5, 1, 6, 2, 3, 4}));
    EXPECT_EQ(h->RowIndex("k6"), 3);

    auto f = KeyedGrid(6);
    const uint64_t redraws = f->FullRedrawCount();
    f->MoveRow(Variant(3), Variant(4)); // r to r + 1 before: nothing
    EXPECT_EQ(RowIds(*f), (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(f->FullRedrawCount(), redraws);
    EXPECT_EQ(LattixCode([&] { f->MoveRow(Variant(1), Variant(2), 3); }), 513);
    EXPECT_EQ(LattixCode([&] { f->MoveRow(Variant(5), Variant(1), 3); }), 513);
    EXPECT_EQ(LattixCode([&] { f->MoveRow(Variant(1), Variant(2), 0); }), 514);
    EXPECT_EQ(LattixCode([&] { f->MoveRow(Variant(1), Variant(2), 1, 3); }), 514);
    EXPECT_EQ(LattixCode([&] { f->MoveRow(Variant(1), Variant(2), 1, -1); }), 514);
    EXPECT_EQ(LattixCode([&] { f->MoveRow(Variant(1), Variant(7)); }), 513);
    EXPECT_EQ(RowIds(*f), (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));
}

TEST(MoveRows, SelectionAndCurrentRowFollowTheMapping) {
    auto g = KeyedGrid(5);
    g->SetCurRow(2);
    g->SetCurCol(1);
    g->MoveRow(Variant(1), Variant(5), 2, 1); // rows 1-2 after row 5
    EXPECT_EQ(RowIds(*g), (std::vector<int32_t>{3, 4, 5, 1, 2}));
    EXPECT_EQ(g->CurRow(), 5);
    EXPECT_TRUE(g->Selection().contains(5, 1));
    EXPECT_TRUE(g->Cell(5, 1).selected());
    g->MoveRow(Variant(5), Variant(1));
    EXPECT_EQ(g->CurRow(), 1);
    EXPECT_EQ(g->Row(1).visibleIndex, 1);
    EXPECT_EQ(g->Row(5).visibleIndex, 5);
}

TEST(MoveRows, TreeModeMovesSubtreesAndKeepsVisibilitySound) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    g->SetTreeCol(1);
    g->SetAddRowAutoTreeButton(true);
    // 1:A0 2:B1 3:C2 4:D0 5:E1
    for (int level : {0, 1, 2, 0, 1}) AddTreeRow(*g, level);
    EXPECT_EQ(LattixCode([&] { g->MoveRow(Variant(2), Variant(3)); }), 513); // into its own nested rows
    EXPECT_EQ(Levels(*g), (std::vector<int32_t>{0, 1, 2, 0, 1}));

    g->SetRowExpanded(Variant(4), false); // E hidden
    g->SetRowExpanded(Variant(2), false); // C hidden
    // B (with C) as a child of D: lands right after D, both one level deeper than... B takes level 1.
    g->MoveRow(Variant(2), Variant(4), 1, 2);
    EXPECT_EQ(Levels(*g), (std::vector<int32_t>{0, 0, 1, 2, 1}));
    EXPECT_EQ(g->RowTreeButton(Variant(1)), 1); // A lost its only child
    EXPECT_EQ(g->RowTreeButton(Variant(2)), 2);
    EXPECT_EQ(Displayed(*g), (std::vector<bool>{true, true, false, false, false}));
    EXPECT_EQ(g->DisplayedRowCount(), 2);
    g->SetRowExpanded(Variant(2), true);
    // B is collapsed: C stays hidden; E shows.
    EXPECT_EQ(Displayed(*g), (std::vector<bool>{true, true, true, false, true}));
    EXPECT_EQ(g->DisplayedRowCount(), 4);
    // B back to the top level, before A: it shows; C stays behind the collapsed B.
    g->MoveRow(Variant(3), Variant(1), 1, 0);
    EXPECT_EQ(Levels(*g), (std::vector<int32_t>{0, 1, 0, 0, 1}));
    EXPECT_EQ(Displayed(*g), (std::vector<bool>{true, false, true, true, true}));
    EXPECT_EQ(g->RowTreeButton(Variant(4)), 2);
    // Expanding B at its new place shows C.
    g->SetRowExpanded(Variant(1), true);
    EXPECT_EQ(g->DisplayedRowCount(), 5);
}

TEST(MoveRows, MovingAnExpandedSubtreeUnderAnExpandedRowShowsAllOfIt) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    g->SetTreeCol(1);
    for (int level : {0, 1, 2, 0}) AddTreeRow(*g, level);
    g->SetRowExpanded(Variant(4), false);
    g->SetRowExpanded(Variant(1), false); // B and C hidden
    g->MoveRow(Variant(1), Variant(4), 1, 1); // A (with B, C) after D, level 0 stays
    EXPECT_EQ(Levels(*g), (std::vector<int32_t>{0, 0, 1, 2}));
    g->SetRowExpanded(Variant(2), true);
    EXPECT_EQ(g->DisplayedRowCount(), 4);
    // As a child of a collapsed row, the whole block hides.
    AddTreeRow(*g, 0);
    g->SetRowExpanded(Variant(5), false);
    g->MoveRow(Variant(2), Variant(5), 1, 2);
    EXPECT_EQ(Levels(*g), (std::vector<int32_t>{0, 0, 1, 2, 3}));
    EXPECT_EQ(g->DisplayedRowCount(), 2);
}
