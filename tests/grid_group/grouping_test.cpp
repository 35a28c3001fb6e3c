// Grouping: group rows, captions, aggregates (after grouping, edits and sorting), collapsing, events,
// and Ungroup giving back the grid as it was.
#include "grid/objects/aggr_funcs_object.h"
#include "sort_test_support.h"

using namespace sort_test;

namespace {

// Region, product, amount.
std::shared_ptr<Lattix> Sales() {
    auto g = GridOf(3, {{Txt("North"), Txt("pear"), Num(10)},
                        {Txt("South"), Txt("apple"), Num(4)},
                        {Txt("North"), Txt("apple"), Num(7)},
                        {Txt("East"), Txt("pear"), Num(1)},
                        {Txt("South"), Txt("pear"), Num(6)},
                        {Txt("North"), Txt("apple"), Num(2)}});
    g->SetColHeaderText(Variant(1), "Region");
    g->SetColHeaderText(Variant(2), "Product");
    return g;
}

std::string Caption(Lattix& g, int32_t row) { return lattix::TextOf(g.CellValue(Variant(row), Variant(g.RowTextCol()))); }
double Number(Lattix& g, int32_t row, int32_t col) { return lattix::ToDouble(g.CellValue(Variant(row), Variant(col))); }

// Everything a host can see of the rows.
std::string Snapshot(Lattix& g) {
    std::string s;
    for (int32_t r = 1; r <= g.RowCount(); ++r) {
        const auto& rec = g.Row(r);
        s += g.RowKey(r) + "/" + std::to_string(rec.level) + "/" + std::to_string(rec.flags) + "/" +
             std::to_string(rec.height) + ":";
        for (int32_t c = 1; c <= g.RowTextCol(); ++c) s += lattix::TextOf(g.CellValue(Variant(r), Variant(c))) + ",";
        s += "\n";
    }
    return s + "groups " + std::to_string(g.GroupRowCount()) + " shown " + std::to_string(g.DisplayedRowCount());
}

} // namespace

TEST(Grouping, OneColumnMakesCaptionedGroupRowsWithAggregates) {
    auto g = Sales();
    g->GroupObject()->AddItem(Variant(1));
    auto ag = g->AggrFuncs();
    ag->AddItem(Variant(3), 0); // sum
    EventLog log(*g);
    g->Group();
    // East(1) | North(10, 7, 2) | South(4, 6), each under its group row.
    ASSERT_EQ(g->RowCount(), 9);
    EXPECT_EQ(g->GroupRowCount(), 3);
    EXPECT_EQ(lattix::ToInt32(g->Sys(24)), 3);
    EXPECT_EQ(KeyOrder(*g), " r4  r1 r3 r6  r2 r5");
    EXPECT_TRUE(g->RowIsGroup(Variant(1)));
    EXPECT_EQ(Caption(*g, 1), "Region: East");
    EXPECT_EQ(Caption(*g, 3), "Region: North");
    EXPECT_EQ(Number(*g, 3, 3), 19);
    EXPECT_EQ(Number(*g, 7, 3), 10);
    EXPECT_EQ(g->Row(4).level, 1);
    EXPECT_EQ(g->RowParent(Variant("r6")), 3);
    EXPECT_EQ(g->RowLastNested(Variant(3)), 6);
    // The grouping column leads the sort criteria and shows its sort mark.
    EXPECT_EQ(g->SortObject()->SortCol(1), 1);
    EXPECT_EQ(g->ColSortKey(Variant(1)), 1);
    EXPECT_EQ(g->EffectiveGroupCriteria().count(), 1);
    // Events: grouped around a sort run, one report per group row.
    ASSERT_FALSE(log.names.empty());
    EXPECT_EQ(log.names.front(), "BeforeContentsGrouped");
    EXPECT_EQ(log.names.back(), "AfterContentsGrouped");
    EXPECT_EQ(log.count("BeforeContentsSorted"), 1);
    EXPECT_EQ(log.count("AfterAutoGroupRowCreated"), 3);
}

