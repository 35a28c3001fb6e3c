#include "runtime/text_conversion.h"

#include <cmath>
#include <cstdio>

#include "runtime/locale.h"

namespace lattix {

namespace {
std::string withDecimalSeparator(std::string s) {
    const std::string& sep = Locale::current().decimalSeparator;
    if (sep == ".") return s;
    std::string out;
    for (char c : s) {
        if (c == '.') out += sep;
        else out += c;
    }
    return out;
}

std::string significant(double v, int digits) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, v);
    std::string s = buf;
    // Basic writes exponents as E+nn / E-nn without leading zeros beyond two digits.
    return withDecimalSeparator(s);
}
} // namespace

std::string TextOfDouble(double v) { return significant(v, 15); }
std::string TextOfSingle(float v) { return significant(v, 7); }

std::string TextOfCurrency(Currency c) { return significant(c.toDouble(), 19); }

std::string TextOfDate(Date d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", d.serial);
    return buf;
}

std::string TextOf(const Variant& value) {
    const Variant& v = value.deref();
    switch (v.type()) {
    case VarType::Empty:
    case VarType::Null: return {};
    case VarType::Int16: return std::to_string(v.get<int16_t>());
    case VarType::Int32: return std::to_string(v.get<int32_t>());
    case VarType::Byte: return std::to_string(v.get<uint8_t>());
    case VarType::Single: return TextOfSingle(v.get<float>());
    case VarType::Double: return TextOfDouble(v.get<double>());
    case VarType::Currency: return TextOfCurrency(v.get<Currency>());
    case VarType::Date: return TextOfDate(v.get<Date>());
    case VarType::String: return v.str();
    case VarType::Bool: return v.get<bool>() ? "True" : "False";
    case VarType::Error: return "Error " + std::to_string(v.get<ErrorValue>().scode);
    default: return {};
    }
}

} // namespace lattix
