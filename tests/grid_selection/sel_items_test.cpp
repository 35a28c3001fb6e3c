// SelItemsObject: enumeration order, sorting, limits and the late-bound interface.
#include "selection_test_support.h"

using namespace lattix_test;

TEST(SelItems, UnsortedFollowsBucketsSortedFollowsRows) {
    auto g = SelectionGrid(3, 6);
    g->SetCellSelected(Variant(2), Variant(3), true);
    g->SetCellSelected(Variant(3), Variant(1), true);
    auto items = g->SelItems();
    EXPECT_TRUE(items->Sorted());
    EXPECT_EQ(items->GetString(), "(2,3);(3,1)");
    items->SetSorted(false);
    EXPECT_EQ(items->GetString(), "(3,1);(2,3)"); // bucket 3 before bucket 6
    const auto arr = items->GetArray();
    ASSERT_EQ(arr.size(), 2u);
    EXPECT_EQ(arr[0], (lattix::TSelItemInfo{3, 1}));
    g->SetCellSelected(Variant(5), Variant(1), true);
    g->SetCellSelected(Variant(3), Variant(1), false);
    g->SetCellSelected(Variant(2), Variant(1), true);
    items->SetSorted(true);
    EXPECT_EQ(items->GetString(), "(2,1);(2,3);(5,1)");
    EXPECT_EQ(items->GetString().size(), 17u);
}

TEST(SelItems, LimitsFilterAndComeBackAsTheBoundsOfWhatWasReturned) {
    auto g = SelectionGrid(5, 10);
    for (int r : {2, 4, 6, 8})
        for (int c : {1, 3, 5}) g->SetCellSelected(Variant(r), Variant(c), true);
    auto items = g->SelItems();
    for (bool sorted : {true, false}) {
        items->SetSorted(sorted);
        int32_t minRow = 3, maxRow = 7, minCol = 2, maxCol = -1;
        const std::string s = items->GetString(minRow, maxRow, minCol, maxCol);
        EXPECT_EQ(s.size(), std::string("(4,3);(4,5);(6,3);(6,5)").size()) << s;
        EXPECT_EQ(s.find("(2,"), std::string::npos);
        EXPECT_EQ(s.find(",1)"), std::string::npos);
        EXPECT_EQ((std::array<int32_t, 4>{minRow, maxRow, minCol, maxCol}), (std::array<int32_t, 4>{4, 6, 3, 5}));
        // Nothing inside the limits: an empty result and the limits left as given.
        int32_t a = 9, b = 10, c = -1, d = -1;
        EXPECT_EQ(items->GetString(a, b, c, d), "");
        EXPECT_EQ((std::array<int32_t, 4>{a, b, c, d}), (std::array<int32_t, 4>{9, 10, -1, -1}));
    }
    // Sorted without limits: the bounds of everything.
    items->SetSorted(true);
    int32_t a = -1, b = -1, c = -1, d = -1;
    EXPECT_EQ(items->GetArray(a, b, c, d).size(), 12u);
    EXPECT_EQ((std::array<int32_t, 4>{a, b, c, d}), (std::array<int32_t, 4>{2, 8, 1, 5}));
    // Unsorted without limits: the arguments stay -1.
    items->SetSorted(false);
    a = b = c = d = -1;
    EXPECT_EQ(items->GetArray(a, b, c, d).size(), 12u);
    EXPECT_EQ((std::array<int32_t, 4>{a, b, c, d}), (std::array<int32_t, 4>{-1, -1, -1, -1}));
}

TEST(SelItems, LateBoundGetArrayWritesTheLimitsBack) {
    auto g = SelectionGrid(3, 5);
    g->SetCellSelected(Variant(2), Variant(2), true);
    g->SetCellSelected(Variant(4), Variant(3), true);
    auto obj = std::static_pointer_cast<lattix::AutomationObject>(g->SelItems());
    std::vector<Variant> args{Variant::byRef(Variant(int32_t{-1})), Variant::byRef(Variant(int32_t{3})),
                              Variant::byRef(Variant(int32_t{-1})), Variant::byRef(Variant(int32_t{-1}))};
    Variant arr = obj->invoke("GetArray", lattix::InvokeKind::Method, args);
    ASSERT_TRUE(arr.isArray());
    const auto& a = *arr.array();
    ASSERT_EQ(a.dims(), 2);
    EXPECT_EQ(a.bound(0).count, 1);
    EXPECT_EQ(lattix::ToInt32(a.at(1, 1)), 2);
    EXPECT_EQ(lattix::ToInt32(a.at(1, 2)), 2);
    EXPECT_EQ(lattix::ToInt32(args[0].deref()), 2);
    EXPECT_EQ(lattix::ToInt32(args[1].deref()), 2);
    EXPECT_EQ(lattix::ToInt32(args[2].deref()), 2);
    EXPECT_EQ(lattix::ToInt32(args[3].deref()), 2);
    EXPECT_EQ(lattix::ToString(obj->invoke("GetString", lattix::InvokeKind::Method)), "(2,2);(4,3)");
    EXPECT_EQ(lattix::ToInt32(obj->invoke("Count", lattix::InvokeKind::Get)), 2);
    // The grid members by name.
    g->invoke("SelectAll", lattix::InvokeKind::Method);
    EXPECT_EQ(g->SelItems()->Count(), 20);
    std::vector<Variant> cell{Variant(1), Variant(1)};
    EXPECT_TRUE(lattix::ToBool(g->invoke("CellSelected", lattix::InvokeKind::Get, cell)));
    g->invoke("ClearSelection", lattix::InvokeKind::Method);
    EXPECT_EQ(g->SelItems()->Count(), 0);
    std::vector<Variant> target{Variant(3), Variant(2)};
    g->invoke("SetCurCell", lattix::InvokeKind::Method, target);
    EXPECT_EQ(g->CurRow(), 3);
}

TEST(SelItems, RowModeCountsRows) {
    auto g = SelectionGrid(4, 5);
    g->SetRowMode(true);
    g->SelectAll();
    EXPECT_EQ(g->SelItems()->Count(), 5);
    EXPECT_EQ(g->SelItems()->GetString(), "(1,1);(2,1);(3,1);(4,1);(5,1)");
}
