// Storing typed text into a cell (CommitTextToCell): the conversion to the cell's type in both
// decimal locales, the validation message, the vetoes and redirections of BeforeCommitEdit, and
// the RequestEdit answers with the editor options applied to a text.
#include "edit_test_support.h"
#include "grid/objects/font_object.h"
#include "runtime/automation_error.h"
#include "runtime/locale.h"

using namespace edit_test;
using lattix::Locale;
using lattix::ScopedLocale;
using lattix::VarType;

TEST(CommitPath, NumberTextIsStoredInTheCellsTypeWithBothEvents) {
    EditGrid g(3, 3);
    g.Set(1, 1, Variant(3.0));
    EventLog log(*g.grid);
    EXPECT_EQ(g->CommitTextToCell(1, 1, "5", true), 1);
    EXPECT_EQ(log.take(), (Strings{"BeforeCommitEdit(1,1,1,5,5,0,True,-1)", "AfterCommitEdit(1,1,3)"}));
    EXPECT_EQ(g.Get(1, 1).type(), VarType::Double);
    EXPECT_EQ(lattix::ToDouble(g.Get(1, 1)), 5.0);

    // Every numeric type keeps its type; an empty text counts as 0.
    g.Set(2, 1, Variant(int16_t{7}));
    g.Set(2, 2, Variant(int32_t{7}));
    g.Set(2, 3, Variant(lattix::Currency::fromDouble(1.5)));
    EXPECT_EQ(g->CommitTextToCell(2, 1, "", false), 1);
    EXPECT_EQ(g->CommitTextToCell(2, 2, "-12", false), 1);
    EXPECT_EQ(g->CommitTextToCell(2, 3, "2.25", false), 1);
    EXPECT_EQ(g.Get(2, 1).type(), VarType::Int16);
    EXPECT_EQ(lattix::ToInt32(g.Get(2, 1)), 0);
    EXPECT_EQ(g.Get(2, 2).type(), VarType::Int32);
    EXPECT_EQ(lattix::ToInt32(g.Get(2, 2)), -12);
    EXPECT_EQ(g.Get(2, 3).type(), VarType::Currency);
    EXPECT_EQ(lattix::ToDouble(g.Get(2, 3)), 2.25);
}

TEST(CommitPath, DecimalCommaLocaleReadsCommaNumbersAndDayMonthDates) {
    EditGrid g(3, 3);
    ScopedLocale comma(Locale::decimalComma());
    g.Set(1, 1, Variant(1.0));
    EXPECT_EQ(g->CommitTextToCell(1, 1, "2,5", false), 1);
    EXPECT_EQ(lattix::ToDouble(g.Get(1, 1)), 2.5);
    g.Set(1, 2, Variant(lattix::Date{0}));
    EXPECT_EQ(g->CommitTextToCell(1, 2, "31.12.2020", false), 1);
    EXPECT_EQ(g.Get(1, 2).type(), VarType::Date);
    EXPECT_EQ(lattix::ToDouble(g.Get(1, 2)), 44196.0);
}

TEST(CommitPath, DatesBooleansStringsEmptyCellsAndObjects) {
    EditGrid g(5, 2);
    ScopedLocale dot(Locale::invariant());
    g.Set(1, 1, Variant(lattix::Date{0}));
    EXPECT_EQ(g->CommitTextToCell(1, 1, "12/31/2020 6:30 PM", false), 1);
    EXPECT_DOUBLE_EQ(lattix::ToDouble(g.Get(1, 1)), 44196.0 + 18.5 / 24);
    g.Set(1, 2, Variant(true));
    EXPECT_EQ(g->CommitTextToCell(1, 2, "False", false), 1);
    EXPECT_EQ(g.Get(1, 2).type(), VarType::Bool);
    EXPECT_FALSE(lattix::ToBool(g.Get(1, 2)));
    g.Set(1, 3, Variant("old"));
    EXPECT_EQ(g->CommitTextToCell(1, 3, "", false), 1);
    EXPECT_EQ(g.Get(1, 3).type(), VarType::String);
    EXPECT_EQ(lattix::ToString(g.Get(1, 3)), "");
    // A cell with no value takes the text as a string, and stays empty for an empty text.
    g.Set(1, 4, Variant());
    g.Set(2, 4, Variant::null());
    EXPECT_EQ(g->CommitTextToCell(1, 4, "12", false), 1);
    EXPECT_EQ(g.Get(1, 4).type(), VarType::String);
    EXPECT_EQ(g->CommitTextToCell(2, 4, "", false), 1);
    EXPECT_TRUE(g.Get(2, 4).isNull());
    // An object reference stays the same object whatever is typed.
    lattix::ObjectRef font = g->FontClone();
    g.Set(1, 5, Variant(font));
    EXPECT_EQ(g->CommitTextToCell(1, 5, "abc", false), 1);
    EXPECT_EQ(g.Get(1, 5).get<lattix::ObjectRef>(), font);
    // Dates that do not exist are not dates.
    g->SetSilentValidation(true);
    for (const char* bad : {"2/30/2021", "13/1/2020", "1/2", "noon", "25:00"}) {
        int32_t convErr = -1;
        const int cookie = g->events()->connect([&](const lattix::EventInfo& e, std::span<Variant> a) {
            if (e.name == "BeforeCommitEdit") convErr = lattix::ToInt32(a[5]);
        });
        g.Set(2, 1, Variant(lattix::Date{0}));
        g->CommitTextToCell(2, 1, bad, false);
        EXPECT_EQ(convErr, 13) << bad;
        g->events()->disconnect(cookie);
    }
}

