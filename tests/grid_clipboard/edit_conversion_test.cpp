// Converting a pasted or cleared cell's text to the type the cell holds, and reading dates.
#include <gtest/gtest.h>

#include "grid/input/edit_conversion.h"
#include "runtime/date_parts.h"
#include "runtime/date_text.h"
#include "runtime/text_conversion.h"

using namespace lattix;

TEST(EditConversion, EmptyTextGivesEachTypesInitialValue) {
    EXPECT_EQ(ConvertEditText("", Variant(int32_t{7})).value, Variant(int32_t{0}));
    EXPECT_EQ(ConvertEditText("", Variant(2.5)).value, Variant(0.0));
    EXPECT_EQ(ConvertEditText("", Variant(Date{44000.5})).value, Variant(Date{0}));
    EXPECT_EQ(ConvertEditText("", Variant(true)).value, Variant(false));
    EXPECT_EQ(ConvertEditText("", Variant(std::string("x"))).value, Variant(std::string()));
    // An empty cell stays empty; with text it takes the text as a string.
    EXPECT_TRUE(ConvertEditText("", Variant()).value.isEmpty());
    EXPECT_EQ(ConvertEditText("12", Variant()).value, Variant(std::string("12")));
    for (const Variant& v : {Variant(int32_t{7}), Variant(Date{1}), Variant(true)})
        EXPECT_EQ(ConvertEditText("", v).convErr, 0);
}

TEST(EditConversion, NumbersFollowTheLocaleAndReportMismatchAndOverflow) {
    EXPECT_EQ(ConvertEditText("1.5", Variant(0.0)).value, Variant(1.5));
    EXPECT_EQ(ConvertEditText("40000", Variant(int16_t{1})).convErr, 6);
    EXPECT_EQ(ConvertEditText("abc", Variant(int32_t{1})).convErr, 13);
    EXPECT_TRUE(ConvertEditText("abc", Variant(int32_t{1})).value.isEmpty());
    EXPECT_EQ(ConvertEditText("1e400", Variant(0.0)).convErr, 6);
    {
        ScopedLocale comma(Locale::decimalComma());
        EXPECT_EQ(ConvertEditText("1,5", Variant(0.0)).value, Variant(1.5));
        EXPECT_EQ(ConvertEditText("2,25", Variant(Currency{0})).value, Variant(Currency{22500}));
    }
    EXPECT_EQ(ConvertEditText("true", Variant(false)).value, Variant(true));
    EXPECT_EQ(ConvertEditText("maybe", Variant(false)).convErr, 13);
    // Objects keep their value whatever the text.
    EXPECT_EQ(ConvertEditText("x", Variant(std::string("s"))).value, Variant(std::string("x")));
}

TEST(DateText, ReadsBackWhatTheTextConversionWritesInBothLocales) {
    for (const Locale& loc : {Locale::invariant(), Locale::decimalComma()}) {
        for (double serial : {1.0, 36525.0, 44196.0 + 13 * 3600 / 86400.0, 0.75, 2958465.0, -100.0}) {
            const std::string text = TextOfDate(Date{serial}, loc);
            std::optional<Date> back = ParseDateText(text, loc);
            ASSERT_TRUE(back) << text;
            EXPECT_DOUBLE_EQ(back->serial, serial) << text;
        }
    }
}

TEST(DateText, AcceptsSeparatorsMonthNamesAndRejectsImpossibleDates) {
    const Locale us = Locale::invariant();
    EXPECT_EQ(ParseDateText("12/31/2020", us)->serial, DateSerialOf(2020, 12, 31));
    EXPECT_EQ(ParseDateText("12-31-20", us)->serial, DateSerialOf(2020, 12, 31));
    EXPECT_EQ(ParseDateText("31-Dec-2020", us)->serial, DateSerialOf(2020, 12, 31));
    EXPECT_EQ(ParseDateText("1/2/1999 3:04 PM", us)->serial, DateSerialOf(1999, 1, 2) + (15 * 3600 + 4 * 60) / 86400.0);
    EXPECT_EQ(ParseDateText("31.12.2020", Locale::decimalComma())->serial, DateSerialOf(2020, 12, 31));
    for (const char* bad : {"", "2/30/2020", "13/1/2020", "1/2", "25:00", "1/2/2020 x", "abc", "1/2/3/4", "1:2:3:4"})
        EXPECT_FALSE(ParseDateText(bad, us)) << bad;
}