TEST(Grouping, EveryAggregateFunctionAndTheCreatedEvent) {
    auto g = Sales();
    g->SetCellValue(Variant("r3"), Variant(3), Variant(Txt("n/a"))); // texts do not take part
    g->GroupObject()->AddItem(Variant(1));
    auto ag = g->AggrFuncs();
    ag->SetItemCount(5);
    for (int k = 1; k <= 5; ++k) {
        ag->SetAggrCol(k, 3);
        ag->SetAggrFunc(k, k - 1);
    }
    std::vector<std::pair<int32_t, std::vector<Variant>>> created;
    g->events()->connect([&](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name != "AfterAutoGroupRowCreated") return;
        created.push_back({a[1].get<int32_t>(), a[2].array()->data()});
    });
    g->Group();
    ASSERT_EQ(created.size(), 3u);
    // North: 10, "n/a", 2 -> sum 12, min 2, max 10, avg 6, count 3 rows.
    const auto& north = created[1];
    EXPECT_EQ(north.first, 3);
    ASSERT_EQ(north.second.size(), 5u);
    EXPECT_EQ(lattix::ToDouble(north.second[0]), 12);
    EXPECT_EQ(lattix::ToDouble(north.second[1]), 2);
    EXPECT_EQ(lattix::ToDouble(north.second[2]), 10);
    EXPECT_EQ(lattix::ToDouble(north.second[3]), 6);
    EXPECT_EQ(lattix::ToDouble(north.second[4]), 3);
    // The group row holds the last item's value for the column (the count).
    EXPECT_EQ(Number(*g, 3, 3), 3);
    // A bad aggregate changes nothing.
    ag->SetAggrFunc(1, 9);
    const std::string before = Snapshot(*g);
    EXPECT_EQ(LattixCode([&] { g->Group(); }), 514);
    ag->SetAggrFunc(1, 0);
    ag->SetAggrCol(1, 12);
    EXPECT_EQ(LattixCode([&] { g->Group(); }), 513);
    g->GroupObject()->SetSortCol(1, 40);
    ag->SetAggrCol(1, 3);
    EXPECT_EQ(LattixCode([&] { g->Group(); }), 513);
    EXPECT_EQ(Snapshot(*g), before);
}

TEST(Grouping, TwoLevelsNestGroupRowsAndAggregateOverAllTheirRows) {
    auto g = Sales();
    g->GroupObject()->AddItem(Variant(1));
    g->GroupObject()->AddItem(Variant(2), 1);
    g->AggrFuncs()->AddItem(Variant(3), 0);
    g->SetPrefixGroupValues(false);
    g->Group();
    // East: pear(1) | North: pear(10), apple(7, 2) | South: pear(6), apple(4).
    EXPECT_EQ(g->GroupRowCount(), 8);
    ASSERT_EQ(g->RowCount(), 14);
    EXPECT_EQ(Caption(*g, 1), "East");
    EXPECT_EQ(Caption(*g, 2), "pear");
    EXPECT_EQ(g->Row(2).level, 1);
    EXPECT_EQ(g->Row(3).level, 2);
    EXPECT_EQ(Caption(*g, 4), "North");
    EXPECT_EQ(Number(*g, 4, 3), 19);
    EXPECT_EQ(Caption(*g, 5), "pear");
    EXPECT_EQ(Caption(*g, 7), "apple");
    EXPECT_EQ(Number(*g, 7, 3), 9);
    EXPECT_EQ(KeyOrder(*g), "  r4   r1  r3 r6   r5  r2");
}

