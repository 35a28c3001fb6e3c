// Structural operations renumber and drop selected cells with one event pair.
#include "selection_test_support.h"

using namespace lattix_test;
using Strings = std::vector<std::string>;

namespace {
std::shared_ptr<Lattix> GridWithBlock() {
    auto g = SelectionGrid(4, 8);
    g->SetCellSelected(Variant(3), Variant(2), true);
    g->SetCellSelected(Variant(5), Variant(4), true);
    return g;
}
} // namespace

TEST(StructuralSelection, InsertingRowsRenumbersWithContentsUnchanged) {
    auto g = GridWithBlock();
    EventLog log(*g);
    g->AddRow({.vRowBefore = Variant(4), .lCount = 2});
    EXPECT_EQ(log.take(), (Strings{"BeforeSelectionChange()", "AfterSelectionChange(False)"}));
    EXPECT_EQ(g->SelItems()->GetString(), "(3,2);(7,4)");
    EXPECT_EQ(SelectedCells(*g), "(3,2)(7,4)");
    g->AddRow(); // at the end: nothing to renumber, no selection events
    EXPECT_TRUE(log.take().empty());
}

TEST(StructuralSelection, RemovingRowsDropsAndRenumbers) {
    auto g = GridWithBlock();
    EventLog log(*g);
    g->RemoveRow(Variant(3));
    EXPECT_EQ(log.take(), (Strings{"QuitCustomEdit()", "BeforeSelectionChange()", "AfterSelectionChange(True)"}));
    EXPECT_EQ(g->SelItems()->GetString(), "(4,4)");
    g->SetRowCount(3); // drops row 4
    EXPECT_EQ(log.take(), (Strings{"QuitCustomEdit()", "BeforeSelectionChange()", "AfterSelectionChange(True)"}));
    EXPECT_EQ(g->SelItems()->Count(), 0);
}

TEST(StructuralSelection, ColumnsRenumberAndDrop) {
    auto g = GridWithBlock();
    EventLog log(*g);
    g->AddCol({.vColBefore = Variant(1)});
    EXPECT_EQ(log.take(), (Strings{"QuitCustomEdit()", "BeforeSelectionChange()", "AfterSelectionChange(False)"}));
    EXPECT_EQ(g->SelItems()->GetString(), "(3,3);(5,5)");
    g->RemoveCol(Variant(3));
    EXPECT_EQ(log.take(), (Strings{"QuitCustomEdit()", "BeforeSelectionChange()", "AfterSelectionChange(True)"}));
    EXPECT_EQ(g->SelItems()->GetString(), "(5,4)");
}

TEST(StructuralSelection, MovingRowsRenumbersAndClearEmpties) {
    auto g = GridWithBlock();
    EventLog log(*g);
    g->MoveRow(Variant(5), Variant(1));
    EXPECT_EQ(log.take(), (Strings{"QuitCustomEdit()", "BeforeSelectionChange()", "AfterSelectionChange(False)"}));
    EXPECT_EQ(g->SelItems()->GetString(), "(1,4);(4,2)");
    g->MoveRow(Variant(7), Variant(6)); // rows without selected cells: no selection events
    EXPECT_EQ(log.count("BeforeSelectionChange"), 0);
    log.take();
    g->Clear();
    EXPECT_EQ(log.count("AfterSelectionChange(True)"), 1);
    EXPECT_EQ(g->SelItems()->Count(), 0);
}
