// LayoutCol and LayoutSort: formats, restoring, dpi scaling and the all-or-nothing reading.
#include <random>

#include "grid/objects/sort_group_object.h"
#include "grid/ops/sort_criteria.h"
#include "tests/grid_persist/persist_test_support.h"

namespace persist_test {
namespace {

TEST(LayoutColTest, FormatOfNaturalLayoutAndOfNoColumns) {
    auto g = GridAtDpi(96, 2);
    EXPECT_EQ(g->LayoutCol(), "{dpi=96}1|Width|64|1|Order|1|1|Visible|1|2|Width|64|2|Order|2|2|Visible|1|");
    EXPECT_EQ(GridAtDpi(120)->LayoutCol(), "{dpi=120}");
}

TEST(LayoutColTest, SaveChangeRestoreGivesTheSameLayout) {
    auto g = GridAtDpi(96, 5);
    g->SetColWidth(Variant(2), 100);
    g->SetColPos(Variant(4), 1);
    g->SetColVisible(Variant(3), false);
    const std::string saved = g->LayoutCol();
    const std::string before = LayoutState(*g);
    EXPECT_EQ(saved, "{dpi=96}1|Width|64|1|Order|2|1|Visible|1|2|Width|100|2|Order|3|2|Visible|1|"
                     "3|Width|64|3|Order|4|3|Visible|0|4|Width|64|4|Order|1|4|Visible|1|"
                     "5|Width|64|5|Order|5|5|Visible|1|");

    g->SetColWidth(Variant(2), 10);
    g->SetColPos(Variant(1), 5);
    g->SetColVisible(Variant(3), true);
    g->SetColVisible(Variant(5), false);
    ASSERT_NE(LayoutState(*g), before);
    g->SetLayoutCol(saved);
    EXPECT_EQ(LayoutState(*g), before);
    EXPECT_EQ(g->ColFromPos(1), 4);
    EXPECT_FALSE(g->ColVisible(Variant(3)));
}

TEST(LayoutColTest, WidthsFollowTheResolution) {
    auto g96 = GridAtDpi(96, 3);
    g96->SetColWidth(Variant(3), 30);
    const std::string saved = g96->LayoutCol();
    auto g120 = GridAtDpi(120, 3);
    g120->SetLayoutCol(saved);
    EXPECT_EQ(g120->ColWidth(Variant(1)), 80);
    EXPECT_EQ(g120->ColWidth(Variant(3)), 38); // 37.5 rounds up
    // Back at 96 the widths come home.
    auto back = GridAtDpi(96, 3);
    back->SetLayoutCol(g120->LayoutCol());
    EXPECT_EQ(back->ColWidth(Variant(1)), 64);
    EXPECT_EQ(back->ColWidth(Variant(3)), 30);
}

TEST(LayoutColTest, NoOrZeroResolutionMeansNoScaling) {
    auto g = GridAtDpi(120, 2);
    g->SetLayoutCol("1|Width|50|");
    EXPECT_EQ(g->ColWidth(Variant(1)), 50);
    g->SetLayoutCol("{dpi=0}1|Width|51|");
    EXPECT_EQ(g->ColWidth(Variant(1)), 51);
    g->SetLayoutCol("{dpi=-96}1|Width|52|");
    EXPECT_EQ(g->ColWidth(Variant(1)), 52);
    g->SetLayoutCol("{other=x; DPI=240}1|Width|100|");
    EXPECT_EQ(g->ColWidth(Variant(1)), 50);
}

TEST(LayoutColTest, PartialTextsAndExtraColumns) {
    auto g = GridAtDpi(96, 4);
    const std::string before = LayoutState(*g);
    g->SetLayoutCol("");
    EXPECT_EQ(LayoutState(*g), before);
    // Triples for columns the grid does not have are ignored; one column moved alone keeps the
    // others in their order.
    g->SetLayoutCol("9|Width|10|9|Order|1|3|Order|1|");
    EXPECT_EQ(g->ColFromPos(1), 3);
    EXPECT_EQ(g->ColFromPos(2), 1);
    EXPECT_EQ(g->ColFromPos(3), 2);
    EXPECT_EQ(g->ColFromPos(4), 4);
    // Column limits apply to restored widths.
    g->SetColMaxWidth(Variant(2), 40);
    g->SetLayoutCol("2|Width|90|");
    EXPECT_EQ(g->ColWidth(Variant(2)), 40);
}

TEST(LayoutColTest, InvalidOrMalformedTextsRaise514AndChangeNothing) {
    auto g = GridAtDpi(96, 3);
    g->SetColWidth(Variant(2), 77);
    const std::string before = LayoutState(*g);
    for (const char* bad : {
             "0|Width|10|",                           // index below 1
             "-1|Visible|0|",                         // index below 1
             "1|Order|2|2|Order|2|",                  // two columns at one position
             "1|Order|4|",                            // position outside the columns
             "1|Order|0|",                            // position outside the columns
             "1|Width|10|1|Width|20|",                // one field twice
             "1|Width|-5|",                           // negative width
             "1|Width|10|2|Width|",                   // missing field
             "1|Width|",                              // missing field
             "1|Width|ten|",                          // not a number
             "x|Width|10|",                           // index not a number
             "1|Width|10|2|Visible|1.5|",             // not a whole number
             "{dpi=96",                               // settings never closed
             "{dpi=abc}1|Width|10|",                  // dpi not a number
             "{dpi}1|Width|10|",                      // setting without a value
             "1|Width|99999999999|",                  // beyond 32 bits
             "{dpi=1}1|Width|2147483647|",            // scaled beyond 32 bits
         }) {
        EXPECT_EQ(LattixCode([&] { g->SetLayoutCol(bad); }), 514) << bad;
        EXPECT_EQ(LayoutState(*g), before) << bad;
    }
}

TEST(LayoutSortTest, FormatSaveChangeRestore) {
    auto g = GridAtDpi(96, 4);
    EXPECT_EQ(g->LayoutSort(), "");
    g->SetColSortOrder(Variant(3), 1);
    g->SetColSortKey(Variant(3), 1);
    g->SetColSortKey(Variant(1), 2);
    g->SetColPos(Variant(1), 4);
    // In the order of the columns on screen.
    const std::string saved = g->LayoutSort();
    EXPECT_EQ(saved, "3|SortKey|1|3|SortOrder|1|1|SortKey|2|1|SortOrder|0|");
    const lattix::SortCriteria criteria = g->SortObject()->criteria();
    ASSERT_EQ(criteria.count(), 2);

    g->SetColSortKey(Variant(3), 0);
    g->SetColSortKey(Variant(2), 1);
    g->SetColSortOrder(Variant(3), 0);
    ASSERT_NE(g->LayoutSort(), saved);
    g->SetLayoutSort(saved);
    EXPECT_EQ(g->LayoutSort(), saved);
    EXPECT_EQ(g->SortObject()->criteria(), criteria);
    EXPECT_EQ(g->SortObject()->criteria().at(1).order, lattix::sort_order::kDesc);
    EXPECT_EQ(g->ColSortKey(Variant(2)), 0);

    g->SetLayoutSort("");
    EXPECT_EQ(g->SortObject()->criteria().count(), 0);
}

TEST(LayoutSortTest, TheOrderOfEachTripleIsReadBeforeTheCriteriaAreBuilt) {
    auto g = GridAtDpi(96, 3);
    // The key comes before its order in the text; the criterion still gets the order.
    g->SetLayoutSort("2|SortKey|1|2|SortOrder|1|1|SortKey|2|1|SortOrder|1|");
    const auto& c = g->SortObject()->criteria();
    ASSERT_EQ(c.count(), 2);
    EXPECT_EQ(c.at(1).col, 2);
    EXPECT_EQ(c.at(1).order, lattix::sort_order::kDesc);
    EXPECT_EQ(c.at(2).col, 1);
    EXPECT_EQ(c.at(2).order, lattix::sort_order::kDesc);
}

TEST(LayoutSortTest, InvalidTextsRaise514AndChangeNothing) {
    auto g = GridAtDpi(96, 3);
    g->SetLayoutSort("2|SortKey|1|2|SortOrder|1|");
    g->SetColSortType(Variant(3), lattix::sort_type::kNone);
    const std::string before = LayoutState(*g);
    const lattix::SortCriteria criteria = g->SortObject()->criteria();
    for (const char* bad : {
             "1|SortKey|1|2|SortKey|1|",            // duplicate key
             "1|SortKey|1|1|SortKey|2|",            // one column twice
             "1|SortKey|2|",                        // sparse keys
             "1|SortKey|1|2|SortKey|3|",            // sparse keys
             "5|SortKey|1|",                        // beyond the row text column
             "0|SortKey|1|",                        // below 1
             "1|SortKey|-1|",                       // negative key
             "1|SortKey|1|1|SortOrder|2|",          // no such order
             "3|SortKey|1|",                        // a column that does not sort
             "1|SortKey|1|1|SortOrder|",            // missing field
             "1|SortKey|one|",                      // not a number
         }) {
        EXPECT_EQ(LattixCode([&] { g->SetLayoutSort(bad); }), 514) << bad;
        EXPECT_EQ(LayoutState(*g), before) << bad;
        EXPECT_EQ(g->SortObject()->criteria(), criteria) << bad;
    }
}

// Random texts built from the pieces the readers meet: whatever the text, the reader either applies
// it or raises 514 with the grid unchanged.
TEST(LayoutStringsRandomTest, EveryRejectedTextChangesNothing) {
    std::mt19937 rng(20261209);
    const char* pieces[] = {"1", "2", "3", "4", "5", "0", "-1", "96", "120", "x", "", " ", "|", "|", "|", "|",
                            "Width", "Order", "Visible", "SortKey", "SortOrder", "{", "}", "dpi=", ";", "=",
                            "{dpi=96}", "{dpi=0}", "2147483648", "1.5", "+2"};
    constexpr int kPieces = sizeof(pieces) / sizeof(pieces[0]);
    auto g = GridAtDpi(120, 4);
    g->SetFrozenCols(1);
    int accepted = 0, rejected = 0;
    for (int i = 0; i < 100000; ++i) {
        std::string text;
        const int len = static_cast<int>(rng() % 16);
        for (int k = 0; k < len; ++k) text += pieces[rng() % kPieces];
        const bool sortText = (rng() & 1) != 0;
        const std::string before = LayoutState(*g);
        const lattix::SortCriteria criteria = g->SortObject()->criteria();
        const int code = LattixCode([&] { sortText ? g->SetLayoutSort(text) : g->SetLayoutCol(text); });
        if (code == 0) {
            ++accepted;
            // The grid stays consistent: its own texts read back.
            ASSERT_EQ(LattixCode([&] { g->SetLayoutCol(g->LayoutCol()); }), 0) << text;
            ASSERT_EQ(LattixCode([&] { g->SetLayoutSort(g->LayoutSort()); }), 0) << text;
            continue;
        }
        ++rejected;
        ASSERT_EQ(code, 514) << text;
        ASSERT_EQ(LayoutState(*g), before) << text;
        ASSERT_EQ(g->SortObject()->criteria(), criteria) << text;
    }
    EXPECT_GT(accepted, 1000);
    EXPECT_GT(rejected, 1000);
}

} // namespace
} // namespace persist_test
