// ParseNumber, ParseWholeNumber, CommaToDot, SwapSeparators, ChooseNumberFormat's pattern choice,
// ConvertUnits and the number texts of cells and reports.
#include "app/core/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "runtime/conversions.h"
#include "runtime/locale.h"
#include "runtime/text_conversion.h"

namespace avigram {

namespace {

using Leading = NumberScan;

// Rough decimal exponent of a number text: positive for numbers of magnitude 1 or more.
long DecimalMagnitude(const std::string& number) {
    std::size_t e = number.find('e');
    std::string mantissa = number.substr(0, e);
    long exponent = 0;
    if (e != std::string::npos) {
        std::string_view ex(number.data() + e + 1, number.size() - e - 1);
        bool neg = !ex.empty() && ex[0] == '-';
        if (!ex.empty() && (ex[0] == '-' || ex[0] == '+')) ex.remove_prefix(1);
        for (char c : ex) {
            exponent = std::min<long>(exponent * 10 + (c - '0'), 1000000000L);
        }
        if (neg) exponent = -exponent;
    }
    long intDigits = 0;
    long leadingFractionZeros = 0;
    bool seenNonZero = false;
    bool afterPoint = false;
    for (char c : mantissa) {
        if (c == '.') {
            afterPoint = true;
        } else if (c >= '0' && c <= '9') {
            if (c != '0') seenNonZero = true;
            if (!afterPoint && seenNonZero) ++intDigits;
            if (afterPoint && !seenNonZero) ++leadingFractionZeros;
        }
    }
    return intDigits > 0 ? intDigits + exponent : exponent - leadingFractionZeros;
}

// Scans the leading number and converts it without any locale influence.
Leading ScanLeading(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n'))
        ++i;
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') number += '-';
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            number += c;
            digits = true;
        } else if (c == '.' && !point) {
            number += c;
            point = true;
        } else {
            break;
        }
    }
    Leading result;
    if (!digits) return result;
    result.found = true;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
        bool expDigits = false;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') {
            exponent += text[j++];
            expDigits = true;
        }
        if (expDigits) {
            number += exponent;
            i = j;
        }
    }
    result.end = i;
    result.negative = !number.empty() && number[0] == '-';
    double v = 0;
    auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), v);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Out of range either way: tiny numbers read as 0, huge ones are out of range.
        result.outOfRange = DecimalMagnitude(number) > 0;
        return result;
    }
    if (ec != std::errc() || !std::isfinite(v)) {
        result.outOfRange = true;
        return result;
    }
    result.value = v;
    return result;
}

} // namespace

NumberScan ScanNumber(std::string_view text) {
    return ScanLeading(text);
}

std::optional<double> WholeTextNumber(std::string_view text) {
    std::string t = CommaToDot(text);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.pop_back();
    NumberScan scan = ScanLeading(t);
    if (!scan.found || scan.outOfRange || scan.end != t.size()) return std::nullopt;
    return scan.value;
}

std::string CommaToDot(std::string_view text) {
    std::string out(text);
    if (auto pos = out.find(','); pos != std::string::npos) out[pos] = '.';
    return out;
}

double ParseNumber(std::string_view text) {
    Leading l = ScanLeading(CommaToDot(text));
    return l.outOfRange ? 0.0 : l.value;
}

double LeadingNumber(std::string_view text) {
    Leading l = ScanLeading(text);
    return l.outOfRange ? 0.0 : l.value;
}

int32_t ParseWholeNumber(std::string_view text) {
    Leading l = ScanLeading(text);
    if (l.outOfRange) {
        return l.negative ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int32_t>::max();
    }
    return ToWholeNumber(l.value);
}

int32_t ToWholeNumber(double x) {
    if (std::isnan(x)) return 0;
    double r = lattix::RoundHalfEven(x);
    if (r >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (r <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

std::string SwapSeparators(std::string_view text, bool localeUsesComma) {
    std::string out(text);
    const char from = localeUsesComma ? '.' : ',';  // the separator the text should not use
    const char other = localeUsesComma ? ',' : '.'; // grouping sign to drop first
    if (out.find(from) == std::string::npos) return out;
    if (auto pos = out.find(other); pos != std::string::npos) out.erase(pos, 1);
    if (auto pos = out.find(from); pos != std::string::npos) out[pos] = other;
    return out;
}

std::string ChooseNumberPattern(double x) {
    if (x == 0) return "0";
    double a = std::fabs(x);
    std::string pattern = "0.##0";
    if (a > 9.999) pattern = "##.#0";
    if (a > 99.99) pattern = "###.0";
    if (a > 999.9) pattern = "####";
    return pattern;
}

double ConvertUnits(int displayUnits, UnitDirection direction, double x) {
    double f = 1.0;
    if (displayUnits == 1)
        f = 1.0 / 2.205;
    else if (displayUnits == 2)
        f = 1.0 / 1000.0;
    return direction == UnitDirection::ToInternal ? x * f : x / f;
}

double RoundHalfEvenTo(double x, int decimals) {
    if (!std::isfinite(x)) return x;
    double scale = std::pow(10.0, decimals);
    double scaled = x * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4.5e15) return x;
    return lattix::RoundHalfEven(scaled) / scale;
}

std::string LocaleNumberText(double x) {
    return lattix::TextOfDouble(x);
}

std::string ReportNumberText(double x) {
    if (x == 0) x = 0; // no "-0"
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::fabs(x));
    std::string digits = ec == std::errc() ? std::string(buf, end) : std::string("0");
    const std::string& sep = lattix::Locale::current().decimalSeparator;
    if (auto pos = digits.find('.'); pos != std::string::npos) digits.replace(pos, 1, sep);
    return (std::signbit(x) ? "-" : " ") + digits + " ";
}

bool DetectLocaleUsesComma() {
    return lattix::Locale::current().decimalSeparator.find(',') != std::string::npos;
}

} // namespace avigram
