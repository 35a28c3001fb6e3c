#include "runtime/conversions.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "runtime/automation_error.h"
#include "runtime/locale.h"
#include "runtime/text_conversion.h"

namespace lattix {

namespace {

bool startsWithAt(std::string_view text, size_t pos, std::string_view what) {
    return !what.empty() && text.substr(pos, what.size()) == what;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string_view trimBlanks(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    return t;
}

// The numeric value of a variant of a numeric type, Boolean or date; nothing for others.
std::optional<double> numericValue(const Variant& v) {
    switch (v.type()) {
    case VarType::Empty: return 0.0;
    case VarType::Int16: return v.get<int16_t>();
    case VarType::Int32: return v.get<int32_t>();
    case VarType::Byte: return v.get<uint8_t>();
    case VarType::Single: return v.get<float>();
    case VarType::Double: return v.get<double>();
    case VarType::Currency: return v.get<Currency>().toDouble();
    case VarType::Date: return v.get<Date>().serial;
    case VarType::Bool: return v.get<bool>() ? -1.0 : 0.0;
    case VarType::String: return ParseNumberText(v.str());
    default: return std::nullopt;
    }
}

double requireNumber(const Variant& value) {
    const Variant& v = value.deref();
    std::optional<double> d = numericValue(v);
    if (!d) RaiseTypeMismatch();
    return *d;
}

template <class Int> Int roundToInt(double d) {
    double r = RoundHalfEven(d);
    if (!(r >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          r <= static_cast<double>(std::numeric_limits<Int>::max())))
        RaiseOverflow();
    return static_cast<Int>(r);
}

} // namespace

double RoundHalfEven(double v) {
    if (!std::isfinite(v)) return v;
    double fl = std::floor(v);
    double diff = v - fl;
    if (diff > 0.5) return fl + 1.0;
    if (diff < 0.5) return fl;
    return std::fmod(fl, 2.0) == 0.0 ? fl : fl + 1.0;
}

int32_t AddressNumberToInt32(const Variant& value) {
    const Variant& v = value.deref();
    if (!v.isNumeric()) RaiseTypeMismatch();
    return roundToInt<int32_t>(*numericValue(v));
}

int32_t ToInt32(const Variant& v) {
    if (v.deref().holds<int32_t>()) return v.deref().get<int32_t>();
    return roundToInt<int32_t>(requireNumber(v));
}

int16_t ToInt16(const Variant& v) { return roundToInt<int16_t>(requireNumber(v)); }

uint8_t ToByte(const Variant& v) { return roundToInt<uint8_t>(requireNumber(v)); }

double ToDouble(const Variant& v) {
    if (v.deref().holds<double>()) return v.deref().get<double>();
    return requireNumber(v);
}

float ToSingle(const Variant& v) {
    double d = requireNumber(v);
    if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max()) RaiseOverflow();
    return static_cast<float>(d);
}

bool ToBool(const Variant& value) {
    const Variant& v = value.deref();
    if (v.holds<bool>()) return v.get<bool>();
    if (v.isString()) {
        std::string_view t = trimBlanks(v.str());
        if (equalsNoCase(t, "True")) return true;
        if (equalsNoCase(t, "False")) return false;
    }
    return requireNumber(v) != 0.0;
}

Currency ToCurrency(const Variant& value) {
    const Variant& v = value.deref();
    if (v.holds<Currency>()) return v.get<Currency>();
    return Currency::fromDouble(requireNumber(v));
}

Date ToDate(const Variant& value) {
    const Variant& v = value.deref();
    if (v.holds<Date>()) return v.get<Date>();
    if (v.holds<bool>()) RaiseTypeMismatch();
    double d = requireNumber(v);
    // The date range of the automation date type: years 100 to 9999.
    if (!(d >= -657434.0 && d < 2958466.0)) RaiseOverflow();
    return Date{d};
}

std::string ToString(const Variant& v) {
    const Variant& d = v.deref();
    if (d.isObject() || d.isArray()) RaiseTypeMismatch();
    return TextOf(d);
}

std::optional<double> ParseNumberText(std::string_view raw) { return ParseNumberText(raw, Locale::current()); }

std::optional<double> ParseNumberText(std::string_view raw, const Locale& loc) {
    std::string_view t = trimBlanks(raw);
    if (t.empty()) return std::nullopt;
    size_t i = 0;
    bool negative = false;
    if (t[i] == '+' || t[i] == '-') {
        negative = t[i] == '-';
        ++i;
    }
    // &H (hex) and &O (octal) literals.
    if (i + 1 < t.size() && t[i] == '&' && (t[i + 1] == 'H' || t[i + 1] == 'h' || t[i + 1] == 'O' || t[i + 1] == 'o')) {
        int base = (t[i + 1] == 'H' || t[i + 1] == 'h') ? 16 : 8;
        i += 2;
        if (i >= t.size()) return std::nullopt;
        double acc = 0;
        for (; i < t.size(); ++i) {
            int c = std::tolower(static_cast<unsigned char>(t[i]));
            int digit = std::isdigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : 99;
            if (digit >= base) return std::nullopt;
            acc = acc * base + digit;
        }
        return negative ? -acc : acc;
    }
    std::string normal;
    bool digits = false, seenDecimal = false, seenExp = false;
    while (i < t.size()) {
        char c = t[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            normal += c;
            digits = true;
            ++i;
        } else if (!seenDecimal && !seenExp && startsWithAt(t, i, loc.decimalSeparator)) {
            normal += '.';
            seenDecimal = true;
            i += loc.decimalSeparator.size();
        } else if (!seenDecimal && !seenExp && digits && startsWithAt(t, i, loc.thousandsSeparator)) {
            i += loc.thousandsSeparator.size();
        } else if (!seenExp && digits && (c == 'e' || c == 'E' || c == 'd' || c == 'D')) {
            seenExp = true;
            normal += 'e';
            ++i;
            if (i < t.size() && (t[i] == '+' || t[i] == '-')) normal += t[i++];
            if (i >= t.size() || !std::isdigit(static_cast<unsigned char>(t[i]))) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    // from_chars, unlike strtod, reads "." whatever LC_NUMERIC the host program has set.
    double d = 0;
    auto res = std::from_chars(normal.data(), normal.data() + normal.size(), d);
    if (res.ec == std::errc::result_out_of_range) {
        // Too large or too small: decide by the decimal magnitude of the first significant digit.
        size_t e = normal.find('e');
        std::string_view mantissa = std::string_view(normal).substr(0, e);
        long exponent = 0;
        if (e != std::string::npos) {
            size_t from = e + 1 + (normal[e + 1] == '+');
            std::from_chars(normal.data() + from, normal.data() + normal.size(), exponent);
        }
        size_t point = mantissa.find('.');
        long intLength = static_cast<long>(point == std::string_view::npos ? mantissa.size() : point);
        size_t first = mantissa.find_first_of("123456789");
        long position = static_cast<long>(first) < intLength ? intLength - static_cast<long>(first)
                                                            : intLength - static_cast<long>(first) + 1;
        d = position + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -d : d;
}

} // namespace lattix
