#include <gtest/gtest.h>

#include "runtime/automation_error.h"
#include "runtime/format.h"

namespace lattix {
namespace {

const Locale kDot = Locale::invariant();
const Locale kComma = Locale::decimalComma();

struct Case {
    double value;
    const char* pattern;
    const char* dot;   // with "." decimals, "," thousands
    const char* comma; // with "," decimals, "." thousands
};

void expectCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(Format(Variant(c.value), c.pattern, kDot), c.dot) << c.value << " with \"" << c.pattern << '"';
        EXPECT_EQ(Format(Variant(c.value), c.pattern, kComma), c.comma) << c.value << " with \"" << c.pattern << '"';
    }
}

// The patterns the flock program picks by magnitude, around every rounding edge and sign.
TEST(FormatNumber, ApplicationPatternsRoundHalfAwayFromZeroOnTheDecimalForm) {
    expectCases({
        {0, "0.##0", "0.000", "0,000"},
        {0.2, "0.##0", "0.200", "0,200"},
        {0.0005, "0.##0", "0.001", "0,001"},
        {0.00049, "0.##0", "0.000", "0,000"},
        {-0.0005, "0.##0", "-0.001", "-0,001"},
        {-0.0004, "0.##0", "-0.000", "-0,000"},
        {1.0005, "0.##0", "1.001", "1,001"},    // binary value just below the half
        {1.2345, "0.##0", "1.235", "1,235"},    // likewise
        {9.999, "0.##0", "9.999", "9,999"},
        {9.9995, "0.##0", "10.000", "10,000"},
        {-9.9995, "0.##0", "-10.000", "-10,000"},
        {10.0, "##.#0", "10.00", "10,00"},
        {12.345, "##.#0", "12.35", "12,35"},
        {-12.345, "##.#0", "-12.35", "-12,35"},
        {99.995, "##.#0", "100.00", "100,00"},
        {0.5, "##.#0", ".50", ",50"},
        {-0.004, "##.#0", "-.00", "-,00"},
        {100.05, "###.0", "100.1", "100,1"},
        {-100.05, "###.0", "-100.1", "-100,1"},
        {999.95, "###.0", "1000.0", "1000,0"},
        {0.04, "###.0", ".0", ",0"},
        {1234.5, "####", "1235", "1235"},
        {-1234.5, "####", "-1235", "-1235"},
        {999.5, "####", "1000", "1000"},
        {12345678, "####", "12345678", "12345678"},
        {0.4, "####", "", ""},
        {-0.4, "####", "-", "-"},
        {0, "0", "0", "0"},
        {0.5, "0", "1", "1"},
        {1.5, "0", "2", "2"},
        {2.5, "0", "3", "3"},
        {-0.4, "0", "-0", "-0"},
        {-0.5, "0", "-1", "-1"},
        {-2.5, "0", "-3", "-3"},
        {0.49999999999999994, "0", "1", "1"}, // 15 significant digits make it 0.5
        {1.5, " #.#0 ", " 1.50 ", " 1,50 "},
        {0.5, " #.#0 ", " .50 ", " ,50 "},
        {-1.5, " #.#0 ", "- 1.50 ", "- 1,50 "},
        {2.5, "#0.#0 lb", "2.50 lb", "2,50 lb"},
        {0.125, "#0.#0 lb", "0.13 lb", "0,13 lb"}, // exact half: away from zero, not to even
        {-0.125, "#0.#0 lb", "-0.13 lb", "-0,13 lb"},
        {1234.56, "###0.0 g", "1234.6 g", "1234,6 g"},
        {12345.65, "###0.0 g", "12345.7 g", "12345,7 g"},
        {0.05, "###0.0 g", "0.1 g", "0,1 g"},
        {0.04, "###0.0 g", "0.0 g", "0,0 g"},
        {1, "0.##", "1.", "1,"},
        {1.5, "0.##", "1.5", "1,5"},
        {1.25, "0.##", "1.25", "1,25"},
        {1.255, "0.##", "1.26", "1,26"},
        {1.999, "0.##", "2.", "2,"},
        {-0.001, "0.##", "-0.", "-0,"},
        {2.675, "0.00", "2.68", "2,68"},
        {1.005, "0.00", "1.01", "1,01"},
    });
}

TEST(FormatNumber, DigitPlaceholders) {
    expectCases({
        {0, "#", "", ""},
        {0, "#.##", ".", ","},
        {0.5, ".00", ".50", ",50"},
        {1.5, ".00", "1.50", "1,50"},
        {5, "000", "005", "005"},
        {1234, "00", "1234", "1234"},
        {5, "#0#", "05", "05"},
        {1.5, "0.0#", "1.5", "1,5"},
        {1, "0.0#", "1.0", "1,0"},
        {1.2, "0.#0#", "1.20", "1,20"},
        {1e20, "0", "100000000000000000000", "100000000000000000000"},
        {1234567890123456789.0, "0", "1234567890123460000", "1234567890123460000"},
        {1.5e-10, "0.000", "0.000", "0,000"},
    });
}

