#include <gtest/gtest.h>

#include <limits>

#include "runtime/automation_error.h"
#include "runtime/date_parts.h"
#include "runtime/text_conversion.h"

namespace lattix {
namespace {

const Locale kDot = Locale::invariant();
const Locale kComma = Locale::decimalComma();

TEST(TextOfDouble, FifteenSignificantDigitsAndExponentForm) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1.0, "1"},
        {-2.5, "-2.5"},
        {0.1, "0.1"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {123456789012345.0, "123456789012345"},
        {999999999999999.0, "999999999999999"},
        {1e15, "1E+15"},
        {1e16, "1E+16"},
        {1234567890123456.0, "1.23456789012346E+15"},
        {-1e15, "-1E+15"},
        {1e100, "1E+100"},
        {0.0001, "0.0001"},
        {0.00001, "1E-05"},
        {1.5e-7, "1.5E-07"},
        {-1.5e-7, "-1.5E-07"},
        {1.7976931348623157e308, "1.79769313486232E+308"},
        {4.9e-324, "4.94065645841247E-324"},
        {9999999999999995.0, "1E+16"},
        {0.9999999999999999, "1"},
        {100.0, "100"},
        {1234.5, "1234.5"},
    };
    for (const Case& c : cases) EXPECT_EQ(TextOfDouble(c.value, kDot), c.text) << c.text;
    EXPECT_EQ(TextOfDouble(1234.5, kComma), "1234,5");
    EXPECT_EQ(TextOfDouble(1.5e-7, kComma), "1,5E-07");
    EXPECT_EQ(TextOfDouble(std::numeric_limits<double>::infinity(), kDot), "Infinity");
}

TEST(TextOfSingle, SevenSignificantDigits) {
    EXPECT_EQ(TextOfSingle(0.1f, kDot), "0.1");
    EXPECT_EQ(TextOfSingle(1.0f / 3.0f, kDot), "0.3333333");
    EXPECT_EQ(TextOfSingle(1234567.0f, kDot), "1234567");
    EXPECT_EQ(TextOfSingle(12345678.0f, kDot), "1.234568E+07");
    EXPECT_EQ(TextOfSingle(2.675f, kDot), "2.675");
    EXPECT_EQ(TextOfSingle(-0.5f, kComma), "-0,5");
}

TEST(TextOfCurrency, UpToFourDecimalsExactly) {
    EXPECT_EQ(TextOfCurrency(Currency{0}, kDot), "0");
    EXPECT_EQ(TextOfCurrency(Currency{12345}, kDot), "1.2345");
    EXPECT_EQ(TextOfCurrency(Currency{15000}, kDot), "1.5");
    EXPECT_EQ(TextOfCurrency(Currency{-10000}, kDot), "-1");
    EXPECT_EQ(TextOfCurrency(Currency{-1}, kComma), "-0,0001");
    EXPECT_EQ(TextOfCurrency(Currency{std::numeric_limits<int64_t>::max()}, kDot), "922337203685477.5807");
    EXPECT_EQ(TextOfCurrency(Currency{std::numeric_limits<int64_t>::min()}, kDot), "-922337203685477.5808");
}

TEST(TextOfDate, ShortDateWithTimeWhenNotMidnight) {
    double jan5 = DateSerialOf(2024, 1, 5);
    EXPECT_EQ(TextOfDate(Date{jan5}, kDot), "1/5/2024");
    EXPECT_EQ(TextOfDate(Date{jan5 + 0.5}, kDot), "1/5/2024 12:00:00 PM");
    EXPECT_EQ(TextOfDate(Date{jan5 + (15 * 3600 + 4 * 60 + 5) / 86400.0}, kDot), "1/5/2024 3:04:05 PM");
    EXPECT_EQ(TextOfDate(Date{jan5 + (15 * 3600 + 4 * 60 + 5) / 86400.0}, kComma), "05.01.2024 15:04:05");
    // No day part: the time alone, even at midnight.
    EXPECT_EQ(TextOfDate(Date{0.0}, kDot), "12:00:00 AM");
    EXPECT_EQ(TextOfDate(Date{0.25}, kComma), "06:00:00");
    // A time a fraction of a second before midnight rounds to the next day.
    EXPECT_EQ(TextOfDate(Date{jan5 + 0.9999999}, kDot), "1/6/2024");
    EXPECT_EQ(TextOfDate(Date{-1.25}, kDot), "12/29/1899 6:00:00 AM");
    EXPECT_THROW(TextOfDate(Date{3e6}, kDot), AutomationError);
}

TEST(TextOf, EveryVariantType) {
    EXPECT_EQ(TextOf(Variant(), kDot), "");
    EXPECT_EQ(TextOf(Variant::null(), kDot), "");
    EXPECT_EQ(TextOf(Variant(int16_t{-32768}), kDot), "-32768");
    EXPECT_EQ(TextOf(Variant(int32_t{2147483647}), kDot), "2147483647");
    EXPECT_EQ(TextOf(Variant(uint8_t{255}), kDot), "255");
    EXPECT_EQ(TextOf(Variant(0.5f), kComma), "0,5");
    EXPECT_EQ(TextOf(Variant(0.5), kComma), "0,5");
    EXPECT_EQ(TextOf(Variant(Currency{25000}), kComma), "2,5");
    EXPECT_EQ(TextOf(Variant(Date{DateSerialOf(1999, 12, 31)}), kComma), "31.12.1999");
    EXPECT_EQ(TextOf(Variant("text 1.5"), kComma), "text 1.5");
    EXPECT_EQ(TextOf(Variant(true), kDot), "True");
    EXPECT_EQ(TextOf(Variant(false), kDot), "False");
    EXPECT_EQ(TextOf(Variant::error(static_cast<int32_t>(0x800A0005u)), kDot), "Error 5");
    EXPECT_EQ(TextOf(Variant::error(2042), kDot), "Error 2042");
    EXPECT_EQ(TextOf(Variant::missing(), kDot), "Error -2147352572");
    EXPECT_EQ(TextOf(Variant(SafeArray::make1D(0, 2)), kDot), "");
    EXPECT_EQ(TextOf(Variant::byRef(Variant(1.25)), kDot), "1.25");
}

TEST(TextOf, DefaultsToTheCurrentLocale) {
    ScopedLocale comma(kComma);
    EXPECT_EQ(TextOf(Variant(-1.5)), "-1,5");
    {
        ScopedLocale dot(kDot);
        EXPECT_EQ(TextOf(Variant(-1.5)), "-1.5");
    }
    EXPECT_EQ(TextOfDouble(0.25), "0,25");
}

} // namespace
} // namespace lattix
