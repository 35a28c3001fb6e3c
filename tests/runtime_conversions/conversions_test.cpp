#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {
namespace {

const Locale kDot = Locale::invariant();
const Locale kComma = Locale::decimalComma();

int32_t errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const AutomationError& e) {
        return e.number();
    }
    return 0;
}

constexpr int32_t kOverflow = runtime_error_number::kOverflow;
constexpr int32_t kMismatch = runtime_error_number::kTypeMismatch;

TEST(Conversions, RoundHalfEven) {
    const double cases[][2] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
                               {2.4999, 2}, {2.5001, 3}, {-2.5001, -3}, {1e16 + 2, 1e16 + 2}};
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c[0]), c[1]) << c[0];
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""))));
}

TEST(Conversions, AddressNumbersRoundToEvenAndAcceptOnlyNumbers) {
    EXPECT_EQ(AddressNumberToInt32(Variant(2.5)), 2);
    EXPECT_EQ(AddressNumberToInt32(Variant(3.5)), 4);
    EXPECT_EQ(AddressNumberToInt32(Variant(-2.5)), -2);
    EXPECT_EQ(AddressNumberToInt32(Variant(0.5f)), 0);
    EXPECT_EQ(AddressNumberToInt32(Variant(Currency{25000})), 2);
    EXPECT_EQ(AddressNumberToInt32(Variant(int16_t{7})), 7);
    EXPECT_EQ(AddressNumberToInt32(Variant(uint8_t{255})), 255);
    EXPECT_EQ(AddressNumberToInt32(Variant::byRef(Variant(int32_t{9}))), 9);
    EXPECT_EQ(AddressNumberToInt32(Variant(2147483646.5)), 2147483646);
    EXPECT_EQ(AddressNumberToInt32(Variant(-2147483648.5)), -2147483647 - 1);
    EXPECT_EQ(errorOf([] { AddressNumberToInt32(Variant(2147483647.5)); }), kOverflow);
    EXPECT_EQ(errorOf([] { AddressNumberToInt32(Variant(-2147483649.0)); }), kOverflow);
    EXPECT_EQ(errorOf([] { AddressNumberToInt32(Variant(std::nan(""))); }), kOverflow);
    EXPECT_EQ(errorOf([] { AddressNumberToInt32(Variant("1")); }), kMismatch);
    EXPECT_EQ(errorOf([] { AddressNumberToInt32(Variant(true)); }), kMismatch);
    EXPECT_EQ(errorOf([] { AddressNumberToInt32(Variant()); }), kMismatch);
    EXPECT_EQ(errorOf([] { AddressNumberToInt32(Variant::null()); }), kMismatch);
    EXPECT_EQ(errorOf([] { AddressNumberToInt32(Variant(Date{1})); }), kMismatch);
}

TEST(Conversions, IntegerTargetsOverflowAfterRounding) {
    EXPECT_EQ(ToInt16(Variant(32766.5)), 32766);
    EXPECT_EQ(errorOf([] { ToInt16(Variant(32767.5)); }), kOverflow);
    EXPECT_EQ(ToInt16(Variant(-32768.5)), -32768);
    EXPECT_EQ(errorOf([] { ToInt16(Variant(int32_t{40000})); }), kOverflow);
    EXPECT_EQ(ToByte(Variant(-0.5)), 0);
    EXPECT_EQ(ToByte(Variant(254.5)), 254);
    EXPECT_EQ(errorOf([] { ToByte(Variant(255.5)); }), kOverflow);
    EXPECT_EQ(errorOf([] { ToByte(Variant(int32_t{-1})); }), kOverflow);
    EXPECT_EQ(ToInt32(Variant(true)), -1);
    EXPECT_EQ(ToInt32(Variant()), 0);
    EXPECT_EQ(ToInt32(Variant(Date{2.5})), 2);
    EXPECT_EQ(errorOf([] { ToInt32(Variant::null()); }), kMismatch);
    EXPECT_EQ(errorOf([] { ToInt32(Variant::error(5)); }), kMismatch);
    EXPECT_EQ(errorOf([] { ToInt32(Variant("abc")); }), kMismatch);
}

