#include <gtest/gtest.h>

#include "grid/lattix.h"
#include "grid/lattix_error.h"
#include "runtime/automation_error.h"

using namespace lattix;

TEST(StorageSmoke, AddColumnsRowsAndValuesThroughBothPaths) {
    auto g = Lattix::Create();
    EXPECT_EQ(g->ColCount(), 0);
    EXPECT_EQ(g->RowTextCol(), 1);
    g->AddCol({.sKey = "A", .sHeader = "Header A"});
    EXPECT_EQ(g->RowTextCol(), 2);
    g->SetRowCount(3);
    g->SetCellValue(Variant(2), Variant("a"), Variant(5.5));
    EXPECT_EQ(g->CellValue(Variant(2), Variant(1)), Variant(5.5));
    std::vector<Variant> args{Variant(2), Variant(1)};
    EXPECT_EQ(g->invoke(0x680300AB, InvokeKind::Get, args), Variant(5.5));
    EXPECT_EQ(g->invoke("rowcount", InvokeKind::Get), Variant(3));
}