TEST(CommitPath, FailedConversionShowsTheValidationMessageAndStoresNothing) {
    EditGrid g(2, 2);
    g.Set(1, 1, Variant(3.0));
    EventLog log(*g.grid);
    EXPECT_EQ(g->CommitTextToCell(1, 1, "abc", true), 2);
    EXPECT_EQ(log.take(), (Strings{"InputValidationError(13,Type mismatch.)"}));
    ASSERT_EQ(g.Boxes().size(), 1u);
    EXPECT_EQ(g.Boxes()[0].request.caption, "Input Validation");
    EXPECT_EQ(g.Boxes()[0].request.text, "Invalid value:\r\nType mismatch.");
    EXPECT_EQ(g.Boxes()[0].request.Icon(), ui::MessageBoxIcon::Stop);
    EXPECT_EQ(lattix::ToDouble(g.Get(1, 1)), 3.0);

    // Out of range: error 6; the handler's description is what the box shows; the captions follow UIStrings.
    g.Set(2, 1, Variant(int16_t{1}));
    g->SetUIStrings(10, "Wrong:");
    g->SetUIStrings(11, "Check");
    OnEvent(*g.grid, "InputValidationError", [](std::span<Variant> a) { SetRef(a[1], Variant("too big")); });
    EXPECT_EQ(g->CommitTextToCell(2, 1, "40000", false), 2);
    EXPECT_EQ(log.take(), (Strings{"InputValidationError(6,Overflow.)"}));
    EXPECT_EQ(g.Boxes().back().request.caption, "Check");
    EXPECT_EQ(g.Boxes().back().request.text, "Wrong:\r\ntoo big");
    EXPECT_EQ(lattix::ToInt32(g.Get(2, 1)), 1);
}

TEST(CommitPath, SilentValidationLeavesTheDecisionToBeforeCommitEdit) {
    EditGrid g(2, 2);
    g->SetSilentValidation(true);
    g.Set(1, 1, Variant(3.0));
    EventLog log(*g.grid);
    EXPECT_EQ(g->CommitTextToCell(1, 1, "abc", false), 1);
    EXPECT_EQ(log.take(), (Strings{"BeforeCommitEdit(1,1,1,abc,,13,False,-1)", "AfterCommitEdit(1,1,3)"}));
    EXPECT_TRUE(g.Boxes().empty());
    EXPECT_TRUE(g.Get(1, 1).isEmpty());
}

