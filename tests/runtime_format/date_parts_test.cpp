#include <gtest/gtest.h>

#include <cmath>

#include "runtime/date_parts.h"

namespace lattix {
namespace {

TEST(DateParts, KnownSerials) {
    struct Case {
        double serial;
        int y, m, d, weekday;
    } cases[] = {
        {0, 1899, 12, 30, 7},       {1, 1899, 12, 31, 1},      {2, 1900, 1, 1, 2},
        {60, 1900, 2, 28, 4},       {61, 1900, 3, 1, 5},       {36585, 2000, 2, 29, 3},
        {45292, 2024, 1, 1, 2},     {-1, 1899, 12, 29, 6},     {kMinDateSerial, 100, 1, 1, 6},
        {2958465, 9999, 12, 31, 6},
    };
    for (const Case& c : cases) {
        DateParts p = SplitDateSerial(c.serial);
        EXPECT_EQ(p.year, c.y) << c.serial;
        EXPECT_EQ(p.month, c.m) << c.serial;
        EXPECT_EQ(p.day, c.d) << c.serial;
        EXPECT_EQ(p.weekday, c.weekday) << c.serial;
        EXPECT_EQ(DateSerialOf(c.y, c.m, c.d), c.serial);
    }
}

TEST(DateParts, EveryDayRoundTrips) {
    // Days of 1896..2104: leap years, the skipped 1900 and 2100 leap days, and negative serials.
    double first = DateSerialOf(1896, 1, 1), last = DateSerialOf(2104, 12, 31);
    int expectedWeekday = SplitDateSerial(first).weekday;
    int previousYear = 1895, expectedDayOfYear = 0;
    for (double s = first; s <= last; ++s) {
        DateParts p = SplitDateSerial(s);
        ASSERT_EQ(DateSerialOf(p.year, p.month, p.day), s);
        ASSERT_EQ(p.weekday, expectedWeekday);
        expectedDayOfYear = p.year == previousYear ? expectedDayOfYear + 1 : 1;
        previousYear = p.year;
        ASSERT_EQ(p.dayOfYear, expectedDayOfYear);
        expectedWeekday = expectedWeekday % 7 + 1;
    }
    EXPECT_EQ(SplitDateSerial(DateSerialOf(1900, 12, 31)).dayOfYear, 365);
    EXPECT_EQ(SplitDateSerial(DateSerialOf(2000, 12, 31)).dayOfYear, 366);
}

TEST(DateParts, TimeOfDayRoundsToTheSecond) {
    DateParts p = SplitDateSerial(45292.5 + 1.4 / 86400.0);
    EXPECT_EQ(p.hour, 12);
    EXPECT_EQ(p.second, 1);
    EXPECT_TRUE(p.hasTime());
    p = SplitDateSerial(45292 + 86399.5 / 86400.0);
    EXPECT_EQ(p.day, 2);
    EXPECT_FALSE(p.hasTime());
    p = SplitDateSerial(-2.75); // the fraction counts forward from midnight of day -2
    EXPECT_EQ(p.day, 28);
    EXPECT_EQ(p.hour, 18);
    EXPECT_TRUE(SplitDateSerial(0.5).timeOnly);
    EXPECT_TRUE(SplitDateSerial(-0.5).timeOnly);
    EXPECT_FALSE(SplitDateSerial(1.5).timeOnly);
}

TEST(DateParts, RangeAndRollOver) {
    EXPECT_TRUE(IsValidDateSerial(kMinDateSerial));
    EXPECT_FALSE(IsValidDateSerial(kMinDateSerial - 0.5));
    EXPECT_TRUE(IsValidDateSerial(2958465.99));
    EXPECT_FALSE(IsValidDateSerial(kMaxDateSerialExclusive));
    EXPECT_FALSE(IsValidDateSerial(std::nan("")));
    EXPECT_EQ(DateSerialOf(2024, 13, 1), DateSerialOf(2025, 1, 1));
    EXPECT_EQ(DateSerialOf(2024, 0, 1), DateSerialOf(2023, 12, 1));
    EXPECT_EQ(DateSerialOf(2024, 3, 0), DateSerialOf(2024, 2, 29));
}

} // namespace
} // namespace lattix
