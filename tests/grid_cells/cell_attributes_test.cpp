// Cell* properties: packed fields, checks, the changed flag and row redraws, the format table.
#include "test_support.h"

#include "grid/objects/cell_object.h"
#include "runtime/conversions.h"

namespace lattix {
namespace {

using test::Code;
using test::ExpectError;
using test::MakeGrid;
using test::V;

TEST(CellDefaults, NewCellsCopyTheColumnDefaults) {
    auto g = MakeGrid(2, 3);
    // The value is the empty string, not Empty.
    EXPECT_EQ(g->CellValue(V(1), V(1)), Variant(std::string()));
    EXPECT_EQ(g->CellText(V(1), V(1)), "");
    EXPECT_EQ(g->CellTextFlags(V(2), V(2)), 32768);
    EXPECT_EQ(g->CellHatch(V(2), V(2)), 7);
    EXPECT_EQ(g->CellIndentLeft(V(1), V(1)), 1);
    EXPECT_EQ(g->CellIndentRight(V(1), V(1)), 1);
    EXPECT_EQ(g->CellIndentTop(V(1), V(1)), 0);
    EXPECT_EQ(g->CellImageList(V(1), V(1)), 1);
    EXPECT_EQ(g->CellExtraImageList(V(1), V(1)), 1);
    EXPECT_TRUE(g->CellSelectable(V(1), V(1)));
    EXPECT_EQ(g->CellComboListIndex(V(1), V(1)), -1);
    EXPECT_EQ(g->CellBackColor(V(1), V(1)), -1);
    EXPECT_EQ(g->CellFmtString(V(1), V(1)), "");
    EXPECT_FALSE(g->CellCheckVisible(V(1), V(1)));
    // The row text column has cells too.
    EXPECT_EQ(g->CellType(V(3), V(3)), 0);
    ExpectError(Code(513), [&] { g->CellType(V(4), V(1)); });
    ExpectError(Code(513), [&] { g->CellType(V(1), V(4)); });
    ExpectError(Code(513), [&] { g->SetCellIcon(V(0), V(1), 3); });
}

TEST(PackedSetters, RejectValuesOutsideTheirEnumerationWithoutTouchingNeighbours) {
    auto g = MakeGrid(1, 1);
    g->SetCellAlignH(V(1), V(1), 2);
    g->SetCellAlignV(V(1), V(1), 1);
    g->SetCellIconToText(V(1), V(1), 3);
    g->SetCellType(V(1), V(1), 3);
    g->SetCellHatch(V(1), V(1), 5);
    g->SetCellSelectable(V(1), V(1), false);
    g->SetCellCheckState(V(1), V(1), 2);
    g->SetCellCheckVisible(V(1), V(1), true);
    g->SetCellTypeFlags(V(1), V(1), 16 | 64);
    g->SetCellCheckPos(V(1), V(1), 4);
    const CellRecord before = g->Cell(1, 1);

    ExpectError(Code(514), [&] { g->SetCellAlignH(V(1), V(1), 3); });
    ExpectError(Code(514), [&] { g->SetCellAlignV(V(1), V(1), -1); });
    ExpectError(Code(514), [&] { g->SetCellIconToText(V(1), V(1), 4); });
    ExpectError(Code(514), [&] { g->SetCellType(V(1), V(1), 4); });
    ExpectError(Code(514), [&] { g->SetCellHatch(V(1), V(1), 6); });
    ExpectError(Code(514), [&] { g->SetCellHatch(V(1), V(1), 8); });
    ExpectError(Code(514), [&] { g->SetCellTypeFlags(V(1), V(1), 8); });
    ExpectError(Code(514), [&] { g->SetCellTypeFlags(V(1), V(1), 128); });
    ExpectError(Code(514), [&] { g->SetCellCheckState(V(1), V(1), 3); });
    ExpectError(Code(514), [&] { g->SetCellCheckPos(V(1), V(1), 5); });
    ExpectError(Code(514), [&] { g->SetCellImageList(V(1), V(1), 16); });
    ExpectError(Code(514), [&] { g->SetCellExtraImageList(V(1), V(1), 200); });
    const CellRecord& after = g->Cell(1, 1);
    EXPECT_EQ(after.looks().alignment, before.looks().alignment);
    EXPECT_EQ(after.typeBits, before.typeBits);
    EXPECT_EQ(after.checkBits, before.checkBits);
    EXPECT_EQ(after.looks().checkPos, before.looks().checkPos);
    EXPECT_EQ(after.looks().imageLists, before.looks().imageLists);

    EXPECT_EQ(g->CellAlignH(V(1), V(1)), 2);
    EXPECT_EQ(g->CellAlignV(V(1), V(1)), 1);
    EXPECT_EQ(g->CellIconToText(V(1), V(1)), 3);
    EXPECT_EQ(g->CellType(V(1), V(1)), 3);
    EXPECT_EQ(g->CellHatch(V(1), V(1)), 5);
    EXPECT_FALSE(g->CellSelectable(V(1), V(1)));
    EXPECT_EQ(g->CellCheckState(V(1), V(1)), 2);
    EXPECT_TRUE(g->CellCheckVisible(V(1), V(1)));
    EXPECT_EQ(g->CellTypeFlags(V(1), V(1)), 80);
    EXPECT_EQ(g->CellCheckPos(V(1), V(1)), 4);

    // The two image list nibbles are independent.
    g->SetCellImageList(V(1), V(1), 15);
    g->SetCellExtraImageList(V(1), V(1), 3);
    EXPECT_EQ(g->CellImageList(V(1), V(1)), 15);
    EXPECT_EQ(g->CellExtraImageList(V(1), V(1)), 3);
}

TEST(PackedSetters, ByteValuesOutsideTheByteRangeOverflowThroughInvoke) {
    auto g = MakeGrid(1, 1);
    Variant args[] = {V(1), V(1), V(256)};
    ExpectError(runtime_error_number::kOverflow, [&] { g->invoke("CellIndentLeft", InvokeKind::Let, args); });
    args[2] = V(-1);
    ExpectError(runtime_error_number::kOverflow, [&] { g->invoke("CellImageList", InvokeKind::Let, args); });
    args[2] = V(16);
    ExpectError(Code(514), [&] { g->invoke("CellImageList", InvokeKind::Let, args); });
    EXPECT_EQ(g->CellIndentLeft(V(1), V(1)), 1);
    EXPECT_EQ(g->CellImageList(V(1), V(1)), 1);
    args[2] = V(255);
    g->invoke("CellIndentBottom", InvokeKind::Let, args);
    EXPECT_EQ(g->invoke("CellIndentBottom", InvokeKind::Get, std::span(args, 2)), Variant(uint8_t{255}));
}

TEST(CellWrites, SetTheChangedFlagAndRedrawTheRowUnlessTheyDoNotDraw) {
    auto g = MakeGrid(2, 2);
    g->Cell(1, 1).clearChanged();
    uint64_t redraws = g->RowRedrawCount();
    g->SetCellExtraData(V(1), V(1), 42);
    g->SetCellSelectable(V(1), V(1), false);
    EXPECT_EQ(g->RowRedrawCount(), redraws);
    EXPECT_FALSE(g->Cell(1, 1).changed());
    EXPECT_EQ(g->CellExtraData(V(1), V(1)), 42);

    g->SetCellForeColor(V(1), V(1), 0x0000FF);
    EXPECT_TRUE(g->Cell(1, 1).changed());
    EXPECT_EQ(g->RowRedrawCount(), redraws + 1);

    // Check box attributes change nothing when set to their current value.
    g->Cell(1, 1).clearChanged();
    g->SetCellCheckVisible(V(1), V(1), false);
    g->SetCellCheckState(V(1), V(1), 0);
    g->SetCellCheckPos(V(1), V(1), 0);
    EXPECT_FALSE(g->Cell(1, 1).changed());
    EXPECT_EQ(g->RowRedrawCount(), redraws + 1);

    // Suspended drawing: the flag is set, the row is not drawn.
    g->BeginUpdate();
    g->SetCellIcon(V(2), V(2), 4);
    EXPECT_TRUE(g->Cell(2, 2).changed());
    EXPECT_EQ(g->RowRedrawCount(), redraws + 1);
    g->EndUpdate();

    // The Default methods reset the field and draw the whole grid.
    uint64_t full = g->FullRedrawCount();
    g->SetCellBackColor(V(1), V(2), 0x00FF00);
    g->CellDefaultBackColor(1, V(2));
    g->CellDefaultForeColor(V(1), V(1));
    EXPECT_EQ(g->CellBackColor(V(1), V(2)), -1);
    EXPECT_EQ(g->CellForeColor(V(1), V(1)), -1);
    EXPECT_EQ(g->FullRedrawCount(), full + 2);
}

TEST(FormatStrings, AreSharedAndLimitedTo255) {
    auto g = MakeGrid(2, 2);
    g->SetCellValue(V(1), V(1), Variant(1234.5));
    g->SetCellFmtString(V(1), V(1), "#,##0.00");
    g->SetCellFmtString(V(2), V(2), "#,##0.00");
    EXPECT_EQ(g->FormatStrings().count(), 1u);
    EXPECT_EQ(g->CellText(V(1), V(1)), "1,234.50");
    EXPECT_EQ(g->CellFmtString(V(2), V(2)), "#,##0.00");
    // Case matters.
    g->SetCellFmtString(V(2), V(2), "#,##0.00 LB");
    g->SetCellFmtString(V(2), V(1), "#,##0.00 lb");
    EXPECT_EQ(g->FormatStrings().count(), 3u);

    for (int i = 4; i <= 255; ++i) g->SetCellFmtString(V(2), V(1), "0." + std::string(static_cast<size_t>(i), '0'));
    EXPECT_EQ(g->FormatStrings().count(), 255u);
    ExpectError(Code(516), [&] { g->SetCellFmtString(V(1), V(1), "new one"); });
    EXPECT_EQ(g->CellFmtString(V(1), V(1)), "#,##0.00"); // the cell keeps its previous string
    g->SetCellFmtString(V(1), V(1), "#,##0.00 lb");       // reusing any of the 255 still works
    EXPECT_EQ(g->CellText(V(1), V(1)), "1,234.50 lb");
    g->SetCellFmtString(V(1), V(1), "");
    EXPECT_EQ(g->Cell(1, 1).looks().fmtIndex, 0);
    EXPECT_EQ(g->CellText(V(1), V(1)), "1234.5");
}

TEST(CellText, StandardConversionNullErrorsAndFormattedRounding) {
    auto g = MakeGrid(1, 1);
    auto text = [&](const Variant& v, const std::string& fmt = "") {
        g->SetCellFmtString(V(1), V(1), fmt);
        g->SetCellValue(V(1), V(1), v);
        return g->CellText(V(1), V(1));
    };
    EXPECT_EQ(text(Variant::null()), "");
    EXPECT_EQ(text(Variant()), "");
    EXPECT_EQ(text(Variant::error(5)), "Error 5");
    EXPECT_EQ(text(Variant(true)), "True");
    EXPECT_EQ(text(Variant(0.1 + 0.2)), "0.3");
    EXPECT_EQ(text(Variant("as is")), "as is");
    // Rounding on the decimal form, half away from zero.
    EXPECT_EQ(text(Variant(2.675), "0.00"), "2.68");
    EXPECT_EQ(text(Variant(0.0005), "0.##0"), "0.001");
    EXPECT_EQ(text(Variant(-2.5), "0"), "-3");
    EXPECT_EQ(text(Variant(1234.5), "#0.#0 lb"), "1234.50 lb");
    {
        ScopedLocale comma(Locale::decimalComma());
        EXPECT_EQ(text(Variant(1234.5), "#,##0.00"), "1.234,50");
        EXPECT_EQ(text(Variant(0.25)), "0,25");
    }
    // A custom-drawn cell shows nothing, whatever its value.
    g->SetCellType(V(1), V(1), 3);
    EXPECT_EQ(g->CellText(V(1), V(1)), "");
    // A value with no text form gives the empty text instead of an error.
    g->SetCellType(V(1), V(1), 0);
    EXPECT_EQ(text(Variant(ObjectRef{})), "");
}

TEST(SmallMembers, InitValueTextmatrixAndGaps) {
    auto g = MakeGrid(2, 2);
    EXPECT_EQ(g->InitValue(0), Variant(std::string()));
    EXPECT_EQ(g->InitValue(2), Variant(std::string()));
    EXPECT_TRUE(g->InitValue(1).isEmpty());
    EXPECT_TRUE(g->InitValue(3).isEmpty());
    ExpectError(Code(514), [&] { g->InitValue(4); });

    g->SetColHeaderText(V(1), "Weight");
    g->SetCellValue(V(2), V(2), Variant(7.5));
    EXPECT_EQ(g->Textmatrix(V(1), V(0)), Variant("Weight"));
    EXPECT_EQ(g->Textmatrix(V(2), V(1)), Variant(7.5));
    ExpectError(Code(513), [&] { g->Textmatrix(V(2), V(3)); });
    ExpectError(Code(513), [&] { g->Textmatrix(V(3), V(0)); });

    EXPECT_EQ(g->CellCheckGap(), 2);
    EXPECT_EQ(g->CellIconGap(), 2);
    g->SetCellCheckGap(0);
    ExpectError(Code(514), [&] { g->SetCellIconGap(-1); });
    EXPECT_EQ(g->CellCheckGap(), 0);
    EXPECT_EQ(g->CellIconGap(), 2);
}

TEST(PublishedCellMembers, ReachTheSameCells) {
    auto g = MakeGrid(2, 2);
    Variant at[] = {V(2), V(1), Variant(2.5)};
    g->invoke("CellValue", InvokeKind::Let, at);
    at[2] = Variant("0.00");
    g->invoke("CellFmtString", InvokeKind::Let, at);
    EXPECT_EQ(g->invoke(0x680300B6, InvokeKind::Get, std::span(at, 2)), Variant("2.50"));
    at[2] = V(2);
    g->invoke(0x680300B3, InvokeKind::Let, at); // CellAlignH
    EXPECT_EQ(g->CellAlignH(V(2), V(1)), 2);
    Variant type[] = {V(1)};
    EXPECT_TRUE(g->invoke("InitValue", InvokeKind::Get, type).isEmpty());
}

} // namespace
} // namespace lattix
