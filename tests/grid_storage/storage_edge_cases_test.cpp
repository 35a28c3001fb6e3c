// Edge cases of adding, counting and addressing rows and columns.
#include "test_support.h"

#include "grid/objects/cell_object.h"
#include "grid/objects/header_object.h"

namespace lattix {
namespace {

using test::Code;
using test::ExpectError;

TEST(AddCol, IndicesKeysWidthsAndTheRowTextColumn) {
    auto g = Lattix::Create();
    g->AddCol({.sKey = "A", .lCount = 3});
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(g->RowTextCol(), 4);
    EXPECT_EQ(g->Column(4).index, 4);
    EXPECT_EQ(g->ColKey(1), "A");
    EXPECT_EQ(g->ColKey(2), "");
    EXPECT_EQ(g->ColIndex("a"), 1);
    ExpectError(Code(515), [&] { g->AddCol({.sKey = "a"}); });
    EXPECT_EQ(g->ColCount(), 3);

    // Width limits: the minimum wins over a smaller width; a maximum below the minimum is rejected.
    g->AddCol({.lWidth = 10, .lMinWidth = 20});
    EXPECT_EQ(g->Column(4).width, 20);
    ExpectError(Code(519), [&] { g->AddCol({.lMinWidth = 50, .lMaxWidth = 40}); });
    ExpectError(Code(514), [&] { g->AddCol({.lWidth = -5}); });
    ExpectError(Code(514), [&] { g->AddCol({.lCount = 0}); });
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->Column(5).width, 64); // the row text column keeps its default

    // Inserting before position 2 takes index 2 and renumbers the later columns.
    g->SetRowCount(2);
    g->SetCellValue(Variant(1), Variant(2), Variant("was 2"));
    g->AddCol({.sKey = "new", .vColBefore = Variant(2)});
    EXPECT_EQ(g->ColIndex("new"), 2);
    EXPECT_EQ(g->CellValue(Variant(1), Variant(3)), Variant("was 2"));
    EXPECT_EQ(g->Column(2).index, 2);
    EXPECT_EQ(g->Column(3).index, 3);
    EXPECT_EQ(g->RowTextCol(), 6);
    // The omitted tag of an added column is the omitted-argument value, not Empty.
    EXPECT_TRUE(g->ColTag(Variant(1)).isMissing());
}

TEST(AddCol, ReturnsTheDefaultCellOfTheFirstNewColumnAndNewCellsCopyIt) {
    auto g = Lattix::Create();
    auto first = g->AddCol({.lCount = 2});
    EXPECT_EQ(first, g->ColDefaultCell(Variant(1)));
    first->SetValue(Variant(7.0));
    g->SetRowCount(2);
    EXPECT_EQ(g->CellValue(Variant(2), Variant(1)), Variant(7.0));
    EXPECT_EQ(g->CellValue(Variant(2), Variant(2)), Variant(std::string()));
}

TEST(ColCount, GrowsWithTemplateTextsAndShrinksByIndex) {
    auto g = Lattix::Create();
    g->SetColCount(3);
    EXPECT_EQ(g->Column(1).headerText, "Col 1");
    EXPECT_EQ(g->Column(3).headerText, "Col 3");
    EXPECT_EQ(g->HeaderItems(), (std::vector<int32_t>{1, 2, 3}));
    g->SetRowCount(2);
    g->SetColCount(5);
    for (int c = 1; c <= 5; ++c) g->SetCellValue(Variant(1), Variant(c), Variant(c * 10));
    g->SetCellValue(Variant(1), Variant(6), Variant("row text"));
    g->SetColCount(3);
    EXPECT_EQ(g->RowTextCol(), 4);
    EXPECT_EQ(g->CellValue(Variant(1), Variant(3)), Variant(30));
    EXPECT_EQ(g->CellValue(Variant(1), Variant(4)), Variant("row text"));
    ExpectError(Code(514), [&] { g->SetColCount(-1); });
    EXPECT_EQ(g->ColCount(), 3);
}

TEST(ColCount, ZeroRemovesEveryRowAndClearsTheCurrentRow) {
    auto g = Lattix::Create();
    g->SetColCount(2);
    g->SetRowCount(4);
    g->SetCurRow(3);
    g->SetCurCol(2);
    g->SetColCount(0);
    EXPECT_EQ(g->RowCount(), 0);
    EXPECT_EQ(g->CurRow(), 0);
    EXPECT_EQ(g->CurCol(), 0);
    EXPECT_EQ(g->RowTextCol(), 1);
    EXPECT_EQ(g->AllocatedRows(), 0);
}

TEST(AddRow, KeysArePositionsThatFollowInsertions) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    g->AddRow({.sKey = "k"});
    ExpectError(Code(515), [&] { g->AddRow({.sKey = "k"}); });
    EXPECT_EQ(g->RowCount(), 1);
    EXPECT_EQ(g->RowIndex("K"), 0); // row keys are case-sensitive
    g->AddRow({.sKey = "b"});
    g->AddRow({.sKey = "c"});
    g->SetCurRow(2);
    EXPECT_EQ(g->AddRow({.sKey = "front", .vRowBefore = Variant(1)}), 1);
    EXPECT_EQ(g->RowIndex("front"), 1);
    EXPECT_EQ(g->RowIndex("k"), 2);
    EXPECT_EQ(g->RowIndex("b"), 3);
    EXPECT_EQ(g->RowIndex("c"), 4);
    EXPECT_EQ(g->CurRow(), 3); // the current row moved down with its row
    EXPECT_EQ(g->RowIndex(""), 0);
    // A row address may be a key.
    g->SetCellValue(Variant("b"), Variant(1), Variant(3.5));
    EXPECT_EQ(g->CellValue(Variant(3), Variant(1)), Variant(3.5));
}