TEST(Grouping, AggregatesFollowEditsAndRowChanges) {
    auto g = Sales();
    g->GroupObject()->AddItem(Variant(1));
    g->AggrFuncs()->AddItem(Variant(3), 0);
    g->Group();
    const int32_t north = 3;
    g->SetCellValue(Variant("r3"), Variant(3), Variant(100.0));
    EXPECT_EQ(Number(*g, north, 3), 112);
    // A column that is not aggregated changes no group row.
    g->SetCellValue(Variant("r3"), Variant(2), Variant("kiwi"));
    EXPECT_EQ(Number(*g, north, 3), 112);
    // Editing the grouping value keeps the row in its group until the next Group.
    g->SetCellValue(Variant("r3"), Variant(1), Variant("South"));
    EXPECT_EQ(g->RowParent(Variant("r3")), north);
    g->RemoveRow(Variant("r1"));
    EXPECT_EQ(Number(*g, north, 3), 102);
    lattix::AddRowArgs a;
    a.sKey = "new";
    a.vRowParent = Variant(north);
    const int32_t row = g->AddRow(a);
    g->SetCellValue(Variant(row), Variant(3), Variant(int32_t{5}));
    EXPECT_EQ(Number(*g, north, 3), 107);
    // Regrouping puts the edited row where its value now belongs.
    g->Group();
    const int32_t south = g->RowParent(Variant("r3"));
    EXPECT_EQ(Caption(*g, south), "Region: South");
    EXPECT_EQ(Number(*g, south, 3), 110);
}

TEST(Grouping, AggregatesFollowBulkLoadsAndAShrinkingRowCount) {
    auto g = Sales();
    g->GroupObject()->AddItem(Variant(1));
    g->AggrFuncs()->AddItem(Variant(3), 0);
    g->Group();
    const int32_t north = g->RowParent(Variant("r3"));
    ASSERT_EQ(Number(*g, north, 3), 19);
    // An array into r3's amount: 10 + 100 + 2.
    lattix::ArrayRef one = lattix::SafeArray::make1D(0, 1);
    one->data()[0] = Variant(100.0);
    g->LoadFromArray(Variant("r3"), Variant(3), Variant(one));
    EXPECT_EQ(Number(*g, north, 3), 112);
    // A block of doubles into r1's amount: 50 + 100 + 2.
    double value = 50;
    lattix::ValueBlock b;
    b.rows = b.cols = 1;
    b.numbers = reinterpret_cast<char*>(&value);
    int32_t rowsDone = 0, colsDone = 0;
    g->LoadFromBlock(Variant("r1"), Variant(3), b, &rowsDone, &colsDone);
    EXPECT_EQ(Number(*g, north, 3), 152);
    // Cutting the last row away takes its amount out of its group's total.
    const int32_t last = g->RowCount();
    const int32_t group = g->RowParent(Variant(last));
    const double before = Number(*g, group, 3), gone = Number(*g, last, 3);
    g->SetRowCount(last - 1);
    EXPECT_EQ(Number(*g, group, 3), before - gone);
}

TEST(Grouping, SortingAGroupedGridSortsWithinGroupsAndKeepsAggregates) {
    auto g = Sales();
    g->GroupObject()->AddItem(Variant(1));
    g->AggrFuncs()->AddItem(Variant(3), 2); // max
    g->Group();
    g->DoDefaultSort(Variant(3), 0, 1);
    EXPECT_EQ(KeyOrder(*g), " r4  r1 r3 r6  r5 r2");
    EXPECT_EQ(Number(*g, 3, 3), 10);
    EXPECT_EQ(Number(*g, 7, 3), 6);
    EXPECT_EQ(g->SortObject()->ColCount(), 2);
    EXPECT_EQ(g->ColSortKey(Variant(1)), 1);
    EXPECT_EQ(g->ColSortKey(Variant(3)), 2);
    // A click on the grouping column regroups in the other order.
    g->DoDefaultSort(Variant(1));
    EXPECT_EQ(Caption(*g, 1), "Region: South");
    EXPECT_EQ(g->GroupObject()->SortOrder(1), 1);
    EXPECT_EQ(KeyOrder(*g), " r5 r2  r1 r3 r6  r4");
    EXPECT_EQ(g->GroupRowCount(), 3);
}

