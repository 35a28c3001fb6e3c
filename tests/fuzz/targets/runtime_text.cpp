// The runtime's text work: Format with any pattern and value, and reading numbers and dates from
// text in both locales. Format either writes a text or raises a conversion error; a number read
// from a text and written back reads as the same number.
#include <cmath>
#include <cstring>
#include <string>

#include "runtime/automation_error.h"
#include "runtime/conversions.h"
#include "runtime/date_text.h"
#include "runtime/format.h"
#include "runtime/locale.h"
#include "runtime/text_conversion.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/targets/target_functions.h"

namespace lattix::fuzz {
namespace {

const Locale& PickLocale(FuzzInput& in) {
    static const Locale invariant = Locale::invariant();
    static const Locale comma = Locale::decimalComma();
    return in.Flag() ? comma : invariant;
}

double DoubleFrom(FuzzInput& in) {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits = (bits << 8) | in.Byte();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

Variant ValueFrom(FuzzInput& in) {
    switch (in.Pick(9)) {
    case 0: return Variant();
    case 1: return Variant::null();
    case 2: return Variant(static_cast<int32_t>(DoubleFrom(in) == 0 ? 0 : in.Between(-100000, 100000)));
    case 3: return Variant(DoubleFrom(in));
    case 4: return Variant(static_cast<float>(in.Between(-30000, 30000)) / 7.0f);
    case 5: return Variant(Currency{static_cast<int64_t>(in.Between(-1000000, 1000000)) * 37});
    case 6: return Variant(Date{DoubleFrom(in)});
    case 7: return Variant(in.Flag());
    default: return Variant(in.Text(64));
    }
}

bool IsConversionError(const AutomationError& e) {
    using namespace runtime_error_number;
    return e.number() == kTypeMismatch || e.number() == kOverflow || e.number() == kInvalidProcedureCall;
}

} // namespace

void FuzzFormat(std::span<const uint8_t> data) {
    FuzzInput in(data);
    const Locale& locale = PickLocale(in);
    const Variant value = ValueFrom(in);
    const std::string pattern = in.Rest();
    try {
        const std::string text = Format(value, pattern, locale);
        // Bounded output: a pattern cannot multiply itself beyond its own length and the value's.
        FUZZ_REQUIRE(text.size() <= 4096 + 64 * (pattern.size() + 1));
    } catch (const AutomationError& e) {
        FUZZ_REQUIRE(IsConversionError(e));
    }
}

void FuzzTextConversion(std::span<const uint8_t> data) {
    FuzzInput in(data);
    const Locale& locale = PickLocale(in);
    const std::string text = in.Rest();
    if (auto number = ParseNumberText(text, locale)) {
        if (std::isfinite(*number)) {
            auto again = ParseNumberText(TextOfDouble(*number, locale), locale);
            FUZZ_REQUIRE(again.has_value());
            FUZZ_REQUIRE(*again == *number || std::fabs(*again - *number) <= std::fabs(*number) * 1e-14);
        }
    }
    if (auto date = ParseDateText(text, locale)) {
        FUZZ_REQUIRE(std::isfinite(date->serial));
        auto again = ParseDateText(TextOfDate(*date, locale), locale);
        FUZZ_REQUIRE(again.has_value());
        FUZZ_REQUIRE(std::fabs(again->serial - date->serial) < 1.0 / 86400.0);
    }
    // The Variant conversions of a text raise a conversion error or give a value.
    ScopedLocale scoped(locale);
    const Variant v(text);
    try {
        (void)ToDouble(v);
    } catch (const AutomationError& e) {
        FUZZ_REQUIRE(IsConversionError(e));
    }
    try {
        (void)ToDate(v);
    } catch (const AutomationError& e) {
        FUZZ_REQUIRE(IsConversionError(e));
    }
    try {
        (void)ToCurrency(v);
    } catch (const AutomationError& e) {
        FUZZ_REQUIRE(IsConversionError(e));
    }
}

} // namespace lattix::fuzz
