// Number reading, separators, pattern choice and unit conversion, in a "." and a "," locale.
#include <gtest/gtest.h>

#include <limits>

#include "app/core/number_format.h"
#include "app/core/numbers.h"
#include "test_support.h"

namespace avigram {
namespace {

using test::BothLocales;

class Numbers : public BothLocales {};

TEST_P(Numbers, ParseNumberReadsTheLeadingNumberWhateverTheLocale) {
    EXPECT_DOUBLE_EQ(ParseNumber("2.35"), 2.35);
    EXPECT_DOUBLE_EQ(ParseNumber("2,35"), 2.35);     // first comma becomes the point
    EXPECT_DOUBLE_EQ(ParseNumber("1,234.5"), 1.234); // "1.234.5": reading stops at the second point
    EXPECT_DOUBLE_EQ(ParseNumber(" \t\n-12.5kg"), -12.5);
    EXPECT_DOUBLE_EQ(ParseNumber("+3e2x"), 300);
    EXPECT_DOUBLE_EQ(ParseNumber("7e"), 7);
    EXPECT_DOUBLE_EQ(ParseNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(ParseNumber(""), 0);
    EXPECT_DOUBLE_EQ(ParseNumber("-"), 0);
    // Out of range gives 0 instead of an infinite value; tiny numbers read as 0.
    EXPECT_DOUBLE_EQ(ParseNumber("1e999"), 0);
    EXPECT_DOUBLE_EQ(ParseNumber("-1e999"), 0);
    EXPECT_DOUBLE_EQ(ParseNumber(std::string(400, '9')), 0);
    EXPECT_DOUBLE_EQ(ParseNumber("1e-999"), 0);
}

TEST_P(Numbers, ParseWholeNumberRoundsHalfToEvenAndSaturates) {
    EXPECT_EQ(ParseWholeNumber("20"), 20);
    EXPECT_EQ(ParseWholeNumber("2.5"), 2);
    EXPECT_EQ(ParseWholeNumber("3.5"), 4);
    EXPECT_EQ(ParseWholeNumber("-2.5"), -2);
    EXPECT_EQ(ParseWholeNumber("2,7"), 2); // no comma step
    EXPECT_EQ(ParseWholeNumber("x"), 0);
    EXPECT_EQ(ParseWholeNumber("1e999"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ParseWholeNumber("-1e999"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ParseWholeNumber("5000000000"), std::numeric_limits<int32_t>::max());
}

TEST_P(Numbers, SeparatorsFollowTheLocale) {
    EXPECT_EQ(CommaToDot("1,5,6"), "1.5,6");
    EXPECT_EQ(CommaToDot("15"), "15");
    // A "." locale: a text with "," loses its first "." and gets "." for its first ",".
    EXPECT_EQ(SwapSeparators("1.234,5", false), "1234.5");
    EXPECT_EQ(SwapSeparators("0,1", false), "0.1");
    EXPECT_EQ(SwapSeparators("0.1", false), "0.1");
    // A "," locale the other way round.
    EXPECT_EQ(SwapSeparators("1,234.5", true), "1234,5");
    EXPECT_EQ(SwapSeparators("0.1", true), "0,1");
    EXPECT_EQ(SwapSeparators("0,1", true), "0,1");
    EXPECT_EQ(DetectLocaleUsesComma(), comma());
    EXPECT_EQ(LocaleNumberText(0.1), Dec("0.1"));
    EXPECT_EQ(SwapSeparators(LocaleNumberText(0.1), DetectLocaleUsesComma()), Dec("0.1"));
}

TEST_P(Numbers, ChooseNumberFormatPicksThePatternByMagnitude) {
    EXPECT_EQ(ChooseNumberPattern(0), "0");
    EXPECT_EQ(ChooseNumberPattern(9.999), "0.##0");
    EXPECT_EQ(ChooseNumberPattern(-9.9991), "##.#0");
    EXPECT_EQ(ChooseNumberPattern(99.99), "##.#0");
    EXPECT_EQ(ChooseNumberPattern(100), "###.0");
    EXPECT_EQ(ChooseNumberPattern(1234.5), "####");
    PatternFormatter format = test::TestFormatter();
    EXPECT_EQ(ChooseNumberFormat(0, format), "0");
    EXPECT_EQ(ChooseNumberFormat(1234.5, format), "1235");
    EXPECT_EQ(ChooseNumberFormat(9.999, format), Dec("9.999"));
    EXPECT_EQ(ChooseNumberFormat(0.2, format), Dec("0.200"));
}

TEST_P(Numbers, ReportNumbersAreBlankOrSignedDigitsAndABlank) {
    EXPECT_EQ(ReportNumberText(12), " 12 ");
    EXPECT_EQ(ReportNumberText(-0.25), Dec("-0.25 "));
    EXPECT_EQ(ReportNumberText(0.1), Dec(" 0.1 "));
    EXPECT_EQ(ReportNumberText(-0.0), " 0 ");
}

TEST(Units, ConvertUnitsUsesTheDisplayFactor) {
    EXPECT_DOUBLE_EQ(ConvertUnits(0, UnitDirection::ToDisplay, 2.5), 2.5);
    EXPECT_DOUBLE_EQ(ConvertUnits(1, UnitDirection::ToInternal, 2.205), 1.0);
    EXPECT_DOUBLE_EQ(ConvertUnits(1, UnitDirection::ToDisplay, 1.0), 2.205);
    EXPECT_DOUBLE_EQ(ConvertUnits(2, UnitDirection::ToInternal, 2500), 2.5);
    EXPECT_DOUBLE_EQ(ConvertUnits(2, UnitDirection::ToDisplay, 2.5), 2500);
    EXPECT_DOUBLE_EQ(RoundHalfEvenTo(0.07, 1), 0.1);
    EXPECT_DOUBLE_EQ(RoundHalfEvenTo(0.25, 1), 0.2);
    EXPECT_EQ(ToWholeNumber(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(ToWholeNumber(1e300), std::numeric_limits<int32_t>::max());
}

INSTANTIATE_TEST_SUITE_P(Locales, Numbers, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Comma" : "Point"; });

} // namespace
} // namespace avigram