TEST(Grouping, UngroupGivesBackTheGridAsItWas) {
    auto g = Sales();
    g->SetRowVisible(Variant("r2"), false);
    g->SetCurRow(4);
    g->SetCurCol(2);
    const std::string before = Snapshot(*g);
    g->GroupObject()->AddItem(Variant(2));
    g->GroupObject()->AddItem(Variant(1));
    g->AggrFuncs()->AddItem(Variant(3), 3);
    g->Group();
    EXPECT_EQ(g->RowKey(g->CurRow()), "r4");
    EXPECT_TRUE(g->Selection().contains(g->CurRow(), 2));
    g->Group(); // again: nothing piles up
    EXPECT_EQ(g->GroupRowCount(), 7);
    EventLog log(*g);
    g->Ungroup();
    EXPECT_EQ(Snapshot(*g), before);
    EXPECT_EQ(g->CurRow(), 4);
    EXPECT_TRUE(g->Selection().contains(4, 2));
    EXPECT_EQ(g->GroupObject()->ColCount(), 0);
    EXPECT_EQ(g->EffectiveGroupCriteria().count(), 0);
    EXPECT_EQ(g->SortObject()->ColCount(), 0);
    EXPECT_EQ(g->ColSortKey(Variant(2)), 0);
    EXPECT_EQ(g->RowIndex("r6"), 6);
    EXPECT_EQ(log.names.front(), "BeforeContentsGrouped");
    EXPECT_EQ(log.names.back(), "AfterContentsGrouped");
}

TEST(Grouping, UngroupOfATreeRestoresLevelsAndCollapsedBranches) {
    auto g = Lattix::Create();
    g->SetColCount(2);
    g->SetTreeCol(1);
    auto add = [&](int level, const char* key, const char* group, double v) {
        lattix::AddRowArgs a;
        a.sKey = key;
        a.btLevel = level;
        const int32_t r = g->AddRow(a);
        g->SetCellValue(Variant(r), Variant(1), Variant(group));
        g->SetCellValue(Variant(r), Variant(2), Variant(v));
    };
    add(0, "a", "y", 1);
    add(1, "a1", "x", 2);
    add(0, "b", "x", 3);
    add(1, "b1", "y", 4);
    add(2, "b1a", "y", 5);
    g->SetRowExpanded(Variant("b1"), false);
    const std::string before = Snapshot(*g);
    g->GroupObject()->AddItem(Variant(1));
    g->AggrFuncs()->AddItem(Variant(2), 4);
    g->Group();
    // Units are the level-0 rows with their nested rows.
    EXPECT_EQ(KeyOrder(*g), " b b1 b1a  a a1");
    EXPECT_EQ(g->Row(2).level, 1);
    EXPECT_EQ(g->Row(4).level, 3);
    EXPECT_EQ(Number(*g, 1, 2), 1);
    g->Ungroup();
    EXPECT_EQ(Snapshot(*g), before);
}

TEST(Grouping, CollapsedGroupsHideTheirRowsUntilExpanded) {
    auto g = Sales();
    g->SetDefaultAutoGroupRowExpanded(false);
    g->GroupObject()->AddItem(Variant(1));
    g->Group();
    EXPECT_EQ(g->DisplayedRowCount(), 3);
    EXPECT_FALSE(g->RowExpanded(Variant(3)));
    g->SetRowExpanded(Variant(3), true);
    EXPECT_EQ(g->DisplayedRowCount(), 6);
    EXPECT_TRUE(g->Row(g->RowIndex("r1")).displayed());
    g->Ungroup();
    EXPECT_EQ(g->DisplayedRowCount(), 6);
}

TEST(Grouping, WithoutSortingOnlyAdjacentEqualValuesShareAGroup) {
    auto g = Sales();
    g->SetAllowSorting(false);
    g->GroupObject()->AddItem(Variant(1));
    EventLog log(*g);
    g->Group();
    EXPECT_EQ(log.count("BeforeContentsSorted"), 0);
    // North | South | North | East | South | North.
    EXPECT_EQ(g->GroupRowCount(), 6);
    EXPECT_EQ(KeyOrder(*g), " r1  r2  r3  r4  r5  r6");
}

