// The Combos collection and its list objects: keys, positions, items, measuring, and what happens
// to cells when their list goes.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "grid/lattix.h"
#include "grid/objects/cell_object.h"
#include "grid/objects/combo_objects.h"
#include "runtime/automation.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

using lattix::AutomationError;
using lattix::ComboObject;
using lattix::Lattix;
using lattix::Variant;

namespace {

int ErrorCode(const std::function<void()>& f) {
    try {
        f();
    } catch (const AutomationError& e) {
        return static_cast<int>(static_cast<uint32_t>(e.number()) - 0x80040000u);
    }
    return 0;
}

TEST(Combos, AddFindsKeysAndPositionsAndRefusesADuplicateBeforeMakingAnything) {
    auto g = Lattix::Create();
    auto combos = g->Combos();
    ASSERT_NE(combos, nullptr);
    EXPECT_EQ(combos->Count(), 0);
    auto sizes = combos->Add("sizes");
    auto sexes = combos->Add("sexes");
    EXPECT_EQ(combos->Count(), 2);
    EXPECT_EQ(combos->Items(Variant("sexes")), sexes);
    EXPECT_EQ(combos->Items(Variant(int32_t{1})), sizes);
    EXPECT_EQ(combos->Items(Variant(2.0)), sexes);
    EXPECT_EQ(ErrorCode([&] { combos->Add("sizes"); }), 515);
    EXPECT_EQ(combos->Count(), 2);
    EXPECT_EQ(g->ComboLists().count(), 2u);
    EXPECT_EQ(ErrorCode([&] { combos->Items(Variant("nope")); }), 514);
    EXPECT_EQ(ErrorCode([&] { combos->Items(Variant(int32_t{3})); }), 513);
    EXPECT_EQ(ErrorCode([&] { combos->Items(Variant(int32_t{0})); }), 513);
    EXPECT_EQ(ErrorCode([&] { combos->Remove(Variant("nope")); }), 514);
    combos->Remove(Variant("sizes"));
    EXPECT_EQ(combos->Count(), 1);
    EXPECT_EQ(combos->Items(Variant(int32_t{1})), sexes);
    // A handle of a removed list is dead, even once another list takes its slot.
    EXPECT_EQ(ErrorCode([&] { sizes->ListCount(); }), 522);
    auto weights = combos->Add("weights");
    EXPECT_EQ(weights->Slot(), 1);
    EXPECT_EQ(ErrorCode([&] { sizes->AddItem("x"); }), 522);
    EXPECT_EQ(weights->ListCount(), 0);
    combos->Clear();
    EXPECT_EQ(combos->Count(), 0);
    EXPECT_EQ(g->ComboLists().count(), 0u);
    EXPECT_EQ(ErrorCode([&] { sexes->ListCount(); }), 522);
}

TEST(Combos, ItemsAreAddedRemovedAndReadByDisplayPositionWithCheckedIndexes) {
    auto g = Lattix::Create();
    auto list = g->Combos()->Add("parts");
    list->AddItem("Breast", Variant(int32_t{10}));
    list->AddItem("Wing", Variant(int32_t{30}), 2);
    list->AddItem("Leg", Variant(int32_t{20}), 0, 1); // between the two
    list->AddItem("Neck");                             // no value
    EXPECT_EQ(list->ListCount(), 4);
    EXPECT_EQ(list->ItemText(1), "Leg");
    EXPECT_EQ(list->ItemIcon(2), 2);
    EXPECT_EQ(lattix::ToInt32(list->ItemValue(2)), 30);
    EXPECT_TRUE(list->ItemValue(3).isEmpty());
    EXPECT_EQ(list->ValueIndex(Variant(20.0)), 1); // numbers compare by value across types
    EXPECT_EQ(list->ValueIndex(Variant(int32_t{99})), -1);
    for (int32_t bad : {-1, 4, 100}) {
        EXPECT_EQ(ErrorCode([&] { list->ItemText(bad); }), 513) << bad;
        EXPECT_EQ(ErrorCode([&] { list->SetItemValue(bad, Variant(1)); }), 513) << bad;
        EXPECT_EQ(ErrorCode([&] { list->RemoveItem(bad); }), 513) << bad;
    }
    EXPECT_EQ(ErrorCode([&] { list->AddItem("x", Variant::missing(), 0, 5); }), 513);
    EXPECT_EQ(ErrorCode([&] { list->AddItem("x", Variant::missing(), 0, -2); }), 513);
    EXPECT_EQ(list->ListCount(), 4);
    list->SetItemText(0, "Breast fillet");
    list->SetItemValue(0, Variant("B"));
    list->SetItemIcon(0, 3);
    EXPECT_EQ(list->ItemText(0), "Breast fillet");
    EXPECT_EQ(list->ValueIndex(Variant("B")), 0);
    list->RemoveItem(1);
    EXPECT_EQ(list->ItemText(1), "Wing");
    list->Clear();
    EXPECT_EQ(list->ListCount(), 0);
    EXPECT_EQ(ErrorCode([&] { list->SetMaxHeightInItems(0); }), 514);
    EXPECT_EQ(ErrorCode([&] { list->SetFont(nullptr); }), 514);
    EXPECT_EQ(ErrorCode([&] { list->SetImageList(Variant(int32_t{1})); }), 518);
    EXPECT_EQ(ErrorCode([&] { list->SetImageList(Variant("a")); }), 518);
}

TEST(Combos, ItemsAreMeasuredInTheListFontAndSizeTheDropDown) {
    auto g = Lattix::Create();
    auto list = g->Combos()->Add("ages");
    EXPECT_EQ(list->MaxHeightInItems(), 8);
    EXPECT_EQ(list->Width(), 0);
    EXPECT_FALSE(list->AutoExpand());
    EXPECT_EQ(list->ItemHeight(), 15);
    for (int i = 1; i <= 20; ++i) list->AddItem("Day " + std::to_string(i));
    list->AddItem("Forty-two days old");
    // 8 of the 21 items show; an item is its text line plus 2, at least 15 pixels.
    const lattix::ComboList* stored = g->ComboLists().list(list->Slot());
    const int32_t h = std::max(15, stored->items[0].textHeight + 2);
    EXPECT_EQ(list->ItemHeight(), h);
    EXPECT_EQ(list->DropHeight(), 8 * h + 2);
    int32_t widest = 0;
    for (const auto& it : stored->items) widest = std::max(widest, it.itemWidth);
    EXPECT_EQ(widest, stored->items.back().textWidth + 4);
    list->AutoAdjustWidth();
    EXPECT_EQ(list->Width(), widest + 4 + g->DropDownScrollBarWidth());
    list->SetMaxHeightInItems(30);
    list->AutoAdjustWidth();
    EXPECT_EQ(list->Width(), widest + 4); // all fit: no scroll bar
    EXPECT_EQ(list->DropHeight(), 21 * h + 2);
    // A bigger font makes every item taller.
    auto big = lattix::FontObject::Create();
    big->SetSize(lattix::Currency::fromDouble(20));
    list->SetFont(big);
    EXPECT_EQ(list->Font(), big);
    EXPECT_GT(list->ItemHeight(), 20);
    EXPECT_EQ(list->DropHeight(), 21 * list->ItemHeight() + 2);
    EXPECT_EQ(g->Combos()->Add("plain")->Font(), g->Font()); // none set: the grid's
}

TEST(Combos, CellComboListIndexTakesTheItemOrFallsBackToTheInitialValue) {
    auto g = Lattix::Create();
    g->SetColCount(2);
    g->SetRowCount(2);
    auto list = g->Combos()->Add("sex");
    list->AddItem("Mixed", Variant("X"), 1);
    list->AddItem("Males", Variant("M"), 2);
    list->AddItem("Females", Variant("F"), 3);
    g->SetCellType(Variant(1), Variant(1), 1);
    g->SetCellCtrlKey(Variant(1), Variant(1), "sex");
    g->SetCellComboListIndex(Variant(1), Variant(1), 1);
    EXPECT_EQ(lattix::ToString(g->CellValue(Variant(1), Variant(1))), "M");
    EXPECT_EQ(g->CellText(Variant(1), Variant(1)), "Males");
    EXPECT_EQ(g->CellIcon(Variant(1), Variant(1)), 2);
    g->SetCellComboListIndex(Variant(1), Variant(1), 5);
    EXPECT_EQ(g->CellComboListIndex(Variant(1), Variant(1)), -1);
    EXPECT_TRUE(g->CellValue(Variant(1), Variant(1)).isEmpty());
    EXPECT_EQ(g->CellText(Variant(1), Variant(1)), "");
}

TEST(Combos, RemovingAListUnbindsItsCellsSoALaterListInTheSameSlotBindsNothing) {
    auto g = Lattix::Create();
    g->SetColCount(2);
    g->SetRowCount(3);
    auto sex = g->Combos()->Add("sex");
    sex->AddItem("Males", Variant("M"));
    auto col = g->ColDefaultCell(Variant(2));
    col->SetsCtrlKey("sex");
    for (int r = 1; r <= 3; ++r) {
        g->SetCellType(Variant(r), Variant(1), 1);
        g->SetCellCtrlKey(Variant(r), Variant(1), "sex");
        g->SetCellValue(Variant(r), Variant(1), Variant("M"));
    }
    EXPECT_EQ(g->CellText(Variant(2), Variant(1)), "Males");
    EXPECT_EQ(col->ComboIndex(), sex->Slot());
    g->Combos()->Remove(Variant("sex"));
    // The next list takes slot 1 again; nothing refers to it.
    auto other = g->Combos()->Add("other");
    other->AddItem("Wrong", Variant("M"));
    ASSERT_EQ(other->Slot(), 1);
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(g->CellCtrlKey(Variant(r), Variant(1)), "") << r;
        EXPECT_EQ(g->CellComboListIndex(Variant(r), Variant(1)), -1) << r;
        EXPECT_EQ(g->CellText(Variant(r), Variant(1)), "") << r;
    }
    EXPECT_EQ(col->ComboIndex(), 0);
    // Rows added later take the column's default: no list either.
    g->SetRowCount(4);
    EXPECT_EQ(g->CellCtrlKey(Variant(4), Variant(2)), "");
}

