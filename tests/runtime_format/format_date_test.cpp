#include <gtest/gtest.h>

#include "runtime/automation_error.h"
#include "runtime/date_parts.h"
#include "runtime/format.h"

namespace lattix {
namespace {

const Locale kDot = Locale::invariant();
const Locale kComma = Locale::decimalComma();

double at(int y, int m, int d, int hh = 0, int nn = 0, int ss = 0) {
    return DateSerialOf(y, m, d) + (hh * 3600 + nn * 60 + ss) / 86400.0;
}

// Friday, 5 January 2024, 15:04:05.
const Variant kFriday = Variant(Date{at(2024, 1, 5, 15, 4, 5)});

TEST(FormatDate, DateAndTimePlaceholders) {
    struct Case {
        const char* pattern;
        const char* text;
    } cases[] = {
        {"d", "5"},
        {"dd", "05"},
        {"ddd", "Fri"},
        {"dddd", "Friday"},
        {"ddddd", "1/5/2024"},
        {"dddddd", "Friday, January 5, 2024"},
        {"w", "6"},
        {"ww", "1"},
        {"m", "1"},
        {"mm", "01"},
        {"mmm", "Jan"},
        {"mmmm", "January"},
        {"q", "1"},
        {"y", "5"},
        {"yy", "24"},
        {"yyyy", "2024"},
        {"h", "15"},
        {"hh", "15"},
        {"n", "4"},
        {"nn", "04"},
        {"s", "5"},
        {"ss", "05"},
        {"ttttt", "3:04:05 PM"},
        {"c", "1/5/2024 3:04:05 PM"},
        {"hh:mm", "15:04"},       // m after h is minutes
        {"h \\h mm", "15 h 04"},  // also with literals between
        {"mm:ss", "01:05"},       // otherwise months
        {"h:mm AM/PM", "3:04 PM"},
        {"h:mm am/pm", "3:04 pm"},
        {"h A/P", "3 P"},
        {"h a/p", "3 p"},
        {"hh AMPM", "03 PM"},
        {"m/d/yy", "1/5/24"},
        {"YYYY-MM-DD HH:NN:SS", "2024-01-05 15:04:05"},
        {"dd.mm.yyyy", "05.01.2024"},
        {"dd \\o\\f mmmm", "05 of January"},
        {"\"Day\" d", "Day 5"},
        {"General Date", "1/5/2024 3:04:05 PM"},
        {"Long Date", "Friday, January 5, 2024"},
        {"Medium Date", "05-Jan-24"},
        {"Short Date", "1/5/2024"},
        {"Long Time", "3:04:05 PM"},
        {"Medium Time", "03:04 PM"},
        {"Short Time", "15:04"},
    };
    for (const Case& c : cases) EXPECT_EQ(Format(kFriday, c.pattern, kDot), c.text) << c.pattern;
}

TEST(FormatDate, LocaleSeparatorsOrderAndClock) {
    EXPECT_EQ(Format(kFriday, "dd/mm/yyyy", kComma), "05.01.2024");
    EXPECT_EQ(Format(kFriday, "Short Date", kComma), "05.01.2024");
    EXPECT_EQ(Format(kFriday, "Long Date", kComma), "Friday, 5. January 2024");
    EXPECT_EQ(Format(kFriday, "Long Time", kComma), "15:04:05");
    EXPECT_EQ(Format(kFriday, "c", kComma), "05.01.2024 15:04:05");
    Locale l = Locale::invariant();
    l.timeSeparator = ".";
    l.dateOrder = Locale::DateOrder::YearMonthDay;
    l.dateSeparator = "-";
    l.dayNames[5] = "vendredi";
    l.monthAbbrevs[0] = "janv.";
    l.amDesignator = "vorm.";
    l.pmDesignator = "nachm.";
    EXPECT_EQ(Format(kFriday, "hh:nn", l), "15.04");
    EXPECT_EQ(Format(kFriday, "ddddd", l), "2024-01-05");
    EXPECT_EQ(Format(kFriday, "dddd d mmm", l), "vendredi 5 janv.");
    EXPECT_EQ(Format(kFriday, "h AMPM", l), "3 nachm.");
    l.shortDateFormat = "yy/m/d";
    EXPECT_EQ(Format(kFriday, "Short Date", l), "24-1-5");
}

TEST(FormatDate, TwelveHourClockAroundMidnightAndNoon) {
    EXPECT_EQ(Format(Variant(Date{at(2024, 1, 5, 0, 30)}), "h:nn AM/PM", kDot), "12:30 AM");
    EXPECT_EQ(Format(Variant(Date{at(2024, 1, 5, 12, 0)}), "h:nn AM/PM", kDot), "12:00 PM");
    EXPECT_EQ(Format(Variant(Date{at(2024, 1, 5, 11, 59, 59)}), "hh:nn:ss a/p", kDot), "11:59:59 a");
    EXPECT_EQ(Format(Variant(Date{at(2024, 1, 5, 0, 30)}), "h:nn", kDot), "0:30");
}

TEST(FormatDate, GeneralDateDropsMidnightAndEmptyDay) {
    EXPECT_EQ(Format(Variant(Date{at(2024, 1, 5)}), "c", kDot), "1/5/2024");
    EXPECT_EQ(Format(Variant(Date{0.75}), "c", kDot), "6:00:00 PM");
    EXPECT_EQ(Format(Variant(Date{0.0}), "General Date", kDot), "12:00:00 AM");
    // Half a second before midnight rounds into the next day.
    EXPECT_EQ(Format(Variant(Date{at(2024, 2, 28) + 86399.6 / 86400.0}), "yyyy-mm-dd hh:nn:ss", kDot),
              "2024-02-29 00:00:00");
    EXPECT_EQ(Format(Variant(Date{-1.25}), "yyyy-mm-dd hh:nn", kDot), "1899-12-29 06:00");
}

TEST(FormatDate, WeekNumbersStartOnSundayWithJanuaryFirstInWeekOne) {
    EXPECT_EQ(Format(Variant(Date{at(2024, 1, 6)}), "ww w", kDot), "1 7");  // Saturday
    EXPECT_EQ(Format(Variant(Date{at(2024, 1, 7)}), "ww w", kDot), "2 1");  // Sunday
    EXPECT_EQ(Format(Variant(Date{at(2024, 12, 31)}), "ww", kDot), "53");
    EXPECT_EQ(Format(Variant(Date{at(2023, 1, 1)}), "ww w", kDot), "1 1");  // a Sunday
    EXPECT_EQ(Format(Variant(Date{at(2022, 12, 31)}), "ww", kDot), "53"); // Saturday; Jan 1 was one too
    EXPECT_EQ(Format(Variant(Date{at(2024, 12, 31)}), "y q", kDot), "366 4");
}

TEST(FormatDate, NumbersAndTextsInDatePatterns) {
    EXPECT_EQ(Format(Variant(45296.5), "yyyy-mm-dd hh:nn", kDot), "2024-01-05 12:00");
    EXPECT_EQ(Format(Variant(int32_t{2}), "dddd d mmmm yyyy", kDot), "Monday 1 January 1900");
    EXPECT_EQ(Format(Variant("45296"), "yyyy", kDot), "2024");
    EXPECT_EQ(Format(Variant("45296,25"), "hh:nn", kComma), "06:00");
    EXPECT_EQ(Format(Variant("no date"), "yyyy", kDot), "no date");
    EXPECT_EQ(Format(Variant::null(), "yyyy", kDot), "");
    EXPECT_THROW(Format(Variant(1e9), "yyyy", kDot), AutomationError);
    EXPECT_THROW(Format(Variant(-700000.0), "Short Date", kDot), AutomationError);
}

TEST(FormatDate, LocaleLayoutsThatNameEachOtherStopNesting) {
    Locale l = Locale::invariant();
    l.shortDateFormat = "c";
    // "c" asks for the short date, which asks for "c" again: the nesting ends instead of recursing.
    std::string text = Format(kFriday, "ddddd", l);
    EXPECT_LT(text.size(), 200u);
    EXPECT_NE(text.find("3:04:05 PM"), std::string::npos);
}

} // namespace
} // namespace lattix