TEST(Grouping, CustomGroupValuesBucketRowsAndNameTheGroups) {
    auto g = Sales();
    g->GroupObject()->AddItem(Variant(3), 0, 97);
    g->AggrFuncs()->AddItem(Variant(3), 0);
    g->SetPrefixGroupValues(false);
    g->events()->connect([](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name != "CustomGroupValue") return;
        const double v = lattix::ToDouble(a[2].deref());
        *a[2].slot() = Variant(v >= 5 ? 1 : 0);
        *a[3].slot() = Variant(v >= 5 ? "big" : "small");
    });
    g->Group();
    EXPECT_EQ(g->GroupRowCount(), 2);
    EXPECT_EQ(Caption(*g, 1), "small");
    EXPECT_EQ(Number(*g, 1, 3), 7);
    EXPECT_EQ(Caption(*g, 5), "big");
    EXPECT_EQ(Number(*g, 5, 3), 23);
    // Rows keep their own values; the buckets keep the rows' order within them.
    EXPECT_EQ(KeyOrder(*g), " r2 r4 r6  r1 r3 r5");
}

TEST(Grouping, HandlersCannotRestructureAndAnEmptyGroupObjectUngroups) {
    auto g = Sales();
    g->GroupObject()->AddItem(Variant(1));
    std::vector<int> codes;
    const int cookie = g->events()->connect([&](const lattix::EventInfo& e, std::span<Variant>) {
        if (e.name == "AfterAutoGroupRowCreated") codes.push_back(LattixCode([&] { g->RemoveRow(Variant(1)); }));
    });
    g->Group();
    ASSERT_EQ(codes.size(), 3u);
    for (int c : codes) EXPECT_EQ(c, 522);
    EXPECT_EQ(g->RowCount(), 9);
    g->events()->disconnect(cookie);
    g->GroupObject()->Clear();
    g->Group();
    EXPECT_EQ(g->GroupRowCount(), 0);
    EXPECT_EQ(KeyOrder(*g), "r1 r2 r3 r4 r5 r6");
    g->invoke("Group", lattix::InvokeKind::Method);
    g->invoke("Ungroup", lattix::InvokeKind::Method);
    EXPECT_EQ(g->RowCount(), 6);
}

TEST(Grouping, AHandlerFailingDuringTheGroupingSortLosesNoRow) {
    auto g = Sales();
    g->GroupObject()->AddItem(Variant(1));
    g->Group();
    g->DoDefaultSort(Variant(3)); // a sort column proper after the grouping column
    g->GroupObject()->SetSortType(1, 98);
    g->events()->connect([](const lattix::EventInfo& e, std::span<Variant>) {
        if (e.name == "CustomSort") lattix::RaiseLattixError(lattix::lattix_error::kInvalidArgument);
    });
    EventLog log(*g);
    EXPECT_EQ(LattixCode([&] { g->Group(); }), 514);
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->GroupRowCount(), 0);
    EXPECT_EQ(g->EffectiveGroupCriteria().count(), 0);
    ASSERT_EQ(g->SortObject()->ColCount(), 1);
    EXPECT_EQ(g->SortObject()->SortCol(1), 3);
    EXPECT_EQ(g->ColSortKey(Variant(1)), 0);
    EXPECT_EQ(log.count("AfterContentsGrouped"), 0);
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(g->RowIndex("r" + std::to_string(r)) > 0, true);
}

TEST(Grouping, AClearedGridGroupsAfresh) {
    auto g = Sales();
    g->GroupObject()->AddItem(Variant(1));
    g->Group();
    g->Clear();
    EXPECT_EQ(g->GroupRowCount(), 0);
    for (int i = 0; i < 4; ++i) {
        const int32_t r = g->AddRow();
        g->SetCellValue(Variant(r), Variant(1), Variant(i % 2 ? "odd" : "even"));
        g->SetCellValue(Variant(r), Variant(2), Variant(std::to_string(i)));
    }
    g->Group();
    EXPECT_EQ(g->GroupRowCount(), 2);
    EXPECT_EQ(Column(*g, 2), "|0|2||1|3");
    EXPECT_EQ(g->Row(2).level, 1);
    g->Ungroup();
    EXPECT_EQ(Column(*g, 2), "0|1|2|3");
    EXPECT_EQ(g->Row(2).level, 0);
}