TEST(Combos, PublishedThroughTheAutomationInterface) {
    auto g = Lattix::Create();
    Variant combos = g->invoke("Combos", lattix::InvokeKind::Get);
    ASSERT_TRUE(combos.isObject());
    auto& c = *combos.object();
    Variant list = c.invoke("Add", lattix::InvokeKind::Method, std::vector<Variant>{Variant("L")});
    ASSERT_TRUE(list.isObject());
    list.object()->invoke("AddItem", lattix::InvokeKind::Method, std::vector<Variant>{Variant("One"), Variant(int32_t{1})});
    list.object()->invoke("AddItem", lattix::InvokeKind::Method, std::vector<Variant>{Variant("Zero"), Variant(int32_t{0}), Variant(int16_t{0}), Variant(int32_t{0})});
    EXPECT_EQ(lattix::ToInt32(list.object()->invoke("ListCount", lattix::InvokeKind::Get)), 2);
    EXPECT_EQ(lattix::ToString(list.object()->invoke("ItemText", lattix::InvokeKind::Get, std::vector<Variant>{Variant(int32_t{0})})), "Zero");
    EXPECT_EQ(lattix::ToInt32(c.invoke("Count", lattix::InvokeKind::Get)), 1);
    Variant again = c.invoke("Items", lattix::InvokeKind::Get, std::vector<Variant>{Variant("L")});
    EXPECT_EQ(again.object(), list.object());
    c.invoke("Remove", lattix::InvokeKind::Method, std::vector<Variant>{Variant(int32_t{1})});
    EXPECT_EQ(lattix::ToInt32(c.invoke("Count", lattix::InvokeKind::Get)), 0);
}

} // namespace