TEST(AddRow, ParentPlacesRowsAfterItsLastNestedRow) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    g->AddRow({.sKey = "p"});
    g->AddRow({.sKey = "q"});
    int32_t child = g->AddRow({.vRowBefore = Variant(2), .vRowParent = Variant("p"), .btLevel = 7});
    EXPECT_EQ(child, 2);
    EXPECT_EQ(g->Row(2).level, 1);
    int32_t grandchild = g->AddRow({.vRowParent = Variant(2)});
    EXPECT_EQ(grandchild, 3);
    EXPECT_EQ(g->Row(3).level, 2);
    int32_t second = g->AddRow({.vRowParent = Variant("p")});
    EXPECT_EQ(second, 4);
    EXPECT_EQ(g->RowIndex("q"), 5);
    // A collapsed parent hides new children.
    g->AddRow({.sKey = "collapsed", .bExpanded = false});
    int before = g->DisplayedRowCount();
    g->AddRow({.vRowParent = Variant("collapsed")});
    EXPECT_EQ(g->DisplayedRowCount(), before);
    EXPECT_FALSE(g->Row(g->RowCount()).flags & row_flags::kVisibleAsChild);
}

TEST(AddRow, RejectsValuesThatWouldSpillIntoPackedFields) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    ExpectError(Code(514), [&] { g->AddRow({.lCount = 0}); });
    ExpectError(Code(514), [&] { g->AddRow({.lHeight = 40000}); });
    ExpectError(Code(514), [&] { g->AddRow({.eTreeButton = 3}); });
    ExpectError(Code(514), [&] { g->AddRow({.eTreeButton = -1}); });
    ExpectError(Code(513), [&] { g->AddRow({.vRowBefore = Variant(5)}); });
    ExpectError(Code(513), [&] { g->AddRow({.vRowParent = Variant("nobody")}); });
    EXPECT_EQ(g->RowCount(), 0);
    // A chain of 256 levels: the 257th would need level 256.
    int32_t parent = g->AddRow({});
    for (int i = 0; i < 255; ++i) parent = g->AddRow({.vRowParent = Variant(parent)});
    EXPECT_EQ(g->Row(parent).level, 255);
    int32_t rows = g->RowCount();
    ExpectError(Code(514), [&] { g->AddRow({.vRowParent = Variant(parent)}); });
    EXPECT_EQ(g->RowCount(), rows);
    EXPECT_EQ(g->AddRow({.lHeight = 32767}), rows + 1);
    EXPECT_EQ(g->Row(rows + 1).height, 32767);
}