TEST(CommitPath, BeforeCommitEditCanCancelRedirectOrProceed) {
    EditGrid g(2, 2);
    g.Set(1, 1, Variant(3.0));
    Variant answer(int32_t{0});
    Variant replacement;
    OnEvent(*g.grid, "BeforeCommitEdit", [&](std::span<Variant> a) {
        SetRef(a[2], answer);
        if (!replacement.isEmpty()) SetRef(a[4], replacement);
    });
    EventLog log(*g.grid);
    EXPECT_EQ(g->CommitTextToCell(1, 1, "5", true), 0);
    EXPECT_EQ(log.names(), (Strings{"BeforeCommitEdit", "CancelEdit"}));
    EXPECT_EQ(lattix::ToDouble(g.Get(1, 1)), 3.0);
    // An answer outside the enumeration counts as cancelling.
    answer = Variant(int32_t{7});
    EXPECT_EQ(g->CommitTextToCell(1, 1, "5", true), 0);
    EXPECT_EQ(log.names(), (Strings{"BeforeCommitEdit", "CancelEdit"}));
    answer = Variant(int32_t{-1});
    EXPECT_EQ(g->CommitTextToCell(1, 1, "5", true), 0);
    log.take();
    // Proceed: nothing stored, no further event, whether proceeding is allowed or not.
    answer = Variant(int32_t{2});
    EXPECT_EQ(g->CommitTextToCell(1, 1, "5", true), 2);
    EXPECT_EQ(g->CommitTextToCell(1, 1, "5", false), 2);
    EXPECT_EQ(log.names(), (Strings{"BeforeCommitEdit", "BeforeCommitEdit"}));
    EXPECT_EQ(lattix::ToDouble(g.Get(1, 1)), 3.0);
    // Commit with a value the handler put in place.
    answer = Variant(int32_t{1});
    replacement = Variant("replaced");
    EXPECT_EQ(g->CommitTextToCell(1, 1, "5", true), 1);
    EXPECT_EQ(lattix::ToString(g.Get(1, 1)), "replaced");
    EXPECT_EQ(log.take().back(), "AfterCommitEdit(1,1,3)");
}

TEST(CommitPath, HandlerThatRemovesTheRowStoresNothing) {
    EditGrid g(2, 2);
    g.Set(2, 1, Variant(3.0));
    OnEvent(*g.grid, "BeforeCommitEdit", [&](std::span<Variant>) { g->SetRowCount(1); });
    EventLog log(*g.grid);
    EXPECT_EQ(g->CommitTextToCell(2, 1, "5", true), 0);
    EXPECT_EQ(log.counts["AfterCommitEdit"], 0);
    EXPECT_EQ(g->RowCount(), 1);
}

TEST(CommitPath, ArgumentsAreCheckedFirst) {
    EditGrid g(2, 2);
    EventLog log(*g.grid);
    for (auto [r, c] : {std::pair{0, 1}, {3, 1}, {1, 0}, {1, 4}}) {
        try {
            g->CommitTextToCell(r, c, "1", false);
            ADD_FAILURE() << r << "," << c;
        } catch (const lattix::AutomationError& e) {
            EXPECT_EQ(e.unsignedNumber(), 0x80040000u + 513);
        }
    }
    EXPECT_TRUE(log.take().empty());
}

TEST(CommitPath, RequestEditAnswersAndEditorOptions) {
    EditGrid g(2, 2);
    OnEvent(*g.grid, "RequestEdit", [](std::span<Variant> a) {
        EXPECT_EQ(lattix::ToString(a[4]), "start");
        SetRef(a[4], Variant("Changed"));
        SetRef(a[5], Variant(int32_t{4}));
        SetRef(a[6], Variant(int32_t{8}));
    });
    const Lattix::EditRequestAnswer answer = g->RaiseRequestEdit(2, 1, 0, "start");
    EXPECT_FALSE(answer.cancel);
    EXPECT_EQ(answer.text, "Changed");
    EXPECT_EQ(answer.maxLength, 4);
    EXPECT_EQ(answer.textEditOpt, 8);
    EXPECT_EQ(Lattix::ApplyTextEditOptions("Changed", 8, 4), "CHAN");
    EXPECT_EQ(Lattix::ApplyTextEditOptions("AbC", 16, 0), "abc");
    EXPECT_EQ(Lattix::ApplyTextEditOptions("a1b2,5", 8192, 0), "125");
    EXPECT_EQ(Lattix::ApplyTextEditOptions("\xC3\xA9t\xC3\xA9", 0, 2), "\xC3\xA9t");
    // The limit never splits a letter from its accent or an emoji sequence.
    EXPECT_EQ(Lattix::ApplyTextEditOptions("ae\xCC\x81" "b", 0, 2), "a");
    EXPECT_EQ(Lattix::ApplyTextEditOptions("ae\xCC\x81" "b", 0, 3), "ae\xCC\x81");
    EXPECT_EQ(Lattix::ApplyTextEditOptions("\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7!", 0, 1), "");
    EXPECT_EQ(Lattix::ApplyTextEditOptions("ab\xFF\xFEcd", 0, 3), "ab\xFF"); // broken bytes count one each
}
