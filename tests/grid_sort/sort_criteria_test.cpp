// The sort criteria object: its members, their checks, and the late-bound interface.
#include "sort_test_support.h"

using namespace sort_test;
using lattix::InvokeKind;

TEST(SortCriteria, CountGrowsWithDefaultItemsAndShrinksKeepingTheRest) {
    auto g = GridOf(4, {});
    auto s = g->SortObject();
    EXPECT_EQ(s->ColCount(), 0);
    s->SetColCount(3);
    EXPECT_EQ(s->SortCol(3), 3);
    EXPECT_EQ(s->SortOrder(2), 0);
    EXPECT_EQ(s->SortType(1), 0);
    s->SetSortCol(1, 4);
    s->SetSortOrder(1, 1);
    s->SetColCount(1);
    EXPECT_EQ(s->SortCol(1), 4);
    EXPECT_EQ(s->SortOrder(1), 1);
    EXPECT_EQ(LattixCode([&] { s->SetColCount(-1); }), 514);
    EXPECT_EQ(s->ColCount(), 1);
    s->Clear();
    EXPECT_EQ(s->ColCount(), 0);
}

TEST(SortCriteria, IndexOrderAndTypeAreChecked) {
    auto g = GridOf(2, {});
    auto s = g->SortObject();
    s->SetColCount(1);
    EXPECT_EQ(LattixCode([&] { s->SortCol(0); }), 514);
    EXPECT_EQ(LattixCode([&] { s->SetSortCol(2, 1); }), 514);
    EXPECT_EQ(LattixCode([&] { s->SetSortType(1, 99); }), 514);
    EXPECT_EQ(LattixCode([&] { s->SetSortType(1, 50); }), 514);
    EXPECT_EQ(LattixCode([&] { s->SetSortOrder(1, 2); }), 514);
    EXPECT_EQ(s->SortType(1), 0);
    EXPECT_EQ(s->SortOrder(1), 0);
    // A column number is stored unchecked; the sort checks it when it starts.
    s->SetSortCol(1, 77);
    EXPECT_EQ(s->SortCol(1), 77);
    s->SetSortType(1, 98);
    EXPECT_EQ(s->SortType(1), 98);
}

TEST(SortCriteria, AddItemResolvesTheColumnAndFindColFindsTheFirst) {
    auto g = GridOf(3, {});
    g->SetColKey(2, "b");
    auto s = g->SortObject();
    s->AddItem(Variant("b"), 1, 2);
    s->AddItem(Variant(3));
    s->AddItem(Variant(2));
    EXPECT_EQ(s->ColCount(), 3);
    EXPECT_EQ(s->SortCol(1), 2);
    EXPECT_EQ(s->SortOrder(1), 1);
    EXPECT_EQ(s->SortType(1), 2);
    EXPECT_EQ(s->FindCol(Variant("b")), 1);
    EXPECT_EQ(s->FindCol(Variant(1)), 0);
    EXPECT_EQ(LattixCode([&] { s->AddItem(Variant(9)); }), 513);
    EXPECT_EQ(LattixCode([&] { s->AddItem(Variant("nope")); }), 513);
    EXPECT_EQ(LattixCode([&] { s->AddItem(Variant(1), 0, 99); }), 514);
    EXPECT_EQ(s->ColCount(), 3);
    s->RemoveItem(1);
    EXPECT_EQ(s->SortCol(1), 3);
    EXPECT_EQ(LattixCode([&] { s->RemoveItem(5); }), 514);
    // The row text column (ColCount + 1) is a column too.
    s->AddItem(Variant(4));
    EXPECT_EQ(s->SortCol(3), 4);
}

TEST(SortCriteria, LateBoundMembersReachTheSameObject) {
    auto g = GridOf(2, {});
    Variant obj = g->invoke("SortObject", InvokeKind::Get);
    ASSERT_TRUE(obj.isObject());
    auto* o = obj.object().get();
    o->invoke("AddItem", InvokeKind::Method, std::vector<Variant>{Variant(2), Variant(1)});
    EXPECT_EQ(g->SortObject()->SortCol(1), 2);
    EXPECT_EQ(g->SortObject()->SortOrder(1), 1);
    EXPECT_EQ(o->invoke("ColCount", InvokeKind::Get).get<int32_t>(), 1);
    EXPECT_EQ(o->invoke("FindCol", InvokeKind::Method, std::vector<Variant>{Variant(2)}).get<int32_t>(), 1);
    EXPECT_TRUE(g->invoke("GroupObject", InvokeKind::Get).isObject());
    EXPECT_NE(g->GroupObject(), g->SortObject());
}

TEST(SortCriteria, ObjectsOutliveTheGridWithoutReachingIt) {
    std::shared_ptr<lattix::SortGroupObject> kept;
    {
        auto g = GridOf(2, {});
        kept = g->SortObject();
        kept->AddItem(Variant(1));
    }
    EXPECT_EQ(LattixCode([&] { kept->AddItem(Variant(1)); }), 522);
    EXPECT_EQ(kept->ColCount(), 1);
}