TEST(FormatNumber, ThousandsSeparatorAndScaling) {
    expectCases({
        {1234.5, "#,##0.00", "1,234.50", "1.234,50"},
        {-1234567.891, "#,##0.00", "-1,234,567.89", "-1.234.567,89"},
        {0, "#,##0", "0", "0"},
        {999, "#,##0", "999", "999"},
        {1000, "#,##0", "1,000", "1.000"},
        {123456789, "#,#", "123,456,789", "123.456.789"},
        {5, "0,000", "0,005", "0.005"},
        {1234567, "#,,", "1", "1"},
        {1234567, "#,##0,", "1,235", "1.235"},
        {1234567, "0,,.0", "1.2", "1,2"},
        {1234567, "0.0,,", "1.2", "1,2"},
        {999, "#,", "1", "1"},
        {1500000, "0,, \"M\"", "2 M", "2 M"},
    });
}

TEST(FormatNumber, PercentAndScientific) {
    expectCases({
        {0.256, "0.0%", "25.6%", "25,6%"},
        {0.5, "0%", "50%", "50%"},
        {0.12345, "0.00%", "12.35%", "12,35%"},
        {-0.0005, "0.0%", "-0.1%", "-0,1%"},
        {1234.5, "0.00E+00", "1.23E+03", "1,23E+03"},
        {-1234.5, "0.00E+00", "-1.23E+03", "-1,23E+03"},
        {1.235, "0.00E+00", "1.24E+00", "1,24E+00"},
        {0.00012345, "0.00E+00", "1.23E-04", "1,23E-04"},
        {1234.5, "0.00E-00", "1.23E03", "1,23E03"},
        {0.00012345, "0.00E-00", "1.23E-04", "1,23E-04"},
        {1234.5, "0.00e+00", "1.23e+03", "1,23e+03"},
        {0, "0.00E+00", "0.00E+00", "0,00E+00"},
        {9.999, "0.0E+0", "1.0E+1", "1,0E+1"},
        {12345, "0E+0", "1E+4", "1E+4"},
        {1.5e300, "0.0E+000", "1.5E+300", "1,5E+300"},
        {1234.5, "00.0E+00", "12.3E+02", "12,3E+02"},
        {1234.5, "0.0#E+#", "1.23E+3", "1,23E+3"},
        {1, "0.0E+#", "1.0E+0", "1,0E+0"},
        // More exponent places than an exponent ever has digits.
        {1234.5, "0.0E+000000000000000", "1.2E+000000000000003", "1,2E+000000000000003"},
    });
}

TEST(FormatNumber, LiteralsQuotesAndEscapes) {
    expectCases({
        {5, "\"Total: \"0", "Total: 5", "Total: 5"},
        {5, "0\\%", "5%", "5%"},
        {5, "$0.00", "$5.00", "$5,00"},
        {-5, "$0.00", "-$5.00", "-$5,00"},
        {5, "(0)", "(5)", "(5)"},
        {5, "0\\#", "5#", "5#"},
        {5, "0 \"0.0\"", "5 0.0", "5 0.0"},
        {5, "\"abc\"", "abc", "abc"},
        {-5, "\"abc\"", "-abc", "-abc"},
        {5, "0 units", "5 units", "5 units"}, // letters beside digit placeholders stay letters
        {1234, "0-00", "12-34", "12-34"},
    });
}

TEST(FormatNumber, Sections) {
    expectCases({
        {5, "0;(0)", "5", "5"},
        {-5, "0;(0)", "(5)", "(5)"},
        {-0.001, "0;(0)", "(0)", "(0)"},
        {0, "0;(0);\\z\\e\\r\\o", "zero", "zero"},
        {0.001, "0;(0);\\z\\e\\r\\o", "0", "0"},
        {-5, "0;;\\z", "-5", "-5"},
        {0, "0;;\\z", "z", "z"},
        {-1.5, "0.0;\"minus \"0.00", "minus 1.50", "minus 1,50"},
        {3, "\"a\";\"b\";\"c\";\"d\"", "a", "a"},
    });
    EXPECT_EQ(Format(Variant::null(), "0;(0);z;\\n\\u\\l\\l", kDot), "null");
    EXPECT_EQ(Format(Variant::null(), "0;(0)", kDot), "");
    EXPECT_EQ(Format(Variant::null(), "0.00", kDot), "");
    EXPECT_EQ(Format(Variant(), "0.00", kDot), "0.00");
}

