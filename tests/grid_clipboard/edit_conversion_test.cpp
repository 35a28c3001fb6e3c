// Converting a cleared cell's empty text, and reading dates as the text conversion writes them.
#include <gtest/gtest.h>

#include "grid/lattix.h"
#include "runtime/date_parts.h"
#include "runtime/date_text.h"
#include "runtime/text_conversion.h"

using namespace lattix;

// What clearing stores: an empty text gives each type's initial value, never a conversion error.
TEST(EditConversion, EmptyTextGivesEachTypesInitialValue) {
    auto g = Lattix::Create();
    g->SetColCount(6);
    g->SetRowCount(1);
    const Variant values[] = {Variant(int32_t{7}), Variant(2.5), Variant(Date{44000.5}), Variant(true),
                              Variant(std::string("x")), Variant()};
    const Variant cleared[] = {Variant(int32_t{0}), Variant(0.0), Variant(Date{0}), Variant(false),
                               Variant(std::string()), Variant()};
    for (int c = 0; c < 6; ++c) {
        g->SetCellValue(Variant(1), Variant(c + 1), values[c]);
        const Lattix::EditTextValue v = g->ConvertEditText(1, c + 1, "");
        EXPECT_EQ(v.convErr, 0) << c;
        EXPECT_EQ(v.value, cleared[c]) << c;
    }
    // Texts still have to be of the type.
    EXPECT_EQ(g->ConvertEditText(1, 3, "maybe").convErr, 13);
    EXPECT_EQ(g->ConvertEditText(1, 4, "maybe").convErr, 13);
    EXPECT_EQ(g->ConvertEditText(1, 3, "1/2/2003").value, Variant(Date{DateSerialOf(2003, 1, 2)}));
}

TEST(DateText, ReadsBackWhatTheTextConversionWritesInBothLocales) {
    for (const Locale& loc : {Locale::invariant(), Locale::decimalComma()}) {
        // ... including a date before the year 1000, written with a three-digit year.
        for (double serial : {1.0, 36525.0, 44196.0 + 13 * 3600 / 86400.0, 0.75, 2958465.0, -100.0,
                              DateSerialOf(998, 12, 31) + 0.5}) {
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
