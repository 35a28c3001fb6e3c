// Effective colours, the colour service and the dynamic content events.
#include "test_support.h"

#include "grid/objects/font_object.h"
#include "grid/view/colors.h"

namespace lattix {
namespace {

using test::ExpectError;
using test::MakeGrid;
using test::OnEvent;
using test::V;

constexpr int32_t kSysWindow = static_cast<int32_t>(0x80000005u);

TEST(Colors, TranslateRgbAndSystemColours) {
    EXPECT_EQ(TranslateColor(0x00123456), 0x00123456);
    EXPECT_EQ(TranslateColor(kSysWindow), 0x00FFFFFF);                        // window: white
    EXPECT_EQ(TranslateColor(static_cast<int32_t>(0x80000008u)), 0x00000000); // window text: black
    EXPECT_EQ(TranslateColor(static_cast<int32_t>(0x8000000Fu)), 0x00C8D0D4); // button face
    EXPECT_EQ(TranslateColor(-1), -1);
    EXPECT_EQ(TranslateColor(static_cast<int32_t>(0x80000040u)), -1); // no such system colour
    EXPECT_EQ(TranslateColor(0x01000000), -1);
}

TEST(EffectiveColors, CellThenRowStripesThenControlColours) {
    auto g = MakeGrid(1, 3);
    EXPECT_EQ(g->BackColor(), kSysWindow);
    EXPECT_EQ(g->ForeColor(), static_cast<int32_t>(0x80000008u));
    EXPECT_EQ(g->BackColorOddRows(), -1);
    EXPECT_EQ(g->CellEffectiveBackColor(V(1), V(1)), 0x00FFFFFF);
    EXPECT_EQ(g->CellEffectiveForeColor(V(1), V(1)), 0);

    g->SetBackColorOddRows(0x0000FF);
    EXPECT_EQ(g->CellEffectiveBackColor(V(1), V(1)), 0x0000FF); // the first displayed row is odd
    EXPECT_EQ(g->CellEffectiveBackColor(V(2), V(1)), 0x00FFFFFF);
    g->SetBackColorEvenRows(0x00FF00);
    EXPECT_EQ(g->CellEffectiveBackColor(V(2), V(1)), 0x00FF00);
    g->SetCellBackColor(V(2), V(1), static_cast<int32_t>(0x8000000Du));
    EXPECT_EQ(g->CellEffectiveBackColor(V(2), V(1)), 0x006A240A); // highlight navy
    g->SetCellForeColor(V(3), V(1), 0x00ABCDEF);
    EXPECT_EQ(g->CellEffectiveForeColor(V(3), V(1)), 0x00ABCDEF);
    g->SetForeColor(static_cast<int32_t>(0x800000FFu));
    EXPECT_EQ(g->CellEffectiveForeColor(V(1), V(1)), -1); // cannot be translated
}

TEST(DynamicEvents, FormattingEventsComeFirstAndOnlyWhenAskedFor) {
    auto g = MakeGrid(2, 2);
    int cellCalls = 0, rowCalls = 0;
    OnEvent(*g, "CellDynamicFormatting", [&](std::span<Variant> a) {
        ++cellCalls;
        EXPECT_EQ(a[3].deref(), V(-1));
        if (a[1].deref() == V(2)) *a[3].slot() = V(0x000011);
    });
    OnEvent(*g, "RowDynamicFormatting", [&](std::span<Variant> a) {
        ++rowCalls;
        *a[1].slot() = V(0x000022);
        *a[2].slot() = V(0x000033);
        auto f = FontObject::Create({.name = "row font"});
        *a[3].slot() = Variant(std::static_pointer_cast<AutomationObject>(f));
    });
    g->SetCellForeColor(V(1), V(1), 0x000044);
    EXPECT_EQ(g->CellEffectiveForeColor(V(1), V(1)), 0x000044);
    EXPECT_EQ(cellCalls + rowCalls, 0);

    g->SetDynamicContentEvents(1 | 8);
    EXPECT_EQ(g->CellEffectiveForeColor(V(1), V(2)), 0x000011); // the cell event wins
    EXPECT_EQ(g->CellEffectiveForeColor(V(1), V(1)), 0x000022); // then the row event
    EXPECT_EQ(g->CellEffectiveBackColor(V(1), V(1)), 0x000033);
    EXPECT_EQ(g->CellFont(V(1), V(1))->Name(), "row font");
    EXPECT_GT(cellCalls, 0);

    g->SetDynamicContentEvents(1);
    EXPECT_EQ(g->CellEffectiveForeColor(V(1), V(1)), 0x000044);
    EXPECT_EQ(g->CellFont(V(1), V(1))->Name(), "DejaVu Sans");
}

TEST(DynamicEvents, CellDynamicTextReplacesTheTextAndItsErrorsReachTheCaller) {
    auto g = MakeGrid(1, 2);
    g->SetCellValue(V(1), V(1), Variant(3.5));
    g->SetCellFmtString(V(1), V(1), "0.00");
    std::string seen;
    bool fail = false;
    OnEvent(*g, "CellDynamicText", [&](std::span<Variant> a) {
        seen = a[3].deref().str();
        EXPECT_EQ(a[2].deref(), Variant(3.5));
        if (fail) throw AutomationError(5, "host", "handler failed");
        *a[3].slot() = Variant(seen + " kg");
    });
    EXPECT_EQ(g->CellText(V(1), V(1)), "3.50"); // the event is off by default
    EXPECT_EQ(seen, "");
    g->SetDynamicContentEvents(4);
    EXPECT_EQ(g->CellText(V(1), V(1)), "3.50 kg");
    EXPECT_EQ(seen, "3.50");
    fail = true;
    try {
        (void)g->CellText(V(1), V(1));
        ADD_FAILURE() << "the handler's error was swallowed";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.description(), "handler failed");
    }
    fail = false;
    EXPECT_EQ(g->CellText(V(1), V(1)), "3.50 kg");
    // Combo cells do not raise it.
    seen.clear();
    g->SetCellType(V(2), V(1), 1);
    EXPECT_EQ(g->CellText(V(2), V(1)), "");
    EXPECT_EQ(seen, "");
}

TEST(DynamicEvents, HandlersCannotRemoveTheCellTheyAreAskedAbout) {
    auto g = MakeGrid(1, 3);
    g->SetDynamicContentEvents(1 | 4 | 8);
    // Structural changes from inside the events are refused with 522; the getters answer for the
    // cell as it is.
    std::vector<int32_t> refused;
    auto attempt = [&](auto change) {
        try {
            change();
        } catch (const AutomationError& e) {
            refused.push_back(e.number());
        }
    };
    OnEvent(*g, "CellDynamicFormatting", [&](std::span<Variant>) { attempt([&] { g->SetRowCount(0); }); });
    OnEvent(*g, "CellDynamicText", [&](std::span<Variant>) { attempt([&] { g->SetColCount(0); }); });
    EXPECT_EQ(g->CellEffectiveBackColor(V(3), V(1)), 0x00FFFFFF);
    EXPECT_EQ(g->CellFont(V(3), V(1))->Name(), "DejaVu Sans");
    EXPECT_EQ(g->CellText(V(2), V(1)), "");
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->ColCount(), 1);
    ASSERT_GE(refused.size(), 2u);
    for (int32_t number : refused) EXPECT_EQ(number, LattixErrorNumber(lattix_error::kIllegalOperation));
}

} // namespace
} // namespace lattix