TEST(RowCount, ShrinkingQueuesSlotsThatGrowingReuses) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    g->SetRowCount(5);
    int32_t slot4 = g->Row(4).cellSlot, slot5 = g->Row(5).cellSlot;
    g->SetCellValue(Variant(4), Variant(1), Variant(44));
    g->SetRowTag(Variant(4), Variant("tag"));
    g->SetRowKey(4, "four");
    g->SetRowCount(3);
    EXPECT_EQ(g->FreeSlotCount(), 2u);
    EXPECT_EQ(g->RowIndex("four"), 0);
    g->SetRowCount(5);
    EXPECT_EQ(g->Row(4).cellSlot, slot4);
    EXPECT_EQ(g->Row(5).cellSlot, slot5);
    EXPECT_EQ(g->CellValue(Variant(4), Variant(1)), Variant(std::string()));
    EXPECT_TRUE(g->RowTag(Variant(4)).isEmpty());
    EXPECT_EQ(g->RowKey(4), "");
    ExpectError(Code(514), [&] { g->SetRowCount(-1); });
}

TEST(RowCount, HugeRequestsRaiseOutOfMemoryAndChangeNothing) {
    auto g = Lattix::Create();
    g->SetColCount(10);
    g->SetRowCount(5);
    g->SetCellValue(Variant(5), Variant(10), Variant(1.5));
    ExpectError(Code(523), [&] { g->SetRowCount(2147483647); });
    ExpectError(Code(523), [&] { g->SetRowCount(2000000000); });
    ExpectError(Code(523), [&] { g->AddRow({.lCount = 2147483647}); });
    ExpectError(Code(523), [&] { g->AddRow({.lCount = 1500000000}); });
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->AllocatedRows(), 105);
    EXPECT_EQ(g->LayoutMark(), 0);
    EXPECT_EQ(g->CellValue(Variant(5), Variant(10)), Variant(1.5));
    ExpectError(Code(523), [&] { g->AddCol({.lCount = 2147483647}); });
    // Counts below the limit that no memory could hold are refused before anything is allocated.
    ExpectError(Code(523), [&] { g->AddCol({.lCount = 2000000000}); });
    ExpectError(Code(523), [&] { g->SetColCount(2000000000); });
    EXPECT_EQ(g->ColCount(), 10);
    EXPECT_EQ(g->CellValue(Variant(5), Variant(10)), Variant(1.5));
    // A row count whose row table memory could hold but whose cells it could not.
    g->SetColCount(400);
    ExpectError(Code(523), [&] { g->AddRow({.lCount = 100000000}); });
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->AllocatedRows(), 105);
}

TEST(MemoryReserve, AllocatedRowsFollowTheReserve) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    g->AddRow({});
    EXPECT_EQ(g->Sys(25), Variant(101));
    g->AddRow({.lCount = 2});
    EXPECT_EQ(g->Sys(25), Variant(101));
    auto h = Lattix::Create();
    h->SetMemMngWantFreeRows(0);
    h->AddRow({});
    h->AddRow({});
    h->AddRow({});
    EXPECT_EQ(h->Sys(25), Variant(3));
    ExpectError(Code(514), [&] { h->SetMemMngWantFreeRows(-1); });
    EXPECT_EQ(h->MemMngWantFreeRows(), 0);
}