TEST(Conversions, TextsConvertWithTheCurrentLocale) {
    {
        ScopedLocale dot(kDot);
        EXPECT_EQ(ToDouble(Variant("12.5")), 12.5);
        EXPECT_EQ(ToInt32(Variant("12,5")), 125); // "," groups thousands here
        EXPECT_EQ(ToInt32(Variant("2.5")), 2);
    }
    {
        ScopedLocale comma(kComma);
        EXPECT_EQ(ToDouble(Variant("12,5")), 12.5);
        EXPECT_EQ(ToInt32(Variant("3,5")), 4);
        EXPECT_EQ(ToDouble(Variant("1.234,5")), 1234.5);
    }
}

TEST(Conversions, OtherTargets) {
    ScopedLocale dot(kDot);
    EXPECT_TRUE(ToBool(Variant(" true ")));
    EXPECT_FALSE(ToBool(Variant("FALSE")));
    EXPECT_TRUE(ToBool(Variant(0.1)));
    EXPECT_FALSE(ToBool(Variant("0")));
    EXPECT_EQ(errorOf([] { ToBool(Variant("maybe")); }), kMismatch);
    EXPECT_EQ(ToSingle(Variant(0.5)), 0.5f);
    EXPECT_EQ(errorOf([] { ToSingle(Variant(1e39)); }), kOverflow);
    EXPECT_EQ(ToCurrency(Variant(1.23456)).scaled, 12346);
    EXPECT_EQ(ToCurrency(Variant(-1.23454)).scaled, -12345);
    EXPECT_EQ(ToCurrency(Variant("2,5")).scaled, 250000); // "," groups thousands in the current locale
    EXPECT_EQ(errorOf([] { ToCurrency(Variant(1e15)); }), kOverflow);
    EXPECT_EQ(ToDate(Variant(int32_t{2})).serial, 2.0);
    EXPECT_EQ(errorOf([] { ToDate(Variant(3e6)); }), kOverflow);
    EXPECT_EQ(errorOf([] { ToDate(Variant(true)); }), kMismatch);
    EXPECT_EQ(errorOf([] { ToString(Variant(SafeArray::make1D(0, 1))); }), kMismatch);
    EXPECT_EQ(ToString(Variant::null()), "");
}

TEST(ParseNumberText, DotAndCommaLocales) {
    struct Case {
        const char* text;
        std::optional<double> dot, comma;
    } cases[] = {
        {"1.5", 1.5, 15},
        {"1,5", 15, 1.5},
        {"1,234.5", 1234.5, std::nullopt},
        {"1.234,5", std::nullopt, 1234.5},
        {" -2.5e3 ", -2500, -25000},
        {"+7", 7, 7},
        {".5", 0.5, std::nullopt}, // a thousands separator cannot start a number
        {"5.", 5, 5},
        {",5", std::nullopt, 0.5},
        {"1E-2", 0.01, 0.01},
        {"2d2", 200, 200},
        {"&HFF", 255, 255},
        {"&o17", 15, 15},
        {"-&H10", -16, -16},
        {"&H", std::nullopt, std::nullopt},
        {"&HG", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"   ", std::nullopt, std::nullopt},
        {"abc", std::nullopt, std::nullopt},
        {"1.2.3", std::nullopt, 123},
        {"1e", std::nullopt, std::nullopt},
        {"1e+", std::nullopt, std::nullopt},
        {"12 kg", std::nullopt, std::nullopt},
        {"-", std::nullopt, std::nullopt},
        {"0.1", 0.1, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseNumberText(c.text, kDot), c.dot) << c.text;
        EXPECT_EQ(ParseNumberText(c.text, kComma), c.comma) << c.text;
    }
}

TEST(ParseNumberText, OutOfRangeMagnitudes) {
    EXPECT_EQ(ParseNumberText("1e400", kDot), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseNumberText("-1e400", kDot), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseNumberText("1e-400", kDot), 0.0);
    EXPECT_EQ(ParseNumberText("0.000001e-320", kDot), 0.0);
    EXPECT_EQ(ParseNumberText("1000000e-330", kDot), 0.0);
    EXPECT_EQ(ParseNumberText("0.01e311", kDot), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseNumberText("1.7976931348623157e308", kDot), 1.7976931348623157e308);
}

TEST(ParseNumberText, DefaultsToTheCurrentLocale) {
    ScopedLocale comma(kComma);
    EXPECT_EQ(ParseNumberText("2,25"), 2.25);
}

} // namespace
} // namespace lattix
