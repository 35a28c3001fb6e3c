#include "runtime/text_conversion.h"

#include <charconv>
#include <cmath>

#include "runtime/automation_error.h"
#include "runtime/date_parts.h"
#include "runtime/decimal_digits.h"
#include "runtime/format_date.h"

namespace lattix {

namespace {

template <class Int> std::string integerText(Int v) {
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

// At most `significant` digits: fixed notation while the exponent lies in -4..significant-1,
// otherwise d.dddE+XX with at least two exponent digits.
std::string significantText(double v, int significant, const Locale& locale) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
    DecimalDigits d = DecimalDigits::fromDouble(v, significant);
    if (d.isZero()) return "0"; // also for -0
    std::string out;
    out.reserve(32);
    if (v < 0) out += '-';
    int exponent = d.pointPos - 1;
    if (exponent < -4 || exponent >= significant) {
        out += d.digits[0];
        if (d.count > 1) {
            out += locale.decimalSeparator;
            out.append(d.digits + 1, static_cast<size_t>(d.count - 1));
        }
        out += 'E';
        out += exponent < 0 ? '-' : '+';
        int e = std::abs(exponent);
        if (e < 10) out += '0';
        out += integerText(e);
        return out;
    }
    if (d.pointPos <= 0) {
        out += '0';
        out += locale.decimalSeparator;
        out.append(static_cast<size_t>(-d.pointPos), '0');
        out.append(d.digits, static_cast<size_t>(d.count));
        return out;
    }
    for (int i = 0; i < d.pointPos; ++i) out += d.at(i);
    if (d.count > d.pointPos) {
        out += locale.decimalSeparator;
        out.append(d.digits + d.pointPos, static_cast<size_t>(d.count - d.pointPos));
    }
    return out;
}

} // namespace

std::string TextOfDouble(double v, const Locale& locale) { return significantText(v, 15, locale); }

std::string TextOfSingle(float v, const Locale& locale) { return significantText(v, 7, locale); }

std::string TextOfCurrency(Currency c, const Locale& locale) {
    // Work on the unsigned magnitude so that the most negative amount has a magnitude too.
    uint64_t magnitude = c.scaled < 0 ? 0 - static_cast<uint64_t>(c.scaled) : static_cast<uint64_t>(c.scaled);
    std::string out;
    if (c.scaled < 0) out += '-';
    out += integerText(magnitude / 10000);
    uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        char digits[4];
        for (int i = 3; i >= 0; --i, fraction /= 10) digits[i] = static_cast<char>('0' + fraction % 10);
        int n = 4;
        while (digits[n - 1] == '0') --n;
        out += locale.decimalSeparator;
        out.append(digits, static_cast<size_t>(n));
    }
    return out;
}

std::string TextOfDate(Date d, const Locale& locale) {
    if (!IsValidDateSerial(d.serial)) RaiseOverflow();
    return FormatGeneralDate(d.serial, locale);
}

std::string TextOfError(ErrorValue e) {
    // Runtime errors (facility 0x0A) are known by their short number.
    uint32_t code = static_cast<uint32_t>(e.scode);
    if ((code & 0xFFFF0000u) == 0x800A0000u) return "Error " + integerText(code & 0xFFFFu);
    return "Error " + integerText(e.scode);
}

std::string TextOf(const Variant& value, const Locale& locale) {
    const Variant& v = value.deref();
    switch (v.type()) {
    case VarType::Int16: return integerText(v.get<int16_t>());
    case VarType::Int32: return integerText(v.get<int32_t>());
    case VarType::Byte: return integerText(static_cast<unsigned>(v.get<uint8_t>()));
    case VarType::Single: return TextOfSingle(v.get<float>(), locale);
    case VarType::Double: return TextOfDouble(v.get<double>(), locale);
    case VarType::Currency: return TextOfCurrency(v.get<Currency>(), locale);
    case VarType::Date: return TextOfDate(v.get<Date>(), locale);
    case VarType::String: return v.str();
    case VarType::Bool: return v.get<bool>() ? "True" : "False";
    case VarType::Error: return TextOfError(v.get<ErrorValue>());
    default: return {}; // Empty, Null, objects, arrays
    }
}

} // namespace lattix
