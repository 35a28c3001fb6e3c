#include "runtime/format.h"

#include <optional>

#include "runtime/automation_error.h"
#include "runtime/conversions.h"
#include "runtime/date_parts.h"
#include "runtime/decimal_digits.h"
#include "runtime/format_date.h"
#include "runtime/format_number.h"
#include "runtime/format_pattern.h"
#include "runtime/text_conversion.h"

namespace lattix {

using namespace format_detail;

namespace {

enum class Named {
    None,
    GeneralNumber,
    Currency,
    Fixed,
    Standard,
    Percent,
    Scientific,
    YesNo,
    TrueFalse,
    OnOff,
    GeneralDate,
    LongDate,
    MediumDate,
    ShortDate,
    LongTime,
    MediumTime,
    ShortTime,
};

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

Named namedFormat(std::string_view format) {
    static constexpr struct {
        std::string_view name;
        Named kind;
    } names[] = {
        {"General Number", Named::GeneralNumber}, {"Currency", Named::Currency},
        {"Fixed", Named::Fixed},                  {"Standard", Named::Standard},
        {"Percent", Named::Percent},              {"Scientific", Named::Scientific},
        {"Yes/No", Named::YesNo},                 {"True/False", Named::TrueFalse},
        {"On/Off", Named::OnOff},                 {"General Date", Named::GeneralDate},
        {"Long Date", Named::LongDate},           {"Medium Date", Named::MediumDate},
        {"Short Date", Named::ShortDate},         {"Long Time", Named::LongTime},
        {"Medium Time", Named::MediumTime},       {"Short Time", Named::ShortTime},
    };
    char c = format.empty() ? '\0' : format[0];
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return Named::None;
    for (const auto& n : names)
        if (equalsNoCase(format, n.name)) return n.kind;
    return Named::None;
}

std::string namedPattern(Named kind, const Locale& locale) {
    switch (kind) {
    case Named::Currency: return locale.currencyPattern();
    case Named::Fixed: return "0.00";
    case Named::Standard: return "#,##0.00";
    case Named::Percent: return "0.00%";
    case Named::Scientific: return "0.00E+00";
    case Named::YesNo: return "\"Yes\";\"Yes\";\"No\"";
    case Named::TrueFalse: return "\"True\";\"True\";\"False\"";
    case Named::OnOff: return "\"On\";\"On\";\"Off\"";
    case Named::GeneralDate: return "c";
    case Named::LongDate: return locale.longDatePattern();
    case Named::MediumDate: return locale.mediumDatePattern();
    case Named::ShortDate: return locale.shortDatePattern();
    case Named::LongTime: return locale.longTimePattern();
    case Named::MediumTime: return locale.mediumTimePattern();
    case Named::ShortTime: return locale.shortTimePattern();
    default: return {};
    }
}

// A value as the number sections see it.
struct NumberView {
    bool negative = false;
    bool zero = false;
    DecimalDigits magnitude;
    double asDouble = 0; // the serial for date sections
};

uint64_t unsignedMagnitude(int64_t v) { return v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v); }

NumberView integerView(int64_t v) {
    NumberView n;
    n.negative = v < 0;
    n.zero = v == 0;
    n.magnitude = DecimalDigits::fromUnsigned(unsignedMagnitude(v));
    n.asDouble = static_cast<double>(v);
    return n;
}

NumberView doubleView(double v, int significant) {
    NumberView n;
    n.negative = v < 0;
    n.zero = v == 0;
    n.magnitude = DecimalDigits::fromDouble(v, significant);
    n.asDouble = v;
    return n;
}

// The number a value stands for, or nothing for a text that does not read as one.
std::optional<NumberView> numberOf(const Variant& v, const Locale& locale) {
    switch (v.type()) {
    case VarType::Empty: return integerView(0);
    case VarType::Int16: return integerView(v.get<int16_t>());
    case VarType::Int32: return integerView(v.get<int32_t>());
    case VarType::Byte: return integerView(v.get<uint8_t>());
    case VarType::Bool: return integerView(v.get<bool>() ? -1 : 0);
    case VarType::Single: return doubleView(v.get<float>(), 7);
    case VarType::Double: return doubleView(v.get<double>(), 15);
    case VarType::Date: return doubleView(v.get<Date>().serial, 15);
    case VarType::Currency: {
        int64_t scaled = v.get<Currency>().scaled;
        NumberView n;
        n.negative = scaled < 0;
        n.zero = scaled == 0;
        n.magnitude = DecimalDigits::fromUnsigned(unsignedMagnitude(scaled), 4);
        n.asDouble = v.get<Currency>().toDouble();
        return n;
    }
    case VarType::String: {
        std::optional<double> d = ParseNumberText(v.str(), locale);
        if (!d) return std::nullopt;
        return doubleView(*d, 15);
    }
    default: RaiseTypeMismatch();
    }
}

// Length of the UTF-8 sequence that starts with byte c.
size_t utf8Length(unsigned char c) {
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) return 2;
    if ((c & 0xF0) == 0xE0) return 3;
    if ((c & 0xF8) == 0xF0) return 4;
    return 1;
}