TEST(Addresses, NumbersRoundHalfToEvenStringsAreKeysOtherTypesFail) {
    auto g = Lattix::Create();
    g->AddCol({.sKey = "key"});
    g->AddCol({});
    g->SetRowCount(4);
    g->SetCellValue(Variant(2.5), Variant(1), Variant("two"));
    EXPECT_EQ(g->CellValue(Variant(2), Variant(1)), Variant("two"));
    g->SetCellValue(Variant(3.5), Variant(1), Variant("four"));
    EXPECT_EQ(g->CellValue(Variant(4), Variant(1)), Variant("four"));
    g->SetCellValue(Variant(int16_t{1}), Variant(Currency{20000}), Variant("cur"));
    EXPECT_EQ(g->CellValue(Variant(1), Variant(2)), Variant("cur"));
    // The empty key addresses the first keyless column in display order.
    g->SetCellValue(Variant(1), Variant(""), Variant("keyless"));
    EXPECT_EQ(g->CellValue(Variant(1), Variant(2)), Variant("keyless"));
    ExpectError(Code(513), [&] { g->CellValue(Variant(true), Variant(1)); });
    ExpectError(Code(513), [&] { g->CellValue(Variant(), Variant(1)); });
    ExpectError(Code(513), [&] { g->CellValue(Variant(Date{2.0}), Variant(1)); });
    ExpectError(Code(513), [&] { g->CellValue(Variant(0), Variant(1)); });
    ExpectError(Code(513), [&] { g->CellValue(Variant(1), Variant(4)); });
    ExpectError(runtime_error_number::kOverflow, [&] { g->CellValue(Variant(1e10), Variant(1)); });
    ExpectError(runtime_error_number::kOverflow, [&] { g->SetCellValue(Variant(1), Variant(-3e9), Variant(1)); });
    // Column positions compare the number with the index exactly, and look up anything else as a key.
    EXPECT_EQ(g->ColPos(Variant(2.0)), 2);
    ExpectError(Code(513), [&] { g->ColPos(Variant(1.5)); });
    EXPECT_EQ(g->ColPos(Variant("KEY")), 1);
    EXPECT_EQ(g->ColPos(Variant()), 2);
    ExpectError(runtime_error_number::kTypeMismatch, [&] { g->ColPos(Variant::null()); });
    EXPECT_EQ(g->ColPos(Variant(3)), 3); // the row text column
}

TEST(KeysAndTags, LetsCheckDuplicatesAndTagsKeepTheirVariant) {
    auto g = Lattix::Create();
    g->AddCol({.sKey = "Name"});
    g->AddCol({});
    g->SetRowCount(3);
    EXPECT_TRUE(g->RowTag(Variant(1)).isEmpty());
    g->SetRowKey(1, "x");
    ExpectError(Code(515), [&] { g->SetRowKey(2, "x"); });
    EXPECT_EQ(g->RowKey(2), "");
    g->SetRowKey(1, "y");
    EXPECT_EQ(g->RowIndex("x"), 0);
    EXPECT_EQ(g->RowIndex("y"), 1);
    g->SetRowKey(1, "");
    EXPECT_EQ(g->RowIndex("y"), 0);
    ExpectError(Code(513), [&] { g->RowKey(4); });
    ExpectError(Code(515), [&] { g->SetColKey(2, "NAME"); });
    g->SetColKey(1, "NAME"); // its own key, other case
    EXPECT_EQ(g->ColKey(1), "NAME");
    g->SetColKey(2, "");
    g->SetColKey(3, ""); // any number of empty keys
    auto obj = g->ColDefaultCell(Variant(1));
    g->SetColTag(Variant(2), Variant(std::static_pointer_cast<AutomationObject>(obj)));
    EXPECT_EQ(g->ColTag(Variant(2)).object(), obj);
    g->SetRowTag(Variant(3), Variant(Currency{12345}));
    EXPECT_EQ(g->RowTag(Variant(3)), Variant(Currency{12345}));
}

TEST(StoreInitRowNumbers, KeysTagsAndFirstColumnGetTheCreationPosition) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    g->SetStoreInitRowNumbers(1);
    g->SetRowCount(3);
    EXPECT_EQ(g->RowKey(2), "2");
    g->AddRow({.vRowBefore = Variant(1)});
    EXPECT_EQ(g->RowIndex("2"), 3);
    EXPECT_EQ(g->RowKey(1), ""); // "1" was taken when this row was created at position 1
    g->SetStoreInitRowNumbers(2);
    g->AddRow({.vTag = Variant("given")});
    EXPECT_EQ(g->RowTag(Variant(5)), Variant(5));
    g->SetStoreInitRowNumbers(3);
    g->AddRow({});
    EXPECT_EQ(g->CellValue(Variant(6), Variant(1)), Variant(6));
    g->SetStoreInitRowNumbers(9); // acts as nowhere
    g->AddRow({});
    EXPECT_EQ(g->CellValue(Variant(7), Variant(1)), Variant(std::string()));
}

