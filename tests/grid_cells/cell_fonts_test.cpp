// Cell fonts, the font table, FontClone, the grid's Font and the live cell font link.
#include "test_support.h"

#include "grid/objects/cell_object.h"
#include "grid/objects/font_object.h"

namespace lattix {
namespace {

using test::Code;
using test::ExpectError;
using test::MakeGrid;
using test::V;

TEST(FontObject, NotifiesOnRealChangesAndOnlyWhileSubscribed) {
    auto f = FontObject::Create();
    int calls = 0;
    {
        auto sub = FontObject::Listen(f, [&](FontObject&) { ++calls; });
        f->SetBold(true);
        f->SetBold(true); // unchanged: no notification
        f->SetSize(Currency{120000});
        EXPECT_EQ(f->Weight(), 700);
        EXPECT_EQ(calls, 2);
        ExpectError(runtime_error_number::kInvalidProcedureCall, [&] { f->SetSize(Currency{0}); });
        ExpectError(runtime_error_number::kInvalidProcedureCall, [&] { f->SetWeight(1001); });
        EXPECT_EQ(f->Size(), Currency{120000});
    }
    f->SetItalic(true);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(f->ListenerCount(), 0u);
    // Late-bound access by the standard names.
    Variant yes[] = {Variant(true)};
    f->invoke("Underline", InvokeKind::Let, yes);
    EXPECT_TRUE(f->Underline());
    EXPECT_EQ(f->invoke("Name", InvokeKind::Get), Variant(f->Name()));
}

TEST(CellFont, LetUsesTheTableAndZeroForTheGridFont) {
    auto g = MakeGrid(2, 2);
    auto host = g->FontClone({.bBold = Variant(true)});
    g->SetCellFont(V(1), V(1), host);
    g->SetCellFont(V(2), V(2), host->Clone());
    EXPECT_EQ(g->Cell(1, 1).looks().fontIndex, 1);
    EXPECT_EQ(g->Cell(2, 2).looks().fontIndex, 1); // the same font: one entry
    EXPECT_EQ(g->Fonts().count(), 1u);
    // The host's object is not linked to the cell.
    host->SetItalic(true);
    EXPECT_FALSE(g->CellFont(V(1), V(1))->Italic());
    EXPECT_TRUE(g->CellFont(V(1), V(1))->Bold());

    // A font equal to the grid's Font stores 0, and the cell then follows the grid's font.
    g->SetCellFont(V(1), V(2), g->Font()->Clone());
    EXPECT_EQ(g->Cell(1, 2).looks().fontIndex, 0);
    g->Font()->SetName("Liberation Serif");
    EXPECT_EQ(g->CellFont(V(1), V(2))->Name(), "Liberation Serif");
    EXPECT_EQ(g->CellFont(V(1), V(1))->Name(), "DejaVu Sans");

    g->CellDefaultFont(V(1), V(1));
    EXPECT_EQ(g->Cell(1, 1).looks().fontIndex, 0);
    ExpectError(Code(513), [&] { g->SetCellFont(V(3), V(1), host); });
}

TEST(CellFont, ChangingTheReturnedObjectChangesThatCellOnly) {
    auto g = MakeGrid(2, 2);
    auto f = g->CellFont(V(1), V(2));
    ASSERT_EQ(f, g->LiveCellFont());
    uint64_t full = g->FullRedrawCount();
    f->SetBold(true);
    EXPECT_EQ(g->Cell(1, 2).looks().fontIndex, 1);
    EXPECT_TRUE(g->Cell(1, 2).changed());
    EXPECT_EQ(g->Cell(2, 2).looks().fontIndex, 0);
    EXPECT_FALSE(g->Font()->Bold()); // the grid's own font is untouched
    EXPECT_GT(g->FullRedrawCount(), full);

    // Only the latest object is watched.
    auto second = g->CellFont(V(2), V(1));
    f->SetItalic(true);
    EXPECT_EQ(g->Cell(1, 2).looks().fontIndex, 1);
    EXPECT_EQ(g->Fonts().count(), 1u);
    second->SetUnderline(true);
    EXPECT_EQ(g->Cell(2, 1).looks().fontIndex, 2);
}

TEST(CellFont, LinkFollowsRowMovesAndColumnRenumbering) {
    auto g = MakeGrid(3, 3);
    g->SetCellValue(V(3), V(3), Variant("target"));
    auto f = g->CellFont(V(3), V(3));
    g->MoveRow(V(3), V(1));                   // the row moves to the top
    g->AddCol({.vColBefore = V(1)});          // every column index shifts by one
    ASSERT_EQ(g->CellValue(V(1), V(4)), Variant("target"));
    f->SetBold(true);
    EXPECT_EQ(g->Cell(1, 4).looks().fontIndex, 1);
    for (int32_t r = 1; r <= 3; ++r)
        for (int32_t c = 1; c <= 5; ++c)
            if (r != 1 || c != 4) EXPECT_EQ(g->Cell(r, c).looks().fontIndex, 0) << r << "," << c;
    // Removing a column before it renumbers it again.
    g->RemoveCol(V(1));
    f->SetItalic(true);
    EXPECT_EQ(g->Cell(1, 3).looks().fontIndex, 2);
}

TEST(CellFont, LinkIsDroppedWhenItsRowColumnOrGridGoes) {
    auto noOtherFont = [](Lattix& g) {
        for (int32_t r = 1; r <= g.RowCount(); ++r)
            for (int32_t c = 1; c <= g.ColCount() + 1; ++c)
                if (g.Cell(r, c).looks().fontIndex != 0) return false;
        return true;
    };
    {
        // The row is removed and its slot reused by a new row.
        auto g = MakeGrid(2, 3);
        auto f = g->CellFont(V(2), V(1));
        g->RemoveRow(V(2));
        g->AddRow();
        f->SetBold(true);
        EXPECT_TRUE(noOtherFont(*g));
        EXPECT_EQ(g->LiveCellFont(), nullptr);
    }
    {
        // The row count shrinks and grows again over the same slot.
        auto g = MakeGrid(2, 3);
        auto f = g->CellFont(V(3), V(2));
        g->SetRowCount(2);
        f->SetBold(true);
        g->SetRowCount(3);
        f->SetItalic(true);
        EXPECT_TRUE(noOtherFont(*g));
    }
    {
        // The column is removed; its index now names another column.
        auto g = MakeGrid(3, 2);
        auto f = g->CellFont(V(1), V(2));
        g->RemoveCol(V(2));
        f->SetBold(true);
        EXPECT_TRUE(noOtherFont(*g));
    }
    for (bool removeCols : {false, true}) {
        auto g = MakeGrid(2, 2);
        auto f = g->CellFont(V(2), V(2));
        g->Clear(removeCols);
        g->SetColCount(2);
        g->SetRowCount(2);
        f->SetBold(true);
        EXPECT_TRUE(noOtherFont(*g)) << removeCols;
    }
    {
        // The grid itself is gone.
        auto g = MakeGrid(1, 1);
        auto f = g->CellFont(V(1), V(1));
        g.reset();
        f->SetBold(true);
        EXPECT_EQ(f->ListenerCount(), 0u);
    }
}

TEST(FontClone, AppliesTheGivenArgumentsToACloneOfTheGridFont) {
    auto g = MakeGrid(1, 1);
    auto f = g->FontClone({.bBold = Variant(true), .sName = Variant("Liberation Mono"), .cSize = Variant(12.5)});
    EXPECT_TRUE(f->Bold());
    EXPECT_FALSE(f->Italic());
    EXPECT_EQ(f->Name(), "Liberation Mono");
    EXPECT_EQ(f->Size(), Currency{125000});
    EXPECT_NE(f, g->Font());
    EXPECT_EQ(g->Font()->Name(), "DejaVu Sans");
    ExpectError(runtime_error_number::kTypeMismatch, [&] { g->FontClone({.bItalic = Variant("maybe")}); });

    // Through Invoke, omitted arguments leave the clone's values.
    Variant args[] = {Variant::missing(), Variant(true)};
    Variant r = g->invoke("FontClone", InvokeKind::Method, args);
    auto viaInvoke = std::dynamic_pointer_cast<FontObject>(r.object());
    ASSERT_TRUE(viaInvoke);
    EXPECT_TRUE(viaInvoke->Italic());
    EXPECT_FALSE(viaInvoke->Bold());
}

TEST(GridFont, SetListensToTheNewObjectAndRefreshesDefaultCells) {
    auto g = MakeGrid(1, 1);
    auto font = FontObject::Create({.name = "Liberation Sans"});
    g->SetFont(font);
    EXPECT_EQ(g->Font(), font);
    uint64_t full = g->FullRedrawCount();
    font->SetSize(Currency{100000});
    EXPECT_GT(g->FullRedrawCount(), full);
    ExpectError(Code(514), [&] { g->SetFont(nullptr); });

    // A column default font equal to the grid's font is stored as 0.
    auto cell = g->ColDefaultCell(V(1));
    cell->SetoFont(font->Clone());
    g->AddRow();
    EXPECT_EQ(g->Cell(2, 1).looks().fontIndex, 0);
    auto bold = font->Clone();
    bold->SetBold(true);
    cell->SetoFont(bold);
    g->AddRow();
    EXPECT_EQ(g->Cell(3, 1).looks().fontIndex, 1);
    // A change of the default cell's font object reaches cells created afterwards.
    bold->SetItalic(true);
    g->AddRow();
    EXPECT_EQ(g->Cell(4, 1).looks().fontIndex, 2);
    EXPECT_TRUE(g->CellFont(V(4), V(1))->Italic());
}

} // namespace
} // namespace lattix
