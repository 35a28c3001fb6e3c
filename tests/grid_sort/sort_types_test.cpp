// Every sort type, in both orders.
#include <cmath>
#include <limits>

#include "sort_test_support.h"

using namespace sort_test;
using lattix::Currency;
using lattix::Date;

namespace {
std::string SortedBy(Lattix& g, int32_t col, int32_t type, int32_t order = 0) {
    auto s = g.SortObject();
    s->Clear();
    s->AddItem(Variant(col), order, type);
    g.Sort();
    return KeyOrder(g);
}
} // namespace

TEST(SortTypes, GeneralRuleOrdersNumbersNumericallyInBothOrders) {
    auto g = GridOf(1, {{Num(10)}, {Num(-2.5)}, {Variant(int32_t{3})}, {Variant(int16_t{-7})}, {Num(1e300)}});
    EXPECT_EQ(SortedBy(*g, 1, 0), "r4 r2 r3 r1 r5");
    EXPECT_EQ(SortedBy(*g, 1, 0, 1), "r5 r1 r3 r2 r4");
}

TEST(SortTypes, GeneralRuleNoOverflowOnExtremeNumbersDatesAndCurrency) {
    const double big = std::numeric_limits<double>::max();
    auto g = GridOf(1, {{Num(big)}, {Num(-big)}, {Num(0)}, {Variant(std::numeric_limits<int32_t>::min())},
                        {Variant(std::numeric_limits<int32_t>::max())}});
    EXPECT_EQ(SortedBy(*g, 1, 0), "r2 r4 r3 r5 r1");
    // Dates far apart compare chronologically.
    auto d = GridOf(1, {{Variant(Date{2958465.0})}, {Variant(Date{-657434.0})}, {Variant(Date{45000.5})}});
    EXPECT_EQ(SortedBy(*d, 1, 0), "r2 r3 r1");
    // Currency values one ten-thousandth apart beyond the precision of a double.
    const int64_t huge = int64_t{9'000'000'000'000'000'00} / 100;
    auto c = GridOf(1, {{Variant(Currency{huge + 1})}, {Variant(Currency{huge})}, {Variant(Currency{-huge})}});
    EXPECT_EQ(SortedBy(*c, 1, 0), "r3 r2 r1");
}

TEST(SortTypes, GeneralRuleNullsFirstAscendingLastDescendingAndTextsWithoutCase) {
    auto g = GridOf(1, {{Txt("beta")}, {Variant::null()}, {Txt("Alpha")}, {Txt("ALPHA")}, {Num(5)}, {Variant()}});
    // Null, Empty, numbers, then texts; "Alpha" and "ALPHA" are equal and keep their order.
    EXPECT_EQ(SortedBy(*g, 1, 0), "r2 r6 r5 r3 r4 r1");
    EXPECT_EQ(SortedBy(*g, 1, 0, 1), "r1 r3 r4 r5 r6 r2");
}

TEST(SortTypes, GeneralRuleMixedKindsDoNotFailAndNaNSortsBeforeNumbers) {
    auto g = GridOf(1, {{Txt("9")}, {Num(10)}, {Variant(lattix::ErrorValue{5})}, {Num(std::nan(""))}, {Variant(true)}});
    // True is -1; a numeric text is a text.
    EXPECT_EQ(SortedBy(*g, 1, 0), "r4 r5 r2 r1 r3");
}

TEST(SortTypes, ValueTextsWithAndWithoutCase) {
    auto g = GridOf(1, {{Txt("b")}, {Txt("B")}, {Txt("a")}, {Variant::null()}, {Num(10)}, {Txt("A")}});
    // By character codes: digits, capitals, then small letters.
    EXPECT_EQ(SortedBy(*g, 1, 1), "r4 r5 r6 r2 r3 r1");
    // Equal texts keep the order the previous sort left.
    EXPECT_EQ(SortedBy(*g, 1, 2), "r4 r5 r6 r3 r2 r1");
    EXPECT_EQ(SortedBy(*g, 1, 2, 1), "r2 r1 r6 r3 r5 r4");
}

TEST(SortTypes, NonAsciiLettersCompareWithoutCase) {
    auto g = GridOf(1, {{Txt("\xC3\xA9t\xC3\xA9")}, {Txt("\xC3\x89T\xC3\x89")}, {Txt("zebra")}, {Txt("\xD0\x91")}, {Txt("\xD0\xB0")}});
    // é == É; Cyrillic after Latin; а (U+0430) before Б (U+0411 folded to U+0431).
    EXPECT_EQ(SortedBy(*g, 1, 2), "r3 r1 r2 r5 r4");
}

TEST(SortTypes, CellTextSortsByTheDisplayedText) {
    auto g = GridOf(1, {{Num(2)}, {Num(10)}, {Num(1)}});
    // As texts "1" < "10" < "2"; as values 1 < 2 < 10.
    EXPECT_EQ(SortedBy(*g, 1, 3), "r3 r2 r1");
    EXPECT_EQ(SortedBy(*g, 1, 0), "r3 r1 r2");
    g->SetCellFmtString(Variant(1), Variant(1), "000");
    g->SetCellFmtString(Variant(2), Variant(1), "000");
    g->SetCellFmtString(Variant(3), Variant(1), "000");
    // "001" < "002" < "010".
    EXPECT_EQ(SortedBy(*g, 1, 4), "r3 r1 r2");
}