TEST(CurrentCell, RangeChecksAndEvents) {
    auto g = Lattix::Create();
    g->SetColCount(2);
    g->SetRowCount(3);
    std::vector<std::string> seen;
    g->events()->connect([&](const EventInfo& e, std::span<Variant>) { seen.push_back(e.name); });
    ExpectError(Code(513), [&] { g->SetCurRow(4); });
    ExpectError(Code(513), [&] { g->SetCurRow(-1); });
    ExpectError(Code(513), [&] { g->SetCurCol(4); });
    EXPECT_TRUE(seen.empty());
    g->SetCurCol(3); // the row text column
    g->SetCurRow(2);
    EXPECT_EQ(g->CurRow(), 2);
    EXPECT_EQ(g->CurCol(), 3);
    seen.clear();
    g->SetCurRow(2);
    EXPECT_TRUE(seen.empty());
    g->SetCurRow(0);
    EXPECT_EQ(g->CurRow(), 0);
    EXPECT_NE(std::find(seen.begin(), seen.end(), "CurRowChange"), seen.end());
}

TEST(Reentrancy, StructuralCallsFromAHandlerInTheMiddleOfAnOperationRaise522) {
    auto g = Lattix::Create();
    g->SetColCount(2);
    g->SetRowCount(3);
    g->SetCurRow(2);
    g->SetCurCol(1);
    ASSERT_EQ(g->Selection().count(), 1);
    bool raised = false;
    int32_t rowsSeenInHandler = -1;
    g->events()->connect([&](const EventInfo& e, std::span<Variant>) {
        if (e.name != "BeforeSelectionChange") return;
        rowsSeenInHandler = g->RowCount(); // reads are allowed
        try {
            g->SetRowCount(0);
        } catch (const AutomationError& err) {
            raised = err.unsignedNumber() == 0x8004020Au;
        }
    });
    g->SetRowCount(1); // drops the selected cell: BeforeSelectionChange fires mid-operation
    EXPECT_TRUE(raised);
    EXPECT_EQ(rowsSeenInHandler, 3);
    EXPECT_EQ(g->RowCount(), 1);
    EXPECT_EQ(g->CurRow(), 0);
}

TEST(Frame, UIStringsSupportsAndDetachedObjects) {
    auto g = Lattix::Create();
    EXPECT_EQ(g->UIStrings(1), "Sort Ascending");
    EXPECT_EQ(g->UIStrings(31), "Paste Operation");
    EXPECT_EQ(g->UIStrings(4), "Don't Group By This Column");
    ExpectError(Code(514), [&] { g->UIStrings(0); });
    ExpectError(Code(514), [&] { g->SetUIStrings(32, "x"); });
    g->SetUIStrings(2, "Z to A");
    EXPECT_EQ(g->UIStrings(2), "Z to A");
    EXPECT_TRUE(g->Supports(0));
    EXPECT_FALSE(g->Supports(1));
    EXPECT_FALSE(g->Supports(2)); // common controls 6 has no flat scroll bars
    EXPECT_TRUE(g->Supports(3));
    ExpectError(Code(514), [&] { g->Supports(4); });
    ExpectError(Code(513), [&] { g->ContextMenuCustomItems(6); });

    Lattix::Options old;
    old.system = {.osMajor = 5, .osMinor = 0, .commonControlsMajor = 5, .commonControlsMinor = 81, .bitsPerPixel = 8};
    auto o = Lattix::Create(old);
    EXPECT_FALSE(o->Supports(0));
    EXPECT_TRUE(o->Supports(2));
    EXPECT_FALSE(o->Supports(3));
    old.system = {.osMajor = 5, .osMinor = 1, .hasCommonControlsVersion = false};
    EXPECT_FALSE(Lattix::Create(old)->Supports(0)); // no version entry point counts as 4.0
    old.system = {.osMajor = 4, .osMinor = 10, .ntFamily = false};
    EXPECT_TRUE(Lattix::Create(old)->Supports(3));
    EXPECT_FALSE(Lattix::Create(old)->IsUnicode());

    g->SetColCount(1);
    auto cell = g->ColDefaultCell(Variant(1));
    auto header = g->Header();
    g.reset();
    cell->SetValue(Variant(3)); // a detached cell object keeps working
    EXPECT_EQ(cell->Value(), Variant(3));
    ExpectError(Code(522), [&] { header->Height(); });
}

} // namespace
} // namespace lattix