// Appends one character in the section's case: ASCII and the Latin-1 letters change case.
void appendCased(std::string& out, std::string_view ch, Section::Case mode) {
    if (mode == Section::Case::Keep) {
        out += ch;
        return;
    }
    bool upper = mode == Section::Case::Upper;
    if (ch.size() == 1) {
        char c = ch[0];
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        out += c;
        return;
    }
    if (ch.size() == 2 && static_cast<unsigned char>(ch[0]) == 0xC3) {
        unsigned char c = static_cast<unsigned char>(ch[1]);
        // U+00C0..U+00DE and U+00E0..U+00FE, except the multiplication and division signs.
        if (upper && c >= 0xA0 && c <= 0xBE && c != 0xB7) c = static_cast<unsigned char>(c - 0x20);
        else if (!upper && c >= 0x80 && c <= 0x9E && c != 0x97) c = static_cast<unsigned char>(c + 0x20);
        out += ch[0];
        out += static_cast<char>(c);
        return;
    }
    out += ch;
}

void renderText(const Section& s, std::string_view text, std::string& out) {
    std::vector<std::string_view> chars;
    chars.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        size_t n = std::min(utf8Length(static_cast<unsigned char>(text[i])), text.size() - i);
        chars.push_back(text.substr(i, n));
        i += n;
    }
    const int count = static_cast<int>(chars.size());
    const int P = s.charPlaceholders;
    auto emit = [&](int from, int to) {
        for (int k = from; k < to; ++k) appendCased(out, chars[static_cast<size_t>(k)], s.caseMode);
    };
    int index = 0;
    for (const Item& item : s.items) {
        if (item.op == Op::Literal) {
            out += item.text;
            continue;
        }
        const int i = index++;
        int source;
        if (s.leftToRight) {
            source = i;
            if (source < count) emit(source, i == P - 1 ? count : source + 1);
        } else {
            // Placeholders take the characters from the right; the first one takes the rest.
            const int offset = count - P;
            source = i + offset;
            if (i == 0 && offset > 0) emit(0, offset + 1);
            else if (source >= 0) emit(source, source + 1);
        }
        if ((source < 0 || source >= count) && item.op == Op::CharOrSpace) out += ' ';
    }
    if (P == 0) emit(0, count);
}

// The section of a Null value (or a zero-length text in a text pattern), as literal text.
std::string renderEmptySection(const Section& s) {
    std::string out;
    if (s.kind == SectionKind::Text) renderText(s, {}, out);
    else out = s.literalText();
    return out;
}

std::string applyPattern(const Pattern& pattern, const Variant& v, const Locale& locale) {
    const auto& sections = pattern.sections;
    const Section& first = sections.front();
    const bool textPattern = first.kind == SectionKind::Text;

    if (v.isNull() || (textPattern && (v.isEmpty() || (v.isString() && v.str().empty())))) {
        if (textPattern && sections.size() >= 2) return renderEmptySection(sections[1]);
        if (v.isNull() && sections.size() >= 4) return renderEmptySection(sections[3]);
        if (textPattern && !v.isNull()) return renderEmptySection(first);
        return {};
    }

    std::optional<NumberView> number = numberOf(v, locale);
    if (textPattern) {
        std::string out;
        renderText(first, v.isString() ? v.str() : TextOf(v, locale), out);
        return out;
    }
    if (!number) return v.str(); // a text that is no number passes through unchanged

    size_t index = 0;
    if (number->negative && sections.size() >= 2 && !sections[1].empty) index = 1;
    else if (number->zero && sections.size() >= 3 && !sections[2].empty) index = 2;
    const Section& s = sections[index];
    const bool minus = number->negative && index == 0;

    std::string out;
    switch (s.kind) {
    case SectionKind::Number: RenderNumber(s, number->magnitude, minus, locale, out); break;
    case SectionKind::Literal:
        if (minus) out += '-';
        out += s.literalText();
        break;
    case SectionKind::Date:
        if (!IsValidDateSerial(number->asDouble)) RaiseOverflow();
        RenderDate(s, number->asDouble, locale, out);
        break;
    case SectionKind::Text: renderText(s, v.isString() ? v.str() : TextOf(v, locale), out); break;
    }
    return out;
}

// "General Number": the plain text of the number, without grouping.
std::string generalNumber(const Variant& v, const Locale& locale) {
    switch (v.type()) {
    case VarType::Null: return {};
    case VarType::String: {
        std::optional<double> d = ParseNumberText(v.str(), locale);
        return d ? TextOfDouble(*d, locale) : v.str();
    }
    case VarType::Bool: return v.get<bool>() ? "-1" : "0";
    case VarType::Empty: return "0";
    case VarType::Date: return TextOfDouble(v.get<Date>().serial, locale);
    case VarType::Int16:
    case VarType::Int32:
    case VarType::Byte:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency: return TextOf(v, locale);
    default: RaiseTypeMismatch();
    }
}

} // namespace

std::string Format(const Variant& value, std::string_view format, const Locale& locale) {
    const Variant& v = value.deref();
    if (format.empty()) {
        if (v.isObject() || v.isArray()) RaiseTypeMismatch();
        return TextOf(v, locale);
    }
    if (v.isObject() || v.isArray() || v.holds<ErrorValue>()) RaiseTypeMismatch();
    Named named = namedFormat(format);
    if (named == Named::GeneralNumber) return generalNumber(v, locale);
    if (named != Named::None) return applyPattern(*CachedPattern(namedPattern(named, locale)), v, locale);
    return applyPattern(*CachedPattern(format), v, locale);
}

} // namespace lattix