TEST(SortTypes, CellTextUsesTheDynamicTextEvent) {
    auto g = GridOf(1, {{Txt("x")}, {Txt("y")}, {Txt("z")}});
    g->SetDynamicContentEvents(4);
    g->events()->connect([](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name != "CellDynamicText") return;
        const int32_t row = a[0].get<int32_t>();
        *a[3].slot() = Variant(row == 1 ? "c" : row == 2 ? "a" : "b");
    });
    EXPECT_EQ(SortedBy(*g, 1, 4), "r2 r3 r1");
}

TEST(SortTypes, AttributeSortsCompareStoredAttributes) {
    auto g = GridOf(1, {{Num(1)}, {Num(2)}, {Num(3)}});
    // Rows are addressed by key: every sort moves them.
    auto at = [](int r) { return r == 1 ? Variant("r1") : r == 2 ? Variant("r2") : r == 3 ? Variant("r3") : Variant(r); };
    g->SetCellIcon(at(1), Variant(1), 5);
    g->SetCellIcon(at(2), Variant(1), -3);
    EXPECT_EQ(SortedBy(*g, 1, 5), "r2 r3 r1");
    g->SetCellExtraIcon(at(3), Variant(1), 9);
    EXPECT_EQ(SortedBy(*g, 1, 6, 1), "r3 r2 r1");
    // Colours: the stored values, with system colours (high bit) taken as signed numbers, no overflow.
    g->SetCellForeColor(at(1), Variant(1), static_cast<int32_t>(0x80000008u));
    g->SetCellForeColor(at(2), Variant(1), 0x7FFFFFFF);
    g->SetCellForeColor(at(3), Variant(1), 0);
    EXPECT_EQ(SortedBy(*g, 1, 7), "r1 r3 r2");
    g->SetCellBackColor(at(3), Variant(1), 0x00FF00);
    g->SetCellBackColor(at(1), Variant(1), 0x0000FF);
    EXPECT_EQ(SortedBy(*g, 1, 8, 1), "r3 r1 r2");
    // Hatch 3 against the "no hatch" value 7 of the others.
    g->SetCellHatch(at(2), Variant(1), 3);
    EXPECT_EQ(SortedBy(*g, 1, 12), "r2 r3 r1");
    g->SetCellCheckState(at(1), Variant(1), 1);
    EXPECT_EQ(SortedBy(*g, 1, 13), "r2 r3 r1");
    g->SetCellCheckVisible(at(3), Variant(1), true);
    EXPECT_EQ(SortedBy(*g, 1, 14), "r2 r1 r3");
    g->SetCellSelectable(at(2), Variant(1), false);
    EXPECT_EQ(SortedBy(*g, 1, 11), "r2 r1 r3");
    g->SetCellExtraData(at(1), Variant(1), std::numeric_limits<int32_t>::min());
    g->SetCellExtraData(at(2), Variant(1), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(SortedBy(*g, 1, 16), "r1 r3 r2");
    g->SetCellComboListIndex(at(3), Variant(1), 7);
    EXPECT_EQ(SortedBy(*g, 1, 15, 1), "r3 r1 r2");
}

TEST(SortTypes, SelectedFlagSortsSelectedCellsLast) {
    auto g = GridOf(1, {{Num(1)}, {Num(2)}, {Num(3)}});
    g->Cell(1, 1).setSelected(true);
    EXPECT_EQ(SortedBy(*g, 1, 10), "r2 r3 r1");
}

TEST(SortTypes, IconSortAsksForDynamicIconsWhenSwitchedOn) {
    auto g = GridOf(1, {{Num(1)}, {Num(2)}, {Num(3)}});
    g->SetDynamicContentEvents(2);
    int asked = 0;
    g->events()->connect([&](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name != "CellDynamicIcons") return;
        ++asked;
        *a[4].slot() = Variant(static_cast<int16_t>(10 - a[0].get<int32_t>()));
    });
    EXPECT_EQ(SortedBy(*g, 1, 5), "r3 r2 r1");
    EXPECT_EQ(asked, 3);
}

TEST(SortTypes, CustomSortLetsTheHostDecideAndSeesTheComparedRows) {
    auto g = GridOf(2, {{Num(3), Txt("c")}, {Num(1), Txt("a")}, {Num(2), Txt("b")}});
    bool valuesMatch = true;
    g->events()->connect([&](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name != "CustomSort") return;
        const int32_t col = a[0].get<int32_t>(), r1 = a[1].get<int32_t>(), r2 = a[2].get<int32_t>();
        // What the host reads at lRow1/lRow2 is the value it was handed.
        valuesMatch = valuesMatch && g->CellValue(Variant(r1), Variant(col)) == a[3].deref() &&
                      g->CellValue(Variant(r2), Variant(col)) == a[4].deref();
        const double x = lattix::ToDouble(a[3].deref()), y = lattix::ToDouble(a[4].deref());
        // Descending by the host's own rule.
        *a[5].slot() = Variant(static_cast<int32_t>(x > y ? -1 : x < y ? 1 : 0));
    });
    EXPECT_EQ(SortedBy(*g, 1, 98), "r1 r3 r2");
    EXPECT_TRUE(valuesMatch);
    // The criterion's own order reverses the host's answers.
    EXPECT_EQ(SortedBy(*g, 1, 98, 1), "r2 r3 r1");
}

TEST(SortTypes, CustomGroupsOutsideGroupingComparesRawValues) {
    auto g = GridOf(1, {{Num(3)}, {Num(1)}, {Num(2)}});
    int asked = 0;
    g->events()->connect([&](const lattix::EventInfo& e, std::span<Variant>) { asked += e.name == "CustomGroupValue"; });
    EXPECT_EQ(SortedBy(*g, 1, 97), "r2 r3 r1");
    EXPECT_EQ(asked, 0);
}