TEST(FormatNumber, ValueTypes) {
    EXPECT_EQ(Format(Variant(int32_t{-2147483647 - 1}), "#,##0", kDot), "-2,147,483,648");
    EXPECT_EQ(Format(Variant(int16_t{-5}), "0.0", kComma), "-5,0");
    EXPECT_EQ(Format(Variant(uint8_t{200}), "0000", kDot), "0200");
    EXPECT_EQ(Format(Variant(true), "0", kDot), "-1");
    EXPECT_EQ(Format(Variant(false), "0.0", kDot), "0.0");
    EXPECT_EQ(Format(Variant(2.675f), "0.00", kDot), "2.68");
    EXPECT_EQ(Format(Variant(0.1f), "0.000000000", kDot), "0.100000000");
    EXPECT_EQ(Format(Variant(Currency{25000}), "0.0", kDot), "2.5");
    EXPECT_EQ(Format(Variant(Currency{-12345}), "0.000", kDot), "-1.235");
    EXPECT_EQ(Format(Variant(Date{45296.75}), "0.00", kComma), "45296,75");
    EXPECT_EQ(Format(Variant::byRef(Variant(1.5)), "0.00", kDot), "1.50");
}

TEST(FormatNumber, TextsThatReadAsNumbersAreFormatted) {
    EXPECT_EQ(Format(Variant("1234.5"), "#,##0.00", kDot), "1,234.50");
    EXPECT_EQ(Format(Variant(" -2.5 "), "0.0", kDot), "-2.5");
    EXPECT_EQ(Format(Variant("1234,5"), "0.0", kComma), "1234,5");
    EXPECT_EQ(Format(Variant("abc"), "0.00", kDot), "abc");
    EXPECT_EQ(Format(Variant("12 kg"), "0.00", kDot), "12 kg");
    EXPECT_EQ(Format(Variant(""), "0.00", kDot), "");
    EXPECT_EQ(Format(Variant("abc"), "0;(0);z;n", kDot), "abc");
}

TEST(FormatNumber, NamedNumberFormats) {
    expectCases({
        {1234.5, "Currency", "$1,234.50", "1.234,50 \xE2\x82\xAC"},
        {-1234.5, "Currency", "($1,234.50)", "-1.234,50 \xE2\x82\xAC"},
        {1234.567, "Fixed", "1234.57", "1234,57"},
        {-0.5, "Fixed", "-0.50", "-0,50"},
        {1234.567, "Standard", "1,234.57", "1.234,57"},
        {0.1234, "Percent", "12.34%", "12,34%"},
        {1234.5, "Scientific", "1.23E+03", "1,23E+03"},
        {1234.5, "General Number", "1234.5", "1234,5"},
        {1e20, "General Number", "1E+20", "1E+20"},
        {0, "Yes/No", "No", "No"},
        {5, "Yes/No", "Yes", "Yes"},
        {-1, "yes/no", "Yes", "Yes"},
        {0, "True/False", "False", "False"},
        {0.5, "True/False", "True", "True"},
        {0, "On/Off", "Off", "Off"},
        {-2, "ON/OFF", "On", "On"},
    });
    EXPECT_EQ(Format(Variant(true), "Yes/No", kDot), "Yes");
    EXPECT_EQ(Format(Variant("12"), "General Number", kDot), "12");
    EXPECT_EQ(Format(Variant("abc"), "Yes/No", kDot), "abc");
    EXPECT_EQ(Format(Variant::null(), "Currency", kDot), "");
}

TEST(FormatNumber, EmptyPatternIsTheStandardTextConversion) {
    EXPECT_EQ(Format(Variant(1e15), "", kDot), "1E+15");
    EXPECT_EQ(Format(Variant(0.1 + 0.2), {}, kComma), "0,3");
    EXPECT_EQ(Format(Variant::null(), "", kDot), "");
    EXPECT_EQ(Format(Variant(true), "", kDot), "True");
    EXPECT_EQ(Format(Variant::error(static_cast<int32_t>(0x800A000Du)), "", kDot), "Error 13");
}

TEST(FormatNumber, ValuesWithoutANumberRaiseTypeMismatch) {
    auto expectMismatch = [](const Variant& v, const char* pattern) {
        try {
            Format(v, pattern, kDot);
            ADD_FAILURE() << "no error for " << pattern;
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.number(), runtime_error_number::kTypeMismatch);
        }
    };
    expectMismatch(Variant::error(5), "0.00");
    expectMismatch(Variant(SafeArray::make1D(0, 1)), "0");
    expectMismatch(Variant(SafeArray::make1D(0, 1)), "");
    expectMismatch(Variant(ObjectRef{}), "@");
}

TEST(FormatNumber, DefaultsToTheCurrentLocale) {
    ScopedLocale comma(kComma);
    EXPECT_EQ(Format(Variant(1234.5), "#,##0.00"), "1.234,50");
    EXPECT_EQ(Format(Variant(0.2), "0.##0"), "0,200");
}

} // namespace
} // namespace lattix
