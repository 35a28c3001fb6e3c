#include "grid/input/edit_conversion.h"

#include <cmath>

#include "runtime/automation_error.h"
#include "runtime/conversions.h"
#include "runtime/date_text.h"

namespace lattix {

namespace {
constexpr int32_t kTypeMismatch = 13, kOverflow = 6;

EditConversion failed(int32_t err) { return EditConversion{Variant(), err}; }
} // namespace

EditConversion ConvertEditText(const std::string& text, const Variant& currentValue) {
    const Variant& current = currentValue.deref();
    switch (current.type()) {
    case VarType::Empty:
    case VarType::Null: return EditConversion{text.empty() ? current : Variant(text), 0};
    case VarType::String: return EditConversion{Variant(text), 0};
    case VarType::Date: {
        if (text.empty()) return EditConversion{Variant(Date{0}), 0};
        if (std::optional<Date> d = ParseDateText(text)) return EditConversion{Variant(*d), 0};
        // A plain number is a date serial.
        if (std::optional<double> n = ParseNumberText(text)) {
            if (*n >= -657434.0 && *n < 2958466.0) return EditConversion{Variant(Date{*n}), 0};
            return failed(kOverflow);
        }
        return failed(kTypeMismatch);
    }
    case VarType::Bool: {
        if (text.empty()) return EditConversion{Variant(false), 0};
        try {
            return EditConversion{Variant(ToBool(Variant(text))), 0};
        } catch (const AutomationError&) {
            return failed(kTypeMismatch);
        }
    }
    case VarType::Int16:
    case VarType::Int32:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Byte: {
        std::optional<double> n = text.empty() ? std::optional<double>(0.0) : ParseNumberText(text);
        if (!n) return failed(kTypeMismatch);
        if (!std::isfinite(*n)) return failed(kOverflow);
        try {
            const Variant d(*n);
            switch (current.type()) {
            case VarType::Int16: return EditConversion{Variant(ToInt16(d)), 0};
            case VarType::Int32: return EditConversion{Variant(ToInt32(d)), 0};
            case VarType::Single: return EditConversion{Variant(ToSingle(d)), 0};
            case VarType::Currency: return EditConversion{Variant(ToCurrency(d)), 0};
            case VarType::Byte: return EditConversion{Variant(ToByte(d)), 0};
            default: return EditConversion{d, 0};
            }
        } catch (const AutomationError& e) {
            return failed(e.number() == runtime_error_number::kOverflow ? kOverflow : kTypeMismatch);
        }
    }
    default: return EditConversion{current, 0};
    }
}

std::string ConversionErrorDescription(int32_t convErr) {
    switch (convErr) {
    case kOverflow: return "Overflow.";
    case kTypeMismatch: return "Type mismatch.";
    default: return "Application-defined or object-defined error.";
    }
}

} // namespace lattix
