// CellObject rules and the combo binding on the storage side.
#include "test_support.h"

#include "grid/objects/cell_object.h"

namespace lattix {
namespace {

using test::Code;
using test::ExpectError;
using test::MakeGrid;
using test::V;

// Two lists: "sizes" with valued items and "plain" with an item without a value.
void AddLists(Lattix& g) {
    int16_t n = g.ComboLists().add("sizes");
    ComboList* sizes = g.ComboLists().list(n);
    sizes->items.push_back({"Small", Variant(1), 3});
    sizes->items.push_back({"Large", Variant(2.0), 4});
    sizes->items.push_back({"Large again", Variant(2), 5});
    ComboList* plain = g.ComboLists().list(g.ComboLists().add("plain"));
    plain->items.push_back({"no value", Variant::missing(), 1});
}

TEST(CellObject, NewColumnDefaultsAndRefreshIntoNewCells) {
    auto g = MakeGrid(1, 0);
    auto d = g->ColDefaultCell(V(1));
    EXPECT_TRUE(d->bSelectable());
    EXPECT_EQ(d->eTextFlags(), 32768);
    EXPECT_EQ(d->eHatch(), 7);
    EXPECT_EQ(d->btIndentLeft(), 1);
    EXPECT_EQ(d->btImageList(), 1);
    EXPECT_EQ(d->lComboListIndex(), -1);
    EXPECT_EQ(d->vValue(), Variant(std::string()));
    EXPECT_EQ(g->ColDefaultCell(V(2))->eType(), 0); // the row text column has one too

    d->SeteAlignH(2);
    d->SeteAlignV(1);
    d->SeteIconToText(3);
    d->SetbtExtraImageList(9);
    d->SetiExtraIcon(6);
    d->SetbtIndentBottom(4);
    d->SeteTypeFlags(32);
    d->SeteCheckState(1);
    d->SetbCheckVisible(true);
    d->SeteCheckPos(2);
    d->SetbSelected(true);
    d->SetoBackColor(0x123456);
    d->SetsFmtString("0.0");
    d->SetvValue(Variant(3.25));
    g->AddRow();
    EXPECT_EQ(g->CellAlignH(V(1), V(1)), 2);
    EXPECT_EQ(g->CellAlignV(V(1), V(1)), 1);
    EXPECT_EQ(g->CellIconToText(V(1), V(1)), 3);
    EXPECT_EQ(g->CellExtraImageList(V(1), V(1)), 9);
    EXPECT_EQ(g->CellImageList(V(1), V(1)), 1);
    EXPECT_EQ(g->CellExtraIcon(V(1), V(1)), 6);
    EXPECT_EQ(g->CellIndentBottom(V(1), V(1)), 4);
    EXPECT_EQ(g->CellTypeFlags(V(1), V(1)), 32);
    EXPECT_EQ(g->CellCheckState(V(1), V(1)), 1);
    EXPECT_TRUE(g->CellCheckVisible(V(1), V(1)));
    EXPECT_EQ(g->CellCheckPos(V(1), V(1)), 2);
    EXPECT_TRUE(g->Cell(1, 1).selected());
    EXPECT_TRUE(g->Cell(1, 1).changed());
    EXPECT_EQ(g->CellBackColor(V(1), V(1)), 0x123456);
    EXPECT_EQ(g->CellText(V(1), V(1)), "3.3");
    EXPECT_EQ(g->CellExtraData(V(1), V(1)), 0);
}

TEST(CellObject, ChecksLeaveTheObjectUnchanged) {
    auto g = MakeGrid(1, 1);
    auto d = g->ColDefaultCell(V(1));
    ExpectError(Code(514), [&] { d->SetbtImageList(16); });
    ExpectError(Code(514), [&] { d->SeteAlignH(3); });
    ExpectError(Code(514), [&] { d->SeteHatch(6); });
    ExpectError(Code(514), [&] { d->SeteType(9); });
    ExpectError(Code(514), [&] { d->SeteCheckPos(5); });
    ExpectError(Code(514), [&] { d->SeteTypeFlags(1); });
    EXPECT_EQ(d->btImageList(), 1);
    EXPECT_EQ(d->eHatch(), 7);
    EXPECT_EQ(d->eType(), 0);

    // sFmtString looks the string up first: a 256th string leaves the object as it was.
    d->SetsFmtString("0.00");
    for (int i = 2; i <= 255; ++i) g->SetCellFmtString(V(1), V(1), std::string(static_cast<size_t>(i), '0'));
    ExpectError(Code(516), [&] { d->SetsFmtString("#.#"); });
    EXPECT_EQ(d->sFmtString(), "0.00");
    EXPECT_EQ(d->FmtIndex(), 1);

    // Through Invoke: bytes outside 0..255 overflow.
    Variant big[] = {V(300)};
    ExpectError(runtime_error_number::kOverflow, [&] { d->invoke("btIndentTop", InvokeKind::Let, big); });
    EXPECT_EQ(d->btIndentTop(), 0);
}

TEST(CellObject, TypeValueAndComboRules) {
    auto g = MakeGrid(1, 1);
    AddLists(*g);
    auto d = g->ColDefaultCell(V(1));
    d->SetvValue(Variant(2));
    d->SeteType(0); // unchanged: the value stays
    EXPECT_EQ(d->vValue(), Variant(2));
    d->SeteType(1);
    EXPECT_TRUE(d->vValue().isEmpty());

    d->SetsCtrlKey("sizes");
    EXPECT_EQ(d->ComboIndex(), 1);
    d->SetvValue(Variant(2)); // equal by value to the Double 2 of item 1
    EXPECT_EQ(d->lComboListIndex(), 1);
    EXPECT_EQ(d->iIcon(), 4);
    d->SetvValue(Variant("nothing like it"));
    EXPECT_EQ(d->lComboListIndex(), -1);
    EXPECT_EQ(d->iIcon(), 0);

    d->SetlComboListIndex(0);
    EXPECT_EQ(d->vValue(), Variant(1));
    EXPECT_EQ(d->iIcon(), 3);
    d->SetlComboListIndex(7); // past the end: binding and value cleared
    EXPECT_EQ(d->lComboListIndex(), -1);
    EXPECT_TRUE(d->vValue().isEmpty());
    EXPECT_EQ(d->iIcon(), 0);

    d->SetsCtrlKey("SIZES"); // keys compare exactly
    EXPECT_EQ(d->ComboIndex(), 0);
    d->SetlComboListIndex(5); // no list: stored as it is
    EXPECT_EQ(d->lComboListIndex(), 5);

    // A removed column's object keeps working as a plain holder.
    g->AddCol();
    auto removed = g->ColDefaultCell(V(1));
    g->RemoveCol(V(1));
    removed->SetsFmtString("0.000");
    removed->SetsCtrlKey("sizes");
    EXPECT_EQ(removed->sFmtString(), "0.000");
    EXPECT_EQ(removed->ComboIndex(), 0);
}

TEST(ComboBinding, CellsFollowTheirValueTypeAndKey) {
    auto g = MakeGrid(1, 2);
    AddLists(*g);
    g->SetCellValue(V(1), V(1), Variant(2.0));
    g->SetCellCtrlKey(V(1), V(1), "sizes");
    EXPECT_EQ(g->CellCtrlKey(V(1), V(1)), "sizes");
    EXPECT_EQ(g->CellComboListIndex(V(1), V(1)), -1); // a text cell is not bound
    g->SetCellType(V(1), V(1), 1);
    EXPECT_EQ(g->CellComboListIndex(V(1), V(1)), 1);
    EXPECT_EQ(g->CellIcon(V(1), V(1)), 4);
    EXPECT_EQ(g->CellText(V(1), V(1)), "Large");
    EXPECT_EQ(g->CellValue(V(1), V(1)), Variant(2.0)); // the type change does not touch the value

    // A value that matches no item: the text is empty whatever the value.
    g->SetCellValue(V(1), V(1), Variant(99));
    EXPECT_EQ(g->CellComboListIndex(V(1), V(1)), -1);
    EXPECT_EQ(g->CellText(V(1), V(1)), "");
    g->SetCellComboListIndex(V(1), V(1), 0);
    EXPECT_EQ(g->CellValue(V(1), V(1)), Variant(1));
    EXPECT_EQ(g->CellText(V(1), V(1)), "Small");
    g->SetCellComboListIndex(V(1), V(1), 3);
    EXPECT_EQ(g->CellComboListIndex(V(1), V(1)), -1);
    EXPECT_TRUE(g->CellValue(V(1), V(1)).isEmpty());

    // An item without a value is never matched; choosing it leaves the value Empty.
    g->SetCellCtrlKey(V(1), V(1), "plain");
    g->SetCellComboListIndex(V(1), V(1), 0);
    EXPECT_TRUE(g->CellValue(V(1), V(1)).isEmpty());
    EXPECT_EQ(g->CellText(V(1), V(1)), "no value");
    g->SetCellValue(V(1), V(1), Variant());
    EXPECT_EQ(g->CellComboListIndex(V(1), V(1)), -1);

    // A text-combo cell shows its value's text; an unknown key unbinds it.
    g->SetCellType(V(2), V(1), 2);
    g->SetCellValue(V(2), V(1), Variant(1));
    g->SetCellCtrlKey(V(2), V(1), "sizes");
    EXPECT_EQ(g->CellComboListIndex(V(2), V(1)), 0);
    EXPECT_EQ(g->CellText(V(2), V(1)), "1");
    g->SetCellCtrlKey(V(2), V(1), "missing");
    EXPECT_EQ(g->CellCtrlKey(V(2), V(1)), "");
    EXPECT_EQ(g->CellComboListIndex(V(2), V(1)), -1);
    // With no lists at all the binding stays empty.
    g->ComboLists().clear();
    g->SetCellComboListIndex(V(2), V(1), 0);
    EXPECT_EQ(g->CellComboListIndex(V(2), V(1)), 0);
    EXPECT_EQ(g->CellText(V(1), V(1)), "");
}

} // namespace
} // namespace lattix
